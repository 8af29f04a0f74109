// Replies captured from real servers read to the values another query library read from them.
#include "Captures.h"
#include "query/ReplyReader.h"
#include "query/ServerStatus.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>

namespace {

ServerStatus readInfo(const std::string& name, bool& isInfo)
{
    ServerStatus s;
    ByteStream payload = captures::collect(captures::datagrams(name));
    isInfo = ReplyReader::readInfo(payload, s);
    return s;
}

class InfoCapture : public ::testing::TestWithParam<const char*> {};

TEST_P(InfoCapture, ReadsToTheRecordedValues)
{
    bool isInfo = false;
    const ServerStatus s = readInfo(GetParam(), isInfo);
    const nlohmann::json want = captures::expected(GetParam());
    ASSERT_TRUE(isInfo);
    EXPECT_EQ(s.getProtocol(), want["Protocol"]);
    EXPECT_EQ(s.getName(), want["HostName"]);
    EXPECT_EQ(s.getMap(), want["Map"]);
    EXPECT_EQ(s.getFolder(), want["ModDir"]);
    EXPECT_EQ(s.getGame(), want["ModDesc"]);
    EXPECT_EQ(s.getAppId(), want["AppID"]);
    EXPECT_EQ(s.getPlayers(), want["Players"]);
    EXPECT_EQ(s.getMaxPlayers(), want["MaxPlayers"]);
    EXPECT_EQ(s.getBots(), want["Bots"]);
    EXPECT_EQ(std::string(1, static_cast<char>(s.getServerType())), want["Dedicated"]);
    EXPECT_EQ(std::string(1, static_cast<char>(s.getEnvironment())), want["Os"]);
    EXPECT_EQ(s.getVisibility() != 0, want["Password"]);
    EXPECT_EQ(s.getVac() != 0, want["Secure"]);
    // The Ship puts its game mode and witness fields before the version; read in the
    // common order, its mode byte (0) is an empty version text.
    if (want["ModDir"] == "ship")
        EXPECT_EQ(s.getVersion(), "");
    else
        EXPECT_EQ(s.getVersion(), want["Version"]);
}

INSTANTIATE_TEST_SUITE_P(Servers, InfoCapture,
                         ::testing::Values("info_csgo", "info_tf2", "info_gmod_cyrillic", "info_theship"));

TEST(OldStyleInfoCapture, FillsNothing)
{
    for (const char* name : {"info_hltv", "info_svencoop_nonsteam"}) {
        bool isInfo = true;
        const ServerStatus s = readInfo(name, isInfo);
        EXPECT_FALSE(isInfo) << name;
        EXPECT_EQ(s.getMap(), "") << name;
        EXPECT_EQ(s.getName(), "") << name;
    }
}

TEST(PlayersCapture, FiftyEightPlayersInTwoPieces)
{
    const auto datagrams = captures::datagrams("players_csgo");
    ASSERT_EQ(datagrams.size(), 2u);
    ServerStatus s;
    ByteStream payload = captures::collect(datagrams);
    ASSERT_TRUE(ReplyReader::readPlayers(payload, s));
    const nlohmann::json want = captures::expected("players_csgo");
    EXPECT_EQ(s.getPlayers(), want.size());
    ASSERT_EQ(s.getPlayerList().size(), want.size());

    // Every recorded player is there, with its score and whole seconds.
    std::multimap<std::string, const Player*> byName;
    for (const Player& p : s.getPlayerList())
        byName.emplace(p.getName(), &p);
    for (const auto& w : want) {
        auto range = byName.equal_range(w["Name"].get<std::string>());
        ASSERT_NE(range.first, range.second) << w["Name"];
        const Player* p = range.first->second;
        byName.erase(range.first);
        EXPECT_EQ(p->getScore(), w["Frags"]);
        EXPECT_EQ(static_cast<int>(std::floor(p->getDuration())), w["Time"].get<int>()) << w["Name"];
    }
    // Ordered: score, then time on the server, both descending.
    for (std::size_t i = 1; i < s.getPlayerList().size(); ++i)
        EXPECT_FALSE(s.getPlayerList()[i].ranksAbove(s.getPlayerList()[i - 1])) << i;

    // Arrival order does not matter.
    ByteStream reversed = captures::collect({datagrams[1], datagrams[0]});
    ServerStatus r;
    ASSERT_TRUE(ReplyReader::readPlayers(reversed, r));
    EXPECT_EQ(r.getPlayerList().size(), want.size());
}

TEST(RulesCapture, TwoHundredSixtyOneRulesInSixPieces)
{
    auto datagrams = captures::datagrams("rules_tf2_sourcemod");
    ASSERT_EQ(datagrams.size(), 6u);
    std::swap(datagrams[1], datagrams[4]);
    ServerStatus s;
    ByteStream payload = captures::collect(datagrams);
    ASSERT_TRUE(ReplyReader::readRules(payload, s));
    const nlohmann::json want = captures::expected("rules_tf2_sourcemod");
    ASSERT_EQ(s.getRules().size(), want.size());
    for (const Rule& r : s.getRules()) {
        ASSERT_TRUE(want.contains(r.getName())) << r.getName();
        EXPECT_EQ(r.getValue(), want[r.getName()]) << r.getName();
    }
    for (std::size_t i = 1; i < s.getRules().size(); ++i)
        EXPECT_LE(s.getRules()[i - 1].getName(), s.getRules()[i].getName());
}

TEST(Captures, EveryPrefixOfEveryCaptureReadsSafely)
{
    for (const char* name : {"info_csgo", "info_tf2", "info_theship", "players_csgo", "rules_tf2_sourcemod"}) {
        auto datagrams = captures::datagrams(name);
        for (std::size_t d = 0; d < datagrams.size(); ++d) {
            const std::string whole = datagrams[d];
            for (std::size_t cut = 0; cut <= whole.size(); cut += (whole.size() > 2000 ? 7 : 1)) {
                datagrams[d] = whole.substr(0, cut);
                ByteStream payload = captures::collect(datagrams);
                ServerStatus s;
                ReplyReader::readInfo(payload, s);
                ReplyReader::readPlayers(payload, s);
                ReplyReader::readRules(payload, s);
            }
            datagrams[d] = whole;
        }
    }
}

} // namespace
