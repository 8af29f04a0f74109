#include "query/ReplyReader.h"

#include "Captures.h"
#include "query/ServerStatus.h"

#include <gtest/gtest.h>

using captures::bytes;

namespace {

// An info payload (from the type byte), cut at every field boundary below.
const std::string infoPayload = bytes({
    0x49,                     // [0] type 'I'
    0x11,                     // [1] protocol 17
    'H', 'o', 'l', 'm', 0x00, // [2,7) name
    'd', 'e', '_', 'x', 0x00, // [7,12) map
    'c', 's', 'g', 'o', 0x00, // [12,17) folder
    'C', 'S', 0x00,           // [17,20) game
    0xDA, 0x02,               // [20,22) appId 730
    0x05,                     // [22] players
    0x10,                     // [23] maxPlayers
    0x02,                     // [24] bots
    'd',                      // [25] serverType
    'l',                      // [26] environment
    0x01,                     // [27] visibility
    0x01,                     // [28] vac
    '1', '.', '0', 0x00,      // [29,33) version
    0x80, 0x87, 0x69,         // [33,36) extra data: ignored
});

ServerStatus readInfoCut(std::size_t length)
{
    ServerStatus status;
    ByteStream payload = captures::stream(infoPayload.substr(0, length));
    ReplyReader::readInfo(payload, status);
    return status;
}

TEST(InfoReply, ReadsEveryFieldInOrderAndIgnoresTheExtraData)
{
    ServerStatus s = readInfoCut(infoPayload.size());
    EXPECT_EQ(s.getProtocol(), 17);
    EXPECT_EQ(s.getName(), "Holm");
    EXPECT_EQ(s.getMap(), "de_x");
    EXPECT_EQ(s.getFolder(), "csgo");
    EXPECT_EQ(s.getGame(), "CS");
    EXPECT_EQ(s.getAppId(), 730);
    EXPECT_EQ(s.getPlayers(), 5);
    EXPECT_EQ(s.getMaxPlayers(), 16);
    EXPECT_EQ(s.getBots(), 2);
    EXPECT_EQ(s.getServerType(), 'd');
    EXPECT_EQ(s.getEnvironment(), 'l');
    EXPECT_EQ(s.getVisibility(), 1);
    EXPECT_EQ(s.getVac(), 1);
    EXPECT_EQ(s.getVersion(), "1.0");
}

TEST(InfoReply, CutAtEachFieldBoundaryReadsTheRestAsZeroAndEmpty)
{
    const ServerStatus full = readInfoCut(infoPayload.size());
    const std::size_t boundaries[] = {2, 7, 12, 17, 20, 22, 23, 24, 25, 26, 27, 28, 29, 33};
    for (std::size_t cut : boundaries) {
        SCOPED_TRACE("cut at " + std::to_string(cut));
        ServerStatus s = readInfoCut(cut);
        EXPECT_EQ(s.getProtocol(), full.getProtocol());
        EXPECT_EQ(s.getName(), cut >= 7 ? full.getName() : "");
        EXPECT_EQ(s.getMap(), cut >= 12 ? full.getMap() : "");
        EXPECT_EQ(s.getFolder(), cut >= 17 ? full.getFolder() : "");
        EXPECT_EQ(s.getGame(), cut >= 20 ? full.getGame() : "");
        EXPECT_EQ(s.getAppId(), cut >= 22 ? full.getAppId() : 0);
        EXPECT_EQ(s.getPlayers(), cut >= 23 ? full.getPlayers() : 0);
        EXPECT_EQ(s.getMaxPlayers(), cut >= 24 ? full.getMaxPlayers() : 0);
        EXPECT_EQ(s.getBots(), cut >= 25 ? full.getBots() : 0);
        EXPECT_EQ(s.getServerType(), cut >= 26 ? full.getServerType() : 0);
        EXPECT_EQ(s.getEnvironment(), cut >= 27 ? full.getEnvironment() : 0);
        EXPECT_EQ(s.getVisibility(), cut >= 28 ? full.getVisibility() : 0);
        EXPECT_EQ(s.getVac(), cut >= 29 ? full.getVac() : 0);
        EXPECT_EQ(s.getVersion(), cut >= 33 ? full.getVersion() : "");
    }
    // Cut inside a field: a half text is read as far as it goes, a half number as 0.
    EXPECT_EQ(readInfoCut(4).getName(), "Ho");
    ServerStatus half = readInfoCut(21);
    EXPECT_EQ(half.getAppId(), 0);
    EXPECT_EQ(half.getPlayers(), 0xDA) << "the byte a short number left is read by the next field";
}

TEST(InfoReply, OtherTypesAndOneByteRepliesLeaveTheStatusAlone)
{
    for (const std::string& reply : {bytes({0x49}), bytes({0x6D, 'x', 0}), std::string()}) {
        ServerStatus s;
        s.setMap("kept");
        ByteStream payload = captures::stream(reply);
        EXPECT_FALSE(ReplyReader::readInfo(payload, s));
        EXPECT_EQ(s.getMap(), "kept");
    }
}

TEST(ChallengeReply, NeedsTheTypeAndReadsAShortChallengeAsZero)
{
    std::int32_t c = 7;
    ByteStream good = captures::stream(bytes({0x41, 0x78, 0x56, 0x34, 0x12}));
    EXPECT_TRUE(ReplyReader::readChallenge(good, c));
    EXPECT_EQ(c, 0x12345678);
    c = 7;
    ByteStream shortOne = captures::stream(bytes({0x41, 0x78, 0x56}));
    EXPECT_TRUE(ReplyReader::readChallenge(shortOne, c));
    EXPECT_EQ(c, 0);
    c = 7;
    ByteStream other = captures::stream(bytes({0x49, 0x78, 0x56, 0x34, 0x12}));
    EXPECT_FALSE(ReplyReader::readChallenge(other, c));
    EXPECT_EQ(c, 7);
}

std::string playerEntry(int index, const std::string& name, std::int32_t score, float duration)
{
    ByteStream s;
    s.writeByte(static_cast<std::uint8_t>(index));
    s.writeString(name);
    s.writeInt32(score);
    s.writeFloat(duration);
    return captures::text(s);
}

ServerStatus readPlayers(const std::string& payload)
{
    ServerStatus s;
    ByteStream stream = captures::stream(payload);
    EXPECT_TRUE(ReplyReader::readPlayers(stream, s));
    return s;
}

std::vector<std::string> names(const ServerStatus& s)
{
    std::vector<std::string> out;
    for (const Player& p : s.getPlayerList())
        out.push_back(p.getName());
    return out;
}

TEST(PlayersReply, CountReplacesPlayersAndEmptyNamesAreDropped)
{
    ServerStatus s = readPlayers(bytes({0x44, 3}) + playerEntry(0, "a", 1, 1) + playerEntry(1, "", 2, 2)
                                 + playerEntry(2, "c", 3, 3));
    EXPECT_EQ(s.getPlayers(), 3);
    EXPECT_EQ(names(s), (std::vector<std::string>{"c", "a"}));
}

TEST(PlayersReply, OrderedByScoreThenDurationNewestFirstAmongEquals)
{
    EXPECT_EQ(names(readPlayers(bytes({0x44, 2}) + playerEntry(0, "five", 5, 1) + playerEntry(1, "nine", 9, 1))),
              (std::vector<std::string>{"nine", "five"}));
    EXPECT_EQ(names(readPlayers(bytes({0x44, 2}) + playerEntry(0, "short", 5, 10) + playerEntry(1, "long", 5, 99))),
              (std::vector<std::string>{"long", "short"}));
    EXPECT_EQ(names(readPlayers(bytes({0x44, 3}) + playerEntry(0, "old", 5, 10) + playerEntry(1, "new", 5, 10)
                                + playerEntry(2, "low", -1, 500))),
              (std::vector<std::string>{"new", "old", "low"}));
}

TEST(PlayersReply, CutShortEveryMissingEntryReadsEmptyAndIsDropped)
{
    const std::string entries = playerEntry(0, "one", 1, 1) + playerEntry(1, "two", 2, 2);
    ServerStatus s = readPlayers(bytes({0x44, 5}) + entries);
    EXPECT_EQ(s.getPlayers(), 5);
    EXPECT_EQ(names(s), (std::vector<std::string>{"two", "one"}));

    // Cut inside the second entry, at each of its fields: a half name ends with the data,
    // and no entry after it gets a name out of the bytes of another field.
    const std::string first = playerEntry(0, "one", 1, 1);
    const std::size_t cuts[] = {0, 1, 3, 5, 9, 12};
    for (std::size_t cut : cuts) {
        ServerStatus t = readPlayers(bytes({0x44, 5}) + first + playerEntry(1, "two", 2, 2).substr(0, cut));
        EXPECT_EQ(t.getPlayers(), 5);
        const std::vector<std::string> got = names(t);
        EXPECT_EQ(got.size(), cut >= 2 ? 2u : 1u) << "cut " << cut;
        for (const std::string& name : got)
            EXPECT_TRUE(name == "one" || std::string("two").rfind(name, 0) == 0) << "cut " << cut << ": " << name;
    }
}

TEST(PlayersReply, AFullCountWithNoBytesBehindItReadsNothing)
{
    ServerStatus s = readPlayers(bytes({0x44, 255}));
    EXPECT_EQ(s.getPlayers(), 255);
    EXPECT_TRUE(s.getPlayerList().empty());
}

std::string rulesPayload(std::int16_t count, const std::vector<std::pair<std::string, std::string>>& pairs)
{
    ByteStream s;
    s.writeByte(0x45);
    s.writeInt16(count);
    for (const auto& [name, value] : pairs) {
        s.writeString(name);
        s.writeString(value);
    }
    return captures::text(s);
}

TEST(RulesReply, InsertedByNameByteWiseNewestFirstAmongEquals)
{
    ServerStatus s;
    ByteStream payload = captures::stream(
        rulesPayload(4, {{"sv_gravity", "800"}, {"Z", "upper"}, {"mp_timelimit", "30"}, {"sv_gravity", "600"}}));
    ASSERT_TRUE(ReplyReader::readRules(payload, s));
    ASSERT_EQ(s.getRules().size(), 4u);
    EXPECT_EQ(s.getRules()[0].getName(), "Z") << "upper case sorts before lower case byte-wise";
    EXPECT_EQ(s.getRules()[1].getName(), "mp_timelimit");
    EXPECT_EQ(s.getRules()[2].getValue(), "600");
    EXPECT_EQ(s.getRules()[3].getValue(), "800");
}

TEST(RulesReply, BatchInsertionMatchesOneByOne)
{
    std::vector<Rule> rules;
    unsigned seed = 12345;
    for (int i = 0; i < 300; ++i) {
        seed = seed * 1103515245u + 12345u;
        rules.emplace_back(std::string(1, static_cast<char>('a' + (seed >> 16) % 7)), std::to_string(i));
    }
    ServerStatus one, batch;
    one.insertRule(Rule("d", "old"));
    batch.insertRule(Rule("d", "old"));
    for (const Rule& r : rules)
        one.insertRule(r);
    batch.insertRules(rules);
    ASSERT_EQ(one.getRules().size(), batch.getRules().size());
    for (std::size_t i = 0; i < rules.size(); ++i) {
        EXPECT_EQ(one.getRules()[i].getName(), batch.getRules()[i].getName());
        EXPECT_EQ(one.getRules()[i].getValue(), batch.getRules()[i].getValue());
    }
}

TEST(RulesReply, NegativeCountReadsNoPairsAndAnOverstatedOneFillsUpWithEmptyPairs)
{
    ServerStatus s;
    ByteStream negative = captures::stream(rulesPayload(-3, {{"a", "1"}}));
    EXPECT_TRUE(ReplyReader::readRules(negative, s));
    EXPECT_TRUE(s.getRules().empty());
    ByteStream overstated = captures::stream(rulesPayload(5, {{"b", "2"}, {"a", "1"}}));
    EXPECT_TRUE(ReplyReader::readRules(overstated, s));
    ASSERT_EQ(s.getRules().size(), 5u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.getRules()[i].getName(), "") << i;
        EXPECT_EQ(s.getRules()[i].getValue(), "") << i;
    }
    EXPECT_EQ(s.getRules()[3].getValue(), "1");
    EXPECT_EQ(s.getRules()[4].getValue(), "2");
    // A name without its value: the value reads empty.
    ServerStatus t;
    ByteStream halfPair = captures::stream(rulesPayload(1, {}) + "sv_cheats");
    EXPECT_TRUE(ReplyReader::readRules(halfPair, t));
    ASSERT_EQ(t.getRules().size(), 1u);
    EXPECT_EQ(t.getRules()[0].getName(), "sv_cheats");
    EXPECT_EQ(t.getRules()[0].getValue(), "");
}

TEST(ServerStatus, CopiesAreDeep)
{
    ServerStatus a("cs.example", 27015);
    a.setMap("de_dust2");
    a.insertPlayer(Player(1, "x", 3, 4));
    a.insertRule(Rule("r", "v"));
    ServerStatus b(a);
    a.clearPlayerList();
    a.setMap("cs_office");
    EXPECT_EQ(b.getMap(), "de_dust2");
    ASSERT_EQ(b.getPlayerList().size(), 1u);
    ServerStatus c;
    c = b;
    b.clearRules();
    EXPECT_EQ(c.getRules().size(), 1u);
    EXPECT_EQ(c.getHost(), "cs.example");
    EXPECT_EQ(ServerStatus().getPing(), -1);
}

} // namespace
