// Keeps one game server's status current on a background SDL thread: one quiet query, then
// a pause of about a second, then a working-set trim, again and again. Each cycle's record
// goes to the main thread as one SDL user event (code Engine::userEventCode, data1 a new
// ServerStatus, data2 Engine::releaseUserRecord<ServerStatus>). A cycle is good when the
// server answered (ServerStatus::isAnswered), however quick. Up to nine bad cycles in a row
// re-send the last good record with the failed cycle's ping and not answered, so a short
// outage does not blank the panel.
#pragma once

#include "query/ServerStatus.h"

#include "os/StopToken.h"

#include <cstdint>
#include <string>

struct SDL_Thread;

class ServerPoller {
public:
    // Bad cycles in a row that are smoothed over with the last good record.
    static constexpr int smoothedFailures = 9;

    ServerPoller(const std::string& host, std::uint16_t port);
    virtual ~ServerPoller();
    ServerPoller(const ServerPoller&) = delete;
    ServerPoller& operator=(const ServerPoller&) = delete;

    void start();
    // Returns once the thread has ended: at once during the pause, after the running query
    // otherwise. Safe when no thread runs.
    void stop();
    bool isRunning() const { return thread != nullptr; }

    const std::string& getHost() const { return host; }
    // The pause between cycles is pauseSteps × 10 ms (100 unless changed); tests shorten it.
    void setPauseSteps(int steps) { pauseSteps = steps; }

    // One cycle, as the thread runs it: query, smooth, hand over. Public so that a caller
    // without a thread (and the tests) can drive the poller step by step.
    void runCycle();

private:
    static int threadMain(void* poller);
    int run();
    void push(ServerStatus* record);

    // Sleeps until the pause is over or stop() is asked for; true when asked.
    bool pauseOrStop();

    SDL_Thread* thread = nullptr;
    std::int32_t failures = 0;
    os::StopToken stopToken; // ends the pause, the look-up and the query at once
    std::string host;
    ServerStatus statusTemplate;
    ServerStatus lastGood;
    int pauseSteps = 100;
};
