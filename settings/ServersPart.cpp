#include "settings/ServersPart.h"

#include "BuildConfig.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextBox.h"
#include "settings/ServerAddress.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

#include <algorithm>

using Engine::Gui::CheckBox;
using Engine::Gui::TextBox;

namespace {

// The two server rows: the column's title, and how Settings stores its address.
struct ServerRow {
    const char* labelName;
    const char* text;
    const char* boxName;
    const std::string& (Settings::*get)() const;
    void (Settings::*set)(const std::string&);
};

const ServerRow serverRows[2] = {
    {"CSGoServerLabel", "CS:Go", "CSGoServerTextBox", &Settings::getCSGoServer, &Settings::setCSGoServer},
    {"CSSourceServerLabel", "CS:Source", "CSSourceServerTextBox", &Settings::getCSSourceServer, &Settings::setCSSourceServer},
};

// Member pointers are called from locals (see ColorsPage.cpp).
const std::string& read(const ServerRow& row)
{
    const auto get = row.get;
    return (Settings::instance().*get)();
}

void write(const ServerRow& row, const std::string& address)
{
    const auto set = row.set;
    (Settings::instance().*set)(address);
}

// The built-in CS:Go server as its box shows it.
std::string builtInGoServer() { return ServerAddress::text(BuildConfig::csgoHost, ServerAddress::defaultPort); }

} // namespace

ServersPart::ServersPart(Engine::Gui::Frame* page) : SettingsPage(page, "ServersPart")
{
    for (int i = 0; i < 2; ++i) {
        serverLabels[i] = addLabel(serverRows[i].labelName, tr(serverRows[i].text), 0, 0);
        serverBoxes[i] = addTextBox(serverRows[i].boxName, "", 0, 0);
    }
    serverProblem = addLabel("ServerProblemLabel", "", 0, 0);
    setServerTexts(builtInGoServer(), "");

    notificationsCheck = addCheckBox("NotificationsCheck", tr("Notifications"), false, 0, 0);
    offlineCheck = addCheckBox("OfflineCheck", tr("Offline and Online"), false, 0, 0);
    slotCheck = addCheckBox("SlotCheck", tr("Free Slots"), false, 0, 0);
    friendsLabel = addLabel("FriendsLabel", tr("Friends"), 0, 0);
    friendsBox = addTextBox("FriendsTextBox", "", 0, 0);
}

void ServersPart::layout(const Measures& m)
{
    int y = 0;
    int boxX = 0;
    for (int i = 0; i < 2; ++i) {
        style(serverLabels[i], serverRows[i].text);
        serverLabels[i]->setX(5);
        serverLabels[i]->setY(y);
        boxX = std::max(boxX, serverLabels[i]->getRelativeX() + serverLabels[i]->getWidth() + 5);
        y += std::max(serverLabels[i]->getHeight(), m.lh) + 5;
    }
    for (int i = 0; i < 2; ++i) {
        style(serverBoxes[i], SettingsValues::settingsPanelWidth - boxX - 10, m.lh, TextBox::noLimit, "");
        serverBoxes[i]->setX(boxX);
        serverBoxes[i]->setY(serverLabels[i]->getRelativeY());
    }
    const std::string problem = serverProblem->getText();
    style(serverProblem, "", 10);
    serverProblem->setText(problem);
    serverProblem->setTextColor(Settings::instance().getBadColor());
    serverProblem->setX(5);
    serverProblem->setY(y);

    // Under the line that names a bad address; the two kinds indented.
    y = serverProblem->getRelativeY() + serverProblem->getHeight() + 6;
    const struct {
        CheckBox* box;
        const char* text;
        int x;
    } checks[] = {{notificationsCheck, "Notifications", 5}, {offlineCheck, "Offline and Online", 20}, {slotCheck, "Free Slots", 20}};
    for (const auto& check : checks) {
        style(check.box, check.text);
        check.box->setX(check.x);
        check.box->setY(y);
        y += check.box->getHeight() + 7;
    }
    style(friendsLabel, "Friends");
    friendsLabel->setX(20);
    friendsLabel->setY(y);
    const int friendsX = friendsLabel->getRelativeX() + friendsLabel->getWidth() + 5;
    style(friendsBox, SettingsValues::settingsPanelWidth - friendsX - 10, m.lh, TextBox::noLimit, "");
    friendsBox->setX(friendsX);
    friendsBox->setY(y);
}

void ServersPart::fill()
{
    const Settings& s = Settings::instance();
    notificationsCheck->setChecked(s.getNotifications());
    offlineCheck->setChecked(s.getNotifyOffline());
    slotCheck->setChecked(s.getNotifySlot());
    friendsBox->setText(SettingsValues::namesToText(s.getFriends()));
}

void ServersPart::setVisible(bool value)
{
    SettingsPage::setVisible(value);
    serverProblem->setVisible(value && !serverProblem->getText().empty());
}

void ServersPart::onEvent(Engine::Gui::Control* sender)
{
    Settings& s = Settings::instance();
    if (sender == notificationsCheck)
        s.setNotifications(notificationsCheck->isChecked());
    else if (sender == offlineCheck)
        s.setNotifyOffline(offlineCheck->isChecked());
    else if (sender == slotCheck)
        s.setNotifySlot(slotCheck->isChecked());
    else if (sender == friendsBox)
        s.setFriends(SettingsValues::namesFromText(friendsBox->getText()));
    else
        return; // the server boxes are read at "Save"
    changed();
}

void ServersPart::setServerTexts(const std::string& goServer, const std::string& sourceServer)
{
    openedServerTexts = {goServer, sourceServer};
    for (int i = 0; i < 2; ++i) {
        openedServerSettings[i] = read(serverRows[i]);
        serverBoxes[i]->setText(openedServerTexts[i]);
    }
    showProblem("");
}

void ServersPart::showProblem(const std::string& text)
{
    serverProblem->setText(text);
    serverProblem->setVisible(isVisible() && !text.empty());
}

void ServersPart::takeChangedServers(bool& goChanged, bool& sourceChanged)
{
    goChanged = changedServers[0];
    sourceChanged = changedServers[1];
    changedServers = {};
}

std::string ServersPart::getServerProblem() const { return serverProblem->getText(); }

bool ServersPart::takeServers()
{
    std::array<bool, 2> changed{};
    for (int i = 0; i < 2; ++i) {
        const std::string text = serverBoxes[i]->getText();
        changed[i] = text != openedServerTexts[i];
        // An empty box is the built-in CS:Go server, or no CS:Source server.
        std::string host;
        std::uint16_t port = ServerAddress::defaultPort;
        const ServerAddress::Problem problem = ServerAddress::read(text, host, port);
        if (changed[i] && !text.empty() && problem != ServerAddress::Problem::None) {
            showProblem(tr(serverRows[i].text) + ": " + tr(ServerAddress::message(problem)));
            return false;
        }
    }
    for (int i = 0; i < 2; ++i) {
        std::string address = openedServerSettings[i]; // an untouched box leaves its column as it was
        if (changed[i]) {
            // Written as the program writes addresses ("h:27015" is "h"); the built-in
            // CS:Go server is no setting at all.
            std::string host;
            std::uint16_t port = ServerAddress::defaultPort;
            ServerAddress::read(serverBoxes[i]->getText(), host, port);
            address = ServerAddress::text(host, port);
            if (i == 0 && address == builtInGoServer())
                address.clear();
            changedServers[i] = true;
        }
        write(serverRows[i], address);
    }
    showProblem("");
    return true;
}
