// Sockets on Windows: Winsock 2 (ws2_32). socketsStartup/socketsCleanup are WSAStartup(2.2)
// and WSACleanup; every other call also makes sure Winsock is started, since WSAStartup
// counts its callers. SO_RCVTIMEO takes a DWORD of milliseconds and a time-out is
// WSAETIMEDOUT; connect and accept with a time-out wait in select; getaddrinfo replaces
// gethostbyname (thread-safe) with the same three outcomes. UDP sockets have
// SIO_UDP_CONNRESET off, so that a port-unreachable answer to one datagram does not fail the
// next receive (BSD sockets do not report it on unconnected sockets either), and a datagram
// larger than the buffer is cut to it (WSAEMSGSIZE) as recvfrom does elsewhere.
#include "os/Sockets.h"

#include <mutex>
#include <winsock2.h>
#include <ws2tcpip.h>
#include <mswsock.h>

#ifndef SIO_UDP_CONNRESET
#define SIO_UDP_CONNRESET _WSAIOW(IOC_VENDOR, 12)
#endif

namespace os {

namespace {

SOCKET sock(SocketHandle socket) { return static_cast<SOCKET>(socket); }

void ensureStarted()
{
    static std::once_flag once;
    std::call_once(once, [] {
        WSADATA data{};
        WSAStartup(MAKEWORD(2, 2), &data); // stays started until the process ends
    });
}

sockaddr_in toSockaddr(const Ipv4Endpoint& endpoint)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(endpoint.port);
    address.sin_addr.s_addr = endpoint.address;
    return address;
}

Ipv4Endpoint fromSockaddr(const sockaddr_in& address)
{
    return Ipv4Endpoint{address.sin_addr.s_addr, ntohs(address.sin_port)};
}

// Waits until the socket is readable (or, for writing, writable or failed); false on
// time-out (WSAETIMEDOUT) or error.
bool waitFor(SOCKET s, bool forWriting, std::uint32_t timeoutMs)
{
    fd_set ready, failed;
    FD_ZERO(&ready);
    FD_ZERO(&failed);
    FD_SET(s, &ready);
    FD_SET(s, &failed);
    timeval wait{static_cast<long>(timeoutMs / 1000), static_cast<long>((timeoutMs % 1000) * 1000)};
    const int n = select(0, forWriting ? nullptr : &ready, forWriting ? &ready : nullptr, &failed, &wait);
    if (n == 0) {
        WSASetLastError(WSAETIMEDOUT);
        return false;
    }
    if (n < 0)
        return false;
    if (FD_ISSET(s, &failed) && !FD_ISSET(s, &ready)) {
        int error = 0;
        int length = sizeof error;
        getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length);
        WSASetLastError(error ? error : WSAECONNREFUSED);
        return false;
    }
    return true;
}

} // namespace

int socketsStartup()
{
    WSADATA data{};
    return WSAStartup(MAKEWORD(2, 2), &data);
}

void socketsCleanup() { WSACleanup(); }

bool parseIpv4(const std::string& text, std::uint32_t& addressNetworkOrder)
{
    ensureStarted();
    if (text.empty())
        return false;
    const unsigned long address = inet_addr(text.c_str());
    if (address == INADDR_NONE && text != "255.255.255.255")
        return false;
    addressNetworkOrder = static_cast<std::uint32_t>(address);
    return true;
}

bool lookUpHost(const std::string& host, std::vector<HostAddress>& found)
{
    ensureStarted();
    addrinfo hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* results = nullptr;
    if (getaddrinfo(host.c_str(), nullptr, &hints, &results) != 0)
        return false;
    for (addrinfo* r = results; r; r = r->ai_next)
        found.push_back({r->ai_family == AF_INET ? HostAddress::Ipv4 : r->ai_family == AF_INET6 ? HostAddress::Ipv6 : HostAddress::Other,
                         r->ai_family == AF_INET ? reinterpret_cast<sockaddr_in*>(r->ai_addr)->sin_addr.s_addr : 0});
    freeaddrinfo(results);
    return true;
}

SocketHandle openUdpSocket()
{
    ensureStarted();
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET)
        return invalidSocket;
    BOOL report = FALSE;
    DWORD returned = 0;
    WSAIoctl(s, SIO_UDP_CONNRESET, &report, sizeof report, nullptr, 0, &returned, nullptr, nullptr);
    return static_cast<SocketHandle>(s);
}

SocketHandle openTcpSocket()
{
    ensureStarted();
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    return s == INVALID_SOCKET ? invalidSocket : static_cast<SocketHandle>(s);
}

void closeSocket(SocketHandle socket)
{
    if (socket == invalidSocket)
        return;
    shutdown(sock(socket), SD_BOTH);
    closesocket(sock(socket));
}

int lastSocketError() { return WSAGetLastError(); }

bool connectSocket(SocketHandle socket, const Ipv4Endpoint& remote, std::uint32_t timeoutMs)
{
    sockaddr_in address = toSockaddr(remote);
    if (timeoutMs == 0)
        return connect(sock(socket), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    u_long nonBlocking = 1;
    ioctlsocket(sock(socket), FIONBIO, &nonBlocking);
    bool ok = connect(sock(socket), reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    if (!ok && WSAGetLastError() == WSAEWOULDBLOCK)
        ok = waitFor(sock(socket), true, timeoutMs);
    const int saved = WSAGetLastError();
    nonBlocking = 0;
    ioctlsocket(sock(socket), FIONBIO, &nonBlocking);
    WSASetLastError(saved);
    return ok;
}

bool socketEndpoint(SocketHandle socket, bool peer, Ipv4Endpoint& endpoint)
{
    sockaddr_in address{};
    int length = sizeof address;
    auto* name = reinterpret_cast<sockaddr*>(&address);
    if ((peer ? getpeername(sock(socket), name, &length) : getsockname(sock(socket), name, &length)) != 0)
        return false;
    endpoint = fromSockaddr(address);
    return true;
}

bool setReceiveTimeout(SocketHandle socket, std::uint32_t timeoutMs)
{
    const DWORD wait = timeoutMs;
    return setsockopt(sock(socket), SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&wait), sizeof wait) == 0;
}

namespace {

CallError lastCallError()
{
    switch (WSAGetLastError()) {
    case WSAEINTR:
        return CallError::Interrupted;
    case WSAETIMEDOUT:
    case WSAEWOULDBLOCK:
        return CallError::TimedOut;
    case WSAEMSGSIZE:
        return CallError::TooLong;
    case WSAECONNRESET:
    case WSAESHUTDOWN:
        return CallError::Reset;
    default:
        return CallError::Other;
    }
}

long checked(int n, CallError& error)
{
    error = n == SOCKET_ERROR ? lastCallError() : CallError::None;
    return n == SOCKET_ERROR ? -1 : n;
}

} // namespace

long sendOnce(SocketHandle socket, const void* data, std::size_t length, CallError& error)
{
    return checked(send(sock(socket), static_cast<const char*>(data), static_cast<int>(length), 0), error);
}

long receiveOnce(SocketHandle socket, void* buffer, std::size_t capacity, Ipv4Endpoint* from, CallError& error)
{
    sockaddr_in address{};
    int length = sizeof address;
    const long n = checked(recvfrom(sock(socket), static_cast<char*>(buffer), static_cast<int>(capacity), 0,
                                    reinterpret_cast<sockaddr*>(&address), &length),
                           error);
    if (from && (n >= 0 || error == CallError::TooLong))
        *from = fromSockaddr(address);
    return n;
}

long sendToOnce(SocketHandle socket, const void* data, std::size_t length, const Ipv4Endpoint& to, CallError& error)
{
    const sockaddr_in address = toSockaddr(to);
    return checked(sendto(sock(socket), static_cast<const char*>(data), static_cast<int>(length), 0,
                          reinterpret_cast<const sockaddr*>(&address), sizeof address),
                   error);
}

SocketHandle acceptOnce(SocketHandle listener, CallError& error)
{
    const SOCKET s = accept(sock(listener), nullptr, nullptr);
    error = s == INVALID_SOCKET ? lastCallError() : CallError::None;
    return s == INVALID_SOCKET ? invalidSocket : static_cast<SocketHandle>(s);
}

bool waitReadable(SocketHandle socket, std::uint32_t timeoutMs) { return waitFor(sock(socket), false, timeoutMs); }

bool isStreamSocket(SocketHandle socket)
{
    int type = 0;
    int length = sizeof type;
    getsockopt(sock(socket), SOL_SOCKET, SO_TYPE, reinterpret_cast<char*>(&type), &length);
    return type == SOCK_STREAM;
}

bool bindSocket(SocketHandle socket, const Ipv4Endpoint& local)
{
    const sockaddr_in address = toSockaddr(local);
    return bind(sock(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

bool listenSocket(SocketHandle socket, int backlog) { return listen(sock(socket), backlog) == 0; }

} // namespace os
