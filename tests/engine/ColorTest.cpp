#include "engine/Color.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Color, DefaultsToOpaqueBlackAndComparesAllFourBytes)
{
    EXPECT_EQ(Color(), Color(0, 0, 0, 255));
    EXPECT_EQ(Color(), Black);
    EXPECT_NE(Black, Transparent);
    EXPECT_EQ(Transparent.a(), 0);
}

TEST(Color, NamedColoursAreAlphabeticalWithTransparentInPlace)
{
    ASSERT_GE(namedColorCount, 140);
    for (int i = 1; i < namedColorCount; ++i)
        EXPECT_LT(strcasecmp(namedColors[i - 1].name, namedColors[i].name), 0) << namedColors[i].name;
    EXPECT_EQ(Snow, Color(255, 250, 250));
    EXPECT_EQ(SteelBlue, Color(70, 130, 180));
    EXPECT_EQ(Tomato, Color(255, 99, 71));
    int transparent = 0;
    for (int i = 0; i < namedColorCount; ++i) {
        if (namedColors[i].color.a() == 0)
            ++transparent;
        else
            EXPECT_EQ(namedColors[i].color.a(), 255);
    }
    EXPECT_EQ(transparent, 1);
}

} // namespace
