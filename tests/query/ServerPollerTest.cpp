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

// Takes one user event off the queue (waiting up to timeoutMs), releases its record through
// the function that came with it, and tells the record as
// "host:port/map/players/answered or silent"; "none" when no event came.
std::string next(std::uint32_t timeoutMs = 5000)
{
    const std::uint32_t t0 = os::monotonicMilliseconds();
    SDL_Event event;
    while (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_EVENTMASK(SDL_USEREVENT)) < 1) {
        if (os::monotonicMilliseconds() - t0 > timeoutMs)
            return "none";
        SDL_Delay(2);
    }
    const ServerStatus& s = *static_cast<ServerStatus*>(event.user.data1);
    const std::string seen = s.getHost() + ":" + std::to_string(s.getPort()) + "/" + s.getMap() + "/"
        + std::to_string(s.getPlayerList().size()) + (s.isAnswered() ? "/answered" : "/silent");
    reinterpret_cast<Engine::UserEventRelease>(event.user.data2)(event.user.data1);
    return seen;
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
        server.setDelay(0); // a loopback answer within a millisecond is a good cycle all the same
        ASSERT_TRUE(server.start());
    }
    void TearDown() override
    {
        while (next(0) != "none") {
        }
    }
    std::string at() const { return "127.0.0.1:" + std::to_string(server.port()) + "/"; }

    TestServer server;
};

TEST_F(ServerPollerTest, TheThreadHandsOverARecordEachCycleTrimsAfterItAndStopEndsThePauseAtOnce)
{
    int probes = 0;
    Engine::MemoryManager::instance().setProbe([&probes](std::uint64_t& bytes) { return ++probes, bytes = 1 << 20, true; },
                                               [] { return 0u; });
    ServerPoller poller("127.0.0.1", server.port());
    poller.setPauseSteps(1);
    poller.start();
    poller.start(); // already running: no second thread
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(next(), at() + "de_dust2/2/answered");
    poller.stop();
    Engine::MemoryManager::instance().setProbe([](std::uint64_t&) { return false; }, [] { return 0u; });
    EXPECT_GE(probes, 2);
    EXPECT_EQ(server.requestCount(TestServer::RequestKind::Rules), 0) << "the poller does not ask for rules";
    while (next(0) != "none") {
    }

    ServerPoller sleeper("127.0.0.1", server.port());
    sleeper.setPauseSteps(1000000); // a pause of hours: only a woken wait ends it
    sleeper.start();
    ASSERT_TRUE(sleeper.isRunning());
    ASSERT_EQ(next(), at() + "de_dust2/2/answered");
    SDL_Delay(50); // now in the pause
    sleeper.stop();
    EXPECT_FALSE(sleeper.isRunning());
    EXPECT_EQ(next(0), "none") << "no cycle after the pause";
}

// Up to nine bad cycles in a row re-send the last good record with the failed cycle's ping,
// not answered.
TEST_F(ServerPollerTest, ShortOutagesAreSmoothedOverWithTheLastGoodRecord)
{
    const std::uint16_t port = server.port();
    ServerPoller poller("127.0.0.1", port);
    // What the server says (nullptr: its port is closed), for how many cycles, and the records.
    const struct { const char* serverMap; int cycles; std::string record; } script[] = {
        {"", 1, ":0//0/silent"}, // before any good cycle: the empty record, which the panel cannot route
        {"de_dust2", 1, at() + "de_dust2/2/answered"},
        {"", 1, at() + "de_dust2/2/silent"}, // an answer without a map is a bad cycle
        {nullptr, 8, at() + "de_dust2/2/silent"},
        {nullptr, 2, at() + "/0/silent"}, // the tenth bad cycle and after: the failed record
        {"de_nuke", 1, at() + "de_nuke/2/answered"}, // a good cycle starts the count again
        {nullptr, 9, at() + "de_nuke/2/silent"},
        {nullptr, 1, at() + "/0/silent"},
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
            EXPECT_EQ(next(), step.record) << "cycle " << i;
        }
    }
}

} // namespace
