// Debian's nginx for one test, in its own temporary prefix, on a loopback port the system
// chose; it serves the files written with serve() and stops with the object.
//
//     testing_support::NginxServer web;
//     web.serve("/holmik/HolmikZivizaVersion.txt", "4 7 1:http://example.net/\n");
//     ASSERT_TRUE(web.start()) << web.errorLog();
//     HttpClient client(web.host()); // "127.0.0.1:PORT"
#pragma once

#include "tests/support/TempDir.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace testing_support {

class NginxServer {
public:
    NginxServer() = default;
    ~NginxServer() { stop(); }
    NginxServer(const NginxServer&) = delete;
    NginxServer& operator=(const NginxServer&) = delete;

    // False (errorLog() tells why) when nginx is missing or did not come up.
    bool start();
    void stop();
    std::uint16_t port() const { return listenPort; }
    std::string host() const { return "127.0.0.1:" + std::to_string(listenPort); }
    std::string documentRoot() const { return folder.file("www"); }
    // Writes (or removes) the file served at urlPath, also while the server runs.
    void serve(const std::string& urlPath, const std::string& contents) const { writeFile(documentRoot() + urlPath, contents); }
    void remove(const std::string& urlPath) const { std::remove((documentRoot() + urlPath).c_str()); }
    // "METHOD URI STATUS HOST" for each answered request, in order.
    std::vector<std::string> requests() const;
    std::string errorLog() const { return folder.read("logs/error.log") + folder.read("logs/output.log"); }

private:
    TempDir folder;
    std::uint16_t listenPort = 0;
    int pid = -1;
};

} // namespace testing_support
