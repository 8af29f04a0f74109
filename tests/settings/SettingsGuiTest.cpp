// The settings panel as a user meets it: real widgets, real clicks and keys through the
// event handler, the real settings, data files and autostart folder.
#include "engine/Directory.h"
#include "engine/TextSurface.h"
#include "engine/Window.h"
#include "engine/gui/Button.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/ComboBox.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextBox.h"
#include "os/FileSystem.h"
#include "registry/RegKey.h"
#include "settings/AutoStart.h"
#include "settings/Settings.h"
#include "settings/SettingsValues.h"
#include "tests/settings/PanelDriver.h"

#include <filesystem>

using Engine::Gui::Button;
using Engine::Gui::CheckBox;
using Engine::Gui::ComboBox;
using Engine::Gui::Control;
using Engine::Gui::Label;
using Engine::Gui::TextBox;
using panel_test::find;
using panel_test::PanelTest;

namespace fs = std::filesystem;

namespace {

Settings& settings() { return Settings::instance(); }

const char* const colorBoxNames[] = {"BackgroundColorTextBox", "TextColorTextBox", "LinkColorTextBox", "MapColorTextBox",
                                     "GoodColorTextBox", "BadColorTextBox", "BotColorTextBox", "AdminColorTextBox",
                                     "CustomColorTextBox", "PlayerListColorTextBox"};

const Color& colorOf(int row)
{
    Settings& s = settings();
    const Color* colors[] = {&s.getBackgroundColor(), &s.getTextColor(), &s.getLinkColor(), &s.getMapColor(),
                             &s.getGoodColor(), &s.getBadColor(), &s.getBotColor(), &s.getAdminColor(),
                             &s.getCustomColor(), &s.getPlayerBackgroundColor()};
    return *colors[row];
}

const char* const displayCheckNames[] = {"HeadCheck", "JoinCheck", "StatusCheck", "PingCheck", "MapCheck",
                                         "OverViewCheck", "PassCheck", "VacCheck", "BotCheck", "PlayerCheck",
                                         "PlayerListCheck", "TimeCheck", "KillCheck"};

bool flagOf(int row)
{
    Settings& s = settings();
    const bool flags[] = {s.getHead(), s.getJoin(), s.getStatus(), s.getPing(), s.getMap(), s.getOverView(), s.getPass(),
                          s.getVac(), s.getBots(), s.getPlayers(), s.getPlayerList(), s.getTime(), s.getKills()};
    return flags[row];
}

int settingOf(const char* name)
{
    Settings& s = settings();
    const std::string n = name;
    return n == "Alpha" ? s.getAlpha() : n == "Width" ? s.getWidth() : n == "FontSize" ? s.getFontSize() : s.getPlayerFontSize();
}

TEST_F(PanelTest, TabButtonsShowOneTabAtATimeAndTheTabIsRemembered)
{
    Control* colorBox = find<TextBox>(*panel, "AdminColorTextBox");
    Control* check = find<CheckBox>(*panel, "KillCheck");
    Control* combo = find<ComboBox>(*panel, "LanguageCombo");
    EXPECT_TRUE(colorBox->isVisible());
    EXPECT_FALSE(check->isVisible());
    showTab("VisibilityButton");
    EXPECT_FALSE(colorBox->isVisible());
    EXPECT_TRUE(check->isVisible());
    showTab("OthersButton");
    EXPECT_FALSE(check->isVisible());
    EXPECT_TRUE(combo->isVisible());

    // Closed and opened again, it comes back on the same tab.
    panel->setVisible(false);
    EXPECT_FALSE(combo->isVisible());
    panel->setVisible(true);
    EXPECT_TRUE(combo->isVisible());
    EXPECT_FALSE(colorBox->isVisible());
}

TEST_F(PanelTest, EachColorAppliesAtItsSixthDigit)
{
    for (int row = 0; row < 10; ++row) {
        const Color before = colorOf(row);
        TextBox* box = find<TextBox>(*panel, colorBoxNames[row]);
        typeInto(box, "1" + std::to_string(row) + "a0f");
        EXPECT_EQ(colorOf(row), before) << colorBoxNames[row] << ": five digits change nothing";
        pressKey(SDLK_c, 'c');
        EXPECT_EQ(colorOf(row), Color(0x10 + row, 0xA0, 0xFC)) << colorBoxNames[row];
        EXPECT_EQ(box->getText(), "1" + std::to_string(row) + "A0FC") << "shown as it is saved";
        pressKey(SDLK_1, '1'); // a seventh digit does not fit
        EXPECT_EQ(box->getText().size(), 6u);
    }
    // Only hexadecimal digits go in; the background and text colours restyle the panel.
    typeInto(find<TextBox>(*panel, "BackgroundColorTextBox"), "zzFF0G000");
    typeInto(find<TextBox>(*panel, "TextColorTextBox"), "00FF00");
    EXPECT_EQ(text("BackgroundColorTextBox"), "FF0000");
    EXPECT_EQ(find<CheckBox>(*panel, "HeadCheck")->getBackgroundColor(), Color(255, 0, 0));
    EXPECT_EQ(find<TextBox>(*panel, "WidthTextBox")->getTextColor(), Color(0, 255, 0));
    EXPECT_EQ(find<TextBox>(*panel, "WidthTextBox")->getBackgroundColor(), Color(255, 255, 255)) << "boxes stay white";
}

TEST_F(PanelTest, NumbersAreClampedAtTheirButton)
{
    showTab("OthersButton");
    const struct {
        const char* name;
        const char* typed;
        int value;
        const char* shown;
    } cases[] = {
        {"Alpha", "128", 128, "128"},  {"Alpha", "a2000", 200, "200"}, {"Alpha", "", 15, "15"},
        {"Width", "12000", 1200, "1200"}, {"Width", "", 100, "100"},  {"FontSize", "4", 5, "5"},
        {"FontSize", "20", 16, "16"},  {"FontSize", "9", 9, "9"},     {"PlayerFontSize", "4", 5, "5"},
        {"PlayerFontSize", "99", 16, "16"},
    };
    for (const auto& c : cases) {
        const std::string box = std::string(c.name) + "TextBox";
        typeInto(find<TextBox>(*panel, box), c.typed);
        click(find<Button>(*panel, std::string(c.name) + "Button"));
        EXPECT_EQ(settingOf(c.name), c.value) << c.name << " " << c.typed;
        EXPECT_EQ(text(box), c.shown) << c.name << " " << c.typed;
    }
    EXPECT_EQ(Engine::Window::instance().getAlpha(), 15);
    EXPECT_EQ(panel->getX(), 100);
    // The layout after a font size change shows every stored value, the others' too.
    typeInto(find<TextBox>(*panel, "AlphaTextBox"), "20");
    click(find<Button>(*panel, "FontSizeButton"));
    EXPECT_EQ(text("AlphaTextBox"), "15");
}

TEST_F(PanelTest, VisibilityChecksSetTheirFlagsAtTheClick)
{
    showTab("VisibilityButton");
    for (int row = 0; row < 13; ++row) {
        CheckBox* box = find<CheckBox>(*panel, displayCheckNames[row]);
        const bool before = flagOf(row);
        EXPECT_EQ(box->isChecked(), before) << displayCheckNames[row];
        click(box);
        EXPECT_EQ(flagOf(row), !before) << displayCheckNames[row];
    }
}

TEST_F(PanelTest, AutostartAndUpdateChecksActAtTheClick)
{
    showTab("OthersButton");
    // The Run key's value, read back through the registry layer.
    const auto runValue = [](bool& ok) {
        return Registry::RegKey::open(Registry::CurrentUser, AutoStart::runKeyPath, ok).getValue(AutoStart::valueName, ok);
    };
    bool ok = false;
    CheckBox* autoStart = find<CheckBox>(*panel, "AutoStartCheck");
    EXPECT_FALSE(autoStart->isChecked());
    click(autoStart);
    EXPECT_TRUE(settings().getAutoStart());
    const std::string written = runValue(ok).asString();
    ASSERT_TRUE(ok);
    EXPECT_EQ(written, joinPath(os::currentDirectory(), "HolmikZiviza.lnk"));
    click(autoStart);
    EXPECT_FALSE(settings().getAutoStart());
    runValue(ok);
    EXPECT_FALSE(ok);

    click(find<CheckBox>(*panel, "UpdateCheck"));
    EXPECT_FALSE(settings().getUpdate());
}

TEST_F(PanelTest, DefaultsBringEveryValueBackInMemory)
{
    typeInto(find<TextBox>(*panel, "MapColorTextBox"), "123456");
    showTab("VisibilityButton");
    click(find<CheckBox>(*panel, "PingCheck"));
    showTab("OthersButton");
    change("AlphaTextBox", "AlphaButton", "40");
    change("WidthTextBox", "WidthButton", "700");
    typeInto(find<TextBox>(*panel, "CustomNameTextBox"), "me");
    ComboBox* combo = find<ComboBox>(*panel, "LanguageCombo");
    const int lineHeight = Engine::TextSurface::lineSkip(settings().getFont(), 12);
    clickAt(combo->getX() + combo->getWidth() - 5, combo->getY() + 3); // opens the list
    clickAt(combo->getX() + 10, combo->getY() + 3 * lineHeight + lineHeight / 2);
    ASSERT_EQ(find<Button>(*panel, "ResetButton")->getText(), "Standard") << "the panel is translated at once";

    click(find<Button>(*panel, "ResetButton"));
    EXPECT_EQ(text("MapColorTextBox"), "DDAA00");
    EXPECT_FALSE(find<CheckBox>(*panel, "PingCheck")->isChecked());
    EXPECT_EQ(text("AlphaTextBox"), "255");
    EXPECT_EQ(text("CustomNameTextBox"), "=QX/");
    EXPECT_EQ(combo->getSelectedIndex(), 0);
    EXPECT_EQ(combo->getItemCount(), 3) << "the languages are listed once";
    EXPECT_EQ(find<Button>(*panel, "ResetButton")->getText(), "Defaults");
    EXPECT_EQ(Engine::Window::instance().getAlpha(), 255);
    EXPECT_EQ(panel->getX(), 300);
    EXPECT_FALSE(fs::exists(data.file("Settings.xml")));
    EXPECT_TRUE(combo->isVisible()) << "the tab stays";
}

TEST_F(PanelTest, SaveWritesSettingsXmlAndAsksToClose)
{
    showTab("OthersButton");
    typeInto(find<TextBox>(*panel, "CustomNameTextBox"), "<me>");
    EXPECT_FALSE(panel->isCloseRequested());
    click(find<Button>(*panel, "SaveButton"));
    EXPECT_TRUE(panel->isCloseRequested());
    const std::string file = data.read("Settings.xml");
    EXPECT_NE(file.find("CustomName=\"&lt;me&gt;\""), std::string::npos) << file;
}

TEST_F(PanelTest, NotificationChoicesActAtOnceAndAreSaved)
{
    showTab("OthersButton");
    CheckBox* notifications = find<CheckBox>(*panel, "NotificationsCheck");
    CheckBox* offline = find<CheckBox>(*panel, "OfflineCheck");
    CheckBox* slot = find<CheckBox>(*panel, "SlotCheck");
    TextBox* friends = find<TextBox>(*panel, "FriendsTextBox");
    // Under the server boxes, above the About lines, each shown with the tab.
    EXPECT_GT(notifications->getRelativeY(), find<TextBox>(*panel, "CSSourceServerTextBox")->getRelativeY());
    EXPECT_LT(friends->getRelativeY() + friends->getHeight(), find<Label>(*panel, "About")->getRelativeY());
    EXPECT_EQ(friends->getRelativeX() + friends->getWidth(), 240);
    for (Control* control : std::initializer_list<Control*>{notifications, offline, slot, friends}) {
        EXPECT_TRUE(control->isVisible()) << control->getName();
        EXPECT_LE(control->getRelativeX() + control->getWidth(), 250) << control->getName();
    }
    EXPECT_TRUE(notifications->isChecked() && offline->isChecked() && slot->isChecked()) << "on by default";
    EXPECT_EQ(friends->getText(), "");

    click(offline);
    EXPECT_FALSE(settings().getNotifyOffline());
    click(slot);
    EXPECT_FALSE(settings().getNotifySlot());
    click(notifications);
    EXPECT_FALSE(settings().getNotifications());
    typeInto(friends, " Zien,Ulla B ,, ");
    EXPECT_EQ(settings().getFriends(), (std::vector<std::string>{"Zien", "Ulla B"}));

    click(find<Button>(*panel, "SaveButton"));
    const std::string file = data.read("Settings.xml");
    EXPECT_NE(file.find("<Notifications Enabled=\"0\" Offline=\"0\" Slot=\"0\">"), std::string::npos) << file;
    EXPECT_NE(file.find("<Friend Name=\"Ulla B\"/>"), std::string::npos) << file;

    click(find<Button>(*panel, "ResetButton"));
    EXPECT_TRUE(notifications->isChecked() && offline->isChecked() && slot->isChecked());
    EXPECT_EQ(friends->getText(), "");
    EXPECT_TRUE(settings().getFriends().empty());
}

TEST(FriendsBox, NamesBetweenCommasWithoutTheBlanksAround)
{
    const std::vector<std::pair<std::string, std::vector<std::string>>> cases = {
        {"", {}},
        {" , ,", {}},
        {"Zien", {"Zien"}},
        {"  Zien ,\tUlla B,,zien", {"Zien", "Ulla B", "zien"}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SettingsValues::namesFromText(c.first), c.second) << c.first;
    EXPECT_EQ(SettingsValues::namesToText({"Zien", "Ulla B"}), "Zien, Ulla B");
}

} // namespace
