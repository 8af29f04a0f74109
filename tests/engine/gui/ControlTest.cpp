// Boxes, the parent chain and ownership.
#include "engine/gui/Control.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using namespace gui_test;
using Engine::Gui::Control;

TEST(Box, EdgesAreInclusiveAndTouchingBoxesIntersect)
{
    auto box = [](int x, int y, int w, int h) {
        Engine::Box b;
        b.setX(x);
        b.setY(y);
        b.setWidth(w);
        b.setHeight(h);
        return b;
    };
    const Engine::Box b = box(10, 20, 30, 40);
    EXPECT_TRUE(b.contains(10, 20) && b.contains(40, 60));
    EXPECT_FALSE(b.contains(41, 60) || b.contains(40, 61) || b.contains(9, 30));
    EXPECT_TRUE(b.intersects(box(40, 60, 5, 5)) && b.intersects(box(0, 0, 10, 100)));
    EXPECT_FALSE(b.intersects(box(41, 60, 5, 5)) || b.intersects(box(0, 0, 9, 100)) || b.intersects(box(0, 61, 50, 5)));
}

class ControlTree : public GuiTest {};

TEST_F(ControlTree, PositionsAddUpThroughTheParentChainAndChildrenGoWithTheirParent)
{
    auto root = std::make_unique<Control>(nullptr, "Root", 0);
    root->setX(10);
    root->setY(20);
    auto* child = new Control(root.get(), "Child", 0);
    auto* doomed = new Control(root.get(), "Doomed", 0);
    root->addChild(child);
    root->addChild(doomed);
    child->setBounds(5, 5, 0, 0);
    auto* grandChild = new Control(child, "GrandChild", 0);
    child->addChild(grandChild);
    grandChild->setBounds(1, 2, 3, 4);
    EXPECT_EQ(grandChild->getX(), 16);
    EXPECT_EQ(grandChild->getY(), 27);
    EXPECT_TRUE(grandChild->contains(16 + 3, 27 + 4));
    EXPECT_FALSE(grandChild->contains(1, 2));
    root->setX(100);
    EXPECT_EQ(grandChild->getX(), 106);

    root->setVisible(false); // the whole subtree
    EXPECT_FALSE(grandChild->isVisible());
    root->setVisible(true);
    EXPECT_TRUE(grandChild->isVisible());
    delete doomed; // a child that goes unlinks itself
    EXPECT_EQ(root->getChildren(), std::vector<Control*>{child});
    root.reset(); // deletes the others; the sanitizer build catches a double or missing delete
}

} // namespace
