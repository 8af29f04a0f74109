// The servers the columns watch: how an address is read, <Servers> in Settings.xml, and the
// two text boxes of the settings panel's third tab.
#include "BuildConfig.h"
#include "engine/gui/Button.h"
#include "engine/gui/Label.h"
#include "engine/gui/TextBox.h"
#include "engine/WindowPosition.h"
#include "settings/ServerAddress.h"
#include "settings/Settings.h"
#include "tests/settings/PanelDriver.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

using ServerAddress::Problem;

TEST(ServerAddress, ReadsHostAndPortAndNamesWhatIsWrong)
{
    struct Case {
        const char* text;
        Problem problem;
        const char* host;
        std::uint16_t port;
    };
    const Case cases[] = {
        {"cs.example.net", Problem::None, "cs.example.net", 27015},
        {"127.0.0.1:27016", Problem::None, "127.0.0.1", 27016},
        {"h:65535", Problem::None, "h", 65535},
        {"", Problem::EmptyHost, "", 0},
        {":27015", Problem::EmptyHost, "", 0},
        {"h:0", Problem::BadPort, "", 0},
        {"h:65536", Problem::BadPort, "", 0},
        {"h:", Problem::BadPort, "", 0},
        {"h:27o15", Problem::BadPort, "", 0},
        {"cs example.net", Problem::Spaces, "", 0},
        {"h:27015 ", Problem::Spaces, "", 0},
    };
    for (const Case& c : cases) {
        std::string host = "untouched";
        std::uint16_t port = 27015;
        EXPECT_EQ(ServerAddress::read(c.text, host, port), c.problem) << c.text;
        if (c.problem == Problem::None) {
            EXPECT_EQ(host, c.host) << c.text;
            EXPECT_EQ(port, c.port) << c.text;
            EXPECT_EQ(ServerAddress::text(host, port), c.port == 27015 ? std::string(c.host) : std::string(c.text));
        } else {
            EXPECT_EQ(host, "untouched") << c.text;
        }
    }
}

class FreshSettings : public Settings {
public:
    FreshSettings() = default;
};

class ServersFile : public ::testing::Test {
protected:
    ServersFile() : inData(data.path())
    {
        Engine::setWindowPositionReader([](int& x, int& y) {
            x = y = 0;
            return true;
        });
    }
    ~ServersFile() override { Engine::setWindowPositionReader(nullptr); }

    testing_support::TempHome home;
    testing_support::TempDir data;
    testing_support::ScopedCurrentDirectory inData;
};

TEST_F(ServersFile, ReadSavedAfterDisplayOnlyWhenUsedAndReadAgain)
{
    struct Case {
        const char* servers; // the element in the file, or ""
        const char* go;      // what is read
        const char* source;
        const char* saved; // the element save writes, or "" for none
    };
    const Case cases[] = {
        {"", "", "", ""},
        {"<Servers/>", "", "", ""},
        {"<servers csgo=\"a.example:27020\"/>", "a.example:27020", "", "\t<Servers CSGo=\"a.example:27020\" CSSource=\"\"/>\n"},
        {"<Servers CSGo=\"\" CSSource=\"b.example\"/>", "", "b.example", "\t<Servers CSGo=\"\" CSSource=\"b.example\"/>\n"},
        {"<Servers CSGo=\"bad host\" CSSource=\"b:0\"/>", "", "", ""},
    };
    for (const Case& c : cases) {
        data.write("Settings.xml", std::string("<Settings><Display Head=\"1\"/>") + c.servers + "</Settings>");
        FreshSettings read;
        EXPECT_EQ(read.getCSGoServer(), c.go) << c.servers;
        EXPECT_EQ(read.getCSSourceServer(), c.source) << c.servers;
        read.save();
        const std::string saved = data.read("Settings.xml");
        const std::size_t display = saved.find("\t<Display ");
        ASSERT_NE(display, std::string::npos);
        const std::size_t after = saved.find('\n', display) + 1;
        EXPECT_EQ(saved.substr(after), std::string(c.saved) + "</Settings>\n") << c.servers;
        FreshSettings again;
        EXPECT_EQ(again.getCSGoServer(), c.go);
        EXPECT_EQ(again.getCSSourceServer(), c.source);
    }
}

class ServerBoxes : public panel_test::PanelTest {
protected:
    void SetUp() override
    {
        PanelTest::SetUp();
        showTab("OthersButton");
    }
    std::string builtIn() const { return ServerAddress::text(BuildConfig::csgoHost, ServerAddress::defaultPort); }
};

TEST_F(ServerBoxes, SaveTakesNewAddressesAndRefusesBadOnes)
{
    struct Case {
        const char* go;     // typed into the CS:Go box (nullptr: left alone)
        const char* source; // typed into the CS:Source box
        const char* problem; // what the panel says, "" for nothing
        const char* goSetting;
        const char* sourceSetting;
        bool goChanged, sourceChanged;
    };
    const Case cases[] = {
        {"10.0.0.7:27016", "css.example", "", "10.0.0.7:27016", "css.example", true, true},
        {nullptr, "", "", "", "", false, true}, // emptied: no CS:Source server
        {"", nullptr, "", "", "", true, false}, // emptied: the built-in CS:Go server
        {"bad host", nullptr, "CS:Go: No spaces in an address", nullptr, nullptr, false, false},
        {nullptr, "css.example:0", "CS:Source: The port must be 1-65535", nullptr, nullptr, false, false},
        {nullptr, ":27015", "CS:Source: The address needs a host", nullptr, nullptr, false, false},
    };
    auto* goBox = panel_test::find<Engine::Gui::TextBox>(*panel, "CSGoServerTextBox");
    auto* sourceBox = panel_test::find<Engine::Gui::TextBox>(*panel, "CSSourceServerTextBox");
    ASSERT_TRUE(goBox && sourceBox);
    for (const Case& c : cases) {
        Settings& s = Settings::instance();
        s.setCSGoServer("");
        s.setCSSourceServer("");
        panel->setServerTexts(builtIn(), "old.example:27017");
        panel->setCloseRequested(false);
        if (c.go)
            typeInto(goBox, c.go);
        if (c.source)
            typeInto(sourceBox, c.source);
        click(panel_test::find<Engine::Gui::Button>(*panel, "SaveButton"));
        EXPECT_EQ(panel->getServerProblem(), c.problem);
        EXPECT_EQ(panel->isCloseRequested(), std::string(c.problem).empty()) << "a bad address keeps the panel open";
        EXPECT_EQ(testing_support::readFile("Settings.xml").empty(), !std::string(c.problem).empty())
            << "nothing is saved while an address is bad";
        std::remove("Settings.xml");
        bool goChanged = true, sourceChanged = true;
        panel->takeChangedServers(goChanged, sourceChanged);
        EXPECT_EQ(goChanged, c.goChanged);
        EXPECT_EQ(sourceChanged, c.sourceChanged);
        if (c.goSetting) {
            EXPECT_EQ(s.getCSGoServer(), c.goSetting);
            EXPECT_EQ(s.getCSSourceServer(), c.sourceSetting);
        }
    }
}

} // namespace
