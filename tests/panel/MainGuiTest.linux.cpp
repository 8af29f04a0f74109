// The status panel in this process, where line coverage sees it (the whole program's tests
// check what it shows), and what of a server that hides its players' names a new status is
// compared by.
#include "engine/EventHandler.h"
#include "engine/TextSurface.h"
#include "engine/UserEvent.h"
#include "panel/MainGui.h"
#include "query/ServerPoller.h"
#include "panel/MapOverView.h"
#include "panel/PlayerRules.h"
#include "panel/ServerHosts.h"
#include "panel/ShownStatus.h"
#include "settings/Settings.h"
#include "tests/panel/PanelEnvironment.h"
#include "tests/support/RecordingCommand.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

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
    status.setOrigin(ServerStatus::GoColumn, ServerPoller::nextSerial());
    status.setPing(20);
    status.setAnswered(true);
    status.setMap(std::string(3000, 'x')); // a stranger's name, cut to what can be drawn
    status.insertPlayer(Player(0, "Alice", 5, 100.0f));
    status.insertPlayer(Player(1, "Holmik", 9, 50.0f));
    Engine::pushUserRecord(Engine::serverStatusEventCode, new ServerStatus(status));
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

// A status handed to the panel as the poller hands it over.
void deliver(MainGui& gui, const ServerStatus& status)
{
    SDL_Event event{};
    event.type = SDL_USEREVENT;
    event.user.code = Engine::serverStatusEventCode;
    event.user.data1 = const_cast<ServerStatus*>(&status);
    gui.onUserEvent(event, false);
}

ServerStatus answered(const std::string& host, std::uint16_t port, const std::string& map, int players)
{
    ServerStatus status(host, port);
    // From the poller of the column that watches the server.
    const bool source = host == serverHosts().cssHost && port == serverHosts().cssPort;
    status.setOrigin(source ? ServerStatus::SourceColumn : ServerStatus::GoColumn, ServerPoller::nextSerial());
    status.setAnswered(true);
    status.setPing(1);
    status.setMap(map);
    status.setPlayers(static_cast<std::uint8_t>(players));
    status.setMaxPlayers(128);
    for (int i = 0; i < players; ++i)
        status.insertPlayer(Player(static_cast<std::uint8_t>(i), i == 0 ? std::string(50, 'W') : "Player " + std::to_string(i),
                                   1000 + i, 100.0f * static_cast<float>(i)));
    return status;
}

// The panel's pixels in columns x0 <= x < x1 below the header that are not the background.
int foreignPixels(const Engine::Surface& panel, int x0, int x1, int y0, const Color& background)
{
    int count = 0;
    for (int y = y0; y < panel.getHeight() - 1; ++y)
        for (int x = x0; x < x1; ++x) {
            const Color c = panel.getPixel(x, y);
            count += c.r() != background.r() || c.g() != background.g() || c.b() != background.b();
        }
    return count;
}

class PanelLayout : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel_testing::enterProgram();
        Settings& s = Settings::instance();
        s.resetToDefaults();
        s.setCSSource(true);
        s.setTime(true);
        ServerHosts& hosts = serverHosts();
        hosts.cssHost = "127.0.0.1";
        hosts.cssPort = 27016;
        Engine::Window::instance().setPosition(0, 0);
    }
    Settings& s = Settings::instance();
    ServerHosts& hosts = serverHosts();
};

// Long map and player names, a picture wider than a column, at narrow and default widths and a
// large font: nothing crosses the strip between the columns or the window's edges.
TEST_F(PanelLayout, EveryRowStaysInsideItsColumn)
{
    const std::string map = "de_a_really_long_map_name_workshop_123456";
    Engine::Surface picture(160, 120);
    picture.fill(Color(0xFF, 0, 0));
    SDL_SaveBMP(picture.getSDLSurface(), MapOverView::cacheFile(map, true).c_str()); // read by its content
    const int header = std::max(Engine::TextSurface("Holmik", s.getFont(), 2 * 30, Black).getHeight(), 40);
    for (const int width : {100, 300})
        for (const int size : {14, 30}) {
            s.setWidth(width);
            s.setFontSize(size);
            s.setLanguage(2); // the longest texts
            MainGui gui;
            deliver(gui, answered(hosts.cssHost, hosts.cssPort, map, 3));
            deliver(gui, answered(hosts.csgoHost, hosts.csgoPort, map, 3));
            gui.rebuild();
            const Engine::Surface& panel = gui.getPanel();
            const int middle = width / 2;
            ASSERT_EQ(panel.getWidth(), width);
            EXPECT_EQ(foreignPixels(panel, middle - 2, middle + 2, header, s.getBackgroundColor()), 0)
                << "the strip between the columns at width " << width << ", size " << size;
            EXPECT_EQ(foreignPixels(panel, 1, 2, header, s.getBackgroundColor()) +
                          foreignPixels(panel, width - 2, width - 1, header, s.getBackgroundColor()),
                      0)
                << "the window's edges at width " << width << ", size " << size;
            int red = 0; // the picture, scaled into its column
            for (int y = header; y < panel.getHeight(); ++y)
                red += panel.getPixel(width - 5, y).r() == 0xFF && panel.getPixel(width - 5, y).g() == 0;
            EXPECT_GT(red, 0) << "the picture at width " << width << ", size " << size;
        }
    std::filesystem::remove(MapOverView::cacheFile(map, true));
}

// A server never heard from: the bad status, where it is, the link, and nothing made up.
TEST_F(PanelLayout, AServerNeverHeardFromShowsOnlyWhereItIs)
{
    s.setCSSource(false);
    MainGui gui;
    gui.rebuild();
    const Engine::Surface never = gui.getPanel(); // kept: the next rebuild makes a new picture
    ServerStatus gone = answered(hosts.csgoHost, hosts.csgoPort, "", 0); // past the smoothing: no map
    gone.setAnswered(false);
    deliver(gui, gone);
    gui.rebuild();
    EXPECT_EQ(gui.getPanel().getHeight(), never.getHeight()) << "the same for an outage past the smoothing";
    int bad = 0, good = 0;
    for (int y = 0; y < never.getHeight(); ++y)
        for (int x = 0; x < never.getWidth(); ++x) {
            const Color c = never.getPixel(x, y);
            bad += c.r() > 0x80 && c.g() < 0x30 && c.b() < 0x30;  // the bad colour, give or take the blending
            good += c.g() > 0xA0 && c.r() < 0x40 && c.b() < 0x40; // the good one
        }
    EXPECT_GT(bad, 0) << "Status: offline";
    EXPECT_EQ(good, 0) << "no password or VAC row";
    deliver(gui, answered(hosts.csgoHost, hosts.csgoPort, "de_dust2", 0));
    gui.rebuild();
    EXPECT_GT(gui.getPanel().getHeight(), never.getHeight() + 4 * s.getFontSize()) << "a server that answered has its rows";
}

// A 128-slot server: the list ends where the window would leave the screen, and counts the rest.
TEST_F(PanelLayout, ThePlayerListEndsAboveTheBottomOfTheScreen)
{
    Engine::Window& window = Engine::Window::instance();
    MainGui gui;
    const ServerStatus full = answered(hosts.csgoHost, hosts.csgoPort, "de_dust2", 120);
    deliver(gui, full);
    for (const int top : {0, 300}) {
        window.setPosition(0, top);
        gui.draw(); // a window moved up or down is built again
        const int height = gui.getPanel().getHeight();
        EXPECT_LE(top + height, window.getScreenHeight()) << "from " << top;
        EXPECT_GT(top + height, window.getScreenHeight() - 40) << "the rows that fit are shown";
    }
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
