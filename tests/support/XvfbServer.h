// A private X server (Debian's Xvfb) for one test, on a display number it picks itself
// (-displayfd), so that tests never collide. Gone when the object goes.
//
//     testing_support::XvfbServer x;                  // 1024x768x24
//     ASSERT_TRUE(x.running());
//     ChildProcess app({"build/bin/prog"}, {"DISPLAY=" + x.display()});
#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

namespace testing_support {

class XvfbServer {
public:
    explicit XvfbServer(const std::string& screen = "1024x768x24");
    ~XvfbServer();
    XvfbServer(const XvfbServer&) = delete;
    XvfbServer& operator=(const XvfbServer&) = delete;

    bool running() const { return pid > 0 && !name.empty(); }
    // ":N"
    const std::string& display() const { return name; }

private:
    pid_t pid = -1;
    std::string name;
};

// A program started with pipes on its standard input and output (standard error is
// inherited), with extra environment entries "NAME=value".
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment);
    ~ChildProcess(); // closes its input, waits up to 5 s, then kills it
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool send(const std::string& line);
    // The next line of output without its line break; false after timeoutMs or at its end.
    bool readLine(std::string& line, int timeoutMs = 10000);
    // Waits for the exit; its exit code, or -1 on a time-out or a signal.
    int wait(int timeoutMs = 10000);

private:
    pid_t pid = -1;
    int input = -1;
    int output = -1;
    std::string buffered;
    int exitCode = -1;
    bool exited = false;
};

// Runs a command line to its end with extra environment entries; its exit code.
int runCommand(const std::vector<std::string>& argv, const std::vector<std::string>& environment);

} // namespace testing_support
