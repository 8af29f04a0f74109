#include "query/ServerPoller.h"

#include "engine/MemoryManager.h"
#include "engine/UserEvent.h"
#include "query/ServerQuery.h"

#include <atomic>
#include <chrono>

namespace {

std::atomic<std::uint32_t> serials{1};

} // namespace

ServerPoller::ServerPoller(const std::string& host, std::uint16_t port, int column)
    : host(host), statusTemplate(host, port)
{
    statusTemplate.setOrigin(column, serials.fetch_add(1));
}

std::uint32_t ServerPoller::nextSerial() { return serials.load(); }

ServerPoller::~ServerPoller() { stop(); }

void ServerPoller::start()
{
    worker.start([this](const os::StopToken&) { run(); });
}

void ServerPoller::run()
{
    for (;;) {
        runCycle();
        if (pauseOrStop())
            return;
        Engine::MemoryManager::instance().trim();
    }
}

bool ServerPoller::pauseOrStop()
{
    return worker.stopToken().waitFor(std::chrono::milliseconds(10) * (pauseSteps > 0 ? pauseSteps : 0));
}

void ServerPoller::runCycle()
{
    ServerQuery query;
    query.setStopToken(worker.stopToken());
    auto* status = new ServerStatus(statusTemplate);
    query.query(*status, true, false, true);
    if (worker.stopToken().stopRequested()) {
        delete status; // cut short: says nothing about the server
        return;
    }
    if (status->isAnswered()) {
        failures = 0;
        lastGood = *status;
    } else if (++failures < smoothedFailures + 1) {
        const std::int16_t ping = status->getPing();
        *status = lastGood;
        status->setOrigin(statusTemplate.getColumn(), statusTemplate.getPollerSerial());
        status->setPing(ping);
        status->setAnswered(false);
    }
    push(status);
}

void ServerPoller::push(ServerStatus* record)
{
    // A full queue refuses the event: this cycle's record is not delivered, and does not leak.
    Engine::pushUserRecord(Engine::serverStatusEventCode, record);
}
