// Settings.xml: the first start's file, a file with every setting read and written back as it
// was, the loader's rules for odd values, broken files (exit 255), and saves that fail
// without losing the old file.
#include "settings/Settings.h"
#include "settings/SettingsValues.h"
#include "engine/WindowPosition.h"
#include "tests/support/Platform.h"
#include "tests/support/TempDir.h"
#include "xml/XmlNode.h"

#include <gtest/gtest.h>

#include <climits>
#include <filesystem>
#include <functional>

namespace fs = std::filesystem;

namespace {

// A fresh settings object (the program has one, made by Settings::instance()).
class FreshSettings : public Settings {
public:
    FreshSettings() = default;
};

const std::string header = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
const std::string defaultFile =
    header +
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
        Engine::setWindowPositionReader([](int& x, int& y) { return x = 12, y = -34, true; });
    }
    ~SettingsFile() override { Engine::setWindowPositionReader(nullptr); }

    testing_support::TempHome home;
    testing_support::TempDir data;
    testing_support::ScopedCurrentDirectory inData;

    // Whether a save left nothing beside its file.
    bool noTemporaryFiles() const
    {
        for (const auto& entry : fs::directory_iterator(data.path()))
            if (entry.path().extension() == ".tmp")
                return false;
        return true;
    }
};

TEST_F(SettingsFile, AFirstStartHasTheDefaultsAndSavesThemWithTheWindowsPosition)
{
    FreshSettings settings;
    settings.save();
    EXPECT_EQ(data.read("Settings.xml"), defaultFile);
    EXPECT_TRUE(noTemporaryFiles());
}

// Every value differs from its default (but the window's position, which a save takes from the window).
TEST_F(SettingsFile, EverySettingIsReadAndWrittenBackAsItWas)
{
    const std::string file =
        header +
        "<Settings FontSize=\"5\" PlayerFontSize=\"16\" Width=\"9999\" CustomName=\"&lt;a &amp; &quot;b&quot; "
        "&apos;c&apos;&gt; \xc3\xa5\" Alpha=\"15\" X=\"12\" Y=\"-34\" Update=\"0\" Language=\"2\" "
        "SettingsOnTheLeft=\"1\">\n"
        "\t<Colors BackgroundColor=\"000102\" TextColor=\"030405\" LinkColor=\"060708\" MapColor=\"090A0B\" "
        "GoodColor=\"0C0D0E\" BadColor=\"0F1011\" BotColor=\"121314\" AdminColor=\"151617\" "
        "PlayerBackgroundColor=\"18191A\" CustomColor=\"1B1C1D\"/>\n"
        "\t<Display Head=\"0\" Join=\"0\" Status=\"0\" Ping=\"1\" Map=\"0\" OverView=\"0\" Pass=\"0\" Vac=\"0\" "
        "Bots=\"0\" Players=\"0\" PlayerList=\"0\" CS:Go=\"1\" CS:Source=\"0\" Time=\"1\" Kills=\"0\" History=\"0\"/>\n"
        "\t<Servers CSGo=\"cs.example.net:27016\" CSSource=\"\"/>\n"
        "\t<Notifications Enabled=\"0\" Offline=\"0\" Slot=\"0\">\n\t\t<Friend Name=\"Zien\"/>\n"
        "\t\t<Friend Name=\"&lt;b&gt; &amp; c\"/>\n\t</Notifications>\n"
        "</Settings>\n";
    data.write("Settings.xml", file);
    FreshSettings settings;
    EXPECT_EQ(settings.getCustomName(), "<a & \"b\" 'c'> \xc3\xa5");
    EXPECT_TRUE(settings.getLinkColor() == Color(6, 7, 8) && settings.getPlayerBackgroundColor() == Color(0x18, 0x19, 0x1A));
    EXPECT_TRUE(settings.getTime() && settings.getPing() && !settings.getKills() && !settings.getPlayerList());
    EXPECT_FALSE(settings.getHistory()) << "in the file only when off, as the default file shows";
    EXPECT_EQ(settings.getFriends(), (std::vector<std::string>{"Zien", "<b> & c"}));
    settings.save();
    EXPECT_EQ(data.read("Settings.xml"), file);
}

// Names match without regard to case.
TEST_F(SettingsFile, OddValuesFollowTheLoadersRules)
{
    data.write("Settings.xml",
               "<settings fontsize=\" \t12pt\" PlayerFontSize=\"\" Width=\"250px\" Alpha=\"300\" X=\"-12\" Y=\"99999999999\" "
               "Language=\"abc\" Update=\"2\" SettingsOnTheLeft=\"1x\">\n<colors backgroundcolor=\"7a89aa\" TextColor=\"7A89\" "
               "LinkColor=\"FF0000FF\" MapColor=\"G1zz0F\" GoodColor=\"1G2H3I\"/>\n<DISPLAY HEAD=\"0\" Join=\"\" Status=\"yes\" "
               "Ping=\"1\" Map=\"-0\" CS:Go=\"0\" CS:Source=\"1\"/><servers csgo=\"bad host\" CSSource=\"b.example\"/></settings>");
    FreshSettings s;
    const Color colors[] = {s.getBackgroundColor(), s.getTextColor(), s.getLinkColor(), s.getMapColor(), s.getGoodColor(), s.getBadColor()};
    EXPECT_EQ(std::vector<Color>(std::begin(colors), std::end(colors)),
              (std::vector<Color>{Color(122, 137, 170), Color(0, 0, 0), Color(255, 0, 0), Color(0, 0, 15), Color(1, 2, 3), Color(0, 0, 0)}))
        << "short and absent colours are black";
    const int numbers[] = {s.getFontSize(), s.getPlayerFontSize(), s.getWidth(), s.getAlpha(), s.getX(), s.getY(), s.getLanguage()};
    EXPECT_EQ(std::vector<int>(std::begin(numbers), std::end(numbers)), (std::vector<int>{12, 10, 250, 255, -12, INT_MAX, 0}));
    const bool flags[] = {s.getUpdate(), s.getSettingsOnTheLeft(), s.getHead(), s.getJoin(), s.getStatus(), s.getPing(), s.getMap()};
    EXPECT_EQ(std::vector<bool>(std::begin(flags), std::end(flags)), (std::vector<bool>{true, true, false, true, true, true, false}));
    EXPECT_TRUE(s.getCSGo() && !s.getCSSource()) << "the columns are never read";
    EXPECT_EQ(s.getCustomName(), "") << "an absent name is the empty text";
    EXPECT_EQ(s.getCSGoServer(), "") << "an address that does not read as one is left out";
    EXPECT_EQ(s.getCSSourceServer(), "b.example");
}

using SettingsFileDeathTest = SettingsFile;

// The XML layer's own tests check the messages for every kind of broken file.
TEST_F(SettingsFileDeathTest, BrokenFilesEndTheProgramWith255)
{
    for (const std::string& contents : {defaultFile.substr(0, 200), std::string("<?xml version=\"1.0\"?>\n<Other Width=\"1\"/>\n")}) {
        data.write("Settings.xml", contents);
        EXPECT_EXIT(FreshSettings(), ::testing::ExitedWithCode(255), "Rename or delete it to start with the default settings.")
            << "the way out: " << contents;
    }
    // A Settings.xml that has become a folder: a save leaves it alone, the next start says so.
    fs::remove(data.file("Settings.xml"));
    FreshSettings settings;
    data.write("Settings.xml/keep", "x");
    settings.save();
    EXPECT_EQ(data.read("Settings.xml/keep"), "x");
    EXPECT_TRUE(noTemporaryFiles());
    EXPECT_EXIT(FreshSettings(), ::testing::ExitedWithCode(255), "XML Parsing error inside file '.+Settings.xml'")
        << "the whole path";
}

// The box is a choice; the entry follows it only when written (at the panel's "Save").
TEST_F(SettingsFile, DefaultsKeepTheAutostartEntryWhichFollowsTheFlagOnlyWhenWritten)
{
    FreshSettings settings;
    settings.setAutoStart(true);
    EXPECT_FALSE(FreshSettings().getAutoStart()) << "the flag alone writes no entry";
    settings.writeAutoStart();
    settings.resetToDefaults();
    EXPECT_TRUE(settings.getAutoStart()) << "the entry stays";
    EXPECT_TRUE(FreshSettings().getAutoStart()) << "and the next start reads it";
    settings.setAutoStart(false);
    settings.writeAutoStart();
    settings.resetToDefaults();
    EXPECT_FALSE(settings.getAutoStart());
}

// The loader, the panel's buttons and the start-up fit share one table of ranges.
TEST_F(SettingsFile, NumbersAreKeptInTheirRangesAndWidthLeavesTheSettingsPanelRoomOnTheScreen)
{
    data.write("Settings.xml", "<Settings FontSize=\"4\" PlayerFontSize=\"17\" Width=\"12000\" Alpha=\"14\"/>");
    FreshSettings s;
    EXPECT_EQ(std::vector<int>({s.getFontSize(), s.getPlayerFontSize(), s.getWidth(), s.getAlpha()}), std::vector<int>({5, 16, 9999, 15}));
    s.fitWidthToScreen(1280);
    EXPECT_EQ(s.getWidth(), 1030) << "the window with the panel open is as wide as the screen";
    s.fitWidthToScreen(300);
    EXPECT_EQ(s.getWidth(), 100) << "never below the lowest width";
    EXPECT_EQ(SettingsValues::clampNumber(SettingsValues::Number::Alpha, 9000, 1920), 255) << "the screen bounds Width alone";
}

TEST_F(SettingsFile, ACutOffFileFallsBackToTheBackupWithOneLine)
{
    FreshSettings first;
    first.setCustomName("kept");
    first.save();
    data.write("Settings.xml.bak", data.read("Settings.xml"));
    data.write("Settings.xml", data.read("Settings.xml").substr(0, 200));
    testing::internal::CaptureStderr();
    FreshSettings again;
    EXPECT_EQ(testing::internal::GetCapturedStderr(),
              "holmikziviza: Settings.xml cannot be read; the settings come from Settings.xml.bak\n");
    EXPECT_EQ(again.getCustomName(), "kept");
    // A backup cut off too leaves the program's own error.
    data.write("Settings.xml.bak", data.read("Settings.xml"));
    EXPECT_EXIT(FreshSettings(), ::testing::ExitedWithCode(255), "XML Parsing error inside file '.+Settings.xml'");
}

} // namespace
