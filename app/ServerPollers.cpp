#include "app/ServerPollers.h"

void ServerPollers::follow(const ServerHosts& hosts)
{
    follow(go, hosts.csgoHost, hosts.csgoPort);
    follow(source, hosts.cssHost, hosts.cssPort);
}

void ServerPollers::follow(Watch& watch, const std::string& host, std::uint16_t port)
{
    if (watch.poller && watch.host == host && watch.port == port)
        return;
    if (watch.poller)
        retiring.emplace_back([old = std::move(watch.poller)]() mutable { old.reset(); }); // stops it
    watch.host = host;
    watch.port = port;
    if (host.empty())
        return;
    watch.poller = std::make_unique<ServerPoller>(host, port);
    watch.poller->start();
}

ServerPollers::~ServerPollers() { stop(); }

void ServerPollers::stop()
{
    for (Watch* watch : {&go, &source})
        if (watch->poller)
            watch->poller->stop();
    for (std::thread& thread : retiring)
        thread.join();
    retiring.clear();
}
