// A window is moved only when it touches no screen at all, and then onto the primary one.
#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(WindowPlacement, OnlyAWindowOffEveryScreenMovesOntoThePrimaryOne)
{
    // A primary screen and a second one to its left, as Windows places them.
    const std::vector<os::ScreenArea> screens = {{0, 0, 1920, 1080}, {-1280, 56, 1280, 1024}};
    const struct {
        int x, y;
        int movedX, movedY;
    } table[] = {
        {100, 100, 100, 100},         // on the primary screen
        {-1000, 500, -1000, 500},     // on the second one
        {1900, 1070, 1900, 1070},     // one corner still on the screen
        {-1500, 100, -1500, 100},     // partly on the second one
        {-99999, 20, 0, 20},          // far left: kept at its height
        {5000, -5000, 1620, 0},       // right and above: whole at the corner
        {-1280, -300, 0, 0},          // above the second screen
        {INT_MAX, INT_MIN, 1620, 0},  // no overflow at the ends
    };
    for (const auto& row : table) {
        SCOPED_TRACE(std::to_string(row.x) + "," + std::to_string(row.y));
        int x = row.x, y = row.y;
        const bool moved = row.movedX != row.x || row.movedY != row.y;
        EXPECT_EQ(keepOnScreens(x, y, 300, 200, screens), moved);
        EXPECT_EQ(x, row.movedX);
        EXPECT_EQ(y, row.movedY);
    }

    // Larger than the screen: its top-left corner goes to the screen's.
    int x = 2000, y = 0;
    EXPECT_TRUE(keepOnScreens(x, y, 9999, 200, {{0, 0, 1024, 768}}));
    EXPECT_EQ(x, 0);
    // Nothing known about the screens: left alone.
    x = -99999;
    EXPECT_FALSE(keepOnScreens(x, y, 300, 200, {}));
    EXPECT_EQ(x, -99999);
}

} // namespace
