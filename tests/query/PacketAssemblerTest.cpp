#include "query/PacketAssembler.h"

#include "Captures.h"
#include "query/ReplyReader.h"
#include "query/ServerStatus.h"

#include <bzlib.h>
#include <gtest/gtest.h>

using captures::bytes;
using captures::collect;

namespace {

std::string compress(const std::string& data)
{
    unsigned int length = static_cast<unsigned int>(data.size() + data.size() / 100 + 600);
    std::string out(length, '\0');
    EXPECT_EQ(BZ2_bzBuffToBuffCompress(out.data(), &length, const_cast<char*>(data.data()),
                                       static_cast<unsigned int>(data.size()), 9, 0, 0),
              BZ_OK);
    out.resize(length);
    return out;
}

std::string le32(std::uint32_t v)
{
    return bytes({int(v & 0xFF), int(v >> 8 & 0xFF), int(v >> 16 & 0xFF), int(v >> 24 & 0xFF)});
}

struct Layout {
    bool sizeField = false;
    bool compressionFieldsEverywhere = true;
};

// The datagrams of one split reply: FE FF FF FF, id, total, number, [size], [fields], payload.
std::vector<std::string> split(const std::string& data, std::int32_t id, std::size_t pieceSize, Layout layout,
                               std::uint32_t decompressedSize = 0, int total = -1)
{
    std::vector<std::string> out;
    const std::size_t count = (data.size() + pieceSize - 1) / pieceSize;
    for (std::size_t i = 0; i < count; ++i) {
        std::string d = le32(0xFFFFFFFEu) + le32(static_cast<std::uint32_t>(id));
        d += static_cast<char>(total < 0 ? count : static_cast<std::size_t>(total));
        d += static_cast<char>(i);
        if (layout.sizeField)
            d += bytes({0xE0, 0x04});
        if (id < 0 && (i == 0 || layout.compressionFieldsEverywhere))
            d += le32(decompressedSize) + le32(0xC0FFEE);
        d += data.substr(i * pieceSize, pieceSize);
        out.push_back(d);
    }
    return out;
}

// A players reply with n players, header included, as a server builds it before splitting.
std::string playersReply(int n)
{
    ByteStream s;
    s.writeInt32(-1);
    s.writeByte(0x44);
    s.writeByte(static_cast<std::uint8_t>(n));
    for (int i = 0; i < n; ++i) {
        s.writeByte(static_cast<std::uint8_t>(i));
        s.writeString("player number " + std::to_string(i));
        s.writeInt32(i);
        s.writeFloat(static_cast<float>(i));
    }
    return captures::text(s);
}

std::size_t playersRead(ByteStream payload)
{
    ServerStatus s;
    if (!ReplyReader::readPlayers(payload, s))
        return 0;
    return s.getPlayerList().size();
}

TEST(PacketAssembler, CompleteWhenTheCountMatchesAndOnlyThen)
{
    PacketAssembler one;
    ByteStream single = captures::stream(le32(5) + bytes({1, 0}) + le32(0xFFFFFFFF) + "I");
    one.add(single);
    EXPECT_TRUE(one.isComplete());

    PacketAssembler zero;
    ByteStream none = captures::stream(le32(5) + bytes({0, 0}) + "x");
    zero.add(none);
    EXPECT_FALSE(zero.isComplete()) << "a total of 0 never completes";
    ByteStream out = captures::stream("left");
    zero.assemble(out);
    EXPECT_EQ(captures::text(out), "left") << "incomplete: out is untouched";
}

// Pieces in another order, foreign, doubled or missing pieces: see the split replies of
// ServerQueryTest, which come over UDP from the test server.
TEST(PacketAssembler, ADatagramThatIsNoPieceEndsTheWait)
{
    auto interrupted = split(playersReply(40), 7, 400, {});
    interrupted.insert(interrupted.begin() + 1, le32(0xFFFFFFFF) + "I-single");
    EXPECT_EQ(captures::text(*std::make_unique<ByteStream>(collect(interrupted))), "I-single")
        << "a datagram that is not a piece ends the wait and is read as the reply";
}

TEST(PacketAssembler, SizeFieldIsTakenFromPieceZeroWhicheverComesFirst)
{
    const std::string reply = playersReply(60);
    for (bool sizeField : {false, true}) {
        auto pieces = split(reply, 0x84FF, 500, {sizeField});
        EXPECT_EQ(playersRead(collect(pieces)), 60u) << "size field " << sizeField;
        std::reverse(pieces.begin(), pieces.end());
        EXPECT_EQ(playersRead(collect(pieces)), 60u) << "reversed, size field " << sizeField;
    }
}

TEST(PacketAssembler, CompressedRepliesInEveryLayout)
{
    const std::string reply = playersReply(120);
    const std::string packed = compress(reply);
    const std::int32_t id = static_cast<std::int32_t>(0x80000123u);
    const Layout layouts[] = {{false, true}, {false, false}, {true, true}, {true, false}};
    for (const Layout& layout : layouts) {
        SCOPED_TRACE(std::string("size field ") + (layout.sizeField ? "yes" : "no") + ", fields "
                     + (layout.compressionFieldsEverywhere ? "in every piece" : "in piece 0"));
        auto pieces = split(packed, id, 200, layout, static_cast<std::uint32_t>(reply.size()));
        ASSERT_GE(pieces.size(), 3u);
        EXPECT_EQ(playersRead(collect(pieces)), 120u);
        std::swap(pieces[0], pieces[2]);
        EXPECT_EQ(playersRead(collect(pieces)), 120u);
    }
}

TEST(PacketAssembler, CompressedHeaderFieldsAreKept)
{
    const std::string reply = playersReply(3);
    auto pieces = split(compress(reply), -5, 4000, {}, static_cast<std::uint32_t>(reply.size()));
    PacketAssembler a;
    ByteStream piece = captures::stream(pieces[0].substr(4));
    a.add(piece);
    ByteStream out;
    a.assemble(out);
    EXPECT_EQ(a.getDecompressedSize(), reply.size());
    EXPECT_EQ(a.getChecksum(), 0xC0FFEEu);
    EXPECT_EQ(out.peek()[0], 0x44) << "a compressed reply starting FF FF FF FF 44 reads as 'D'";
}

TEST(PacketAssembler, HostileCompressedRepliesEndEmpty)
{
    const std::string reply = playersReply(100);
    const std::string packed = compress(reply);
    const std::int32_t id = -9;
    // An announced size of 4 GiB is never allocated.
    EXPECT_TRUE(collect(split(packed, id, 5000, {}, 0xFFFFFFFFu)).empty());
    // A stream that inflates to far more than announced.
    const std::string bomb = compress(std::string(8 << 20, 'A'));
    EXPECT_TRUE(collect(split(bomb, id, 5000, {}, 1000)).empty());
    // Not bzip2 at all, or cut short.
    EXPECT_TRUE(collect(split(std::string(3000, '\x55'), id, 1000, {}, 3000)).empty());
    EXPECT_TRUE(collect(split(packed.substr(0, packed.size() / 2), id, 5000, {}, 5000)).empty());
    // A size of 0.
    EXPECT_TRUE(collect(split(packed, id, 5000, {}, 0)).empty());
}

TEST(PacketAssembler, ManyLargePiecesStayBounded)
{
    // 255 pieces of 10 KB: a whole reply of 2.6 MB is still assembled.
    const std::string big(255 * 10000, 'z');
    auto pieces = split(le32(0xFFFFFFFF) + "E" + big.substr(5), 3, 10000, {});
    ASSERT_EQ(pieces.size(), 255u);
    EXPECT_EQ(collect(pieces).size(), big.size() - 4);

    // A total that keeps changing never completes; the assembler stops taking pieces at 255.
    PacketAssembler a;
    for (int i = 0; i < 1000; ++i) {
        ByteStream piece = captures::stream(le32(3) + bytes({i % 2 ? 0 : 1, 7}) + std::string(100, 'p'));
        a.add(piece);
        if (a.isComplete())
            break;
    }
    EXPECT_LE(a.pieceCount(), PacketAssembler::maxPieces);
    EXPECT_TRUE(a.isFull() || a.isComplete());
}

TEST(PacketAssembler, PiecesTooShortForTheirHeaderAreDropped)
{
    PacketAssembler a;
    for (const std::string& junk : {std::string(), bytes({1}), bytes({1, 2, 3, 4, 5})}) {
        ByteStream piece = captures::stream(junk);
        a.add(piece);
        EXPECT_TRUE(piece.empty());
    }
    EXPECT_EQ(a.pieceCount(), 0u);
}

TEST(PacketAssembler, AFloodOfForeignPiecesEndsTheWait)
{
    std::vector<std::string> flood = split(playersReply(40), 7, 400, {});
    flood.resize(1);
    for (int i = 0; i < 5000; ++i)
        flood.push_back(le32(0xFFFFFFFE) + le32(99) + bytes({3, 1}) + "junk");
    flood.push_back(split(playersReply(40), 7, 400, {})[1]);
    EXPECT_TRUE(collect(flood).empty());
}

} // namespace
