#include "panel/PlayerRules.h"

#include <gtest/gtest.h>

#include <cmath>

using PlayerRules::NameClass;

namespace {

TEST(PlayerRules, DurationsShowAsHoursMinutesSecondsAndBrokenOnesAsZero)
{
    const std::pair<float, const char*> cases[] = {{59.9f, "00:00:59"},   {3599.0f, "00:59:59"}, {3661.0f, "01:01:01"},
                                                   {360000.0f, "100:00:00"}, {NAN, "00:00:00"},   {-5.0f, "00:00:00"},
                                                   {INFINITY, "277777777:46:40"}};
    for (const auto& [seconds, shown] : cases)
        EXPECT_EQ(PlayerRules::formatDuration(seconds), shown) << seconds;
}

TEST(PlayerRules, ClanMembersAdminsCustomNameAndBots)
{
    const float bot = 500.0f;
    const struct {
        const char* name;
        float duration, botTime;
        const char* custom;
        NameClass expected;
    } cases[] = {
        {"=QX/gRobban", 10, bot, "=QX/", NameClass::Admin},  {"=QX/GRobban", 10, bot, "=QX/", NameClass::Admin},
        {"=QX/kRobban", 10, bot, "=QX/", NameClass::Custom}, {"a Holmik b", bot, bot, "zzz", NameClass::Admin},
        {"Bamse Bot", 10, bot, "zzz", NameClass::Admin},     {"Bamse Bot", bot, bot, "zzz", NameClass::Bot},
        {"Skrutt", bot, bot, "zzz", NameClass::Admin},       {"holmik", 10, bot, "zzz", NameClass::Plain},
        {"Joe", bot, bot, "zzz", NameClass::Bot},            {"Joe", 10, bot, "zzz", NameClass::Plain},
        {"Joe", bot, bot, "", NameClass::Custom},            {"Joe", 0.0f, -1.0f, "zzz", NameClass::Plain},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PlayerRules::classifyName(c.name, c.duration, c.botTime, c.custom), c.expected) << c.name << " " << c.duration;
}

TEST(PlayerRules, MoreKillsThenLongerTimeFirst)
{
    EXPECT_TRUE(PlayerRules::ranksBefore(5, 1, 4, 100));
    EXPECT_TRUE(PlayerRules::ranksBefore(5, 100, 5, 1));
    EXPECT_FALSE(PlayerRules::ranksBefore(5, 1, 5, 1)) << "equal players are not ordered";
    EXPECT_FALSE(PlayerRules::ranksBefore(5, NAN, 5, 1));
    EXPECT_TRUE(PlayerRules::ranksBefore(5, 1, 5, NAN));
}

} // namespace
