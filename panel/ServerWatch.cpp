#include "panel/ServerWatch.h"

#include <algorithm>

namespace {

bool isFull(const ServerStatus& status) { return status.getMaxPlayers() > 0 && status.getPlayers() >= status.getMaxPlayers(); }

std::set<std::string> friendsIn(const ServerStatus& status, const std::vector<std::string>& friends)
{
    std::set<std::string> on;
    for (const Player& player : status.getPlayerList())
        if (std::find(friends.begin(), friends.end(), player.getName()) != friends.end())
            on.insert(player.getName());
    return on;
}

} // namespace

std::vector<ServerNews> ServerWatch::see(const ServerStatus& status, const WatchOptions& options)
{
    // The poller's own test of a good cycle; a map without an answer is a smoothed outage.
    const bool down = status.getMap().empty();
    const bool smoothed = !down && !status.isAnswered();
    if (!status.getName().empty())
        name = status.getName();
    const std::string server = name.empty() ? status.getHost() : name;

    std::vector<ServerNews> news;
    const bool wasKnown = known;
    known = true;
    if (down) {
        if (wasKnown && online && options.offline)
            news.push_back({ServerNews::Kind::Offline, server, {}});
        online = false;
    } else if (!smoothed) {
        const bool cameBack = wasKnown && !online;
        const bool nowFull = isFull(status);
        std::set<std::string> nowOn = friendsIn(status, options.friends);
        if (cameBack) {
            if (options.offline)
                news.push_back({ServerNews::Kind::BackOnline, server, {}});
        } else if (wasKnown) {
            if (full && !nowFull && options.slot)
                news.push_back({ServerNews::Kind::SlotFree, server, {}});
            // In the order of the player list, as the panel shows them.
            for (const Player& player : status.getPlayerList())
                if (nowOn.count(player.getName()) && !friendsOn.count(player.getName()) &&
                    std::none_of(news.begin(), news.end(), [&](const ServerNews& n) { return n.player == player.getName(); }))
                    news.push_back({ServerNews::Kind::FriendJoined, server, player.getName()});
        }
        online = true;
        full = nowFull;
        friendsOn = std::move(nowOn);
    } else if (!wasKnown) {
        online = true;
        full = isFull(status);
        friendsOn = friendsIn(status, options.friends);
    }
    if (!options.enabled)
        news.clear();
    return news;
}
