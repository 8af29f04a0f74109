// A web host whose name the name server never answers: the request gives up within its
// deadline (and the look-up's 2 s), as it does for a host that never answers.
#include "http/HttpClient.h"
#include "os/Clock.h"
#include "tests/support/SilentResolver.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace {

TEST(HttpLookUp, ASilentNameServerCostsNoMoreThanTheDeadlineOrTheLookUpsTime)
{
    const int code = testing_support::withSilentResolver([] {
        int failures = 0;
        for (const auto& [deadlineMs, most] : {std::pair<std::uint32_t, std::uint32_t>{700, 1000}, {30000, 2400}}) {
            HttpClient client("updates.holmik.example");
            std::string body;
            const std::uint32_t t0 = os::monotonicMilliseconds();
            const bool got = client.getToMemory("/version.txt", body, HttpOptions{deadlineMs, 1024, 1024});
            const std::uint32_t took = os::monotonicMilliseconds() - t0;
            if (got || took > most) {
                std::fprintf(stderr, "deadline %u: %s after %u ms\n", deadlineMs, got ? "an answer" : "no answer", took);
                ++failures;
            }
        }
        return failures;
    });
    if (code == testing_support::silentResolverUnavailable)
        GTEST_SKIP() << "no private user, mount and network namespaces here";
    EXPECT_EQ(code, 0);
}

} // namespace
