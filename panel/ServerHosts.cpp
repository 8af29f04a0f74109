#include "panel/ServerHosts.h"

#include "BuildConfig.h"

ServerHosts& serverHosts()
{
    static ServerHosts hosts{BuildConfig::csgoHost, 27015, BuildConfig::cssHost, 27015, BuildConfig::updateHost,
                             BuildConfig::mapHost};
    return hosts;
}
