// Keeps one game server's status current on a worker thread: one quiet query, then
// a pause of about a second, then a working-set trim, again and again. Each cycle's record
// goes to the main thread as one SDL user event (code Engine::serverStatusEventCode, data1 a new
// ServerStatus, data2 Engine::releaseUserRecord<ServerStatus>). A cycle is good when the
// server answered (ServerStatus::isAnswered), however quick. Up to nine bad cycles in a row
// re-send the last good record with the failed cycle's ping and not answered, so a short
// outage does not blank the panel.
#pragma once

#include "query/ServerStatus.h"

#include "engine/Worker.h"

#include <cstdint>
#include <string>

class ServerPoller {
public:
    // Bad cycles in a row that are smoothed over with the last good record.
    static constexpr int smoothedFailures = 9;

    // column: the panel column its records are for (ServerStatus::Column).
    ServerPoller(const std::string& host, std::uint16_t port, int column = ServerStatus::NoColumn);
    // The serial the next poller made will have; every poller's is larger than the one before's.
    static std::uint32_t nextSerial();
    virtual ~ServerPoller();
    ServerPoller(const ServerPoller&) = delete;
    ServerPoller& operator=(const ServerPoller&) = delete;

    void start();
    // Returns once the thread has ended: at once during the pause or a look-up, after the
    // running exchange otherwise. Safe when no thread runs.
    void stop() { worker.stop(); }
    // Asks the thread to end and returns at once; hasEnded() tells when it did.
    void requestStop() const { worker.requestStop(); }
    bool hasEnded() const { return worker.hasEnded(); }
    bool isRunning() const { return worker.isRunning(); }

    const std::string& getHost() const { return host; }
    // The pause between cycles is pauseSteps × 10 ms (100 unless changed); tests shorten it.
    void setPauseSteps(int steps) { pauseSteps = steps; }

    // One cycle, as the thread runs it: query, smooth, hand over. Public so that a caller
    // without a thread (and the tests) can drive the poller step by step.
    void runCycle();

private:
    void run();
    void push(ServerStatus* record);

    // Sleeps until the pause is over or stop() is asked for; true when asked.
    bool pauseOrStop();

    std::int32_t failures = 0;
    std::string host;
    ServerStatus statusTemplate;
    ServerStatus lastGood;
    int pauseSteps = 100;
    Engine::Worker worker; // its token ends the pause, the look-up and the query at once
};
