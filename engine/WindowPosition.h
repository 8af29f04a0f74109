// The host window's place on the screen, for code below the window (the settings record it
// when they save). The host window sets the reader when it exists and clears it when it
// goes; without one there is no position to tell. Main thread only.
#pragma once

#include <functional>

namespace Engine {

using WindowPositionReader = std::function<bool(int& x, int& y)>;

// An empty reader clears it.
void setWindowPositionReader(WindowPositionReader reader);
// The window's x and y on the screen; false (x and y untouched) when there is no window or
// it cannot tell.
bool readWindowPosition(int& x, int& y);

} // namespace Engine
