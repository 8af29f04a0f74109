// The test platform helpers on Linux: /dev/full, RLIMIT_FSIZE with SIGXFSZ ignored, and
// the BSD socket options.
#include "tests/support/Platform.h"

#include <csignal>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/resource.h>
#include <unistd.h>

namespace testing_support {

namespace {
struct rlimit savedLimit;
bool limited = false;
} // namespace

bool runningUnderWine() { return false; }

int exitStatusOf(int code) { return code & 0xFF; }

std::string fullDevicePath() { return "/dev/full"; }

bool limitFileSize(std::uint64_t bytes)
{
    if (limited || getrlimit(RLIMIT_FSIZE, &savedLimit) != 0)
        return false;
    struct rlimit tiny = savedLimit;
    tiny.rlim_cur = static_cast<rlim_t>(bytes);
    std::signal(SIGXFSZ, SIG_IGN);
    return limited = setrlimit(RLIMIT_FSIZE, &tiny) == 0;
}

void restoreFileSizeLimit()
{
    if (limited)
        setrlimit(RLIMIT_FSIZE, &savedLimit);
    limited = false;
}

void sendEachWriteAtOnce(os::SocketHandle socket)
{
    int on = 1;
    setsockopt(static_cast<int>(socket), IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

void resetConnection(os::SocketHandle socket)
{
    linger reset{1, 0};
    setsockopt(static_cast<int>(socket), SOL_SOCKET, SO_LINGER, &reset, sizeof reset);
    close(static_cast<int>(socket)); // no shutdown first: that would send a close
}

} // namespace testing_support
