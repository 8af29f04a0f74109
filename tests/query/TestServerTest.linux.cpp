// The test server checked by a client that is not ours: qstat.
#include "query/TestServer.h"

#include "Captures.h"
#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <map>

namespace {

TEST(QstatCrossCheck, ReadsTheTestServersReplies)
{
    if (testing_support::commandOutput("command -v quakestat").empty())
        GTEST_SKIP() << "quakestat (Debian package qstat) is not installed: the test server is not cross-checked";
    TestServer server;
    server.setName("Cross check");
    server.setMaxPlayers(24);
    server.setPassword(true);
    server.setRules({Rule("sv_gravity", "800"), Rule("mp_timelimit", "35")});
    ASSERT_TRUE(server.start());
    // Forty players with long names: the players reply goes out in pieces of today's layout.
    std::vector<Player> players = captures::players(40);
    for (Player& p : players)
        p.setName("long player name " + p.getName());
    server.setPlayers(players);
    server.setSplitSize(400);
    ASSERT_GE(server.answer(std::string("\xFF\xFF\xFF\xFF\x55\x3C\x2A\x1D\x4B", 9)).size(), 3u);
    const nlohmann::json all = nlohmann::json::parse(
        testing_support::commandOutput("quakestat -a2s 127.0.0.1:" + std::to_string(server.port())
                                           + " -P -R -json -timeout 3 -retry 1 2>/dev/null", false),
        nullptr, false);
    ASSERT_TRUE(all.is_array() && all.size() == 1u) << all.dump();
    const nlohmann::json& q = all[0];
    std::string seen;
    for (const char* key : {"status", "name", "map", "maxplayers", "numplayers"})
        seen += q[key].dump() + " ";
    for (const char* key : {"password", "gamedir", "sv_gravity", "mp_timelimit"})
        seen += q["rules"][key].dump() + " ";
    EXPECT_EQ(seen, R"("online" "Cross check" "de_dust2" 24 40 "1" "csgo" "800" "35" )");
    // qstat lists the players in an order of its own.
    std::map<std::string, int> scores, want;
    for (const auto& p : q["players"])
        scores[p["name"].get<std::string>()] = p["score"].get<int>();
    for (const Player& p : players)
        want[p.getName()] = p.getScore();
    EXPECT_EQ(scores, want);
}

} // namespace
