// Requests from outside to end the program: SIGTERM, SIGINT and SIGHUP on Linux (a kill,
// Ctrl-C, the end of the session); on Windows the console's Ctrl-C, Ctrl-Break, close,
// logoff and shutdown events.
#pragma once

namespace os {

// Called for each request, on whatever thread the system picks and possibly inside a
// signal handler: it may only do what is safe there (lock-free atomics, os::wakeEventWait,
// endProcessNow).
using TerminationHandler = void (*)();

// Installs the handler for every such request; nullptr gives them back to the system.
void setTerminationHandler(TerminationHandler handler);

// Ends the process at once with `code`, closing a message box's dialog that is open: no
// destructors run and no buffered output is flushed. Safe inside a signal handler.
[[noreturn]] void endProcessNow(int code);

} // namespace os
