#include "tests/support/ChildProcess.h"

#include "os/Clock.h"

#include <csignal>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace testing_support {

pid_t spawn(const std::vector<std::string>& argv, const std::vector<std::string>& environment, int input,
            int output, int keep)
{
    const pid_t pid = fork();
    if (pid != 0)
        return pid;
    prctl(PR_SET_PDEATHSIG, SIGTERM);
    setpgid(0, 0);
    for (const std::string& entry : environment)
        putenv(strdup(entry.c_str()));
    for (const auto& [from, to] : {std::pair{input, 0}, {output, 1}})
        if (from >= 0)
            dup2(from, to);
    if (keep >= 0)
        fcntl(keep, F_SETFD, 0);
    std::vector<char*> args;
    for (const std::string& a : argv)
        args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    execvp(args[0], args.data());
    _exit(127);
}

int reap(pid_t pid, int timeoutMs, bool kill)
{
    int status = 0;
    const std::uint32_t begin = os::monotonicMilliseconds();
    for (pid_t r; (r = waitpid(pid, &status, WNOHANG)) != pid; os::sleepMilliseconds(5)) {
        if (r < 0)
            return -1; // not our child, or no more
        if (os::monotonicMilliseconds() - begin > static_cast<std::uint32_t>(timeoutMs)) {
            if (kill) {
                ::kill(-pid, SIGKILL); // the group, and the child itself before it made its group
                ::kill(pid, SIGKILL);
                waitpid(pid, &status, 0);
            }
            return -2;
        }
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

ChildProcess::ChildProcess(const std::vector<std::string>& argv, const std::vector<std::string>& environment)
{
    int in[2], out[2];
    if (pipe2(in, O_CLOEXEC) != 0 || pipe2(out, O_CLOEXEC) != 0)
        return;
    std::signal(SIGPIPE, SIG_IGN);
    pid = spawn(argv, environment, in[0], out[1]);
    close(in[0]);
    close(out[1]);
    input = in[1];
    output = out[0];
}

ChildProcess::~ChildProcess()
{
    close(input);
    if (pid > 0)
        reap(pid, 5000, true);
    close(output);
}

bool ChildProcess::send(const std::string& line)
{
    const std::string text = line + "\n";
    return write(input, text.data(), text.size()) == static_cast<ssize_t>(text.size());
}

bool ChildProcess::readLine(std::string& line, int timeoutMs)
{
    const std::uint32_t begin = os::monotonicMilliseconds();
    std::size_t at;
    while ((at = buffered.find('\n')) == std::string::npos) {
        const int left = timeoutMs - static_cast<int>(os::monotonicMilliseconds() - begin);
        pollfd p = {output, POLLIN, 0};
        char chunk[512];
        ssize_t n = 0;
        if (left <= 0 || poll(&p, 1, left) <= 0 || (n = read(output, chunk, sizeof chunk)) <= 0)
            return false;
        buffered.append(chunk, static_cast<std::size_t>(n));
    }
    line = buffered.substr(0, at);
    buffered.erase(0, at + 1);
    return true;
}

int ChildProcess::wait(int timeoutMs)
{
    if (pid > 0) {
        const int code = reap(pid, timeoutMs);
        if (code == -2)
            return -1;
        pid = -1;
        exitCode = code;
    }
    return exitCode;
}

int runCommand(const std::vector<std::string>& argv, const std::vector<std::string>& environment)
{
    return reap(spawn(argv, environment), 1 << 30);
}

std::string commandOutput(const std::string& command, bool trimmed, int* code)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[4096];
    for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;)
        out.append(buffer, n);
    const int status = pclose(pipe);
    if (code)
        *code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    while (trimmed && !out.empty() && (out.back() == '\n' || out.back() == ' '))
        out.pop_back();
    return out;
}

} // namespace testing_support
