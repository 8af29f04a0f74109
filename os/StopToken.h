// A request to stop, shared by the one who asks (the owner of a worker) and the one who
// stops (the worker, a look-up it waits for). Copies share one state, so a thread that
// outlives its owner (an abandoned look-up) can still hold a token safely. Waits end at
// once when a stop is asked for, or when whoever they wait for calls notify().
#pragma once

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>

namespace os {

class StopToken {
public:
    StopToken() : state(std::make_shared<State>()) {}

    void requestStop() const
    {
        {
            std::lock_guard<std::mutex> hold(state->guard);
            state->stopped = true;
        }
        state->signal.notify_all();
    }
    // Starts over after a stop (a worker started again).
    void reset()
    {
        std::lock_guard<std::mutex> hold(state->guard);
        state->stopped = false;
    }
    bool stopRequested() const
    {
        std::lock_guard<std::mutex> hold(state->guard);
        return state->stopped;
    }

    // Wakes a wait so that it checks its condition again. Any thread.
    void notify() const
    {
        // Taking the lock orders the change the waiter checks before its wake-up.
        { std::lock_guard<std::mutex> hold(state->guard); }
        state->signal.notify_all();
    }

    // Sleeps until `done()` holds, a stop is asked for, or `timeout` passes; true when a stop
    // was asked for. `done` is checked under the token's lock.
    template <typename Rep, typename Period, typename Done>
    bool waitFor(std::chrono::duration<Rep, Period> timeout, Done done) const
    {
        std::unique_lock<std::mutex> hold(state->guard);
        state->signal.wait_for(hold, timeout, [&] { return state->stopped || done(); });
        return state->stopped;
    }
    template <typename Rep, typename Period>
    bool waitFor(std::chrono::duration<Rep, Period> timeout) const
    {
        return waitFor(timeout, [] { return false; });
    }

private:
    struct State {
        std::mutex guard;
        std::condition_variable signal;
        bool stopped = false;
    };
    std::shared_ptr<State> state;
};

} // namespace os
