#include "app/Termination.h"

#include "engine/EventHandler.h"
#include "os/EventWait.h"
#include "os/Signals.h"

#include <atomic>

namespace Termination {

namespace {

// Looked up before the handler may run: nothing is constructed inside a signal handler.
std::atomic<Engine::EventHandler*> frameLoop{nullptr};

void onRequestAtOnce() { os::endProcessNow(0); }

void onRequestInTheLoop()
{
    if (Engine::EventHandler* events = frameLoop.load())
        events->setQuit(true);
    os::wakeEventWait();
}

} // namespace

void endAtOnce() { os::setTerminationHandler(&onRequestAtOnce); }

void endTheFrameLoop()
{
    frameLoop.store(&Engine::EventHandler::instance());
    os::setTerminationHandler(&onRequestInTheLoop);
}

} // namespace Termination
