#include "engine/StringConversion.h"

#include <gtest/gtest.h>

namespace {

TEST(StringConversion, RoundTripsValidUtf8)
{
    const std::string samples[] = {"", "plain", "Sm\xC3\xA5land", "\xD0\x9F\xD1\x80\xD0\xB8", "\xE2\x82\xAC 5",
                                   "\xF0\x9F\x98\x80 smile", "\xEF\xBF\xBF"};
    for (const std::string& s : samples)
        EXPECT_EQ(toNarrow(toWide(s)), s);
}

TEST(StringConversion, CountsUtf16Units)
{
    EXPECT_EQ(toWide("\xC3\xA5").size(), 1u);
    EXPECT_EQ(toWide("\xC3\xA5")[0], L'\x00E5');
    EXPECT_EQ(toWide("\xE2\x82\xAC").size(), 1u);
    std::wstring pair = toWide("\xF0\x9F\x98\x80");
    ASSERT_EQ(pair.size(), 2u) << "outside the BMP is a surrogate pair";
    EXPECT_EQ(static_cast<unsigned>(pair[0]), 0xD83Du);
    EXPECT_EQ(static_cast<unsigned>(pair[1]), 0xDE00u);
}

TEST(StringConversion, StopsAtTheFirstNul)
{
    EXPECT_EQ(toWide(std::string("ab\0cd", 5)), L"ab");
    EXPECT_EQ(toNarrow(std::wstring(L"ab\0cd", 5)), "ab");
}

TEST(StringConversion, BrokenUtf8BecomesReplacementWithoutOverRead)
{
    const std::wstring fffd(1, static_cast<wchar_t>(0xFFFD));
    EXPECT_EQ(toWide("\xC3"), fffd) << "cut at the end";
    EXPECT_EQ(toWide("a\xE2\x82"), L"a" + fffd);
    EXPECT_EQ(toWide("\x80x"), fffd + L"x") << "stray continuation";
    EXPECT_EQ(toWide("\xC0\xAF"), fffd + fffd) << "overlong";
    EXPECT_EQ(toWide("\xED\xA0\x80").substr(0, 1), fffd) << "encoded surrogate";
    EXPECT_EQ(toWide("\xF5\x80\x80\x80").substr(0, 1), fffd) << "above U+10FFFF";
    EXPECT_EQ(toWide("\xE2(x"), fffd + L"(x") << "the breaking byte is kept";
    // Unpaired surrogates in wide text come back as U+FFFD.
    std::wstring lone(1, static_cast<wchar_t>(0xD800));
    EXPECT_EQ(toNarrow(lone + L"a"), "\xEF\xBF\xBD" "a");
}

} // namespace
