#include "history/HistoryReport.h"

#include <algorithm>
#include <ctime>
#include <map>

std::int64_t HistoryReport::localHourStart(std::int64_t unixSeconds)
{
    const std::time_t t = static_cast<std::time_t>(unixSeconds);
    const std::tm* local = std::localtime(&t);
    return local ? unixSeconds - local->tm_min * 60 - local->tm_sec : unixSeconds - unixSeconds % 3600;
}

HistoryReport HistoryReport::make(const std::vector<HistoryBucket>& quarters, std::int64_t now)
{
    HistoryReport report;
    const std::int64_t current = localHourStart(now);
    std::map<std::int64_t, Hour> hours;
    for (int back = 23; back >= 0; --back) {
        Hour hour;
        hour.start = current - back * 3600LL;
        hours[hour.start] = hour;
    }
    std::map<std::int64_t, double> playerSums; // mean × answered, per hour
    std::array<std::array<double, 24>, 7> weekSums{};
    for (const HistoryBucket& quarter : quarters) {
        const std::time_t t = static_cast<std::time_t>(quarter.start);
        const std::tm* local = std::localtime(&t);
        if (!local)
            continue;
        const int weekday = (local->tm_wday + 6) % 7, hourOfDay = local->tm_hour;
        const std::int64_t hourStart = quarter.start - local->tm_min * 60 - local->tm_sec;
        if (quarter.answered > 0) {
            report.anything = true;
            weekSums[weekday][hourOfDay] += quarter.mean * quarter.answered;
            report.week[weekday][hourOfDay].answered += quarter.answered;
        }
        const auto found = hours.find(hourStart);
        if (found == hours.end())
            continue;
        Hour& hour = found->second;
        hour.minutes += quarter.minutes;
        if (quarter.answered <= 0)
            continue;
        hour.lowest = hour.answered == 0 ? quarter.lowest : std::min(hour.lowest, quarter.lowest);
        hour.highest = std::max(hour.highest, quarter.highest);
        hour.answered += quarter.answered;
        playerSums[hourStart] += quarter.mean * quarter.answered;
    }
    for (auto& [start, hour] : hours) {
        if (hour.answered > 0)
            hour.mean = playerSums[start] / hour.answered;
        report.lastDay.push_back(hour);
    }
    for (int day = 0; day < 7; ++day)
        for (int hour = 0; hour < 24; ++hour)
            if (const long long answered = report.week[day][hour].answered)
                report.week[day][hour].mean = weekSums[day][hour] / static_cast<double>(answered);
    return report;
}
