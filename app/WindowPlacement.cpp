#include "app/WindowPlacement.h"

#include <algorithm>

namespace {

bool overlaps(long long x, long long y, int width, int height, const os::ScreenArea& screen)
{
    return x < screen.x + static_cast<long long>(screen.width) && x + std::max(width, 1) > screen.x &&
           y < screen.y + static_cast<long long>(screen.height) && y + std::max(height, 1) > screen.y;
}

int placeInside(int at, int size, int start, int length)
{
    if (size >= length)
        return start;
    return std::clamp(at, start, start + length - size);
}

} // namespace

bool keepOnScreens(int& x, int& y, int width, int height, const std::vector<os::ScreenArea>& screens)
{
    if (screens.empty())
        return false;
    for (const os::ScreenArea& screen : screens)
        if (overlaps(x, y, width, height, screen))
            return false;
    const os::ScreenArea& primary = screens.front();
    x = placeInside(x, width, primary.x, primary.width);
    y = placeInside(y, height, primary.y, primary.height);
    return true;
}
