#include "panel/HistoryBars.h"

#include "engine/TextSurface.h"

#include <algorithm>
#include <ctime>

namespace HistoryBars {

namespace {

constexpr std::int64_t daySeconds = static_cast<std::int64_t>(DayBars::count) * DayBars::seconds;

} // namespace

int bucketX(const DayBars& day, std::int64_t start, int width)
{
    return static_cast<int>((start - day.start) * width / daySeconds);
}

std::vector<HourMark> hourMarks(std::int64_t dayStart)
{
    std::vector<HourMark> marks;
    const std::time_t first = static_cast<std::time_t>(dayStart);
    const std::tm* local = std::localtime(&first);
    if (!local)
        return marks;
    // The first local hour at or after the start; zones an odd half hour off UTC included.
    std::int64_t at = dayStart;
    if (local->tm_min != 0 || local->tm_sec != 0)
        at += (60 - local->tm_min) * 60 - local->tm_sec;
    for (; at < dayStart + daySeconds; at += 3600) {
        const std::time_t t = static_cast<std::time_t>(at);
        if (const std::tm* hour = std::localtime(&t))
            marks.push_back({at, hour->tm_hour});
    }
    return marks;
}

Engine::Surface draw(const DayBars& day, int width, const Style& style)
{
    if (day.empty() || width < DayBars::count / 4)
        return Engine::Surface();
    const Engine::TextSurface sample("0", style.font, style.fontSize, style.marks);
    const int labelHeight = sample.getHeight();
    Engine::Surface row(width, barHeight + 6 + labelHeight);
    row.fill(style.background);
    const int base = barHeight - 1;
    for (const HistoryBucket& bucket : day.buckets) {
        if (bucket.answered <= 0)
            continue; // the server did not answer: a gap
        const int left = bucketX(day, bucket.start, width);
        const int right = std::max(left, bucketX(day, bucket.start + DayBars::seconds, width) - 1);
        const int slots = std::max({bucket.maxPlayers, bucket.highest, 1});
        int tall = std::clamp(bucket.highest, 0, slots) * (barHeight - 2) / slots;
        if (bucket.highest > 0)
            tall = std::max(tall, 2); // a few players on many slots still show above the base line
        row.drawRect(left, base - tall, right - left, tall, style.bar, true); // corners inclusive
    }
    for (const HourMark& mark : hourMarks(day.start)) {
        const int x = bucketX(day, mark.at, width);
        const bool major = mark.hour % 6 == 0;
        row.drawLine(x, barHeight, x, barHeight + (major ? 4 : 1), style.marks);
        if (!major)
            continue;
        const Engine::TextSurface label(std::to_string(mark.hour), style.font, style.fontSize, style.marks);
        const int left = std::clamp(x - label.getWidth() / 2, 0, std::max(0, width - label.getWidth()));
        row.blit(left, barHeight + 5, label);
    }
    return row;
}

} // namespace HistoryBars
