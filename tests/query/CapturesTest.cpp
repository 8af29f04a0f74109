// Replies captured from real servers read to the values another query library read from them.
#include "Captures.h"
#include "query/ReplyReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

namespace {

using captures::collect;
using captures::datagrams;
using captures::expected;

TEST(Captures, InfoRepliesReadToTheRecordedValues)
{
    // The old-style replies (type 0x6D, not 'I') fill nothing.
    for (const auto& [name, isInfo] : {std::pair{"info_csgo", true}, {"info_tf2", true}, {"info_gmod_cyrillic", true},
                                       {"info_theship", true}, {"info_hltv", false},
                                       {"info_svencoop_nonsteam", false}}) {
        SCOPED_TRACE(name);
        const nlohmann::json w = expected(name);
        ServerStatus s;
        ByteStream payload = collect(datagrams(name));
        ASSERT_EQ(ReplyReader::readInfo(payload, s), isInfo);
        auto n = [](const nlohmann::json& v) { return std::to_string(v.is_string() ? v.dump()[1] : v.get<int>()); };
        // The Ship puts its game mode and witness fields before the version; read in the
        // common order, its mode byte (0) is an empty version text.
        EXPECT_EQ(captures::fields(s),
                  (!isInfo ? captures::fields(ServerStatus())
                           : std::vector<std::string>{n(w["Protocol"]), w["HostName"], w["Map"], w["ModDir"],
                                                      w["ModDesc"], n(w["AppID"]), n(w["Players"]), n(w["MaxPlayers"]),
                                                      n(w["Bots"]), n(w["Dedicated"]), n(w["Os"]), n(w["Password"]),
                                                      n(w["Secure"]), w["ModDir"] == "ship" ? "" : w["Version"]}));
    }
}

TEST(Captures, FiftyEightPlayersInTwoPiecesInEitherOrder)
{
    auto pieces = datagrams("players_csgo");
    ASSERT_EQ(pieces.size(), 2u);
    const nlohmann::json want = expected("players_csgo");
    for (int turn = 0; turn < 2; ++turn, std::swap(pieces[0], pieces[1])) {
        ServerStatus s;
        ByteStream payload = collect(pieces);
        ASSERT_TRUE(ReplyReader::readPlayers(payload, s));
        EXPECT_EQ(s.getPlayers(), want.size());
        // Every recorded player with its score and whole seconds, ordered by score, then time.
        const std::vector<Player>& list = s.getPlayerList();
        EXPECT_TRUE(std::is_sorted(list.begin(), list.end(), [](auto& a, auto& b) { return a.ranksAbove(b); }));
        std::multiset<std::string> got, recorded;
        for (const Player& p : list)
            got.insert(p.getName() + " " + std::to_string(p.getScore()) + " "
                       + std::to_string(int(std::floor(p.getDuration()))));
        for (const auto& w : want)
            recorded.insert(w["Name"].get<std::string>() + " " + std::to_string(w["Frags"].get<int>()) + " "
                            + std::to_string(w["Time"].get<int>()));
        EXPECT_EQ(got, recorded);
    }
}

TEST(Captures, TwoHundredSixtyOneRulesInSixPiecesOutOfOrder)
{
    auto pieces = datagrams("rules_tf2_sourcemod");
    ASSERT_EQ(pieces.size(), 6u);
    std::swap(pieces[1], pieces[4]);
    ServerStatus s;
    ByteStream payload = collect(pieces);
    ASSERT_TRUE(ReplyReader::readRules(payload, s));
    const nlohmann::json want = expected("rules_tf2_sourcemod");
    const std::vector<Rule>& rules = s.getRules();
    EXPECT_TRUE(std::is_sorted(rules.begin(), rules.end(), [](auto& a, auto& b) { return a.getName() < b.getName(); }));
    nlohmann::json got = nlohmann::json::object();
    for (const Rule& r : rules)
        got[r.getName()] = r.getValue();
    EXPECT_EQ(rules.size(), want.size());
    EXPECT_EQ(got, want);
}

} // namespace
