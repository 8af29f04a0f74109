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

TEST_F(LabelsAndCheckBoxes, AnAutoSizedLabelFitsItsTextAndAFixedOneCutsIt)
{
    Engine::Gui::Label* label = frame.addLabel("MapLabel", "de_dust2", 10, 10);
    const TextSurface rendered("de_dust2", fontFile(), 12, Black);
    EXPECT_EQ(label->getWidth(), rendered.getWidth());
    EXPECT_EQ(label->getHeight(), rendered.getHeight());
    label->setText("de");
    EXPECT_LT(label->getWidth(), rendered.getWidth());
    label->setText(""); // draws nothing and keeps a line of height
    EXPECT_EQ(label->getWidth(), 0);
    EXPECT_EQ(label->getHeight(), TextSurface::lineSkip(fontFile(), 12));
    frame.draw();
    EXPECT_EQ(pixel(10, 10), backdrop);

    label->setText("Name");
    label->setBackgroundColor(Navy);
    label->setTextColor(White);
    frame.draw();
    EXPECT_EQ(pixel(10, 10), Navy);
    EXPECT_GT(countNear(10, 10, label->getWidth(), label->getHeight(), White), 5);

    label->setAutoSize(false);
    label->setBounds(10, 10, 20, 8);
    label->setText("A text far wider than twenty pixels");
    EXPECT_EQ(label->getWidth(), 20);
    paint();
    frame.draw();
    EXPECT_NE(pixel(10 + 19, 11), backdrop);
    EXPECT_EQ(countExact(10 + 20, 10, 100, 20, backdrop), 100 * 20);
    EXPECT_EQ(countExact(10, 10 + 8, 20, 10, backdrop), 20 * 10);
}

TEST_F(LabelsAndCheckBoxes, ACheckBoxFlipsOnAPressAndShowsItsDiagonals)
{
    Engine::Gui::CheckBox* check = frame.addCheckBox("HeadCheck", "Head", false, 10, 10);
    check->setBackgroundColor(White);
    const TextSurface rendered("Head", fontFile(), 12, Black);
    const int b = check->getHeight(), s = b - 2;
    EXPECT_EQ(b, std::max(rendered.getHeight(), 10) - 2);
    EXPECT_EQ(check->getWidth(), rendered.getWidth() + b + 2);
    // Black at the box's left side, its centre and the diagonals' ends (anti-aliased).
    auto box = [&](int left) {
        frame.draw();
        return std::vector<int>{countExact(left + 1, 10 + s / 2, 1, 1, Black),
                                countExact(left + 1 + (s - 1) / 2, 10 + (1 + s) / 2, 1, 1, Black),
                                countNear(left + 2, 12, 1, 1, Black, 40), countNear(left + 2, 10 + s - 1, 1, 1, Black, 40)};
    };
    const std::vector<int> empty{1, 0, 0, 0}, crossed{1, 1, 1, 1};
    EXPECT_EQ(box(10 + rendered.getWidth()), empty);

    pushButton(true, 12, 12);
    pushButton(false, 12, 12);
    dispatch();
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(frame.notices, std::vector<std::string>{"HeadCheck"}) << "once, at the press";
    EXPECT_EQ(box(10 + rendered.getWidth()), crossed);
    EXPECT_GT(countNear(10, 10, rendered.getWidth(), b, Black), 5); // the text before the box
    check->setTextFirst(false);
    paint();
    EXPECT_EQ(box(10), crossed);
    EXPECT_GT(countNear(10 + b + 1, 10, rendered.getWidth(), b, Black), 5);

    click(12, 12, SDL_BUTTON_RIGHT);
    check->setVisible(false);
    click(12, 12);
    EXPECT_TRUE(check->isChecked());
    check->setFontSize(5); // a text too small for the minimum box: b = 8
    EXPECT_EQ(check->getHeight(), 8);
}

} // namespace
