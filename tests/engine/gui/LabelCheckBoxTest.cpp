// Label sizes and pictures; CheckBox sizes, boxes, diagonals and clicks.
#include "engine/TextSurface.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/Label.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace gui_test;
using Engine::TextSurface;

class LabelsAndCheckBoxes : public GuiTest {
protected:
    RecordingFrame frame;
};

TEST_F(LabelsAndCheckBoxes, ALabelWithoutAutoSizeKeepsItsBoxAndCutsTheText)
{
    Engine::Gui::Label* label = frame.addLabel("NameLabel", "Name", 10, 10);
    label->setAutoSize(false);
    label->setBounds(10, 10, 20, 8);
    label->setText("A text far wider than twenty pixels");
    EXPECT_EQ(label->getWidth(), 20);
    frame.draw();
    EXPECT_NE(pixel(10 + 19, 11), backdrop);
    EXPECT_EQ(countExact(10 + 20, 10, 100, 20, backdrop), 100 * 20);
    EXPECT_EQ(countExact(10, 10 + 8, 20, 10, backdrop), 20 * 10);
}

TEST_F(LabelsAndCheckBoxes, ACheckBoxFlipsOnceAPressAndShowsItsCrossBeforeOrAfterItsText)
{
    Engine::Gui::CheckBox* check = frame.addCheckBox("HeadCheck", "Head", false, 10, 10);
    check->setBackgroundColor(White);
    const int textWidth = TextSurface("Head", fontFile(), 12, Black).getWidth(), s = check->getHeight() - 2;
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
    EXPECT_GT(countNear(10 + s + 3, 10, textWidth, s, Black), 5); // the text after the box
}

} // namespace
