// holmik-query as a user runs it, against the test server on loopback.
#include "query/TestServer.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <cstring>
#include <sys/wait.h>

namespace {

struct Result {
    int code = -1;
    std::string out;
};

Result runTool(const std::string& arguments)
{
    Result r;
    r.out = testing_support::commandOutput(std::string(HOLMIK_BIN_DIR) + "/holmik-query " + arguments + " 2>/dev/null", false,
                                           &r.code);
    return r;
}

class QueryToolTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        server.setMap("de_mirage");
        server.setPlayers({Player(3, "Zien", 7, 61.5f), Player(4, "quote \" and \\ and \x01", 2, 10)});
        server.setRules({Rule("sv_gravity", "800")});
        server.setDelay(2);
        ASSERT_TRUE(server.start());
        address = "127.0.0.1:" + std::to_string(server.port());
    }
    TestServer server;
    std::string address;
};

TEST_F(QueryToolTest, JsonCarriesTheStatusFieldNames)
{
    server.setSplitSize(60);
    server.setCompressed(true);
    const Result r = runTool(address + " --json --rules");
    ASSERT_EQ(r.code, 0) << r.out;
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["host"], "127.0.0.1");
    EXPECT_EQ(j["port"], server.port());
    EXPECT_EQ(j["map"], "de_mirage");
    EXPECT_EQ(j["players"], 2);
    EXPECT_EQ(j["vac"], 1);
    EXPECT_GE(j["ping"].get<int>(), 1);
    for (const char* key : {"protocol", "name", "folder", "game", "appId", "maxPlayers", "bots", "serverType",
                            "environment", "visibility", "version"})
        EXPECT_TRUE(j.contains(key)) << key;
    ASSERT_EQ(j["playerList"].size(), 2u);
    EXPECT_EQ(j["playerList"][0]["name"], "Zien");
    EXPECT_EQ(j["playerList"][0]["index"], 3);
    EXPECT_EQ(j["playerList"][0]["score"], 7);
    EXPECT_EQ(j["playerList"][0]["duration"], 61.5);
    EXPECT_EQ(j["playerList"][1]["name"], "quote \" and \\ and \x01");
    ASSERT_EQ(j["rules"].size(), 1u);
    EXPECT_EQ(j["rules"][0]["value"], "800");
}

TEST_F(QueryToolTest, TextShowsTheStatusAndRulesOnlyWhenAsked)
{
    Result r = runTool(address);
    ASSERT_EQ(r.code, 0);
    EXPECT_NE(r.out.find("map: de_mirage\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Zien"), std::string::npos);
    EXPECT_EQ(r.out.find("sv_gravity"), std::string::npos);
    EXPECT_EQ(server.requestCount(TestServer::RequestKind::Rules), 0);
    r = runTool(address + " --rules");
    EXPECT_NE(r.out.find("sv_gravity = 800"), std::string::npos) << r.out;
}

TEST_F(QueryToolTest, NoAnswerExitsOne)
{
    server.stop();
    const Result r = runTool(address + " --json");
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(nlohmann::json::parse(r.out)["ping"], -1);
}

TEST(TestServerTool, ServesTheDemoOnThePortItPrints)
{
    const std::string command = std::string(HOLMIK_BIN_DIR) + "/holmik-testserver --seconds 3 --delay 2";
    FILE* pipe = popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    char line[32] = {};
    ASSERT_NE(fgets(line, sizeof line, pipe), nullptr);
    const Result r = runTool("127.0.0.1:" + std::string(line, strcspn(line, "\n")) + " --json");
    pclose(pipe);
    ASSERT_EQ(r.code, 0);
    const nlohmann::json j = nlohmann::json::parse(r.out);
    EXPECT_EQ(j["map"], "de_dust2");
    EXPECT_GE(j["playerList"].size(), 4u);
}

TEST(QueryToolArguments, BadArgumentsExitTwoAndHelpExitsZero)
{
    for (const char* bad : {"", "127.0.0.1:0", "127.0.0.1:70000", "host:x", ":27015", "a b", "--colour a"})
        EXPECT_EQ(runTool(bad).code, 2) << bad;
    const Result help = runTool("--help");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("usage: holmik-query HOST[:PORT] [--rules] [--json]"), std::string::npos);
    const Result version = runTool("--version");
    EXPECT_EQ(version.code, 0);
    EXPECT_EQ(version.out, "holmik-query 4.7.0\n");
}

} // namespace
