// The frame loop's wait on X11: poll() on SDL's display connection, on the host window's
// own connection and on an eventfd that wakeEventWait() writes to. What SDL's queue holds
// and what Xlib has already read from either connection is looked at first (SDL pumped, its
// queue peeked, Xlib's queue checked under SDL's lock), since poll() cannot see it. Other backends
// may add descriptors of their own, each with a callback run here when it is readable.
#include "os/EventWait.h"

#include "os/linux/EventWaitSources.h"
#include "os/linux/HostWindowEvents.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <utility>
#include <vector>

namespace os {

namespace {

// Made before main() runs, so that a signal handler finds it ready.
const int wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);

// SDL's own connection, when SDL draws into an X window.
Display* sdlDisplay(void (*&lock)(), void (*&unlock)())
{
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (!SDL_WasInit(SDL_INIT_VIDEO) || SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11)
        return nullptr;
    lock = info.info.x11.lock_func;
    unlock = info.info.x11.unlock_func;
    return info.info.x11.display;
}

struct Source {
    int fd;
    std::function<void()> onReadable;
};
std::vector<Source> sources;

void drainWakeFd()
{
    std::uint64_t count = 0;
    while (wakeFd >= 0 && read(wakeFd, &count, sizeof count) > 0) {
    }
}

} // namespace

void addEventWaitSource(int fd, std::function<void()> onReadable)
{
    removeEventWaitSource(fd);
    sources.push_back({fd, std::move(onReadable)});
}

void removeEventWaitSource(int fd)
{
    sources.erase(std::remove_if(sources.begin(), sources.end(), [fd](const Source& s) { return s.fd == fd; }),
                  sources.end());
}

void wakeEventWait()
{
    if (wakeFd < 0)
        return;
    const std::uint64_t one = 1;
    const int saved = errno; // a signal handler leaves errno as it found it
    const ssize_t written = write(wakeFd, &one, sizeof one);
    (void)written;
    errno = saved;
}

bool waitForEvents(int timeoutMs)
{
    // Drain, check, then block: the host window's connection may hand SDL a motion of its
    // own (after a move), and SDL's pump takes in what its connection read during the last
    // frame's round trips; poll() sees neither, so each is looked at before it.
    drainHostWindowEvents();
    void (*lock)() = nullptr;
    void (*unlock)() = nullptr;
    Display* display = sdlDisplay(lock, unlock);
    if (display)
        SDL_PumpEvents();
    SDL_Event waiting;
    if (SDL_PeepEvents(&waiting, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0)
        return true;
    if (display) {
        lock();
        const int queued = XEventsQueued(display, QueuedAfterFlush);
        unlock();
        if (queued > 0)
            return true;
    }

    pollfd fds[3 + 8];
    nfds_t count = 0;
    if (wakeFd >= 0)
        fds[count++] = {wakeFd, POLLIN, 0};
    if (display)
        fds[count++] = {ConnectionNumber(display), POLLIN, 0};
    if (hostWindowConnection() >= 0)
        fds[count++] = {hostWindowConnection(), POLLIN, 0};
    const nfds_t own = count;
    for (const Source& source : sources)
        if (count < sizeof fds / sizeof fds[0])
            fds[count++] = {source.fd, POLLIN, 0};
    // A signal ends the wait too: its handler may have left something for the loop.
    const int ready = poll(fds, count, timeoutMs < 0 ? -1 : timeoutMs);
    drainWakeFd();
    drainHostWindowEvents();
    if (ready > 0) {
        // A callback may remove sources: run what was ready from a copy.
        std::vector<std::function<void()>> due;
        for (nfds_t i = own; i < count; ++i)
            if (fds[i].revents != 0)
                for (const Source& source : sources)
                    if (source.fd == fds[i].fd)
                        due.push_back(source.onReadable);
        for (const auto& run : due)
            run();
    }
    return ready != 0;
}

} // namespace os
