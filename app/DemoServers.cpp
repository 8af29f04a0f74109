#include "app/DemoServers.h"

bool DemoServers::start(ServerHosts& hosts, const std::string& dataFolder)
{
    go.loadHiddenNamesDemoContent();
    source.loadDemoContent();
    if (!go.start() || !source.start() ||
        !pictures.start(dataFolder, {{"csgo", go.map()}, {"css", source.map()}}))
        return false;
    hosts.mapHost = "127.0.0.1:" + std::to_string(pictures.port());
    hosts.csgoHost = "127.0.0.1";
    hosts.csgoPort = go.port();
    hosts.csgoGiven = true;
    hosts.cssHost = "127.0.0.1";
    hosts.cssPort = source.port();
    hosts.cssGiven = true;
    return true;
}
