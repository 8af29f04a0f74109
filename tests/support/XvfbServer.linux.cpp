#include "tests/support/XvfbServer.h"

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace testing_support {

XvfbServer::XvfbServer(const std::string& screen)
{
    int fds[2];
    if (pipe2(fds, O_CLOEXEC) != 0)
        return;
    pid = spawn({"Xvfb", "-displayfd", std::to_string(fds[1]), "-screen", "0", screen, "-nolisten", "tcp", "-noreset"},
                {}, -1, -1, fds[1]);
    close(fds[1]);
    // Xvfb writes its display number and a line break once it serves.
    std::string number;
    char c[32];
    pollfd p = {fds[0], POLLIN, 0};
    ssize_t n = 1;
    while (number.find('\n') == std::string::npos && n > 0 && poll(&p, 1, 20000) > 0)
        if ((n = read(fds[0], c, sizeof c)) > 0)
            number.append(c, static_cast<std::size_t>(n));
    close(fds[0]);
    if (number.size() > 1 && number.back() == '\n')
        name = ":" + number.substr(0, number.size() - 1);
}

XvfbServer::~XvfbServer()
{
    if (pid > 0 && kill(pid, SIGTERM) == 0)
        reap(pid, 5000, true);
}

} // namespace testing_support
