#include "settings/SettingsGui.h"

#include "engine/TextSurface.h"
#include "engine/Window.h"
#include "engine/gui/Button.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/ComboBox.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextBox.h"
#include "BuildConfig.h"
#include "settings/ServerAddress.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"

#include <algorithm>

using Engine::Gui::Button;
using Engine::Gui::CheckBox;
using Engine::Gui::ComboBox;
using Engine::Gui::Control;
using Engine::Gui::Label;
using Engine::Gui::TextBox;

namespace {

constexpr int widgetFontSize = 12;
constexpr int aboutFontSize = 9;
constexpr const char* hexDigits = "0123456789ABCDEFabcdef";
constexpr const char* decimalDigits = "0123456789";
constexpr const char* programName = "Holmik Ziviza ";
constexpr const char* firstCredit = "By the Holmik team";
constexpr const char* secondCredit = "Source query data";

Settings& settings() { return Settings::instance(); }

std::string tr(const char* text) { return settings().translate(text); }

// The rows of the Colors tab. Two pairs of labels share a name: nothing looks labels up.
struct ColorRow {
    const char* labelName;
    const char* text;
    const char* boxName;
    const Color& (Settings::*get)() const;
    void (Settings::*set)(const Color&);
};

const ColorRow colorRows[SettingsGui::colorRowCount] = {
    {"BackgroundColorLabel", "Background", "BackgroundColorTextBox", &Settings::getBackgroundColor, &Settings::setBackgroundColor},
    {"TextColorLabel", "Text", "TextColorTextBox", &Settings::getTextColor, &Settings::setTextColor},
    {"LinkColorLabel", "Link", "LinkColorTextBox", &Settings::getLinkColor, &Settings::setLinkColor},
    {"MapColorLabel", "Map", "MapColorTextBox", &Settings::getMapColor, &Settings::setMapColor},
    {"GoodColorLabel", "Good", "GoodColorTextBox", &Settings::getGoodColor, &Settings::setGoodColor},
    {"BadColorLabel", "Bad", "BadColorTextBox", &Settings::getBadColor, &Settings::setBadColor},
    {"BadColorLabel", "Bot", "BotColorTextBox", &Settings::getBotColor, &Settings::setBotColor},
    {"AdminColorLabel", "Admin", "AdminColorTextBox", &Settings::getAdminColor, &Settings::setAdminColor},
    {"AdminColorLabel", "Custom", "CustomColorTextBox", &Settings::getCustomColor, &Settings::setCustomColor},
    {"PlayerListColorLabel", "PlayerList", "PlayerListColorTextBox", &Settings::getPlayerBackgroundColor, &Settings::setPlayerBackgroundColor},
};

// The check boxes of the Visibility tab.
struct DisplayRow {
    const char* name;
    const char* text;
    bool (Settings::*get)() const;
    void (Settings::*set)(bool);
};

const DisplayRow displayRows[SettingsGui::displayCheckCount] = {
    {"HeadCheck", "Head", &Settings::getHead, &Settings::setHead},
    {"JoinCheck", "Join", &Settings::getJoin, &Settings::setJoin},
    {"StatusCheck", "Status", &Settings::getStatus, &Settings::setStatus},
    {"PingCheck", "Ping", &Settings::getPing, &Settings::setPing},
    {"MapCheck", "Map", &Settings::getMap, &Settings::setMap},
    {"OverViewCheck", "OverView", &Settings::getOverView, &Settings::setOverView},
    {"PassCheck", "Password", &Settings::getPass, &Settings::setPass},
    {"VacCheck", "VAC", &Settings::getVac, &Settings::setVac},
    {"BotCheck", "Bots", &Settings::getBots, &Settings::setBots},
    {"PlayerCheck", "Players", &Settings::getPlayers, &Settings::setPlayers},
    {"PlayerListCheck", "PlayerList", &Settings::getPlayerList, &Settings::setPlayerList},
    {"TimeCheck", "Player Time", &Settings::getTime, &Settings::setTime},
    {"KillCheck", "Player Kills", &Settings::getKills, &Settings::setKills},
};

// The four numbers of the Miscellaneous tab, each set by its "Change" button.
struct NumberSetting {
    const char* labelName;
    const char* text;
    const char* boxName;
    const char* buttonName;
    int boxWidthLessThanCw; // the box is cw wide, less this
    unsigned maxLength;
    int lowest;
    int highest;
    int (*get)();
    void (*set)(int);
};

enum NumberIndex { AlphaRow = 0, WidthRow = 1, FontSizeRow = 2, PlayerFontSizeRow = 3 };

const NumberSetting numberSettings[SettingsGui::numberRowCount] = {
    {"AlphaLabel", "Transparency 15-255", "AlphaTextBox", "AlphaButton", 20, 3, SettingsValues::minAlpha, SettingsValues::maxAlpha,
     [] { return static_cast<int>(settings().getAlpha()); }, [](int n) { settings().setAlpha(static_cast<std::uint8_t>(n)); }},
    {"WidthLabel", "Width 100-9999", "WidthTextBox", "WidthButton", 0, 4, SettingsValues::minWidth, SettingsValues::maxWidth,
     [] { return settings().getWidth(); }, [](int n) { settings().setWidth(n); }},
    {"FontSizeLabel", "Font Size 5-16", "FontSizeTextBox", "FontSizeButton", 20, 2, SettingsValues::minFontSize, SettingsValues::maxFontSize,
     [] { return settings().getFontSize(); }, [](int n) { settings().setFontSize(n); }},
    {"PlayerFontSizeLabel", "Player Font Size 5-16", "PlayerFontSizeTextBox", "PlayerFontSizeButton", 20, 2, SettingsValues::minFontSize,
     SettingsValues::maxFontSize, [] { return settings().getPlayerFontSize(); }, [](int n) { settings().setPlayerFontSize(n); }},
};

// Calls through a member pointer held in a local: GCC's UBSan instrumentation mis-evaluates
// a table index inside a pointer-to-member call.
bool readFlag(const DisplayRow& row)
{
    const auto get = row.get;
    return (settings().*get)();
}

void writeFlag(const DisplayRow& row, bool on)
{
    const auto set = row.set;
    (settings().*set)(on);
}

const Color& readColor(const ColorRow& row)
{
    const auto get = row.get;
    return (settings().*get)();
}

void writeColor(const ColorRow& row, const Color& color)
{
    const auto set = row.set;
    (settings().*set)(color);
}

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

const std::string& readServer(const ServerRow& row)
{
    const auto get = row.get;
    return (settings().*get)();
}

void writeServer(const ServerRow& row, const std::string& address)
{
    const auto set = row.set;
    (settings().*set)(address);
}

// The built-in CS:Go server as its box shows it.
std::string builtInGoServer() { return ServerAddress::text(BuildConfig::csgoHost, ServerAddress::defaultPort); }

int panelX()
{
    return settings().getSettingsOnTheLeft() ? 0 : settings().getWidth();
}

} // namespace

SettingsGui::SettingsGui() : Frame("SettingsGui", settings().getFont())
{
    Settings& s = settings();
    const std::string& font = getFontName();
    const int lh = Engine::TextSurface::lineSkip(font, widgetFontSize);

    setX(s.getWidth());
    setY(0);
    setWidth(panelWidth);
    setHeight(panelHeight);

    auto tabButton = [&](const char* name, const char* text, int x, int width) {
        Button* button = addButton(name, tr(text), x, 2);
        button->setWidth(width);
        button->setHeight(lh);
        button->setFontSize(widgetFontSize);
        return button;
    };
    colorButton = tabButton("ColorButton", "Colors", 5, 70);
    visibilityButton = tabButton("VisibilityButton", "Visibility", 75, 70);
    othersButton = tabButton("OthersButton", "Miscellaneous", 145, 90);
    saveButton = addButton("SaveButton", tr("Save"), 0, 0);
    saveButton->setWidth(50);
    resetButton = addButton("ResetButton", tr("Defaults"), 0, 0);
    resetButton->setWidth(70);

    colorLabel = addLabel("ColorLabel", "RRGGBB", 0, 0);
    colorLabel->setVisible(false);
    for (int i = 0; i < colorRowCount; ++i) {
        colorLabels[i] = addLabel(colorRows[i].labelName, tr(colorRows[i].text), 0, 0);
        colorBoxes[i] = addTextBox(colorRows[i].boxName, "000000", 0, 0);
    }

    displayLabel = addLabel("DisplayLabel", tr("Display"), 0, 0);
    for (int i = 0; i < displayCheckCount; ++i) {
        displayChecks[i] = addCheckBox(displayRows[i].name, tr(displayRows[i].text), readFlag(displayRows[i]), 0, 0);
        displayChecks[i]->setTextFirst(false);
    }

    othersLabel = addLabel("OthersLabel", tr("Miscellaneous"), 0, 0);
    customNameLabel = addLabel("CustomNameLabel", tr("Custom Name"), 0, 0);
    customNameBox = addTextBox("CustomNameTextBox", s.getCustomName(), 0, 0);
    for (int i = 0; i < numberRowCount; ++i) {
        const NumberSetting& number = numberSettings[i];
        NumberRow& row = numberRows[i];
        row.label = addLabel(number.labelName, tr(number.text), 0, 0);
        row.box = addTextBox(number.boxName, std::to_string(number.get()), 0, 0);
        row.button = addButton(number.buttonName, tr("Change"), 0, 0);
        row.button->setWidth(50);
        row.button->setHeight(lh);
    }

    autoStartCheck = addCheckBox("AutoStartCheck", tr("AutoStart With Windows"), false, 0, 0);
    autoStartCheck->setTextFirst(false);
    updateCheck = addCheckBox("UpdateCheck", tr("Search For Updates"), false, 0, 0);
    updateCheck->setTextFirst(false);
    languageCombo = addComboBox("LanguageCombo", 0, 0);
    layoutLanguages(0);

    for (int i = 0; i < 2; ++i) {
        serverLabels[i] = addLabel(serverRows[i].labelName, tr(serverRows[i].text), 0, 0);
        serverBoxes[i] = addTextBox(serverRows[i].boxName, "", 0, 0);
    }
    serverProblem = addLabel("ServerProblemLabel", "", 0, 0);
    setServerTexts(builtInGoServer(), "");

    notificationsCheck = addCheckBox("NotificationsCheck", tr("Notifications"), false, 0, 0);
    offlineCheck = addCheckBox("OfflineCheck", tr("Offline and Online"), false, 0, 0);
    slotCheck = addCheckBox("SlotCheck", tr("Free Slots"), false, 0, 0);
    for (CheckBox* box : {notificationsCheck, offlineCheck, slotCheck})
        box->setTextFirst(false);
    friendsLabel = addLabel("FriendsLabel", tr("Friends"), 0, 0);
    friendsBox = addTextBox("FriendsTextBox", "", 0, 0);

    about = addLabel("About", programName + s.getVersionString(), 0, 0);
    about2 = addLabel("About2", firstCredit, 0, 0);
    about3 = addLabel("About3", secondCredit, 0, 0);

    layout();
    showCurrentTab();
}

SettingsGui::~SettingsGui() = default;

void SettingsGui::style(Label* label, int fontSize)
{
    label->setFontSize(fontSize);
    label->setBackgroundColor(settings().getBackgroundColor());
    label->setTextColor(settings().getTextColor());
}

void SettingsGui::style(CheckBox* box)
{
    box->setFontSize(widgetFontSize);
    box->setBackgroundColor(settings().getBackgroundColor());
    box->setForegroundColor(settings().getTextColor());
    box->setTextFirst(false);
}

void SettingsGui::style(TextBox* box)
{
    box->setFontSize(widgetFontSize);
    box->setTextColor(settings().getTextColor());
    box->setMultiLine(false);
}

void SettingsGui::layout()
{
    const std::string& font = getFontName();
    const int lh = Engine::TextSurface::lineSkip(font, widgetFontSize);
    const int cw = Engine::TextSurface::textWidth("DDDDDD", font, widgetFontSize);

    setX(panelX());
    setY(0);
    setWidth(panelWidth);
    setHeight(panelHeight);

    layoutTabButtons(lh);
    layoutAbout();
    layoutColors(lh, cw);
    layoutDisplay();
    layoutMiscellaneous(lh, cw);
}

void SettingsGui::layoutTabButtons(int lh)
{
    struct Place {
        Button* button;
        const char* text;
        int x, y, width, height;
    };
    const Place places[] = {
        {colorButton, "Colors", 5, 2, 70, lh},
        {visibilityButton, "Visibility", 75, 2, 70, lh},
        {othersButton, "Miscellaneous", 145, 2, 90, lh},
    };
    for (const Place& place : places) {
        place.button->setText(tr(place.text));
        place.button->setFontSize(widgetFontSize);
        place.button->setX(place.x);
        place.button->setY(place.y);
        place.button->setWidth(place.width);
        place.button->setHeight(place.height);
    }
    // Save and Defaults keep the buttons' own height and font size.
    saveButton->setText(tr("Save"));
    saveButton->setX(195);
    saveButton->setY(470);
    saveButton->setWidth(50);
    resetButton->setText(tr("Defaults"));
    resetButton->setX(115);
    resetButton->setY(470);
    resetButton->setWidth(70);
}

void SettingsGui::layoutAbout()
{
    // The program's name and version, and the credits: never translated.
    about->setText(programName + settings().getVersionString());
    about2->setText(firstCredit);
    about3->setText(secondCredit);
    for (Label* label : {about, about2, about3}) {
        style(label, aboutFontSize);
        label->setX(0);
    }
    about3->setY(panelHeight - about3->getHeight() - 5);
    about2->setY(about3->getRelativeY() - about2->getHeight());
    about->setY(about2->getRelativeY() - about->getHeight());
}

void SettingsGui::layoutColors(int lh, int cw)
{
    colorLabel->setText("RRGGBB");
    style(colorLabel);
    colorLabel->setX(5);
    colorLabel->setY(25);

    int y = colorLabel->getRelativeY() + colorLabel->getHeight() + 10;
    for (int i = 0; i < colorRowCount; ++i) {
        TextBox* box = colorBoxes[i];
        style(box);
        box->setX(5);
        box->setY(y);
        box->setWidth(cw);
        box->setHeight(lh);
        box->setMaxLength(6);
        box->setAllowedChars(hexDigits);
        box->setText(SettingsValues::colorToText(readColor(colorRows[i])));

        Label* label = colorLabels[i];
        label->setText(tr(colorRows[i].text));
        style(label);
        label->setX(cw + 10);
        label->setY(y);

        y = box->getRelativeY() + box->getHeight() + 10;
    }
}

void SettingsGui::layoutDisplay()
{
    displayLabel->setText(tr("Display"));
    style(displayLabel);
    displayLabel->setX(5);
    displayLabel->setY(25);

    Control* previous = displayLabel;
    for (int i = 0; i < displayCheckCount; ++i) {
        CheckBox* box = displayChecks[i];
        box->setText(tr(displayRows[i].text));
        style(box);
        box->setChecked(readFlag(displayRows[i]));
        box->setX(5);
        box->setY(previous->getRelativeY() + previous->getHeight() + 7);
        previous = box;
    }
}

void SettingsGui::layoutMiscellaneous(int lh, int cw)
{
    Settings& s = settings();
    othersLabel->setText(tr("Miscellaneous"));
    style(othersLabel);
    othersLabel->setX(5);
    othersLabel->setY(25);

    Label* previous = othersLabel;
    auto placeLabel = [&](Label* label, const char* text) {
        label->setText(tr(text));
        style(label);
        label->setX(5);
        label->setY(previous->getRelativeY() + previous->getHeight() + 5);
        previous = label;
    };

    placeLabel(customNameLabel, "Custom Name");
    const int nameX = customNameLabel->getRelativeX() + customNameLabel->getWidth();
    style(customNameBox);
    customNameBox->setX(nameX + 5);
    customNameBox->setY(customNameLabel->getRelativeY());
    customNameBox->setWidth(panelWidth - (nameX + 15));
    customNameBox->setHeight(lh);
    customNameBox->setMaxLength(SettingsValues::maxCustomNameLength);
    customNameBox->setAllowedChars("");
    customNameBox->setText(s.getCustomName());

    // The four number boxes line up behind the transparency label, their buttons behind
    // the transparency box.
    int boxX = 0;
    int buttonX = 0;
    for (int i = 0; i < numberRowCount; ++i) {
        const NumberSetting& number = numberSettings[i];
        NumberRow& row = numberRows[i];
        placeLabel(row.label, number.text);
        if (i == AlphaRow) {
            boxX = row.label->getRelativeX() + row.label->getWidth() + 5;
            buttonX = boxX + (cw - number.boxWidthLessThanCw) + 5;
        }
        style(row.box);
        row.box->setX(boxX);
        row.box->setY(row.label->getRelativeY());
        row.box->setWidth(cw - number.boxWidthLessThanCw);
        row.box->setHeight(lh);
        row.box->setMaxLength(number.maxLength);
        row.box->setAllowedChars(decimalDigits);
        row.box->setText(std::to_string(number.get()));

        row.button->setText(tr("Change"));
        row.button->setFontSize(widgetFontSize);
        row.button->setX(buttonX);
        row.button->setY(row.label->getRelativeY());
        row.button->setWidth(50);
        row.button->setHeight(lh);
    }

    autoStartCheck->setText(tr("AutoStart With Windows"));
    style(autoStartCheck);
    autoStartCheck->setChecked(s.getAutoStart());
    autoStartCheck->setX(5);
    autoStartCheck->setY(previous->getRelativeY() + previous->getHeight() + 7);

    updateCheck->setText(tr("Search For Updates"));
    style(updateCheck);
    updateCheck->setChecked(s.getUpdate());
    updateCheck->setX(5);
    updateCheck->setY(autoStartCheck->getRelativeY() + autoStartCheck->getHeight() + 7);

    layoutLanguages(updateCheck->getRelativeY() + updateCheck->getHeight() + 7);
    layoutServers(lh);
    layoutNotifications(lh);
}

void SettingsGui::layoutNotifications(int lh)
{
    Settings& s = settings();
    // Under the servers and the line that names a bad address; the two kinds indented.
    int y = serverProblem->getRelativeY() + serverProblem->getHeight() + 6;
    const struct {
        CheckBox* box;
        const char* text;
        bool on;
        int x;
    } checks[] = {
        {notificationsCheck, "Notifications", s.getNotifications(), 5},
        {offlineCheck, "Offline and Online", s.getNotifyOffline(), 20},
        {slotCheck, "Free Slots", s.getNotifySlot(), 20},
    };
    for (const auto& check : checks) {
        check.box->setText(tr(check.text));
        style(check.box);
        check.box->setChecked(check.on);
        check.box->setX(check.x);
        check.box->setY(y);
        y += check.box->getHeight() + 7;
    }
    friendsLabel->setText(tr("Friends"));
    style(friendsLabel);
    friendsLabel->setX(20);
    friendsLabel->setY(y);
    const int boxX = friendsLabel->getRelativeX() + friendsLabel->getWidth() + 5;
    style(friendsBox);
    friendsBox->setX(boxX);
    friendsBox->setY(y);
    friendsBox->setWidth(panelWidth - boxX - 10);
    friendsBox->setHeight(lh);
    friendsBox->setMaxLength(TextBox::noLimit);
    friendsBox->setAllowedChars("");
    friendsBox->setText(SettingsValues::namesToText(s.getFriends()));
}

void SettingsGui::layoutServers(int lh)
{
    // Below the room the open language list takes (its row and four entries).
    int y = languageCombo->getRelativeY() + 5 * lh + 10;
    int boxX = 0;
    for (int i = 0; i < 2; ++i) {
        Label* label = serverLabels[i];
        label->setText(tr(serverRows[i].text));
        style(label);
        label->setX(5);
        label->setY(y);
        boxX = std::max(boxX, label->getRelativeX() + label->getWidth() + 5);
        y += std::max(label->getHeight(), lh) + 5;
    }
    for (int i = 0; i < 2; ++i) {
        TextBox* box = serverBoxes[i];
        style(box);
        box->setX(boxX);
        box->setY(serverLabels[i]->getRelativeY());
        box->setWidth(panelWidth - boxX - 10);
        box->setHeight(lh);
        box->setMaxLength(TextBox::noLimit);
        box->setAllowedChars("");
    }
    style(serverProblem, 10);
    serverProblem->setTextColor(settings().getBadColor());
    serverProblem->setX(5);
    serverProblem->setY(y);
}

void SettingsGui::setServerTexts(const std::string& goServer, const std::string& sourceServer)
{
    openedServerTexts = {goServer, sourceServer};
    for (int i = 0; i < 2; ++i) {
        openedServerSettings[i] = readServer(serverRows[i]);
        serverBoxes[i]->setText(openedServerTexts[i]);
    }
    serverProblem->setText("");
    serverProblem->setVisible(false);
}

void SettingsGui::takeChangedServers(bool& goChanged, bool& sourceChanged)
{
    goChanged = changedServers[0];
    sourceChanged = changedServers[1];
    changedServers = {};
}

std::string SettingsGui::getServerProblem() const { return serverProblem->getText(); }

bool SettingsGui::takeServers()
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
            serverProblem->setText(tr(serverRows[i].text) + ": " + tr(ServerAddress::message(problem)));
            serverProblem->setVisible(true);
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
        writeServer(serverRows[i], address);
    }
    serverProblem->setText("");
    serverProblem->setVisible(false);
    return true;
}

void SettingsGui::layoutLanguages(int y)
{
    Settings& s = settings();
    languageCombo->setFontSize(widgetFontSize);
    languageCombo->setBackgroundColor(s.getBackgroundColor());
    languageCombo->setTextColor(s.getTextColor());
    languageCombo->setX(5);
    languageCombo->setY(y);

    // The names change only when "Defaults" reads another language list.
    const LanguageTable& languages = s.getLanguages();
    bool same = languageCombo->getItemCount() == languages.count();
    for (int i = 0; same && i < languages.count(); ++i)
        same = languageCombo->getItem(i) == languages.name(i);
    if (!same) {
        languageCombo->clear();
        for (int i = 0; i < languages.count(); ++i)
            languageCombo->addItem(languages.name(i));
    }
    // A saved index beyond the list shows English, and no name here.
    const int language = s.getLanguage();
    languageCombo->setSelectedIndex(language >= 0 && language < languages.count() ? language : -1);
}

void SettingsGui::setVisible(bool value)
{
    if (value) {
        showCurrentTab();
        visible = true;
    } else {
        hideAll();
        visible = false;
    }
}

void SettingsGui::hideAll()
{
    for (Control* child : children)
        child->setVisible(false);
}

void SettingsGui::showCurrentTab()
{
    hideAll();
    for (Control* control : std::initializer_list<Control*>{colorButton, visibilityButton, othersButton, saveButton, resetButton, about, about2, about3})
        control->setVisible(true);

    switch (currentTab) {
    case ColorsTab:
        colorLabel->setVisible(true);
        for (int i = 0; i < colorRowCount; ++i) {
            colorLabels[i]->setVisible(true);
            colorBoxes[i]->setVisible(true);
        }
        break;
    case VisibilityTab:
        displayLabel->setVisible(true);
        for (CheckBox* box : displayChecks)
            box->setVisible(true);
        break;
    case MiscellaneousTab:
        for (Control* control : std::initializer_list<Control*>{othersLabel, customNameLabel, customNameBox, autoStartCheck, updateCheck, languageCombo})
            control->setVisible(true);
        for (int i = 0; i < 2; ++i) {
            serverLabels[i]->setVisible(true);
            serverBoxes[i]->setVisible(true);
        }
        serverProblem->setVisible(!serverProblem->getText().empty());
        for (Control* control : std::initializer_list<Control*>{notificationsCheck, offlineCheck, slotCheck, friendsLabel, friendsBox})
            control->setVisible(true);
        for (const NumberRow& row : numberRows) {
            row.label->setVisible(true);
            row.box->setVisible(true);
            row.button->setVisible(true);
        }
        break;
    default:
        break;
    }
}

void SettingsGui::draw()
{
    if (!isVisible())
        return;
    setX(panelX());
    Engine::Window& window = Engine::Window::instance();
    const int wantedWidth = settings().getWidth() + panelWidth;
    if (window.getWidth() != wantedWidth || window.getHeight() != panelHeight)
        window.setSize(wantedWidth, panelHeight);
    Frame::draw();
}

void SettingsGui::onEvent(Control* sender)
{
    switch (sender->getKind()) {
    case Button::Kind:
        if (auto* button = dynamic_cast<Button*>(sender))
            onButton(button);
        break;
    case CheckBox::Kind:
        if (auto* box = dynamic_cast<CheckBox*>(sender))
            onCheckBox(box);
        break;
    case TextBox::Kind:
        if (auto* box = dynamic_cast<TextBox*>(sender))
            onTextBox(box);
        break;
    case ComboBox::Kind:
        if (sender == languageCombo) {
            settings().setLanguage(languageCombo->getSelectedIndex());
            layout();
        }
        break;
    default:
        break;
    }
}

void SettingsGui::onButton(Button* button)
{
    // Act at the release, not at the press.
    if (button->isPressed())
        return;
    Settings& s = settings();
    Engine::Window& window = Engine::Window::instance();

    if (button == saveButton) {
        if (!takeServers()) {
            // The problem is on the third tab: show it there.
            currentTab = MiscellaneousTab;
            showCurrentTab();
            return;
        }
        // Opening on the left moved the window left by this panel's width; give it back.
        if (s.getSettingsOnTheLeft())
            window.setPosition(window.getX() + panelWidth, window.getY());
        s.save();
        closeRequested = true;
    } else if (button == resetButton) {
        s.resetToDefaults(); // the server boxes stay as they are: "Save" takes what they show
        layout();
        window.setAlpha(s.getAlpha());
    } else if (button == colorButton) {
        currentTab = ColorsTab;
        showCurrentTab();
    } else if (button == visibilityButton) {
        currentTab = VisibilityTab;
        showCurrentTab();
    } else if (button == othersButton) {
        currentTab = MiscellaneousTab;
        showCurrentTab();
    } else {
        for (int i = 0; i < numberRowCount; ++i)
            if (button == numberRows[i].button)
                changeNumber(i);
    }
}

void SettingsGui::changeNumber(int index)
{
    const NumberSetting& number = numberSettings[index];
    TextBox* box = numberRows[index].box;

    // An empty box reads as below the range, so it sets the lower bound.
    int n = number.lowest - 1;
    SettingsValues::readInteger(box->getText(), n);
    if (n < number.lowest) {
        n = number.lowest;
        box->setText(std::to_string(n));
    } else if (n > number.highest) {
        n = number.highest;
        box->setText(std::to_string(n));
    }
    number.set(n);

    switch (index) {
    case AlphaRow:
        Engine::Window::instance().setAlpha(settings().getAlpha());
        break;
    case WidthRow:
        setX(panelX());
        break;
    default:
        layout();
        break;
    }
}

void SettingsGui::onCheckBox(CheckBox* box)
{
    Settings& s = settings();
    for (int i = 0; i < displayCheckCount; ++i)
        if (box == displayChecks[i]) {
            writeFlag(displayRows[i], box->isChecked());
            return;
        }
    if (box == autoStartCheck)
        s.setAutoStart(box->isChecked());
    else if (box == updateCheck)
        s.setUpdate(box->isChecked());
    else if (box == notificationsCheck)
        s.setNotifications(box->isChecked());
    else if (box == offlineCheck)
        s.setNotifyOffline(box->isChecked());
    else if (box == slotCheck)
        s.setNotifySlot(box->isChecked());
}

void SettingsGui::onTextBox(TextBox* box)
{
    const std::string text = box->getText();
    if (box->getName().find("Color") != std::string::npos && text.size() == 6) {
        for (int i = 0; i < colorRowCount; ++i)
            if (box == colorBoxes[i]) {
                writeColor(colorRows[i], SettingsValues::colorFromText(text));
                layout();
                return;
            }
    } else if (box == customNameBox) {
        settings().setCustomName(text);
    } else if (box == friendsBox) {
        settings().setFriends(SettingsValues::namesFromText(text));
    }
}
