// The screens of the desktop, for keeping the window where the user can reach it.
#pragma once

#include <vector>

namespace os {

struct ScreenArea {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// The areas the desktop's screens cover, in desktop coordinates, the primary screen first.
// Empty without a windowing system.
std::vector<ScreenArea> screenAreas();

} // namespace os
