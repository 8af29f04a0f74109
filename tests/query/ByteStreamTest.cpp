#include "query/ByteStream.h"

#include "Captures.h"

#include <gtest/gtest.h>

namespace {

using captures::bytes;

// Runs the reads named by letters (b byte, h int16, i int32, f float, s text, r two raw bytes,
// k skip two) and tells what each gave and how many bytes it left: "value/left ...".
std::string reads(const std::string& data, const std::string& ops)
{
    ByteStream s = captures::stream(data);
    std::string out;
    for (char op : ops) {
        char raw[2] = {'x', 'x'};
        switch (op) {
        case 'b': out += std::to_string(s.readByte()); break;
        case 'h': out += std::to_string(s.readInt16()); break;
        case 'i': out += std::to_string(s.readInt32()); break;
        case 'f': out += std::to_string(s.readFloat()); break;
        case 's': out += "'" + s.readString() + "'"; break;
        case 'r': out += std::to_string(s.readBytes(raw, 2)), out += ":" + std::to_string(raw[0]); break;
        case 'k': out += s.skipIfAvailable(2) ? "skip" : "stay"; break;
        }
        out += "/" + std::to_string(s.size()) + " ";
    }
    return out;
}

// A read that finds fewer bytes than it needs takes nothing and reads 0; a later, smaller
// read that fits still reads. A text ends at its NUL or at the end of the data.
TEST(ByteStream, ReadsInOrderAndAShortReadTakesNothing)
{
    const struct {
        std::string data, ops, want;
    } cases[] = {
        {bytes({0x49, 0xFE, 0xFF, 0x78, 0x56, 0x34, 0x12, 0, 0, 0xC0, 0x3F}), "bhif",
         "73/10 -2/8 305419896/4 1.500000/0 "},
        {bytes({0xAA, 0xBB, 0xCC}), "ihrbbf", "0/3 -17494/1 0:0/1 204/0 0/0 0.000000/0 "},
        {bytes({1, 2, 3}), "ikkb", "0/3 skip/1 stay/1 3/0 "},
        {std::string("ab\0cd", 5), "sss", "'ab'/2 'cd'/0 ''/0 "},
        {bytes({'o', 'k', 0}), "isr", "0/3 'ok'/0 0:0/0 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(reads(c.data, c.ops), c.want) << c.ops;
}

// Writing is checked where the test server's replies are read, by us and by qstat.
TEST(ByteStream, KeepsWhatIsUnreadInOrderAndTurnsTheByteOrderOnRequest)
{
    ByteStream s;
    s.setBigEndian(true);
    s.writeInt32(0x01020304);
    EXPECT_EQ(captures::text(s), bytes({1, 2, 3, 4}));
    EXPECT_EQ(s.readInt32(), 0x01020304);
    for (int i = 0; i < 500; ++i) {
        s.writeString("abc");
        s.readByte();
    }
    EXPECT_EQ(s.size(), 1500u);
    EXPECT_EQ(s.readString(), "abc");
}

} // namespace
