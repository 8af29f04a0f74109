// How the player list orders, times and colours its lines.
#pragma once

#include "query/ServerStatus.h"

#include <string>
#include <vector>

namespace PlayerRules {

enum class NameClass { Admin, Custom, Bot, Plain };

// Seconds connected as HH:MM:SS (hours grow past two digits: 100:00:00).
std::string formatDuration(float seconds);

// The first rule that applies: administrator fragments, the custom name (an empty one is
// in every name), the bots (connected exactly as long as the longest), everybody else.
NameClass classifyName(const std::string& name, float duration, float botTime, const std::string& customName);

// True when a should stand above b: more kills first, then longer on the server.
bool ranksBefore(int scoreA, float durationA, int scoreB, float durationB);

// How many players the server listed while hiding every name (Counter-Strike 2 does by
// default): nameless entries and names of blanks only, when no other name came; else 0.
// The list then shows one line with that number instead of nothing.
int hiddenPlayers(const ServerStatus& status);

// The list's players in the order it shows them, and the time that marks the bots (-1
// without bots), as the list and the panel's comparison of statuses both need them.
std::vector<Player> rankedPlayers(const ServerStatus& status);
float botTime(const ServerStatus& status);

} // namespace PlayerRules
