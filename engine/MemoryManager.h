// Hands the process's working set back to the system after every polling cycle and
// reports its size, measuring at most once per half second. Both pollers trim and the main
// thread reads: every call is safe from any thread.
#pragma once

#include "engine/Singleton.h"

#include <cstdint>
#include <functional>
#include <mutex>

namespace Engine {

class MemoryManager : public Singleton<MemoryManager> {
public:
    // Reads the working set in bytes; false when the system cannot tell.
    using Probe = std::function<bool(std::uint64_t& bytes)>;
    using Ticks = std::function<std::uint32_t()>;

    MemoryManager();
    ~MemoryManager() override = default;

    void trim();
    unsigned getUsageKiB();
    int getUsageMiB();

    // Tests replace the system's figures and clock.
    void setProbe(Probe probe, Ticks ticks);

private:
    friend class Singleton<MemoryManager>;
    void sample();

    std::mutex guard; // the figures, the probe and the clock
    std::uint32_t workingSetKiB = 0;
    std::uint32_t lastSampleTicks = 0;
    Probe probe;
    Ticks ticks;
};

} // namespace Engine
