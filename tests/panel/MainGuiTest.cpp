// The status panel's own decisions that the whole program's tests do not reach: when a
// release saves the position, and what of a server that hides its players' names a new
// status is compared by.
#include "engine/EventHandler.h"
#include "panel/MainGui.h"
#include "panel/PlayerRules.h"
#include "panel/ShownStatus.h"
#include "settings/Settings.h"
#include "tests/panel/PanelEnvironment.h"

#include <gtest/gtest.h>

namespace {

TEST(MainGui, AReleaseAwayFromTheLinksSavesThePosition)
{
    panel_testing::enterProgram();
    Settings::instance().resetToDefaults();
    Settings::instance().setOverView(false); // no map downloads here
    testing_support::dropQueuedEvents();
    MainGui gui;
    gui.draw();
    for (bool join : {true, false}) {
        Settings::instance().setJoin(join);
        std::filesystem::remove("Settings.xml");
        testing_support::pushButton(true, 10, gui.getPanel().getHeight() - 5);
        testing_support::pushButton(false, 10, gui.getPanel().getHeight() - 5);
        Engine::EventHandler::instance().poll();
        EXPECT_EQ(std::filesystem::exists("Settings.xml"), join) << "without the Join row a release saves nothing";
    }
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
