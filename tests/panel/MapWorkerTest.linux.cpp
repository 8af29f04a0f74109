// A map host that accepts and never answers holds up neither the rebuild nor the panel's end.
#include "panel/MapOverView.h"
#include "panel/ServerHosts.h"
#include "settings/Settings.h"
#include "tests/panel/PanelEnvironment.h"
#include "tests/support/ScriptedTcpServer.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

TEST(MapWorker, ASilentMapHostHoldsUpNothing)
{
    const std::string data = panel_testing::enterProgram();
    Settings::instance().resetToDefaults();
    std::filesystem::remove_all(std::filesystem::path(data) / "mapOverViews");
    testing_support::ScriptedTcpServer silent(std::vector<testing_support::ScriptedTcpServer::Step>{},
                                              testing_support::ScriptedTcpServer::Ending::Hang);
    serverHosts().mapHost = silent.host();
    SDL_Event drain;
    while (SDL_PollEvent(&drain)) {
    }
    {
        MapOverView view(true);
        view.setMap("de_silent"); // returns at once: the worker asks
        EXPECT_FALSE(view.isAvailable());
        for (int i = 0; i < 500 && silent.connections() == 0; ++i)
            SDL_Delay(10);
        EXPECT_EQ(silent.connections(), 1);
        EXPECT_TRUE(view.isFetching());
        EXPECT_EQ(view.getSurface().getWidth(), 160);
    } // gone while the worker still waits for an answer
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::path(data) / "mapOverViews" / "csgo" / "de_silent.jpg"));
}

} // namespace
