// A raw TCP server on a free loopback port that answers every connection with the same
// script of writes, for what a well-behaved web server never does: a head cut in the
// middle, a head in many small pieces, a server that accepts and never answers, a
// connection reset in the middle of a body. It also keeps the bytes it was sent.
#pragma once

#include "os/Sockets.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace testing_support {

class ScriptedTcpServer {
public:
    struct Step {
        std::string bytes;          // written with one send
        std::uint32_t pauseMs = 0;  // pause after it, so the next write comes separately
        std::size_t times = 1;      // the write and its pause this many times (huge answers, small memory)
    };
    enum class Ending {
        Close, // close the connection after the last step
        Hang,  // keep it open, silent, until the server object goes
        Reset, // end it with a reset (RST) instead of a close
    };

    explicit ScriptedTcpServer(std::vector<Step> steps, Ending ending = Ending::Close);
    // The whole reply in one write.
    explicit ScriptedTcpServer(const std::string& reply, Ending ending = Ending::Close);
    ~ScriptedTcpServer();
    ScriptedTcpServer(const ScriptedTcpServer&) = delete;
    ScriptedTcpServer& operator=(const ScriptedTcpServer&) = delete;

    // The reply cut into pieces of `size` bytes, each followed by a pause.
    static std::vector<Step> pieces(const std::string& reply, std::size_t size, std::uint32_t pauseMs = 1);

    bool isListening() const { return listener != os::invalidSocket; }
    std::uint16_t port() const { return listenPort; }
    std::string host() const; // "127.0.0.1:PORT"

    // Connections accepted so far.
    int connections() const;
    // What the clients sent, connection by connection: up to and including the first
    // "\r\n\r\n", or everything until the client stopped sending.
    std::vector<std::string> requests() const;

private:
    void run();
    void answer(os::SocketHandle client);

    std::vector<Step> steps;
    Ending ending;
    os::SocketHandle listener = os::invalidSocket;
    std::uint16_t listenPort = 0;
    mutable std::mutex mutex;
    std::atomic<bool> stop{false};
    int accepted = 0;
    std::vector<std::string> received;
    std::thread thread;
};

} // namespace testing_support
