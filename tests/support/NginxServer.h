// Debian's nginx on a free loopback port, for tests that need a real web server.
//
// Each server has its own prefix folder (configuration, document root, logs, pid file and
// temporary folders), runs in the foreground as a child of the test ("daemon off"), and
// works for root and for other users alike. The port is never fixed: the harness binds a
// listening socket to port 0 and hands it to nginx, so two tests never collide.
//
//     testing_support::NginxServer web;
//     web.serve("/holmik/HolmikZivizaVersion.txt", "4 7 1:http://example.net/\n");
//     ASSERT_TRUE(web.start()) << web.errorLog();
//     HttpClient client(web.host()); // "127.0.0.1:PORT"
//
// Files may be written or removed while the server runs. The server stops when the
// object goes (and when the test process dies).
#pragma once

#include "tests/support/TempDir.h"

#include <cstdint>
#include <string>
#include <vector>

namespace testing_support {

class NginxServer {
public:
    NginxServer();
    ~NginxServer();
    NginxServer(const NginxServer&) = delete;
    NginxServer& operator=(const NginxServer&) = delete;

    // Starts nginx and waits until it serves. False (with errorLog() telling why) when
    // nginx is missing or did not come up.
    bool start();
    void stop();
    bool isRunning() const { return pid > 0; }

    std::uint16_t port() const { return listenPort; }
    // "127.0.0.1:PORT", the host text for HttpClient.
    std::string host() const;
    // The document root: a request for /a/b.jpg reads documentRoot() + "/a/b.jpg".
    std::string documentRoot() const;

    // Writes a file to be served at urlPath ("/images/maps/160x120/csgo/de_dust2.jpg"),
    // making its folders.
    void serve(const std::string& urlPath, const std::string& contents) const;
    void remove(const std::string& urlPath) const;

    // One entry per answered request, "METHOD URI STATUS HOST" (HOST is the Host header),
    // in the order nginx answered them.
    std::vector<std::string> requests() const;
    std::string errorLog() const;
    const std::string& prefix() const { return folder.path(); }

private:
    bool waitUntilServing();

    TempDir folder;
    std::uint16_t listenPort = 0;
    int pid = -1;
};

} // namespace testing_support
