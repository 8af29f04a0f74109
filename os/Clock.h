// Clock facility of the OS seam.
#pragma once

#include <cstdint>

namespace os {

// Milliseconds from a monotonic clock (wall time, not CPU time); wraps at 2^32.
std::uint32_t monotonicMilliseconds();
void sleepMilliseconds(std::uint32_t ms);

} // namespace os
