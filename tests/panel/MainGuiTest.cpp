#include "engine/EventHandler.h"
#include "engine/TextSurface.h"
#include "engine/UserEvent.h"
#include "engine/Window.h"
#include "panel/MainGui.h"
#include "panel/ServerHosts.h"
#include "settings/Settings.h"
#include "tests/panel/PanelEnvironment.h"
#include "tests/support/SdlInput.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

class MainGuiTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel_testing::enterProgram();
        Settings& s = Settings::instance();
        s.resetToDefaults();
        s.setOverView(false); // no map downloads in these checks
        Engine::EventHandler::instance().setQuit(false);
        testing_support::dropQueuedEvents();
    }

    static ServerStatus status(const std::string& host, int ping)
    {
        ServerStatus st(host, 27015);
        st.setPing(static_cast<std::int16_t>(ping));
        st.setMap("de_dust2");
        st.setPlayers(3);
        st.setMaxPlayers(16);
        return st;
    }
    static void deliver(const ServerStatus& st)
    {
        Engine::pushUserRecord(Engine::userEventCode, new ServerStatus(st));
        Engine::EventHandler::instance().poll();
    }
    static void click(int x, int y, Uint8 button = SDL_BUTTON_LEFT)
    {
        testing_support::pushButton(true, x, y, button);
        testing_support::pushButton(false, x, y, button);
        Engine::EventHandler::instance().poll();
    }
    static int centreOf(const Engine::Box& box) { return box.getX() + box.getWidth() / 2; }
};

TEST_F(MainGuiTest, ColumnsCentreOnTheirHalvesAndTheWindowFollowsThePanel)
{
    MainGui gui;
    deliver(status(serverHosts().csgoHost, 20));
    gui.draw();
    EXPECT_EQ(gui.getPanel().getWidth(), 300);
    EXPECT_EQ(Engine::Window::instance().getWidth(), 300);
    EXPECT_EQ(Engine::Window::instance().getHeight(), gui.getPanel().getHeight());
    EXPECT_NEAR(centreOf(gui.getGoJoinBox()), 150, 1);

    Settings::instance().setCSSource(true);
    gui.invalidate();
    gui.draw();
    EXPECT_NEAR(centreOf(gui.getSourceJoinBox()), 75, 1);
    EXPECT_NEAR(centreOf(gui.getGoJoinBox()), 225, 1);
}

TEST_F(MainGuiTest, WithNoColumnOnlyTheTitleBandAndTheBorderRemain)
{
    Settings& s = Settings::instance();
    s.setCSGo(false);
    s.setCSSource(false);
    MainGui gui;
    gui.draw();
    const int headHeight = Engine::Surface::load("head.gif", false).getHeight();
    const int titleHeight = Engine::TextSurface("Holmik", s.getFont(), 2 * s.getFontSize(), s.getTextColor()).getHeight();
    EXPECT_EQ(gui.getPanel().getHeight(), 20 + std::max(headHeight, titleHeight));
    EXPECT_EQ(gui.getPanel().getPixel(0, 5), s.getTextColor()) << "the border";
    s.setHead(false);
    gui.invalidate();
    gui.draw();
    EXPECT_EQ(gui.getPanel().getHeight(), 20 + headHeight) << "the band stays as high as head.gif";
}

TEST_F(MainGuiTest, StatusesGoToTheColumnOfTheirHost)
{
    MainGui gui;
    deliver(status("somewhere.else", 30));
    EXPECT_EQ(gui.getGoStatus().getPing(), -1) << "another host is ignored";
    EXPECT_TRUE(gui.isDirty());
    gui.draw();
    EXPECT_FALSE(gui.isDirty());
    deliver(status(serverHosts().csgoHost, 30));
    EXPECT_EQ(gui.getGoStatus().getPing(), 30);
    EXPECT_EQ(gui.getGoStatus().getMap(), "de_dust2");
    EXPECT_TRUE(gui.isDirty());
}

TEST_F(MainGuiTest, CloseButtonQuitsAndAReleaseAwayFromTheLinksSaves)
{
    MainGui gui;
    gui.draw();
    std::filesystem::remove("Settings.xml");
    click(10, gui.getPanel().getHeight() - 5);
    EXPECT_TRUE(std::filesystem::exists("Settings.xml")) << "a release off the links records the position";
    EXPECT_FALSE(Engine::EventHandler::instance().isQuit());

    std::filesystem::remove("Settings.xml");
    Settings::instance().setJoin(false);
    click(10, gui.getPanel().getHeight() - 5);
    EXPECT_FALSE(std::filesystem::exists("Settings.xml")) << "without the Join row a release saves nothing";

    gui.draw(); // places the buttons
    const int w = Engine::Window::instance().getWidth();
    click(w - 2 - 8, 2 + 8); // the middle of the 16×16 close button
    EXPECT_TRUE(Engine::EventHandler::instance().isQuit());
}

TEST_F(MainGuiTest, PlayerListWidthsAndOrder)
{
    Settings& s = Settings::instance();
    MainGui gui;
    ServerStatus st = status(serverHosts().csgoHost, 20);
    EXPECT_EQ(gui.renderPlayerList(st).getHeight(), 0) << "no players, no list";
    st.insertPlayer(Player(0, "Alice", 5, 100.0f));
    st.insertPlayer(Player(1, "Bob", 9, 50.0f));
    Engine::Surface list = gui.renderPlayerList(st);
    EXPECT_EQ(list.getWidth(), 290);
    const int line = Engine::TextSurface::lineSkip(s.getFont(), s.getPlayerFontSize());
    EXPECT_NEAR(list.getHeight(), 2 * (line + 2), 4);
    s.setCSSource(true);
    EXPECT_EQ(gui.renderPlayerList(st).getWidth(), 140);
}

TEST_F(MainGuiTest, OpeningTheSettingsHidesThePanelAndItsButtons)
{
    MainGui gui;
    gui.draw();
    const int w = Engine::Window::instance().getWidth();
    click(w - 2 - 16 - 2 - 8, 10); // the settings button, left of the close button
    EXPECT_FALSE(gui.isVisible());
    EXPECT_TRUE(gui.getSettingsGui().isVisible());
    gui.getSettingsGui().setCloseRequested(true);
    gui.draw();
    EXPECT_TRUE(gui.isVisible());
    EXPECT_FALSE(gui.getSettingsGui().isVisible());
}

} // namespace
