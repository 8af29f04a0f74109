// The history as a user meets it: the window keeps its server's players in History.sqlite
// (another program reads the minute's lowest and highest count), holmik-query --history
// reports them.
#include "query/TestServer.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ProgramUnderX.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>
#include <sqlite3.h>

#include <filesystem>

using namespace testing_support;

namespace {

const std::string nowhere = "127.0.0.1:1";

std::vector<Player> players(int count)
{
    std::vector<Player> list;
    for (int i = 0; i < count; ++i)
        list.emplace_back(static_cast<std::uint8_t>(i), "player" + std::to_string(i), i, 60.0f);
    return list;
}

// The lowest and highest count of every stored minute, as the sqlite3 library reads them.
std::pair<int, int> storedRange(const std::string& path)
{
    sqlite3* db = nullptr;
    sqlite3_open_v2(path.c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    sqlite3_stmt* statement = nullptr;
    std::pair<int, int> range{-1, -1};
    if (sqlite3_prepare_v2(db, "SELECT min(lowest), max(highest) FROM history", -1, &statement, nullptr) == SQLITE_OK &&
        sqlite3_step(statement) == SQLITE_ROW && sqlite3_column_type(statement, 0) != SQLITE_NULL)
        range = {sqlite3_column_int(statement, 0), sqlite3_column_int(statement, 1)};
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return range;
}

TEST(HistoryProgram, TheWindowKeepsItsServersPlayersAndTheToolReportsThem)
{
    if (!ProgramUnderX::missing().empty())
        GTEST_SKIP() << "needs " << ProgramUnderX::missing();
    ProgramUnderX program;
    ASSERT_TRUE(program.ready());
    TestServer server;
    server.setMap("de_dust2"); // and answers within a millisecond, as on loopback
    server.setPlayers(players(3));
    ASSERT_TRUE(server.start());
    const std::string address = "127.0.0.1:" + std::to_string(server.port());
    const std::string file = program.dataFile("History.sqlite");

    program.start({"--server", address, "--update-host", nowhere, "--map-host", nowhere});
    ASSERT_TRUE(program.waitForWindow());
    os::sleepMilliseconds(3000);
    server.setPlayers(players(5));
    os::sleepMilliseconds(3000);
    program.signal(SIGTERM);
    ASSERT_EQ(program.waitForExit(5000), 0);
    EXPECT_EQ(storedRange(file), std::make_pair(3, 5)) << "the running minute is written at the end";

    int code = -1;
    const std::string data = std::filesystem::path(file).parent_path().string();
    const nlohmann::json report = nlohmann::json::parse(
        commandOutput(HOLMIK_BIN_DIR "/holmik-query --history " + address + " --data " + data + " --json", false, &code));
    EXPECT_EQ(code, 0);
    ASSERT_EQ(report["hours"].size(), 24u);
    int lowest = 99, highest = -1; // the run may have crossed an hour
    for (const nlohmann::json& hour : report["hours"])
        if (!hour["lowest"].is_null()) {
            lowest = std::min(lowest, hour["lowest"].get<int>());
            highest = std::max(highest, hour["highest"].get<int>());
        }
    EXPECT_EQ(lowest, 3);
    EXPECT_EQ(highest, 5);
    EXPECT_EQ(report["weekdayHourMean"].size(), 7u);
    ASSERT_GE(report["minutes"].size(), 1u);
    EXPECT_EQ(report["minutes"].back()["highest"], 5);
}

} // namespace
