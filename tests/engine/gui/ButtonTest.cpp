// Button and ImageButton under real dispatch: the bevel, the two notifications of a click,
// cancelling by moving off, and which of two overlapping buttons wins.
#include "engine/gui/Button.h"
#include "engine/gui/ImageButton.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace Engine::Gui;
using namespace gui_test;

class ButtonClicks : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        button = frame.addButton("OkButton", "OK", 20, 30);
    }

    // The bevel's top edge and bottom edge, read from the screen after a frame.
    Color top() { return pixel(20 + 50, 30); }
    Color bottom() { return pixel(20 + 50, 30 + 24); }

    RecordingFrame frame;
    Button* button = nullptr;
};

TEST_F(ButtonClicks, ARaisedButtonIsWhiteAtTheTopAndLeftAndBlackBelowAndRight)
{
    frame.draw();
    EXPECT_EQ(top(), White);
    EXPECT_EQ(pixel(20, 40), White);
    EXPECT_EQ(bottom(), Black);
    EXPECT_EQ(pixel(20 + 99, 40), Black);
    EXPECT_EQ(pixel(24, 34), Gray);          // the background
    EXPECT_EQ(pixel(20 + 100, 40), backdrop); // nothing beyond its 100 x 25
    EXPECT_EQ(pixel(70, 30 + 25), backdrop);
    EXPECT_GT(countNear(50, 35, 40, 15, Black), 5); // the text, centred
}

TEST_F(ButtonClicks, AClickTellsThePressAndTheReleaseAndSinksTheBevelMeanwhile)
{
    frame.draw();
    pushButton(true, 70, 42);
    dispatch();
    frame.draw();
    EXPECT_TRUE(button->isPressed());
    EXPECT_EQ(top(), Black);
    EXPECT_EQ(pixel(20, 40), Black);
    EXPECT_EQ(bottom(), White);
    ASSERT_EQ(frame.notices.size(), 1u);
    EXPECT_EQ(frame.notices[0].name, "OkButton");
    EXPECT_EQ(frame.notices[0].kind, Button::Kind);
    EXPECT_TRUE(frame.notices[0].pressed);

    pushMotion(75, 40); // moving inside keeps it held
    dispatch();
    EXPECT_TRUE(button->isPressed());

    pushButton(false, 75, 40);
    dispatch();
    frame.draw();
    EXPECT_FALSE(button->isPressed());
    EXPECT_EQ(top(), White);
    ASSERT_EQ(frame.notices.size(), 2u);
    EXPECT_FALSE(frame.notices[1].pressed);
}

TEST_F(ButtonClicks, MovingOffCancelsThePressWithoutARelease)
{
    pushButton(true, 70, 42);
    pushMotion(200, 200);
    pushButton(false, 200, 200);
    dispatch();
    frame.draw();
    EXPECT_FALSE(button->isPressed());
    EXPECT_EQ(top(), White);
    ASSERT_EQ(frame.notices.size(), 1u);
    EXPECT_TRUE(frame.notices[0].pressed);

    // Coming back and releasing is no click either.
    pushMotion(70, 42);
    pushButton(false, 70, 42);
    dispatch();
    EXPECT_EQ(frame.notices.size(), 1u);
}

TEST_F(ButtonClicks, OtherButtonsHiddenButtonsAndPointsBeyondTheEdgesDoNothing)
{
    click(20 + 100, 30 + 25); // the edges belong to the button
    EXPECT_EQ(frame.notices.size(), 2u);
    frame.notices.clear();
    click(20 + 101, 30);
    click(70, 42, SDL_BUTTON_RIGHT);
    click(70, 42, SDL_BUTTON_MIDDLE);
    EXPECT_TRUE(frame.notices.empty());

    button->setVisible(false);
    click(70, 42);
    paintScreen(backdrop);
    frame.draw();
    EXPECT_TRUE(frame.notices.empty());
    EXPECT_EQ(top(), backdrop);
}

TEST_F(ButtonClicks, OfTwoOverlappingButtonsTheFirstMadeWinsAndTheOtherLetsGo)
{
    Button* later = frame.addButton("LaterButton", "Later", 70, 30); // overlaps 70..120
    pushButton(true, 160, 40);                                      // only the later one
    dispatch();
    ASSERT_TRUE(later->isPressed());

    pushMotion(100, 40);
    pushButton(true, 100, 40); // both are under the mouse
    dispatch();
    EXPECT_TRUE(button->isPressed());
    EXPECT_FALSE(later->isPressed());
    ASSERT_EQ(frame.notices.size(), 2u);
    EXPECT_EQ(frame.notices[0].name, "LaterButton");
    EXPECT_EQ(frame.notices[1].name, "OkButton");
}

TEST_F(ButtonClicks, ResizingRendersOnlyWhenTheSizeChanges)
{
    frame.draw();
    const int before = textRenderCount();
    button->setBounds(20, 30, 100, 25);
    button->setText("OK");
    frame.draw();
    EXPECT_EQ(textRenderCount(), before);

    button->setWidth(60);
    paintScreen(backdrop);
    frame.draw();
    frame.draw();
    EXPECT_EQ(textRenderCount(), before + 1);
    EXPECT_EQ(pixel(20 + 59, 40), Black);
    EXPECT_EQ(pixel(20 + 61, 40), backdrop);

    button->setBackgroundColor(Navy);
    button->setTextColor(Yellow);
    frame.draw();
    EXPECT_EQ(pixel(24, 34), Navy);
    EXPECT_GT(countNear(24, 35, 30, 15, Yellow), 5);
}

class ImageButtonClicks : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        // As the panels load them: in the screen's format.
        Engine::Surface up = Engine::Surface::displayFormat(Engine::Surface(12, 10));
        up.fill(Red);
        Engine::Surface down = Engine::Surface::displayFormat(Engine::Surface(14, 11));
        down.fill(Blue);
        image = frame.addImageButton("CloseButton", up, down, 40, 40);
    }

    RecordingFrame frame;
    ImageButton* image = nullptr;
};

TEST_F(ImageButtonClicks, ShowsThePressedPictureWhileHeldAndTakesItsSize)
{
    frame.draw();
    EXPECT_EQ(pixel(41, 41), Red);
    EXPECT_EQ(pixel(40 + 12, 41), backdrop);
    EXPECT_EQ(image->getWidth(), 12);

    pushButton(true, 45, 45);
    dispatch();
    frame.draw();
    EXPECT_TRUE(image->isPressed());
    EXPECT_EQ(image->getWidth(), 14);
    EXPECT_EQ(image->getHeight(), 11);
    EXPECT_EQ(pixel(40 + 13, 41), Blue);

    pushButton(false, 53, 50); // inside the pressed picture's larger box
    dispatch();
    EXPECT_FALSE(image->isPressed());
    ASSERT_EQ(frame.notices.size(), 2u);
    EXPECT_EQ(frame.notices[0].kind, ImageButton::Kind);
    EXPECT_TRUE(frame.notices[0].pressed);
    EXPECT_FALSE(frame.notices[1].pressed);

    // Moving off, or a right click, tells nothing more.
    pushButton(true, 45, 45);
    pushMotion(100, 100);
    pushButton(false, 100, 100);
    dispatch();
    EXPECT_FALSE(image->isPressed());
    click(45, 45, SDL_BUTTON_RIGHT);
    EXPECT_EQ(frame.notices.size(), 3u);
}

TEST_F(ImageButtonClicks, NewPicturesShowAtTheNextFrame)
{
    Engine::Surface green = Engine::Surface::displayFormat(Engine::Surface(20, 20));
    green.fill(Lime);
    image->setNormalImage(green);
    frame.draw();
    EXPECT_EQ(pixel(40 + 19, 40 + 19), Lime);
    EXPECT_EQ(image->getNormalImage().getWidth(), 20);
    EXPECT_EQ(image->getPressedImage().getWidth(), 14);
}

} // namespace
