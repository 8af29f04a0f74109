// The test server checked by a client that is not ours: qstat.
#include "query/TestServer.h"

#include "Captures.h"

#include "tests/support/ChildProcess.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <cstdlib>
#include <unistd.h>

namespace {

std::string raw(const std::string& command) { return testing_support::commandOutput(command, false); }

bool haveQstat() { return access("/usr/bin/quakestat", X_OK) == 0 || std::system("command -v quakestat >/dev/null 2>&1") == 0; }

nlohmann::json qstat(const TestServer& server)
{
    const std::string out = raw("quakestat -a2s 127.0.0.1:" + std::to_string(server.port()) + " -P -R -json -timeout 3 -retry 1 2>/dev/null");
    return nlohmann::json::parse(out, nullptr, false);
}

class QstatCrossCheck : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!haveQstat())
            GTEST_SKIP() << "quakestat (Debian package qstat) is not installed: the test server is not cross-checked";
        server.setName("Cross check");
        server.setMap("de_nuke");
        server.setMaxPlayers(24);
        server.setPassword(true);
        server.setRules({Rule("sv_gravity", "800"), Rule("mp_timelimit", "35")});
        ASSERT_TRUE(server.start());
    }
    TestServer server;
};

void expectSameStatus(const nlohmann::json& all, const std::vector<Player>& players)
{
    ASSERT_TRUE(all.is_array()) << all.dump();
    ASSERT_EQ(all.size(), 1u);
    const nlohmann::json& q = all[0];
    EXPECT_EQ(q["status"], "online");
    EXPECT_EQ(q["name"], "Cross check");
    EXPECT_EQ(q["map"], "de_nuke");
    EXPECT_EQ(q["maxplayers"], 24);
    EXPECT_EQ(q["numplayers"], players.size());
    EXPECT_EQ(q["rules"]["password"], "1");
    EXPECT_EQ(q["rules"]["gamedir"], "csgo");
    EXPECT_EQ(q["rules"]["sv_gravity"], "800");
    EXPECT_EQ(q["rules"]["mp_timelimit"], "35");
    // qstat lists the players in an order of its own.
    std::map<std::string, int> scores;
    for (const auto& p : q["players"])
        scores[p["name"].get<std::string>()] = p["score"].get<int>();
    ASSERT_EQ(scores.size(), players.size());
    for (const Player& p : players)
        EXPECT_EQ(scores[p.getName()], p.getScore()) << p.getName();
}

TEST_F(QstatCrossCheck, ReadsPlainReplies)
{
    const std::vector<Player> players = {Player(0, "Zien", 12, 600), Player(1, "LiGGleS", 3, 60)};
    server.setPlayers(players);
    expectSameStatus(qstat(server), players);
}

TEST_F(QstatCrossCheck, ReadsSplitRepliesInTodaysLayout)
{
    std::vector<Player> players;
    for (int i = 0; i < 40; ++i)
        players.emplace_back(static_cast<std::uint8_t>(i), "long player name number " + std::to_string(i), i,
                             60.0f * static_cast<float>(i));
    server.setPlayers(players);
    server.setSplitSize(400);
    expectSameStatus(qstat(server), players);
    EXPECT_GE(server.answer(std::string("\xFF\xFF\xFF\xFF\x55\x3C\x2A\x1D\x4B", 9)).size(), 3u)
        << "the players reply really went out in pieces";
}

} // namespace
