// Shell on Linux: "open" of a URL is xdg-open URL; programs start with fork/exec, never
// through a shell, so arguments reach them unchanged.
#include "os/Shell.h"

#include "os/linux/Spawn.h"

#include <cstdlib>
#include <unistd.h>

namespace os {

bool openUrl(const std::string& url)
{
    return linux_backend::spawnProcess("xdg-open", {url}, "", true) > 0;
}

bool startProgram(const std::string& program, const std::vector<std::string>& arguments,
                  const std::string& workingDirectory)
{
    return linux_backend::spawnProcess(program, arguments, workingDirectory, true) > 0;
}

bool startSteamClient(const std::string& steamFolder, const std::string& parameters)
{
    std::string program = steamFolder + "steam.sh";
    if (steamFolder.empty() || access(program.c_str(), X_OK) != 0)
        program = findOnSearchPath("steam");
    if (program.empty())
        return false;
    std::vector<std::string> arguments;
    std::string::size_type start = 0;
    while (start < parameters.size()) {
        std::string::size_type end = parameters.find(' ', start);
        if (end == std::string::npos)
            end = parameters.size();
        if (end > start)
            arguments.push_back(parameters.substr(start, end - start));
        start = end + 1;
    }
    return startProgram(program, arguments, steamFolder);
}

std::string findOnSearchPath(const std::string& name)
{
    if (name.empty())
        return {};
    if (name.find('/') != std::string::npos)
        return access(name.c_str(), X_OK) == 0 ? name : std::string();
    const char* path = std::getenv("PATH");
    std::string list = path ? path : "/usr/local/bin:/usr/bin:/bin";
    std::string::size_type start = 0;
    while (start <= list.size()) {
        std::string::size_type end = list.find(':', start);
        if (end == std::string::npos)
            end = list.size();
        std::string folder = list.substr(start, end - start);
        if (folder.empty())
            folder = ".";
        std::string candidate = folder + "/" + name;
        if (access(candidate.c_str(), X_OK) == 0)
            return candidate;
        start = end + 1;
    }
    return {};
}

} // namespace os
