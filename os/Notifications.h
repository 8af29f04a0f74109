// Desktop notification facility of the OS seam: a short piece of news shown by the desktop
// while the program's window may be out of sight, with one action the user can pick.
// Linux: the freedesktop notification service on the session D-Bus, whose connection joins
// the frame loop's wait. Windows: a notification-area icon and its balloons.
//
// Everything here runs on the main thread; the action handler too (from the frame loop's
// wait on Linux, from the window messages SDL dispatches on Windows).
#pragma once

#include <functional>
#include <string>

namespace os {

// Connects to the desktop's notification service under the program's name. Without one
// (no session bus, no notification daemon) it says so once on standard error and returns
// false; notify() then does nothing.
bool startNotifications(const std::string& appName);
// Takes back what start made (the Windows icon); safe when nothing was started.
void stopNotifications();
bool notificationsStarted();

// Shows `text` with one action labelled `actionLabel`; picking it calls the handler with `tag`.
void notify(const std::string& text, const std::string& actionLabel, int tag);

// The handler of picked actions (an empty function: none).
void setNotificationActionHandler(std::function<void(int tag)> handler);

} // namespace os
