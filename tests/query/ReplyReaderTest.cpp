// The four reply readers on payloads built byte by byte: the fields in order, and a short
// reply that reads its missing values as 0 and empty texts.
#include "query/ReplyReader.h"

#include "Captures.h"

#include <gtest/gtest.h>

namespace {

using captures::bytes;
using captures::fields;
using namespace std::string_literals;

// An info payload (from the type byte). Type and protocol end at 2, then name 7, map 12,
// folder 17, game 20, appId (730) 22, players to vac a byte each up to 29, version 33; the
// extra data after it is ignored.
const std::string infoPayload = "I\x11Holm\0de_x\0csgo\0" "CS\0\xDA\x02\x05\x10\x02" "dl\x01\x01" "1.0\0\x80\x87\x69"s;

std::vector<std::string> infoCut(std::size_t length)
{
    ServerStatus status;
    ByteStream payload = captures::stream(infoPayload.substr(0, length));
    EXPECT_TRUE(ReplyReader::readInfo(payload, status));
    return fields(status);
}

TEST(InfoReply, ReadsTheFieldsInOrderAndACutOneReadsTheRestAsZeroAndEmpty)
{
    const std::vector<std::string> full
        = {"17", "Holm", "de_x", "csgo", "CS", "730", "5", "16", "2", "100", "108", "1", "1", "1.0"};
    EXPECT_EQ(infoCut(infoPayload.size()), full);
    const std::vector<std::string> none = fields(ServerStatus());
    const std::size_t ends[] = {2, 7, 12, 17, 20, 22, 23, 24, 25, 26, 27, 28, 29, 33};
    for (std::size_t cut : ends) {
        std::vector<std::string> want = none;
        for (std::size_t i = 0; i < want.size(); ++i)
            if (cut >= ends[i])
                want[i] = full[i];
        EXPECT_EQ(infoCut(cut), want) << "cut at " << cut;
    }
    // Cut inside a field: a half text reads as far as it goes, a half number as 0, and the
    // byte it left is read by the next field.
    EXPECT_EQ(infoCut(4)[1], "Ho");
    EXPECT_EQ(infoCut(21)[5], "0");
    EXPECT_EQ(infoCut(21)[6], "218");
}

// Each reader wants its own type byte in a reply of more than one byte; anything else leaves
// the status and the challenge alone. A challenge shorter than four bytes reads as 0.
TEST(Replies, OnlyTheirOwnTypeIsRead)
{
    const std::pair<std::string, std::int32_t> challenges[]
        = {{"A\x78\x56\x34\x12"s, 0x12345678}, {"A\x78\x56"s, 0}, {"A"s, 7}, {"I\x78\x56\x34\x12"s, 7}, {""s, 7}};
    for (const auto& [payload, want] : challenges) {
        std::int32_t challenge = 7;
        ByteStream stream = captures::stream(payload);
        EXPECT_EQ(ReplyReader::readChallenge(stream, challenge), payload.size() > 1 && payload[0] == 'A') << payload;
        EXPECT_EQ(challenge, want) << payload;
    }
    for (const std::string& payload : {"A\x01\x02\x03\x04"s, "I"s, "D"s, "E"s, "m\x01"s, ""s}) {
        ServerStatus s;
        s.setMap("kept");
        ByteStream i = captures::stream(payload), p = i, r = i;
        EXPECT_FALSE(ReplyReader::readInfo(i, s) || ReplyReader::readPlayers(p, s) || ReplyReader::readRules(r, s))
            << payload;
        EXPECT_EQ(s.getMap(), "kept");
    }
}

std::string entry(const std::string& name, std::int32_t score = 0, float duration = 61)
{
    ByteStream s;
    s.writeByte(3);
    s.writeString(name);
    s.writeInt32(score);
    s.writeFloat(duration);
    return captures::text(s);
}

// The count replaces the info reply's; named entries join the list ordered by score, then
// time, a newer one before an equal older one; whole nameless entries are counted as
// hidden names (a Counter-Strike 2 server hides them all), entries a cut left empty are not.
TEST(PlayersReply, NamedEntriesInOrderAndWholeNamelessOnesCounted)
{
    const struct { int count; std::string entries, names; int hidden; } cases[] = {
        {3, entry("a", 1, 1) + entry("", 2, 2) + entry("c", 3, 3), "c a ", 1},
        {2, entry("short", 5, 10) + entry("long", 5, 99), "long short ", 0},
        {3, entry("old", 5, 10) + entry("new", 5, 10) + entry("low", -1, 500), "new old low ", 0},
        {3, entry("") + entry("") + entry(""), "", 3},
        {5, entry("") + entry("Zien"), "Zien ", 1},
        {2, entry("") + entry("").substr(0, 4), "", 1},
        {255, "", "", 0},
        // Cut inside an entry: a half name ends with the data, and no entry after it takes a
        // name out of the bytes of another field.
        {5, entry("one", 1) + entry("two", 2).substr(0, 3), "one tw ", 0},
        {5, entry("one", 1) + entry("two", 2).substr(0, 5), "one two ", 0},
        {5, entry("one", 1) + entry("two", 2).substr(0, 12), "two one ", 0},
    };
    for (const auto& c : cases) {
        ServerStatus s;
        ByteStream payload = captures::stream(bytes({0x44, c.count}) + c.entries);
        ASSERT_TRUE(ReplyReader::readPlayers(payload, s));
        std::string names;
        for (const Player& p : s.getPlayerList())
            names += p.getName() + " ";
        EXPECT_EQ(s.getPlayers(), c.count) << c.names;
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(s.getHiddenNames(), c.hidden) << c.names;
    }
}

// Exactly the count's pairs, inserted by name byte by byte, a newer one before an equal
// older one (also one that was there before); a negative count reads none, pairs missing at
// the end read as empty texts.
TEST(RulesReply, ThePairsInNameOrder)
{
    const struct { std::int16_t count; std::string pairs, want; } cases[] = {
        {4, "sv_gravity\0" "800\0Z\0upper\0mp_timelimit\0" "30\0sv_gravity\0" "600\0"s,
         "Z=upper mp_timelimit=30 mp_timelimit=old sv_gravity=600 sv_gravity=800 "},
        {-3, "a\0" "1\0"s, "mp_timelimit=old "},
        {5, "b\0" "2\0a\0" "1\0"s, "= = = a=1 b=2 mp_timelimit=old "},
        {1, "sv_cheats", "mp_timelimit=old sv_cheats= "},
    };
    for (const auto& c : cases) {
        ByteStream payload = captures::stream(bytes({0x45, c.count & 0xFF, c.count >> 8 & 0xFF}) + c.pairs);
        ServerStatus s;
        s.insertRule(Rule("mp_timelimit", "old"));
        ASSERT_TRUE(ReplyReader::readRules(payload, s));
        std::string got;
        for (const Rule& r : s.getRules())
            got += r.getName() + "=" + r.getValue() + " ";
        EXPECT_EQ(got, c.want) << c.count;
    }
}

} // namespace
