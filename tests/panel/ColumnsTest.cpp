// The line of a server that hides its players' names: drawn with their number, and the only
// thing of its players that a new status is compared by.
#include "panel/MainGui.h"
#include "panel/PlayerRules.h"
#include "panel/ShownStatus.h"
#include "settings/Settings.h"
#include "tests/panel/PanelEnvironment.h"

#include <gtest/gtest.h>

namespace {

TEST(HiddenNames, OneLineWithTheirNumber)
{
    panel_testing::enterProgram();
    Settings::instance().resetToDefaults();
    ServerStatus twelve("h", 1);
    twelve.setHiddenNames(10);
    twelve.insertPlayer(Player(0, " ", 3, 10.0f)); // names of blanks hide too
    twelve.insertPlayer(Player(1, "\t", 2, 10.0f));
    ASSERT_EQ(PlayerRules::hiddenPlayers(twelve), 12);

    MainGui gui;
    const Engine::Surface line = gui.renderPlayerList(twelve);
    ASSERT_GT(line.getHeight(), 0);
    bool text = false;
    for (int y = 0; y < line.getHeight(); ++y)
        for (int x = 0; x < 30; ++x)
            text = text || !(line.getPixel(x, y) == Settings::instance().getPlayerBackgroundColor());
    EXPECT_TRUE(text) << "the line has text on it";

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
