// A window is moved only when it touches no screen at all, and then onto the primary one.
#include "app/WindowPlacement.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(WindowPlacement, OnlyAWindowOffEveryScreenMovesOntoThePrimaryOne)
{
    // A primary screen and a second one to its left, as Windows places them.
    const std::vector<os::ScreenArea> two = {{0, 0, 1920, 1080}, {-1280, 56, 1280, 1024}};
    const struct {
        int x, y, width;
        std::vector<os::ScreenArea> screens;
        int movedX, movedY;
    } table[] = {
        {100, 100, 300, two, 100, 100},          // on the primary screen
        {-1000, 500, 300, two, -1000, 500},      // on the second one
        {1900, 1070, 300, two, 1900, 1070},      // one corner still on the screen
        {-1500, 100, 300, two, -1500, 100},      // partly on the second one
        {-99999, 20, 300, two, 0, 20},           // far left: kept at its height
        {5000, -5000, 300, two, 1620, 0},        // right and above: whole at the corner
        {-1280, -300, 300, two, 0, 0},           // above the second screen
        {INT_MAX, INT_MIN, 300, two, 1620, 0},   // no overflow at the ends
        {2000, 0, 9999, {{0, 0, 1024, 768}}, 0, 0}, // larger than the screen: at its corner
        {-99999, 0, 300, {}, -99999, 0},         // nothing known about the screens: left alone
    };
    for (const auto& row : table) {
        SCOPED_TRACE(std::to_string(row.x) + "," + std::to_string(row.y));
        int x = row.x, y = row.y;
        EXPECT_EQ(keepOnScreens(x, y, row.width, 200, row.screens), row.movedX != row.x || row.movedY != row.y);
        EXPECT_EQ(std::make_pair(x, y), std::make_pair(row.movedX, row.movedY));
    }
}

} // namespace
