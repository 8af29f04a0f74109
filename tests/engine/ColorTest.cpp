#include "engine/Color.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(Color, NamedColoursAreAlphabeticalWithTransparentInPlace)
{
    EXPECT_EQ(Color(), Color(0, 0, 0, 255));
    EXPECT_NE(Black, Transparent);
    ASSERT_GE(namedColorCount, 140);
    for (int i = 1; i < namedColorCount; ++i)
        EXPECT_LT(strcasecmp(namedColors[i - 1].name, namedColors[i].name), 0) << namedColors[i].name;
    EXPECT_EQ(Snow, Color(255, 250, 250));
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
