#include "panel/ShownStatus.h"

#include "panel/PlayerRules.h"
#include "settings/Settings.h"

#include <algorithm>
#include <sstream>
#include <vector>

namespace ShownStatus {

std::string of(const ServerStatus& status)
{
    Settings& s = Settings::instance();
    std::ostringstream shown;
    const int ping = status.getPing();
    if (s.getStatus())
        shown << "online " << (ping > 0) << '\n';
    if (s.getPing())
        shown << "ping " << ping << '\n';
    if (s.getMap() || s.getOverView())
        shown << "map " << status.getMap() << '\n';
    if (s.getPass())
        shown << "pass " << (status.getVisibility() == 0) << '\n';
    if (s.getVac())
        shown << "vac " << (status.getVac() != 0) << '\n';
    if (s.getBots())
        shown << "bots " << int(status.getBots()) << '\n';
    if (s.getPlayers())
        shown << "players " << int(status.getPlayers()) << '/' << int(status.getMaxPlayers()) << '\n';
    if (s.getPlayerList() && PlayerRules::hiddenPlayers(status) > 0) {
        shown << "hidden names " << PlayerRules::hiddenPlayers(status) << '\n';
    } else if (s.getPlayerList()) {
        std::vector<Player> players = status.getPlayerList();
        std::stable_sort(players.begin(), players.end(), [](const Player& a, const Player& b) {
            return PlayerRules::ranksBefore(a.getScore(), a.getDuration(), b.getScore(), b.getDuration());
        });
        float botTime = -1.0f;
        if (status.getBots() > 0)
            for (const Player& p : players)
                botTime = std::max(botTime, p.getDuration());
        for (const Player& p : players) {
            shown << p.getName() << '\t'
                  << int(PlayerRules::classifyName(p.getName(), p.getDuration(), botTime, s.getCustomName()));
            if (s.getKills())
                shown << '\t' << p.getScore();
            if (s.getTime())
                shown << '\t' << PlayerRules::formatDuration(p.getDuration());
            shown << '\n';
        }
    }
    return shown.str();
}

} // namespace ShownStatus
