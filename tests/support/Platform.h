// The few things the tests need that each platform does its own way: telling Wine apart,
// a device whose writes fail, and socket options for test servers.
// Where a platform has no such thing the call says so, and the test skips with a reason.
#pragma once

#include "os/Sockets.h"

#include <string>

namespace testing_support {

// True when the test runs as a Windows program under Wine.
bool runningUnderWine();

// The status a parent sees for exit(code): its low 8 bits on POSIX (255 for -1), the whole
// number on Windows.
int exitStatusOf(int code);

// A file that opens for writing and fails when the bytes are flushed (/dev/full); "" where
// the system has none.
std::string fullDevicePath();

// TCP_NODELAY: each send its own segment.
void sendEachWriteAtOnce(os::SocketHandle socket);
// Ends a connection with a reset instead of a close, and closes the socket.
void resetConnection(os::SocketHandle socket);

} // namespace testing_support
