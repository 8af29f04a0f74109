#include "http/HttpClient.h"

#include "os/FileSystem.h"
#include "os/Sockets.h"

#include <cstdio>
#include <cstring>
#include <sstream>

namespace {

const char headEnd[] = "\r\n\r\n";
constexpr std::size_t headEndLength = 4;

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

enum class Chunk { Data, End, TimedOut };

// One TCP connection to the web server, closed (both directions shut down) when it goes.
class Connection {
public:
    Connection() = default;
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;
    ~Connection() { close(); }

    bool open(const std::string& hostText, std::uint32_t timeoutMs)
    {
        socket = os::openTcpSocket();
        if (socket == os::invalidSocket)
            return false;
        std::string name;
        os::Ipv4Endpoint remote;
        if (!splitHost(hostText, name, remote.port))
            return false;
        // A dotted address is used as it stands; a name is looked up.
        if (!os::parseIpv4(name, remote.address)) {
            std::string dotted;
            if (os::resolveHost(name, dotted) != os::ResolveResult::Ipv4)
                return false;
            if (!os::parseIpv4(dotted, remote.address))
                return false;
        }
        if (!os::connectSocket(socket, remote, timeoutMs))
            return false;
        os::setReceiveTimeout(socket, timeoutMs);
        return true;
    }

    void send(const std::string& request)
    {
        // The request is small; whether it all went shows in the answer.
        os::sendAll(socket, request.data(), request.size());
    }

    // Up to chunkSize bytes into a buffer cleared beforehand. A receive error ends the
    // answer as the server's close does; only a time-out is told apart.
    Chunk receive(char* buffer, std::size_t& received)
    {
        std::memset(buffer, 0, HttpClient::chunkSize);
        switch (os::receiveSome(socket, buffer, HttpClient::chunkSize, received)) {
        case os::IoResult::Ok:
            return received > 0 ? Chunk::Data : Chunk::End;
        case os::IoResult::TimedOut:
            return Chunk::TimedOut;
        case os::IoResult::Closed:
        case os::IoResult::Error:
            break;
        }
        received = 0;
        return Chunk::End;
    }

    void close()
    {
        os::closeSocket(socket);
        socket = os::invalidSocket;
    }

private:
    os::SocketHandle socket = os::invalidSocket;
};

// The head's first word is the protocol (ignored); the number after it is the status.
int readStatusCode(const std::string& head)
{
    std::istringstream in(head);
    std::string protocol;
    int code = 0;
    if (in >> protocol)
        in >> code;
    return code;
}

} // namespace

HttpClient::HttpClient(const std::string& host) : host(host) {}

HttpClient::~HttpClient() = default;

std::string HttpClient::requestFor(const std::string& path) const
{
    return "GET " + path + " HTTP/1.0" + "\r\n" + "Host:" + host + "\r\n" + "\r\n";
}

bool HttpClient::getToMemory(const std::string& path, std::string& body)
{
    Connection connection;
    if (!connection.open(host, timeoutMs))
        return false;
    connection.send(requestFor(path));

    std::string answer;
    char buffer[chunkSize];
    for (;;) {
        std::size_t received = 0;
        const Chunk chunk = connection.receive(buffer, received);
        if (chunk == Chunk::TimedOut)
            return false;
        if (chunk == Chunk::End)
            break;
        answer.append(buffer, received);
    }
    connection.close();
    if (answer.empty())
        return false;

    const std::string::size_type separator = answer.find(headEnd);
    const std::string head = separator == std::string::npos ? answer : answer.substr(0, separator);
    responseCode = readStatusCode(head);
    if (responseCode != 200)
        return false;
    body = separator == std::string::npos ? std::string() : answer.substr(separator + headEndLength);
    return true;
}

bool HttpClient::getToFile(const std::string& path, const std::string& filePath)
{
    Connection connection;
    if (!connection.open(host, timeoutMs))
        return false;
    connection.send(requestFor(path));
    responseCode = 0;

    // The head may come over several chunks; the separator may straddle two of them.
    std::string head;
    std::string::size_type separator = std::string::npos;
    char buffer[chunkSize];
    while (separator == std::string::npos) {
        std::size_t received = 0;
        const Chunk chunk = connection.receive(buffer, received);
        if (chunk != Chunk::Data)
            return false; // the answer ended (or stalled) inside the head: nothing is written
        const std::size_t searchFrom = head.size() < headEndLength ? 0 : head.size() - (headEndLength - 1);
        head.append(buffer, received);
        separator = head.find(headEnd, searchFrom);
    }
    responseCode = readStatusCode(head.substr(0, separator));
    if (responseCode != 200)
        return false;

    // Failures to create or write the file are not detected: the status alone decides.
    std::FILE* file = std::fopen(filePath.c_str(), "wb");
    const std::size_t bodyStart = separator + headEndLength;
    if (file && head.size() > bodyStart)
        std::fwrite(head.data() + bodyStart, 1, head.size() - bodyStart, file);
    bool stalled = false;
    for (;;) {
        std::size_t received = 0;
        const Chunk chunk = connection.receive(buffer, received);
        if (chunk == Chunk::TimedOut) {
            stalled = true;
            break;
        }
        if (chunk == Chunk::End)
            break;
        if (file)
            std::fwrite(buffer, 1, received, file);
    }
    if (file)
        std::fclose(file);
    connection.close();
    if (stalled) {
        // A body cut off by a silent server is no picture to keep.
        os::deleteFile(filePath);
        return false;
    }
    return true;
}
