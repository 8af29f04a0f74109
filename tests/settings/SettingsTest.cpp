// Settings.xml: the first start's five lines, round trips, the loader's rules for every kind
// of value, broken files (exit 255), and saves that fail without losing the old file.
#include "settings/Settings.h"
#include "registry/RegKey.h"
#include "settings/AutoStart.h"
#include "engine/WindowPosition.h"
#include "settings/SettingsValues.h"
#include "tests/support/Platform.h"
#include "tests/support/TempDir.h"
#include "xml/XmlNode.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <iterator>
#include <utility>

using testing_support::readFile;
using testing_support::ScopedCurrentDirectory;
using testing_support::TempDir;
using testing_support::TempHome;
namespace fs = std::filesystem;

namespace {

// A fresh settings object (the program has one, made by Settings::instance()).
class FreshSettings : public Settings {
public:
    FreshSettings() = default;
};

const std::string defaultFile =
    "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
    "<Settings FontSize=\"14\" PlayerFontSize=\"10\" Width=\"300\" CustomName=\"=QX/\" Alpha=\"255\" X=\"12\" "
    "Y=\"-34\" Update=\"1\" Language=\"0\" SettingsOnTheLeft=\"0\">\n"
    "\t<Colors BackgroundColor=\"7A89AA\" TextColor=\"000000\" LinkColor=\"FFFFFF\" MapColor=\"DDAA00\" "
    "GoodColor=\"00DD00\" BadColor=\"AA0000\" BotColor=\"C0C0C0\" AdminColor=\"EE00EE\" "
    "PlayerBackgroundColor=\"C2D4FB\" CustomColor=\"AAAA00\"/>\n"
    "\t<Display Head=\"1\" Join=\"1\" Status=\"1\" Ping=\"0\" Map=\"1\" OverView=\"1\" Pass=\"1\" Vac=\"1\" "
    "Bots=\"1\" Players=\"1\" PlayerList=\"1\" CS:Go=\"1\" CS:Source=\"0\" Time=\"0\" Kills=\"1\"/>\n"
    "</Settings>\n";

class SettingsFile : public ::testing::Test {
protected:
    SettingsFile() : inData(data.path())
    {
        setXmlOptions(XmlEncodingUtf8, true, true, true); // an earlier test may have read another encoding
        Engine::setWindowPositionReader([this](int& x, int& y) {
            x = windowX;
            y = windowY;
            return true;
        });
    }
    ~SettingsFile() override { Engine::setWindowPositionReader(nullptr); }

    void writeSettings(const std::string& settingsAttributes, const std::string& colors, const std::string& display)
    {
        data.write("Settings.xml", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Settings " + settingsAttributes +
                                       ">\n<Colors " + colors + "/>\n<Display " + display + "/>\n</Settings>\n");
    }

    TempHome home;
    TempDir data;
    ScopedCurrentDirectory inData;
    int windowX = 12;
    int windowY = -34;
};

TEST_F(SettingsFile, AFirstStartHasTheDefaultsAndWritesTheFiveLines)
{
    FreshSettings settings; // the values it saves are the defaults: see defaultFile
    EXPECT_EQ(settings.getFont(), "tahoma.ttf");
    EXPECT_EQ(settings.getX(), 0);
    EXPECT_EQ(settings.getY(), 0);
    EXPECT_FALSE(settings.getAutoStart());
    EXPECT_EQ(settings.getVersionString(), "0 0 0");
    EXPECT_EQ(settings.getLanguages().count(), 0);
    EXPECT_FALSE(fs::exists(data.file("Settings.xml")));

    settings.setVersion(4, 7, 0);
    EXPECT_EQ(settings.getVersionString(), "4.7.0");
    settings.save();
    EXPECT_EQ(data.read("Settings.xml"), defaultFile);
    EXPECT_EQ(settings.getX(), 12);
    EXPECT_EQ(settings.getY(), -34);
    EXPECT_FALSE(fs::exists(data.file("Settings.xml.new")));
}

TEST_F(SettingsFile, WithoutAWindowTheSavedPositionIsTheOneRead)
{
    writeSettings("X=\"640\" Y=\"480\"", "", "");
    Engine::setWindowPositionReader(nullptr);
    FreshSettings settings;
    settings.save();
    FreshSettings again;
    EXPECT_EQ(again.getX(), 640);
    EXPECT_EQ(again.getY(), 480);
}

TEST_F(SettingsFile, EverySettingRoundTrips)
{
    using ColorSetting = std::pair<void (Settings::*)(const Color&), const Color& (Settings::*)() const>;
    const ColorSetting colors[] = {
        {&Settings::setBackgroundColor, &Settings::getBackgroundColor}, {&Settings::setTextColor, &Settings::getTextColor},
        {&Settings::setLinkColor, &Settings::getLinkColor},             {&Settings::setMapColor, &Settings::getMapColor},
        {&Settings::setGoodColor, &Settings::getGoodColor},             {&Settings::setBadColor, &Settings::getBadColor},
        {&Settings::setBotColor, &Settings::getBotColor},               {&Settings::setAdminColor, &Settings::getAdminColor},
        {&Settings::setCustomColor, &Settings::getCustomColor},
        {&Settings::setPlayerBackgroundColor, &Settings::getPlayerBackgroundColor}};
    // Each flag is saved as the opposite of its default.
    using FlagSetting = std::pair<void (Settings::*)(bool), bool (Settings::*)() const>;
    const FlagSetting flags[] = {
        {&Settings::setHead, &Settings::getHead},         {&Settings::setJoin, &Settings::getJoin},
        {&Settings::setStatus, &Settings::getStatus},     {&Settings::setPing, &Settings::getPing},
        {&Settings::setMap, &Settings::getMap},           {&Settings::setOverView, &Settings::getOverView},
        {&Settings::setPass, &Settings::getPass},         {&Settings::setVac, &Settings::getVac},
        {&Settings::setBots, &Settings::getBots},         {&Settings::setPlayers, &Settings::getPlayers},
        {&Settings::setPlayerList, &Settings::getPlayerList}, {&Settings::setTime, &Settings::getTime},
        {&Settings::setKills, &Settings::getKills},       {&Settings::setUpdate, &Settings::getUpdate},
        {&Settings::setSettingsOnTheLeft, &Settings::getSettingsOnTheLeft}};
    const std::string name = "<a & \"b\" 'c'> \xc3\xa5";
    bool defaults[std::size(flags)];
    {
        FreshSettings settings;
        for (int i = 0; i < 10; ++i)
            (settings.*colors[i].first)(Color(3 * i, 3 * i + 1, 0xFE - i));
        for (std::size_t i = 0; i < std::size(flags); ++i) {
            defaults[i] = (settings.*flags[i].second)();
            (settings.*flags[i].first)(!defaults[i]);
        }
        settings.setFontSize(5);
        settings.setPlayerFontSize(16);
        settings.setWidth(9999);
        settings.setCustomName(name);
        settings.setAlpha(15);
        settings.setLanguage(2);
        windowX = -1920;
        windowY = 1080;
        settings.save();
    }
    EXPECT_NE(data.read("Settings.xml").find("CustomName=\"&lt;a &amp; &quot;b&quot; &apos;c&apos;&gt; \xc3\xa5\""),
              std::string::npos);
    FreshSettings settings;
    for (int i = 0; i < 10; ++i)
        EXPECT_EQ((settings.*colors[i].second)(), Color(3 * i, 3 * i + 1, 0xFE - i)) << "colour " << i;
    for (std::size_t i = 0; i < std::size(flags); ++i)
        EXPECT_NE((settings.*flags[i].second)(), defaults[i]) << "flag " << i;
    EXPECT_EQ(settings.getFontSize(), 5);
    EXPECT_EQ(settings.getPlayerFontSize(), 16);
    EXPECT_EQ(settings.getWidth(), 9999);
    EXPECT_EQ(settings.getCustomName(), name);
    EXPECT_EQ(settings.getAlpha(), 15);
    EXPECT_EQ(settings.getLanguage(), 2);
    EXPECT_EQ(settings.getX(), -1920);
    EXPECT_EQ(settings.getY(), 1080);
}

TEST_F(SettingsFile, NotificationsAreWrittenAfterServersOnlyWhenTheyDifferFromTheDefaults)
{
    struct Case {
        bool enabled, offline, slot;
        std::vector<std::string> friends;
        const char* written; // "" for no element
    };
    const std::vector<Case> cases = {
        {true, true, true, {}, ""},
        {false, true, true, {}, "<Notifications Enabled=\"0\" Offline=\"1\" Slot=\"1\"/>"},
        {true, false, true, {}, "<Notifications Enabled=\"1\" Offline=\"0\" Slot=\"1\"/>"},
        {true, true, false, {}, "<Notifications Enabled=\"1\" Offline=\"1\" Slot=\"0\"/>"},
        {true, true, true, {"Zien", "<b> & c"},
         "<Notifications Enabled=\"1\" Offline=\"1\" Slot=\"1\">\n\t\t<Friend Name=\"Zien\"/>\n"
         "\t\t<Friend Name=\"&lt;b&gt; &amp; c\"/>\n\t</Notifications>"},
    };
    for (const Case& c : cases) {
        {
            FreshSettings settings;
            settings.setNotifications(c.enabled);
            settings.setNotifyOffline(c.offline);
            settings.setNotifySlot(c.slot);
            settings.setFriends(c.friends);
            settings.save();
        }
        const std::string file = data.read("Settings.xml");
        if (*c.written == '\0') {
            EXPECT_EQ(file, defaultFile) << "a file that never used it is written as before";
        } else {
            const std::string::size_type display = file.find("<Display "), notices = file.find(c.written);
            EXPECT_TRUE(display != std::string::npos && notices != std::string::npos && display < notices) << file;
        }
        FreshSettings settings;
        EXPECT_EQ(settings.getNotifications(), c.enabled) << c.written;
        EXPECT_EQ(settings.getNotifyOffline(), c.offline) << c.written;
        EXPECT_EQ(settings.getNotifySlot(), c.slot) << c.written;
        EXPECT_EQ(settings.getFriends(), c.friends) << c.written;
    }

    FreshSettings settings;
    settings.setCSGoServer("cs.example.net:27016");
    settings.setNotifications(false);
    settings.save();
    const std::string file = data.read("Settings.xml");
    EXPECT_LT(file.find("<Servers "), file.find("<Notifications ")) << file;
}

TEST_F(SettingsFile, TheColumnsAreNeverRead)
{
    writeSettings("", "", "CS:Go=\"0\" CS:Source=\"1\"");
    FreshSettings settings;
    EXPECT_TRUE(settings.getCSGo());
    EXPECT_FALSE(settings.getCSSource());
    settings.setCSGo(false);
    settings.setCSSource(true);
    EXPECT_FALSE(settings.getCSGo());
    FreshSettings reloaded;
    reloaded.save();
    EXPECT_NE(data.read("Settings.xml").find("CS:Go=\"1\" CS:Source=\"0\""), std::string::npos);
}

TEST_F(SettingsFile, ColoursNumbersAndFlagsFollowTheLoadersRules)
{
    writeSettings("FontSize=\" \t12pt\" PlayerFontSize=\"\" Width=\"250px\" Alpha=\"300\" X=\"-12\" "
                  "Y=\"99999999999\" Language=\"abc\" Update=\"2\" SettingsOnTheLeft=\"1x\"",
                  "BackgroundColor=\"7a89aa\" TextColor=\"7A89\" LinkColor=\"FF0000FF\" MapColor=\"G1zz0F\" "
                  "GoodColor=\"1G2H3I\"",
                  "Head=\"0\" Join=\"\" Status=\"yes\" Ping=\"1\" Map=\"-0\"");
    FreshSettings settings;
    EXPECT_EQ(settings.getBackgroundColor(), Color(122, 137, 170, 255));
    EXPECT_EQ(settings.getTextColor(), Color(0, 0, 0, 255));
    EXPECT_EQ(settings.getLinkColor(), Color(255, 0, 0, 255));
    EXPECT_EQ(settings.getMapColor(), Color(0, 0, 15, 255));
    EXPECT_EQ(settings.getGoodColor(), Color(1, 2, 3, 255));
    EXPECT_EQ(settings.getBadColor(), Color(0, 0, 0, 255)) << "absent: black";
    EXPECT_EQ(settings.getFontSize(), 12);
    EXPECT_EQ(settings.getPlayerFontSize(), 10) << "empty: the default";
    EXPECT_EQ(settings.getWidth(), 250);
    EXPECT_EQ(settings.getAlpha(), 255) << "past the range: its top";
    EXPECT_EQ(settings.getX(), -12);
    EXPECT_EQ(settings.getY(), INT_MAX);
    EXPECT_EQ(settings.getLanguage(), 0);
    EXPECT_TRUE(settings.getUpdate()) << "2 is no flag: the default";
    EXPECT_TRUE(settings.getSettingsOnTheLeft());
    EXPECT_FALSE(settings.getHead());
    EXPECT_TRUE(settings.getJoin());
    EXPECT_TRUE(settings.getStatus());
    EXPECT_TRUE(settings.getPing());
    EXPECT_FALSE(settings.getMap());
    EXPECT_EQ(settings.getCustomName(), "") << "an absent name is the empty text";
    settings.save();
    EXPECT_NE(data.read("Settings.xml").find("BackgroundColor=\"7A89AA\""), std::string::npos);
}

TEST_F(SettingsFile, NamesMatchWithoutRegardToCaseAndUtf16Reads)
{
    data.write("Settings.xml", "<settings fontsize=\"9\"><colors backgroundcolor=\"FF0000\"/><DISPLAY HEAD=\"0\"/></settings>");
    FreshSettings settings;
    EXPECT_EQ(settings.getBackgroundColor(), Color(255, 0, 0));
    EXPECT_EQ(settings.getFontSize(), 9);
    EXPECT_FALSE(settings.getHead());

    std::u16string proper = u"<?xml version=\"1.0\"?><Settings Width=\"777\" CustomName=\"\u00e5\"><Colors/></Settings>";
    std::string utf16 = "\xff\xfe";
    for (char16_t u : proper) {
        utf16.push_back(static_cast<char>(u & 0xFF));
        utf16.push_back(static_cast<char>(u >> 8));
    }
    data.write("Settings.xml", utf16);
    FreshSettings wide;
    EXPECT_EQ(wide.getWidth(), 777);
    EXPECT_EQ(wide.getCustomName(), "\xc3\xa5");
}

using SettingsFileDeathTest = SettingsFile;

TEST_F(SettingsFileDeathTest, AnotherRootElementEndsTheProgramWith255)
{
    data.write("Settings.xml", "<?xml version=\"1.0\"?>\n<Other Width=\"1\"/>\n");
    EXPECT_EXIT({ FreshSettings settings; }, ::testing::ExitedWithCode(255),
                "XML Parsing error inside file 'Settings.xml'.\nError: First Tag not found\nAt line 0, column 0.\n"
                "First Tag should be 'Settings'.");
}

TEST_F(SettingsFileDeathTest, BrokenFilesEndTheProgramWith255)
{
    const std::string cutOff = defaultFile.substr(0, defaultFile.size() / 2);
    std::string binary;
    for (int i = 0; i < 100000; ++i)
        binary.push_back(static_cast<char>((i * 7919) % 251 + 1));
    for (const std::string& contents : {std::string(), cutOff, binary, std::string("<Settings><a></Settings>")}) {
        data.write("Settings.xml", contents);
        EXPECT_EXIT({ FreshSettings settings; }, ::testing::ExitedWithCode(255), "XML Parsing error inside file 'Settings.xml'")
            << contents.substr(0, 40);
    }
}

TEST_F(SettingsFile, DefaultsResetEverythingAndReadTheRunKeyAndLanguagesAgain)
{
    data.write("Languages.langmaster", "Svenska=sv.lang\n");
    data.write("sv.lang", "Save=Spara\r\n");
    FreshSettings settings;
    settings.setVersion(4, 7, 0);
    settings.setWidth(500);
    settings.setLanguage(0);
    EXPECT_EQ(settings.translate("Save"), "Spara");
    settings.setLanguage(7);
    EXPECT_EQ(settings.translate("Save"), "Save");
    settings.setLanguage(-1);
    EXPECT_EQ(settings.translate("Save"), "Save");

    settings.setAutoStart(true);
    EXPECT_TRUE(settings.getAutoStart());
    data.write("Languages.langmaster", "Svenska=sv.lang\nDeutsch=de.lang\n");
    settings.resetToDefaults();
    EXPECT_EQ(settings.getVersionString(), "0 0 0");
    EXPECT_EQ(settings.getVersionMajor(), 0);
    EXPECT_EQ(settings.getWidth(), 300);
    EXPECT_EQ(settings.getLanguage(), 0);
    EXPECT_EQ(settings.getLanguages().count(), 2);
    EXPECT_TRUE(settings.getAutoStart()) << "the Run key still holds the entry";
    bool ok = false;
    Registry::RegKey::open(Registry::CurrentUser, AutoStart::runKeyPath, ok).getValue(AutoStart::valueName, ok);
    EXPECT_TRUE(ok) << "the Run key holds the value";
    {
        FreshSettings nextStart;
        EXPECT_TRUE(nextStart.getAutoStart());
    }
    settings.setAutoStart(false);
    settings.resetToDefaults();
    EXPECT_FALSE(settings.getAutoStart());
}

// A save that cannot finish leaves the old file exactly as it was.
class FailingSave : public SettingsFile {
protected:
    void SetUp() override
    {
        {
            FreshSettings first;
            first.setCustomName("old");
            first.save();
        }
        before = data.read("Settings.xml");
        ASSERT_NE(before.find("CustomName=\"old\""), std::string::npos);
    }

    void saveAndCheck()
    {
        FreshSettings settings;
        settings.setCustomName("new and longer, so the file would grow");
        settings.save();
        EXPECT_EQ(data.read("Settings.xml"), before);
        EXPECT_EQ(settings.getCustomName(), "new and longer, so the file would grow");
    }

    std::string before;
};

TEST_F(FailingSave, WhenTheNewFileCannotBeMade)
{
    fs::create_directory(data.file("Settings.xml.new"));
    saveAndCheck();
}

TEST_F(FailingSave, WhenTheDiskIsFull)
{
    const std::string full = testing_support::fullDevicePath();
    if (full.empty())
        GTEST_SKIP() << "this system has no device whose writes fail";
    fs::create_symlink(full, data.file("Settings.xml.new"));
    saveAndCheck();
    EXPECT_FALSE(fs::exists(data.file("Settings.xml.new")));
}

TEST_F(FailingSave, WhenTheFileMayNotGrowBeyondAFewBytes)
{
    if (!testing_support::limitFileSize(100))
        GTEST_SKIP() << "this system cannot limit the size of the files a process writes";
    saveAndCheck();
    testing_support::restoreFileSizeLimit();
    EXPECT_FALSE(fs::exists(data.file("Settings.xml.new")));
}

TEST_F(FailingSave, WhenSettingsXmlHasBecomeAFolderItIsLeftAlone)
{
    FreshSettings settings;
    fs::remove(data.file("Settings.xml"));
    fs::create_directory(data.file("Settings.xml"));
    data.write("Settings.xml/keep", "x");
    settings.save();
    EXPECT_EQ(data.read("Settings.xml/keep"), "x");
    EXPECT_FALSE(fs::exists(data.file("Settings.xml.new")));
    // The next start cannot read it, and says so.
    EXPECT_EXIT({ FreshSettings next; }, ::testing::ExitedWithCode(255), "XML Parsing error inside file 'Settings.xml'");
}

} // namespace
