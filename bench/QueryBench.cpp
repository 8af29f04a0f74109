// Speed of the query code: reading captured split replies, and one full query on loopback
// side by side with qstat's quakestat asking the same test server for the same data.
// HOLMIK_FIXTURES_DIR comes with the test helpers (tests/support/).
#include "query/ByteStream.h"
#include "query/ReplyCollector.h"
#include "query/ReplyReader.h"
#include "query/ServerQuery.h"
#include "query/ServerStatus.h"
#include "query/TestServer.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

std::vector<Packet> capture(const std::string& name)
{
    std::ifstream in(std::string(HOLMIK_FIXTURES_DIR) + "/a2s/" + name + ".hex");
    std::vector<Packet> out;
    std::string line;
    while (std::getline(in, line)) {
        std::string bytes;
        for (std::size_t i = 0; i + 1 < line.size(); i += 2)
            bytes.push_back(static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16)));
        out.emplace_back(bytes.data(), bytes.size());
    }
    return out;
}

void collect(const std::vector<Packet>& datagrams, ByteStream& reply)
{
    std::size_t next = 0;
    collectReply(
        [&](bool& ok) {
            ok = next < datagrams.size();
            return ok ? datagrams[next++] : Packet();
        },
        reply);
}

void BM_PlayersCapture58(benchmark::State& state)
{
    const std::vector<Packet> datagrams = capture("players_csgo");
    for (auto _ : state) {
        ByteStream reply;
        collect(datagrams, reply);
        ServerStatus status;
        ReplyReader::readPlayers(reply, status);
        benchmark::DoNotOptimize(status.getPlayerList().data());
    }
    state.SetItemsProcessed(state.iterations() * 58);
}
BENCHMARK(BM_PlayersCapture58);

void BM_RulesCaptureSixPieces(benchmark::State& state)
{
    const std::vector<Packet> datagrams = capture("rules_tf2_sourcemod");
    for (auto _ : state) {
        ByteStream reply;
        collect(datagrams, reply);
        ServerStatus status;
        ReplyReader::readRules(reply, status);
        benchmark::DoNotOptimize(status.getRules().data());
    }
}
BENCHMARK(BM_RulesCaptureSixPieces);

void BM_CompressedPlayersReply(benchmark::State& state)
{
    TestServer server;
    std::vector<Player> players;
    for (int i = 0; i < 64; ++i)
        players.emplace_back(i, "compressed player " + std::to_string(i), i, 1.0f * i);
    server.setPlayers(players);
    server.setSplitSize(400);
    server.setCompressed(true);
    std::vector<Packet> datagrams;
    for (const std::string& d : server.answer(std::string("\xFF\xFF\xFF\xFF\x55\x3C\x2A\x1D\x4B", 9)))
        datagrams.emplace_back(d.data(), d.size());
    for (auto _ : state) {
        ByteStream reply;
        collect(datagrams, reply);
        ServerStatus status;
        ReplyReader::readPlayers(reply, status);
        benchmark::DoNotOptimize(status.getPlayerList().data());
    }
}
BENCHMARK(BM_CompressedPlayersReply);

TestServer& loopbackServer()
{
    static TestServer server;
    if (!server.isRunning()) {
        server.loadDemoContent();
        server.setDelay(0);
        server.start();
    }
    return server;
}

double queryOnce(std::uint16_t port)
{
    const auto t0 = std::chrono::steady_clock::now();
    ServerStatus status("127.0.0.1", port);
    ServerQuery query;
    query.query(status, true, false, true);
    benchmark::DoNotOptimize(status.getMap().data());
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

double quakestatOnce(const std::string& command)
{
    const auto t0 = std::chrono::steady_clock::now();
    const int rc = std::system(command.c_str());
    benchmark::DoNotOptimize(rc);
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
}

// Info and players from the same server, ours and quakestat's in turns in one loop; the
// counters give each one's mean time and the ratios. quakestat's time includes starting the
// process, and it waits out its retry interval (0.5 s unless told, at least 0.1 s) before it
// reports, so its figure is mostly that wait.
void BM_QueryVersusQuakestat(benchmark::State& state)
{
    if (std::system("command -v quakestat >/dev/null 2>&1") != 0) {
        state.SkipWithError("quakestat (Debian package qstat) is not installed");
        return;
    }
    const std::uint16_t port = loopbackServer().port();
    const std::string command = "quakestat -a2s 127.0.0.1:" + std::to_string(port) + " -P -nh >/dev/null 2>&1";
    const std::string quick = "quakestat -interval 0.11 -a2s 127.0.0.1:" + std::to_string(port) + " -P -nh >/dev/null 2>&1";
    double ours = 0, theirs = 0, theirsQuick = 0;
    for (auto _ : state) {
        ours += queryOnce(port);
        theirs += quakestatOnce(command);
        theirsQuick += quakestatOnce(quick);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["ours_ms"] = ours / n;
    state.counters["quakestat_ms"] = theirs / n;
    state.counters["quakestat_interval_0.11_ms"] = theirsQuick / n;
    state.counters["quakestat_per_ours"] = theirs / ours;
    state.counters["quakestat_0.11_per_ours"] = theirsQuick / ours;
}
BENCHMARK(BM_QueryVersusQuakestat)->Unit(benchmark::kMillisecond)->Iterations(20);

void BM_QueryLoopback(benchmark::State& state)
{
    const std::uint16_t port = loopbackServer().port();
    for (auto _ : state)
        queryOnce(port);
}
BENCHMARK(BM_QueryLoopback)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
