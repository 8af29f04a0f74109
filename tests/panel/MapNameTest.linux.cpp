// Map names come from a stranger's server: the picture's file and address are made from
// them by one rule, and nothing is ever created, loaded or deleted outside the cache.
#include "engine/EventHandler.h"
#include "panel/MainGui.h"
#include "panel/MapOverView.h"
#include "panel/ServerHosts.h"
#include "query/ServerPoller.h"
#include "query/TestServer.h"
#include "settings/Settings.h"
#include "tests/panel/PanelEnvironment.h"
#include "tests/support/NginxServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

TEST(MapNames, FileBaseIsThePartAfterTheLastSlashWithOnlySafeBytes)
{
    panel_testing::enterProgram();
    const struct {
        std::string name;
        std::string base; // empty: no picture
    } table[] = {
        {"de_dust2", "de_dust2"},
        {"cs_$office", "cs__office"},
        {"../../../evil", "evil"},
        {"/etc/passwd", "passwd"},
        {"a\\b", "a_b"},
        {"workshop/123/aim_x", "aim_x"},
        {"workshop/123456789/aim_deagle", "aim_deagle"},
        {"de_dust2 v1.2-final", "de_dust2_v1.2-final"},
        {"d\xc3\xa9" "fi\n", "d__fi_"},
        {std::string(4000, 'a'), ""},
        {std::string(64, 'a'), std::string(64, 'a')},
        {std::string(65, 'a'), ""},
        {"", ""},
        {"..", ""},
        {".", ""},
        {"maps/..", ""},
        {"maps/", ""},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name.substr(0, 80));
        EXPECT_EQ(MapOverView::fileBase(row.name), row.base);
        const std::string file = MapOverView::cacheFile(row.name, true);
        const std::string path = MapOverView::resourcePath(row.name, false);
        if (!row.base.empty() && row.base == row.name) {
            EXPECT_EQ(fs::path(file).parent_path().filename(), "csgo");
            EXPECT_EQ(path, "/images/maps/160x120/css/" + row.name + ".jpg");
        } else {
            EXPECT_EQ(file, "") << "only a base that the rule gives names a file";
            EXPECT_EQ(path, "");
        }
    }
}

// The panel polls our own game server, which reports hostile map names one after the
// other; the map-image host serves a file that is not a picture for each name it is asked.
TEST(MapNames, HostileNamesFromAServerStayInsideTheCache)
{
    const std::string data = panel_testing::enterProgram();
    Settings& s = Settings::instance();
    s.resetToDefaults();
    fs::remove_all(fs::path(data) / "mapOverViews");
    const fs::path outside = fs::path(data).parent_path();
    testing_support::writeFile((outside / "evil.jpg").string(), "not yours");
    testing_support::writeFile((fs::path(data) / "passwd.jpg").string(), "not yours either");

    testing_support::NginxServer web;
    ASSERT_TRUE(web.start()) << web.errorLog();
    serverHosts().mapHost = web.host();
    for (const char* base : {"evil", "passwd", "a_b", "aim_x"})
        web.serve(std::string("/images/maps/160x120/csgo/") + base + ".jpg", "no picture");

    TestServer game;
    game.setMap("../../../evil");
    game.setDelay(1);
    ASSERT_TRUE(game.start());
    serverHosts().csgoHost = "127.0.0.1";
    serverHosts().csgoPort = game.port();
    ServerPoller poller("127.0.0.1", game.port());
    poller.setPauseSteps(5);
    poller.start();
    {
        MainGui gui;
        const std::vector<std::string> maps = {"../../../evil", "/etc/passwd",        "a\\b", "workshop/123/aim_x",
                                               std::string(4000, 'x'), std::string(), ".."};
        for (const std::string& map : maps) {
            SCOPED_TRACE(map.substr(0, 40));
            game.setMap(map);
            const std::string expected = MapOverView::fileBase(map);
            // Until the panel has heard of the name and its worker is done with it.
            bool seen = false;
            for (int i = 0; i < 1000 && !seen; ++i) {
                Engine::EventHandler::instance().poll();
                gui.draw();
                seen = gui.getGoStatus().getMap() == map;
                SDL_Delay(10);
            }
            ASSERT_TRUE(seen);
            for (int i = 0; i < 10; ++i) { // a few more rebuilds take the worker's result in
                SDL_Delay(50);
                Engine::EventHandler::instance().poll();
                gui.draw();
            }
        }
    }
    poller.stop();

    for (const std::string& request : web.requests()) {
        EXPECT_EQ(request.find(".."), std::string::npos) << request;
        EXPECT_NE(request.find("/images/maps/160x120/csgo/"), std::string::npos) << request;
    }
    EXPECT_EQ(web.requests().size(), 4u) << "one request for each name with a picture";

    EXPECT_EQ(testing_support::readFile((outside / "evil.jpg").string()), "not yours");
    EXPECT_EQ(testing_support::readFile((fs::path(data) / "passwd.jpg").string()), "not yours either");
    // The answers were no pictures: each was deleted, in the cache and nowhere else.
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(data) / "mapOverViews"))
        EXPECT_TRUE(entry.is_directory()) << entry.path();
    fs::remove(outside / "evil.jpg");
    fs::remove(fs::path(data) / "passwd.jpg");
}

} // namespace
