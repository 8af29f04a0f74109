// Clock on Windows: GetTickCount64 (milliseconds since start-up, monotonic), cut to 32 bits
// as GetTickCount would be; the performance counter for microseconds; Sleep for the pause.
#include "os/Clock.h"

#include <windows.h>

namespace os {

std::uint32_t monotonicMilliseconds() { return static_cast<std::uint32_t>(GetTickCount64()); }

std::uint64_t monotonicMicroseconds()
{
    LARGE_INTEGER count{}, frequency{};
    QueryPerformanceCounter(&count);
    QueryPerformanceFrequency(&frequency);
    if (frequency.QuadPart <= 0)
        return GetTickCount64() * 1000u;
    const auto ticks = static_cast<std::uint64_t>(count.QuadPart), perSecond = static_cast<std::uint64_t>(frequency.QuadPart);
    return ticks / perSecond * 1000000u + ticks % perSecond * 1000000u / perSecond;
}

void sleepMilliseconds(std::uint32_t ms) { Sleep(ms); }

} // namespace os
