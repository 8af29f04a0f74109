// The plain widgets under real dispatch: a button's bevel, the two notifications of its
// click and cancelling by moving off; a check box's flip and cross;
// the parent chain and ownership.
#include "engine/TextSurface.h"
#include "engine/gui/Button.h"
#include "engine/gui/CheckBox.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace gui_test;
using Engine::Gui::Control;
using Engine::TextSurface;
using Notices = std::vector<std::string>;

class Widgets : public GuiTest {
protected:
    RecordingFrame frame;
};

TEST_F(Widgets, AClickTellsThePressAndTheReleaseAndSinksTheBevelMeanwhile)
{
    Engine::Gui::Button* button = frame.addButton("OkButton", "OK", 20, 30);
    // The bevel's top-left and bottom-right edges and what lies beyond its 100 x 25, read
    // from the screen after a frame.
    auto bevel = [&] {
        frame.draw();
        return std::vector<Color>{pixel(70, 30), pixel(20, 40), pixel(70, 54), pixel(119, 40), pixel(120, 40), pixel(70, 55)};
    };
    const std::vector<Color> raised{White, White, Black, Black, backdrop, backdrop};
    const std::vector<Color> sunk{Black, Black, White, White, backdrop, backdrop};
    EXPECT_EQ(bevel(), raised);
    EXPECT_EQ(pixel(24, 34), Gray);             // the background
    EXPECT_GT(count(50, 35, 40, 15, Black), 0); // the text, centred

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
}

TEST_F(Widgets, ACheckBoxFlipsOnceAPressAndShowsItsCrossBeforeOrAfterItsText)
{
    Engine::Gui::CheckBox* check = frame.addCheckBox("HeadCheck", "Head", false, 10, 10);
    check->setBackgroundColor(White);
    const int textWidth = TextSurface("Head", fontFile, 12, Black).getWidth(), s = check->getHeight() - 2;
    // The box's centre, where the diagonals cross, when the box starts at `left`.
    auto centre = [&](int left) {
        paint();
        frame.draw();
        return pixel(left + 1 + (s - 1) / 2, 10 + (1 + s) / 2);
    };
    EXPECT_EQ(centre(10 + textWidth), White);
    pushButton(true, 12, 12);
    pushButton(false, 12, 12);
    dispatch();
    EXPECT_EQ(frame.notices, std::vector<std::string>{"HeadCheck"}) << "once, at the press";
    EXPECT_EQ(centre(10 + textWidth), Black);
    check->setTextFirst(false);
    EXPECT_EQ(centre(10), Black);
    EXPECT_GT(count(10 + s + 3, 10, textWidth, s, Black), 5); // the text after the box
}

TEST_F(Widgets, PositionsAddUpThroughTheParentChainAndChildrenGoWithTheirParent)
{
    auto root = std::make_unique<Control>(nullptr, "Root", 0);
    auto* child = new Control(root.get(), "Child", 0);
    auto* doomed = new Control(root.get(), "Doomed", 0);
    root->addChild(child);
    root->addChild(doomed);
    auto* grandChild = new Control(child, "GrandChild", 0);
    child->addChild(grandChild);
    root->setX(100);
    child->setX(5);
    grandChild->setBounds(1, 2, 3, 4);
    EXPECT_EQ(grandChild->getX(), 106);
    delete doomed; // a child that goes unlinks itself
    EXPECT_EQ(root->getChildren(), std::vector<Control*>{child});
    root.reset(); // deletes the others; the sanitizer build catches a double or missing delete
}

} // namespace
