// The history's costs: the once-a-minute transaction, reading 24 hours back for the bars,
// and the file's size for one server after 90 days (what the program keeps, "kept_MB") and
// after a simulated year of minutes (525,600, "year_MB").
#include "history/HistoryStore.h"
#include "tests/support/TempDir.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>

#include <filesystem>
#include <random>

namespace {

constexpr std::int64_t start = 1'735'689'600; // 2025-01-01 00:00 UTC
const char* const server = "cs.holmikziviza.net:27015";

MinuteRow minuteOf(std::int64_t minute, std::mt19937& random)
{
    MinuteRow row;
    row.server = server;
    row.minute = minute;
    const int players = static_cast<int>(random() % 33);
    row.lowest = std::max(0, players - static_cast<int>(random() % 3));
    row.highest = std::min(32, players + static_cast<int>(random() % 3));
    row.mean = (row.lowest + row.highest) / 2.0 + static_cast<int>(random() % 7) / 10.0;
    row.bots = static_cast<int>(random() % 4);
    row.maxPlayers = 32;
    row.answered = 55 + static_cast<int>(random() % 6);
    return row;
}

double megabytes(const std::string& path)
{
    std::error_code error;
    double bytes = static_cast<double>(std::filesystem::file_size(path, error));
    bytes += static_cast<double>(std::filesystem::file_size(path + "-wal", error) * !error);
    return bytes / 1e6;
}

void BM_WriteOneMinute(benchmark::State& state)
{
    testing_support::TempDir dir;
    HistoryStore store;
    store.open(dir.file("History.sqlite"));
    std::mt19937 random(1);
    std::int64_t minute = start;
    for (auto _ : state)
        store.write({minuteOf(minute += 60, random)});
}
BENCHMARK(BM_WriteOneMinute)->Unit(benchmark::kMicrosecond);

void BM_YearOfMinutes(benchmark::State& state)
{
    for (auto _ : state) {
        testing_support::TempDir dir;
        const std::string path = dir.file("History.sqlite");
        HistoryStore store;
        store.open(path);
        std::mt19937 random(7);
        // A day a transaction here: the file comes out the same as a minute a transaction.
        for (int day = 0; day < 365; ++day) {
            if (day == 90) { // what the program keeps
                store.close();
                state.counters["kept_MB"] = megabytes(path);
                store.open(path);
            }
            std::vector<MinuteRow> rows;
            for (int m = 0; m < 1440; ++m)
                rows.push_back(minuteOf(start + (day * 1440LL + m) * 60, random));
            store.write(rows);
        }
        store.close(); // the journal goes into the file
        state.counters["year_MB"] = megabytes(path);
        const std::int64_t end = start + 525'600LL * 60;
        store.open(path);
        std::vector<HistoryBucket> bars;
        const auto before = std::chrono::steady_clock::now();
        store.buckets(server, end - 86'400, end, 600, bars);
        state.counters["bars_read_ms"] =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - before).count();
        store.close();
    }
}
BENCHMARK(BM_YearOfMinutes)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace

BENCHMARK_MAIN();
