// The program's one way to work in the background: a thread with a stop token that its work
// checks between steps (and that ends the token's waits at once), whose results go to the
// main thread as user events (Engine::pushUserEvent, with the codes of engine/UserEvent.h).
// The pollers, the map pictures' downloads and the history's writer each run on one.
//
//     Engine::Worker worker;
//     worker.start([](const os::StopToken& stop) {
//         while (!stop.waitFor(std::chrono::seconds(1)))
//             Engine::pushUserRecord(Engine::serverStatusEventCode, new ServerStatus(...));
//     });
//     worker.stop(); // asks, then waits for the thread's end
#pragma once

#include "os/StopToken.h"

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

namespace Engine {

class Worker {
public:
    Worker() = default;
    ~Worker() { stop(); }
    Worker(const Worker&) = delete;
    Worker& operator=(const Worker&) = delete;

    // Runs work on a thread of its own, unless one runs already; false when none could start.
    bool start(std::function<void(const os::StopToken&)> work);
    // Asks the work to stop and returns at once.
    void requestStop() const { token.requestStop(); }
    // Asks, then waits for the thread's end. Safe when none runs.
    void stop();
    // Asks, and leaves the thread to end by itself: for work that may be stuck in a call it
    // cannot leave and that holds (by shared ownership) everything it touches.
    void abandon();

    bool isRunning() const { return thread.joinable(); }
    // The work has returned (its thread may still wait to be joined).
    bool hasEnded() const { return !thread.joinable() || (ended && ended->load()); }
    // The token the work is given; a caller without a thread may use it too.
    const os::StopToken& stopToken() const { return token; }

private:
    os::StopToken token;
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> ended;
};

} // namespace Engine
