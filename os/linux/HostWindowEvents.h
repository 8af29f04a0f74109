// What the X11 host window offers the frame loop's wait: its own display connection, whose
// configure events keep the window's place and the screen's size without a round trip.
#pragma once

namespace os {

// The host window's connection to the X server; -1 without one.
int hostWindowConnection();
// Reads what that connection has received (configure, reparent, property and root
// events) without waiting and without a request to the X server.
void drainHostWindowEvents();

} // namespace os
