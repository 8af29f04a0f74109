// Map pictures: downloaded from the map-image host (a real nginx, or a host that never
// answers) into the cache, shown, or the placeholder. Map names come from a stranger's server:
// the file and address are made from them by one rule, and nothing is ever created, loaded
// or deleted outside the cache.
#include "panel/MapOverView.h"
#include "panel/ServerHosts.h"
#include "settings/Settings.h"
#include "tests/panel/PanelEnvironment.h"
#include "tests/support/NginxServer.h"
#include "tests/support/ScriptedTcpServer.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace fs = std::filesystem;

namespace {

TEST(MapNames, FileBaseIsThePartAfterTheLastSlashWithOnlySafeBytes)
{
    panel_testing::enterProgram();
    const struct {
        std::string name;
        std::string base; // empty: no picture
    } table[] = {
        {"de_dust2", "de_dust2"},       {"cs_$office", "cs__office"}, {"../../../evil", "evil"}, {"a\\b", "a_b"},
        {"workshop/123456789/aim_deagle", "aim_deagle"}, {"de_dust2 v1.2-final", "de_dust2_v1.2-final"},
        {"d\xc3\xa9" "fi\n", "d__fi_"}, {std::string(64, 'a'), std::string(64, 'a')}, {std::string(65, 'a'), ""},
        {"..", ""},                     {"maps/..", ""},              {"maps/", ""},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.name.substr(0, 80));
        EXPECT_EQ(MapOverView::fileBase(row.name), row.base);
        const std::string file = MapOverView::cacheFile(row.name, true), path = MapOverView::resourcePath(row.name, false);
        if (!row.base.empty() && row.base == row.name) {
            EXPECT_EQ(fs::path(file).parent_path().filename(), "csgo");
            EXPECT_EQ(path, "/images/maps/160x120/css/" + row.name + ".jpg");
        } else {
            EXPECT_EQ(file + path, "") << "only a base that the rule gives names a file";
        }
    }
}

TEST(MapNames, ADeviceNameInAnyCaseOrWithAnyExtensionIsNeverACacheFileName)
{
    panel_testing::enterProgram();
    for (const char* device : {"NUL", "con", "Aux.x", "prn.tar.gz", "COM1", "com9.bsp", "LPT1", "lpt3.a.b", "CONIN$"})
        EXPECT_TRUE(MapOverView::isDeviceName(device)) << device;
    for (const char* name : {"de_nul", "COM", "COM10", "LPT", "console", "nul_map", "_CON", "auxiliary.x"})
        EXPECT_FALSE(MapOverView::isDeviceName(name)) << name;
    for (const char* map : {"COM1", "nul", "Lpt1.v2"}) {
        const std::string file = fs::path(MapOverView::cacheFile(map, true)).filename().string();
        EXPECT_EQ(file, "_" + std::string(map) + ".jpg");
        EXPECT_FALSE(MapOverView::isDeviceName(file));
        EXPECT_EQ(MapOverView::resourcePath(map, true), "/images/maps/160x120/csgo/" + std::string(map) + ".jpg")
            << "the server's name stays";
    }
}

class MapOverViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        Settings::instance().resetToDefaults();
        fs::remove_all(fs::path(data) / "mapOverViews");
        ASSERT_TRUE(web.start()) << web.errorLog();
        serverHosts().mapHost = web.host();
    }
    // The download runs on the worker: wait until its result has been taken in.
    static void show(MapOverView& view, const std::string& map)
    {
        view.setMap(map);
        for (int i = 0; i < 2000 && view.isFetching(); ++i) {
            view.getSurface();
            SDL_Delay(10);
        }
    }
    bool cached(const std::string& file) const { return fs::exists(fs::path(data) / "mapOverViews" / file); }

    const std::string data = panel_testing::enterProgram();
    testing_support::NginxServer web;
};

TEST_F(MapOverViewTest, FirstShowDownloadsIntoTheCacheOnceAndShowsThePicture)
{
    const std::string picture = testing_support::readFile(std::string(HOLMIK_FIXTURES_DIR) + "/maps/de_dust2.jpg");
    web.serve("/images/maps/160x120/csgo/de_dust2.jpg", picture);
    MapOverView view(true);
    show(view, "de_dust2");
    EXPECT_TRUE(view.isAvailable());
    EXPECT_TRUE(cached("csgo/de_dust2.jpg"));
    // The picture, not the placeholder: the placeholder is the plain background there.
    EXPECT_NE(view.getSurface().getPixel(40, 40), Settings::instance().getBackgroundColor());
    view.setMap("de_dust2"); // the same map: no request
    view.setMap("");         // an empty name keeps what is shown
    EXPECT_EQ(view.getMapName(), "de_dust2");
    EXPECT_TRUE(view.isAvailable());
    EXPECT_EQ(web.requests().size(), 1u);
}

TEST_F(MapOverViewTest, MissingPicturesBrokenFilesAndADeadHostEndInThePlaceholder)
{
    web.serve("/images/maps/160x120/csgo/de_broken.jpg", "this is not a picture");
    MapOverView view(true);
    show(view, "de_nowhere");
    EXPECT_FALSE(view.isAvailable());
    EXPECT_FALSE(cached("csgo/de_nowhere.jpg")) << "a 404 stores nothing";
    show(view, "de_broken");
    EXPECT_FALSE(cached("csgo/de_broken.jpg")) << "a file that is not a picture is deleted, to be fetched again";
    web.stop();
    show(view, "de_inferno");
    EXPECT_FALSE(view.isAvailable());
}

// The map-image host serves a file that is not a picture for each hostile name it is asked.
TEST_F(MapOverViewTest, HostileNamesStayInsideTheCache)
{
    const fs::path outside = fs::path(data).parent_path();
    testing_support::writeFile((outside / "evil.jpg").string(), "not yours");
    testing_support::writeFile((fs::path(data) / "passwd.jpg").string(), "not yours either");
    for (const char* base : {"evil", "passwd", "a_b", "aim_x"})
        web.serve(std::string("/images/maps/160x120/csgo/") + base + ".jpg", "no picture");
    {
        MapOverView view(true);
        for (const std::string& map : std::vector<std::string>{"../../../evil", "/etc/passwd", "a\\b", "workshop/123/aim_x", std::string(4000, 'x'), ".."})
            show(view, map);
    }
    const std::vector<std::string> requests = web.requests();
    EXPECT_EQ(requests.size(), 4u) << "one request for each name with a picture";
    for (const std::string& request : requests)
        EXPECT_TRUE(request.find("..") == std::string::npos && request.find("/images/maps/160x120/csgo/") != std::string::npos) << request;
    EXPECT_EQ(testing_support::readFile((outside / "evil.jpg").string()), "not yours");
    EXPECT_EQ(testing_support::readFile((fs::path(data) / "passwd.jpg").string()), "not yours either");
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(data) / "mapOverViews"))
        EXPECT_TRUE(entry.is_directory()) << entry.path() << ": the answers were no pictures";
    fs::remove(outside / "evil.jpg");
    fs::remove(fs::path(data) / "passwd.jpg");
}

// A map host that accepts and never answers holds up neither the rebuild nor the end.
TEST_F(MapOverViewTest, ASilentMapHostHoldsUpNothing)
{
    testing_support::ScriptedTcpServer silent(std::vector<testing_support::ScriptedTcpServer::Step>{}, testing_support::ScriptedTcpServer::Ending::Hang);
    serverHosts().mapHost = silent.host();
    {
        MapOverView view(true);
        view.setMap("de_silent"); // returns at once: the worker asks
        for (int i = 0; i < 500 && silent.connections() == 0; ++i)
            SDL_Delay(10);
        EXPECT_EQ(silent.connections(), 1);
        EXPECT_TRUE(view.isFetching());
        EXPECT_FALSE(view.isAvailable());
    } // gone while the worker still waits for an answer
    EXPECT_FALSE(cached("csgo/de_silent.jpg"));
}

} // namespace
