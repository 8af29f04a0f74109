// The frame loop's wait on Windows: MsgWaitForMultipleObjectsEx on the thread's message
// queue and on an event that wakeEventWait() sets. MWMO_INPUTAVAILABLE also returns for
// messages that arrived before the wait began but were not read yet.
#include "os/EventWait.h"

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
    const DWORD timeout = timeoutMs < 0 ? INFINITE : static_cast<DWORD>(timeoutMs);
    const DWORD count = wakeEvent ? 1 : 0;
    const DWORD result =
        MsgWaitForMultipleObjectsEx(count, wakeEvent ? &wakeEvent : nullptr, timeout, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    return result != WAIT_TIMEOUT && result != WAIT_FAILED;
}

} // namespace os
