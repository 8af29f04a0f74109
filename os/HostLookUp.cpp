// Host-name look-ups that a caller may walk away from. The system's resolver cannot be
// interrupted, so each look-up runs on a detached thread and hands its answer to whoever
// still waits; one that nobody waits for any more ends by itself and is forgotten.
#include "os/Sockets.h"

#include <map>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

namespace os {

namespace {

struct LookUp {
    std::mutex guard;
    bool done = false;
    ResolveResult result = ResolveResult::NotFound;
    std::string dotted;
    std::vector<StopToken> waiters; // woken when the answer comes
};

// The look-ups still running, one per host. Never destroyed: a look-up may end after main.
struct Running {
    std::mutex guard;
    std::map<std::string, std::shared_ptr<LookUp>> byHost;
};
Running& running()
{
    static Running* table = new Running;
    return *table;
}

void lookUpOnThread(const std::string& host, const std::shared_ptr<LookUp>& lookUp)
{
    std::string dotted;
    const ResolveResult result = resolveHost(host, dotted);
    {
        std::lock_guard<std::mutex> hold(running().guard);
        auto found = running().byHost.find(host);
        if (found != running().byHost.end() && found->second == lookUp)
            running().byHost.erase(found);
    }
    std::vector<StopToken> waiters;
    {
        std::lock_guard<std::mutex> hold(lookUp->guard);
        lookUp->done = true;
        lookUp->result = result;
        lookUp->dotted = dotted;
        waiters.swap(lookUp->waiters);
    }
    for (const StopToken& waiter : waiters)
        waiter.notify();
}

// The running look-up of host, or a new one started; null when no thread could start.
std::shared_ptr<LookUp> startOrJoin(const std::string& host, const StopToken& waiter)
{
    std::lock_guard<std::mutex> hold(running().guard);
    std::shared_ptr<LookUp>& slot = running().byHost[host];
    const bool fresh = !slot;
    if (fresh)
        slot = std::make_shared<LookUp>();
    std::shared_ptr<LookUp> lookUp = slot;
    {
        std::lock_guard<std::mutex> holdLookUp(lookUp->guard);
        lookUp->waiters.push_back(waiter);
    }
    if (fresh) {
        try {
            std::thread(lookUpOnThread, host, lookUp).detach();
        } catch (const std::system_error&) {
            running().byHost.erase(host);
            return nullptr;
        }
    }
    return lookUp;
}

} // namespace

ResolveResult resolveHostWithin(const std::string& host, std::string& dottedAddress, std::uint32_t timeoutMs,
                                const StopToken& stop)
{
    dottedAddress.clear();
    std::uint32_t address = 0;
    if (parseIpv4(host, address)) {
        dottedAddress = host;
        return ResolveResult::Ipv4;
    }
    if (host.empty())
        return ResolveResult::NotFound;
    if (stop.stopRequested())
        return ResolveResult::Late;
    const std::shared_ptr<LookUp> lookUp = startOrJoin(host, stop);
    if (!lookUp)
        return ResolveResult::NotFound;
    stop.waitFor(std::chrono::milliseconds(timeoutMs), [&lookUp] {
        std::lock_guard<std::mutex> hold(lookUp->guard);
        return lookUp->done;
    });
    std::lock_guard<std::mutex> hold(lookUp->guard);
    if (!lookUp->done)
        return ResolveResult::Late;
    dottedAddress = lookUp->dotted;
    return lookUp->result;
}

} // namespace os
