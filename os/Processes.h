// Process facility of the OS seam: is a program of a given name running on this machine?
#pragma once

#include <string>
#include <vector>

namespace os {

// True when a process whose program is named like one of `names` runs (Linux: the kernel's
// command name, /proc/<pid>/comm, exactly; Windows: the executable's file name, letter case
// ignored).
bool isAnyProcessRunning(const std::vector<std::string>& names);

} // namespace os
