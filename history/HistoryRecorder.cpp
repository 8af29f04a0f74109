#include "history/HistoryRecorder.h"

#include "engine/UserEvent.h"
#include "query/ServerStatus.h"

#include <chrono>
#include <cstdio>

namespace {

// Rows a locked or full file has refused are kept for a day at most.
constexpr std::size_t maxPending = 2 * 24 * 60;

// Bars that would be drawn the same: the panel is not woken for a count of cycles.
bool sameBars(const DayBars& a, const DayBars& b)
{
    if (a.start != b.start || a.buckets.size() != b.buckets.size())
        return false;
    for (std::size_t i = 0; i < a.buckets.size(); ++i) {
        const HistoryBucket &x = a.buckets[i], &y = b.buckets[i];
        if (x.start != y.start || x.highest != y.highest || x.maxPlayers != y.maxPlayers ||
            (x.answered > 0) != (y.answered > 0))
            return false;
    }
    return true;
}

} // namespace

HistoryRecorder::HistoryRecorder(std::string path) : path(std::move(path)) {}

HistoryRecorder::~HistoryRecorder() { stop(); }

std::string HistoryRecorder::serverKey(const std::string& host, std::uint16_t port)
{
    return host + ":" + std::to_string(port);
}

std::int64_t HistoryRecorder::unixNow()
{
    using namespace std::chrono;
    return duration_cast<seconds>(system_clock::now().time_since_epoch()).count();
}

std::int64_t HistoryRecorder::dayStart(std::int64_t unixSeconds)
{
    return unixSeconds / DayBars::seconds * DayBars::seconds - (DayBars::count - 1) * DayBars::seconds;
}

void HistoryRecorder::start()
{
    worker.start([this](const os::StopToken& stop) { run(stop); });
}

void HistoryRecorder::stop() { worker.stop(); }

void HistoryRecorder::see(const ServerStatus& status)
{
    // An answer is a cycle whose info reply named a map; a smoothed-over failure is not one.
    const bool answered = status.isAnswered();
    see(serverKey(status.getHost(), status.getPort()), unixNow(), answered, status.getPlayers(), status.getBots(),
        status.getMaxPlayers());
}

void HistoryRecorder::see(const std::string& server, std::int64_t unixSeconds, bool answered, int players, int bots,
                          int maxPlayers)
{
    bool first = false;
    {
        std::lock_guard<std::mutex> hold(guard);
        minutes.add(server, unixSeconds, answered, players, bots, maxPlayers);
        if (servers.insert(server).second) {
            newServers.insert(server);
            first = true;
        }
    }
    if (first) { // its stored bars are read at once rather than at the next minute
        readWanted = true;
        worker.stopToken().notify();
    }
}

DayBars HistoryRecorder::bars(const std::string& server) const
{
    std::lock_guard<std::mutex> hold(guard);
    const auto found = shown.find(server);
    return found == shown.end() ? DayBars() : found->second;
}

void HistoryRecorder::tell(HistoryStore::Result result)
{
    if (result == HistoryStore::Result::Ok || !told.insert(result).second)
        return;
    std::fprintf(stderr, "holmikziviza: the history in %s is not kept for now: %s%s%s\n", path.c_str(),
                 HistoryStore::describe(result), store.problem().empty() ? "" : " - ", store.problem().c_str());
}

void HistoryRecorder::openStore()
{
    const HistoryStore::Result result = store.open(path);
    if (store.movedAside())
        std::fprintf(stderr, "holmikziviza: %s was damaged; it is kept as %s.bad and a new history begins\n",
                     path.c_str(), path.c_str());
    writable = result == HistoryStore::Result::Ok;
    if (!writable) {
        tell(result);
        // What a read-only file or a newer version's file holds can still be shown.
        if (result == HistoryStore::Result::ReadOnly || result == HistoryStore::Result::Newer)
            store.openToRead(path);
    }
}

void HistoryRecorder::writePending(std::vector<MinuteRow> rows)
{
    pending.insert(pending.end(), std::make_move_iterator(rows.begin()), std::make_move_iterator(rows.end()));
    if (pending.size() > maxPending)
        pending.erase(pending.begin(), pending.end() - maxPending);
    if (!writable)
        openStore();
    if (!writable || pending.empty())
        return;
    HistoryStore::Result result = store.write(pending);
    if (result == HistoryStore::Result::Corrupt) {
        openStore(); // moves the damaged file aside
        result = writable ? store.write(pending) : result;
    }
    if (result == HistoryStore::Result::Ok) {
        pending.clear();
        const std::int64_t now = unixNow();
        if (now - lastPrune >= 24 * 3600 && store.prune(now - HistoryStore::keptSeconds) == HistoryStore::Result::Ok)
            lastPrune = now;
        return;
    }
    tell(result);
    if (result != HistoryStore::Result::Busy && result != HistoryStore::Result::Full)
        pending.clear();
    if (result != HistoryStore::Result::Busy) {
        store.close(); // opened again at the next minute
        writable = false;
    }
}

void HistoryRecorder::readBars(bool all)
{
    std::set<std::string> wanted;
    {
        std::lock_guard<std::mutex> hold(guard);
        wanted = all ? servers : newServers;
        newServers.clear();
    }
    if (!store.isOpen() || wanted.empty())
        return;
    bool changed = false;
    const std::int64_t start = dayStart(unixNow());
    for (const std::string& server : wanted) {
        DayBars day;
        day.start = start;
        if (store.buckets(server, start, start + DayBars::count * DayBars::seconds, DayBars::seconds, day.buckets) !=
            HistoryStore::Result::Ok)
            continue;
        std::lock_guard<std::mutex> hold(guard);
        DayBars& known = shown[server];
        if (!sameBars(known, day)) {
            known = std::move(day);
            changed = true;
        }
    }
    if (changed)
        Engine::pushUserEvent(eventCode, nullptr, nullptr);
}

void HistoryRecorder::run(const os::StopToken& stop)
{
    openStore();
    if (writable && store.prune(unixNow() - HistoryStore::keptSeconds) == HistoryStore::Result::Ok)
        lastPrune = unixNow();
    std::int64_t lastMinute = MinuteAggregator::minuteOf(unixNow());
    for (;;) {
        // Wakes a second into each minute, or for a server seen for the first time.
        const std::int64_t now = unixNow();
        const bool ending = stop.waitFor(std::chrono::seconds(MinuteAggregator::minuteOf(now) + 61 - now),
                                         [this] { return readWanted.load(); });
        readWanted = false;
        std::vector<MinuteRow> finished;
        const std::int64_t minute = MinuteAggregator::minuteOf(unixNow());
        const bool newMinute = minute != lastMinute;
        lastMinute = minute;
        {
            std::lock_guard<std::mutex> hold(guard);
            if (ending)
                finished = minutes.takeAll();
            else if (newMinute)
                finished = minutes.takeFinished(unixNow());
        }
        if (ending || newMinute)
            writePending(std::move(finished));
        if (ending)
            break;
        readBars(newMinute);
    }
    store.close();
}
