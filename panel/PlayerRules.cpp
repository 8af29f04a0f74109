#include "panel/PlayerRules.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace PlayerRules {

namespace {

// The clan's two tags, then the nicknames of the server's administrators. The eighth
// nickname is also a common bot name prefix: it marks an administrator only when the
// player is not one of the bots.
constexpr const char* clanFragments[] = {"=QX/g", "=QX/G"};
constexpr const char* nicknameFragments[] = {"Holmik", "Ziviza", "Kabbe", "Snutten", "Tjorven",
                                             "Lurifax", "Knasen", "Bamse ", "Skrutt"};
constexpr int botExemptNickname = 7;

bool contains(const std::string& name, const char* fragment) { return name.find(fragment) != std::string::npos; }

} // namespace

std::string formatDuration(float seconds)
{
    // A hostile server may send NaN, infinities or negative times: show them as nothing.
    double whole = std::floor(static_cast<double>(seconds));
    if (!(whole >= 0))
        whole = 0;
    if (whole > 1e12)
        whole = 1e12;
    const long long s = static_cast<long long>(whole);
    char text[48];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld", s / 3600, (s % 3600) / 60, s % 60);
    return text;
}

NameClass classifyName(const std::string& name, float duration, float botTime, const std::string& customName)
{
    for (const char* fragment : clanFragments)
        if (contains(name, fragment))
            return NameClass::Admin;
    for (int i = 0; i < botExemptNickname; ++i)
        if (contains(name, nicknameFragments[i]))
            return NameClass::Admin;
    if (contains(name, nicknameFragments[botExemptNickname]) && duration != botTime)
        return NameClass::Admin;
    if (contains(name, nicknameFragments[botExemptNickname + 1]))
        return NameClass::Admin;
    if (name.find(customName) != std::string::npos)
        return NameClass::Custom;
    if (duration == botTime)
        return NameClass::Bot;
    return NameClass::Plain;
}

bool ranksBefore(int scoreA, float durationA, int scoreB, float durationB)
{
    if (scoreA != scoreB)
        return scoreA > scoreB;
    // NaN would break the ordering that sorting relies on; it ranks lowest.
    const float a = std::isnan(durationA) ? -INFINITY : durationA;
    const float b = std::isnan(durationB) ? -INFINITY : durationB;
    return a > b;
}

int hiddenPlayers(const ServerStatus& status)
{
    for (const Player& p : status.getPlayerList())
        if (p.getName().find_first_not_of(" \t") != std::string::npos)
            return 0;
    return static_cast<int>(status.getPlayerList().size()) + status.getHiddenNames();
}

std::vector<Player> rankedPlayers(const ServerStatus& status)
{
    std::vector<Player> players = status.getPlayerList();
    std::stable_sort(players.begin(), players.end(), [](const Player& a, const Player& b) {
        return ranksBefore(a.getScore(), a.getDuration(), b.getScore(), b.getDuration());
    });
    return players;
}

float botTime(const ServerStatus& status)
{
    float longest = -1.0f;
    if (status.getBots() > 0)
        for (const Player& p : status.getPlayerList())
            longest = std::max(longest, p.getDuration());
    return longest;
}

} // namespace PlayerRules
