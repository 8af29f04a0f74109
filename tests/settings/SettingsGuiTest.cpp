// The settings panel as a user's hands meet it: SDL on its dummy video driver, clicks and
// keys pushed into SDL's queue and dispatched by the real event handler one program frame at
// a time, the real settings and data files. What the whole program shows of it (a colour,
// the numbers' ranges, autostart, the language, Save, Defaults) its own tests check.
#include "engine/Window.h"
#include "engine/gui/Button.h"
#include "engine/gui/CheckBox.h"
#include "engine/gui/ComboBox.h"
#include "engine/gui/TextBox.h"
#include "settings/AutoStart.h"
#include "settings/Settings.h"
#include "settings/SettingsGui.h"
#include "tests/support/SdlInput.h"
#include "tests/support/TempDir.h"

#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>

using Engine::Gui::Button;
using Engine::Gui::CheckBox;
using Engine::Gui::Control;
using Engine::Gui::TextBox;

namespace {

Settings& settings() { return Settings::instance(); }

class PanelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testing_support::startDummyVideo();
        ASSERT_TRUE(TTF_WasInit() || TTF_Init() == 0) << TTF_GetError();
        SDL_EnableUNICODE(1);
        testing_support::dropQueuedEvents();
        testing_support::copyDataTemplate(data.path());
        inData = std::make_unique<testing_support::ScopedCurrentDirectory>(data.path());
        settings().resetToDefaults(); // reads this folder's languages and this HOME's autostart entry
        panel = std::make_unique<SettingsGui>();
        panel->setVisible(true);
        frame();
    }
    // The panel's widget of that name and class, on whichever page it stands.
    template <typename T>
    T* find(const std::string& name)
    {
        if (T* widget = search<T>(panel.get(), name))
            return widget;
        ADD_FAILURE() << "no widget " << name;
        return nullptr;
    }
    template <typename T>
    static T* search(Control* parent, const std::string& name)
    {
        for (Control* child : parent->getChildren()) {
            if (T* widget = dynamic_cast<T*>(child); widget && child->getName() == name)
                return widget;
            if (T* widget = search<T>(child, name))
                return widget;
        }
        return nullptr;
    }
    // One turn of the program's loop: the panel draws, the window dispatches the events.
    void frame()
    {
        panel->draw();
        Engine::Window::instance().update();
    }
    void click(Control* control)
    {
        ASSERT_TRUE(control && control->isVisible());
        const int x = control->getX() + control->getWidth() / 2, y = control->getY() + control->getHeight() / 2;
        testing_support::pushButton(true, x, y);
        testing_support::pushButton(false, x, y);
        frame();
    }
    void click(const std::string& buttonName) { click(find<Button>(buttonName)); }
    // Clicks into the box, removes what stands there and types the text, key by key.
    void typeInto(const std::string& boxName, const std::string& text)
    {
        TextBox* box = find<TextBox>(boxName);
        click(box);
        const auto key = [&](SDLKey sym, Uint16 unicode) {
            testing_support::pushKey(true, sym, unicode);
            testing_support::pushKey(false, sym);
            frame();
        };
        key(SDLK_END, 0);
        for (std::size_t i = box->getText().size(); i > 0; --i)
            key(SDLK_BACKSPACE, 8);
        for (unsigned char c : text)
            key(static_cast<SDLKey>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c), c);
    }
    std::string text(const std::string& boxName) { return find<TextBox>(boxName)->getText(); }

    testing_support::TempHome home;
    testing_support::TempDir data;
    std::unique_ptr<testing_support::ScopedCurrentDirectory> inData;
    std::unique_ptr<SettingsGui> panel;
};

// Each box and check sets its own setting, and only hexadecimal digits go into a colour.
TEST_F(PanelTest, EachColourAndVisibilityRowSetsItsOwnSetting)
{
    Settings& s = settings();
    const std::pair<const char*, const Color& (Settings::*)() const> colors[] = {
        {"BackgroundColorTextBox", &Settings::getBackgroundColor}, {"TextColorTextBox", &Settings::getTextColor},
        {"LinkColorTextBox", &Settings::getLinkColor},             {"MapColorTextBox", &Settings::getMapColor},
        {"GoodColorTextBox", &Settings::getGoodColor},             {"BadColorTextBox", &Settings::getBadColor},
        {"BotColorTextBox", &Settings::getBotColor},               {"AdminColorTextBox", &Settings::getAdminColor},
        {"CustomColorTextBox", &Settings::getCustomColor},         {"PlayerListColorTextBox", &Settings::getPlayerBackgroundColor}};
    for (int row = 0; row < 10; ++row) {
        typeInto(colors[row].first, "z1" + std::to_string(row) + "a0fG12");
        EXPECT_EQ((s.*colors[row].second)(), Color(0x10 + row, 0xA0, 0xF1)) << colors[row].first;
        EXPECT_EQ(text(colors[row].first), "1" + std::to_string(row) + "A0F1") << "shown as saved, seven digits do not fit";
    }
    EXPECT_EQ(find<TextBox>("WidthTextBox")->getTextColor(), Color(0x11, 0xA0, 0xF1)) << "the text colour restyles the panel";

    click("VisibilityButton");
    const std::pair<const char*, bool (Settings::*)() const> flags[] = {
        {"HeadCheck", &Settings::getHead},     {"JoinCheck", &Settings::getJoin},         {"StatusCheck", &Settings::getStatus},
        {"PingCheck", &Settings::getPing},     {"MapCheck", &Settings::getMap},           {"OverViewCheck", &Settings::getOverView},
        {"PassCheck", &Settings::getPass},     {"VacCheck", &Settings::getVac},           {"BotCheck", &Settings::getBots},
        {"PlayerCheck", &Settings::getPlayers}, {"PlayerListCheck", &Settings::getPlayerList}, {"TimeCheck", &Settings::getTime},
        {"KillCheck", &Settings::getKills}};
    for (const auto& [name, flag] : flags) {
        const bool before = (s.*flag)();
        EXPECT_EQ(find<CheckBox>(name)->isChecked(), before) << name;
        click(find<CheckBox>(name));
        EXPECT_EQ((s.*flag)(), !before) << name;
    }
}

// Width goes no further than leaves the settings panel room on the screen (the dummy
// display's is 1024 wide); a number typed but not applied stays through other changes.
TEST_F(PanelTest, NumbersAreClampedAtTheirButtonAndTypedOnesSurviveOtherChanges)
{
    click("OthersButton");
    typeInto("WidthTextBox", "12000");
    click("WidthButton");
    typeInto("AlphaTextBox", ""); // an empty box is the lowest
    click("AlphaButton");
    EXPECT_EQ(settings().getWidth(), 1024 - 250);
    EXPECT_EQ(text("WidthTextBox"), "774");
    EXPECT_EQ(settings().getAlpha(), 15);
    EXPECT_EQ(panel->getRelativeX(), 774) << "the panel stands beside the wider main panel";
    typeInto("AlphaTextBox", "20");
    typeInto("FontSizeTextBox", "20");
    click("FontSizeButton");
    auto* language = find<Engine::Gui::ComboBox>("LanguageCombo");
    language->setSelectedIndex(1);
    language->getParent()->onEvent(language); // as a choice in its list tells its page
    click("ColorButton");
    typeInto("BackgroundColorTextBox", "102030");
    click("OthersButton");
    EXPECT_EQ(text("FontSizeTextBox") + " " + text("AlphaTextBox"), "16 20");
    EXPECT_EQ(settings().getAlpha(), 15) << "typed, not applied";
}

// Cancel and Escape put back every kind of setting, write nothing, and close the panel.
TEST_F(PanelTest, CancelAndEscapeRestoreEverySettingAndWriteNothing)
{
    Settings& s = settings();
    Engine::Window& window = Engine::Window::instance();
    window.setPosition(40, 50);
    panel->setVisible(false);
    panel->setVisible(true); // opened here
    for (const char* close : {"CancelButton", "Escape"}) {
        typeInto("TextColorTextBox", "123456");
        click("VisibilityButton");
        click(find<CheckBox>("HeadCheck"));
        click("OthersButton");
        typeInto("CustomNameTextBox", "Zien");
        typeInto("WidthTextBox", "500");
        click("WidthButton");
        typeInto("AlphaTextBox", "100");
        click("AlphaButton");
        click(find<CheckBox>("AutoStartCheck"));
        click(find<CheckBox>("NotificationsCheck"));
        typeInto("FriendsTextBox", "Ulla");
        auto* language = find<Engine::Gui::ComboBox>("LanguageCombo");
        language->setSelectedIndex(2);
        language->getParent()->onEvent(language); // as a choice in its list tells its page
        window.setPosition(200, 60);
        ASSERT_EQ(std::vector<int>({s.getWidth(), s.getAlpha(), s.getAutoStart(), s.getLanguage()}), std::vector<int>({500, 100, 1, 2})) << close;
        EXPECT_TRUE(panel->takeChanged()) << "the main panel is told at once";

        if (std::string(close) == "Escape") {
            testing_support::pushKey(true, SDLK_ESCAPE, 27); // the friends box has the keyboard
            testing_support::pushKey(false, SDLK_ESCAPE);
            frame();
        } else {
            click(close);
        }
        EXPECT_TRUE(panel->isCloseRequested()) << close;
        EXPECT_EQ(s.getTextColor(), Color(0, 0, 0)) << close;
        EXPECT_TRUE(s.getHead() && s.getNotifications() && !s.getAutoStart()) << close;
        EXPECT_TRUE(s.getCustomName() == "=QX/" && s.getFriends().empty() && s.getLanguage() == 0) << close;
        EXPECT_EQ(std::vector<int>({s.getWidth(), s.getAlpha(), window.getAlpha(), window.getX(), window.getY()}),
                  std::vector<int>({300, 255, 255, 40, 50})) << close;
        EXPECT_FALSE(AutoStart::isEnabled()) << close << ": no autostart entry";
        EXPECT_FALSE(std::filesystem::exists(data.file("Settings.xml"))) << close;
        panel->setVisible(false);
        panel->setCloseRequested(false);
        panel->setVisible(true);
        EXPECT_EQ(text("WidthTextBox"), "300") << "the boxes show the settings again";
        click("ColorButton");
    }
}

TEST_F(PanelTest, NotificationChoicesActAtOnceAndComeBackWithTheDefaults)
{
    click("OthersButton");
    const char* const names[] = {"NotificationsCheck", "OfflineCheck", "SlotCheck", "UpdateCheck"};
    for (const char* name : names) {
        EXPECT_TRUE(find<CheckBox>(name)->isChecked()) << name << " is on by default";
        click(find<CheckBox>(name));
    }
    EXPECT_FALSE(settings().getNotifications() || settings().getNotifyOffline() || settings().getNotifySlot() ||
                 settings().getUpdate());
    typeInto("FriendsTextBox", " Zien,Ulla B ,, ");
    EXPECT_EQ(settings().getFriends(), (std::vector<std::string>{"Zien", "Ulla B"}));

    click("ResetButton");
    for (const char* name : names)
        EXPECT_TRUE(find<CheckBox>(name)->isChecked()) << name;
    EXPECT_EQ(text("FriendsTextBox"), "");
    EXPECT_EQ(find<Engine::Gui::ComboBox>("LanguageCombo")->getItemCount(), 3) << "the languages are listed once";
}

TEST_F(PanelTest, ABadServerAddressIsNamedAndNothingIsSaved)
{
    const struct {
        const char* box;
        const char* typed;
        const char* problem;
    } cases[] = {
        {"CSGoServerTextBox", "bad host", "CS:Go: No spaces in an address"},
        {"CSSourceServerTextBox", "css.example:0", "CS:Source: The port must be 1-65535"},
        {"CSSourceServerTextBox", ":27015", "CS:Source: The address needs a host"},
        {"CSSourceServerTextBox", "css.example:27016", ""},
    };
    click("OthersButton");
    for (const auto& c : cases) {
        panel->setServerTexts("cs.example", "");
        typeInto(c.box, c.typed);
        click("SaveButton");
        EXPECT_EQ(panel->getServerProblem(), c.problem);
        EXPECT_EQ(data.read("Settings.xml").empty(), *c.problem != 0) << "saved only when every address is good";
    }
    bool go = true, source = false;
    panel->takeChangedServers(go, source);
    EXPECT_TRUE(!go && source) << "only the CS:Source server changed";
    EXPECT_EQ(settings().getCSSourceServer(), "css.example:27016");
    EXPECT_EQ(settings().getCSGoServer(), "") << "the untouched box keeps its setting";
}

} // namespace
