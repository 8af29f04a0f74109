// The test platform helpers on Linux: /dev/full and the BSD socket options.
#include "tests/support/Platform.h"

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <unistd.h>

namespace testing_support {

bool runningUnderWine() { return false; }

int exitStatusOf(int code) { return code & 0xFF; }

std::string fullDevicePath() { return "/dev/full"; }

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
