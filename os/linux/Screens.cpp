// Screens on Linux: the X server's root window, which spans every monitor of the display.
#include "os/Screens.h"

#include <X11/Xlib.h>

namespace os {

std::vector<ScreenArea> screenAreas()
{
    Display* display = XOpenDisplay(nullptr);
    if (!display)
        return {};
    const int screen = DefaultScreen(display);
    ScreenArea area;
    area.width = DisplayWidth(display, screen);
    area.height = DisplayHeight(display, screen);
    XCloseDisplay(display);
    return {area};
}

} // namespace os
