#include "os/linux/Spawn.h"

#include <cerrno>
#include <cstdlib>
#include <csignal>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

namespace os::linux_backend {

pid_t spawnProcess(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& workingDirectory, bool detach)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& a : arguments)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);

    // The exec status comes back through a close-on-exec pipe: no byte means exec worked.
    int report[2];
    if (pipe2(report, O_CLOEXEC) != 0)
        return -1;
    const pid_t parent = getpid();
    pid_t pid = fork();
    if (pid < 0) {
        close(report[0]);
        close(report[1]);
        return -1;
    }
    if (pid == 0) {
        close(report[0]);
        if (!detach) {
            // A child the program waits for (a dialog) goes with the program, also when the
            // program is ended before it has heard the child's number.
            prctl(PR_SET_PDEATHSIG, SIGTERM);
            if (getppid() != parent)
                _exit(127);
        } else {
            // A grandchild that init reaps, so a started browser or game never leaves a zombie.
            setsid();
            pid_t grandchild = fork();
            if (grandchild < 0)
                _exit(127);
            if (grandchild > 0)
                _exit(0);
        }
        if (!workingDirectory.empty() && chdir(workingDirectory.c_str()) != 0) {
            int e = errno;
            (void)!write(report[1], &e, sizeof e);
            _exit(127);
        }
        execvp(program.c_str(), argv.data());
        int e = errno;
        (void)!write(report[1], &e, sizeof e);
        _exit(127);
    }
    close(report[1]);
    int childErrno = 0;
    ssize_t n;
    do {
        n = read(report[0], &childErrno, sizeof childErrno);
    } while (n < 0 && errno == EINTR);
    close(report[0]);
    if (detach)
        waitForExit(pid); // the intermediate child ends at once
    if (n > 0) {
        if (!detach)
            waitForExit(pid);
        return -1;
    }
    return pid;
}

std::atomic<pid_t> openDialog{0};

int waitForExit(pid_t pid)
{
    int status = 0;
    while (waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR)
            return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

} // namespace os::linux_backend
