// The state file of holmik-testserver: what each key sets, and what it refuses.
#include "query/TestServerState.h"

#include <gtest/gtest.h>

namespace {

TEST(TestServerState, EveryKeyIsReadAndAKeyLeftOutStaysUnset)
{
    TestServerState s;
    std::string problem;
    ASSERT_TRUE(TestServerState::read(R"({"name": "N", "map": "de_nuke", "game": "G", "appId": 730, "maxPlayers": 255,
        "bots": 0, "password": true, "vac": false, "silent": false, "rules": {"a": "x", "b": 1.5},
        "players": [{"name": "Zien", "score": -3, "time": 12.5}, {"name": ""}]})",
                                      s, problem))
        << problem;
    EXPECT_EQ(s.name, "N");
    EXPECT_EQ(s.map, "de_nuke");
    EXPECT_EQ(s.game, "G");
    EXPECT_EQ(s.appId, 730);
    EXPECT_EQ(s.maxPlayers, 255);
    EXPECT_EQ(s.bots, 0);
    EXPECT_EQ(s.password, true);
    EXPECT_EQ(s.vac, false);
    EXPECT_EQ(s.silent, false);
    ASSERT_EQ(s.rules->size(), 2u);
    EXPECT_EQ((*s.rules)[1].getValue(), "1.5");
    ASSERT_EQ(s.players->size(), 2u);
    EXPECT_EQ((*s.players)[0].getScore(), -3);
    EXPECT_EQ((*s.players)[0].getDuration(), 12.5f);
    EXPECT_EQ((*s.players)[1].getIndex(), 1);
    EXPECT_EQ((*s.players)[1].getDuration(), 0.0f);

    TestServerState few;
    ASSERT_TRUE(TestServerState::read(R"({"map": "cs_office"})", few, problem));
    EXPECT_FALSE(few.name || few.players || few.silent);
}

TEST(TestServerState, AWrongValueIsNamedAndLeavesTheStateAsItWas)
{
    const std::pair<const char*, const char*> cases[] = {
        {"", "not a JSON object"},
        {"[1]", "not a JSON object"},
        {R"({"map": "a",)", "not a JSON object"},
        {R"({"maxplayers": 2})", "unknown key \"maxplayers\""},
        {R"({"maxPlayers": 256})", "\"maxPlayers\" must be a number 0-255"},
        {R"({"appId": -1})", "\"appId\" must be a number 0-65535"},
        {R"({"bots": 1.5})", "\"bots\" must be a number 0-255"},
        {R"({"map": 3})", "\"map\" must be a text"},
        {R"({"silent": 1})", "\"silent\" must be true or false"},
        {R"({"players": {}})", "\"players\" must be a list"},
        {R"({"players": [{"score": 1}]})", "\"players[0]\" must be an object with a \"name\""},
        {R"({"players": [{"name": "a"}, {"name": "b", "time": -1}]})", "\"players[1].time\" must be seconds, 0 or more"},
        {R"({"players": [{"name": "a", "kills": 1}]})", "\"players[0].kills\" must be one of name, score, time"},
        {R"({"rules": ["a"]})", "\"rules\" must be an object of names and values"},
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
