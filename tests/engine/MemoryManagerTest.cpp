#include "engine/MemoryManager.h"

#include "os/ProcessMemory.h"

#include <gtest/gtest.h>

// The usage is measured at most once per half second, a trim measures at once, and a failed
// measurement keeps the last value.
TEST(MemoryManager, MeasuresAtMostOncePerHalfSecondAndKeepsTheLastGoodValue)
{
    std::uint32_t now = 1000;
    std::uint64_t bytes = 8 << 20;
    bool works = true;
    int probes = 0;
    auto& mm = Engine::MemoryManager::instance();
    mm.setProbe([&](std::uint64_t& out) { return ++probes, out = bytes, works; }, [&] { return now; });
    EXPECT_EQ(mm.getUsageKiB(), 8192u);
    bytes = 16 << 20;
    now += 499;
    EXPECT_EQ(mm.getUsageKiB(), 8192u) << "a second read within 500 ms must not measure";
    now += 1;
    EXPECT_EQ(mm.getUsageMiB(), 16);
    EXPECT_EQ(probes, 2);
    bytes = 3 << 10;
    mm.trim();
    EXPECT_EQ(probes, 3);
    works = false;
    now += 600;
    EXPECT_EQ(mm.getUsageKiB(), 3u);
    mm.setProbe([](std::uint64_t&) { return false; }, [] { return 0u; });

    std::uint64_t real = 0; // the system's own measurement
    ASSERT_TRUE(os::workingSetBytes(real));
    EXPECT_GT(real, 1u << 20);
    EXPECT_TRUE(os::emptyWorkingSet());
}
