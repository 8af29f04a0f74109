#include "tests/support/ScriptedTcpServer.h"

#include "os/Clock.h"
#include "tests/support/Platform.h"

#include <utility>

namespace testing_support {

ScriptedTcpServer::ScriptedTcpServer(std::vector<Step> script, Ending end) : steps(std::move(script)), ending(end)
{
    listener = os::openTcpSocket();
    if (listener != os::invalidSocket && os::bindLoopback(listener, listenPort) && os::listenSocket(listener, 16))
        thread = std::thread([this] { run(); });
    else
        os::closeSocket(std::exchange(listener, os::invalidSocket));
}

ScriptedTcpServer::ScriptedTcpServer(const std::string& reply, Ending end)
    : ScriptedTcpServer(std::vector<Step>{Step{reply, 0}}, end)
{
}

ScriptedTcpServer::~ScriptedTcpServer()
{
    stop = true;
    if (thread.joinable())
        thread.join();
    os::closeSocket(listener);
}

std::vector<ScriptedTcpServer::Step> ScriptedTcpServer::pieces(const std::string& reply, std::size_t size,
                                                               std::uint32_t pauseMs)
{
    std::vector<Step> result;
    for (std::size_t at = 0; at < reply.size(); at += size)
        result.push_back(Step{reply.substr(at, size), pauseMs});
    return result;
}

std::string ScriptedTcpServer::host() const { return "127.0.0.1:" + std::to_string(listenPort); }

int ScriptedTcpServer::connections() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return accepted;
}

std::vector<std::string> ScriptedTcpServer::requests() const
{
    std::lock_guard<std::mutex> lock(mutex);
    return received;
}

void ScriptedTcpServer::run()
{
    while (!stop) {
        const os::SocketHandle client = os::acceptSocket(listener, 50);
        if (client == os::invalidSocket)
            continue;
        {
            std::lock_guard<std::mutex> lock(mutex);
            ++accepted;
            received.emplace_back();
        }
        answer(client);
    }
}

void ScriptedTcpServer::answer(os::SocketHandle client)
{
    // Read the request: up to the blank line, or until the client is quiet for a while.
    std::string request;
    os::setReceiveTimeout(client, 2000);
    char buffer[1024];
    std::size_t n = 0;
    while (request.find("\r\n\r\n") == std::string::npos && !stop &&
           os::receiveSome(client, buffer, sizeof buffer, n) == os::IoResult::Ok)
        request.append(buffer, n);
    {
        std::lock_guard<std::mutex> lock(mutex);
        received.back() = request;
    }
    // Every write its own segment, so that the client sees the pieces apart.
    sendEachWriteAtOnce(client);
    bool sending = true;
    for (const Step& step : steps)
        for (std::size_t i = 0; i < step.times && sending; ++i) {
            sending = !stop &&
                      (step.bytes.empty() || os::sendAll(client, step.bytes.data(), step.bytes.size()) == os::IoResult::Ok);
            if (sending && step.pauseMs)
                os::sleepMilliseconds(step.pauseMs);
        }
    if (ending == Ending::Reset)
        return resetConnection(client);
    while (ending == Ending::Hang && !stop)
        os::sleepMilliseconds(10);
    os::closeSocket(client);
}

} // namespace testing_support
