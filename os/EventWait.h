// The frame loop's wait facility of the OS seam: sleep until the window system has
// something for the program, until another thread (or a signal) wakes the loop, or until a
// deadline passes. The loop then costs nothing while nothing happens.
#pragma once

namespace os {

// Wakes the wait in progress, or makes the next one return at once. Safe from any thread
// and from a signal handler.
void wakeEventWait();

// Returns at once when the window system already holds events for the program. Otherwise
// waits up to timeoutMs milliseconds (a negative value: without limit). True when input or
// a wake-up came, false when the time ran out.
bool waitForEvents(int timeoutMs);

} // namespace os
