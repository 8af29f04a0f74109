#include "history/MinuteAggregator.h"

#include <algorithm>
#include <limits>

std::int64_t MinuteAggregator::minuteOf(std::int64_t unixSeconds)
{
    const std::int64_t rest = unixSeconds % 60;
    return unixSeconds - (rest < 0 ? rest + 60 : rest);
}

void MinuteAggregator::add(const std::string& server, std::int64_t unixSeconds, bool answered, int players, int bots,
                           int maxPlayers)
{
    Sums& sums = minutes[{server, minuteOf(unixSeconds)}];
    if (!answered)
        return;
    sums.lowest = sums.answered == 0 ? players : std::min(sums.lowest, players);
    sums.highest = std::max(sums.highest, players);
    sums.bots = std::max(sums.bots, bots);
    sums.maxPlayers = std::max(sums.maxPlayers, maxPlayers);
    sums.players += players;
    ++sums.answered;
}

std::vector<MinuteRow> MinuteAggregator::takeBefore(std::int64_t minute)
{
    std::vector<MinuteRow> rows;
    for (auto at = minutes.begin(); at != minutes.end();) {
        if (at->first.second >= minute) {
            ++at;
            continue;
        }
        const Sums& sums = at->second;
        MinuteRow row;
        row.server = at->first.first;
        row.minute = at->first.second;
        row.lowest = sums.lowest;
        row.highest = sums.highest;
        row.mean = sums.answered ? static_cast<double>(sums.players) / sums.answered : 0.0;
        row.bots = sums.bots;
        row.maxPlayers = sums.maxPlayers;
        row.answered = sums.answered;
        rows.push_back(std::move(row));
        at = minutes.erase(at);
    }
    return rows;
}

std::vector<MinuteRow> MinuteAggregator::takeFinished(std::int64_t unixSeconds) { return takeBefore(minuteOf(unixSeconds)); }

std::vector<MinuteRow> MinuteAggregator::takeAll() { return takeBefore(std::numeric_limits<std::int64_t>::max()); }
