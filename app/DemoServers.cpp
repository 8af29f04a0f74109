#include "app/DemoServers.h"

bool DemoServers::start(ServerHosts& hosts)
{
    go.loadHiddenNamesDemoContent();
    source.loadDemoContent();
    if (!go.start() || !source.start())
        return false;
    hosts.csgoHost = "127.0.0.1";
    hosts.csgoPort = go.port();
    hosts.csgoGiven = true;
    hosts.cssHost = "127.0.0.1";
    hosts.cssPort = source.port();
    hosts.cssGiven = true;
    return true;
}
