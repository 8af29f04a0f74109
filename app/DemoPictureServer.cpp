#include "app/DemoPictureServer.h"

#include "panel/MapOverView.h"

#include <fstream>
#include <iterator>
#include <sstream>

DemoPictureServer::~DemoPictureServer() { stop(); }

bool DemoPictureServer::start(const std::string& folder, const std::map<std::string, std::string>& mapsByGame)
{
    for (const auto& [game, map] : mapsByGame) {
        std::ifstream file(folder + "/demo-" + map + ".jpg", std::ios::binary);
        if (file)
            pictures[MapOverView::resourcePath(map, game == "csgo")] =
                std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    }
    listener = os::openTcpSocket();
    if (listener == os::invalidSocket || !os::bindLoopback(listener, listeningPort) || !os::listenSocket(listener, 8)) {
        os::closeSocket(listener);
        listener = os::invalidSocket;
        return false;
    }
    thread = std::thread([this] { serve(); });
    return true;
}

void DemoPictureServer::stop()
{
    stopping = true;
    if (thread.joinable())
        thread.join();
    os::closeSocket(listener);
    listener = os::invalidSocket;
}

void DemoPictureServer::serve()
{
    while (!stopping) {
        const os::SocketHandle client = os::acceptSocket(listener, 100);
        if (client == os::invalidSocket)
            continue;
        answer(client);
        os::closeSocket(client);
    }
}

void DemoPictureServer::answer(os::SocketHandle client)
{
    // The request line is all that matters; the rest of the head is read and ignored.
    os::setReceiveTimeout(client, 2000);
    std::string request;
    char buffer[1024];
    std::size_t received = 0;
    while (request.find("\r\n\r\n") == std::string::npos && request.size() < 8192 &&
           os::receiveSome(client, buffer, sizeof buffer, received) == os::IoResult::Ok && received > 0)
        request.append(buffer, received);
    std::istringstream line(request.substr(0, request.find("\r\n")));
    std::string method, path;
    line >> method >> path;
    const auto found = pictures.find(path);
    std::string reply;
    if (method == "GET" && found != pictures.end())
        reply = "HTTP/1.0 200 OK\r\nContent-Type: image/jpeg\r\nContent-Length: " + std::to_string(found->second.size()) +
                "\r\nConnection: close\r\n\r\n" + found->second;
    else
        reply = "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\nConnection: close\r\n\r\n";
    os::sendAll(client, reply.data(), reply.size());
}
