// Clock on Windows: GetTickCount64 (milliseconds since start-up, monotonic), cut to 32 bits
// as GetTickCount would be; Sleep for the pause.
#include "os/Clock.h"

#include <windows.h>

namespace os {

std::uint32_t monotonicMilliseconds() { return static_cast<std::uint32_t>(GetTickCount64()); }

void sleepMilliseconds(std::uint32_t ms) { Sleep(ms); }

} // namespace os
