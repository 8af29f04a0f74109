#include "panel/JoinGame.h"

#include "os/FileSystem.h"
#include "os/Shell.h"
#include "registry/SteamRegistry.h"

std::string readSteamFolder()
{
    bool ok = false;
    std::string folder = Registry::readSteamPath(ok);
    if (!ok)
        return {};
    // Steam writes forward slashes; the folder is used with the system's separator.
    const char separator = os::pathSeparator();
    for (char& c : folder)
        if (c == '/')
            c = separator;
    return folder + separator;
}

std::string steamParameters(int appId, const std::string& connectArgs)
{
    return "-applaunch " + std::to_string(appId) + " " + connectArgs;
}

void joinGame(int appId, const std::string& connectArgs)
{
    static const std::string steamFolder = readSteamFolder();
    os::startSteamClient(steamFolder, steamParameters(appId, connectArgs));
}
