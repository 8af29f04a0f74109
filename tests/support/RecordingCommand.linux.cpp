#include "tests/support/RecordingCommand.h"

#include "os/Clock.h"

#include <cstdlib>
#include <filesystem>
#include <set>

namespace fs = std::filesystem;

namespace testing_support {

RecordingCommand::RecordingCommand(const std::string& name)
{
    // Each call goes to a file of its own named by the clock, NUL after every argument, and
    // is renamed into place in one step so that a reader never sees half of it.
    fs::create_directories(dir.file("calls"));
    dir.write(name, "#!/bin/sh\nf='" + dir.file("calls/") + "'$(date +%s%N)-$$\n"
                    "{ [ $# -eq 0 ] || printf '%s\\0' \"$@\"; } > \"$f.part\" && mv \"$f.part\" \"$f\"\n");
    fs::permissions(dir.file(name), fs::perms::owner_all);
    const char* path = std::getenv("PATH");
    oldPath = path ? path : "";
    setenv("PATH", (dir.path() + ":" + oldPath).c_str(), 1);
}

RecordingCommand::~RecordingCommand() { setenv("PATH", oldPath.c_str(), 1); }

std::vector<std::vector<std::string>> RecordingCommand::calls() const
{
    // Names start with the nanosecond clock, all of the same width for years to come.
    std::set<fs::path> names;
    for (const auto& entry : fs::directory_iterator(dir.file("calls")))
        if (entry.path().extension() != ".part")
            names.insert(entry.path());
    std::vector<std::vector<std::string>> result;
    for (const fs::path& name : names) {
        const std::string bytes = readFile(name.string());
        result.emplace_back();
        for (std::size_t start = 0, end; (end = bytes.find('\0', start)) != std::string::npos; start = end + 1)
            result.back().push_back(bytes.substr(start, end - start));
    }
    return result;
}

bool RecordingCommand::waitForCalls(std::size_t count, std::uint32_t limitMs) const
{
    for (const std::uint32_t begin = os::monotonicMilliseconds(); calls().size() < count; os::sleepMilliseconds(10))
        if (os::monotonicMilliseconds() - begin > limitMs)
            return false;
    return true;
}

} // namespace testing_support
