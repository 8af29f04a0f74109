// Helpers for the query tests: the captured replies of real servers, and byte strings.
#pragma once

#include "query/ByteStream.h"
#include "query/ReplyCollector.h"

#include <nlohmann/json.hpp>

#include <cstdint>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace captures {

inline std::string fixturePath(const std::string& name) { return std::string(HOLMIK_FIXTURES_DIR) + "/a2s/" + name; }

// One datagram per line of hexadecimal text.
inline std::vector<std::string> datagrams(const std::string& name)
{
    std::ifstream in(fixturePath(name + ".hex"));
    std::vector<std::string> out;
    std::string line;
    while (std::getline(in, line)) {
        std::string bytes;
        for (std::size_t i = 0; i + 1 < line.size(); i += 2)
            bytes.push_back(static_cast<char>(std::stoi(line.substr(i, 2), nullptr, 16)));
        if (!bytes.empty())
            out.push_back(bytes);
    }
    return out;
}

inline nlohmann::json expected(const std::string& name)
{
    std::ifstream in(fixturePath(name + ".json"));
    return nlohmann::json::parse(in);
}

// Hands the datagrams to an exchange's receiving half in this order; then the wait times out.
inline ByteStream collect(const std::vector<std::string>& sequence)
{
    std::size_t next = 0;
    ByteStream buffer;
    collectReply(
        [&](bool& ok) {
            ok = next < sequence.size();
            if (!ok)
                return Packet();
            const std::string& datagram = sequence[next++];
            return Packet(datagram.data(), datagram.size());
        },
        buffer);
    return buffer;
}

inline std::string bytes(std::initializer_list<int> values)
{
    std::string out;
    for (int v : values)
        out.push_back(static_cast<char>(v));
    return out;
}

inline ByteStream stream(const std::string& data) { return ByteStream(data.data(), data.size()); }

inline std::string text(ByteStream& stream)
{
    const std::vector<std::uint8_t> rest = stream.readAll();
    return std::string(rest.begin(), rest.end());
}

} // namespace captures
