// The History row of a column: the server's last 24 hours as one bar per 10 minutes, as high
// as the bucket's most players against its slots, with nothing where the server did not
// answer (an answered bucket has at least its base line), and under them a mark at each
// hour of local time (taller, and named where there is room, every six hours).
#pragma once

#include "engine/Color.h"
#include "engine/Surface.h"
#include "history/HistoryRecorder.h"

#include <cstdint>
#include <string>
#include <vector>

namespace HistoryBars {

struct Style {
    Color background, bar, marks;
    std::string font;
    int fontSize = 10;
};

// Height of the bars' area in pixels.
inline constexpr int barHeight = 24;

// The row for `day` in `width` pixels; empty when nothing is stored yet.
Engine::Surface draw(const DayBars& day, int width, const Style& style);

// Where the buckets and marks go: the left edge of a bucket starting at `start` and the
// local hours (UTC seconds) that fall within the day, for checks and for draw().
int bucketX(const DayBars& day, std::int64_t start, int width);
struct HourMark {
    std::int64_t at;
    int hour; // 0..23, local time
};
std::vector<HourMark> hourMarks(std::int64_t dayStart);

} // namespace HistoryBars
