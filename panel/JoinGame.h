// "Join Game": starts a game through the locally installed Steam client and tells it to
// connect to a server. Nothing is reported: without Steam the click has no effect.
#pragma once

#include <string>

// Steam's folder from the current user's registry, ending with a separator; "" when the
// registry does not say.
std::string readSteamFolder();

// For CS:Go: joinGame(730, "+connect host:27015"). Steam's folder is read once per run.
void joinGame(int appId, const std::string& connectArgs);

// The parameters Steam is given: "-applaunch <appId> <connectArgs>".
std::string steamParameters(int appId, const std::string& connectArgs);
