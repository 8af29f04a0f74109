// The lower part of the "Miscellaneous" tab: the address of each column's server,
// "host[:port]", and the desktop notifications.
//
// The addresses take effect at "Save": a box that no longer shows what it showed when the
// panel opened gives its column a new server (the main panel learns which through
// takeChangedServers()); one left alone keeps its column's server, "Defaults" or not. A bad
// address is named in red under the boxes, and nothing is saved until it is mended. The
// notifications: on or off, offline and online, free slots (flags at the click), and the
// friends' names, comma-separated (taken at each change).
#pragma once

#include "settings/SettingsPage.h"

#include <array>
#include <string>

class ServersPart : public SettingsPage {
public:
    explicit ServersPart(Engine::Gui::Frame* page);

    void layout(const Measures& m) override;
    void fill() override;
    void onEvent(Engine::Gui::Control* sender) override;
    // Shown with its page; the problem line only while it names one.
    void setVisible(bool value) override;

    // The addresses the columns watch as the panel opens ("" for no CS:Source server).
    void setServerTexts(const std::string& goServer, const std::string& sourceServer);
    // Checks the server boxes and takes their addresses into the settings; false (and the
    // problem shown) when one is bad.
    bool takeServers();
    // Which columns "Save" gave a new server since the last call; clears the record.
    void takeChangedServers(bool& goChanged, bool& sourceChanged);
    // What the panel says about a bad address ("" when it says nothing).
    std::string getServerProblem() const;

private:
    void showProblem(const std::string& text);

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
