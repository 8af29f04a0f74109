// Button and ImageButton under real dispatch: the bevel, the two notifications of a click,
// and cancelling by moving off.
#include "engine/gui/Button.h"
#include "engine/gui/ImageButton.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace gui_test;
using Notices = std::vector<std::string>;

class Buttons : public GuiTest {
protected:
    RecordingFrame frame;
};

TEST_F(Buttons, AClickTellsThePressAndTheReleaseAndSinksTheBevelMeanwhile)
{
    Engine::Gui::Button* button = frame.addButton("OkButton", "OK", 20, 30);
    // The bevel's top-left and bottom-right edges, read from the screen after a frame.
    auto bevel = [&] {
        frame.draw();
        return std::vector<Color>{pixel(70, 30), pixel(20, 40), pixel(70, 54), pixel(119, 40)};
    };
    const std::vector<Color> raised{White, White, Black, Black}, sunk{Black, Black, White, White};
    EXPECT_EQ(bevel(), raised);
    EXPECT_EQ(pixel(24, 34), Gray);      // the background
    EXPECT_EQ(pixel(120, 40), backdrop); // nothing beyond its 100 x 25
    EXPECT_EQ(pixel(70, 55), backdrop);
    EXPECT_GT(countNear(50, 35, 40, 15, Black), 5); // the text, centred

    pushButton(true, 70, 42);
    pushMotion(75, 40); // moving inside keeps it held
    dispatch();
    EXPECT_EQ(bevel(), sunk);
    EXPECT_EQ(frame.notices, Notices{"OkButton+"});
    pushButton(false, 120, 55); // the edges belong to the button
    dispatch();
    EXPECT_EQ(bevel(), raised);
    EXPECT_EQ(frame.notices, (Notices{"OkButton+", "OkButton"}));

    // Moving off cancels without a release; coming back and releasing is no click either,
    // and neither are other buttons or a hidden button.
    frame.notices.clear();
    pushButton(true, 70, 42);
    pushMotion(200, 200);
    pushMotion(70, 42);
    pushButton(false, 70, 42);
    dispatch();
    EXPECT_EQ(bevel(), raised);
    click(70, 42, SDL_BUTTON_RIGHT);
    button->setVisible(false);
    click(70, 42);
    EXPECT_EQ(frame.notices, Notices{"OkButton+"});

    button->setVisible(true);
    button->setBackgroundColor(Navy);
    button->setTextColor(Yellow);
    button->setWidth(60);
    paint();
    frame.draw();
    EXPECT_EQ(pixel(24, 34), Navy);
    EXPECT_GT(countNear(24, 35, 30, 15, Yellow), 5);
    EXPECT_EQ(pixel(20 + 59, 40), Black);
    EXPECT_EQ(pixel(20 + 61, 40), backdrop);
}

TEST_F(Buttons, AnImageButtonShowsThePressedPictureWhileHeldAndTakesItsSize)
{
    // As the panels load them: in the screen's format.
    Engine::Surface up = Engine::Surface::displayFormat(Engine::Surface(12, 10));
    up.fill(Red);
    Engine::Surface down = Engine::Surface::displayFormat(Engine::Surface(14, 11));
    down.fill(Blue);
    Engine::Gui::ImageButton* image = frame.addImageButton("CloseButton", up, down, 40, 40);
    frame.draw();
    EXPECT_EQ(pixel(41, 41), Red);
    EXPECT_EQ(pixel(40 + 12, 41), backdrop);

    pushButton(true, 45, 45);
    dispatch();
    frame.draw();
    EXPECT_EQ(image->getWidth(), 14);
    EXPECT_EQ(pixel(40 + 13, 41), Blue);
    pushButton(false, 53, 50); // inside the pressed picture's larger box
    pushButton(true, 45, 45);
    pushMotion(100, 100); // moving off tells nothing more
    pushButton(false, 100, 100);
    dispatch();
    EXPECT_FALSE(image->isPressed());
    EXPECT_EQ(frame.notices, (Notices{"CloseButton+", "CloseButton", "CloseButton+"}));

    image->setNormalImage(down);
    frame.draw();
    EXPECT_EQ(pixel(40 + 13, 41), Blue);
    EXPECT_EQ(image->getNormalImage().getWidth(), image->getPressedImage().getWidth());
}

} // namespace
