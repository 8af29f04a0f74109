// The state file of holmik-testserver: what each key sets, and what it refuses.
#include "query/TestServerState.h"

#include <gtest/gtest.h>

namespace {

// The test server's own end-to-end case reads names, counts, rules and silence; here, what a
// player left short gets and what a key left out leaves.
TEST(TestServerState, APlayersMissingValuesAreFilledAndAKeyLeftOutStaysUnset)
{
    TestServerState s;
    std::string problem;
    ASSERT_TRUE(TestServerState::read(R"({"appId": 730, "players": [{"name": "Zien", "score": -3, "time": 12.5}, {"name": ""}]})",
                                      s, problem))
        << problem;
    EXPECT_EQ(s.appId, 730);
    ASSERT_EQ(s.players->size(), 2u);
    EXPECT_EQ((*s.players)[0].getScore(), -3);
    EXPECT_EQ((*s.players)[1].getIndex(), 1);
    EXPECT_EQ((*s.players)[1].getDuration(), 0.0f);
    EXPECT_FALSE(s.name || s.map || s.rules || s.silent);
}

TEST(TestServerState, AWrongValueIsNamedAndLeavesTheStateAsItWas)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "not a JSON object"},
        {R"({"map": "a",)", "not a JSON object"},
        {R"({"maxplayers": 2})", "unknown key \"maxplayers\""},
        {R"({"maxPlayers": 256})", "\"maxPlayers\" must be a number 0-255"},
        {R"({"bots": 1.5})", "\"bots\" must be a number 0-255"},
        {R"({"map": 3})", "\"map\" must be a text"},
        {R"({"silent": 1})", "\"silent\" must be true or false"},
        {R"({"players": [{"score": 1}]})", "\"players[0]\" must be an object with a \"name\""},
        {R"({"players": [{"name": "a"}, {"name": "b", "time": -1}]})", "\"players[1].time\" must be seconds, 0 or more"},
        {R"({"players": [{"name": "a", "kills": 1}]})", "\"players[0].kills\" must be one of name, score, time"},
        {R"({"rules": {"a": null}})", "\"rules.a\" must be a text"},
    };
    for (const auto& [text, said] : cases) {
        TestServerState s;
        s.map = "kept";
        std::string problem;
        EXPECT_FALSE(TestServerState::read(text, s, problem)) << text;
        EXPECT_EQ(problem, said) << text;
        EXPECT_EQ(s.map, "kept") << text;
    }
}

} // namespace
