#include "app/ServerPollers.h"

#include <algorithm>

void ServerPollers::follow(const ServerHosts& hosts)
{
    follow(go, hosts.csgoHost, hosts.csgoPort, ServerStatus::GoColumn);
    follow(source, hosts.cssHost, hosts.cssPort, ServerStatus::SourceColumn);
}

void ServerPollers::follow(Watch& watch, const std::string& host, std::uint16_t port, int column)
{
    if (watch.poller && watch.host == host && watch.port == port)
        return;
    // Those that have ended since the last change go now; the replaced one is asked to stop.
    retiring.erase(std::remove_if(retiring.begin(), retiring.end(), [](const auto& old) { return old->hasEnded(); }),
                   retiring.end());
    if (watch.poller) {
        watch.poller->requestStop();
        retiring.push_back(std::move(watch.poller));
    }
    watch.host = host;
    watch.port = port;
    if (host.empty())
        return;
    watch.poller = std::make_unique<ServerPoller>(host, port, column);
    watch.poller->start();
}

ServerPollers::~ServerPollers() { stop(); }

void ServerPollers::stop()
{
    // All are asked first, so that they end side by side.
    for (Watch* watch : {&go, &source})
        if (watch->poller)
            watch->poller->requestStop();
    for (Watch* watch : {&go, &source})
        if (watch->poller)
            watch->poller->stop();
    for (auto& old : retiring)
        old->stop();
    retiring.clear();
}
