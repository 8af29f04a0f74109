// Termination requests on Windows: the console's control events. The system runs the
// handler on a thread of its own and ends the process when a close, logoff or shutdown
// event's handler returns, so those wait a moment for the program to end by itself.
#include "os/Signals.h"

#include <atomic>
#include <cstdlib>
#include <windows.h>

namespace os {

namespace {

std::atomic<TerminationHandler> current{nullptr};

BOOL WINAPI onControl(DWORD event)
{
    TerminationHandler handler = current.load();
    if (!handler)
        return FALSE;
    handler();
    if (event == CTRL_CLOSE_EVENT || event == CTRL_LOGOFF_EVENT || event == CTRL_SHUTDOWN_EVENT)
        Sleep(1000);
    return TRUE;
}

} // namespace

void setTerminationHandler(TerminationHandler handler)
{
    const bool had = current.exchange(handler) != nullptr;
    if (handler && !had)
        SetConsoleCtrlHandler(&onControl, TRUE);
    else if (!handler && had)
        SetConsoleCtrlHandler(&onControl, FALSE);
}

void endProcessNow(int code) { ExitProcess(static_cast<UINT>(code)); }

} // namespace os
