// Desktop notifications as a user meets them: the poller against the project's test server,
// the notifier fed what the poller sends, and a stand-in notification service on a private
// session bus that records every notification and can pick an action.
#include "engine/UserEvent.h"
#include "os/EventWait.h"
#include "os/Notifications.h"
#include "panel/Notifier.h"
#include "query/ServerPoller.h"
#include "query/TestServer.h"
#include "tests/panel/PanelEnvironment.h"
#include "tests/support/RecordingCommand.h"
#include "tests/support/TempDir.h"
#include "tests/support/XvfbServer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <sys/wait.h>
#include <unistd.h>

namespace {

using testing_support::ChildProcess;
using testing_support::TempDir;

// tests/support/notification_server.py: a private bus, with the service on it or without.
class NotificationBus {
public:
    explicit NotificationBus(bool withService = true)
        : service({"/usr/bin/python3", std::string(HOLMIK_SOURCE_DIR) + "/tests/support/notification_server.py",
                   folder.path(), withService ? "--service" : "--no-service"},
                  {})
    {
        std::string line;
        if (service.readLine(line) && line.rfind("address ", 0) == 0)
            setenv("DBUS_SESSION_BUS_ADDRESS", line.substr(8).c_str(), 1);
    }

    // The next notification: "<id> <app>|<summary>|<body>|<actions>".
    std::string next()
    {
        std::string line;
        if (!service.readLine(line, 30000))
            return "(none)";
        return line.rfind("notify ", 0) == 0 ? line.substr(7) : "(unexpected) " + line;
    }
    void invoke(int id, const std::string& key) { service.send("invoke " + std::to_string(id) + " " + key); }

private:
    TempDir folder;
    ChildProcess service;
};

std::string shown(int id, const std::string& text) { return std::to_string(id) + " HolmikZiviza|" + text + "||join|Join Game"; }

// The poller run cycle by cycle on this thread, each status handed to the notifier as the
// panel hands it over, then the bus connection's news read as the frame loop reads it.
class Watching {
public:
    explicit Watching(const TestServer& server) : poller("127.0.0.1", server.port())
    {
        WatchOptions options;
        options.friends = {"Zien"};
        notifier.setOptions(options);
    }

    void cycle(int times = 1)
    {
        for (int i = 0; i < times; ++i) {
            poller.runCycle();
            SDL_Event event;
            while (SDL_PollEvent(&event) > 0) {
                if (event.type != SDL_USEREVENT || event.user.code != Engine::userEventCode || !event.user.data1)
                    continue;
                notifier.see(Notifier::Go, *static_cast<const ServerStatus*>(event.user.data1));
                reinterpret_cast<Engine::UserEventRelease>(event.user.data2)(event.user.data1);
            }
            os::waitForEvents(0);
        }
    }

private:
    ServerPoller poller;
    Notifier notifier;
};

std::vector<Player> players(const std::vector<std::string>& names)
{
    std::vector<Player> list;
    float duration = 1000.0f;
    for (const std::string& name : names)
        list.emplace_back(0, name, 0, duration--);
    return list;
}

class Notifications : public ::testing::Test {
protected:
    void SetUp() override
    {
        panel_testing::enterProgram();
        server.setMaxPlayers(2);
        server.setPlayers(players({"Anna"}));
        server.setDelay(2); // a ping of at least 1
        ASSERT_TRUE(server.start());
    }
    void TearDown() override { os::stopNotifications(); }

    TestServer server;
};

TEST_F(Notifications, EachChangeOnceInOrderNoneAtStartAndTheActionJoins)
{
    NotificationBus bus;
    testing_support::RecordingCommand steam("steam");
    ASSERT_TRUE(os::startNotifications("HolmikZiviza"));
    EXPECT_FALSE(os::waitForEvents(200)) << "the bus connection wakes the loop only when something came";

    Watching watching(server);
    watching.cycle(2); // start-up: nothing
    server.setPlayers(players({"Anna", "Bob"}));
    watching.cycle(); // full
    server.setPlayers(players({"Anna"}));
    watching.cycle(2);
    server.setPlayers(players({"Anna", "Zien"}));
    watching.cycle(2);
    // Nine silent cycles are smoothed over; the tenth is an outage.
    server.setSilent(true);
    watching.cycle(ServerPoller::smoothedFailures);
    server.setSilent(false);
    watching.cycle();
    server.setSilent(true);
    watching.cycle(ServerPoller::smoothedFailures + 1);
    watching.cycle(2);
    server.setSilent(false);
    watching.cycle(2);

    EXPECT_EQ(bus.next(), shown(1, "A slot is free on Holmik test server"));
    EXPECT_EQ(bus.next(), shown(2, "Zien joined Holmik test server"));
    EXPECT_EQ(bus.next(), shown(3, "Holmik test server is offline"));
    EXPECT_EQ(bus.next(), shown(4, "Holmik test server is back online"));

    bus.invoke(2, "default"); // not the join action
    bus.invoke(3, "join");
    for (int i = 0; i < 300 && steam.calls().empty(); ++i)
        os::waitForEvents(100);
    const std::vector<std::vector<std::string>> expected{
        {"-applaunch", "730", "+connect", "127.0.0.1:" + std::to_string(server.port())}};
    EXPECT_EQ(steam.calls(), expected);
}

TEST_F(Notifications, NoneWhileTheGameRuns)
{
    NotificationBus bus;
    ASSERT_TRUE(os::startNotifications("HolmikZiviza"));
    TempDir folder;
    const std::string game = folder.path() + "/cs2";
    std::filesystem::copy_file("/bin/sleep", game);
    const pid_t running = fork();
    if (running == 0) {
        execl(game.c_str(), "cs2", "600", static_cast<char*>(nullptr));
        _exit(127);
    }
    ASSERT_GT(running, 0);

    Watching watching(server);
    watching.cycle();
    server.setPlayers(players({"Anna", "Zien"}));
    watching.cycle(); // a friend on a server now full, while the game runs
    kill(running, SIGKILL);
    waitpid(running, nullptr, 0);
    server.setPlayers(players({"Anna"}));
    watching.cycle();

    EXPECT_EQ(bus.next(), shown(1, "A slot is free on Holmik test server")) << "the first after the game ended";
}

// Without a bus or without a service the program goes on silently, and says so once.
void expectUnavailable(const std::string& said)
{
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(os::startNotifications("HolmikZiviza"));
    EXPECT_FALSE(os::startNotifications("HolmikZiviza"));
    os::notify("nothing", "Join Game", 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "HolmikZiviza: " + said + "; desktop notifications are off\n");
    EXPECT_FALSE(os::notificationsStarted());
}

TEST(NotificationsUnavailable, NoSessionBus)
{
    TempDir folder;
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + folder.path() + "/none").c_str(), 1);
    expectUnavailable("no session bus");
}

TEST(NotificationsUnavailable, NoNotificationService)
{
    NotificationBus bus(false);
    expectUnavailable("no notification service on the session bus");
}

} // namespace
