// Label sizes and pictures; CheckBox sizes, boxes, diagonals and clicks.
#include "engine/TextSurface.h"
#include "engine/gui/Button.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/Label.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using namespace Engine::Gui;
using namespace gui_test;

class Labels : public GuiTest {
protected:
    RecordingFrame frame;
};

TEST_F(Labels, AnAutoSizedLabelGrowsAndShrinksWithItsText)
{
    Label* label = frame.addLabel("MapLabel", "de_dust2", 10, 10);
    const Engine::TextSurface rendered("de_dust2", fontFile(), 12, Black);
    EXPECT_EQ(label->getWidth(), rendered.getWidth());
    EXPECT_EQ(label->getHeight(), rendered.getHeight());
    EXPECT_TRUE(label->isAutoSize());

    const int shortWidth = label->getWidth();
    label->setText("de_dust2 with a much longer name");
    EXPECT_GT(label->getWidth(), shortWidth);
    label->setText("de");
    EXPECT_LT(label->getWidth(), shortWidth);
    label->setFontSize(24);
    EXPECT_GT(label->getHeight(), rendered.getHeight());

    // An empty label draws nothing and keeps a line of height.
    label->setFontSize(12);
    label->setText("");
    EXPECT_EQ(label->getWidth(), 0);
    EXPECT_EQ(label->getHeight(), Engine::TextSurface::lineSkip(fontFile(), 12));
    frame.draw();
    EXPECT_EQ(pixel(10, 10), backdrop);
}

TEST_F(Labels, DrawsItsTextOnItsBackground)
{
    Label* label = frame.addLabel("NameLabel", "Name", 10, 10);
    label->setBackgroundColor(Navy);
    label->setTextColor(White);
    frame.draw();
    EXPECT_EQ(pixel(10, 10), Navy);
    EXPECT_GT(countNear(10, 10, label->getWidth(), label->getHeight(), White), 5);
    EXPECT_EQ(pixel(10 + label->getWidth(), 10), backdrop);
}

TEST_F(Labels, WithoutAutoSizeTheLabelKeepsItsBoxAndCutsTheText)
{
    Label* label = frame.addLabel("NameLabel", "Name", 10, 10);
    label->setAutoSize(false);
    label->setBounds(10, 10, 20, 8);
    label->setText("A text far wider than twenty pixels");
    EXPECT_EQ(label->getWidth(), 20);
    EXPECT_EQ(label->getHeight(), 8);
    frame.draw();
    EXPECT_NE(pixel(10 + 19, 11), backdrop);
    EXPECT_EQ(countInRect(10 + 20, 10, 100, 20, backdrop), 100 * 20);
    EXPECT_EQ(countInRect(10, 10 + 8, 20, 10, backdrop), 20 * 10);
}

class CheckBoxes : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        check = frame.addCheckBox("HeadCheck", "Head", false, 10, 10);
        check->setBackgroundColor(White);
        textWidth = Engine::TextSurface("Head", fontFile(), 12, Black).getWidth();
        b = check->getHeight();
    }

    // Centre of the box, and a point on its left edge, in screen coordinates.
    int boxLeft() const { return 10 + (check->isTextFirst() ? textWidth : 0) + 1; }
    int s() const { return b - 2; }
    Color centre() { return pixel(boxLeft() + (s() - 1) / 2, 10 + (1 + s()) / 2); }

    RecordingFrame frame;
    CheckBox* check = nullptr;
    int textWidth = 0;
    int b = 0;
};

TEST_F(CheckBoxes, TakesTheSizeOfItsTextAndBox)
{
    const Engine::TextSurface rendered("Head", fontFile(), 12, Black);
    EXPECT_EQ(b, std::max(rendered.getHeight(), 10) - 2);
    EXPECT_EQ(check->getWidth(), rendered.getWidth() + b + 2);

    // A text too small for the minimum box: b = 8, a 6-pixel box.
    check->setFontSize(5);
    ASSERT_LE(Engine::TextSurface("Head", fontFile(), 5, Black).getHeight(), 10);
    EXPECT_EQ(check->getHeight(), 8);
}

TEST_F(CheckBoxes, ACheckedBoxShowsItsDiagonals)
{
    frame.draw();
    EXPECT_EQ(pixel(boxLeft(), 10 + s() / 2), Black); // the left side of the box
    EXPECT_EQ(centre(), White);

    check->setChecked(true);
    frame.draw();
    EXPECT_EQ(centre(), Black);
    EXPECT_EQ(countNear(boxLeft() + 1, 10 + 2, 1, 1, Black, 40), 1);
    EXPECT_EQ(countNear(boxLeft() + 1, 10 + s() - 1, 1, 1, Black, 40), 1);
    EXPECT_GT(countNear(10, 10, textWidth, b, Black), 5); // the text before the box

    // The box may stand before the text.
    check->setTextFirst(false);
    paintScreen(backdrop);
    frame.draw();
    EXPECT_EQ(pixel(11, 10 + s() / 2), Black);
    EXPECT_EQ(centre(), Black);
    EXPECT_GT(countNear(10 + b + 1, 10, textWidth, b, Black), 5);
}

TEST_F(CheckBoxes, APressFlipsItOnceAndTellsTheFrameOnce)
{
    pushButton(true, 12, 12);
    dispatch();
    EXPECT_TRUE(check->isChecked());
    ASSERT_EQ(frame.notices.size(), 1u);
    EXPECT_EQ(frame.notices[0].kind, CheckBox::Kind);
    pushButton(false, 12, 12);
    dispatch();
    EXPECT_TRUE(check->isChecked());
    EXPECT_EQ(frame.notices.size(), 1u);

    click(12, 12);
    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(frame.notices.size(), 2u);

    // Right clicks and hidden boxes do nothing.
    click(12, 12, SDL_BUTTON_RIGHT);
    check->setVisible(false);
    click(12, 12);
    EXPECT_FALSE(check->isChecked());
    EXPECT_EQ(frame.notices.size(), 2u);
}

TEST(CheckBoxOrder, AClickTakenByAnEarlierWidgetDoesNotFlipIt)
{
    startScreen();
    RecordingFrame frame;
    Button* button = frame.addButton("OverButton", "Over", 0, 0);
    CheckBox* check = frame.addCheckBox("UnderCheck", "Under", false, 5, 5);
    click(8, 8);
    EXPECT_FALSE(check->isChecked());
    ASSERT_EQ(frame.notices.size(), 2u);
    EXPECT_EQ(frame.notices[0].name, button->getName());
}

} // namespace
