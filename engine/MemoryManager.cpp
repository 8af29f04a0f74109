#include "engine/MemoryManager.h"

#include "os/ProcessMemory.h"

#include <SDL.h>

namespace Engine {

MemoryManager::MemoryManager()
    : probe([](std::uint64_t& bytes) { return os::workingSetBytes(bytes); }),
      ticks([] { return static_cast<std::uint32_t>(SDL_GetTicks()); })
{
}

void MemoryManager::setProbe(Probe newProbe, Ticks newTicks)
{
    std::lock_guard<std::mutex> hold(guard);
    probe = std::move(newProbe);
    ticks = std::move(newTicks);
    workingSetKiB = 0;
    lastSampleTicks = 0;
}

void MemoryManager::trim()
{
    try {
        os::emptyWorkingSet();
        std::lock_guard<std::mutex> hold(guard);
        std::uint64_t bytes = 0;
        if (probe(bytes))
            workingSetKiB = static_cast<std::uint32_t>(bytes >> 10);
    } catch (...) {
        // Trimming is a courtesy to the system; it never stops the poller.
    }
}

void MemoryManager::sample()
{
    const std::uint32_t now = ticks();
    if (now - lastSampleTicks < 500)
        return;
    lastSampleTicks = now;
    std::uint64_t bytes = 0;
    if (probe(bytes))
        workingSetKiB = static_cast<std::uint32_t>(bytes >> 10);
}

unsigned MemoryManager::getUsageKiB()
{
    std::lock_guard<std::mutex> hold(guard);
    sample();
    return workingSetKiB;
}

int MemoryManager::getUsageMiB() { return static_cast<int>(getUsageKiB() / 1024); }

} // namespace Engine
