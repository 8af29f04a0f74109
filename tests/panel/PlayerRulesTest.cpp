#include "panel/PlayerRules.h"

#include <gtest/gtest.h>

#include <cmath>

using PlayerRules::NameClass;

namespace {

TEST(PlayerRules, DurationsShowAsHoursMinutesSeconds)
{
    EXPECT_EQ(PlayerRules::formatDuration(59.9f), "00:00:59");
    EXPECT_EQ(PlayerRules::formatDuration(60.0f), "00:01:00");
    EXPECT_EQ(PlayerRules::formatDuration(3599.0f), "00:59:59");
    EXPECT_EQ(PlayerRules::formatDuration(3600.0f), "01:00:00");
    EXPECT_EQ(PlayerRules::formatDuration(3661.0f), "01:01:01");
    EXPECT_EQ(PlayerRules::formatDuration(360000.0f), "100:00:00");
    EXPECT_EQ(PlayerRules::formatDuration(307.5f), "00:05:07");
    // What a broken server may send never crashes or shows garbage.
    EXPECT_EQ(PlayerRules::formatDuration(NAN), "00:00:00");
    EXPECT_EQ(PlayerRules::formatDuration(-5.0f), "00:00:00");
    EXPECT_FALSE(PlayerRules::formatDuration(INFINITY).empty());
}

TEST(PlayerRules, ClanMembersAdminsCustomNameAndBots)
{
    const float botTime = 500.0f;
    EXPECT_EQ(PlayerRules::classifyName("=QX/gRobban", 10, botTime, "=QX/"), NameClass::Admin);
    EXPECT_EQ(PlayerRules::classifyName("=QX/GRobban", 10, botTime, "=QX/"), NameClass::Admin);
    EXPECT_EQ(PlayerRules::classifyName("=QX/kRobban", 10, botTime, "=QX/"), NameClass::Custom);
    EXPECT_EQ(PlayerRules::classifyName("a Holmik b", botTime, botTime, "zzz"), NameClass::Admin)
        << "administrators win over the bot rule";
    // The eighth nickname marks an administrator only when the player is not a bot.
    EXPECT_EQ(PlayerRules::classifyName("Bamse Bot", 10, botTime, "zzz"), NameClass::Admin);
    EXPECT_EQ(PlayerRules::classifyName("Bamse Bot", botTime, botTime, "zzz"), NameClass::Bot);
    EXPECT_EQ(PlayerRules::classifyName("Skrutt", botTime, botTime, "zzz"), NameClass::Admin);
    EXPECT_EQ(PlayerRules::classifyName("holmik", 10, botTime, "zzz"), NameClass::Plain) << "case-sensitive";
    EXPECT_EQ(PlayerRules::classifyName("Joe", botTime, botTime, "zzz"), NameClass::Bot);
    EXPECT_EQ(PlayerRules::classifyName("Joe", 10, botTime, "zzz"), NameClass::Plain);
    // An empty custom name is in every name, bots included.
    EXPECT_EQ(PlayerRules::classifyName("Joe", botTime, botTime, ""), NameClass::Custom);
    // Without bots the bot time is -1, which no duration equals.
    EXPECT_EQ(PlayerRules::classifyName("Joe", 0.0f, -1.0f, "zzz"), NameClass::Plain);
}

TEST(PlayerRules, MoreKillsThenLongerTimeFirst)
{
    EXPECT_TRUE(PlayerRules::ranksBefore(5, 1, 4, 100));
    EXPECT_FALSE(PlayerRules::ranksBefore(4, 100, 5, 1));
    EXPECT_TRUE(PlayerRules::ranksBefore(5, 100, 5, 1));
    EXPECT_FALSE(PlayerRules::ranksBefore(5, 1, 5, 1)) << "equal players are not ordered";
    EXPECT_FALSE(PlayerRules::ranksBefore(5, NAN, 5, 1));
    EXPECT_TRUE(PlayerRules::ranksBefore(5, 1, 5, NAN));
}

} // namespace
