// ComboBox under real dispatch: the closed picture, opening, the four-row list with its
// scroll column, selection notifications, and closing by a press elsewhere.
#include "engine/TextSurface.h"
#include "engine/gui/Button.h"
#include "engine/gui/ComboBox.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace Engine::Gui;
using namespace gui_test;

class ComboBoxes : public GuiTest {
protected:
    static constexpr int left = 20;
    static constexpr int top = 20;
    static constexpr int width = 100;

    void SetUp() override
    {
        GuiTest::SetUp();
        lineH = Engine::TextSurface::lineSkip(fontFile(), 12);
        combo = frame.addComboBox("LanguageCombo", left, top);
    }

    void fill(int count)
    {
        for (int i = 0; i < count; ++i)
            combo->addItem("Item " + std::to_string(i));
    }
    // Points of the top row and of list row r (1 ... 4), in the text part or the scroll column.
    int rowY(int r) const { return top + r * lineH + lineH / 2; }
    int textX() const { return left + 10; }
    int columnX() const { return left + width - 5; }
    void openIt()
    {
        click(columnX(), rowY(0));
        frame.draw();
    }
    // The list row r shows entry i: its text is the text colour somewhere in the row.
    bool rowHasText(int r) { return countNear(left + 2, top + r * lineH + 2, 60, lineH - 4, Black) > 5; }

    RecordingFrame frame;
    ComboBox* combo = nullptr;
    int lineH = 0;
};

TEST_F(ComboBoxes, ANewBoxShowsOnlyItsFrameAndButton)
{
    EXPECT_EQ(combo->getHeight(), lineH);
    frame.draw();
    EXPECT_EQ(combo->getHeight(), lineH + 2);
    EXPECT_EQ(pixel(left, top), Black);                           // frame
    EXPECT_EQ(pixel(left + 50, top + lineH + 1), Black);          // frame, bottom
    EXPECT_EQ(pixel(left + width - 10, top + 2), Black);          // the button
    EXPECT_EQ(pixel(left + width - 9, top + lineH - 7), Gray);    // its down arrow, widest row
    EXPECT_EQ(pixel(left + width - 8, top + lineH - 5), Gray);    // and its tip
    EXPECT_EQ(pixel(left + width - 11, top + lineH - 5), Black);
    EXPECT_EQ(countInRect(left + 1, top + 1, width - 17, lineH - 1, Gray), (width - 17) * (lineH - 1));
    EXPECT_EQ(pixel(left + 50, top + lineH + 2), backdrop);
}

TEST_F(ComboBoxes, TheButtonOpensTheListAndTheTextPartDoesNot)
{
    fill(3);
    click(textX(), rowY(0));
    EXPECT_FALSE(combo->isOpen());
    openIt();
    EXPECT_TRUE(combo->isOpen());
    EXPECT_EQ(combo->getHeight(), lineH + 2 + 3 * lineH);
    EXPECT_TRUE(rowHasText(1));
    EXPECT_TRUE(rowHasText(3));
    EXPECT_EQ(pixel(columnX(), rowY(2)), Black); // the scroll column
    click(textX(), rowY(0));                      // the top row closes it again
    EXPECT_FALSE(combo->isOpen());
    EXPECT_TRUE(frame.notices.empty());
}

TEST_F(ComboBoxes, AClickOnAnEntrySelectsItClosesAndTellsOnce)
{
    fill(3);
    openIt();
    click(textX(), rowY(2));
    EXPECT_EQ(combo->getSelectedIndex(), 1);
    EXPECT_FALSE(combo->isOpen());
    ASSERT_EQ(frame.notices.size(), 1u);
    EXPECT_EQ(frame.notices[0].kind, ComboBox::Kind);
    EXPECT_EQ(frame.notices[0].name, "LanguageCombo");
    frame.draw();
    EXPECT_TRUE(rowHasText(0));
    EXPECT_EQ(combo->getItem(1), "Item 1");

    openIt();
    click(textX(), rowY(2)); // the same entry again
    EXPECT_EQ(frame.notices.size(), 2u);
}

TEST_F(ComboBoxes, TenEntriesShowFourAndScrollOneAtATime)
{
    fill(10);
    openIt();
    EXPECT_EQ(combo->getHeight(), lineH + 2 + 4 * lineH);
    const int upArrowRow = top + 2 * lineH - 7 + 2;
    const int arrowX = left + width - 6 - 2;
    EXPECT_EQ(pixel(arrowX, upArrowRow), Black); // no up arrow at the top

    for (int i = 0; i < 3; ++i) {
        click(columnX(), rowY(4));
        frame.draw();
    }
    EXPECT_EQ(combo->getScrollOffset(), 3);
    EXPECT_EQ(pixel(arrowX, upArrowRow), Gray); // the up arrow

    for (int i = 0; i < 5; ++i)
        click(columnX(), rowY(4));
    EXPECT_EQ(combo->getScrollOffset(), 6);
    frame.draw();
    EXPECT_EQ(pixel(arrowX, top + combo->getHeight() - 7), Black); // no down arrow at the end

    click(columnX(), rowY(1));
    EXPECT_EQ(combo->getScrollOffset(), 5);
    EXPECT_TRUE(frame.notices.empty());

    click(textX(), rowY(3)); // entries 5 ... 8 are shown
    EXPECT_EQ(combo->getSelectedIndex(), 7);
    EXPECT_EQ(combo->getScrollOffset(), 0);
    openIt();
    click(textX(), rowY(1));
    EXPECT_EQ(combo->getSelectedIndex(), 0); // each opening starts at the top
}

TEST_F(ComboBoxes, TwoEntriesDoNotScrollAndAPressElsewhereCloses)
{
    fill(2);
    openIt();
    click(columnX(), rowY(1));
    click(columnX(), rowY(2));
    EXPECT_TRUE(combo->isOpen());
    EXPECT_EQ(combo->getScrollOffset(), 0);
    EXPECT_TRUE(frame.notices.empty());
    click(textX(), rowY(2));
    EXPECT_EQ(combo->getSelectedIndex(), 1);
    openIt();
    click(300, 200);
    EXPECT_FALSE(combo->isOpen());
}

TEST(ComboBoxOrder, APressThatAnEarlierWidgetTookStillClosesTheList)
{
    startScreen();
    RecordingFrame frame;
    Button* button = frame.addButton("EarlierButton", "Earlier", 200, 150);
    ComboBox* combo = frame.addComboBox("LaterCombo", 0, 0);
    combo->addItem("One");
    frame.draw();
    click(95, 5);
    ASSERT_TRUE(combo->isOpen());
    pushButton(true, 210, 160);
    dispatch();
    EXPECT_TRUE(button->isPressed());
    EXPECT_FALSE(combo->isOpen());
    pushButton(false, 210, 160);
    dispatch();
}

TEST_F(ComboBoxes, SelectingByProgramClampsAndTellsNobody)
{
    fill(5);
    combo->setSelectedIndex(99);
    EXPECT_EQ(combo->getSelectedIndex(), 4);
    combo->setSelectedIndex(-5);
    EXPECT_EQ(combo->getSelectedIndex(), -1);
    combo->setSelectedIndex(2);
    EXPECT_EQ(combo->getSelectedIndex(), 2);
    EXPECT_TRUE(frame.notices.empty());
    openIt();
    click(textX(), rowY(2), SDL_BUTTON_RIGHT); // taken, but selects nothing
    EXPECT_TRUE(combo->isOpen());
    EXPECT_EQ(combo->getSelectedIndex(), 2);
    combo->clear();
    EXPECT_EQ(combo->getSelectedIndex(), -1);
    EXPECT_EQ(combo->getItemCount(), 0);
    frame.draw();
    EXPECT_FALSE(rowHasText(0));
}

TEST_F(ComboBoxes, AStyleChangeShowsWithTheNextChangeOfThePicture)
{
    fill(2);
    combo->setSelectedIndex(0);
    frame.draw();
    combo->setBackgroundColor(Navy);
    frame.draw();
    EXPECT_EQ(pixel(left + 2, top + 2), Gray);
    openIt();
    EXPECT_EQ(pixel(left + 2, top + 2), Navy);
    EXPECT_EQ(combo->getBackgroundColor(), Navy);
}

} // namespace
