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

int lineHeight() { return Engine::TextSurface::lineSkip(settings().getFont(), 12); }
int digitsWidth() { return Engine::TextSurface::textWidth("DDDDDD", settings().getFont(), 12); }

TEST_F(PanelTest, StandsBesideTheMainPanelWithItsWidgetsInPlace)
{
    const int lh = lineHeight();
    const int cw = digitsWidth();
    EXPECT_EQ(panel->getX(), 300);
    EXPECT_EQ(panel->getWidth(), 250);
    EXPECT_EQ(panel->getHeight(), 500);
    EXPECT_EQ(Engine::Window::instance().getWidth(), 550);
    EXPECT_EQ(Engine::Window::instance().getHeight(), 500);

    Button* others = find<Button>(*panel, "OthersButton");
    EXPECT_EQ(others->getRelativeX(), 145);
    EXPECT_EQ(others->getWidth(), 90);
    EXPECT_EQ(others->getHeight(), lh);
    Button* save = find<Button>(*panel, "SaveButton");
    EXPECT_EQ(save->getRelativeX(), 195);
    EXPECT_EQ(save->getRelativeY(), 470);
    EXPECT_EQ(save->getWidth(), 50);
    EXPECT_EQ(save->getText(), "Save");
    EXPECT_EQ(find<Button>(*panel, "ResetButton")->getText(), "Defaults");

    // The colour rows: boxes of six digits under the heading, ten pixels apart.
    Label* heading = find<Label>(*panel, "ColorLabel");
    EXPECT_EQ(heading->getText(), "RRGGBB");
    int y = 25 + heading->getHeight() + 10;
    for (const char* name : colorBoxNames) {
        TextBox* box = find<TextBox>(*panel, name);
        EXPECT_EQ(box->getRelativeX(), 5) << name;
        EXPECT_EQ(box->getRelativeY(), y) << name;
        EXPECT_EQ(box->getWidth(), cw) << name;
        EXPECT_EQ(box->getHeight(), lh) << name;
        EXPECT_EQ(box->getMaxLength(), 6u) << name;
        EXPECT_FALSE(box->isMultiLine()) << name;
        y += lh + 10;
    }
    EXPECT_EQ(text("BackgroundColorTextBox"), "7A89AA");
    EXPECT_EQ(text("PlayerListColorTextBox"), "C2D4FB");
    EXPECT_EQ(find<Label>(*panel, "BackgroundColorLabel")->getRelativeX(), cw + 10);

    // The About lines stack at the bottom left, the last five pixels above the edge.
    Label* about = find<Label>(*panel, "About");
    Label* about2 = find<Label>(*panel, "About2");
    Label* about3 = find<Label>(*panel, "About3");
    EXPECT_EQ(about->getText(), "Holmik Ziviza 0 0 0");
    EXPECT_EQ(about3->getRelativeY() + about3->getHeight(), 495);
    EXPECT_EQ(about2->getRelativeY() + about2->getHeight(), about3->getRelativeY());
    EXPECT_EQ(about->getRelativeY() + about->getHeight(), about2->getRelativeY());
    EXPECT_EQ(about2->getFontSize(), 9);
    EXPECT_FALSE(about2->getText().empty());
    EXPECT_FALSE(about3->getText().empty());
    // They stay clear of the Defaults button beside them.
    for (Label* line : {about2, about3})
        EXPECT_LT(line->getWidth(), find<Button>(*panel, "ResetButton")->getRelativeX()) << line->getText();

    // The Miscellaneous rows: boxes behind the transparency label, buttons behind its box.
    TextBox* alpha = find<TextBox>(*panel, "AlphaTextBox");
    Label* alphaLabel = find<Label>(*panel, "AlphaLabel");
    EXPECT_EQ(alpha->getRelativeX(), alphaLabel->getRelativeX() + alphaLabel->getWidth() + 5);
    EXPECT_EQ(alpha->getWidth(), cw - 20);
    EXPECT_EQ(find<TextBox>(*panel, "WidthTextBox")->getRelativeX(), alpha->getRelativeX());
    EXPECT_EQ(find<TextBox>(*panel, "WidthTextBox")->getMaxLength(), 4u);
    EXPECT_EQ(find<Button>(*panel, "WidthButton")->getRelativeX(), alpha->getRelativeX() + alpha->getWidth() + 5);
    EXPECT_EQ(text("AlphaTextBox"), "255");
    EXPECT_EQ(text("WidthTextBox"), "300");
    EXPECT_EQ(text("FontSizeTextBox"), "14");
    EXPECT_EQ(text("PlayerFontSizeTextBox"), "10");
    EXPECT_EQ(text("CustomNameTextBox"), "=QX/");
    TextBox* name = find<TextBox>(*panel, "CustomNameTextBox");
    EXPECT_EQ(name->getRelativeX() + name->getWidth(), 240);
    ComboBox* languages = find<ComboBox>(*panel, "LanguageCombo");
    ASSERT_EQ(languages->getItemCount(), 3);
    EXPECT_EQ(languages->getItem(1), "Svenska");
    EXPECT_EQ(languages->getSelectedIndex(), 0);
    EXPECT_GT(languages->getRelativeY(), find<CheckBox>(*panel, "UpdateCheck")->getRelativeY());
}

TEST_F(PanelTest, TabButtonsShowOneTabAtATimeAndTheTabIsRemembered)
{
    Control* colorBox = find<TextBox>(*panel, "AdminColorTextBox");
    Control* check = find<CheckBox>(*panel, "KillCheck");
    Control* combo = find<ComboBox>(*panel, "LanguageCombo");
    Control* about = find<Label>(*panel, "About3");
    EXPECT_TRUE(colorBox->isVisible());
    EXPECT_FALSE(check->isVisible());
    EXPECT_FALSE(combo->isVisible());

    showTab("VisibilityButton");
    EXPECT_EQ(panel->getCurrentTab(), SettingsGui::VisibilityTab);
    EXPECT_FALSE(colorBox->isVisible());
    EXPECT_TRUE(check->isVisible());
    EXPECT_TRUE(about->isVisible());

    showTab("OthersButton");
    EXPECT_FALSE(check->isVisible());
    EXPECT_TRUE(combo->isVisible());
    EXPECT_TRUE(find<Button>(*panel, "PlayerFontSizeButton")->isVisible());

    // Closed and opened again, it comes back on the same tab.
    panel->setVisible(false);
    EXPECT_FALSE(panel->isVisible());
    EXPECT_FALSE(combo->isVisible());
    EXPECT_FALSE(find<Button>(*panel, "SaveButton")->isVisible());
    panel->setVisible(true);
    EXPECT_TRUE(combo->isVisible());
    EXPECT_FALSE(colorBox->isVisible());

    showTab("ColorButton");
    EXPECT_TRUE(colorBox->isVisible());
    EXPECT_FALSE(combo->isVisible());
}

TEST_F(PanelTest, EachColorAppliesAtItsSixthDigit)
{
    for (int row = 0; row < 10; ++row) {
        const Color before = colorOf(row);
        TextBox* box = find<TextBox>(*panel, colorBoxNames[row]);
        const std::string digits = "1" + std::to_string(row) + "a0f" ;
        typeInto(box, digits);
        EXPECT_EQ(colorOf(row), before) << colorBoxNames[row] << ": five digits change nothing";
        pressKey(SDLK_c, 'c');
        EXPECT_EQ(colorOf(row), Color(0x10 + row, 0xA0, 0xFC)) << colorBoxNames[row];
        EXPECT_EQ(box->getText(), "1" + std::to_string(row) + "A0FC") << "shown as it is saved";
        // A seventh digit does not fit.
        pressKey(SDLK_1, '1');
        EXPECT_EQ(box->getText().size(), 6u);
    }
    // Only hexadecimal digits go in.
    TextBox* box = find<TextBox>(*panel, "BackgroundColorTextBox");
    typeInto(box, "zz12G3");
    EXPECT_EQ(box->getText(), "123");
}

TEST_F(PanelTest, TheBackgroundAndTextColorsRestyleThePanelAtOnce)
{
    typeInto(find<TextBox>(*panel, "BackgroundColorTextBox"), "FF0000");
    typeInto(find<TextBox>(*panel, "TextColorTextBox"), "00FF00");
    EXPECT_EQ(find<Label>(*panel, "ColorLabel")->getBackgroundColor(), Color(255, 0, 0));
    EXPECT_EQ(find<Label>(*panel, "ColorLabel")->getTextColor(), Color(0, 255, 0));
    EXPECT_EQ(find<CheckBox>(*panel, "HeadCheck")->getBackgroundColor(), Color(255, 0, 0));
    EXPECT_EQ(find<TextBox>(*panel, "WidthTextBox")->getTextColor(), Color(0, 255, 0));
    EXPECT_EQ(find<TextBox>(*panel, "WidthTextBox")->getBackgroundColor(), Color(255, 255, 255)) << "boxes stay white";
    EXPECT_EQ(find<ComboBox>(*panel, "LanguageCombo")->getBackgroundColor(), Color(255, 0, 0));
}

TEST_F(PanelTest, TransparencyIsClampedAndReachesTheWindow)
{
    showTab("OthersButton");
    change("AlphaTextBox", "AlphaButton", "128");
    EXPECT_EQ(settings().getAlpha(), 128);
    EXPECT_EQ(text("AlphaTextBox"), "128");
    EXPECT_EQ(Engine::Window::instance().getAlpha(), 128);

    // Letters do not go in, and a fourth digit does not fit.
    typeInto(find<TextBox>(*panel, "AlphaTextBox"), "a2000");
    EXPECT_EQ(text("AlphaTextBox"), "200");
    // Typing alone changes nothing until "Change".
    EXPECT_EQ(settings().getAlpha(), 128);

    // An empty box sets the lower bound.
    change("AlphaTextBox", "AlphaButton", "");
    EXPECT_EQ(settings().getAlpha(), 15);
    EXPECT_EQ(text("AlphaTextBox"), "15");
}

TEST_F(PanelTest, WidthIsClampedAndMovesThePanel)
{
    showTab("OthersButton");
    change("WidthTextBox", "WidthButton", "12000");
    EXPECT_EQ(settings().getWidth(), 1200) << "the fifth digit does not fit";
    EXPECT_EQ(panel->getX(), 1200);
    change("WidthTextBox", "WidthButton", "");
    EXPECT_EQ(settings().getWidth(), 100);
    EXPECT_EQ(text("WidthTextBox"), "100");
}

TEST_F(PanelTest, FontSizesAreClampedAndThePanelIsLaidOutAgain)
{
    showTab("OthersButton");
    change("FontSizeTextBox", "FontSizeButton", "4");
    EXPECT_EQ(settings().getFontSize(), 5);
    EXPECT_EQ(text("FontSizeTextBox"), "5");
    change("FontSizeTextBox", "FontSizeButton", "20");
    EXPECT_EQ(settings().getFontSize(), 16);
    EXPECT_EQ(text("FontSizeTextBox"), "16");
    change("FontSizeTextBox", "FontSizeButton", "9");
    EXPECT_EQ(settings().getFontSize(), 9);

    change("PlayerFontSizeTextBox", "PlayerFontSizeButton", "4");
    EXPECT_EQ(settings().getPlayerFontSize(), 5);
    EXPECT_EQ(text("PlayerFontSizeTextBox"), "5");
    change("PlayerFontSizeTextBox", "PlayerFontSizeButton", "99");
    EXPECT_EQ(settings().getPlayerFontSize(), 16);
    EXPECT_EQ(text("PlayerFontSizeTextBox"), "16");

    // The layout after a font size change shows every stored value, the others' too.
    typeInto(find<TextBox>(*panel, "AlphaTextBox"), "20");
    click(find<Button>(*panel, "FontSizeButton"));
    EXPECT_EQ(text("AlphaTextBox"), "255");
}

TEST_F(PanelTest, AnotherLanguageRetranslatesThePanelAtOnce)
{
    showTab("OthersButton");
    ComboBox* combo = find<ComboBox>(*panel, "LanguageCombo");
    Label* about2 = find<Label>(*panel, "About2");
    const std::string credit = about2->getText();
    // Open the list with the button at the right end, then take its second entry.
    clickAt(combo->getX() + combo->getWidth() - 5, combo->getY() + 3);
    ASSERT_TRUE(combo->isOpen());
    clickAt(combo->getX() + 10, combo->getY() + 2 * lineHeight() + lineHeight() / 2);
    EXPECT_FALSE(combo->isOpen());
    EXPECT_EQ(settings().getLanguage(), 1);
    EXPECT_EQ(combo->getSelectedIndex(), 1);

    EXPECT_EQ(find<Button>(*panel, "SaveButton")->getText(), "Spara");
    EXPECT_EQ(find<Button>(*panel, "ColorButton")->getText(), "F\xC3\xA4rger");
    EXPECT_EQ(find<Button>(*panel, "AlphaButton")->getText(), "\xC3\x84ndra");
    EXPECT_EQ(find<Label>(*panel, "DisplayLabel")->getText(), "Visa");
    EXPECT_EQ(find<CheckBox>(*panel, "HeadCheck")->getText(), "Rubrik");
    EXPECT_EQ(find<Label>(*panel, "BackgroundColorLabel")->getText(), "Bakgrund");
    EXPECT_EQ(find<Label>(*panel, "ColorLabel")->getText(), "RRGGBB");
    EXPECT_EQ(about2->getText(), credit);
    EXPECT_EQ(find<Label>(*panel, "About")->getText(), "Holmik Ziviza 0 0 0");
    // The boxes follow the longer or shorter labels.
    Label* alphaLabel = find<Label>(*panel, "AlphaLabel");
    EXPECT_EQ(find<TextBox>(*panel, "AlphaTextBox")->getRelativeX(), alphaLabel->getRelativeX() + alphaLabel->getWidth() + 5);
}

TEST_F(PanelTest, VisibilityChecksSetTheirFlagsAtTheClick)
{
    showTab("VisibilityButton");
    for (int row = 0; row < 13; ++row) {
        CheckBox* box = find<CheckBox>(*panel, displayCheckNames[row]);
        EXPECT_EQ(box->isChecked(), flagOf(row)) << displayCheckNames[row];
        EXPECT_FALSE(box->isTextFirst());
        const bool before = flagOf(row);
        click(box);
        EXPECT_EQ(flagOf(row), !before) << displayCheckNames[row];
        EXPECT_EQ(box->isChecked(), !before);
    }
    // Each box sits seven pixels below the one before.
    CheckBox* head = find<CheckBox>(*panel, "HeadCheck");
    CheckBox* join = find<CheckBox>(*panel, "JoinCheck");
    EXPECT_EQ(join->getRelativeY(), head->getRelativeY() + head->getHeight() + 7);
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
    EXPECT_NE(written.find(fs::path(data.path()).filename().string()), std::string::npos) << "in this test's data folder";
    click(autoStart);
    EXPECT_FALSE(settings().getAutoStart());
    runValue(ok);
    EXPECT_FALSE(ok);

    click(find<CheckBox>(*panel, "UpdateCheck"));
    EXPECT_FALSE(settings().getUpdate());
}

TEST_F(PanelTest, DefaultsBringEveryValueBack)
{
    typeInto(find<TextBox>(*panel, "MapColorTextBox"), "123456");
    showTab("VisibilityButton");
    click(find<CheckBox>(*panel, "PingCheck"));
    showTab("OthersButton");
    change("AlphaTextBox", "AlphaButton", "40");
    change("WidthTextBox", "WidthButton", "700");
    change("FontSizeTextBox", "FontSizeButton", "6");
    typeInto(find<TextBox>(*panel, "CustomNameTextBox"), "me");
    click(find<CheckBox>(*panel, "UpdateCheck"));
    ComboBox* combo = find<ComboBox>(*panel, "LanguageCombo");
    clickAt(combo->getX() + combo->getWidth() - 5, combo->getY() + 3);
    clickAt(combo->getX() + 10, combo->getY() + 3 * lineHeight() + lineHeight() / 2);
    ASSERT_EQ(settings().getLanguage(), 2);
    EXPECT_EQ(find<Button>(*panel, "ResetButton")->getText(), "Standard");
    EXPECT_EQ(Engine::Window::instance().getAlpha(), 40);

    click(find<Button>(*panel, "ResetButton"));
    EXPECT_EQ(settings().getMapColor(), Color(0xDD, 0xAA, 0x00));
    EXPECT_EQ(text("MapColorTextBox"), "DDAA00");
    EXPECT_FALSE(settings().getPing());
    EXPECT_FALSE(find<CheckBox>(*panel, "PingCheck")->isChecked());
    EXPECT_EQ(text("AlphaTextBox"), "255");
    EXPECT_EQ(text("WidthTextBox"), "300");
    EXPECT_EQ(text("FontSizeTextBox"), "14");
    EXPECT_EQ(text("CustomNameTextBox"), "=QX/");
    EXPECT_TRUE(find<CheckBox>(*panel, "UpdateCheck")->isChecked());
    EXPECT_EQ(combo->getSelectedIndex(), 0);
    EXPECT_EQ(combo->getItemCount(), 3) << "the languages are listed once";
    EXPECT_EQ(find<Button>(*panel, "ResetButton")->getText(), "Defaults");
    EXPECT_EQ(Engine::Window::instance().getAlpha(), 255);
    EXPECT_EQ(panel->getX(), 300);
    // Only in memory: nothing was written.
    EXPECT_FALSE(fs::exists(data.file("Settings.xml")));
    EXPECT_TRUE(combo->isVisible()) << "the tab stays";
}

TEST_F(PanelTest, SaveWritesSettingsXmlAndAsksToClose)
{
    showTab("OthersButton");
    change("WidthTextBox", "WidthButton", "420");
    typeInto(find<TextBox>(*panel, "CustomNameTextBox"), "<me>");
    EXPECT_FALSE(panel->isCloseRequested());
    click(find<Button>(*panel, "SaveButton"));
    EXPECT_TRUE(panel->isCloseRequested());
    const std::string file = data.read("Settings.xml");
    EXPECT_NE(file.find("Width=\"420\""), std::string::npos) << file;
    EXPECT_NE(file.find("CustomName=\"&lt;me&gt;\""), std::string::npos) << file;
    panel->setCloseRequested(false);
    EXPECT_FALSE(panel->isCloseRequested());
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
