// The plain widgets under real dispatch: a button's bevel, the two notifications of its
// click and cancelling by moving off; a check box's flip and cross; the parent chain and
// ownership; and idle frames that render nothing: text is rendered, and canvases made, only
// after a change, and only for the widget that changed.
#include "engine/TextSurface.h"
#include "engine/gui/Button.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/ComboBox.h"
#include "engine/gui/ImageButton.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextBox.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>
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
    const TextSurface caption("Head", fontFile, 12, Black);
    const int textWidth = caption.getWidth(), s = check->getHeight() - 2;
    // The box's centre, where the diagonals cross, when the box starts at `left`.
    auto centre = [&](int left) {
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
    // A caption's descenders are drawn: "Ping" reaches into its last rows.
    Engine::Gui::CheckBox* ping = frame.addCheckBox("PingCheck", "Ping", false, 10, 40);
    ping->setBackgroundColor(White);
    frame.draw();
    const int rows = TextSurface("Ping", fontFile, 12, Black).getHeight(), below = 2; // under the box: only descenders
    EXPECT_LT(count(10, 40 + rows - below, ping->getWidth(), below, White), ping->getWidth() * below) << "the g's tail";
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

// Hit tests count both edges; a label that does not size itself keeps its box.
TEST_F(Widgets, BoxesThatTouchIntersectAndALabelWithoutAutoSizeKeepsItsBox)
{
    Engine::Gui::Label* label = frame.addLabel("NameLabel", "A rather long name", 0, 0);
    label->setAutoSize(false);
    label->setBounds(10, 10, 20, 20);
    frame.draw();
    EXPECT_EQ(label->getWidth(), 20);
    const struct { int x, y, w, h; bool meets; } others[] = {
        {30, 30, 5, 5, true}, {0, 0, 10, 10, true}, {31, 10, 5, 5, false}, {10, 31, 5, 5, false}, {0, 0, 9, 40, false}};
    for (const auto& o : others) {
        Engine::Box other;
        other.setX(o.x), other.setY(o.y), other.setWidth(o.w), other.setHeight(o.h);
        EXPECT_EQ(label->intersects(other), o.meets) << o.x << "," << o.y;
    }
}

TEST_F(Widgets, IdleFramesRenderNothingAndAChangeRendersOnlyTheWidgetThatChanged)
{
    Engine::Gui::Button* button = frame.addButton("OkButton", "OK", 0, 0);
    frame.addImageButton("CloseButton", Engine::Surface(10, 10), Engine::Surface(10, 10), 110, 0);
    Engine::Gui::Label* label = frame.addLabel("NameLabel", "Name", 0, 30);
    frame.addCheckBox("HeadCheck", "Head", true, 0, 50);
    frame.addTextBox("NameTextBox", "one\ntwo", 0, 70);
    Engine::Gui::ComboBox* combo = frame.addComboBox("LanguageCombo", 150, 0);
    combo->addItem("English");
    combo->setSelectedIndex(0);
    // The text renders, and surfaces made, by a change and the five frames after it.
    auto renders = [&](const std::function<void()>& change) {
        const int texts = textRenders, surfaces = surfaceCreates;
        change();
        for (int i = 0; i < 5; ++i, dispatch())
            frame.draw();
        return std::make_pair(textRenders - texts, surfaceCreates - surfaces);
    };
    renders([] {});
    // With the text box blinking its caret, then with the combo box open.
    EXPECT_EQ(renders([] { click(5, 75); }).first, 0);
    EXPECT_EQ(renders([] { pushMotion(50, 50); }), std::make_pair(0, 0));
    EXPECT_EQ(renders([] { click(245, 5); }).first, 0);
    EXPECT_EQ(renders([] { pushMotion(50, 50); }), std::make_pair(0, 0));
    EXPECT_TRUE(combo->isOpen());
    EXPECT_EQ(renders([&] { label->setText("Other"); }).first, 1);
    EXPECT_EQ(renders([] { click(3, 53); }).first, 1); // the check box flips
    EXPECT_EQ(renders([] { click(5, 5); }).first, 0);  // a button press and release only redraw the bevel
    EXPECT_EQ(renders([&] { button->setBounds(0, 0, 100, 25); }).first, 0);
    EXPECT_EQ(renders([&] { button->setWidth(60); }).first, 1);
    EXPECT_EQ(renders([] { click(5, 75); type("x"); }).first, 2); // one edit of a two-line box: its two lines
    frame.setVisible(false);
    EXPECT_EQ(renders([&] { label->setText("Changed while hidden"); }), std::make_pair(0, 0));
}

} // namespace
