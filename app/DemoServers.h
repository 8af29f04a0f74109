// What --demo watches: two of the project's own game servers on loopback, a Counter-Strike 2
// server that hides its players' names in the CS:Go column and a CS:Source server with
// named players and bots in the CS:Source column, and a web server with their maps'
// pictures as the map-image host.
#pragma once

#include "app/DemoPictureServer.h"
#include "panel/ServerHosts.h"
#include "query/TestServer.h"

class DemoServers {
public:
    // Starts them and points the columns and the map pictures at them, as the command line
    // would; false when one could not start. The pictures come from dataFolder.
    bool start(ServerHosts& hosts, const std::string& dataFolder = "data");

private:
    TestServer go;
    TestServer source;
    DemoPictureServer pictures;
};
