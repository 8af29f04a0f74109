#include "http/HttpClient.h"

#include "os/Clock.h"
#include "os/Sockets.h"

#include <algorithm>

namespace {

// "name" or "name:port". A port that is not a number from 1 to 65535 makes the whole
// text an unknown host.
bool splitHost(const std::string& text, std::string& name, std::uint16_t& port)
{
    const std::string::size_type colon = text.rfind(':');
    if (colon == std::string::npos) {
        name = text;
        port = HttpClient::defaultPort;
        return true;
    }
    const std::string digits = text.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos)
        return false;
    const unsigned long value = std::stoul(digits);
    if (value == 0 || value > 65535)
        return false;
    name = text.substr(0, colon);
    port = static_cast<std::uint16_t>(value);
    return true;
}

// The time one request has left. Each wait is the client's time-out, or what is left of
// the request's when that is less.
class Deadline {
public:
    Deadline(std::uint32_t waitMs, std::uint32_t totalMs)
        : waitMs(waitMs), totalMs(totalMs), start(os::monotonicMilliseconds())
    {
    }

    // False once the request's time is up; otherwise how long the next wait may take
    // (0: as long as the system waits).
    bool nextWait(std::uint32_t& ms) const
    {
        if (totalMs == 0) {
            ms = waitMs;
            return true;
        }
        const std::uint32_t elapsed = os::monotonicMilliseconds() - start;
        if (elapsed >= totalMs)
            return false;
        const std::uint32_t left = totalMs - elapsed;
        ms = waitMs == 0 ? left : std::min(waitMs, left);
        return true;
    }

private:
    std::uint32_t waitMs;
    std::uint32_t totalMs;
    std::uint32_t start;
};

// One TCP connection to the web server, closed (both directions shut down) when it goes.
// A receive error ends the answer as the server's close does; a time-out, or the end of
// the request's time, is a stall.
class Connection : public HttpAnswerSource {
public:
    explicit Connection(const Deadline& deadline) : deadline(deadline) {}
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() override { os::closeSocket(socket); }

    bool open(const std::string& hostText)
    {
        socket = os::openTcpSocket();
        if (socket == os::invalidSocket)
            return false;
        std::string name;
        os::Ipv4Endpoint remote;
        if (!splitHost(hostText, name, remote.port))
            return false;
        // A dotted address is used as it stands; a name is looked up within the request's time,
        // and no longer than a poll cycle waits for one (a silent name server would otherwise
        // hold the start-up's update check for the whole of it).
        std::uint32_t wait = 0;
        if (!os::parseIpv4(name, remote.address)) {
            std::string dotted;
            if (!deadline.nextWait(wait))
                return false;
            const std::uint32_t lookUpMs = wait == 0 ? os::lookUpTimeoutMs : std::min(wait, os::lookUpTimeoutMs);
            const os::ResolveResult found = os::resolveHostWithin(name, dotted, lookUpMs);
            if (found != os::ResolveResult::Ipv4 || !os::parseIpv4(dotted, remote.address))
                return false;
        }
        return deadline.nextWait(wait) && os::connectSocket(socket, remote, wait);
    }

    void send(const std::string& request)
    {
        // The request is small; whether it all went shows in the answer.
        os::sendAll(socket, request.data(), request.size());
    }

    HttpPiece next(char* buffer, std::size_t capacity, std::size_t& received) override
    {
        std::uint32_t wait = 0;
        if (!deadline.nextWait(wait))
            return HttpPiece::Stalled;
        if (wait != receiveTimeoutMs) {
            os::setReceiveTimeout(socket, wait);
            receiveTimeoutMs = wait;
        }
        switch (os::receiveSome(socket, buffer, capacity, received)) {
        case os::IoResult::Ok:
            return received > 0 ? HttpPiece::Data : HttpPiece::End;
        case os::IoResult::TimedOut:
            return HttpPiece::Stalled;
        case os::IoResult::Closed:
        case os::IoResult::Error:
            break;
        }
        received = 0;
        return HttpPiece::End;
    }

private:
    const Deadline& deadline;
    os::SocketHandle socket = os::invalidSocket;
    std::uint32_t receiveTimeoutMs = 0; // as a new socket has it: no limit
};

} // namespace

HttpClient::HttpClient(const std::string& host) : host(host) {}

HttpClient::~HttpClient() = default;

std::string HttpClient::requestFor(const std::string& path) const
{
    return "GET " + path + " HTTP/1.0" + "\r\n" + "Host:" + host + "\r\n" + "\r\n";
}

bool HttpClient::getToMemory(const std::string& path, std::string& body, const HttpOptions& options)
{
    const Deadline deadline(timeoutMs, options.deadlineMs);
    Connection connection(deadline);
    if (!connection.open(host))
        return false;
    connection.send(requestFor(path));
    return readHttpAnswerToMemory(connection, options, responseCode, body);
}

bool HttpClient::getToFile(const std::string& path, const std::string& filePath, const HttpOptions& options)
{
    const Deadline deadline(timeoutMs, options.deadlineMs);
    Connection connection(deadline);
    if (!connection.open(host))
        return false;
    connection.send(requestFor(path));
    return readHttpAnswerToFile(connection, options, responseCode, filePath);
}
