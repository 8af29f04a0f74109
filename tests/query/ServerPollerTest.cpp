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

namespace {

// Takes one user event off the queue (waiting up to timeoutMs), checks that it carries a
// record released through its own type, and gives a copy of the record.
bool take(ServerStatus& record, std::uint32_t timeoutMs = 5000)
{
    const std::uint32_t t0 = os::monotonicMilliseconds();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_EVENTMASK(SDL_USEREVENT)) < 1) {
        if (os::monotonicMilliseconds() - t0 > timeoutMs)
            return false;
        SDL_Delay(2);
    }
    EXPECT_EQ(event.user.code, Engine::userEventCode);
    EXPECT_EQ(event.user.data2, reinterpret_cast<void*>(&Engine::releaseUserRecord<ServerStatus>));
    record = *static_cast<ServerStatus*>(event.user.data1);
    reinterpret_cast<Engine::UserEventRelease>(event.user.data2)(event.user.data1);
    return true;
}

ServerStatus next()
{
    ServerStatus record;
    EXPECT_TRUE(take(record));
    return record;
}

int pending()
{
    SDL_Event events[64];
    return SDL_PeepEvents(events, 64, SDL_PEEKEVENT, SDL_EVENTMASK(SDL_USEREVENT));
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
        server.setMap("de_dust2");
        server.setPlayers({Player(0, "Zien", 5, 100), Player(1, "Doffy", 9, 50)});
        server.setDelay(3); // a loopback answer within 1 ms is a ping of 0, a bad cycle
        ASSERT_TRUE(server.start());
    }
    void TearDown() override
    {
        for (ServerStatus drained; take(drained, 0);) {
        }
    }

    TestServer server;
};

TEST_F(ServerPollerTest, TheThreadHandsOverARecordEachCycleAndTrimsAfterIt)
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
    poller.start(); // already running: no second thread
    for (int i = 0; i < 3; ++i) {
        const ServerStatus s = next();
        EXPECT_EQ(s.getHost(), "127.0.0.1");
        EXPECT_EQ(s.getPort(), server.port());
        EXPECT_EQ(s.getMap(), "de_dust2");
        EXPECT_GE(s.getPing(), 1);
        ASSERT_EQ(s.getPlayerList().size(), 2u);
        EXPECT_EQ(s.getPlayerList()[0].getName(), "Doffy");
    }
    poller.stop();
    Engine::MemoryManager::instance().setProbe([](std::uint64_t&) { return false; }, [] { return 0u; });
    EXPECT_GE(probes, 2);
    EXPECT_EQ(server.requestCount(TestServer::RequestKind::Rules), 0) << "the poller does not ask for rules";
}

// Up to nine bad cycles in a row re-send the last good record with the failed cycle's ping.
TEST_F(ServerPollerTest, ShortOutagesAreSmoothedOverWithTheLastGoodRecord)
{
    const std::uint16_t port = server.port();
    ServerPoller poller("127.0.0.1", port);
    const struct {
        const char* serverMap; // nullptr: the port is closed
        int cycles;
        const char* host;
        const char* map;
        bool answered;
    } script[] = {
        {"", 1, "", "", true}, // before any good cycle: the empty last good record, which the panel cannot route
        {"de_dust2", 1, "127.0.0.1", "de_dust2", true},
        {"", 1, "127.0.0.1", "de_dust2", true},
        {nullptr, 8, "127.0.0.1", "de_dust2", false},
        {nullptr, 2, "127.0.0.1", "", false}, // the tenth bad cycle and after: the failed record
        {"de_nuke", 1, "127.0.0.1", "de_nuke", true}, // a good cycle starts the count again
        {nullptr, 9, "127.0.0.1", "de_nuke", false},
        {nullptr, 1, "127.0.0.1", "", false},
    };
    for (const auto& step : script) {
        if (!step.serverMap) {
            server.stop();
        } else {
            server.setMap(step.serverMap);
            ASSERT_TRUE(server.isRunning() || server.start(port));
        }
        for (int i = 0; i < step.cycles; ++i) {
            poller.runCycle();
            const ServerStatus s = next();
            SCOPED_TRACE(std::string(step.map) + " cycle " + std::to_string(i));
            EXPECT_EQ(s.getHost(), step.host);
            EXPECT_EQ(s.getMap(), step.map);
            EXPECT_EQ(s.getPlayerList().size(), *step.map ? 2u : 0u);
            EXPECT_EQ(s.getPing() >= 1, step.answered);
        }
    }
}

TEST_F(ServerPollerTest, StopEndsThePauseAtOnceAndWaitsForARunningQuery)
{
    auto poller = std::make_unique<ServerPoller>("127.0.0.1", server.port());
    poller->setPauseSteps(1000000); // a pause of hours: only a woken wait ends it
    poller->start();
    ASSERT_TRUE(poller->isRunning());
    ASSERT_EQ(next().getMap(), "de_dust2");
    SDL_Delay(50); // now in the pause
    poller->stop();
    EXPECT_FALSE(poller->isRunning());
    poller.reset();
    EXPECT_EQ(pending(), 0);

    server.setSilent(true);
    ServerPoller silent("127.0.0.1", server.port());
    silent.start();
    SDL_Delay(100); // inside the first exchange's time-out
    silent.stop();
    EXPECT_EQ(pending(), 1) << "the running cycle finished and handed over its record";
    EXPECT_EQ(next().getPing(), -1);
}

} // namespace
