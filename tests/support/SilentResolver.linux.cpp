#include "tests/support/SilentResolver.h"

#include "tests/support/ChildProcess.h"

#include <arpa/inet.h>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <net/if.h>
#include <netinet/in.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/socket.h>
#include <unistd.h>

namespace testing_support {

namespace {

bool writeText(const char* path, const std::string& text)
{
    const int fd = open(path, O_WRONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool ok = write(fd, text.data(), text.size()) == static_cast<ssize_t>(text.size());
    close(fd);
    return ok;
}

bool loopbackUp()
{
    const int s = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    ifreq request{};
    std::strcpy(request.ifr_name, "lo");
    bool up = ioctl(s, SIOCGIFFLAGS, &request) == 0;
    request.ifr_flags |= IFF_UP | IFF_RUNNING;
    up = up && ioctl(s, SIOCSIFFLAGS, &request) == 0;
    close(s);
    return up;
}

// Bound and never read: queries pile up unanswered. Stays open for the child's life.
bool swallowQueries()
{
    const int s = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(53);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    return s >= 0 && bind(s, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
}

bool pointResolverAtLoopback()
{
    char folder[] = "/tmp/holmik-resolver-XXXXXX";
    if (!mkdtemp(folder))
        return false;
    const std::string file = std::string(folder) + "/resolv.conf";
    FILE* out = std::fopen(file.c_str(), "w");
    if (!out)
        return false;
    std::fputs("nameserver 127.0.0.1\noptions timeout:5 attempts:2\n", out);
    std::fclose(out);
    const bool bound = mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0 &&
                       mount(file.c_str(), "/etc/resolv.conf", nullptr, MS_BIND, nullptr) == 0;
    unlink(file.c_str()); // the mount keeps it
    rmdir(folder);
    return bound;
}

} // namespace

int withSilentResolver(const std::function<int()>& body, int timeoutMs)
{
    std::fflush(nullptr);
    const uid_t uid = getuid();
    const gid_t gid = getgid();
    const pid_t pid = fork();
    if (pid < 0)
        return silentResolverUnavailable;
    if (pid == 0) {
        if (unshare(CLONE_NEWUSER | CLONE_NEWNS | CLONE_NEWNET) != 0 || !writeText("/proc/self/setgroups", "deny") ||
            !writeText("/proc/self/uid_map", "0 " + std::to_string(uid) + " 1") ||
            !writeText("/proc/self/gid_map", "0 " + std::to_string(gid) + " 1") || !loopbackUp() || !swallowQueries() ||
            !pointResolverAtLoopback())
            _exit(silentResolverUnavailable);
        const int code = body();
        std::fflush(nullptr);
        _exit(code);
    }
    return reap(pid, timeoutMs, true);
}

} // namespace testing_support
