// Sockets facility of the OS seam: IPv4 UDP and TCP in the shape of Winsock's calls, so
// that the query and HTTP code reads the same on every platform. Every call is thread-safe
// (name resolution included); interrupted calls are retried inside.
#pragma once

#include "os/StopToken.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace os {

using SocketHandle = std::intptr_t;
inline constexpr SocketHandle invalidSocket = -1;

// Winsock start-up and clean-up; 0 is success. Backends without them do nothing.
int socketsStartup();
void socketsCleanup();

// inet_addr: true when text is a dotted IPv4 address; the address in network order.
bool parseIpv4(const std::string& text, std::uint32_t& addressNetworkOrder);
std::string ipv4ToText(std::uint32_t addressNetworkOrder);

enum class ResolveResult { Ipv4, Ipv6Only, NotFound, OtherFamily, Late };
// gethostbyname: the first IPv4 address as dotted text when there is one. Waits as long as
// the system's resolver does (seconds per try when its server is silent).
ResolveResult resolveHost(const std::string& host, std::string& dottedAddress);

// How long a poll cycle or a command waits for a host name.
inline constexpr std::uint32_t lookUpTimeoutMs = 2000;
// resolveHost on a thread of its own that the caller walks away from after timeoutMs, or at
// once when `stop` is asked to stop: then Late, and the look-up ends by itself later (a
// second call for the same host meanwhile waits for that one instead of starting another).
// A dotted address is taken as it stands, without a thread.
ResolveResult resolveHostWithin(const std::string& host, std::string& dottedAddress, std::uint32_t timeoutMs,
                                const StopToken& stop = StopToken());

struct Ipv4Endpoint {
    std::uint32_t address = 0; // network order
    std::uint16_t port = 0;    // host order
};

SocketHandle openUdpSocket();
SocketHandle openTcpSocket();
// Closes after shutting both directions down; safe on invalidSocket.
void closeSocket(SocketHandle socket);

// The last socket error of this thread (errno, or WSAGetLastError) in the platform's code.
int lastSocketError();

// Connects to an IPv4 endpoint. timeoutMs 0 waits as long as the system does.
bool connectSocket(SocketHandle socket, const Ipv4Endpoint& remote, std::uint32_t timeoutMs = 0);
bool peerName(SocketHandle socket, Ipv4Endpoint& endpoint);
bool socketName(SocketHandle socket, Ipv4Endpoint& endpoint);
// SO_RCVTIMEO in milliseconds; 0 waits for ever.
bool setReceiveTimeout(SocketHandle socket, std::uint32_t timeoutMs);

enum class IoResult { Ok, TimedOut, Closed, Error };
// Sends all bytes (send on a connected socket); Ok only when everything went.
IoResult sendAll(SocketHandle socket, const void* data, std::size_t length);
// One recv/recvfrom into buffer. Ok with received > 0, or (UDP) an empty datagram;
// Closed when a stream ended; TimedOut after the receive time-out; Error otherwise
// (lastSocketError() tells which).
IoResult receiveSome(SocketHandle socket, void* buffer, std::size_t capacity, std::size_t& received);

// For test servers: bind to 127.0.0.1 on `port` (0: any free one) and report the port.
bool bindLoopback(SocketHandle socket, std::uint16_t& port);
bool listenSocket(SocketHandle socket, int backlog);
SocketHandle acceptSocket(SocketHandle listener, std::uint32_t timeoutMs);
bool receiveFrom(SocketHandle socket, void* buffer, std::size_t capacity, std::size_t& received,
                 Ipv4Endpoint& from, std::uint32_t timeoutMs);
bool sendTo(SocketHandle socket, const void* data, std::size_t length, const Ipv4Endpoint& to);

// What each backend provides for the calls above that read the same on every platform
// (os/SocketsCommon.cpp).
struct HostAddress {
    enum Family { Ipv4, Ipv6, Other } family = Other;
    std::uint32_t ipv4 = 0; // network order
};
// getaddrinfo: every address of host in the system's order; false when it has none.
bool lookUpHost(const std::string& host, std::vector<HostAddress>& found);
// getsockname, or getpeername with `peer`.
bool socketEndpoint(SocketHandle socket, bool peer, Ipv4Endpoint& endpoint);
bool bindSocket(SocketHandle socket, const Ipv4Endpoint& local);
// How one system call failed, in the platform's terms put the same way.
enum class CallError { None, Interrupted, TimedOut, TooLong, Reset, Other };
// One send, recvfrom (from may be null), sendto or accept: the count or socket, or -1 or
// invalidSocket with the reason in `error`.
long sendOnce(SocketHandle socket, const void* data, std::size_t length, CallError& error);
long receiveOnce(SocketHandle socket, void* buffer, std::size_t capacity, Ipv4Endpoint* from, CallError& error);
long sendToOnce(SocketHandle socket, const void* data, std::size_t length, const Ipv4Endpoint& to, CallError& error);
SocketHandle acceptOnce(SocketHandle listener, CallError& error);
// False when nothing came within timeoutMs (lastSocketError() then says a time-out).
bool waitReadable(SocketHandle socket, std::uint32_t timeoutMs);
bool isStreamSocket(SocketHandle socket);

} // namespace os
