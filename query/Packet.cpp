#include "query/Packet.h"

#include "query/ByteStream.h"

Packet::Packet(const void* data, std::size_t length)
{
    if (length == 0)
        return;
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes = std::make_shared<const std::vector<std::uint8_t>>(p, p + length);
}

Packet::Packet(std::vector<std::uint8_t>&& moved)
{
    if (!moved.empty())
        bytes = std::make_shared<const std::vector<std::uint8_t>>(std::move(moved));
}

Packet Packet::takeFrom(ByteStream& stream) { return Packet(stream.readAll()); }

const std::uint8_t* Packet::data() const
{
    static const std::uint8_t none = 0;
    return bytes ? bytes->data() : &none;
}
