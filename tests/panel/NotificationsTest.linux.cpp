// Desktop notifications as a user meets them: the poller against the project's test server,
// the notifier fed what the poller sends, and a stand-in notification service on a private
// session bus (tests/support/notification_server.py) that records every notification and can
// pick an action. Whether the game runs is the test's to say.
#include "engine/UserEvent.h"
#include "os/Clock.h"
#include "os/EventWait.h"
#include "os/Notifications.h"
#include "panel/Notifier.h"
#include "query/ServerPoller.h"
#include "query/TestServer.h"
#include "tests/panel/PanelEnvironment.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/RecordingCommand.h"

#include <gtest/gtest.h>

#include <memory>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace {

using testing_support::TempDir;

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
    // The next line of the service: "notify <id> <app>|<summary>|<body>|<actions>" for a notification.
    std::string next() { return service.readLine(line, 30000) ? line : "(none)"; }
    void invoke(int id, const std::string& key) { service.send("invoke " + std::to_string(id) + " " + key); }

private:
    TempDir folder;
    testing_support::ChildProcess service;
    std::string line;
};

std::string shown(int id, const std::string& text) { return "notify " + std::to_string(id) + " HolmikZiviza|" + text + "||join|Join Game"; }

const std::vector<Player> anna{Player(0, "Anna", 0, 1000.0f)}, annaAndZien{Player(0, "Anna", 0, 1000.0f), Player(0, "Zien", 0, 999.0f)};

TEST(Notifications, EachChangeOnceInOrderNoneAtStartNoneWhileTheGameRunsAndTheActionJoins)
{
    panel_testing::enterProgram();
    TestServer server;
    server.setMaxPlayers(2);
    server.setPlayers(anna);
    server.setDelay(0); // a loopback answer within a millisecond is online all the same
    ASSERT_TRUE(server.start());
    NotificationBus bus;
    testing_support::RecordingCommand steam("steam");
    ASSERT_TRUE(os::startNotifications("HolmikZiviza"));
    EXPECT_FALSE(os::waitForEvents(200)) << "the bus connection wakes the loop only when something came";

    // The poller run cycle by cycle, each status handed to the notifier as the panel hands it
    // over, then the bus connection's news read as the frame loop reads it.
    ServerPoller poller("127.0.0.1", server.port());
    Notifier notifier;
    notifier.setOptions(WatchOptions{true, true, true, {"Zien"}});
    const auto cycle = [&](int times = 1) {
        for (int i = 0; i < times; ++i) {
            poller.runCycle();
            SDL_Event event;
            while (SDL_PollEvent(&event) > 0)
                if (event.type == SDL_USEREVENT && event.user.code == Engine::serverStatusEventCode && event.user.data1) {
                    notifier.see(Notifier::Go, *static_cast<const ServerStatus*>(event.user.data1));
                    reinterpret_cast<Engine::UserEventRelease>(event.user.data2)(event.user.data1);
                }
            os::waitForEvents(0);
        }
    };
    bool gameRuns = false;
    notifier.setGameRunningCheck([&gameRuns] { return gameRuns; });
    cycle(2); // start-up: nothing
    gameRuns = true;
    server.setPlayers(annaAndZien);
    cycle(); // a friend on a server now full, while the game runs: nothing
    gameRuns = false;
    server.setPlayers(anna);
    cycle(2);
    server.setPlayers(annaAndZien);
    cycle(2);
    server.setSilent(true); // an outage once the poller no longer smooths it
    cycle(ServerPoller::smoothedFailures + 3);
    server.setSilent(false);
    cycle(2);

    EXPECT_EQ(bus.next(), shown(1, "A slot is free on Holmik test server"));
    EXPECT_EQ(bus.next(), shown(2, "Zien joined Holmik test server"));
    EXPECT_EQ(bus.next(), shown(3, "Holmik test server is offline"));
    EXPECT_EQ(bus.next(), shown(4, "Holmik test server is back online"));

    // The column watches another server by the time the user picks the action: the
    // notification still joins the server it named.
    notifier.forget(Notifier::Go);
    ServerStatus other("127.0.0.2", 27099);
    notifier.see(Notifier::Go, other);
    bus.invoke(2, "default"); // not the join action
    bus.invoke(3, "join");
    for (int i = 0; i < 300 && steam.calls().empty(); ++i)
        os::waitForEvents(100);
    const std::vector<std::vector<std::string>> expected{
        {"-applaunch", "730", "+connect", "127.0.0.1:" + std::to_string(server.port())}};
    EXPECT_EQ(steam.calls(), expected);
    os::stopNotifications();
}

// Without a bus or without a service the program goes on silently, and says so once (each
// test runs in a process of its own).
void expectUnavailable(bool withBus, const std::string& said)
{
    TempDir folder;
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + folder.path() + "/none").c_str(), 1);
    const std::unique_ptr<NotificationBus> bus(withBus ? new NotificationBus(false) : nullptr);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(os::startNotifications("HolmikZiviza"));
    EXPECT_FALSE(os::startNotifications("HolmikZiviza"));
    os::notify("nothing", "Join Game", 0);
    EXPECT_EQ(::testing::internal::GetCapturedStderr(), "HolmikZiviza: " + said + "; desktop notifications are off\n");
    EXPECT_FALSE(os::notificationsStarted());
}

TEST(NotificationsUnavailable, NoSessionBus) { expectUnavailable(false, "no session bus"); }

// A bus that takes the connection and never says a word holds the start-up a second at most.
TEST(NotificationsUnavailable, ABusThatNeverAnswersCostsASecond)
{
    TempDir folder;
    const std::string path = folder.path() + "/bus";
    const int listener = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    setenv("DBUS_SESSION_BUS_ADDRESS", ("unix:path=" + path).c_str(), 1);
    ::testing::internal::CaptureStderr();
    const std::uint32_t t0 = os::monotonicMilliseconds();
    EXPECT_FALSE(os::startNotifications("HolmikZiviza"));
    const std::uint32_t took = os::monotonicMilliseconds() - t0;
    ::testing::internal::GetCapturedStderr();
    EXPECT_LT(took, 1500u);
    close(listener);
}
TEST(NotificationsUnavailable, NoNotificationService) { expectUnavailable(true, "no notification service on the session bus"); }

} // namespace
