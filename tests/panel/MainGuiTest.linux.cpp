// The status panel in this process, where line coverage sees it (the whole program's tests
// check what it shows), and what of a server that hides its players' names a new status is
// compared by.
#include "engine/EventHandler.h"
#include "engine/UserEvent.h"
#include "panel/MainGui.h"
#include "panel/PlayerRules.h"
#include "panel/ServerHosts.h"
#include "panel/ShownStatus.h"
#include "settings/Settings.h"
#include "tests/panel/PanelEnvironment.h"
#include "tests/support/RecordingCommand.h"

#include <gtest/gtest.h>

namespace {

// A status with players into the CS:Go column, the join link, a release off it, the gear and
// the settings panel's closing, with the real event handler.
TEST(MainGui, AStatusTheLinksAndTheSettingsPanel)
{
    panel_testing::enterProgram();
    Settings& s = Settings::instance();
    s.resetToDefaults();
    s.setOverView(false); // no map downloads here
    s.setTime(true);
    testing_support::RecordingCommand steam("steam");
    const ServerHosts hosts = serverHosts();
    const auto click = [](int x, int y) {
        testing_support::pushMotion(x, y);
        testing_support::pushButton(true, x, y);
        testing_support::pushButton(false, x, y);
        Engine::EventHandler::instance().poll();
    };
    MainGui gui;
    ServerStatus status(hosts.csgoHost, hosts.csgoPort);
    status.setPing(20);
    status.setAnswered(true);
    status.setMap(std::string(3000, 'x')); // a stranger's name, cut to what can be drawn
    status.insertPlayer(Player(0, "Alice", 5, 100.0f));
    status.insertPlayer(Player(1, "Holmik", 9, 50.0f));
    Engine::pushUserRecord(Engine::userEventCode, new ServerStatus(status));
    Engine::EventHandler::instance().poll();
    gui.draw();

    const Engine::Box& link = gui.getGoJoinBox();
    click(link.getX() + link.getWidth() / 2, link.getY() + link.getHeight() / 2);
    ASSERT_TRUE(steam.waitForCalls(1));
    EXPECT_EQ(steam.calls()[0], (std::vector<std::string>{"-applaunch", "730", "+connect", hosts.csgoHost + ":" + std::to_string(hosts.csgoPort)}));
    for (bool join : {true, false}) {
        s.setJoin(join);
        std::filesystem::remove("Settings.xml");
        click(10, gui.getPanel().getHeight() - 5);
        EXPECT_EQ(std::filesystem::exists("Settings.xml"), join) << "a release off the link saves the position, without the link nothing";
    }

    click(Engine::Window::instance().getWidth() - 2 - 16 - 2 - 8, 10); // the gear, left of the close button
    EXPECT_TRUE(gui.getSettingsGui().isVisible() && !gui.isVisible());
    gui.getSettingsGui().setCloseRequested(true);
    gui.draw();
    EXPECT_TRUE(gui.isVisible() && !gui.getSettingsGui().isVisible());
}

TEST(HiddenNames, TheirNumberIsAllOfTheirPlayersThatIsCompared)
{
    ServerStatus before("h", 1), after("h", 1);
    before.setHiddenNames(10);
    after.setHiddenNames(10);
    before.insertPlayer(Player(0, " ", 3, 10.0f)); // names of blanks hide too
    after.insertPlayer(Player(0, "\t", 4, 11.0f));
    EXPECT_EQ(PlayerRules::hiddenPlayers(before), 11);
    EXPECT_EQ(ShownStatus::of(before), ShownStatus::of(after)) << "hidden players' names, kills and times are not shown";
    after.setHiddenNames(11);
    EXPECT_NE(ShownStatus::of(before), ShownStatus::of(after));
    after.insertPlayer(Player(2, "Zien", 1, 1.0f));
    EXPECT_EQ(PlayerRules::hiddenPlayers(after), 0) << "with one name the list is as before";
}

} // namespace
