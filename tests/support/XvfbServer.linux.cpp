#include "tests/support/XvfbServer.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <thread>

namespace testing_support {

namespace {

[[noreturn]] void execWith(const std::vector<std::string>& argv, const std::vector<std::string>& environment)
{
    for (const std::string& entry : environment)
        putenv(strdup(entry.c_str()));
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

bool waitFor(pid_t pid, int timeoutMs, int& status)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        if (waitpid(pid, &status, WNOHANG) == pid)
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    return false;
}

} // namespace

XvfbServer::XvfbServer(const std::string& screen)
{
    int fds[2];
    if (pipe(fds) != 0)
        return;
    pid = fork();
    if (pid == 0) {
        close(fds[0]);
        execWith({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp", "-noreset"}, {});
    }
    close(fds[1]);
    std::string number;
    pollfd p = {fds[0], POLLIN, 0};
    const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (std::chrono::steady_clock::now() < end && number.find('\n') == std::string::npos) {
        if (poll(&p, 1, 200) <= 0)
            continue;
        char c[32];
        const ssize_t n = read(fds[0], c, sizeof c);
        if (n <= 0)
            break;
        number.append(c, static_cast<std::size_t>(n));
    }
    close(fds[0]);
    const std::size_t end_of_line = number.find('\n');
    if (end_of_line != std::string::npos && end_of_line > 0)
        name = ":" + number.substr(0, end_of_line);
}

XvfbServer::~XvfbServer()
{
    if (pid <= 0)
        return;
    kill(pid, SIGTERM);
    int status = 0;
    if (!waitFor(pid, 5000, status)) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment)
{
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0)
        return;
    pid = fork();
    if (pid == 0) {
        dup2(in[0], 0);
        dup2(out[1], 1);
        close(in[0]);
        close(in[1]);
        close(out[0]);
        close(out[1]);
        execWith(argv, environment);
    }
    close(in[0]);
    close(out[1]);
    input = in[1];
    output = out[0];
    signal(SIGPIPE, SIG_IGN);
}

ChildProcess::~ChildProcess()
{
    if (input >= 0)
        close(input);
    if (pid > 0 && !exited) {
        int status = 0;
        if (!waitFor(pid, 5000, status)) {
            kill(pid, SIGKILL);
            waitpid(pid, &status, 0);
        }
    }
    if (output >= 0)
        close(output);
}

bool ChildProcess::send(const std::string& line)
{
    const std::string text = line + "\n";
    return input >= 0 && write(input, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

bool ChildProcess::readLine(std::string& line, int timeoutMs)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        const std::size_t at = buffered.find('\n');
        if (at != std::string::npos) {
            line = buffered.substr(0, at);
            buffered.erase(0, at + 1);
            return true;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
        if (left <= 0 || output < 0)
            return false;
        pollfd p = {output, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(left)) <= 0)
            continue;
        char chunk[512];
        const ssize_t n = read(output, chunk, sizeof chunk);
        if (n <= 0)
            return false;
        buffered.append(chunk, static_cast<std::size_t>(n));
    }
}

int ChildProcess::wait(int timeoutMs)
{
    if (exited)
        return exitCode;
    int status = 0;
    if (pid <= 0 || !waitFor(pid, timeoutMs, status))
        return -1;
    exited = true;
    exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return exitCode;
}

int runCommand(const std::vector<std::string>& argv, const std::vector<std::string>& environment)
{
    const pid_t child = fork();
    if (child == 0)
        execWith(argv, environment);
    int status = 0;
    waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace testing_support
