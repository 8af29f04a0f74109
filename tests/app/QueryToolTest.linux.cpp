// holmik-query and holmik-testserver as a user runs them, on loopback.
#include "query/TestServer.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <chrono>
#include <thread>

namespace {

using nlohmann::json;

std::string query(const std::string& arguments, int* code = nullptr)
{
    return testing_support::commandOutput(HOLMIK_BIN_DIR "/holmik-query " + arguments + " 2>/dev/null", false, code);
}

TEST(QueryTool, JsonAndTextCarryTheStatusRulesOnlyWhenAskedAndBadArgumentsExitTwo)
{
    TestServer server;
    server.setMap("de_mirage");
    server.setPlayers({Player(3, "Zien", 7, 61.5f), Player(4, "quote \" and \\ and \x01", 2, 10)});
    server.setRules({Rule("sv_gravity", "800")});
    server.setDelay(2);
    server.setSplitSize(60);
    server.setCompressed(true);
    ASSERT_TRUE(server.start());
    const std::string address = "127.0.0.1:" + std::to_string(server.port());
    int code = -1;
    const json j = json::parse(query(address + " --json --rules", &code));
    ASSERT_EQ(code, 0);
    EXPECT_EQ(j["host"], "127.0.0.1");
    EXPECT_EQ(j["port"], server.port());
    EXPECT_EQ(j["map"], "de_mirage");
    EXPECT_EQ(j["players"], 2);
    EXPECT_EQ(j["vac"], 1);
    EXPECT_GE(j["ping"].get<int>(), 1);
    EXPECT_EQ(j["serverType"], "d");
    EXPECT_EQ(j["environment"], "l");
    EXPECT_EQ(j["answered"], true);
    EXPECT_EQ(j["namesHidden"], false);
    for (const char* key : {"address", "protocol", "name", "folder", "game", "appId", "maxPlayers", "bots",
                            "visibility", "version"})
        EXPECT_TRUE(j.contains(key)) << key;
    EXPECT_EQ(j["playerList"], json::parse(R"([{"index": 3, "name": "Zien", "score": 7, "duration": 61.5},
                                                {"index": 4, "name": "quote \" and \\ and \u0001", "score": 2, "duration": 10.0}])"));
    EXPECT_EQ(j["rules"], json::parse(R"([{"name": "sv_gravity", "value": "800"}])"));

    const int rulesAsked = server.requestCount(TestServer::RequestKind::Rules);
    const std::string text = query(address);
    EXPECT_NE(text.find("map: de_mirage\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Zien"), std::string::npos);
    EXPECT_EQ(text.find("sv_gravity"), std::string::npos);
    EXPECT_EQ(server.requestCount(TestServer::RequestKind::Rules), rulesAsked) << "rules only when asked";
    EXPECT_NE(query(address + " --rules").find("sv_gravity = 800"), std::string::npos);

    for (const char* bad : {"", "127.0.0.1:0", "127.0.0.1:70000", "host:x", ":27015", "'a b'", "--colour a"}) {
        query(bad, &code);
        EXPECT_EQ(code, 2) << bad;
    }
    const std::string help = query("--help", &code);
    EXPECT_NE(help.find("usage: holmik-query HOST[:PORT]... [--rules] [--json]"), std::string::npos);
    EXPECT_NE(help.find("3  a server's host name could not be looked up"), std::string::npos) << help;
    EXPECT_EQ(code, 0);
    EXPECT_EQ(query("--version", &code), "holmik-query 4.7.0\n");
    EXPECT_EQ(code, 0);
}

TEST(QueryTool, ASilentServerAndAnUnknownHostPrintNoRecordAndExitApart)
{
    TestServer silent;
    silent.setSilent(true);
    ASSERT_TRUE(silent.start());
    const std::string address = "127.0.0.1:" + std::to_string(silent.port());
    int code = -1;
    EXPECT_EQ(json::parse(query(address + " --json", &code)),
              json({{"address", address}, {"answered", false}, {"error", "no answer from " + address}}));
    EXPECT_EQ(code, 1);
    EXPECT_EQ(query(address, &code), "no answer from " + address + "\n") << "no zeroed record";

    EXPECT_EQ(query("no.such.host.invalid", &code), "cannot resolve no.such.host.invalid\n");
    EXPECT_EQ(code, 3);
    EXPECT_EQ(json::parse(query("no.such.host.invalid:27016 --json"))["error"], "cannot resolve no.such.host.invalid");
}

TEST(QueryTool, SeveralServersGiveOneArrayInTheirOrderWithTheFirstFailuresCode)
{
    TestServer hidden, silent;
    hidden.loadHiddenNamesDemoContent();
    silent.setSilent(true);
    ASSERT_TRUE(hidden.start());
    ASSERT_TRUE(silent.start());
    const std::string first = "127.0.0.1:" + std::to_string(hidden.port());
    const std::string second = "127.0.0.1:" + std::to_string(silent.port());
    int code = -1;
    const json all = json::parse(query(first + " " + second + " no.such.host.invalid --json", &code));
    ASSERT_TRUE(all.is_array() && all.size() == 3u) << all.dump();
    EXPECT_EQ(code, 1) << "the silent server comes before the unknown host";
    EXPECT_EQ(all[0]["namesHidden"], true);
    EXPECT_EQ(all[0]["players"], 12);
    EXPECT_EQ(all[0]["playerList"], json::array());
    EXPECT_EQ(all[1]["address"], second);
    EXPECT_EQ(all[1]["answered"], false);
    EXPECT_EQ(all[2]["address"], "no.such.host.invalid:27015");

    const std::string text = query(first + " " + second, &code);
    EXPECT_NE(text.find("  12 players (names hidden by the server)\n"), std::string::npos) << text;
    EXPECT_NE(text.find("\n\nno answer from " + second + "\n"), std::string::npos) << text;
}

TEST(QueryTool, TheTestServerServesTheDemoOnThePortItPrints)
{
    testing_support::ChildProcess server({HOLMIK_BIN_DIR "/holmik-testserver", "--seconds", "3", "--delay", "2"}, {});
    std::string port;
    ASSERT_TRUE(server.readLine(port));
    int code = -1;
    const json j = json::parse(query("127.0.0.1:" + port + " --json", &code));
    ASSERT_EQ(code, 0);
    EXPECT_EQ(j["map"], "de_dust2");
    EXPECT_GE(j["playerList"].size(), 4u);
}

// Asks until the server's answer passes `seen` (a state file is read again within a second).
json queryUntil(const std::string& address, bool (*seen)(const json&))
{
    json j;
    for (int i = 0; i < 30; ++i) {
        j = json::parse(query(address + " --json --rules"));
        if (seen(j))
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return j;
}

TEST(QueryTool, AStateFileFillsTheTestServerFreesASlotAndSilencesIt)
{
    testing_support::TempDir dir;
    const std::string path = dir.file("state.json");
    dir.write("state.json", R"({"name": "Full house", "maxPlayers": 2, "bots": 0, "password": true, "rules": {"sv_gravity": 800},
                               "players": [{"name": "Zien", "score": 5, "time": 90}, {"name": "Foxy", "score": 1, "time": 30}]})");
    testing_support::ChildProcess server({HOLMIK_BIN_DIR "/holmik-testserver", "--state", path, "--seconds", "20"}, {});
    std::string port;
    ASSERT_TRUE(server.readLine(port));
    const std::string address = "127.0.0.1:" + port;
    json j = json::parse(query(address + " --json --rules"));
    EXPECT_EQ(j["name"], "Full house");
    EXPECT_EQ(j["map"], "de_dust2") << "a key left out keeps the demo's value";
    EXPECT_EQ(j["players"], 2);
    EXPECT_EQ(j["visibility"], 1);
    EXPECT_EQ(j["rules"], json::parse(R"([{"name": "sv_gravity", "value": "800"}])"));
    EXPECT_EQ(j["playerList"][0], json::parse(R"({"index": 0, "name": "Zien", "score": 5, "duration": 90.0})"));

    dir.write("state.json", R"({"maxPlayers": 2, "players": [{"name": "Zien"}]})");
    // The info reply names the server; a query whose info came before the change may list the new players.
    j = queryUntil(address, [](const json& j) { return j["name"] == "HolmikZiviza demo server"; });
    EXPECT_EQ(j["name"], "HolmikZiviza demo server") << "a key taken out comes back to the demo's value";
    EXPECT_EQ(j["players"], 1) << "a slot is free";
    EXPECT_EQ(j["visibility"], 0);

    dir.write("state.json", R"({"silent": true})");
    j = queryUntil(address, [](const json& j) { return j["answered"] == false; });
    EXPECT_EQ(j["answered"], false);
}

} // namespace
