// The background worker: a stop ends the token's waits at once, a worker can start again,
// and an abandoned one ends by itself.
#include "engine/Worker.h"
#include "os/Clock.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <memory>

namespace {

TEST(Worker, AStopEndsTheWorkAtOnceAndAnAbandonedOneEndsByItself)
{
    Engine::Worker worker;
    EXPECT_TRUE(worker.start([](const os::StopToken& stop) { stop.waitFor(std::chrono::hours(1)); }));
    EXPECT_TRUE(worker.isRunning());
    EXPECT_FALSE(worker.hasEnded());
    const std::uint32_t t0 = os::monotonicMilliseconds();
    worker.stop();
    EXPECT_LT(os::monotonicMilliseconds() - t0, 500u);
    EXPECT_FALSE(worker.isRunning());

    auto ended = std::make_shared<std::atomic<bool>>(false);
    EXPECT_TRUE(worker.start([ended](const os::StopToken& stop) {
        stop.waitFor(std::chrono::hours(1));
        os::sleepMilliseconds(100); // a call that cannot be left at once
        ended->store(true);
    }));
    EXPECT_FALSE(worker.stopToken().stopRequested()) << "a new start starts with a fresh request";
    worker.abandon();
    EXPECT_FALSE(worker.isRunning());
    for (int i = 0; i < 100 && !ended->load(); ++i)
        os::sleepMilliseconds(20);
    EXPECT_TRUE(ended->load());
}

} // namespace
