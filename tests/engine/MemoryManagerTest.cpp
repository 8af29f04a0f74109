#include "engine/MemoryManager.h"

#include "os/ProcessMemory.h"

#include <gtest/gtest.h>

namespace {

struct FakeSystem {
    std::uint32_t now = 1000;
    bool works = true;
    std::uint64_t bytes = 8 << 20;
    int probes = 0;
};

void install(FakeSystem& fake)
{
    Engine::MemoryManager::instance().setProbe(
        [&fake](std::uint64_t& out) {
            ++fake.probes;
            if (!fake.works)
                return false;
            out = fake.bytes;
            return true;
        },
        [&fake] { return fake.now; });
}

class MemoryManagerTest : public ::testing::Test {
protected:
    void SetUp() override { install(fake); }
    void TearDown() override { Engine::MemoryManager::instance().setProbe(
        [](std::uint64_t&) { return false; }, [] { return 0u; }); }
    FakeSystem fake;
};

TEST_F(MemoryManagerTest, MeasuresAtMostOncePerHalfSecond)
{
    auto& mm = Engine::MemoryManager::instance();
    EXPECT_EQ(mm.getUsageKiB(), 8192u);
    fake.bytes = 16 << 20;
    fake.now += 499;
    EXPECT_EQ(mm.getUsageKiB(), 8192u) << "second read within 500 ms must not measure";
    EXPECT_EQ(fake.probes, 1);
    fake.now += 1;
    EXPECT_EQ(mm.getUsageKiB(), 16384u);
    EXPECT_EQ(mm.getUsageMiB(), 16);
    EXPECT_EQ(fake.probes, 2);
}

TEST_F(MemoryManagerTest, TrimMeasuresEveryTimeAndAFailedMeasurementKeepsTheLastValue)
{
    auto& mm = Engine::MemoryManager::instance();
    fake.bytes = 3 << 10;
    mm.trim();
    mm.trim();
    EXPECT_EQ(fake.probes, 2);
    fake.now += 600;
    fake.works = false;
    EXPECT_EQ(mm.getUsageKiB(), 3u);
    mm.trim();
    EXPECT_EQ(mm.getUsageKiB(), 3u);
}

TEST(MemoryManagerSystem, TheSystemReportsARealResidentSet)
{
    std::uint64_t bytes = 0;
    ASSERT_TRUE(os::workingSetBytes(bytes));
    EXPECT_GT(bytes, 1u << 20);
    EXPECT_TRUE(os::emptyWorkingSet());
}

} // namespace
