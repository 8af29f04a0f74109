// The recorder's thread: what it writes at the end of a run and the bars it reads back.
#include "history/HistoryRecorder.h"
#include "tests/support/TempDir.h"

#include "os/Clock.h"

#include <gtest/gtest.h>

namespace {

using testing_support::TempDir;

bool waitFor(const std::function<bool()>& condition)
{
    for (int waited = 0; !condition(); waited += 50, os::sleepMilliseconds(50))
        if (waited > 10000)
            return false;
    return true;
}

TEST(HistoryRecorder, TheRunIsWrittenAtItsEndAndComesBackAsBarsOnTheNextStart)
{
    TempDir dir;
    const std::string path = dir.file("History.sqlite");
    const std::int64_t now = HistoryRecorder::unixNow();
    const std::int64_t earlier = now - 700; // another bar than now's
    {
        HistoryRecorder recorder(path);
        recorder.start();
        recorder.see("h:1", earlier, true, 3, 0, 10);
        recorder.see("h:1", earlier + 1, true, 5, 0, 10);
        recorder.see("h:1", earlier + 2, false, 0, 0, 0);
        recorder.see("h:1", now, true, 7, 1, 10);
        recorder.stop();
    }

    HistoryRecorder again(path);
    EXPECT_TRUE(again.bars("h:1").empty()) << "nothing before the first stored minute is read";
    again.start();
    again.see("h:1", now, true, 1, 0, 10);
    ASSERT_TRUE(waitFor([&] { return !again.bars("h:1").empty(); })) << "a server seen for the first time is read at once";
    const DayBars day = again.bars("h:1");
    EXPECT_EQ(day.start, HistoryRecorder::dayStart(HistoryRecorder::unixNow()));
    ASSERT_EQ(day.buckets.size(), 2u);
    EXPECT_EQ(day.buckets[0].lowest, 3);
    EXPECT_EQ(day.buckets[0].highest, 5);
    EXPECT_EQ(day.buckets[0].answered, 2);
    EXPECT_EQ(day.buckets[1].highest, 7);
    again.stop();
}

} // namespace
