// Idle frames render nothing: text is rendered, and canvases made, only after a change, and
// only for the widget that changed.
#include "engine/gui/Button.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/ComboBox.h"
#include "engine/gui/ImageButton.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextBox.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using namespace gui_test;

TEST_F(GuiTest, IdleFramesRenderNothingAndAChangeRendersOnlyTheWidgetThatChanged)
{
    RecordingFrame frame;
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
