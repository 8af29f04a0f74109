// The host window facility of the OS seam: the one top-level window that the program
// creates itself before SDL starts, and that SDL then draws into. There is at most one;
// every call does nothing (getters answer false or 0) when there is none, as under SDL's
// dummy video driver or without a display.
#pragma once

#include <cstdint>
#include <string>

namespace os {

// Creates the window: the given class and title, a tool window (no task-bar button), no
// decorations, kept at the bottom of the stack, fully opaque, at (x, y) with the given size,
// not yet shown. Where windows are known to the desktop by a name of the program's own (X11:
// window-manager rules, docks, a desktop entry's StartupWMClass), desktopName is the title
// and the class, and in lower case the instance name, instead. False when no windowing
// system can be reached.
bool createHostWindow(const std::string& className, const std::string& title, const std::string& desktopName, int x,
                      int y, int width, int height);
// Puts the window on the screen, once it has a picture to show; later calls do nothing.
void showHostWindow();
bool hasHostWindow();
// The window as SDL_WINDOWID wants it (an unsigned decimal number); empty without one.
std::string hostWindowId();
// After SDL has taken the window over (after each SDL_SetVideoMode): lets SDL hear the
// window's keys, buttons, motion, focus and exposure.
void attachHostWindowInput();
void destroyHostWindow();

// Both keep the window at the bottom of the stack.
void resizeHostWindow(int width, int height);
void moveHostWindow(int x, int y);
// The screen position of the window's top-left corner.
bool hostWindowPosition(int& x, int& y);

// Whole-window opacity, 255 opaque.
void setHostWindowOpacity(std::uint8_t alpha);
// Colour-key mode: the window is opaque and the key is kept (pixels of that colour may be
// cut out where the windowing system can).
void setHostWindowColorKey(std::uint8_t r, std::uint8_t g, std::uint8_t b);
// Neither opacity nor colour key, until one of the two calls above.
void removeHostWindowLayering();

void focusHostWindow();
// The mouse pointer on the screen.
bool pointerPosition(int& x, int& y);
// The screen's size in pixels; 0 without a windowing system.
int screenWidth();
int screenHeight();

} // namespace os
