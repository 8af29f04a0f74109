// The local-time tables of holmik-query --history, in a zone half an hour off UTC.
#include "history/HistoryReport.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>

namespace {

HistoryBucket quarter(std::int64_t start, int lowest, int highest, double mean, int answered)
{
    HistoryBucket b;
    b.start = start;
    b.lowest = lowest;
    b.highest = highest;
    b.mean = mean;
    b.answered = answered;
    b.minutes = 15;
    return b;
}

TEST(HistoryReport, QuartersGoToTheirLocalHourAndWeekday)
{
    const char* old = std::getenv("TZ");
    const std::string saved = old ? old : "";
    setenv("TZ", "IST-5:30", 1); // UTC+5:30
    tzset();

    const std::int64_t utcHour = 1'765'000'800; // a whole UTC hour: local hh:30
    const std::int64_t now = utcHour + 2 * 3600 + 10;
    const std::vector<HistoryBucket> quarters = {
        quarter(utcHour, 4, 6, 5.0, 60), quarter(utcHour + 900, 2, 3, 2.0, 30), // local hh:30, hh:45
        quarter(utcHour + 1800, 9, 9, 9.0, 60), // the next local hour
        quarter(utcHour - 7 * 86400, 1, 1, 1.0, 60), // a week earlier, same weekday and hour
        quarter(utcHour + 3600, -1, -1, 0, 0), // watched, not answered
    };
    const HistoryReport report = HistoryReport::make(quarters, now);
    ASSERT_EQ(report.lastDay.size(), 24u);
    EXPECT_EQ(report.lastDay.back().start, HistoryReport::localHourStart(now));
    const auto hourAt = [&](std::int64_t start) {
        for (const HistoryReport::Hour& hour : report.lastDay)
            if (hour.start == start)
                return hour;
        return HistoryReport::Hour();
    };
    const HistoryReport::Hour first = hourAt(utcHour - 1800);
    EXPECT_EQ(std::vector<int>({first.lowest, first.highest, first.answered}), std::vector<int>({2, 6, 90}));
    EXPECT_DOUBLE_EQ(first.mean, 4.0);
    const HistoryReport::Hour next = hourAt(utcHour + 1800);
    EXPECT_EQ(std::vector<int>({next.highest, next.answered, next.minutes}), std::vector<int>({9, 60, 30}))
        << "the unanswered quarter is counted as watched";

    const std::time_t t = static_cast<std::time_t>(utcHour);
    const std::tm local = *std::localtime(&t);
    const HistoryReport::Cell& cell = report.week[(local.tm_wday + 6) % 7][local.tm_hour];
    EXPECT_EQ(cell.answered, 150);
    EXPECT_DOUBLE_EQ(cell.mean, (5.0 * 60 + 2.0 * 30 + 1.0 * 60) / 150);
    EXPECT_TRUE(report.anything);
    EXPECT_FALSE(HistoryReport::make({quarter(utcHour, -1, -1, 0, 0)}, now).anything);

    if (old)
        setenv("TZ", saved.c_str(), 1);
    else
        unsetenv("TZ");
    tzset();
}

} // namespace
