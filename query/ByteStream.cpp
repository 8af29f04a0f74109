#include "query/ByteStream.h"

#include <algorithm>
#include <cstring>

ByteStream::ByteStream(const void* data, std::size_t length) { writeBytes(data, length); }

void ByteStream::writeUnsigned(std::uint64_t value, std::size_t width)
{
    std::uint8_t out[8];
    for (std::size_t i = 0; i < width; ++i) {
        const std::size_t shift = 8 * (bigEndian ? width - 1 - i : i);
        out[i] = static_cast<std::uint8_t>(value >> shift);
    }
    writeBytes(out, width);
}

void ByteStream::writeByte(std::uint8_t value) { bytes.push_back(value); }
void ByteStream::writeInt16(std::int16_t value) { writeUnsigned(static_cast<std::uint16_t>(value), 2); }
void ByteStream::writeInt32(std::int32_t value) { writeUnsigned(static_cast<std::uint32_t>(value), 4); }

void ByteStream::writeFloat(float value)
{
    std::uint32_t raw;
    std::memcpy(&raw, &value, sizeof raw);
    writeUnsigned(raw, 4);
}

void ByteStream::writeString(const std::string& text)
{
    writeBytes(text.data(), text.size());
    writeByte(0);
}

void ByteStream::writeBytes(const void* data, std::size_t count)
{
    if (count == 0)
        return;
    // Reclaim the consumed front before the buffer grows, so a stream that is written and
    // read in turns stays as large as what it holds.
    if (offset > 0 && bytes.size() + count > bytes.capacity()) {
        bytes.erase(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(offset));
        offset = 0;
    }
    const auto* p = static_cast<const std::uint8_t*>(data);
    bytes.insert(bytes.end(), p, p + count);
}

void ByteStream::consume(std::size_t count)
{
    offset += count;
    if (offset == bytes.size()) {
        bytes.clear();
        offset = 0;
    }
}

bool ByteStream::take(void* destination, std::size_t count)
{
    if (size() < count) {
        if (destination && count)
            std::memset(destination, 0, count);
        return false;
    }
    if (count)
        std::memcpy(destination, peek(), count);
    consume(count);
    return true;
}

std::uint64_t ByteStream::readUnsigned(std::size_t width)
{
    std::uint8_t in[8];
    if (!take(in, width))
        return 0;
    std::uint64_t value = 0;
    for (std::size_t i = 0; i < width; ++i) {
        const std::size_t shift = 8 * (bigEndian ? width - 1 - i : i);
        value |= static_cast<std::uint64_t>(in[i]) << shift;
    }
    return value;
}

std::uint8_t ByteStream::readByte() { return static_cast<std::uint8_t>(readUnsigned(1)); }
std::int16_t ByteStream::readInt16() { return static_cast<std::int16_t>(readUnsigned(2)); }
std::int32_t ByteStream::readInt32() { return static_cast<std::int32_t>(readUnsigned(4)); }

float ByteStream::readFloat()
{
    const auto raw = static_cast<std::uint32_t>(readUnsigned(4));
    float value;
    std::memcpy(&value, &raw, sizeof value);
    return value;
}

std::string ByteStream::readString()
{
    const std::uint8_t* begin = peek();
    const std::uint8_t* end = begin + size();
    const std::uint8_t* nul = std::find(begin, end, std::uint8_t{0});
    std::string text(reinterpret_cast<const char*>(begin), static_cast<std::size_t>(nul - begin));
    consume(text.size() + (nul != end ? 1 : 0));
    return text;
}

bool ByteStream::readBytes(void* destination, std::size_t count) { return take(destination, count); }

std::vector<std::uint8_t> ByteStream::readAll()
{
    std::vector<std::uint8_t> rest(peek(), peek() + size());
    clear();
    return rest;
}

bool ByteStream::skipIfAvailable(std::size_t count)
{
    if (size() < count)
        return false;
    consume(count);
    return true;
}

void ByteStream::clear()
{
    bytes.clear();
    offset = 0;
}
