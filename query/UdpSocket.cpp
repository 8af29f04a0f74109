#include "query/UdpSocket.h"

#include "os/MessageBox.h"

#include <cstdlib>
#include <vector>

UdpSocket::UdpSocket(const std::string& host, std::uint16_t port, bool quiet) : quiet(quiet)
{
    handle = os::openUdpSocket();
    if (handle == os::invalidSocket) {
        fail("Failed to connect UDP socket", "udp connect failed");
        return;
    }

    // A dotted address comes straight back; a name is looked up within the poll cycle's limit.
    switch (os::resolveHostWithin(host, addressText, os::lookUpTimeoutMs)) {
    case os::ResolveResult::Ipv4:
        break;
    case os::ResolveResult::NotFound:
    case os::ResolveResult::Late:
        fail("Failed to resolve host : " + host, "Resolve host error");
        return;
    case os::ResolveResult::Ipv6Only:
        fail("Resolve host returned ipv6, this was unexpected.", "Resolve host error");
        return;
    case os::ResolveResult::OtherFamily:
        addressText.clear();
        break;
    }

    // An empty or unreadable address text gives inet_addr's INADDR_NONE, which no connect accepts.
    os::Ipv4Endpoint target;
    target.port = port;
    target.address = 0xFFFFFFFFu;
    os::parseIpv4(addressText, target.address);
    if (!os::connectSocket(handle, target)) {
        fail("Failed to connect UDP socket", "udp connect failed");
        return;
    }
    remote = os::Ipv4Endpoint{};
    local = os::Ipv4Endpoint{};
    os::peerName(handle, remote);
    os::socketName(handle, local);
    timeoutMs = 200;
}

UdpSocket::~UdpSocket() { os::closeSocket(handle); }

void UdpSocket::fail(const std::string& text, const std::string& caption)
{
    os::closeSocket(handle);
    handle = os::invalidSocket;
    if (quiet)
        return;
    os::messageBox(text, caption, os::MessageBoxIconError);
    std::exit(-1);
}

bool UdpSocket::send(const Packet& packet)
{
    if (!isUsable())
        return false;
    return os::sendAll(handle, packet.data(), packet.length()) == os::IoResult::Ok;
}

Packet UdpSocket::receive(bool& ok)
{
    ok = false;
    if (!isUsable())
        return Packet();
    if (!os::setReceiveTimeout(handle, timeoutMs)) {
        fail("Failed to set UDP socket options", "Socket receive failed");
        return Packet();
    }
    std::vector<std::uint8_t> buffer(maxDatagram);
    std::size_t received = 0;
    switch (os::receiveSome(handle, buffer.data(), buffer.size(), received)) {
    case os::IoResult::Ok:
    case os::IoResult::Closed:
        ok = true;
        return Packet(buffer.data(), received);
    case os::IoResult::TimedOut:
        return Packet();
    case os::IoResult::Error:
        break;
    }
    const int error = os::lastSocketError();
    fail("Socket.recivefrom returned with error code : " + std::to_string(error), "Socket receive failed");
    return Packet();
}
