// Button under real dispatch: the bevel, the two notifications of a click, and cancelling
// by moving off.
#include "engine/gui/Button.h"
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

} // namespace
