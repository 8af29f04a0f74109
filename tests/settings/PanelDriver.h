// What the settings-panel tests share: SDL on its dummy video driver with the engine window
// as the screen, a temporary HOME and a temporary data folder holding the build's data files
// as the working directory, fresh default settings, and a user's hands: clicks and keys
// pushed into SDL's queue and dispatched by the real event handler, one program frame at a
// time.
#pragma once

#include "settings/SettingsGui.h"
#include "tests/support/TempDir.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace panel_test {

// The panel's child of that name and class (the first, for the two pairs of labels that
// share a name); a failed assertion when there is none.
template <typename T>
T* find(SettingsGui& panel, const std::string& name)
{
    for (Engine::Gui::Control* child : panel.getChildren())
        if (child->getName() == name)
            if (T* widget = dynamic_cast<T*>(child))
                return widget;
    ADD_FAILURE() << "no widget " << name;
    return nullptr;
}

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // One turn of the program's loop: the panel draws, then the window dispatches every
    // queued event and presents.
    void frame();
    // A left click (press and release) at a point of the screen, or in the middle of a
    // widget.
    void clickAt(int x, int y);
    void click(Engine::Gui::Control* control);
    void pressKey(SDLKey sym, Uint16 unicode = 0);
    // Clicks into the box, removes what stands there and types the text, key by key.
    void typeInto(Engine::Gui::TextBox* box, const std::string& text);
    // Types into a number box and presses the button beside it.
    void change(const std::string& boxName, const std::string& buttonName, const std::string& text);
    void showTab(const std::string& buttonName);

    std::string text(const std::string& textBoxName);

    testing_support::TempHome home;
    testing_support::TempDir data;
    std::unique_ptr<testing_support::ScopedCurrentDirectory> inData;
    std::unique_ptr<SettingsGui> panel;
};

} // namespace panel_test
