#include "query/PacketAssembler.h"

#include "query/ByteStream.h"

#include <bzlib.h>

#include <algorithm>
#include <cstring>
#include <new>

namespace {

constexpr std::size_t sizeFieldLength = 2;
constexpr std::size_t compressionFieldsLength = 8;

bool hasAt(const Packet& data, std::size_t at, const void* what, std::size_t length)
{
    return data.length() >= at + length && std::memcmp(data.data() + at, what, length) == 0;
}

bool hasSingleHeaderAt(const Packet& data, std::size_t at)
{
    static const std::uint8_t header[4] = {0xFF, 0xFF, 0xFF, 0xFF};
    return hasAt(data, at, header, sizeof header);
}

bool hasBzip2At(const Packet& data, std::size_t at) { return hasAt(data, at, "BZh", 3); }

// Whether piece 0 shows a 16-bit size field before its payload. Only a reply that fits the
// field-less layout badly and the other well counts as having one.
bool hasSizeField(const Packet& first, bool compressed)
{
    if (compressed)
        return !hasBzip2At(first, compressionFieldsLength) && hasBzip2At(first, sizeFieldLength + compressionFieldsLength);
    return !hasSingleHeaderAt(first, 0) && hasSingleHeaderAt(first, sizeFieldLength);
}

std::uint32_t readLittle32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8
        | static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

} // namespace

void PacketAssembler::add(ByteStream& piece)
{
    if (piece.size() < 6 || isFull()) {
        piece.clear();
        return;
    }
    const std::int32_t pieceId = piece.readInt32();
    if (!pieces.empty() && pieceId != id) {
        piece.clear();
        return;
    }
    id = pieceId;
    total = piece.readByte();
    const std::uint8_t number = piece.readByte();
    Piece entry{number, Packet::takeFrom(piece)};
    // After every piece of the same number, so doubled numbers keep their arrival order.
    auto at = std::upper_bound(pieces.begin(), pieces.end(), number,
                               [](std::uint8_t n, const Piece& p) { return n < p.number; });
    pieces.insert(at, std::move(entry));
}

bool PacketAssembler::isComplete() const { return !pieces.empty() && pieces.size() == total; }

void PacketAssembler::assemble(ByteStream& out)
{
    if (!isComplete())
        return;
    out.clear();
    const bool ok = rebuild(out);
    pieces.clear();
    if (!ok) {
        out.clear();
        return;
    }
    if (isCompressed() && !decompress(out)) {
        out.clear();
        return;
    }
    // The rebuilt reply starts with its own FF FF FF FF header; the caller reads from the type byte.
    out.skipIfAvailable(4);
}

bool PacketAssembler::rebuild(ByteStream& out)
{
    for (std::size_t i = 0; i < pieces.size(); ++i)
        if (pieces[i].number != i)
            return false;

    const Packet& first = pieces[0].data;
    const bool compressed = isCompressed();
    const std::size_t skip = hasSizeField(first, compressed) ? sizeFieldLength : 0;
    const std::uint8_t* fields = nullptr;
    if (compressed) {
        if (first.length() < skip + compressionFieldsLength)
            return false;
        fields = first.data() + skip;
        decompressedSize = readLittle32(fields);
        checksum = readLittle32(fields + 4);
    }

    for (const Piece& piece : pieces) {
        std::size_t begin = std::min(skip, piece.data.length());
        // Piece 0 always carries the compression fields; a later one only when it repeats them.
        if (compressed && (&piece == &pieces[0] || hasAt(piece.data, begin, fields, compressionFieldsLength)))
            begin = std::min(begin + compressionFieldsLength, piece.data.length());
        out.writeBytes(piece.data.data() + begin, piece.data.length() - begin);
    }
    return true;
}

bool PacketAssembler::decompress(ByteStream& out)
{
    std::vector<std::uint8_t> compressedData = out.readAll();
    if (decompressedSize > maxDecompressedSize || compressedData.empty())
        return false;
    std::vector<char> buffer;
    try {
        buffer.resize(std::max<std::size_t>(decompressedSize, 1));
    } catch (const std::bad_alloc&) {
        return false;
    }
    unsigned int produced = decompressedSize;
    const int result = BZ2_bzBuffToBuffDecompress(buffer.data(), &produced,
                                                  reinterpret_cast<char*>(compressedData.data()),
                                                  static_cast<unsigned int>(compressedData.size()), 0, 0);
    if (result != BZ_OK)
        return false;
    out.writeBytes(buffer.data(), produced);
    return true;
}
