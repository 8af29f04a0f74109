#include "query/ByteStream.h"

#include "Captures.h"

#include <gtest/gtest.h>

using captures::bytes;

namespace {

TEST(ByteStream, WritesLittleEndianAndReadsBackInOrder)
{
    ByteStream s;
    s.writeByte(0x49);
    s.writeInt16(-2);
    s.writeInt32(0x12345678);
    s.writeFloat(1.5f);
    s.writeString("de_dust2");
    s.writeBytes("\x01\x02", 2);
    EXPECT_EQ(s.size(), 1u + 2 + 4 + 4 + 9 + 2);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(s.peek()), 7), bytes({0x49, 0xFE, 0xFF, 0x78, 0x56, 0x34, 0x12}));

    EXPECT_EQ(s.readByte(), 0x49);
    EXPECT_EQ(s.readInt16(), -2);
    EXPECT_EQ(s.readInt32(), 0x12345678);
    EXPECT_EQ(s.readFloat(), 1.5f);
    EXPECT_EQ(s.readString(), "de_dust2");
    char two[2];
    EXPECT_TRUE(s.readBytes(two, 2));
    EXPECT_EQ(two[1], 2);
    EXPECT_TRUE(s.empty());
}

TEST(ByteStream, BigEndianFlagTurnsTheByteOrder)
{
    ByteStream s;
    s.setBigEndian(true);
    s.writeInt32(0x01020304);
    EXPECT_EQ(s.peek()[0], 1);
    EXPECT_EQ(s.readInt32(), 0x01020304);
}

TEST(ByteStream, ShortReadGetsZeroAndTakesNothingWhileLaterSmallerReadsStillRead)
{
    ByteStream s = captures::stream(bytes({0xAA, 0xBB, 0xCC}));
    EXPECT_EQ(s.readInt32(), 0);
    EXPECT_EQ(s.size(), 3u) << "a short read takes nothing";
    EXPECT_EQ(s.readInt16(), static_cast<std::int16_t>(0xBBAA)) << "a smaller read that fits still reads";
    char two[2] = {'x', 'x'};
    EXPECT_FALSE(s.readBytes(two, 2)) << "bytes are all or nothing";
    EXPECT_EQ(two[0], 0);
    EXPECT_EQ(s.readByte(), 0xCC);
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(s.readByte(), 0);
    EXPECT_EQ(s.readFloat(), 0.0f);

    s.writeString("ok");
    EXPECT_EQ(s.readInt32(), 0);
    EXPECT_EQ(s.readString(), "ok") << "after a short read a text still reads";
}

TEST(ByteStream, TextEndsAtTheNulOrAtTheEndOfTheData)
{
    ByteStream s = captures::stream(std::string("ab\0cd", 5));
    EXPECT_EQ(s.readString(), "ab");
    EXPECT_EQ(s.readString(), "cd") << "a text with no NUL ends with the data";
    EXPECT_EQ(s.readString(), "") << "and at the end of the data a text is empty";
}

TEST(ByteStream, SkipIfAvailableTakesAllOrNothing)
{
    ByteStream s = captures::stream(bytes({1, 2, 3}));
    EXPECT_FALSE(s.skipIfAvailable(4));
    EXPECT_EQ(s.size(), 3u);
    EXPECT_TRUE(s.skipIfAvailable(2));
    EXPECT_EQ(s.readByte(), 3);
}

TEST(ByteStream, WrittenAndReadInTurnsItHoldsOnlyWhatIsUnread)
{
    ByteStream s;
    std::string block(1000, 'x');
    for (int i = 0; i < 2000; ++i) {
        s.writeBytes(block.data(), block.size());
        char out[1000];
        ASSERT_TRUE(s.readBytes(out, 999));
    }
    EXPECT_EQ(s.size(), 2000u);
}

} // namespace
