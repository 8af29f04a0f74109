#include "engine/StringConversion.h"

#include <gtest/gtest.h>

namespace {

TEST(StringConversion, Utf8AndUtf16UnitsBothWays)
{
    const std::wstring fffd(1, static_cast<wchar_t>(0xFFFD));
    const struct {
        std::string narrow;
        std::wstring wide;
        bool roundTrips;
    } cases[] = {
        {"", L"", true},
        {"Sm\xC3\xA5land", L"Sm\x00E5land", true},
        {"\xE2\x82\xAC 5", L"\x20AC 5", true},
        {"\xF0\x9F\x98\x80", {wchar_t(0xD83D), wchar_t(0xDE00)}, true}, // outside the BMP: a surrogate pair
        {"\xEF\xBF\xBF", L"\xFFFF", true},
        {std::string("ab\0cd", 5), L"ab", false}, // stops at the first NUL
        {"\xC3", fffd, false},                    // cut at the end
        {"\x80x", fffd + L"x", false},            // a stray continuation byte
        {"\xC0\xAF", fffd + fffd, false},         // overlong
        {"\xE2(x", fffd + L"(x", false},          // the breaking byte is kept
    };
    for (const auto& c : cases) {
        EXPECT_EQ(toWide(c.narrow), c.wide) << c.narrow;
        if (c.roundTrips) {
            EXPECT_EQ(toNarrow(c.wide), c.narrow);
        }
    }
    EXPECT_EQ(toWide("\xED\xA0\x80").substr(0, 1), fffd) << "an encoded surrogate";
    EXPECT_EQ(toWide("\xF5\x80\x80\x80").substr(0, 1), fffd) << "above U+10FFFF";
    EXPECT_EQ(toNarrow(std::wstring(L"ab\0cd", 5)), "ab");
    EXPECT_EQ(toNarrow(std::wstring(1, static_cast<wchar_t>(0xD800)) + L"a"), "\xEF\xBF\xBD" "a") << "a lone surrogate";
}

} // namespace
