// The built program as a user meets it: a private X server, a temporary HOME, and a copy of
// the program with its own data folder (the shipped template, no Settings.xml), started from
// the root folder with dialogs on standard error; its window is found, clicked, measured and
// looked at through xdotool and ImageMagick.
//
//     testing_support::ProgramUnderX program;
//     ASSERT_TRUE(program.ready()) << program.missing();
//     program.start({"--demo"});
//     ASSERT_TRUE(program.waitForWindow());
//     program.click(290, 10);
//     EXPECT_EQ(program.waitForExit(5000), 0);
#pragma once

#include "tests/support/TempDir.h"
#include "tests/support/XvfbServer.h"

#include "os/Clock.h"

#include <csignal>
#include <memory>
#include <string>
#include <vector>

namespace testing_support {

// Asks every 100 ms until the condition holds or the time is up; whether it held.
template <typename Condition>
bool waitUntil(Condition condition, int milliseconds = 20000)
{
    for (int waited = 0; !condition(); waited += 100, os::sleepMilliseconds(100))
        if (waited >= milliseconds)
            return false;
    return true;
}

// A window's picture, 8 bits a channel.
struct Picture {
    int width = 0, height = 0;
    std::string rgb;
    unsigned at(int x, int y) const; // 0xRRGGBB
    // The rows y0 <= y < y1 where some x0 <= x < x1 holds the colour, give or take a step or
    // two (the X server hands colours back a little off).
    std::vector<int> rows(unsigned colour, int x0, int x1, int y0 = 40, int y1 = 1000) const;
};

class ProgramUnderX {
public:
    ProgramUnderX();
    // A program still running ends as at a logout: it leaves its loop and exits normally.
    ~ProgramUnderX() { if (program) program->signal(SIGTERM); }
    // What this machine lacks to run it ("" when nothing).
    static std::string missing();
    bool ready() const { return x.running(); }
    const std::string& home() const { return user.path(); }
    std::string dataFile(const std::string& name) const { return folder.file("data/" + name); }

    // environment: extra "NAME=value" entries.
    void start(const std::vector<std::string>& arguments, const std::vector<std::string>& environment = {});
    // Runs a second copy of the same program (its folder, display and environment) to its end
    // or for at most timeoutMs; its standard output, its exit code in `code` (-2 when it still
    // ran and was ended).
    std::string runAgain(const std::vector<std::string>& arguments, int timeoutMs, int& code) const;
    // Waits for the window, whose id goes to `window`.
    bool waitForWindow(int milliseconds = 20000);
    void signal(int number) const { program->signal(number); }
    // The exit code, 128 + the signal that ended it, or -2 when it still runs after the time.
    int waitForExit(int milliseconds) { return program->wait(milliseconds); }

    // A shell command run with DISPLAY set to the private server; what it printed.
    std::string onDisplay(const std::string& command) const;
    std::string xdotool(const std::string& arguments) const { return onDisplay("xdotool " + arguments + " 2>/dev/null"); }
    void click(int x, int y) const;
    std::string geometry() const { return windowField("Geometry: "); } // "WxH"
    std::string position() const { return windowField("Position: "); } // "X,Y"
    Picture grab() const;
    // A picture of the whole screen into build/test-screenshots/.
    void screenshot(const std::string& name) const;

    std::string window;

private:
    std::string windowField(const std::string& name) const;

    XvfbServer x;
    TempHome user;
    TempDir folder;
    std::unique_ptr<ChildProcess> program;
};

} // namespace testing_support
