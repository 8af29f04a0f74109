// TextBox under real dispatch: focus by click, typing with its limit and filter, the key
// table, line breaks and joins, the text round trip, and the caret on the screen.
#include "engine/EventHandler.h"
#include "engine/TextSurface.h"
#include "engine/gui/Button.h"
#include "engine/gui/TextBox.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace Engine::Gui;
using namespace gui_test;

// Registered after the widgets: sees whether one of them took the event.
struct Probe : Engine::KeyboardListner, Engine::MouseListner {
    bool onKeyboard(const SDL_Event&, bool handled) override { return record(handled); }
    bool onMouseMotion(const SDL_Event&, bool handled) override { return record(handled); }
    bool onMouseButton(const SDL_Event&, bool handled) override { return record(handled); }
    bool record(bool handled)
    {
        ++seen;
        taken += handled;
        return false;
    }
    int seen = 0;
    int taken = 0;
};

class TextBoxes : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        box = frame.addTextBox("NameTextBox", "", 10, 10);
    }

    void focus() { click(12, 12); }
    // Focused with a text and the caret at its end; nothing told yet.
    void start(const std::string& text)
    {
        box->setText(text);
        focus();
        frame.notices.clear();
    }

    RecordingFrame frame;
    TextBox* box = nullptr;
};

class TypingInTextBoxes : public TextBoxes {};

TEST_F(TypingInTextBoxes, KeysReachTheBoxOnlyWhileItIsFocused)
{
    type("ab");
    EXPECT_EQ(box->getText(), "");
    EXPECT_FALSE(box->isFocused());

    focus();
    EXPECT_TRUE(box->isFocused());
    type("abc");
    EXPECT_EQ(box->getText(), "abc");
    EXPECT_EQ(frame.notices.size(), 3u);
    EXPECT_EQ(frame.notices[0].kind, TextBox::Kind);

    click(200, 200); // elsewhere
    EXPECT_FALSE(box->isFocused());
    type("d");
    EXPECT_EQ(box->getText(), "abc");

    focus();
    box->setVisible(false);
    type("e");
    EXPECT_EQ(box->getText(), "abc");
}

TEST_F(TypingInTextBoxes, TheLengthLimitAndTheFilterRefuseCharacters)
{
    box->setMaxLength(3);
    box->setAllowedChars("0123456789");
    start("25");
    type("a9");
    EXPECT_EQ(box->getText(), "259");
    type("1");
    EXPECT_EQ(box->getText(), "259");
    EXPECT_EQ(frame.notices.size(), 1u);
    press(SDLK_BACKSPACE, 8);
    type("7");
    EXPECT_EQ(box->getText(), "257");
}

TEST_F(TypingInTextBoxes, AFocusedBoxSwallowsEveryKeyEventEvenWithoutACharacter)
{
    start("12");
    Probe probe;
    press(SDLK_F1);         // no character
    press(SDLK_LSHIFT);     // no character
    press(SDLK_e, 233);     // é: 128 and above types nothing
    pushKey(false, SDLK_a); // a lone release
    dispatch();
    EXPECT_EQ(box->getText(), "12");
    EXPECT_TRUE(frame.notices.empty());
    EXPECT_EQ(probe.seen, 7);
    EXPECT_EQ(probe.taken, 7);
    press(SDLK_TAB, '\t'); // a control character with a character code is typed
    EXPECT_EQ(box->getText(), "12\t");

    click(200, 200);
    press(SDLK_a, 'a');
    EXPECT_EQ(probe.taken, 9);
}

TEST_F(TypingInTextBoxes, FocusFollowsTheLastLeftClick)
{
    TextBox* other = frame.addTextBox("OtherTextBox", "", 10, 120);
    focus();
    click(12, 122);
    EXPECT_FALSE(box->isFocused());
    EXPECT_TRUE(other->isFocused());
    type("x");
    EXPECT_EQ(box->getText(), "");
    EXPECT_EQ(other->getText(), "x");

    click(12, 122, SDL_BUTTON_RIGHT); // other buttons change nothing
    EXPECT_TRUE(other->isFocused());
}

TEST(TextBoxFocus, AClickThatAnEarlierWidgetTookTakesTheFocusAway)
{
    startScreen();
    RecordingFrame frame;
    Button* button = frame.addButton("OverButton", "Over", 150, 0);
    TextBox* box = frame.addTextBox("UnderTextBox", "", 0, 0);
    click(50, 50);
    ASSERT_TRUE(box->isFocused());
    click(160, 10); // inside both: the button, made first, takes it
    EXPECT_FALSE(box->isFocused());
    EXPECT_FALSE(button->isPressed());
}

TEST_F(TypingInTextBoxes, ADragThatBeganInsideDoesNotReachTheWindow)
{
    Probe probe;
    pushButton(true, 20, 20);
    pushMotion(150, 150);
    dispatch();
    EXPECT_EQ(probe.taken, 2);
    pushButton(false, 150, 150);
    pushMotion(160, 160);
    dispatch();
    EXPECT_EQ(probe.taken, 2);
    EXPECT_FALSE(box->isFocused());
}

// Keys as letters: Left Right Up Down Home End pageUp pageDowN Backspace Delete Return;
// anything else is typed.
void pressKeys(const std::string& keys)
{
    for (char k : keys) {
        const std::string names = "LRUDHEPNBXK";
        const SDLKey syms[] = {SDLK_LEFT, SDLK_RIGHT, SDLK_UP,        SDLK_DOWN,   SDLK_HOME,  SDLK_END,
                               SDLK_PAGEUP, SDLK_PAGEDOWN, SDLK_BACKSPACE, SDLK_DELETE, SDLK_RETURN};
        const Uint16 codes[] = {0, 0, 0, 0, 0, 0, 0, 0, 8, 127, 13};
        const std::size_t at = names.find(k);
        if (at == std::string::npos)
            type(std::string(1, k));
        else
            press(syms[at], codes[at]);
    }
}

TEST_F(TextBoxes, EditingKeysMoveTheCaretAndBreakAndJoinLines)
{
    struct Case {
        const char* text;
        const char* keys;
        const char* expected;
        int line, column;
        std::size_t notices;
    } cases[] = {
        {"abcd", "LLK", "ab\n\rcd", 1, 0, 1},          // Return breaks the line at the caret
        {"ab\nc", "HB", "abc", 0, 2, 1},               // Backspace at a line's start joins
        {"ab\nc", "HBB", "ac", 0, 1, 2},
        {"ab\nc", "HBBHB", "ac", 0, 0, 3},             // nothing left of the very start, yet told
        {"ab\nc", "X", "ab\n\rc", 1, 1, 0},            // nothing right of the very end
        {"ab\nc", "UEX", "abc", 0, 2, 1},              // Delete at a line's end joins
        {"ab\nc", "UEXHX", "bc", 0, 0, 2},
        {"ab\nc", "HL", "ab\n\rc", 0, 2, 0},           // Left wraps to the line above
        {"ab\nc", "HLR", "ab\n\rc", 0, 2, 0},          // Right stops at the line's end
        {"ab\nc", "HLHL", "ab\n\rc", 0, 0, 0},
        {"abcdef\nxy\nlonger line", "U", "abcdef\n\rxy\n\rlonger line", 1, 2, 0}, // the column, shortened to the line
        {"abcdef\nxy\nlonger line", "UU", nullptr, 0, 2, 0},
        {"abcdef\nxy\nlonger line", "UUU", nullptr, 0, 2, 0},
        {"abcdef\nxy\nlonger line", "UUUN", nullptr, 2, 2, 0},
        {"abcdef\nxy\nlonger line", "NP", nullptr, 0, 6, 0},
        {"abcdef\nxy\nlonger line", "PED", nullptr, 1, 2, 0},
        {"J\xC3\xB6rg", "LL", nullptr, 0, 3, 0},         // whole characters
        {"J\xC3\xB6rg", "LLL", nullptr, 0, 1, 0},
        {"J\xC3\xB6rg", "LLLRB", "Jrg", 0, 1, 1},
        {"J\xC3\xB6rg", "HRX", "Jrg", 0, 1, 1},
        {"ab", "Lx", "axb", 0, 2, 1},
    };
    for (const Case& c : cases) {
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
    // A one-line box joins the lines and ignores Return.
    box->setMultiLine(false);
    start("ab\nc");
    pressKeys("K");
    EXPECT_EQ(box->getText(), "abc");
    EXPECT_TRUE(frame.notices.empty());
    pressKeys("HB"); // at its very start Backspace removes nothing, yet the parent hears of it
    EXPECT_EQ(box->getText(), "abc");
    EXPECT_EQ(frame.notices.size(), 1u);
}

TEST_F(TextBoxes, LinesJoinWithLineFeedAndCarriageReturn)
{
    box->setText("ab\nc");
    EXPECT_EQ(box->getText(), std::string("ab") + char(10) + char(13) + "c");
    box->setText(box->getText());
    EXPECT_EQ(box->getText(), "ab\n\rc");
    EXPECT_EQ(box->getCaretLine(), 1);
    EXPECT_EQ(box->getCaretColumn(), 1);

    box->setText(std::string("a\rb\bc\0d", 7));
    EXPECT_EQ(box->getText(), "abc");
    box->setText("");
    EXPECT_EQ(box->getText(), "");
    box->setText("\n");
    EXPECT_EQ(box->getText(), "\n\r");
    EXPECT_TRUE(frame.notices.empty());
}

class CaretOnScreen : public TextBoxes {
protected:
    void SetUp() override
    {
        TextBoxes::SetUp();
        box->setMultiLine(false);
        box->setBounds(10, 10, 150, Engine::TextSurface::lineSkip(fontFile(), 12) + 4);
        lineHeight = Engine::TextSurface::lineSkip(fontFile(), 12);
    }
    // How many pixels of the caret's column are the text colour.
    int caretPixels(const std::string& left)
    {
        const int x = left.empty() ? 1 : Engine::TextSurface::textWidth(left, fontFile(), 12);
        return countInColumn(10 + x, 10 + 1, 10 + lineHeight - 1, Black);
    }
    int lineHeight = 0;
};

TEST_F(CaretOnScreen, TheBoxHasAFrameInItsTextColour)
{
    frame.draw();
    EXPECT_EQ(pixel(10, 10), Black);
    EXPECT_EQ(pixel(10 + 149, 10 + box->getHeight() - 1), Black);
    EXPECT_EQ(pixel(10 + 75, 10 + box->getHeight() - 1), Black);
    EXPECT_EQ(pixel(10 + 75, 12), White);
    EXPECT_EQ(pixel(10 + 150, 12), backdrop);
}

TEST_F(CaretOnScreen, TheCaretStandsAfterTheTypedText)
{
    start("");
    type("Hello");
    frame.draw();
    EXPECT_GE(caretPixels("Hello"), lineHeight - 3);
    EXPECT_GT(countNear(11, 10, 40, lineHeight, Black), 10); // the text itself

    press(SDLK_HOME);
    frame.draw();
    EXPECT_GE(caretPixels(""), lineHeight - 3);
    EXPECT_LT(caretPixels("Hello"), lineHeight - 3);

    click(300, 200); // unfocused: no caret
    frame.draw();
    EXPECT_LT(caretPixels(""), 3);
}

TEST_F(CaretOnScreen, TheCaretBlinksAndAKeyShowsItAgain)
{
    start("abc");
    frame.draw();
    ASSERT_GE(caretPixels("abc"), lineHeight - 3);
    // The loop sleeps between events: the caret's own deadline wakes it for the next blink.
    Engine::EventHandler& events = Engine::EventHandler::instance();
    events.takeRedrawRequest();
    while (!events.takeRedrawRequest())
        events.waitForEvents();
    frame.draw();
    EXPECT_LT(caretPixels("abc"), 3);
    press(SDLK_END);
    frame.draw();
    EXPECT_GE(caretPixels("abc"), lineHeight - 3);
}

TEST_F(CaretOnScreen, TextAndCaretAreCutAtTheBox)
{
    box->setWidth(30);
    start("a text much wider than the box");
    frame.draw();
    EXPECT_EQ(countInRect(10 + 30, 10, 100, box->getHeight(), backdrop), 100 * box->getHeight());

    // Multi-line: lines below the bottom are cut off, and so is a caret down there.
    box->setMultiLine(true);
    box->setBounds(10, 10, 150, lineHeight + 4);
    box->setText("one\ntwo\nthree");
    frame.draw();
    EXPECT_EQ(countInRect(10, 10 + lineHeight + 4, 150, 2 * lineHeight, backdrop), 150 * 2 * lineHeight);
}

TEST_F(CaretOnScreen, TheCaretStandsAfterANonAsciiTextAndOnItsLine)
{
    const std::string name = "J\xC3\xB6rg \xC3\x85s\xC3\xA9n";
    start(name);
    frame.draw();
    const int x = 10 + Engine::TextSurface(name, fontFile(), 12, Black).getWidth();
    EXPECT_GE(countInColumn(x, 11, 10 + lineHeight - 1, Black) + countInColumn(x - 1, 11, 10 + lineHeight - 1, Black), lineHeight - 3);

    box->setMultiLine(true);
    box->setBounds(10, 10, 150, 100);
    start("first\nsecond");
    frame.draw();
    const int second = 10 + Engine::TextSurface::textWidth("second", fontFile(), 12);
    const int secondTop = 10 + Engine::TextSurface("first", fontFile(), 12, Black).getHeight();
    EXPECT_GE(countInColumn(second, secondTop + 1, secondTop + lineHeight - 1, Black), lineHeight - 3);
}

} // namespace
