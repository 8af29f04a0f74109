// The settings panel: three tabs ("Colors", "Visibility", "Miscellaneous", each a page of its
// own) and the "Cancel", "Defaults" and "Save" buttons, 250 x 500 pixels beside the main
// panel's picture (on its right, or on its left near the right screen edge) in a window the
// main panel widens to hold both.
//
// Every change goes into the Settings singleton at once, and the main panel shows it at once
// (it rebuilds when takeChanged() says so). "Save" writes Settings.xml and makes the
// autostart entry follow its box; "Cancel" and Escape put back every setting as it was when
// the panel opened, and the window where it stood, and write nothing. Either asks the main
// panel, through isCloseRequested(), to close this one.
#pragma once

#include "engine/EventHandler.h"
#include "engine/gui/Frame.h"
#include "settings/Settings.h"

#include <array>
#include <string>

namespace Engine::Gui {
class Button;
class Label;
} // namespace Engine::Gui
class SettingsPage;
class MiscellaneousPage;

class SettingsGui : public Engine::Gui::Frame, public Engine::KeyboardListner {
public:
    static constexpr int panelWidth = 250;
    static constexpr int panelHeight = 500;

    enum Tab { ColorsTab = 0, VisibilityTab = 1, MiscellaneousTab = 2 };

    // Builds every widget, hidden.
    SettingsGui();
    ~SettingsGui() override;

    // True opens the panel: it keeps the settings as they are for "Cancel", shows their
    // values and the current tab. False hides everything.
    void setVisible(bool value) override;
    void onEvent(Engine::Gui::Control* sender) override;
    // Escape: "Cancel".
    bool onKeyboard(const SDL_Event& event, bool handled) override;
    // While visible: takes its side and draws the widgets (the main panel has painted the
    // background and sized the window).
    void draw() override;

    // Places, sizes, colours and translates every widget. Shows, hides and fills nothing.
    void layout();
    // Shows the buttons, the About lines and the current tab's page; hides the other pages.
    void showCurrentTab();

    // The servers' boxes (see ServersPart).
    void setServerTexts(const std::string& goServer, const std::string& sourceServer);
    void takeChangedServers(bool& goChanged, bool& sourceChanged);
    std::string getServerProblem() const;

    bool isCloseRequested() const { return closeRequested; }
    void setCloseRequested(bool value) { closeRequested = value; }
    // Whether a setting changed since the last call; clears the record.
    bool takeChanged();
    int getCurrentTab() const { return currentTab; }

private:
    void save();
    void cancel();
    void defaults();
    // A page changed a setting: the panel follows its colours and language, the window its
    // opacity, and the main panel rebuilds.
    void settingsChanged();

    int currentTab = ColorsTab;
    bool closeRequested = false;
    bool changed = false;
    SettingsState opened;
    int openedX = 0;
    int openedY = 0;

    std::array<Engine::Gui::Button*, 3> tabButtons;
    Engine::Gui::Button* saveButton;
    Engine::Gui::Button* cancelButton;
    Engine::Gui::Button* resetButton;
    std::array<Engine::Gui::Label*, 3> aboutLines;
    std::array<SettingsPage*, 3> pages;
    MiscellaneousPage* miscellaneous;
};
