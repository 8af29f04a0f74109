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

TEST_F(TypingInTextBoxes, TheLengthLimitRefusesTypingUntilSomethingIsRemoved)
{
    box->setMaxLength(3);
    start("255");
    type("9");
    EXPECT_EQ(box->getText(), "255");
    EXPECT_TRUE(frame.notices.empty());
    press(SDLK_BACKSPACE, 8);
    EXPECT_EQ(box->getText(), "25");
    type("07");
    EXPECT_EQ(box->getText(), "250");
    EXPECT_EQ(frame.notices.size(), 2u);
    EXPECT_EQ(box->getMaxLength(), 3u);
}

TEST_F(TypingInTextBoxes, OnlyAllowedCharactersAreTyped)
{
    box->setAllowedChars("0123456789");
    start("");
    type("a");
    EXPECT_EQ(box->getText(), "");
    EXPECT_TRUE(frame.notices.empty());
    type("7");
    EXPECT_EQ(box->getText(), "7");
    EXPECT_EQ(frame.notices.size(), 1u);
    EXPECT_EQ(box->getAllowedChars(), "0123456789");
}

TEST_F(TypingInTextBoxes, AFocusedBoxSwallowsEveryKeyEventEvenWithoutACharacter)
{
    box->setAllowedChars("0123456789");
    start("12");
    Probe probe;
    press(SDLK_F1);        // no character
    press(SDLK_LSHIFT);    // no character
    press(SDLK_e, 233);    // é: 128 and above types nothing
    pushKey(false, SDLK_a); // a lone release
    dispatch();
    EXPECT_EQ(box->getText(), "12");
    EXPECT_TRUE(frame.notices.empty());
    EXPECT_EQ(probe.seen, 7);
    EXPECT_EQ(probe.taken, 7);

    click(200, 200);
    press(SDLK_a, 'a');
    EXPECT_EQ(probe.taken, 7 + 0);
}

TEST_F(TypingInTextBoxes, AKeyWithoutACharacterTypesNothingEvenWithoutAFilter)
{
    start("ab");
    press(SDLK_F1);
    press(SDLK_RSHIFT);
    EXPECT_EQ(box->getText(), "ab");
    EXPECT_EQ(box->getText().size(), 2u);
    EXPECT_TRUE(frame.notices.empty());
    press(SDLK_TAB, '\t'); // a control character with a character code is typed
    EXPECT_EQ(box->getText(), "ab\t");
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

class EditingKeys : public TextBoxes {};

TEST_F(EditingKeys, ReturnBreaksTheLineAtTheCaret)
{
    start("abcd");
    press(SDLK_LEFT);
    press(SDLK_LEFT);
    press(SDLK_RETURN, 13);
    EXPECT_EQ(box->getText(), "ab\n\rcd");
    EXPECT_EQ(box->getCaretLine(), 1);
    EXPECT_EQ(box->getCaretColumn(), 0);
    press(SDLK_KP_ENTER, 13);
    EXPECT_EQ(box->getText(), "ab\n\r\n\rcd");
    EXPECT_EQ(frame.notices.size(), 2u);

    box->setMultiLine(false);
    EXPECT_EQ(box->getText(), "abcd");
    frame.notices.clear();
    press(SDLK_RETURN, 13);
    EXPECT_EQ(box->getText(), "abcd");
    EXPECT_TRUE(frame.notices.empty());
}

TEST_F(EditingKeys, BackspaceRemovesLeftOfTheCaretOrJoinsWithTheLineAbove)
{
    start("ab\nc");
    press(SDLK_HOME);
    press(SDLK_BACKSPACE, 8);
    EXPECT_EQ(box->getText(), "abc");
    EXPECT_EQ(box->getCaretColumn(), 2);
    press(SDLK_BACKSPACE, 8);
    EXPECT_EQ(box->getText(), "ac");
    EXPECT_EQ(frame.notices.size(), 2u);

    // At the very start there is nothing to remove or join.
    press(SDLK_HOME);
    press(SDLK_BACKSPACE, 8);
    EXPECT_EQ(box->getText(), "ac");
    EXPECT_EQ(frame.notices.size(), 2u);
}

TEST_F(EditingKeys, DeleteRemovesRightOfTheCaretOrJoinsTheNextLine)
{
    start("ab\nc");
    press(SDLK_DELETE, 127); // at the end of the text
    EXPECT_EQ(box->getText(), "ab\n\rc");
    EXPECT_TRUE(frame.notices.empty());

    press(SDLK_UP);
    press(SDLK_END);
    press(SDLK_DELETE, 127);
    EXPECT_EQ(box->getText(), "abc");
    EXPECT_EQ(box->getCaretColumn(), 2);
    press(SDLK_HOME);
    press(SDLK_DELETE, 127);
    EXPECT_EQ(box->getText(), "bc");
    EXPECT_EQ(frame.notices.size(), 2u);
}

TEST_F(EditingKeys, TheCaretWrapsLeftButStopsRight)
{
    start("ab\nc");
    press(SDLK_HOME);
    press(SDLK_LEFT);
    EXPECT_EQ(box->getCaretLine(), 0);
    EXPECT_EQ(box->getCaretColumn(), 2);
    press(SDLK_RIGHT);
    EXPECT_EQ(box->getCaretLine(), 0);
    EXPECT_EQ(box->getCaretColumn(), 2);
    press(SDLK_HOME);
    press(SDLK_LEFT);
    EXPECT_EQ(box->getCaretColumn(), 0);
    EXPECT_TRUE(frame.notices.empty());
}

TEST_F(EditingKeys, UpAndDownKeepTheColumnShortenedToTheLine)
{
    start("abcdef\nxy\nlonger line");
    press(SDLK_UP);
    EXPECT_EQ(box->getCaretLine(), 1);
    EXPECT_EQ(box->getCaretColumn(), 2);
    press(SDLK_UP);
    EXPECT_EQ(box->getCaretColumn(), 2);
    press(SDLK_UP); // already on the first line
    EXPECT_EQ(box->getCaretLine(), 0);
    press(SDLK_PAGEDOWN);
    EXPECT_EQ(box->getCaretLine(), 2);
    press(SDLK_PAGEUP);
    EXPECT_EQ(box->getCaretLine(), 0);
    press(SDLK_END);
    EXPECT_EQ(box->getCaretColumn(), 6);
    press(SDLK_DOWN);
    EXPECT_EQ(box->getCaretColumn(), 2);
}

TEST_F(EditingKeys, TheCaretStepsOverWholeCharacters)
{
    start("J\xC3\xB6rg");
    press(SDLK_LEFT);
    press(SDLK_LEFT);
    EXPECT_EQ(box->getCaretColumn(), 3);
    press(SDLK_LEFT);
    EXPECT_EQ(box->getCaretColumn(), 1);
    press(SDLK_RIGHT);
    EXPECT_EQ(box->getCaretColumn(), 3);
    press(SDLK_BACKSPACE, 8);
    EXPECT_EQ(box->getText(), "Jrg");
    box->setText("J\xC3\xB6rg");
    press(SDLK_HOME);
    press(SDLK_RIGHT);
    press(SDLK_DELETE, 127);
    EXPECT_EQ(box->getText(), "Jrg");
}

class TextRoundTrip : public TextBoxes {};

TEST_F(TextRoundTrip, LinesJoinWithLineFeedAndCarriageReturn)
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

TEST_F(TextRoundTrip, OneLineBoxesJoinLinesWithoutSeparator)
{
    box->setText("ab\nc");
    box->setMultiLine(false);
    EXPECT_FALSE(box->isMultiLine());
    EXPECT_EQ(box->getText(), "abc");
    box->setText("x\ny\nz");
    EXPECT_EQ(box->getText(), "xyz");
    EXPECT_EQ(box->getCaretColumn(), 3);
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

TEST_F(CaretOnScreen, TheCaretStandsRightAfterANonAsciiText)
{
    const std::string name = "J\xC3\xB6rg \xC3\x85s\xC3\xA9n";
    start(name);
    frame.draw();
    const int x = 10 + Engine::TextSurface(name, fontFile(), 12, Black).getWidth();
    EXPECT_GE(countInColumn(x, 11, 10 + lineHeight - 1, Black) + countInColumn(x - 1, 11, 10 + lineHeight - 1, Black), lineHeight - 3);
}

TEST_F(CaretOnScreen, TheCaretFollowsTheLineItIsOn)
{
    box->setMultiLine(true);
    box->setBounds(10, 10, 150, 100);
    start("first\nsecond");
    frame.draw();
    const int x = 10 + Engine::TextSurface::textWidth("second", fontFile(), 12);
    const int secondTop = 10 + Engine::TextSurface("first", fontFile(), 12, Black).getHeight();
    EXPECT_GE(countInColumn(x, secondTop + 1, secondTop + lineHeight - 1, Black), lineHeight - 3);
}

} // namespace
