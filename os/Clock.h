// Clock facility of the OS seam.
#pragma once

#include <cstdint>

namespace os {

// Milliseconds from a monotonic clock (wall time, not CPU time); wraps at 2^32.
std::uint32_t monotonicMilliseconds();
// Microseconds from the same kind of clock, for round trips shorter than a millisecond.
std::uint64_t monotonicMicroseconds();
void sleepMilliseconds(std::uint32_t ms);

} // namespace os
