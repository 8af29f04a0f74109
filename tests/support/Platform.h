// The few things the tests need that each platform does its own way: telling Wine apart,
// a device whose writes fail, a limit on file sizes, and socket options for test servers.
// Where a platform has no such thing the call says so, and the test skips with a reason.
#pragma once

#include "os/Sockets.h"

#include <cstdint>
#include <string>

namespace testing_support {

// True when the test runs as a Windows program under Wine.
bool runningUnderWine();

// A file that opens for writing and fails when the bytes are flushed (/dev/full); "" where
// the system has none.
std::string fullDevicePath();

// Lets this process write files of at most `bytes` bytes (a larger write fails instead of
// ending the process) until restoreFileSizeLimit(); false where that is not possible.
bool limitFileSize(std::uint64_t bytes);
void restoreFileSizeLimit();

// TCP_NODELAY: each send its own segment.
void sendEachWriteAtOnce(os::SocketHandle socket);
// Ends a connection with a reset instead of a close, and closes the socket.
void resetConnection(os::SocketHandle socket);

} // namespace testing_support
