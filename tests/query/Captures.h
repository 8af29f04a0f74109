// Helpers for the query tests: the captured replies of real servers, byte strings, and a
// status as the list of the info reply's fields.
#pragma once

#include "query/ByteStream.h"
#include "query/ReplyCollector.h"
#include "query/ServerStatus.h"

#include <nlohmann/json.hpp>

#include <fstream>
#include <initializer_list>
#include <string>
#include <vector>

namespace captures {

inline std::string fixturePath(const std::string& name) { return std::string(HOLMIK_FIXTURES_DIR) + "/a2s/" + name; }

// One datagram per line of hexadecimal text.
inline std::vector<std::string> datagrams(const std::string& name)
{
    std::ifstream in(fixturePath(name + ".hex"));
    std::vector<std::string> out;
    for (std::string line, bytes; std::getline(in, line); bytes.clear()) {
        for (std::size_t i = 0; i + 1 < line.size(); i += 2)
            bytes.push_back(static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16)));
        if (!bytes.empty())
            out.push_back(bytes);
    }
    return out;
}

inline nlohmann::json expected(const std::string& name)
{
    return nlohmann::json::parse(std::ifstream(fixturePath(name + ".json")));
}

// Hands the datagrams to an exchange's receiving half in this order; then the wait times out.
inline ByteStream collect(const std::vector<std::string>& sequence)
{
    std::size_t next = 0;
    ByteStream buffer;
    collectReply(
        [&](bool& ok) {
            if (!(ok = next < sequence.size()))
                return Packet();
            const std::string& datagram = sequence[next++];
            return Packet(datagram.data(), datagram.size());
        },
        buffer);
    return buffer;
}

inline std::string bytes(std::initializer_list<int> values) { return std::string(values.begin(), values.end()); }

inline ByteStream stream(const std::string& data) { return ByteStream(data.data(), data.size()); }

inline std::string text(const ByteStream& s) { return std::string(reinterpret_cast<const char*>(s.peek()), s.size()); }

// n players for the test server, each with its own score and time.
inline std::vector<Player> players(int n)
{
    std::vector<Player> out;
    for (int i = 0; i < n; ++i)
        out.emplace_back(static_cast<std::uint8_t>(i), "player " + std::to_string(i), i % 7, 100.0f + float(i));
    return out;
}

// The info reply's fields in the order they come, numbers as decimal text.
inline std::vector<std::string> fields(const ServerStatus& s)
{
    auto n = [](int value) { return std::to_string(value); };
    return {n(s.getProtocol()),   s.getName(),           s.getMap(),            s.getFolder(), s.getGame(),
            n(s.getAppId()),      n(s.getPlayers()),     n(s.getMaxPlayers()),  n(s.getBots()),
            n(s.getServerType()), n(s.getEnvironment()), n(s.getVisibility()), n(s.getVac()), s.getVersion()};
}

} // namespace captures
