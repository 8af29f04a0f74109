// One connected UDP socket to a game server, for one request and its reply. Failures
// either end the process with a message box or, in quiet mode, leave the socket unusable
// (send then fails without sending anything).
#pragma once

#include "os/Sockets.h"
#include "query/Packet.h"

#include <cstdint>
#include <string>

class UdpSocket {
public:
    // Receive buffer size: no datagram we read is longer.
    static constexpr std::size_t maxDatagram = 10240;

    UdpSocket(const std::string& host, std::uint16_t port, bool quiet);
    ~UdpSocket();
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;

    void setTimeout(std::uint32_t ms) { timeoutMs = ms; }
    std::uint32_t getTimeout() const { return timeoutMs; }
    bool send(const Packet& packet);
    // ok false and an empty packet after a time-out or an error.
    Packet receive(bool& ok);

    bool isUsable() const { return handle != os::invalidSocket; }
    // The address the host resolved to, as dotted text.
    const std::string& getAddressText() const { return addressText; }
    const os::Ipv4Endpoint& getRemote() const { return remote; }
    const os::Ipv4Endpoint& getLocal() const { return local; }

private:
    // Shows the failure and ends the process, or (quiet) makes the socket unusable.
    void fail(const std::string& text, const std::string& caption);

    os::SocketHandle handle = os::invalidSocket;
    os::Ipv4Endpoint remote;
    os::Ipv4Endpoint local;
    std::string addressText;
    std::uint32_t timeoutMs = 200;
    bool quiet;
};
