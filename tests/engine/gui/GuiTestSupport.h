// What the engine and widget tests share: SDL on its dummy video driver with the engine
// window as the 320x240 screen, user input pushed into SDL's queue and dispatched by the real
// event handler, the screen's pixels, and a frame that records what its widgets tell it.
#pragma once

#include "engine/Color.h"
#include "engine/gui/Frame.h"
#include "tests/support/SdlInput.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Readable colours in failure messages.
inline void PrintTo(const Color& c, std::ostream* os)
{
    *os << "(" << int(c.r()) << ", " << int(c.g()) << ", " << int(c.b()) << ", " << int(c.a()) << ")";
}

namespace gui_test {

using testing_support::pushButton;
using testing_support::pushKey;
using testing_support::pushMotion;

// The program's own font as the build installs it.
inline const std::string fontFile = std::string(HOLMIK_DATA_DIR) + "/tahoma.ttf";
// One frame of the program: dispatch every queued event, then present.
void dispatch();
// A press and release at one point, dispatched.
void click(int x, int y, Uint8 button = SDL_BUTTON_LEFT);
// Each character as its key would type it; a key without a character by its SDL name.
void type(const std::string& text);
void press(SDLKey sym, Uint16 unicode = 0);
// The screen's pixel; how many pixels of a rectangle are exactly that colour (the stems of
// anti-aliased text are).
Color pixel(int x, int y);
int count(int x, int y, int w, int h, const Color& color);
// Text renders and surfaces made so far (counted by wrapping the library calls).
extern int textRenders, surfaceCreates;

// A frame (the whole 320x240 screen) that records the name of each widget that told it,
// with '+' when it was a Button that was pressed then.
class RecordingFrame : public Engine::Gui::Frame {
public:
    RecordingFrame();
    void onEvent(Engine::Gui::Control* sender) override;
    std::vector<std::string> notices;
};

// The base of every test that draws or dispatches: a fresh screen painted with the backdrop.
class GuiTest : public ::testing::Test {
protected:
    static constexpr Color backdrop{255, 0, 255};
    void SetUp() override;
    void TearDown() override { testing_support::dropQueuedEvents(); }
};

} // namespace gui_test
