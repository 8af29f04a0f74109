// Termination signals on Linux: SIGTERM, SIGINT and SIGHUP go to one handler. System calls
// they interrupt are restarted, so that the rest of the program never sees EINTR from them.
#include "os/Signals.h"

#include "os/linux/Spawn.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <unistd.h>

namespace os {

namespace {

std::atomic<TerminationHandler> current{nullptr};

void onSignal(int)
{
    const int savedErrno = errno;
    if (TerminationHandler handler = current.load())
        handler();
    errno = savedErrno;
}

} // namespace

void setTerminationHandler(TerminationHandler handler)
{
    current.store(handler);
    struct sigaction action {};
    action.sa_handler = handler ? &onSignal : SIG_DFL;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESTART;
    for (int signal : {SIGTERM, SIGINT, SIGHUP})
        sigaction(signal, &action, nullptr);
}

void endProcessNow(int code)
{
    const pid_t dialog = linux_backend::openDialog.load();
    if (dialog > 0)
        kill(dialog, SIGTERM);
    _exit(code);
}

} // namespace os
