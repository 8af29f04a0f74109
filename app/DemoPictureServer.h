// The demo's own map-image host: a small HTTP server on 127.0.0.1 that hands out the demo
// maps' pictures (drawn by tools/draw-pictures.py, kept in the data folder as
// "demo-<map>.jpg") at the paths the panel downloads them from, so that the download, the
// cache and the drawing of map pictures run for real in the demo. Anything else is a 404.
#pragma once

#include "os/Sockets.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <string>
#include <thread>

class DemoPictureServer {
public:
    DemoPictureServer() = default;
    ~DemoPictureServer();
    DemoPictureServer(const DemoPictureServer&) = delete;
    DemoPictureServer& operator=(const DemoPictureServer&) = delete;

    // Reads the pictures of these maps from the folder and starts listening on a free port;
    // false when it cannot listen.
    bool start(const std::string& folder, const std::map<std::string, std::string>& mapsByGame);
    std::uint16_t port() const { return listeningPort; }
    void stop();

private:
    void serve();
    void answer(os::SocketHandle client);

    std::map<std::string, std::string> pictures; // request path → JPEG bytes
    os::SocketHandle listener = os::invalidSocket;
    std::uint16_t listeningPort = 0;
    std::atomic<bool> stopping{false};
    std::thread thread;
};
