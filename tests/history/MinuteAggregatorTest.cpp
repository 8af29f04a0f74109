// The minute rows made from poller cycles.
#include "history/MinuteAggregator.h"

#include <gtest/gtest.h>

namespace {

constexpr std::int64_t minute = 1'765'000'020; // a minute's start

TEST(MinuteAggregator, AFinishedMinuteKeepsTheLowestHighestAndMeanOfItsAnsweredCycles)
{
    MinuteAggregator minutes;
    minutes.add("a:1", minute + 1, true, 5, 1, 20);
    minutes.add("a:1", minute + 2, false, 99, 99, 99); // a failed cycle's numbers are not counts
    minutes.add("a:1", minute + 3, true, 2, 0, 20);
    minutes.add("a:1", minute + 59, true, 8, 2, 24);
    minutes.add("b:2", minute + 4, false, 0, 0, 0);
    minutes.add("a:1", minute + 60, true, 1, 0, 20); // the next minute, still running

    const std::vector<MinuteRow> rows = minutes.takeFinished(minute + 60);
    ASSERT_EQ(rows.size(), 2u);
    const MinuteRow& a = rows[0];
    EXPECT_TRUE(a.server == "a:1" && a.minute == minute);
    EXPECT_EQ(std::vector<int>({a.lowest, a.highest, a.bots, a.maxPlayers, a.answered}), std::vector<int>({2, 8, 2, 24, 3}));
    EXPECT_DOUBLE_EQ(a.mean, 5.0);
    const MinuteRow& b = rows[1];
    EXPECT_TRUE(b.server == "b:2" && b.answered == 0 && b.lowest == -1) << "a minute without an answer is a gap, not zero players";
    EXPECT_FALSE(minutes.empty()) << "the running minute stays";
    ASSERT_EQ(minutes.takeAll().size(), 1u);
}

} // namespace
