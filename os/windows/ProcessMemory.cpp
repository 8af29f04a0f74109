// Process memory on Windows: EmptyWorkingSet and GetProcessMemoryInfo's WorkingSetSize for
// the current process (psapi).
#include "os/ProcessMemory.h"

#include <windows.h>
#include <psapi.h>

namespace os {

bool emptyWorkingSet() { return EmptyWorkingSet(GetCurrentProcess()) != 0; }

bool workingSetBytes(std::uint64_t& bytes)
{
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return false;
    bytes = counters.WorkingSetSize;
    return true;
}

} // namespace os
