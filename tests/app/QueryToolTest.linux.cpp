// holmik-query and holmik-testserver as a user runs them, on loopback.
#include "query/TestServer.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

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
    for (const char* key : {"protocol", "name", "folder", "game", "appId", "maxPlayers", "bots", "serverType",
                            "environment", "visibility", "version"})
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

    server.stop();
    EXPECT_EQ(json::parse(query(address + " --json", &code))["ping"], -1);
    EXPECT_EQ(code, 1) << "no answer";

    for (const char* bad : {"", "127.0.0.1:0", "127.0.0.1:70000", "host:x", ":27015", "a b", "--colour a"}) {
        query(bad, &code);
        EXPECT_EQ(code, 2) << bad;
    }
    EXPECT_NE(query("--help", &code).find("usage: holmik-query HOST[:PORT] [--rules] [--json]"), std::string::npos);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(query("--version", &code), "holmik-query 4.7.0\n");
    EXPECT_EQ(code, 0);
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

} // namespace
