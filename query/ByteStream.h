// A first-in first-out byte buffer: writes append at the back, reads take from the front.
// Multi-byte values are little-endian unless the byte-order flag is set.
//
// Every read checks before it takes anything. A read that finds fewer bytes than it needs
// takes nothing, returns 0 and marks the stream failed; the mark is sticky, so from then on
// every read returns 0 (or an empty text) and takes nothing, until clear(). A reply reader
// can therefore read its fields in order and look at failed() once at the end.
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
    // Up to and including the first NUL; at the end of the data the text simply ends there
    // (that is no failure).
    std::string readString();
    // All or nothing, like the numbers; false (and failed) when fewer than count remain.
    bool readBytes(void* destination, std::size_t count);
    // Takes every byte that is left (nothing once failed) and empties the stream, which then
    // starts afresh, as after clear().
    std::vector<std::uint8_t> readAll();
    // Drops count bytes when that many remain; otherwise takes nothing and does not fail.
    bool skipIfAvailable(std::size_t count);

    // The unread bytes, without taking them.
    const std::uint8_t* peek() const { return bytes.data() + offset; }
    std::size_t size() const { return bytes.size() - offset; }
    bool empty() const { return size() == 0; }
    bool failed() const { return failure; }
    // Drops all bytes and the failure mark.
    void clear();

    bool isBigEndian() const { return bigEndian; }
    void setBigEndian(bool on) { bigEndian = on; }

private:
    bool take(void* destination, std::size_t count);
    std::uint64_t readUnsigned(std::size_t width);
    void writeUnsigned(std::uint64_t value, std::size_t width);

    std::vector<std::uint8_t> bytes;
    std::size_t offset = 0;
    bool bigEndian = false;
    bool failure = false;
};
