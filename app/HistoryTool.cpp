#include "app/HistoryTool.h"

#include "app/DataFolder.h"
#include "engine/Directory.h"
#include "history/HistoryRecorder.h"
#include "history/HistoryReport.h"
#include "history/HistoryStore.h"
#include "os/FileSystem.h"
#include "settings/ServerAddress.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <string>

namespace HistoryTool {

namespace {

const char* const usage = "usage: holmik-query --history HOST[:PORT] [--data DIR] [--json]";
const char* const weekdays[7] = {"Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday", "Sunday"};

struct Options {
    std::string host;
    std::uint16_t port = ServerAddress::defaultPort;
    std::string data;
    bool json = false;
};

bool parse(int argc, char** argv, Options& options, std::string& problem)
{
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--history") {
            continue;
        } else if (arg == "--json") {
            options.json = true;
        } else if (arg == "--data") {
            if (i + 1 >= argc || std::strlen(argv[i + 1]) == 0) {
                problem = "--data needs a folder";
                return false;
            }
            options.data = argv[++i];
        } else if (!arg.empty() && arg[0] == '-') {
            problem = "unknown option " + arg;
            return false;
        } else if (!options.host.empty()) {
            problem = "one server at a time";
            return false;
        } else if (ServerAddress::read(arg, options.host, options.port) != ServerAddress::Problem::None) {
            problem = "not a server address: " + arg;
            return false;
        }
    }
    if (options.host.empty()) {
        problem = "no server given";
        return false;
    }
    return true;
}

std::string localTime(std::int64_t unixSeconds, const char* format)
{
    const std::time_t t = static_cast<std::time_t>(unixSeconds);
    const std::tm* local = std::localtime(&t);
    char text[64] = "";
    if (local)
        std::strftime(text, sizeof text, format, local);
    return text;
}

std::string fixed(double value)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.1f", value);
    return text;
}

double tenths(double value) { return std::round(value * 10) / 10; }

// JSON also lists the stored minutes of the last 24 hours one by one.
void printJson(const std::string& server, const HistoryReport& report, const std::vector<HistoryBucket>& minutes)
{
    using Json = nlohmann::ordered_json;
    Json hours = Json::array();
    for (const HistoryReport::Hour& hour : report.lastDay) {
        const bool known = hour.answered > 0;
        hours.push_back({{"start", hour.start},
                         {"local", localTime(hour.start, "%Y-%m-%dT%H:%M")},
                         {"lowest", known ? Json(hour.lowest) : Json()},
                         {"mean", known ? Json(tenths(hour.mean)) : Json()},
                         {"highest", known ? Json(hour.highest) : Json()},
                         {"answered", hour.answered},
                         {"minutes", hour.minutes}});
    }
    Json week = Json::object();
    for (int day = 0; day < 7; ++day) {
        Json means = Json::array();
        for (const HistoryReport::Cell& cell : report.week[day])
            means.push_back(cell.answered ? Json(tenths(cell.mean)) : Json());
        week[weekdays[day]] = means;
    }
    Json rows = Json::array();
    for (const HistoryBucket& minute : minutes) {
        const bool known = minute.answered > 0;
        rows.push_back({{"minute", minute.start},
                        {"lowest", known ? Json(minute.lowest) : Json()},
                        {"highest", known ? Json(minute.highest) : Json()},
                        {"mean", known ? Json(tenths(minute.mean)) : Json()},
                        {"maxPlayers", known ? Json(minute.maxPlayers) : Json()},
                        {"answered", minute.answered}});
    }
    const Json out = {{"server", server}, {"hours", hours}, {"weekdayHourMean", week}, {"minutes", rows}};
    // Replaced, not refused: the address is the user's own typing.
    std::puts(out.dump(2, ' ', false, Json::error_handler_t::replace).c_str());
}

void printText(const std::string& server, const std::string& file, const HistoryReport& report)
{
    std::printf("History of %s in %s (local time)\n\nLast 24 hours     lowest   mean  highest\n", server.c_str(),
                file.c_str());
    for (const HistoryReport::Hour& hour : report.lastDay) {
        const std::string when = localTime(hour.start, "%a %H:%M");
        if (hour.answered > 0)
            std::printf("  %-14s %6d %6s %8d\n", when.c_str(), hour.lowest, fixed(hour.mean).c_str(), hour.highest);
        else
            std::printf("  %-14s %6s %6s %8s\n", when.c_str(), "-", "-", "-");
    }
    std::printf("\nMean players by weekday and hour\n     ");
    for (int hour = 0; hour < 24; ++hour)
        std::printf("%5d", hour);
    std::printf("\n");
    for (int day = 0; day < 7; ++day) {
        std::printf("  %.3s", weekdays[day]);
        for (int hour = 0; hour < 24; ++hour) {
            const HistoryReport::Cell& cell = report.week[day][hour];
            std::printf("%5s", cell.answered ? fixed(cell.mean).c_str() : "-");
        }
        std::printf("\n");
    }
}

} // namespace

bool wanted(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (std::strcmp(argv[i], "--history") == 0)
            return true;
    return false;
}

int run(int argc, char** argv)
{
    Options options;
    std::string problem;
    if (!parse(argc, argv, options, problem)) {
        std::fprintf(stderr, "holmik-query: %s\n%s\n", problem.c_str(), usage);
        return 2;
    }
    const std::string folder =
        options.data.empty() ? DataFolder::dataFolder(os::executableDirectory(), os::userDataDirectory()) : options.data;
    const std::string file = joinPath(folder, "History.sqlite");
    const std::string server = HistoryRecorder::serverKey(options.host, options.port);

    HistoryStore store;
    HistoryStore::Result result = store.openToRead(file);
    const std::int64_t now = HistoryRecorder::unixNow();
    std::vector<HistoryBucket> quarters;
    if (result == HistoryStore::Result::Ok)
        result = store.buckets(server, now - HistoryStore::keptSeconds, now + 60, HistoryReport::bucketSeconds, quarters);
    if (result != HistoryStore::Result::Ok) {
        std::fprintf(stderr, "holmik-query: cannot read the history in %s: %s\n", file.c_str(),
                     HistoryStore::describe(result));
        return 1;
    }
    const HistoryReport report = HistoryReport::make(quarters, now);
    std::vector<HistoryBucket> minutes;
    if (options.json)
        store.buckets(server, now - 24 * 3600, now + 60, 60, minutes);
    if (options.json)
        printJson(server, report, minutes);
    else
        printText(server, file, report);
    if (!report.anything) {
        std::fprintf(stderr, "holmik-query: the history in %s holds no answer of %s\n", file.c_str(), server.c_str());
        return 1;
    }
    return 0;
}

} // namespace HistoryTool
