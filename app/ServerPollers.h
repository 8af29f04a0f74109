// The pollers of the two columns: one for the CS:Go server, and one for the CS:Source
// server while there is one. follow() brings them in line with the addresses of the run:
// a poller whose address changed is asked to stop and a new one started in its place. The
// old one is not waited for, so that a Save never waits for a query of a silent server: it
// ends by itself within its running exchange and is let go at the next change or at stop().
#pragma once

#include "panel/ServerHosts.h"
#include "query/ServerPoller.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class ServerPollers {
public:
    void follow(const ServerHosts& hosts);
    ~ServerPollers();
    // Stops both; returns once their threads, and those of the pollers they replaced, have
    // ended.
    void stop();

    // For checks: the poller of a column, or null.
    const ServerPoller* goPoller() const { return go.poller.get(); }
    const ServerPoller* sourcePoller() const { return source.poller.get(); }

private:
    struct Watch {
        std::unique_ptr<ServerPoller> poller;
        std::string host;
        std::uint16_t port = 0;
    };
    void follow(Watch& watch, const std::string& host, std::uint16_t port, int column);

    Watch go;
    Watch source;
    std::vector<std::unique_ptr<ServerPoller>> retiring;
};
