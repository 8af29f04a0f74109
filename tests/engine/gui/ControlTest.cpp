// Boxes, the parent chain, ownership and the frame's factory operations.
#include "engine/gui/Button.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/ComboBox.h"
#include "engine/gui/Frame.h"
#include "engine/gui/ImageButton.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextBox.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace Engine::Gui;
using namespace gui_test;

Engine::Box box(int x, int y, int w, int h)
{
    Engine::Box b;
    b.setX(x);
    b.setY(y);
    b.setWidth(w);
    b.setHeight(h);
    return b;
}

TEST(Box, EdgesAreInclusiveAndTouchingBoxesIntersect)
{
    const Engine::Box b = box(10, 20, 30, 40);
    const struct {
        int x, y;
        bool inside;
    } points[] = {{10, 20, true}, {40, 60, true}, {41, 60, false}, {40, 61, false}, {9, 30, false}};
    for (const auto& p : points)
        EXPECT_EQ(b.contains(p.x, p.y), p.inside) << p.x << "," << p.y;
    const struct {
        Engine::Box other;
        bool meets;
    } others[] = {{box(40, 60, 5, 5), true}, {box(41, 60, 5, 5), false}, {box(0, 0, 9, 100), false}, {box(0, 0, 10, 100), true}};
    for (const auto& o : others)
        EXPECT_EQ(b.intersects(o.other), o.meets) << o.other.getX() << "," << o.other.getWidth();
}

class ControlTree : public GuiTest {};

TEST_F(ControlTree, PositionsAddUpThroughTheParentChain)
{
    Control root(nullptr, "Root", 0);
    root.setX(10);
    root.setY(20);
    EXPECT_EQ(root.getX(), 10);
    EXPECT_EQ(root.getY(), 20);

    auto* child = new Control(&root, "Child", 0);
    root.addChild(child);
    child->setX(5);
    child->setY(5);
    auto* grandChild = new Control(child, "GrandChild", 0);
    child->addChild(grandChild);
    grandChild->setBounds(1, 2, 3, 4);
    EXPECT_EQ(child->getX(), 15);
    EXPECT_EQ(child->getY(), 25);
    EXPECT_EQ(grandChild->getX(), 16);
    EXPECT_EQ(grandChild->getY(), 27);
    EXPECT_EQ(grandChild->getRelativeX(), 1);
    EXPECT_EQ(grandChild->getRelativeY(), 2);
    EXPECT_TRUE(grandChild->contains(16 + 3, 27 + 4));
    EXPECT_FALSE(grandChild->contains(1, 2));

    root.setX(100);
    EXPECT_EQ(grandChild->getX(), 106);
}

TEST_F(ControlTree, ChildrenGoWithTheirParentAndUnlinkThemselves)
{
    auto root = std::make_unique<Control>(nullptr, "Root", 0);
    auto* first = new Control(root.get(), "First", 0);
    auto* second = new Control(root.get(), "Second", 0);
    root->addChild(first);
    root->addChild(second);

    delete first;
    ASSERT_EQ(root->getChildren().size(), 1u);
    EXPECT_EQ(root->getChildren()[0], second);

    Control stranger(nullptr, "Stranger", 0);
    root->removeChild(&stranger);
    EXPECT_EQ(root->getChildren().size(), 1u);
    root.reset(); // deletes second; the sanitizer build catches a double or missing delete
}

TEST_F(ControlTree, HidingAFrameHidesEveryDescendant)
{
    RecordingFrame frame;
    Label* label = frame.addLabel("NameLabel", "Name", 0, 0);
    auto* inner = new Control(label, "Inner", 0);
    label->addChild(inner);

    frame.setVisible(false);
    EXPECT_FALSE(label->isVisible());
    EXPECT_FALSE(inner->isVisible());
    frame.setVisible(true);
    EXPECT_TRUE(inner->isVisible());
}

TEST_F(ControlTree, FactoryOperationsPlaceTheirWidgetsInTheFrame)
{
    RecordingFrame frame;
    frame.setX(10);
    frame.setY(20);
    Button* button = frame.addButton("OkButton", "OK", 5, 5);
    Label* label = frame.addLabel("NameLabel", "Name", 1, 2);
    TextBox* text = frame.addTextBox("NameTextBox", "abc", 3, 4);
    CheckBox* check = frame.addCheckBox("HeadCheck", "Head", true, 6, 7);
    ComboBox* combo = frame.addComboBox("LanguageCombo", 8, 9);
    ImageButton* image = frame.addImageButton("CloseButton", Engine::Surface(12, 10), Engine::Surface(14, 11), 2, 3);

    EXPECT_EQ(button->getX(), 15);
    EXPECT_EQ(button->getY(), 25);
    EXPECT_EQ(button->getParent(), &frame);
    EXPECT_EQ(button->getKind(), Button::Kind);
    EXPECT_EQ(image->getKind(), ImageButton::Kind);
    EXPECT_EQ(label->getKind(), Label::Kind);
    EXPECT_EQ(text->getKind(), TextBox::Kind);
    EXPECT_EQ(check->getKind(), CheckBox::Kind);
    EXPECT_EQ(combo->getKind(), ComboBox::Kind);
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(text->getText(), "abc");
    EXPECT_EQ(image->getWidth(), 12);
    ASSERT_EQ(frame.getChildren().size(), 6u);
    EXPECT_EQ(frame.getChildren()[0], button);
    EXPECT_EQ(frame.getChildren()[5], image);
}

TEST_F(ControlTree, WidgetsAddedToAHiddenFrameAreHiddenExceptTheComboBox)
{
    RecordingFrame frame;
    frame.setVisible(false);
    EXPECT_FALSE(frame.addButton("B", "B", 0, 0)->isVisible());
    EXPECT_FALSE(frame.addLabel("L", "L", 0, 0)->isVisible());
    EXPECT_FALSE(frame.addTextBox("T", "", 0, 0)->isVisible());
    EXPECT_FALSE(frame.addCheckBox("C", "C", false, 0, 0)->isVisible());
    EXPECT_FALSE(frame.addImageButton("I", Engine::Surface(2, 2), Engine::Surface(2, 2), 0, 0)->isVisible());
    EXPECT_TRUE(frame.addComboBox("Combo", 0, 0)->isVisible());
}

TEST_F(ControlTree, ADeletedFrameLeavesNoListenerBehind)
{
    auto frame = std::make_unique<RecordingFrame>();
    frame->addButton("B", "B", 0, 0);
    frame->addTextBox("T", "", 0, 30);
    frame->addCheckBox("C", "C", false, 0, 140);
    frame->addComboBox("Combo", 0, 160);
    frame.reset();

    // Every kind of event reaches the handler's lists; a widget left in them would be used
    // after its deletion (the sanitizer build reports it).
    click(5, 5);
    click(5, 35);
    press(SDLK_a, 'a');
    pushMotion(6, 6);
    dispatch();
}

TEST_F(ControlTree, AWidgetMayDeleteItsWholeFrameFromItsNotification)
{
    auto* frame = new RecordingFrame();
    Button* closeButton = frame->addButton("CloseButton", "Close", 0, 0);
    frame->addButton("Beneath", "Beneath", 0, 0); // registered later, under the same point
    frame->addCheckBox("Check", "Check", false, 0, 0);
    bool deleted = false;
    frame->reaction = [&](Control* sender) {
        if (sender == closeButton) {
            deleted = true;
            delete frame;
        }
    };
    pushButton(true, 5, 5);
    pushButton(false, 5, 5);
    pushMotion(5, 5);
    dispatch();
    EXPECT_TRUE(deleted);
}

} // namespace
