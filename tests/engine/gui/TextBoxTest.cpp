// TextBox under real dispatch: what a focused box takes, the key table, line breaks and
// joins, the text round trip, and the caret on the screen.
#include "engine/EventHandler.h"
#include "engine/TextSurface.h"
#include "engine/gui/TextBox.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace gui_test;
using Engine::Gui::TextBox;
using Engine::TextSurface;

// Registered after the widgets: counts the events a widget took.
struct Probe : Engine::KeyboardListner, Engine::MouseListner {
    bool onKeyboard(const SDL_Event&, bool handled) override { return taken += handled, false; }
    bool onMouseMotion(const SDL_Event&, bool handled) override { return taken += handled, false; }
    bool onMouseButton(const SDL_Event&, bool handled) override { return taken += handled, false; }
    int taken = 0;
};

class TextBoxes : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        box = frame.addTextBox("NameTextBox", "", 10, 10);
    }
    // Focused with a text and the caret at its end; nothing told yet.
    void start(const std::string& text)
    {
        box->setText(text);
        click(12, 12);
        frame.notices.clear();
    }
    RecordingFrame frame;
    TextBox* box = nullptr;
};

TEST_F(TextBoxes, AFocusedBoxTakesEveryKeyAndADragThatBeganInsideDoesNotReachTheWindow)
{
    start("12");
    Probe probe;
    press(SDLK_F1);     // no character
    press(SDLK_e, 233); // é: 128 and above types nothing
    press(SDLK_TAB, '\t'); // a control character with a character code is typed
    EXPECT_EQ(box->getText(), "12\t");
    EXPECT_EQ(probe.taken, 6);
    pushButton(true, 20, 20);
    pushMotion(150, 150);
    pushButton(false, 150, 150);
    pushMotion(160, 160);
    dispatch();
    EXPECT_EQ(probe.taken, 8);
    EXPECT_FALSE(box->isFocused());
}

// Keys as letters: Left Right Up Down Home End pageUp pageDowN Backspace Delete Return;
// anything else is typed.
void pressKeys(const std::string& keys)
{
    const std::string names = "LRUDHEPNBXK";
    const SDLKey syms[] = {SDLK_LEFT,     SDLK_RIGHT,   SDLK_UP,        SDLK_DOWN,   SDLK_HOME,  SDLK_END,
                           SDLK_PAGEUP, SDLK_PAGEDOWN, SDLK_BACKSPACE, SDLK_DELETE, SDLK_RETURN};
    const Uint16 codes[] = {0, 0, 0, 0, 0, 0, 0, 0, 8, 127, 13};
    for (char k : keys) {
        const std::size_t at = names.find(k);
        if (at == std::string::npos)
            type(std::string(1, k));
        else
            press(syms[at], codes[at]);
    }
}

TEST_F(TextBoxes, EditingKeysMoveTheCaretAndBreakAndJoinLines)
{
    const struct {
        const char *text, *keys, *expected;
        int line, column;
        std::size_t notices;
    } cases[] = {
        {"abcd", "LLK", "ab\n\rcd", 1, 0, 1},  // Return breaks the line at the caret
        {"ab\nc", "HB", "abc", 0, 2, 1},       // Backspace at a line's start joins
        {"ab\nc", "HBBHB", "ac", 0, 0, 3},     // nothing left of the very start, yet told
        {"ab\nc", "X", "ab\n\rc", 1, 1, 0},    // nothing right of the very end
        {"ab\nc", "UEXHX", "bc", 0, 0, 2},     // Delete at a line's end joins
        {"ab\nc", "HLR", "ab\n\rc", 0, 2, 0},  // Left wraps to the line above, Right stops at its end
        {"abcdef\nxy\nlonger line", "UUU", nullptr, 0, 2, 0}, // the column, shortened to the line
        {"abcdef\nxy\nlonger line", "UUUN", nullptr, 2, 2, 0},
        {"abcdef\nxy\nlonger line", "NP", nullptr, 0, 6, 0},
        {"abcdef\nxy\nlonger line", "PED", nullptr, 1, 2, 0},
        {"J\xC3\xB6rg", "LLLRB", "Jrg", 0, 1, 1}, // whole characters
        {"J\xC3\xB6rg", "HRX", "Jrg", 0, 1, 1},
        {"ab", "Lx", "axb", 0, 2, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " / " + c.keys);
        start(c.text);
        pressKeys(c.keys);
        if (c.expected) {
            EXPECT_EQ(box->getText(), c.expected);
        }
        EXPECT_EQ(box->getCaretLine(), c.line);
        EXPECT_EQ(box->getCaretColumn(), c.column);
        EXPECT_EQ(frame.notices.size(), c.notices);
    }
    // Lines join with line feed and carriage return; a one-line box joins them and ignores Return.
    box->setText(std::string("a\rb\bc\0d", 7));
    EXPECT_EQ(box->getText(), "abc");
    box->setText("\n");
    EXPECT_EQ(box->getText(), "\n\r");
    box->setMultiLine(false);
    start("ab\n\rc");
    pressKeys("K");
    EXPECT_EQ(box->getText(), "abc");
    EXPECT_TRUE(frame.notices.empty());
}

TEST_F(TextBoxes, TheCaretStandsAfterTheTextOnItsLineAndBlinks)
{
    const int h = TextSurface("abc", fontFile, 12, Black).getHeight();
    // How many pixels of the caret's column (and those left of it) after `left` on a line
    // are the text colour.
    auto caret = [&](const std::string& left, int line = 0, int columns = 1) {
        const int x = 10 + (left.empty() ? 1 : TextSurface(left, fontFile, 12, Black).getWidth());
        frame.draw();
        return count(x - columns + 1, 11 + line * h, columns, h - 1, Black);
    };
    start("abc");
    EXPECT_GE(caret("abc"), h - 3);
    // The loop sleeps between events: the caret's own deadline wakes it for the next blink.
    for (int frames = 0; frames < 200 && caret("abc") >= 3; ++frames) {
        Engine::EventHandler::instance().waitForEvents();
        Engine::EventHandler::instance().takeRedrawRequest();
    }
    EXPECT_LT(caret("abc"), 3);
    press(SDLK_HOME); // a key shows it again
    EXPECT_GE(caret(""), h - 3);
    click(5, 230); // unfocused: no caret
    EXPECT_LT(caret(""), 3);
    // After a name that is not ASCII, on the second line.
    const std::string name = "J\xC3\xB6rg \xC3\x85s\xC3\xA9n";
    start("first\n" + name);
    EXPECT_GE(caret(name, 1, 2), h - 3);
}

} // namespace
