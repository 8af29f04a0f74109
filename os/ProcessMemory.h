// Process memory facility of the OS seam: hand unused pages back, read the working set.
#pragma once

#include <cstdint>

namespace os {

// Asks the system to shrink this process's working set; false when it refused.
bool emptyWorkingSet();
// The resident (working) set in bytes; false when it cannot be read.
bool workingSetBytes(std::uint64_t& bytes);

} // namespace os
