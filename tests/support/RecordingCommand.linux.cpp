#include "tests/support/RecordingCommand.h"

#include "os/Clock.h"

#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>

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
    oldPath = std::getenv("PATH") ? std::getenv("PATH") : "";
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
        std::istringstream in(readFile(name.string()));
        result.emplace_back();
        for (std::string argument; std::getline(in, argument, '\0');)
            result.back().push_back(argument);
    }
    return result;
}

bool RecordingCommand::waitForCalls(std::size_t count, std::uint32_t limitMs) const
{
    for (std::uint32_t waited = 0; calls().size() < count; waited += 10, os::sleepMilliseconds(10))
        if (waited > limitMs)
            return false;
    return true;
}

} // namespace testing_support
