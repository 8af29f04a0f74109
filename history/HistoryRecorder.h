// Keeps the watched servers' history: the main thread hands it each poller record (see),
// which costs a lock and a few sums; a thread of its own writes the finished minutes once a
// minute in one transaction, removes the minutes older than 90 days once a day, and reads
// the last 24 hours back for the panel's bars. When new bars are ready it wakes the frame
// loop with a user event (eventCode); the panel takes them with bars().
//
// A history that cannot be kept (a damaged file is moved aside and a new one started; one
// that is locked, read-only or on a full disk) costs the window nothing: the thread says so
// once on standard error and tries again at the next minute. Nothing here waits in the
// frame loop but for the lock around the sums.
#pragma once

#include "engine/UserEvent.h"
#include "engine/Worker.h"
#include "history/HistoryStore.h"
#include "history/MinuteAggregator.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <vector>

class ServerStatus;

// The last 24 hours of one server in 144 buckets of 10 minutes from `start`; only the
// buckets that have stored minutes are listed. Empty until a first minute is stored.
struct DayBars {
    static constexpr int count = 144;
    static constexpr int seconds = 600;
    std::int64_t start = 0;
    std::vector<HistoryBucket> buckets;
    bool empty() const { return buckets.empty(); }
};

class HistoryRecorder {
public:
    // The user event that says new bars are ready.
    static constexpr int eventCode = Engine::historyEventCode;

    explicit HistoryRecorder(std::string path);
    ~HistoryRecorder();
    HistoryRecorder(const HistoryRecorder&) = delete;
    HistoryRecorder& operator=(const HistoryRecorder&) = delete;

    void start();
    // Writes what the running minute has so far, then ends the thread.
    void stop();

    // One poller cycle of the server "host:port" (main thread).
    void see(const ServerStatus& status);
    void see(const std::string& server, std::int64_t unixSeconds, bool answered, int players, int bots, int maxPlayers);
    // The server's bars as last read from the file.
    DayBars bars(const std::string& server) const;

    static std::string serverKey(const std::string& host, std::uint16_t port);
    static std::int64_t unixNow();
    // The 24 hours of bars that end with the bucket holding `unixSeconds`.
    static std::int64_t dayStart(std::int64_t unixSeconds);

private:
    void run(const os::StopToken& stop);
    // The thread's steps; each keeps to the store it was given.
    void openStore();
    void writePending(std::vector<MinuteRow> rows);
    void readBars(bool all);
    void tell(HistoryStore::Result result);

    std::string path;
    HistoryStore store; // the thread's only
    std::vector<MinuteRow> pending; // rows a locked or full file refused, tried again
    std::set<HistoryStore::Result> told;
    std::int64_t lastPrune = 0;
    bool writable = false;

    std::atomic<bool> readWanted{false}; // a server was seen for the first time
    mutable std::mutex guard; // guards what follows
    MinuteAggregator minutes;
    std::set<std::string> servers;
    std::set<std::string> newServers; // seen, not yet read back
    std::map<std::string, DayBars> shown;
    Engine::Worker worker; // last: it ends before what it uses goes
};
