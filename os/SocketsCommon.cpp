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

IoResult sendAll(SocketHandle socket, const void* data, std::size_t length)
{
    const char* bytes = static_cast<const char*>(data);
    std::size_t sent = 0;
    CallError error = CallError::None;
    while (sent < length) {
        const long n = sendOnce(socket, bytes + sent, length - sent, error);
        if (n >= 0)
            sent += static_cast<std::size_t>(n);
        else if (error != CallError::Interrupted)
            return error == CallError::TimedOut ? IoResult::TimedOut : IoResult::Error;
    }
    return IoResult::Ok;
}

IoResult receiveSome(SocketHandle socket, void* buffer, std::size_t capacity, std::size_t& received)
{
    received = 0;
    const bool stream = isStreamSocket(socket);
    CallError error = CallError::None;
    for (;;) {
        const long n = receiveOnce(socket, buffer, capacity, nullptr, error);
        if (n >= 0) {
            received = static_cast<std::size_t>(n);
            return (n == 0 && stream) ? IoResult::Closed : IoResult::Ok;
        }
        switch (error) {
        case CallError::Interrupted:
            continue;
        case CallError::TooLong: // a datagram larger than the buffer is cut to it
            if (stream)
                return IoResult::Error;
            received = capacity;
            return IoResult::Ok;
        case CallError::TimedOut:
            return IoResult::TimedOut;
        case CallError::Reset:
            return stream ? IoResult::Closed : IoResult::Error;
        default:
            return IoResult::Error;
        }
    }
}

SocketHandle acceptSocket(SocketHandle listener, std::uint32_t timeoutMs)
{
    if (timeoutMs && !waitReadable(listener, timeoutMs))
        return invalidSocket;
    CallError error = CallError::None;
    for (;;) {
        const SocketHandle s = acceptOnce(listener, error);
        if (s != invalidSocket || error != CallError::Interrupted)
            return s;
    }
}

bool receiveFrom(SocketHandle socket, void* buffer, std::size_t capacity, std::size_t& received,
                 Ipv4Endpoint& from, std::uint32_t timeoutMs)
{
    received = 0;
    if (timeoutMs && !waitReadable(socket, timeoutMs))
        return false;
    CallError error = CallError::None;
    for (;;) {
        const long n = receiveOnce(socket, buffer, capacity, &from, error);
        if (n >= 0 || error == CallError::TooLong) {
            received = n >= 0 ? static_cast<std::size_t>(n) : capacity;
            return true;
        }
        if (error != CallError::Interrupted)
            return false;
    }
}

bool sendTo(SocketHandle socket, const void* data, std::size_t length, const Ipv4Endpoint& to)
{
    CallError error = CallError::None;
    for (;;) {
        const long n = sendToOnce(socket, data, length, to, error);
        if (n >= 0)
            return static_cast<std::size_t>(n) == length;
        if (error != CallError::Interrupted)
            return false;
    }
}

} // namespace os
