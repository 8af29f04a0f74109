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
        shown << "online " << status.isAnswered() << '\n';
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
        const float botTime = PlayerRules::botTime(status);
        for (const Player& p : PlayerRules::rankedPlayers(status)) {
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
