#include "panel/ServerHosts.h"

#include "BuildConfig.h"
#include "settings/ServerAddress.h"
#include "settings/Settings.h"

ServerHosts& serverHosts()
{
    static ServerHosts hosts{BuildConfig::csgoHost, ServerAddress::defaultPort, "", ServerAddress::defaultPort,
                             BuildConfig::updateHost, BuildConfig::mapHost};
    return hosts;
}

void takeServersFromSettings(ServerHosts& hosts, Settings& settings)
{
    if (!hosts.csgoGiven) {
        hosts.csgoHost = BuildConfig::csgoHost;
        hosts.csgoPort = ServerAddress::defaultPort;
        ServerAddress::read(settings.getCSGoServer(), hosts.csgoHost, hosts.csgoPort);
    }
    if (!hosts.cssGiven) {
        hosts.cssHost.clear();
        hosts.cssPort = ServerAddress::defaultPort;
        ServerAddress::read(settings.getCSSourceServer(), hosts.cssHost, hosts.cssPort);
    }
    settings.setCSSource(!hosts.cssHost.empty());
}
