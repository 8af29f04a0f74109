// The frame loop's wait on Windows: MsgWaitForMultipleObjectsEx on the thread's message
// queue and on an event that wakeEventWait() sets. MWMO_INPUTAVAILABLE also returns for
// messages that arrived before the wait began but were not read yet; SDL's own queue is
// pumped and peeked first, as it may hold events the last frame's pump left there.
#include "os/EventWait.h"

#include <SDL.h>
#include <windows.h>

namespace os {

namespace {

// Made before main() runs, so that a console control handler finds it ready.
const HANDLE wakeEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);

} // namespace

void wakeEventWait()
{
    if (wakeEvent)
        SetEvent(wakeEvent);
}

bool waitForEvents(int timeoutMs)
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        SDL_PumpEvents();
    SDL_Event waiting;
    if (SDL_PeepEvents(&waiting, 1, SDL_PEEKEVENT, SDL_ALLEVENTS) > 0)
        return true;
    const DWORD timeout = timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs);
    const DWORD count = wakeEvent ? 1 : 0;
    const DWORD result =
        MsgWaitForMultipleObjectsEx(count, wakeEvent ? &wakeEvent : nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return result != WAIT_TIMEOUT && result != WAIT_FAILED;
}

} // namespace os
