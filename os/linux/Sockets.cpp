// Sockets on Linux: BSD sockets for Winsock. Start-up and clean-up do nothing;
// SO_RCVTIMEO takes a timeval; a time-out is EAGAIN/EWOULDBLOCK; EINTR is retried;
// getaddrinfo replaces gethostbyname (thread-safe) with the same three outcomes.
#include "os/Sockets.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

namespace os {

namespace {

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

int fd(SocketHandle socket) { return static_cast<int>(socket); }

bool waitFor(int descriptor, short events, std::uint32_t timeoutMs)
{
    pollfd entry{descriptor, events, 0};
    for (;;) {
        int n = poll(&entry, 1, static_cast<int>(timeoutMs));
        if (n > 0)
            return true;
        if (n == 0) {
            errno = ETIMEDOUT;
            return false;
        }
        if (errno != EINTR)
            return false;
    }
}

} // namespace

int socketsStartup() { return 0; }
void socketsCleanup() {}

bool parseIpv4(const std::string& text, std::uint32_t& addressNetworkOrder)
{
    in_addr address{};
    if (inet_aton(text.c_str(), &address) == 0)
        return false;
    addressNetworkOrder = address.s_addr;
    return true;
}

bool lookUpHost(const std::string& host, std::vector<HostAddress>& found)
{
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
    int s = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
    return s < 0 ? invalidSocket : s;
}

SocketHandle openTcpSocket()
{
    int s = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, IPPROTO_TCP);
    if (s < 0)
        return invalidSocket;
    int on = 1;
    setsockopt(s, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    return s;
}

void closeSocket(SocketHandle socket)
{
    if (socket == invalidSocket)
        return;
    shutdown(fd(socket), SHUT_RDWR);
    close(fd(socket));
}

int lastSocketError() { return errno; }

bool connectSocket(SocketHandle socket, const Ipv4Endpoint& remote, std::uint32_t timeoutMs)
{
    sockaddr_in address = toSockaddr(remote);
    if (timeoutMs == 0) {
        int r;
        do {
            r = connect(fd(socket), reinterpret_cast<sockaddr*>(&address), sizeof address);
        } while (r != 0 && errno == EINTR);
        return r == 0;
    }
    const int flags = fcntl(fd(socket), F_GETFL, 0);
    fcntl(fd(socket), F_SETFL, flags | O_NONBLOCK);
    int r = connect(fd(socket), reinterpret_cast<sockaddr*>(&address), sizeof address);
    bool ok = r == 0;
    if (!ok && (errno == EINPROGRESS || errno == EINTR)) {
        if (waitFor(fd(socket), POLLOUT, timeoutMs)) {
            int error = 0;
            socklen_t length = sizeof error;
            getsockopt(fd(socket), SOL_SOCKET, SO_ERROR, &error, &length);
            ok = error == 0;
            if (!ok)
                errno = error;
        }
    }
    const int saved = errno;
    fcntl(fd(socket), F_SETFL, flags);
    errno = saved;
    return ok;
}

bool socketEndpoint(SocketHandle socket, bool peer, Ipv4Endpoint& endpoint)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    auto* name = reinterpret_cast<sockaddr*>(&address);
    if ((peer ? getpeername(fd(socket), name, &length) : getsockname(fd(socket), name, &length)) != 0)
        return false;
    endpoint = fromSockaddr(address);
    return true;
}

bool setReceiveTimeout(SocketHandle socket, std::uint32_t timeoutMs)
{
    timeval wait{static_cast<time_t>(timeoutMs / 1000), static_cast<suseconds_t>((timeoutMs % 1000) * 1000)};
    return setsockopt(fd(socket), SOL_SOCKET, SO_RCVTIMEO, &wait, sizeof wait) == 0;
}

namespace {

CallError lastCallError()
{
    if (errno == EINTR)
        return CallError::Interrupted;
    // A reset connection stays an error here, as it always was on this platform.
    return (errno == EAGAIN || errno == EWOULDBLOCK) ? CallError::TimedOut : CallError::Other;
}

long checked(long n, CallError& error)
{
    error = n < 0 ? lastCallError() : CallError::None;
    return n;
}

} // namespace

long sendOnce(SocketHandle socket, const void* data, std::size_t length, CallError& error)
{
    return checked(send(fd(socket), data, length, MSG_NOSIGNAL), error);
}

long receiveOnce(SocketHandle socket, void* buffer, std::size_t capacity, Ipv4Endpoint* from, CallError& error)
{
    sockaddr_in address{};
    socklen_t length = sizeof address;
    const long n = checked(recvfrom(fd(socket), buffer, capacity, 0, reinterpret_cast<sockaddr*>(&address), &length), error);
    if (n >= 0 && from)
        *from = fromSockaddr(address);
    return n;
}

long sendToOnce(SocketHandle socket, const void* data, std::size_t length, const Ipv4Endpoint& to, CallError& error)
{
    const sockaddr_in address = toSockaddr(to);
    return checked(sendto(fd(socket), data, length, MSG_NOSIGNAL, reinterpret_cast<const sockaddr*>(&address), sizeof address),
                   error);
}

SocketHandle acceptOnce(SocketHandle listener, CallError& error)
{
    const long s = checked(accept4(fd(listener), nullptr, nullptr, SOCK_CLOEXEC), error);
    return s < 0 ? invalidSocket : s;
}

bool waitReadable(SocketHandle socket, std::uint32_t timeoutMs) { return waitFor(fd(socket), POLLIN, timeoutMs); }

bool isStreamSocket(SocketHandle socket)
{
    int type = 0;
    socklen_t length = sizeof type;
    getsockopt(fd(socket), SOL_SOCKET, SO_TYPE, &type, &length);
    return type == SOCK_STREAM;
}

bool bindSocket(SocketHandle socket, const Ipv4Endpoint& local)
{
    const sockaddr_in address = toSockaddr(local);
    return bind(fd(socket), reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
}

bool listenSocket(SocketHandle socket, int backlog) { return listen(fd(socket), backlog) == 0; }

} // namespace os
