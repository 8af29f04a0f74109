// More descriptors for the frame loop's wait on Linux: another backend (the notification
// service's bus connection) hands over its descriptor, and the wait runs its callback on the
// main thread when the descriptor becomes readable. No thread, no wake-up while it is quiet.
#pragma once

#include <functional>

namespace os {

// onReadable runs inside waitForEvents() when fd is readable (or hung up). One callback per
// descriptor; adding the same fd again replaces it. Main thread only.
void addEventWaitSource(int fd, std::function<void()> onReadable);
// Before the descriptor is closed. Safe from inside a callback.
void removeEventWaitSource(int fd);

} // namespace os
