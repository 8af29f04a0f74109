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
    combo->addItem("Svenska");
    combo->setSelectedIndex(0);
    frame.draw();
    // The text renders by a change and five frames; `made`, the surfaces made.
    int made = 0;
    auto renders = [&](const std::function<void()>& change) {
        const int texts = textRenderCount(), surfaces = surfaceCreateCount();
        change();
        for (int i = 0; i < 5; ++i) {
            dispatch();
            frame.draw();
        }
        made = surfaceCreateCount() - surfaces;
        return textRenderCount() - texts;
    };
    // With the text box blinking its caret, then with the combo box open, then hidden.
    for (auto [x, y] : {std::pair{5, 75}, std::pair{245, 5}}) {
        click(x, y);
        frame.draw();
        EXPECT_EQ(renders([] { pushMotion(50, 50); }), 0);
        EXPECT_EQ(made, 0);
    }
    EXPECT_TRUE(combo->isOpen());
    EXPECT_EQ(renders([&] { label->setText("Other"); }), 1);
    EXPECT_EQ(renders([] { click(3, 53); }), 1); // the check box flips
    EXPECT_EQ(renders([] { click(5, 5); }), 0);  // a button press and release only redraw the bevel
    EXPECT_EQ(renders([&] { button->setBounds(0, 0, 100, 25); button->setText("OK"); }), 0);
    EXPECT_EQ(renders([&] { button->setWidth(60); }), 1);
    EXPECT_EQ(renders([] { click(5, 75); type("x"); }), 2); // one edit of a two-line box: its two lines

    frame.setVisible(false);
    paint();
    EXPECT_EQ(renders([&] { label->setText("Changed while hidden"); }), 0);
    EXPECT_EQ(countExact(0, 0, 320, 240, backdrop), 320 * 240);
}

} // namespace
