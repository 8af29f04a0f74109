// The status panel's own decisions that the whole program's tests do not reach: what a
// status from another host does, when a release saves the position, and what of a server
// that hides its players' names a new status is compared by.
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

class MainGuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel_testing::enterProgram();
        Settings::instance().resetToDefaults();
        Settings::instance().setOverView(false); // no map downloads in these checks
        testing_support::dropQueuedEvents();
    }
    static void deliver(const std::string& host)
    {
        ServerStatus status(host, 27015);
        status.setPing(30);
        status.setMap("de_dust2");
        Engine::pushUserRecord(Engine::userEventCode, new ServerStatus(status));
        Engine::EventHandler::instance().poll();
    }
    static void click(int x, int y)
    {
        testing_support::pushButton(true, x, y);
        testing_support::pushButton(false, x, y);
        Engine::EventHandler::instance().poll();
    }
};

TEST_F(MainGuiTest, StatusesGoToTheColumnOfTheirHost)
{
    MainGui gui;
    gui.draw();
    deliver("somewhere.else");
    EXPECT_EQ(gui.getGoStatus().getPing(), -1) << "another host is ignored";
    deliver(serverHosts().csgoHost);
    EXPECT_EQ(gui.getGoStatus().getPing(), 30);
    EXPECT_EQ(gui.getGoStatus().getMap(), "de_dust2");
    EXPECT_TRUE(gui.isDirty());
}

TEST_F(MainGuiTest, AReleaseAwayFromTheLinksSavesThePosition)
{
    MainGui gui;
    gui.draw();
    std::filesystem::remove("Settings.xml");
    click(10, gui.getPanel().getHeight() - 5);
    EXPECT_TRUE(std::filesystem::exists("Settings.xml"));
    EXPECT_FALSE(Engine::EventHandler::instance().isQuit());
    std::filesystem::remove("Settings.xml");
    Settings::instance().setJoin(false);
    click(10, gui.getPanel().getHeight() - 5);
    EXPECT_FALSE(std::filesystem::exists("Settings.xml")) << "without the Join row a release saves nothing";
}

TEST(HiddenNames, TheirNumberIsAllOfTheirPlayersThatIsCompared)
{
    ServerStatus twelve("h", 1);
    twelve.setHiddenNames(10);
    twelve.insertPlayer(Player(0, " ", 3, 10.0f)); // names of blanks hide too
    twelve.insertPlayer(Player(1, "\t", 2, 10.0f));
    EXPECT_EQ(PlayerRules::hiddenPlayers(twelve), 12);
    ServerStatus later = twelve;
    later.clearPlayerList();
    later.insertPlayer(Player(0, " ", 4, 11.0f));
    later.insertPlayer(Player(1, "\t", 2, 12.0f));
    EXPECT_EQ(ShownStatus::of(twelve), ShownStatus::of(later)) << "hidden players' kills and times are not shown";
    later.setHiddenNames(11);
    EXPECT_NE(ShownStatus::of(twelve), ShownStatus::of(later));
    later.insertPlayer(Player(2, "Zien", 1, 1.0f));
    EXPECT_EQ(PlayerRules::hiddenPlayers(later), 0) << "with one name the list is as before";
}

} // namespace
