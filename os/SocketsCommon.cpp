// The sockets calls that read the same on every platform, over each backend's primitives.
#include "os/Sockets.h"

#include <cstdio>
#include <cstring>

namespace os {

std::string ipv4ToText(std::uint32_t addressNetworkOrder)
{
    const unsigned char* b = reinterpret_cast<const unsigned char*>(&addressNetworkOrder);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%u.%u.%u.%u", b[0], b[1], b[2], b[3]);
    return buffer;
}

ResolveResult resolveHost(const std::string& host, std::string& dottedAddress)
{
    dottedAddress.clear();
    std::vector<HostAddress> found;
    if (host.empty() || !lookUpHost(host, found) || found.empty())
        return ResolveResult::NotFound;
    ResolveResult outcome = ResolveResult::OtherFamily;
    for (const HostAddress& address : found) {
        if (address.family == HostAddress::Ipv4) {
            dottedAddress = ipv4ToText(address.ipv4);
            return ResolveResult::Ipv4;
        }
        if (address.family == HostAddress::Ipv6)
            outcome = ResolveResult::Ipv6Only;
    }
    return outcome;
}

bool peerName(SocketHandle socket, Ipv4Endpoint& endpoint) { return socketEndpoint(socket, true, endpoint); }

bool socketName(SocketHandle socket, Ipv4Endpoint& endpoint) { return socketEndpoint(socket, false, endpoint); }

bool bindLoopback(SocketHandle socket, std::uint16_t& port)
{
    const unsigned char loopback[4] = {127, 0, 0, 1};
    Ipv4Endpoint local;
    std::memcpy(&local.address, loopback, 4); // network order: the bytes as written
    local.port = port;
    Ipv4Endpoint bound;
    if (!bindSocket(socket, local) || !socketName(socket, bound))
        return false;
    port = bound.port;
    return true;
}

} // namespace os
