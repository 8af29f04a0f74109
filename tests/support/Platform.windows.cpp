// The test platform helpers on Windows: Wine is told apart by ntdll's wine_get_version;
// there is no full device; the Winsock socket options.
#include "tests/support/Platform.h"

#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

namespace testing_support {

bool runningUnderWine()
{
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

int exitStatusOf(int code) { return code; }

std::string fullDevicePath() { return {}; }

void sendEachWriteAtOnce(os::SocketHandle socket)
{
    BOOL on = TRUE;
    setsockopt(static_cast<SOCKET>(socket), IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
}

void resetConnection(os::SocketHandle socket)
{
    linger reset{1, 0};
    setsockopt(static_cast<SOCKET>(socket), SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&reset), sizeof reset);
    closesocket(static_cast<SOCKET>(socket)); // no shutdown first: that would send a close
}

} // namespace testing_support
