// Processes on Linux: every numeric entry of /proc, its comm file read.
#include "os/Processes.h"

#include <dirent.h>

#include <algorithm>
#include <cctype>
#include <fstream>

namespace os {

bool isAnyProcessRunning(const std::vector<std::string>& names)
{
    DIR* proc = opendir("/proc");
    if (!proc)
        return false;
    bool found = false;
    while (!found) {
        const dirent* entry = readdir(proc);
        if (!entry)
            break;
        if (!std::isdigit(static_cast<unsigned char>(entry->d_name[0])))
            continue;
        std::ifstream comm(std::string("/proc/") + entry->d_name + "/comm");
        std::string name;
        if (std::getline(comm, name)) // the process may be gone already
            found = std::find(names.begin(), names.end(), name) != names.end();
    }
    closedir(proc);
    return found;
}

} // namespace os
