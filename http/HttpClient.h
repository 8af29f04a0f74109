// One HTTP/1.0 GET over a fresh TCP connection, kept in memory or written to a file.
// No redirects, no chunked transfer, no Content-Length: the server closing the
// connection ends the answer. Failures are reported by returning false, never shown.
//
// Every call is bounded: connecting and each receive wait at most the time-out, the whole
// request at most its options' deadline, and the answer may not grow past their caps. Past
// any of these the call fails as it does when the server closes early.
#pragma once

#include "http/HttpAnswer.h"
#include "http/HttpOptions.h"

#include <cstdint>
#include <string>

class HttpClient {
public:
    // How long connecting and each receive may take before the call gives up.
    static constexpr std::uint32_t defaultTimeoutMs = 10000;
    static constexpr std::uint16_t defaultPort = 80;
    static constexpr std::size_t chunkSize = httpChunkSize;

    // host: a host name or a dotted IPv4 address, optionally followed by ":port"
    // (the Host header then carries the port too).
    explicit HttpClient(const std::string& host);
    virtual ~HttpClient();

    // True when an answer with status 200 arrived; body gets the bytes after the head.
    virtual bool getToMemory(const std::string& path, std::string& body, const HttpOptions& options = HttpOptions());
    // Writes the body to filePath only when the status is 200 and the answer came whole;
    // true when it was 200 and whole. A failed call leaves filePath as it was.
    virtual bool getToFile(const std::string& path, const std::string& filePath,
                           const HttpOptions& options = HttpOptions());

    // The status code of the last answer read; 0 until a status line has been read.
    int getResponseCode() const { return responseCode; }
    const std::string& getHost() const { return host; }

    // 0 waits as long as the system does (the deadline still applies).
    void setTimeout(std::uint32_t milliseconds) { timeoutMs = milliseconds; }
    std::uint32_t getTimeout() const { return timeoutMs; }

    // The request bytes sent for path: "GET path HTTP/1.0\r\nHost:host\r\n\r\n".
    std::string requestFor(const std::string& path) const;

private:
    std::string host;
    int responseCode = 0;
    std::uint32_t timeoutMs = defaultTimeoutMs;
};
