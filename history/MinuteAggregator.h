// Gathers the poller's records into one row per server and minute: the lowest, highest and
// mean player count of the cycles that were answered, the most bots and slots seen, and how
// many cycles answered. Not thread-safe: its owner guards it.
#pragma once

#include "history/MinuteRow.h"

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

class MinuteAggregator {
public:
    // One cycle of `server` at `unixSeconds`; the counts are read only when it answered.
    void add(const std::string& server, std::int64_t unixSeconds, bool answered, int players, int bots, int maxPlayers);
    // Takes the rows of the minutes that began before `unixSeconds`'s minute (finished minutes).
    std::vector<MinuteRow> takeFinished(std::int64_t unixSeconds);
    // Takes every row, the running minute's too (at the end of the run).
    std::vector<MinuteRow> takeAll();
    bool empty() const { return minutes.empty(); }

    static std::int64_t minuteOf(std::int64_t unixSeconds);

private:
    struct Sums {
        int lowest = -1, highest = -1, bots = -1, maxPlayers = -1;
        int answered = 0;
        long long players = 0;
    };
    std::vector<MinuteRow> takeBefore(std::int64_t minute);

    std::map<std::pair<std::string, std::int64_t>, Sums> minutes;
};
