// News about one watched server for a user who isn't looking at the panel: fed every status
// its column receives, in order, it tells what changed that is worth a notification. The
// server going offline counts only once the poller no longer smooths the outage (a status
// without a map: the poller sends the failed cycle as it is); a status that repeats the last
// good one without an answer is a smoothed outage and changes nothing.
#pragma once

#include "query/ServerStatus.h"

#include <set>
#include <string>
#include <vector>

struct WatchOptions {
    bool enabled = true;
    bool offline = true; // offline and back online
    bool slot = true;
    std::vector<std::string> friends; // whole names, letter case counts
};

struct ServerNews {
    enum class Kind { Offline, BackOnline, SlotFree, FriendJoined };
    Kind kind;
    std::string server; // the name from the info reply, the host when it never answered
    std::string player; // for FriendJoined

    bool operator==(const ServerNews& other) const
    {
        return kind == other.kind && server == other.server && player == other.player;
    }
};

class ServerWatch {
public:
    // The first status sets the state the server is already in and brings no news. The
    // state follows every status, also those whose news the options leave out.
    std::vector<ServerNews> see(const ServerStatus& status, const WatchOptions& options);

private:
    bool known = false;
    bool online = false;
    bool full = false;
    std::string name;
    std::set<std::string> friendsOn;
};
