// The poller against the test server, reading the records from SDL's own event queue as
// the main thread will.
#include "query/ServerPoller.h"

#include "engine/MemoryManager.h"
#include "engine/UserEvent.h"
#include "os/Clock.h"
#include "query/TestServer.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>

namespace {

struct Delivered {
    int code = 0;
    void* release = nullptr;
    std::unique_ptr<ServerStatus> copy;
};

// Takes one user event off the queue (waiting up to timeoutMs), copies its record and
// releases it through the event's own release function.
bool take(Delivered& out, std::uint32_t timeoutMs = 5000)
{
    const std::uint32_t t0 = os::monotonicMilliseconds();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_EVENTMASK(SDL_USEREVENT)) < 1) {
        if (os::monotonicMilliseconds() - t0 > timeoutMs)
            return false;
        SDL_Delay(2);
    }
    out.code = event.user.code;
    out.release = event.user.data2;
    out.copy = std::make_unique<ServerStatus>(*static_cast<ServerStatus*>(event.user.data1));
    reinterpret_cast<Engine::UserEventRelease>(event.user.data2)(event.user.data1);
    return true;
}

ServerStatus next()
{
    Delivered d;
    EXPECT_TRUE(take(d));
    return d.copy ? *d.copy : ServerStatus();
}

ServerStatus nextAfter(ServerPoller& poller)
{
    poller.runCycle();
    return next();
}

int pending()
{
    SDL_Event events[64];
    return SDL_PeepEvents(events, 64, SDL_PEEKEVENT, SDL_EVENTMASK(SDL_USEREVENT));
}

void drain()
{
    Delivered d;
    while (take(d, 0)) {
    }
}

class ServerPollerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0) << SDL_GetError();
    }
    static void TearDownTestSuite() { SDL_Quit(); }

    void SetUp() override
    {
        drain();
        server.setMap("de_dust2");
        server.setPlayers({Player(0, "Zien", 5, 100), Player(1, "Doffy", 9, 50)});
        server.setDelay(3); // a loopback answer within 1 ms is a ping of 0, a bad cycle
        ASSERT_TRUE(server.start());
    }
    void TearDown() override { drain(); }

    TestServer server;
};

TEST_F(ServerPollerTest, EachCycleHandsOverOneRecordReleasedThroughItsOwnType)
{
    ServerPoller poller("127.0.0.1", server.port());
    poller.setPauseSteps(1);
    poller.start();
    Delivered d;
    ASSERT_TRUE(take(d));
    EXPECT_EQ(d.code, Engine::userEventCode);
    EXPECT_EQ(d.release, reinterpret_cast<void*>(&Engine::releaseUserRecord<ServerStatus>));
    EXPECT_EQ(d.copy->getHost(), "127.0.0.1");
    EXPECT_EQ(d.copy->getPort(), server.port());
    EXPECT_EQ(d.copy->getMap(), "de_dust2");
    EXPECT_GE(d.copy->getPing(), 1);
    ASSERT_EQ(d.copy->getPlayerList().size(), 2u);
    EXPECT_EQ(d.copy->getPlayerList()[0].getName(), "Doffy");
    EXPECT_TRUE(d.copy->getRules().empty()) << "the poller does not ask for rules";
    ASSERT_TRUE(take(d)) << "and again";
    poller.stop();
    EXPECT_EQ(server.requestCount(TestServer::RequestKind::Rules), 0);
}

TEST_F(ServerPollerTest, NineBadCyclesAreSmoothedThenTheFailedRecordGoesOut)
{
    const std::uint16_t port = server.port();
    ServerPoller poller("127.0.0.1", port);
    poller.runCycle();
    EXPECT_EQ(next().getMap(), "de_dust2");

    server.stop(); // the port is closed: every exchange fails at once
    for (int i = 1; i <= ServerPoller::smoothedFailures; ++i) {
        const ServerStatus s = nextAfter(poller);
        EXPECT_EQ(s.getMap(), "de_dust2") << "bad cycle " << i;
        EXPECT_EQ(s.getPlayerList().size(), 2u) << "bad cycle " << i;
        EXPECT_EQ(s.getPing(), -1) << "bad cycle " << i;
    }
    for (int i = 0; i < 2; ++i) {
        const ServerStatus s = nextAfter(poller);
        EXPECT_EQ(s.getHost(), "127.0.0.1");
        EXPECT_EQ(s.getPort(), port);
        EXPECT_EQ(s.getMap(), "");
        EXPECT_TRUE(s.getPlayerList().empty());
        EXPECT_EQ(s.getPing(), -1);
    }

    // The server comes back: a good cycle resets the count, and the next outage is smoothed again.
    server.setMap("de_nuke");
    ASSERT_TRUE(server.start(port));
    EXPECT_EQ(nextAfter(poller).getMap(), "de_nuke");
    server.stop();
    for (int i = 1; i <= ServerPoller::smoothedFailures; ++i)
        EXPECT_EQ(nextAfter(poller).getMap(), "de_nuke") << "bad cycle " << i;
    EXPECT_EQ(nextAfter(poller).getMap(), "");
}

TEST_F(ServerPollerTest, ASilentSpellOnTheThreadIsSmoothedAndEndsWhenTheServerAnswers)
{
    ServerPoller poller("127.0.0.1", server.port());
    poller.setPauseSteps(1);
    poller.start();
    ASSERT_GE(next().getPing(), 1);
    server.setSilent(true);
    // Skip whatever cycle was already under way, then look at two silent ones.
    const int before = server.requestCount(TestServer::RequestKind::Challenge);
    ServerStatus s;
    do
        s = next();
    while (s.getPing() != -1);
    EXPECT_EQ(s.getMap(), "de_dust2");
    EXPECT_EQ(s.getPlayerList().size(), 2u);
    s = next();
    EXPECT_EQ(s.getPing(), -1);
    EXPECT_EQ(s.getMap(), "de_dust2");
    EXPECT_GT(server.requestCount(TestServer::RequestKind::Challenge), before);
    server.setSilent(false);
    server.setMap("de_vertigo");
    do
        s = next();
    while (s.getPing() == -1);
    EXPECT_EQ(s.getMap(), "de_vertigo");
    poller.stop();
}

TEST_F(ServerPollerTest, BeforeAnyGoodCycleABadOneSendsAnEmptyRecord)
{
    server.setMap(""); // the challenge is answered but the map is empty: a bad cycle
    ServerPoller poller("127.0.0.1", server.port());
    poller.runCycle();
    const ServerStatus s = next();
    EXPECT_EQ(s.getHost(), "") << "the panel cannot route it";
    EXPECT_GE(s.getPing(), 1) << "with the failed cycle's ping";
    server.setMap("de_dust2");
    poller.runCycle();
    EXPECT_EQ(next().getHost(), "127.0.0.1");
    server.setMap("");
    poller.runCycle();
    EXPECT_EQ(next().getMap(), "de_dust2") << "an empty map after a good cycle is smoothed";
}

TEST_F(ServerPollerTest, APingOfZeroIsABadCycle)
{
    ServerPoller poller("127.0.0.1", server.port());
    poller.runCycle();
    ASSERT_EQ(next().getMap(), "de_dust2");
    server.setDelay(0);
    server.setMap("de_train");
    std::string lastGood = "de_dust2";
    for (int i = 0; i < 6; ++i) {
        poller.runCycle();
        const ServerStatus s = next();
        if (s.getPing() == 0) {
            EXPECT_EQ(s.getMap(), lastGood) << "a reply within the same millisecond is smoothed over";
        } else {
            EXPECT_EQ(s.getMap(), "de_train");
            lastGood = "de_train";
        }
    }
}

TEST_F(ServerPollerTest, StopDuringThePauseReturnsAtOnce)
{
    auto poller = std::make_unique<ServerPoller>("127.0.0.1", server.port());
    poller->setPauseSteps(1000000); // a pause of hours: only a woken wait ends it
    poller->start();
    ASSERT_TRUE(poller->isRunning());
    ASSERT_EQ(next().getMap(), "de_dust2");
    SDL_Delay(50); // now in the pause
    poller->stop();
    EXPECT_FALSE(poller->isRunning());
    poller->stop();
    poller.reset();
    EXPECT_EQ(pending(), 0);
}

TEST_F(ServerPollerTest, StopDuringAQueryWaitsForItsRecord)
{
    server.setSilent(true);
    ServerPoller poller("127.0.0.1", server.port());
    poller.start();
    SDL_Delay(100); // inside the first exchange's time-out
    poller.stop();
    EXPECT_EQ(pending(), 1) << "the running cycle finished and handed over its record";
    const ServerStatus s = next();
    EXPECT_EQ(s.getPing(), -1);
    EXPECT_EQ(s.getHost(), "");
}

TEST_F(ServerPollerTest, TheWorkingSetIsTrimmedAfterEveryCycle)
{
    int probes = 0;
    Engine::MemoryManager::instance().setProbe(
        [&probes](std::uint64_t& bytes) {
            ++probes;
            bytes = 1 << 20;
            return true;
        },
        [] { return 0u; });
    ServerPoller poller("127.0.0.1", server.port());
    poller.setPauseSteps(1);
    poller.start();
    next();
    next();
    next();
    poller.stop();
    Engine::MemoryManager::instance().setProbe([](std::uint64_t&) { return false; }, [] { return 0u; });
    EXPECT_GE(probes, 2);
}

} // namespace
