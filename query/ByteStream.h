// A first-in first-out byte buffer: writes append at the back, reads take from the front.
// Multi-byte values are little-endian unless the byte-order flag is set.
//
// Every read checks before it takes anything. A read that finds fewer bytes than it needs
// takes nothing and returns 0; only that read misses: a later, smaller read that fits in
// what is left still reads. A reply reader can therefore read its fields in order, and a
// short reply reads its missing values as 0 and empty texts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ByteStream {
public:
    ByteStream() = default;
    ByteStream(const void* data, std::size_t length);

    void writeByte(std::uint8_t value);
    void writeInt16(std::int16_t value);
    void writeInt32(std::int32_t value);
    void writeFloat(float value);
    // The text's bytes, then one NUL.
    void writeString(const std::string& text);
    void writeBytes(const void* data, std::size_t count);

    std::uint8_t readByte();
    std::int16_t readInt16();
    std::int32_t readInt32();
    float readFloat();
    // Up to and including the first NUL; at the end of the data the text simply ends there.
    std::string readString();
    // All or nothing, like the numbers: false (and the destination zeroed) when fewer than
    // count remain.
    bool readBytes(void* destination, std::size_t count);
    // Takes every byte that is left and empties the stream.
    std::vector<std::uint8_t> readAll();
    // Drops count bytes when that many remain; otherwise takes nothing.
    bool skipIfAvailable(std::size_t count);

    // The unread bytes, without taking them.
    const std::uint8_t* peek() const { return bytes.data() + offset; }
    std::size_t size() const { return bytes.size() - offset; }
    bool empty() const { return size() == 0; }
    // Drops all bytes.
    void clear();

    bool isBigEndian() const { return bigEndian; }
    void setBigEndian(bool on) { bigEndian = on; }

private:
    bool take(void* destination, std::size_t count);
    void consume(std::size_t count);
    std::uint64_t readUnsigned(std::size_t width);
    void writeUnsigned(std::uint64_t value, std::size_t width);

    std::vector<std::uint8_t> bytes;
    std::size_t offset = 0;
    bool bigEndian = false;
};
