// Programs a test starts: a child with pipes on its standard input and output, a command
// run to its end, and the fork-and-exec under both.
#pragma once

#include <csignal>
#include <string>
#include <sys/types.h>
#include <vector>

namespace testing_support {

// Starts argv (searched on PATH) with extra environment entries "NAME=value"; standard
// input and output come from the given descriptors when they are not -1, and `keep` stays
// open in the child. The child is ended with the test process. Its pid, or -1.
pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment,
            int input = -1, int output = -1, int keep = -1);
// Waits up to timeoutMs for the child's exit (killing it after that when `kill` is set);
// its exit code, 128 + the signal that ended it, or -2 on a time-out.
int reap(pid_t pid, int timeoutMs, bool kill = false);

// A program started with pipes on its standard input and output (standard error is
// inherited).
class ChildProcess {
public:
    ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment);
    ~ChildProcess(); // closes its input, waits up to 5 s, then kills it
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool send(const std::string& line);
    // The next line of output without its line break; false after timeoutMs or at its end.
    bool readLine(std::string& line, int timeoutMs = 10000);
    // Waits for the exit; its exit code, 128 + the signal that ended it, or -1 on a time-out.
    int wait(int timeoutMs = 10000);
    void signal(int number) const { if (pid > 0) kill(pid, number); }

private:
    pid_t pid = -1;
    int input = -1, output = -1;
    std::string buffered;
    int exitCode = -1;
};

// Runs a command line to its end with extra environment entries; its exit code.
int runCommand(const std::vector<std::string>& argv, const std::vector<std::string>& environment);
// Runs a shell command to its end: what it wrote on standard output (without the line breaks
// and blanks at the end when `trimmed`), its exit code in `code` when asked.
std::string commandOutput(const std::string& command, bool trimmed = true, int* code = nullptr);

} // namespace testing_support
