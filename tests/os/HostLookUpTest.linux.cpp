// Look-ups that the caller walks away from, against a name server that never answers.
#include "os/Clock.h"
#include "os/Sockets.h"
#include "tests/support/SilentResolver.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

using namespace testing_support;

namespace {

// Fails the child with a line on standard error.
int check(bool ok, const char* what)
{
    if (!ok)
        std::fprintf(stderr, "failed: %s\n", what);
    return ok ? 0 : 1;
}

TEST(HostLookUp, ASilentNameServerIsLateAfterTheTimeOutOrAtOnceWhenAskedToStop)
{
    const int code = withSilentResolver([] {
        std::string dotted;
        int failures = check(os::resolveHostWithin("10.1.2.3", dotted, 100) == os::ResolveResult::Ipv4 &&
                                 dotted == "10.1.2.3",
                             "a dotted address is taken as it stands");

        std::uint32_t t0 = os::monotonicMilliseconds();
        failures += check(os::resolveHostWithin("silent.holmik.example", dotted, 500) == os::ResolveResult::Late &&
                              dotted.empty(),
                          "late");
        std::uint32_t took = os::monotonicMilliseconds() - t0;
        failures += check(took >= 450 && took < 900, "the time-out is kept");

        // The same host again joins the look-up still running; a stop ends the wait at once.
        os::StopToken stop;
        std::thread asker([stop] {
            os::sleepMilliseconds(200);
            stop.requestStop();
        });
        t0 = os::monotonicMilliseconds();
        failures += check(os::resolveHostWithin("silent.holmik.example", dotted, 5000, stop) == os::ResolveResult::Late,
                          "stopped");
        took = os::monotonicMilliseconds() - t0;
        asker.join();
        failures += check(took >= 150 && took < 400, "a stop ends the wait");
        failures += check(os::resolveHostWithin("other.holmik.example", dotted, 1000, stop) == os::ResolveResult::Late,
                          "a stopped token waits for nothing");
        return failures;
    });
    if (code == silentResolverUnavailable)
        GTEST_SKIP() << "no private user, mount and network namespaces here";
    EXPECT_EQ(code, 0);
}

TEST(HostLookUp, AnswersComeBackThroughTheThread)
{
    std::string dotted;
    EXPECT_EQ(os::resolveHostWithin("localhost", dotted, 5000), os::ResolveResult::Ipv4);
    EXPECT_EQ(dotted, "127.0.0.1");
    EXPECT_EQ(os::resolveHostWithin("no-such-host.invalid", dotted, 5000), os::ResolveResult::NotFound);
    EXPECT_EQ(os::resolveHostWithin("", dotted, 5000), os::ResolveResult::NotFound);
}

} // namespace
