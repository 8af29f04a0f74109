// Collects the pieces of one split reply (datagrams whose header is −2), checks that they
// belong together, puts them in order and rebuilds the reply, decompressing it with bzip2
// when its id has bit 31 set. One assembler lives for one exchange.
//
// Piece layout after the −2 header: id (4), total (1), number (1), then the payload. Source
// servers put a 16-bit packet size after the number, older engines do not; a compressed
// reply adds its decompressed size and CRC-32 (4 + 4), which today's servers send in piece
// 0 only. Which of these a reply uses is decided from its piece 0, so pieces are kept raw
// until the reply is rebuilt.
#pragma once

#include "query/Packet.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class ByteStream;

class PacketAssembler {
public:
    // total is one byte, so no reply has more pieces than this.
    static constexpr std::size_t maxPieces = 255;
    // An announced decompressed size above this is treated as one that cannot be allocated.
    static constexpr std::uint32_t maxDecompressedSize = 16u << 20;

    // Called with the stream just after a −2 header; consumes the whole stream. A piece of
    // another reply (other id), one too short for its header, or one beyond maxPieces is
    // dropped.
    void add(ByteStream& piece);
    // True when as many pieces are held as the last piece announced.
    bool isComplete() const;
    // True when no further piece can be taken: the reply can never complete unless it has.
    bool isFull() const { return pieces.size() >= maxPieces; }
    // Rebuilds the reply into out, starting at its type byte. Incomplete: out is left as it
    // is. Missing or doubled numbers, failed decompression or an oversized announcement:
    // out is left empty.
    void assemble(ByteStream& out);

    std::size_t pieceCount() const { return pieces.size(); }
    std::int32_t getId() const { return id; }
    std::uint8_t getTotal() const { return total; }
    bool isCompressed() const { return id < 0; }
    // The compression fields of piece 0, known once the reply was assembled.
    std::uint32_t getDecompressedSize() const { return decompressedSize; }
    std::uint32_t getChecksum() const { return checksum; }

private:
    struct Piece {
        std::uint8_t number;
        Packet data; // everything after the number byte
    };

    bool rebuild(ByteStream& out);
    bool decompress(ByteStream& out);

    std::vector<Piece> pieces;
    std::int32_t id = 0;
    std::uint8_t total = 0;
    std::uint32_t decompressedSize = 0;
    std::uint32_t checksum = 0;
};
