// The single-instance lock on Linux: flock(LOCK_EX | LOCK_NB) on an O_CLOEXEC descriptor of
// the lock file, kept open until the process ends (the kernel then lets the lock go). The
// note is the file's contents. Raising a window is the EWMH request _NET_ACTIVE_WINDOW to
// the root window, plus a plain raise for a display without a window manager.
#include "os/InstanceLock.h"

#include <X11/Xlib.h>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace os {

namespace {

int lockDescriptor = -1;

} // namespace

InstanceLockResult takeInstanceLock(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0644);
    if (fd < 0)
        return InstanceLockResult::Unavailable;
    int r;
    do {
        r = flock(fd, LOCK_EX | LOCK_NB);
    } while (r != 0 && errno == EINTR);
    if (r != 0) {
        const bool held = errno == EWOULDBLOCK;
        close(fd);
        return held ? InstanceLockResult::HeldElsewhere : InstanceLockResult::Unavailable;
    }
    if (lockDescriptor >= 0)
        close(lockDescriptor);
    lockDescriptor = fd;
    return InstanceLockResult::Taken;
}

void writeInstanceNote(const std::string& text)
{
    if (lockDescriptor < 0)
        return;
    if (ftruncate(lockDescriptor, 0) == 0 && pwrite(lockDescriptor, text.data(), text.size(), 0) < 0)
        return; // a note that cannot be written only means a second start cannot raise us
}

std::string readInstanceNote(const std::string& path)
{
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return {};
    char buffer[64];
    const ssize_t n = read(fd, buffer, sizeof buffer);
    close(fd);
    return n > 0 ? std::string(buffer, static_cast<std::size_t>(n)) : std::string();
}

bool raiseWindow(const std::string& windowId)
{
    char* end = nullptr;
    const unsigned long id = std::strtoul(windowId.c_str(), &end, 10);
    if (windowId.find_first_not_of("0123456789") != std::string::npos || *end != '\0' || id == 0)
        return false;
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    // A window that went away in the meantime gives an error we do not want printed.
    XErrorHandler previous = XSetErrorHandler([](Display*, XErrorEvent*) { return 0; });
    XEvent request{};
    request.xclient.type = ClientMessage;
    request.xclient.window = id;
    request.xclient.message_type = XInternAtom(display, "_NET_ACTIVE_WINDOW", False);
    request.xclient.format = 32;
    request.xclient.data.l[0] = 2; // asked for by the user, through another program
    request.xclient.data.l[1] = CurrentTime;
    XSendEvent(display, DefaultRootWindow(display), False, SubstructureRedirectMask | SubstructureNotifyMask,
               &request);
    XRaiseWindow(display, id);
    XSync(display, False);
    XSetErrorHandler(previous);
    XCloseDisplay(display);
    return true;
}

} // namespace os
