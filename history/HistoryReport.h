// What holmik-query --history prints, in local time: the last 24 hours hour by hour
// (lowest, mean and highest players) and the mean by weekday and hour over the kept days.
// Made from the store's quarter-hour buckets, so that zones a half or three quarters of an
// hour off UTC still get whole local hours.
#pragma once

#include "history/MinuteRow.h"

#include <array>
#include <cstdint>
#include <vector>

struct HistoryReport {
    static constexpr int bucketSeconds = 900;

    struct Hour {
        std::int64_t start = 0; // UTC seconds of the local hour's start
        int lowest = -1, highest = -1;
        double mean = 0;
        int answered = 0; // cycles; 0: nothing known of this hour
        int minutes = 0;
    };
    // The current local hour last.
    std::vector<Hour> lastDay;
    // [weekday][hour], Monday first; answered 0: never seen then.
    struct Cell {
        double mean = 0;
        long long answered = 0;
    };
    std::array<std::array<Cell, 24>, 7> week{};
    bool anything = false;

    static HistoryReport make(const std::vector<HistoryBucket>& quarters, std::int64_t now);
    // The start of the local hour holding `unixSeconds`.
    static std::int64_t localHourStart(std::int64_t unixSeconds);
};
