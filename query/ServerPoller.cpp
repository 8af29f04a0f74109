#include "query/ServerPoller.h"

#include "engine/MemoryManager.h"
#include "engine/UserEvent.h"
#include "query/ServerQuery.h"

#include <SDL.h>

ServerPoller::ServerPoller(const std::string& host, std::uint16_t port) : host(host), statusTemplate(host, port) {}

ServerPoller::~ServerPoller() { stop(); }

void ServerPoller::start()
{
    if (thread)
        return;
    stopRequested = false;
    thread = SDL_CreateThread(&ServerPoller::threadMain, this);
}

void ServerPoller::stop()
{
    stopRequested = true;
    if (!thread)
        return;
    SDL_WaitThread(thread, nullptr);
    thread = nullptr;
}

int ServerPoller::threadMain(void* poller) { return static_cast<ServerPoller*>(poller)->run(); }

int ServerPoller::run()
{
    for (;;) {
        runCycle();
        for (int i = 0; i < pauseSteps; ++i) {
            if (stopRequested)
                return 0;
            SDL_Delay(10);
        }
        Engine::MemoryManager::instance().trim();
    }
}

void ServerPoller::runCycle()
{
    ServerQuery query;
    auto* status = new ServerStatus(statusTemplate);
    query.query(*status, true, false, true);
    if (status->getPing() >= 1 && !status->getMap().empty()) {
        failures = 0;
        lastGood = *status;
    } else if (++failures < smoothedFailures + 1) {
        const std::int16_t ping = status->getPing();
        *status = lastGood;
        status->setPing(ping);
    }
    push(status);
}

void ServerPoller::push(ServerStatus* record)
{
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    event.user.code = Engine::userEventCode;
    event.user.data1 = record;
    event.user.data2 = reinterpret_cast<void*>(&Engine::releaseUserRecord<ServerStatus>);
    // A full queue refuses the event: this cycle's record is not delivered, and must not leak.
    if (SDL_PushEvent(&event) != 0)
        delete record;
}
