#include "panel/MapOverView.h"
#include "panel/ServerHosts.h"
#include "settings/Settings.h"
#include "tests/panel/PanelEnvironment.h"
#include "tests/support/NginxServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

class MapOverViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        data = panel_testing::enterProgram();
        Settings::instance().resetToDefaults();
        fs::remove_all(fs::path(data) / "mapOverViews");
        ASSERT_TRUE(web.start()) << web.errorLog();
        serverHosts().mapHost = web.host();
        picture = testing_support::readFile(std::string(HOLMIK_FIXTURES_DIR) + "/maps/de_dust2.jpg");
    }
    int requestsFor(const std::string& path) const
    {
        const auto all = web.requests();
        return static_cast<int>(std::count_if(all.begin(), all.end(),
                                              [&](const std::string& r) { return r.find(path) != std::string::npos; }));
    }
    // The download runs on the worker: wait until its result has been taken in.
    static void settle(MapOverView& view)
    {
        for (int i = 0; i < 2000 && view.isFetching(); ++i) {
            view.getSurface();
            SDL_Delay(10);
        }
    }
    std::string data;
    std::string picture;
    testing_support::NginxServer web;
};

TEST_F(MapOverViewTest, FirstShowDownloadsIntoTheCacheAndShowsThePicture)
{
    web.serve("/images/maps/160x120/csgo/de_dust2.jpg", picture);
    MapOverView view(true);
    EXPECT_EQ(view.getSurface().getWidth(), 160);
    view.setMap("de_dust2");
    settle(view);
    EXPECT_TRUE(view.isAvailable());
    EXPECT_TRUE(fs::exists(fs::path(data) / "mapOverViews" / "csgo" / "de_dust2.jpg"));
    EXPECT_TRUE(fs::is_directory(fs::path(data) / "mapOverViews"));
    EXPECT_EQ(requestsFor("/images/maps/160x120/csgo/de_dust2.jpg"), 1);
    // The picture, not the placeholder: the placeholder is the plain background there.
    EXPECT_NE(view.getSurface().getPixel(40, 40), Settings::instance().getBackgroundColor());

    view.setMap("de_dust2"); // the same map: no file access, no request
    EXPECT_EQ(requestsFor("de_dust2.jpg"), 1);
    view.setMap(""); // an empty name keeps what is shown
    EXPECT_EQ(view.getMapName(), "de_dust2");
    EXPECT_TRUE(view.isAvailable());
}

TEST_F(MapOverViewTest, DollarsBecomeUnderscoresAndCsSourceHasItsOwnFolder)
{
    web.serve("/images/maps/160x120/css/cs_$office.jpg", picture); // never asked for
    web.serve("/images/maps/160x120/css/cs__office.jpg", picture);
    MapOverView view(false);
    view.setMap("cs_$office");
    settle(view);
    EXPECT_EQ(view.getMapName(), "cs__office");
    EXPECT_TRUE(view.isAvailable());
    EXPECT_TRUE(fs::exists(fs::path(data) / "mapOverViews" / "css" / "cs__office.jpg"));
}

TEST_F(MapOverViewTest, MissingPicturesAndBrokenFilesEndInThePlaceholder)
{
    MapOverView view(true);
    view.setMap("de_nowhere");
    settle(view);
    EXPECT_FALSE(view.isAvailable());
    EXPECT_FALSE(fs::exists(fs::path(data) / "mapOverViews" / "csgo" / "de_nowhere.jpg")) << "a 404 stores nothing";

    web.serve("/images/maps/160x120/csgo/de_broken.jpg", "this is not a picture");
    view.setMap("de_broken");
    settle(view);
    EXPECT_FALSE(fs::exists(fs::path(data) / "mapOverViews" / "csgo" / "de_broken.jpg"))
        << "a file that is not a picture is deleted, to be fetched again";
    EXPECT_EQ(view.getSurface().getWidth(), 160);

    web.stop(); // a dead web server: the placeholder stays, nothing hangs
    view.setMap("de_inferno");
    settle(view);
    EXPECT_FALSE(view.isAvailable());
    EXPECT_EQ(view.getSurface().getWidth(), 160);
}

} // namespace
