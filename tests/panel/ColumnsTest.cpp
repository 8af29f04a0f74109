// The two columns: which statuses each takes, and the line of a server that hides its
// players' names.
#include "engine/EventHandler.h"
#include "engine/UserEvent.h"
#include "panel/MainGui.h"
#include "panel/PlayerRules.h"
#include "panel/ServerHosts.h"
#include "panel/ShownStatus.h"
#include "settings/Settings.h"
#include "tests/panel/PanelEnvironment.h"

#include <gtest/gtest.h>

namespace {

class Columns : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel_testing::enterProgram();
        Settings& s = Settings::instance();
        s.resetToDefaults();
        s.setOverView(false);
        saved = serverHosts();
        SDL_Event drain;
        while (SDL_PollEvent(&drain)) {
        }
    }
    void TearDown() override
    {
        serverHosts() = saved;
        Settings::instance().resetToDefaults();
    }

    static ServerStatus status(const std::string& host, std::uint16_t port, int ping)
    {
        ServerStatus st(host, port);
        st.setPing(static_cast<std::int16_t>(ping));
        st.setMap("de_dust2");
        return st;
    }
    static void deliver(const ServerStatus& st) { Engine::pushUserRecord(Engine::userEventCode, new ServerStatus(st)); }

    ServerHosts saved;
};

TEST_F(Columns, AStatusGoesToTheColumnOfItsHostAndPort)
{
    ServerHosts& hosts = serverHosts();
    hosts.csgoHost = hosts.cssHost = "127.0.0.1";
    hosts.csgoPort = 27015;
    hosts.cssPort = 27016;
    Settings::instance().setCSSource(true);
    struct Case {
        const char* host;
        std::uint16_t port;
        int goPing, sourcePing; // what each column holds afterwards
    };
    const Case cases[] = {
        {"127.0.0.1", 27015, 11, -1},
        {"127.0.0.1", 27016, 11, 12},
        {"127.0.0.1", 27017, 11, 12}, // no column watches that port
        {"", 27016, 11, 12},          // a record from before the first good answer
        {"10.0.0.1", 27015, 11, 12},
    };
    MainGui gui;
    int ping = 10;
    for (const Case& c : cases) {
        deliver(status(c.host, c.port, ++ping));
        Engine::EventHandler::instance().poll();
        EXPECT_EQ(gui.getGoStatus().getPing(), c.goPing) << c.host << ":" << c.port;
        EXPECT_EQ(gui.getSourceStatus().getPing(), c.sourcePing) << c.host << ":" << c.port;
    }

    // Without a CS:Source server, nothing goes to its column, not even a hostless record.
    hosts.cssHost.clear();
    deliver(status("", 27015, 40));
    Engine::EventHandler::instance().poll();
    EXPECT_EQ(gui.getSourceStatus().getPing(), 12);
}

TEST_F(Columns, HiddenNamesShowTheirNumberAndOnlyItCounts)
{
    struct Case {
        std::vector<std::string> names; // "" is an entry dropped for its empty name
        int hidden;
    };
    const Case cases[] = {
        {{}, 0},
        {{"", "", ""}, 3},
        {{" ", "", "\t"}, 3}, // names of blanks only hide too
        {{"Zien", "", ""}, 0}, // mixed: the named ones as before
    };
    for (const Case& c : cases) {
        ServerStatus st = status("h", 1, 20);
        int dropped = 0;
        for (const std::string& name : c.names)
            if (name.empty())
                ++dropped;
            else
                st.insertPlayer(Player(0, name, 1, 60.0f));
        st.setHiddenNames(static_cast<std::uint8_t>(dropped));
        EXPECT_EQ(PlayerRules::hiddenPlayers(st), c.hidden);
    }

    MainGui gui;
    ServerStatus twelve = status("h", 1, 20);
    twelve.setHiddenNames(12);
    const Engine::Surface line = gui.renderPlayerList(twelve);
    EXPECT_GT(line.getHeight(), 0) << "the line is drawn";
    EXPECT_EQ(line.getWidth(), 290);
    bool text = false;
    for (int y = 0; y < line.getHeight() && !text; ++y)
        for (int x = 0; x < 60 && !text; ++x)
            text = !(line.getPixel(x, y) == Settings::instance().getPlayerBackgroundColor());
    EXPECT_TRUE(text) << "the line has text on it";

    ServerStatus eleven = twelve;
    eleven.setHiddenNames(11);
    EXPECT_NE(ShownStatus::of(twelve), ShownStatus::of(eleven)) << "a new number is a new picture";
    ServerStatus named = twelve;
    named.insertPlayer(Player(0, " ", 3, 10.0f));
    ServerStatus later = named;
    later.clearPlayerList();
    later.insertPlayer(Player(0, " ", 4, 11.0f));
    EXPECT_EQ(ShownStatus::of(named), ShownStatus::of(later)) << "hidden players' scores and times are not shown";
}

} // namespace
