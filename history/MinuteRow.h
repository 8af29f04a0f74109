// What one watched server did in one minute, as the history keeps it. A minute in which the
// server never answered has answered == 0 and no counts (lowest and highest −1).
#pragma once

#include <cstdint>
#include <string>

struct MinuteRow {
    std::string server; // "host:port"
    std::int64_t minute = 0; // the minute's start, UTC seconds since 1970
    int lowest = -1;
    int highest = -1;
    double mean = 0;
    int bots = -1;
    int maxPlayers = -1;
    int answered = 0; // cycles of the minute that were answered
};

// Several minutes of one server taken together (ten for a bar, a quarter hour for a table).
struct HistoryBucket {
    std::int64_t start = 0; // UTC seconds since 1970
    int lowest = -1;
    int highest = -1;
    double mean = 0; // over the answered cycles
    int maxPlayers = -1;
    int answered = 0;
    int minutes = 0; // stored minutes, answered or not
};
