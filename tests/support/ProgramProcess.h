// The built program as a user runs it: a copy of it with its own data folder (the shipped
// template, no Settings.xml), started in a given X server with dialogs on standard error,
// then signalled or waited for. Killed when the object goes, if it still runs.
//
//     testing_support::XvfbServer x;
//     testing_support::ProgramProcess program(x.display());
//     program.start({"--demo"});
//     ASSERT_FALSE(program.waitForWindow().empty());
//     program.signal(SIGTERM);
//     EXPECT_EQ(program.waitForExit(5000), 0);
#pragma once

#include "tests/support/TempDir.h"

#include <string>
#include <sys/types.h>
#include <vector>

namespace testing_support {

class ProgramProcess {
public:
    explicit ProgramProcess(const std::string& display);
    ~ProgramProcess();
    ProgramProcess(const ProgramProcess&) = delete;
    ProgramProcess& operator=(const ProgramProcess&) = delete;

    // A file in the copy's data folder.
    std::string dataFile(const std::string& name) const { return folder.file("data/" + name); }
    // environment: extra "NAME=value" entries.
    void start(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {});
    // The window's id once it is there; "" when none came within the time.
    std::string waitForWindow(int milliseconds = 20000) const;
    void signal(int number) const;
    // The exit code, 128 + the signal that ended it, or -1 when it still runs after the time.
    int waitForExit(int milliseconds);
    bool running() const { return pid > 0; }

private:
    std::string display;
    TempDir folder;
    pid_t pid = -1;
};

} // namespace testing_support
