// The settings panel: three tabs ("Colors", "Visibility", "Miscellaneous") and the "Save"
// and "Defaults" buttons, 250 x 500 pixels beside the main panel's picture (on its right, or
// on its left near the right screen edge) in a window widened to hold both.
//
// Every change goes into the Settings singleton at once: a colour when its box holds six
// hexadecimal digits, a flag at the click, a number when its "Change" button is pressed
// (clamped to its range, the bound written back into the box), the language at the choice
// (the panel re-translates itself at once). "Save" writes Settings.xml and asks the main
// panel, through isCloseRequested(), to close this one.
//
// The third tab also holds the address of each column's server, "host[:port]". Those take
// effect at "Save": a box that no longer shows what it showed when the panel opened gives
// its column a new server (the main panel learns which through takeChangedServers()); one
// left alone keeps its column's server, "Defaults" or not. A bad address is named in red
// under the boxes, and nothing is saved until it is mended. Below them, the desktop
// notifications: on or off, offline and online, free slots (flags at the click), and the
// friends' names, comma-separated (taken at each change).
#pragma once

#include "engine/gui/Frame.h"

#include <array>
#include <string>

namespace Engine::Gui {
class Button;
class CheckBox;
class ComboBox;
class Label;
class TextBox;
} // namespace Engine::Gui

class SettingsGui : public Engine::Gui::Frame {
public:
    static constexpr int panelWidth = 250;
    static constexpr int panelHeight = 500;
    static constexpr int colorRowCount = 10;
    static constexpr int displayCheckCount = 13;
    static constexpr int numberRowCount = 4;

    enum Tab { ColorsTab = 0, VisibilityTab = 1, MiscellaneousTab = 2 };

    // Builds every widget and shows the current tab; the main panel hides it right after.
    SettingsGui();
    ~SettingsGui() override;

    // True: the current tab; false: nothing.
    void setVisible(bool value) override;
    void onEvent(Engine::Gui::Control* sender) override;
    // While visible: takes its side, widens the window to the main panel's width + 250 by
    // 500 when it is not, and draws the widgets (the main panel has painted the background).
    void draw() override;

    // Places, sizes, colours, translates and fills every widget from the settings. Shows and
    // hides nothing.
    void layout();
    // Hides everything, then shows the buttons, the About lines and the current tab.
    void showCurrentTab();
    void hideAll();

    // The addresses the columns watch as the panel opens ("" for no CS:Source server).
    void setServerTexts(const std::string& goServer, const std::string& sourceServer);
    // Which columns "Save" gave a new server since the last call; clears the record.
    void takeChangedServers(bool& goChanged, bool& sourceChanged);
    // What the panel says about a bad address ("" when it says nothing).
    std::string getServerProblem() const;

    bool isCloseRequested() const { return closeRequested; }
    void setCloseRequested(bool value) { closeRequested = value; }
    int getCurrentTab() const { return currentTab; }

private:
    struct NumberRow {
        Engine::Gui::Label* label;
        Engine::Gui::TextBox* box;
        Engine::Gui::Button* button;
    };

    void layoutTabButtons(int lh);
    void layoutAbout();
    void layoutColors(int lh, int cw);
    void layoutDisplay();
    void layoutMiscellaneous(int lh, int cw);
    void layoutLanguages(int y);
    void layoutServers(int lh);
    void layoutNotifications(int lh);
    // Checks the server boxes and takes their addresses into the settings; false (and the
    // problem shown) when one is bad.
    bool takeServers();

    void onButton(Engine::Gui::Button* button);
    void onCheckBox(Engine::Gui::CheckBox* box);
    void onTextBox(Engine::Gui::TextBox* box);
    void changeNumber(int row);

    void style(Engine::Gui::Label* label, int fontSize = 12);
    void style(Engine::Gui::CheckBox* box);
    void style(Engine::Gui::TextBox* box);

    int currentTab = ColorsTab;
    bool closeRequested = false;

    Engine::Gui::Button* colorButton;
    Engine::Gui::Button* visibilityButton;
    Engine::Gui::Button* othersButton;
    Engine::Gui::Button* saveButton;
    Engine::Gui::Button* resetButton;
    Engine::Gui::Label* colorLabel;
    std::array<Engine::Gui::Label*, colorRowCount> colorLabels;
    std::array<Engine::Gui::TextBox*, colorRowCount> colorBoxes;
    Engine::Gui::Label* displayLabel;
    std::array<Engine::Gui::CheckBox*, displayCheckCount> displayChecks;
    Engine::Gui::Label* othersLabel;
    Engine::Gui::Label* customNameLabel;
    Engine::Gui::TextBox* customNameBox;
    std::array<NumberRow, numberRowCount> numberRows;
    Engine::Gui::CheckBox* autoStartCheck;
    Engine::Gui::CheckBox* updateCheck;
    Engine::Gui::ComboBox* languageCombo;
    Engine::Gui::Label* about;
    Engine::Gui::Label* about2;
    Engine::Gui::Label* about3;

    // The servers: CS:Go first, then CS:Source.
    std::array<Engine::Gui::Label*, 2> serverLabels;
    std::array<Engine::Gui::TextBox*, 2> serverBoxes;
    Engine::Gui::Label* serverProblem;
    std::array<std::string, 2> openedServerTexts;   // what the boxes showed at opening
    std::array<std::string, 2> openedServerSettings; // what Settings held then
    std::array<bool, 2> changedServers{};

    Engine::Gui::CheckBox* notificationsCheck;
    Engine::Gui::CheckBox* offlineCheck;
    Engine::Gui::CheckBox* slotCheck;
    Engine::Gui::Label* friendsLabel;
    Engine::Gui::TextBox* friendsBox;
};
