// Idle frames render nothing: text is rendered, and canvases made, only after a change.
#include "engine/gui/Button.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/ComboBox.h"
#include "engine/gui/ImageButton.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextBox.h"
#include "tests/engine/gui/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <utility>

namespace {

using namespace Engine::Gui;
using namespace gui_test;

class Redraws : public GuiTest {
protected:
    void SetUp() override
    {
        GuiTest::SetUp();
        button = frame.addButton("OkButton", "OK", 0, 0);
        image = frame.addImageButton("CloseButton", Engine::Surface(10, 10), Engine::Surface(10, 10), 110, 0);
        label = frame.addLabel("NameLabel", "Name", 0, 30);
        check = frame.addCheckBox("HeadCheck", "Head", true, 0, 50);
        text = frame.addTextBox("NameTextBox", "one\ntwo", 0, 70);
        combo = frame.addComboBox("LanguageCombo", 150, 0);
        combo->addItem("English");
        combo->addItem("Svenska");
        combo->setSelectedIndex(0);
        frame.draw();
    }

    // Several frames of a running program: dispatch, then draw.
    void idle(int frames)
    {
        for (int i = 0; i < frames; ++i) {
            dispatch();
            frame.draw();
        }
    }

    RecordingFrame frame;
    Button* button = nullptr;
    ImageButton* image = nullptr;
    Label* label = nullptr;
    CheckBox* check = nullptr;
    TextBox* text = nullptr;
    ComboBox* combo = nullptr;
};

TEST_F(Redraws, IdleFramesRenderNoTextAndMakeNoSurface)
{
    // First with the text box blinking its caret, then with the combo box open.
    for (auto [x, y] : {std::pair{5, 75}, std::pair{245, 5}}) {
        click(x, y);
        frame.draw();
        const int texts = textRenderCount();
        const int surfaces = surfaceCreateCount();
        idle(30);
        pushMotion(50, 50);
        idle(1);
        EXPECT_EQ(textRenderCount(), texts);
        EXPECT_EQ(surfaceCreateCount(), surfaces);
    }
    EXPECT_TRUE(combo->isOpen());
}

TEST_F(Redraws, AChangeRendersOnceAndOnlyTheWidgetThatChanged)
{
    int texts = textRenderCount();
    label->setText("Other");
    idle(5);
    EXPECT_EQ(textRenderCount(), texts + 1);

    texts = textRenderCount();
    click(3, 53); // the check box flips
    idle(5);
    EXPECT_EQ(textRenderCount(), texts + 1);

    texts = textRenderCount();
    click(5, 5); // a button press and release only redraw the bevel
    idle(5);
    EXPECT_EQ(textRenderCount(), texts);

    texts = textRenderCount();
    click(5, 75);
    type("x"); // one edit of a two-line box renders its two lines
    idle(5);
    EXPECT_EQ(textRenderCount(), texts + 2);
}

TEST_F(Redraws, HiddenWidgetsDrawNothing)
{
    frame.setVisible(false);
    paintScreen(backdrop);
    const int texts = textRenderCount();
    label->setText("Changed while hidden");
    idle(3);
    EXPECT_EQ(textRenderCount(), texts);
    EXPECT_EQ(countInRect(0, 0, screenWidth, screenHeight, backdrop), screenWidth * screenHeight);
}

} // namespace
