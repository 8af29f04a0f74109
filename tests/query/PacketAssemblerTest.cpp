// Split replies as an exchange receives them: the test server's datagrams in its two layouts,
// plain and compressed, with each of its faults; hand-made ones for hostile compressed
// replies and for servers that never finish.
#include "query/PacketAssembler.h"

#include "Captures.h"
#include "query/ReplyReader.h"
#include "query/TestServer.h"

#include <bzlib.h>
#include <gtest/gtest.h>

namespace {

using captures::bytes;
using captures::collect;

// With the test server's challenge.
const std::string playersRequest("\xFF\xFF\xFF\xFF\x55\x3C\x2A\x1D\x4B", 9);

// The named players of a players reply; -1 for anything else.
int playersRead(ByteStream payload)
{
    ServerStatus s;
    return ReplyReader::readPlayers(payload, s) ? static_cast<int>(s.getPlayerList().size()) : -1;
}

std::string compress(const std::string& data)
{
    unsigned int length = static_cast<unsigned int>(data.size() + data.size() / 100 + 600);
    std::string out(length, '\0');
    EXPECT_EQ(BZ2_bzBuffToBuffCompress(out.data(), &length, const_cast<char*>(data.data()),
                                       static_cast<unsigned int>(data.size()), 9, 0, 0), BZ_OK);
    out.resize(length);
    return out;
}

std::string le32(std::uint32_t v) { return bytes({int(v & 0xFF), int(v >> 8 & 0xFF), int(v >> 16 & 0xFF), int(v >> 24)}); }

// In the old layout: FE FF FF FF, id, total, number, [decompressed size and CRC-32], payload.
std::vector<std::string> split(const std::string& data, std::uint32_t id, std::size_t size, std::uint32_t unpacked = 0)
{
    std::vector<std::string> out;
    const std::size_t count = (data.size() + size - 1) / size;
    for (std::size_t i = 0; i < count; ++i)
        out.push_back(le32(0xFFFFFFFEu) + le32(id) + char(count) + char(i)
                      + (id >> 31 ? le32(unpacked) + le32(0xC0FFEE) : "") + data.substr(i * size, size));
    return out;
}

// A whole reply before splitting, header included.
const std::string wholeReply = le32(0xFFFFFFFF) + "D" + std::string(3000, 'x');

TEST(SplitReply, TheTestServersLayoutsAndFaults)
{
    TestServer server; // not started: answer() gives the datagrams it would send
    server.setPlayers(captures::players(60));
    server.setSplitSize(100);
    using F = TestServer::Fault;
    // Players read from the plain and from the compressed reply; -2: some, not all.
    const struct { F fault; int plain, compressed; } cases[] = {
        {F::None, 60, 60},      {F::Reordered, 60, 60},    {F::Foreign, 60, 60},   {F::EmptyDatagram, 60, 60},
        {F::Doubled, -1, -1},   {F::MissingPiece, -1, -1}, {F::ZeroTotal, -1, -1}, {F::Truncated, -2, -1},
    };
    for (auto layout : {TestServer::SplitLayout::Old, TestServer::SplitLayout::Source})
        for (bool compressed : {false, true})
            for (const auto& c : cases) {
                server.setSplitLayout(layout);
                server.setCompressed(compressed);
                server.setFault(c.fault);
                const std::vector<std::string> datagrams = server.answer(playersRequest);
                ASSERT_GE(datagrams.size(), 3u);
                const int want = compressed ? c.compressed : c.plain, got = playersRead(collect(datagrams));
                SCOPED_TRACE(std::to_string(int(layout)) + std::to_string(compressed) + std::to_string(int(c.fault)));
                if (want == -2)
                    EXPECT_TRUE(got > 30 && got < 60) << got;
                else
                    EXPECT_EQ(got, want);
            }
    server.setSplitSize(0); // and a single datagram cut short reads what it has
    const int cut = playersRead(collect(server.answer(playersRequest)));
    EXPECT_TRUE(cut > 20 && cut < 60) << cut;
}

TEST(SplitReply, HostileCompressedRepliesReadAsNone)
{
    const std::string packed = compress(wholeReply);
    const struct { const char* what; std::string data; std::uint32_t announced; } cases[] = {
        {"4 GiB announced", packed, 0xFFFFFFFFu},
        {"inflates past the announced size", compress(std::string(8 << 20, 'A')), 1000},
        {"not bzip2", std::string(3000, '\x55'), 3000},
        {"cut short", packed.substr(0, packed.size() / 2), 5000},
        {"a size of 0", packed, 0},
    };
    for (const auto& c : cases)
        EXPECT_TRUE(collect(split(c.data, 0xFFFFFFF7u, 5000, c.announced)).empty()) << c.what;
}

TEST(SplitReply, TheWaitEndsWhateverTheServerSends)
{
    // 255 pieces of 10 KB: a whole reply of 2.6 MB is still assembled.
    const std::string big = le32(0xFFFFFFFF) + "E" + std::string(255 * 10000 - 5, 'z');
    auto pieces = split(big, 3, 10000);
    ASSERT_EQ(pieces.size(), 255u);
    EXPECT_EQ(collect(pieces).size(), big.size() - 4);
    EXPECT_EQ(captures::text(collect({"ab"})), "ab") << "shorter than a header, a datagram is a reply as it came";
    // A datagram that is no piece ends the wait and is read as the reply.
    pieces.insert(pieces.begin() + 1, le32(0xFFFFFFFF) + "I-single");
    EXPECT_EQ(captures::text(collect(pieces)), "I-single");
    // A flood of foreign pieces ends it before the missing piece comes.
    pieces = split(wholeReply, 7, wholeReply.size() / 2 + 1);
    ASSERT_EQ(pieces.size(), 2u);
    pieces.insert(pieces.begin() + 1, 5000, le32(0xFFFFFFFE) + le32(99) + bytes({3, 1}) + "junk");
    EXPECT_TRUE(collect(pieces).empty());
}

TEST(PacketAssembler, TakesNoShortPieceAndNoMoreThanItCanHold)
{
    // Pieces too short for their header are dropped; a total of 0 never completes, and no
    // more pieces are taken than a total can announce.
    PacketAssembler a;
    for (int i = 0; i < 300; ++i) {
        ByteStream piece = captures::stream(i < 6 ? std::string(i, '\1') : le32(3) + bytes({0, 7}) + "piece");
        a.add(piece);
        EXPECT_TRUE(piece.empty());
        EXPECT_EQ(a.pieceCount(), std::size_t(i < 6 ? 0 : std::min(i - 5, 255)));
    }
    EXPECT_TRUE(a.isFull());
}

} // namespace
