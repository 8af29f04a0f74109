// The servers the columns watch in Settings.xml (<Servers>), and the settings panel's boxes
// that refuse a bad address.
#include "engine/WindowPosition.h"
#include "engine/gui/Button.h"
#include "engine/gui/TextBox.h"
#include "settings/Settings.h"
#include "tests/settings/PanelDriver.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

class FreshSettings : public Settings {
public:
    FreshSettings() = default;
};

TEST(ServersFile, ReadSavedAfterDisplayOnlyWhenUsedAndReadAgain)
{
    testing_support::TempHome home;
    testing_support::TempDir data;
    testing_support::ScopedCurrentDirectory inData(data.path());
    Engine::setWindowPositionReader(nullptr);
    const struct {
        const char* servers; // the element in the file
        const char* go;      // what is read
        const char* source;
        const char* saved; // what save writes after Display
    } cases[] = {
        {"", "", "", ""},
        {"<servers csgo=\"a.example:27020\"/>", "a.example:27020", "", "\t<Servers CSGo=\"a.example:27020\" CSSource=\"\"/>\n"},
        {"<Servers CSGo=\"\" CSSource=\"b.example\"/>", "", "b.example", "\t<Servers CSGo=\"\" CSSource=\"b.example\"/>\n"},
        {"<Servers CSGo=\"bad host\" CSSource=\"b:0\"/>", "", "", ""},
    };
    for (const auto& c : cases) {
        data.write("Settings.xml", std::string("<Settings><Display Head=\"1\"/>") + c.servers + "</Settings>");
        for (int pass = 0; pass < 2; ++pass) { // as read from the file, then from the saved one
            FreshSettings settings;
            EXPECT_EQ(settings.getCSGoServer(), c.go) << c.servers;
            EXPECT_EQ(settings.getCSSourceServer(), c.source) << c.servers;
            settings.save();
            const std::string saved = data.read("Settings.xml");
            EXPECT_EQ(saved.substr(saved.find('\n', saved.find("\t<Display ")) + 1), std::string(c.saved) + "</Settings>\n");
        }
    }
}

using ServerBoxes = panel_test::PanelTest;

TEST_F(ServerBoxes, ABadAddressIsNamedAndNothingIsSaved)
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
    showTab("OthersButton");
    std::remove("Settings.xml");
    for (const auto& c : cases) {
        panel->setServerTexts("cs.example", "");
        typeInto(panel_test::find<Engine::Gui::TextBox>(*panel, c.box), c.typed);
        click(panel_test::find<Engine::Gui::Button>(*panel, "SaveButton"));
        EXPECT_EQ(panel->getServerProblem(), c.problem);
        EXPECT_EQ(data.read("Settings.xml").empty(), *c.problem != 0) << "saved only when every address is good";
    }
    bool go = true, source = false;
    panel->takeChangedServers(go, source);
    EXPECT_FALSE(go);
    EXPECT_TRUE(source);
    EXPECT_EQ(Settings::instance().getCSSourceServer(), "css.example:27016");
    EXPECT_EQ(Settings::instance().getCSGoServer(), "") << "the untouched box keeps its setting";
}

} // namespace
