// Where the window opens: a position saved on a screen that is no longer there (or typed
// into Settings.xml by hand) would put it where the user cannot reach it.
#pragma once

#include "os/Screens.h"

#include <vector>

// A window at (x, y) of the given size that touches none of the screens is moved onto the
// first (the primary) one, whole where it fits. True when it was moved; no screens known:
// left as it is.
bool keepOnScreens(int& x, int& y, int width, int height, const std::vector<os::ScreenArea>& screens);
