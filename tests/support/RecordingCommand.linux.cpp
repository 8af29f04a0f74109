#include "tests/support/RecordingCommand.h"

#include "os/Clock.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <sys/stat.h>

namespace testing_support {

RecordingCommand::RecordingCommand(const std::string& name)
{
    std::filesystem::create_directories(dir.file("calls"));
    // Each call goes to a file of its own, NUL after every argument, and appears under its
    // final name in one step so that a reader never sees half of it.
    const std::string script = "#!/bin/sh\n"
                               "calls='" + dir.file("calls") + "'\n"
                               "n=$(date +%s%N)-$$\n"
                               "if [ $# -gt 0 ]; then printf '%s\\0' \"$@\"; fi > \"$calls/.$n\"\n"
                               "mv \"$calls/.$n\" \"$calls/$n\"\n";
    writeFile(dir.file(name), script);
    chmod(dir.file(name).c_str(), 0755);
    const char* path = std::getenv("PATH");
    hadPath = path != nullptr;
    if (path)
        oldPath = path;
    const std::string newPath = dir.path() + (hadPath ? ":" + oldPath : std::string());
    setenv("PATH", newPath.c_str(), 1);
}

RecordingCommand::~RecordingCommand()
{
    if (hadPath)
        setenv("PATH", oldPath.c_str(), 1);
    else
        unsetenv("PATH");
}

std::vector<std::vector<std::string>> RecordingCommand::calls() const
{
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir.file("calls"))) {
        const std::string name = entry.path().filename().string();
        if (!name.empty() && name[0] != '.')
            names.push_back(name);
    }
    // Names start with the nanosecond clock, all of the same width for years to come.
    std::sort(names.begin(), names.end());
    std::vector<std::vector<std::string>> result;
    for (const std::string& name : names) {
        const std::string bytes = readFile(dir.file("calls/" + name));
        std::vector<std::string> arguments;
        std::string::size_type start = 0;
        for (std::string::size_type end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1)
            arguments.push_back(bytes.substr(start, end - start));
        result.push_back(arguments);
    }
    return result;
}

bool RecordingCommand::waitForCalls(std::size_t count, std::uint32_t limitMs) const
{
    const std::uint32_t begin = os::monotonicMilliseconds();
    for (;;) {
        if (calls().size() >= count)
            return true;
        if (os::monotonicMilliseconds() - begin > limitMs)
            return false;
        os::sleepMilliseconds(10);
    }
}

} // namespace testing_support
