// A name server that never answers, for the look-ups that must not wait for it: a child
// process in a private user, mount and network namespace, whose /etc/resolv.conf names
// 127.0.0.1, where a UDP socket takes every query and answers none. Its loopback is up, so
// servers on 127.0.0.1 started inside work as usual.
//
//     const int code = withSilentResolver([] { return lookUpIsLate() ? 0 : 1; });
//     if (code == silentResolverUnavailable) GTEST_SKIP() << "no private namespaces here";
//     EXPECT_EQ(code, 0);
#pragma once

#include <functional>

namespace testing_support {

inline constexpr int silentResolverUnavailable = 77;

// Runs body in such a child; its result is the child's exit code (a crash gives 128 + the
// signal, more than timeoutMs -2).
int withSilentResolver(const std::function<int()>& body, int timeoutMs = 30000);

} // namespace testing_support
