// Process memory on Linux: malloc_trim(0) for EmptyWorkingSet, the resident set size from
// /proc/self/statm for GetProcessMemoryInfo's WorkingSetSize.
#include "os/ProcessMemory.h"

#include <cstdio>
#include <malloc.h>
#include <unistd.h>

namespace os {

bool emptyWorkingSet()
{
    malloc_trim(0);
    return true;
}

bool workingSetBytes(std::uint64_t& bytes)
{
    std::FILE* file = std::fopen("/proc/self/statm", "r");
    if (!file)
        return false;
    unsigned long long size = 0, resident = 0;
    const int fields = std::fscanf(file, "%llu %llu", &size, &resident);
    std::fclose(file);
    if (fields != 2)
        return false;
    const long page = sysconf(_SC_PAGESIZE);
    bytes = static_cast<std::uint64_t>(resident) * static_cast<std::uint64_t>(page > 0 ? page : 4096);
    return true;
}

} // namespace os
