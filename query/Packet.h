// One datagram's bytes, copied on construction and shared between copies by a reference
// count. An empty packet has length 0.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

class ByteStream;

class Packet {
public:
    Packet() = default;
    Packet(const void* data, std::size_t length);
    // Takes every unread byte of the stream (which is then empty).
    static Packet takeFrom(ByteStream& stream);

    const std::uint8_t* data() const;
    std::size_t length() const { return bytes ? bytes->size() : 0; }
    bool empty() const { return length() == 0; }

private:
    explicit Packet(std::vector<std::uint8_t>&& moved);

    std::shared_ptr<const std::vector<std::uint8_t>> bytes;
};
