// What the widget tests share: SDL on its dummy video driver with the engine window as the
// screen, user input pushed into SDL's queue and dispatched by the real event handler, the
// screen's pixels, and a frame that records what its widgets tell it.
#pragma once

#include "engine/Color.h"
#include "engine/gui/Frame.h"
#include "tests/support/SdlInput.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <ostream>

// Readable colours in failure messages.
inline void PrintTo(const Color& c, std::ostream* os)
{
    *os << "(" << int(c.r()) << ", " << int(c.g()) << ", " << int(c.b()) << ", " << int(c.a()) << ")";
}

namespace gui_test {

inline constexpr int screenWidth = 320;
inline constexpr int screenHeight = 240;

// The font every test frame uses.
const std::string& fontFile();

// Makes sure SDL, SDL_ttf and the engine window (screenWidth x screenHeight) are up, and
// that the event queue is empty.
void startScreen();

// One frame of the program: dispatch every queued event, then present.
void dispatch();

using testing_support::pushButton;
using testing_support::pushKey;
using testing_support::pushMotion;
// A left (or other) press and release at one point, dispatched.
void click(int x, int y, Uint8 button = SDL_BUTTON_LEFT);
// A key press and release, dispatched.
void press(SDLKey sym, Uint16 unicode = 0);
// Each character as its key would type it, dispatched.
void type(const std::string& text);

// Reading and painting the screen surface.
Color pixel(int x, int y);
void paintScreen(const Color& color);
// How many pixels of the rectangle are within a distance of this colour in every channel
// (anti-aliased text), or exactly this colour.
int countNear(int x, int y, int w, int h, const Color& color, int tolerance = 80);
inline int countInRect(int x, int y, int w, int h, const Color& color) { return countNear(x, y, w, h, color, 0); }
// The column x, rows y0..y1.
inline int countInColumn(int x, int y0, int y1, const Color& color) { return countNear(x, y0, 1, y1 - y0 + 1, color, 0); }

// Counters of the drawing calls the widgets make (counted by wrapping the library calls).
int textRenderCount();
int surfaceCreateCount();

// A frame that records every notification with the sender's state at that moment.
struct Notice {
    std::string name;
    int kind;
    bool pressed; // Button and ImageButton: isPressed() when it was told
};

class RecordingFrame : public Engine::Gui::Frame {
public:
    explicit RecordingFrame(const std::string& name = "TestFrame");
    void onEvent(Engine::Gui::Control* sender) override;

    std::vector<Notice> notices;
    // Runs after recording, inside the widget's handler.
    std::function<void(Engine::Gui::Control*)> reaction;
};

// The base of every widget test: a fresh screen painted with a backdrop colour.
class GuiTest : public ::testing::Test {
protected:
    static constexpr Color backdrop{255, 0, 255};
    void SetUp() override;
    void TearDown() override;
};

} // namespace gui_test
