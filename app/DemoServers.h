// What --demo watches: two of the project's own game servers on loopback, a Counter-Strike 2
// server that hides its players' names in the CS:Go column and a CS:Source server with
// named players and bots in the CS:Source column.
#pragma once

#include "panel/ServerHosts.h"
#include "query/TestServer.h"

class DemoServers {
public:
    // Starts both and points the columns at them, as the command line would; false when
    // one could not start.
    bool start(ServerHosts& hosts);

private:
    TestServer go;
    TestServer source;
};
