// ComboBox under real dispatch: the closed picture, opening, the four-row list with its
// scroll column, selection notifications, and closing by a press elsewhere.
#include "engine/TextSurface.h"
#include "engine/gui/Button.h"
#include "engine/gui/ComboBox.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

namespace {

using namespace gui_test;

class ComboBoxes : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        button = frame.addButton("EarlierButton", "Earlier", 200, 150);
        combo = frame.addComboBox("LanguageCombo", 20, 20);
    }
    // A click on the top row (0) or list row r, in the text part or the scroll column.
    void clickRow(int r, bool column = false) { click(column ? 115 : 30, 20 + r * lineH + lineH / 2); }
    // The row shows an entry: its text is the text colour somewhere in it.
    bool rowHasText(int r) { return count(22, 20 + r * lineH + 2, 60, lineH - 4, Black) > 5; }

    RecordingFrame frame;
    Engine::Gui::Button* button = nullptr;
    Engine::Gui::ComboBox* combo = nullptr;
    const int lineH = Engine::TextSurface::lineSkip(fontFile, 12);
};

TEST_F(ComboBoxes, TenEntriesShowFourAndScrollOneAtATimeAndAnEntryIsToldOnce)
{
    for (int i = 0; i < 10; ++i)
        combo->addItem("Item " + std::to_string(i));
    clickRow(0);
    EXPECT_FALSE(combo->isOpen()) << "the text part does not open it";
    clickRow(0, true);
    frame.draw();
    EXPECT_TRUE(rowHasText(1) && rowHasText(4) && !rowHasText(5));
    // The up arrow shows once the list has scrolled, the down arrow until its end.
    auto arrows = [&] {
        frame.draw();
        return std::vector<Color>{pixel(112, 20 + 2 * lineH - 5), pixel(112, 20 + combo->getHeight() - 7)};
    };
    EXPECT_EQ(arrows(), (std::vector<Color>{Black, Gray}));
    for (int i = 0; i < 8; ++i)
        clickRow(4, true);
    EXPECT_EQ(arrows(), (std::vector<Color>{Gray, Black}));
    clickRow(1, true);
    clickRow(3); // entries 5 ... 8 are shown
    EXPECT_EQ(combo->getSelectedIndex(), 7);
    EXPECT_FALSE(combo->isOpen());
    clickRow(0, true);
    clickRow(1);
    EXPECT_EQ(combo->getSelectedIndex(), 0) << "each opening starts at the top";
    EXPECT_EQ(frame.notices, (std::vector<std::string>{"LanguageCombo", "LanguageCombo"}));
    frame.draw();
    EXPECT_TRUE(rowHasText(0));
}

TEST_F(ComboBoxes, APressElsewhereClosesEvenWhenAnEarlierWidgetTookIt)
{
    combo->addItem("Item 0");
    combo->addItem("Item 1");
    clickRow(0, true);
    clickRow(2, true); // two entries do not scroll
    click(30, 20 + lineH + lineH / 2, SDL_BUTTON_RIGHT); // taken, but selects nothing
    EXPECT_TRUE(combo->isOpen());
    pushButton(true, 210, 160);
    dispatch();
    EXPECT_TRUE(button->isPressed());
    EXPECT_FALSE(combo->isOpen());
    combo->setSelectedIndex(99); // by program: clamped, and nobody told
    EXPECT_EQ(combo->getSelectedIndex(), 1);
    EXPECT_EQ(frame.notices, std::vector<std::string>{"EarlierButton+"});
}

} // namespace
