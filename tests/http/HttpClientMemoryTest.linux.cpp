// A web host that sends 300 MB: the call ends at the cap and never holds more than that.
#include "http/HttpClient.h"

#include "tests/support/ScriptedTcpServer.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <fstream>

namespace {

// The process's peak resident size in KiB since the peak was last reset; -1 when unknown.
long peakKiB()
{
    std::ifstream status("/proc/self/status");
    long value = -1;
    for (std::string key; status >> key; status.ignore(4096, '\n'))
        if (key == "VmHWM:" && status >> value)
            return value;
    return -1;
}

TEST(HttpClientMemory, A300MegabyteBodyIsNeverHeld)
{
    testing_support::ScriptedTcpServer server({{"HTTP/1.0 200 OK\r\n\r\n"}, {std::string(64 << 10, 'b'), 0, 4800}});
    testing_support::TempDir out;
    HttpClient client(server.host());
    // A cap far above the answer's own caps, far below the answer: memory stays with the cap.
    const HttpOptions options{30000, std::size_t{8} << 20};
    if (!(std::ofstream("/proc/self/clear_refs") << "5" << std::flush) || peakKiB() < 0)
        GTEST_SKIP() << "this system does not tell a process's peak memory";
    const long before = peakKiB();
    std::string body = "untouched";
    EXPECT_FALSE(client.getToMemory("/big", body, options));
    EXPECT_FALSE(client.getToFile("/big", out.file("big.jpg"), options));
    EXPECT_LT(peakKiB() - before, 64L << 10) << "KiB more at the peak than before the calls";
}

} // namespace
