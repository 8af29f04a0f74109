// Two pollers beside a name server that never answers: the one with an address keeps its
// column current, the one with a name has bad cycles, and stopping either never waits for
// the look-up.
#include "os/Clock.h"
#include "query/ServerPoller.h"
#include "query/TestServer.h"
#include "tests/support/SilentResolver.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <map>

using namespace testing_support;

namespace {

TEST(ServerPollerLookUp, TheColumnWithAnAddressStaysOnlineAndStopNeverWaitsForTheResolver)
{
    const int code = withSilentResolver([] {
        setenv("SDL_VIDEODRIVER", "dummy", 1);
        TestServer server;
        server.setMap("de_dust2");
        server.setDelay(3);
        if (SDL_Init(SDL_INIT_VIDEO) != 0 || !server.start())
            return 2;
        ServerPoller byAddress("127.0.0.1", server.port()), byName("silent.holmik.example", server.port());
        for (ServerPoller* poller : {&byAddress, &byName}) {
            poller->setPauseSteps(10);
            poller->start();
        }
        // host -> {answered, silent}
        std::map<std::string, std::pair<int, int>> seen;
        const std::uint32_t t0 = os::monotonicMilliseconds();
        while (os::monotonicMilliseconds() - t0 < 3000) {
            SDL_Event event;
            if (SDL_PeepEvents(&event, 1, SDL_GETEVENT, SDL_EVENTMASK(SDL_USEREVENT)) < 1) {
                SDL_Delay(5);
                continue;
            }
            const ServerStatus& s = *static_cast<ServerStatus*>(event.user.data1);
            auto& counts = seen[s.getHost()];
            (s.getPing() >= 1 && !s.getMap().empty() ? counts.first : counts.second)++;
            reinterpret_cast<void (*)(void*)>(event.user.data2)(event.user.data1);
        }
        // The name's cycles end bad after the look-up's 2 s (before any good one, the record
        // is the empty one).
        const int nameGood = seen["silent.holmik.example"].first + seen[""].first;
        const int nameBad = seen["silent.holmik.example"].second + seen[""].second;
        const std::uint32_t t1 = os::monotonicMilliseconds();
        byName.stop(); // inside its second look-up
        byAddress.stop();
        const std::uint32_t stopping = os::monotonicMilliseconds() - t1;
        SDL_Quit();
        std::fprintf(stderr, "the address's column: %d good, %d bad; the name's: %d good, %d bad; stopping: %u ms\n",
                     seen["127.0.0.1"].first, seen["127.0.0.1"].second, nameGood, nameBad, static_cast<unsigned>(stopping));
        return seen["127.0.0.1"].first >= 5 && seen["127.0.0.1"].second == 0 && nameGood == 0 && nameBad >= 1 &&
                       nameBad <= 2 && stopping <= 500
                   ? 0
                   : 1;
    });
    if (code == silentResolverUnavailable)
        GTEST_SKIP() << "no private user, mount and network namespaces here";
    EXPECT_EQ(code, 0);
}

} // namespace
