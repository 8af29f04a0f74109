// fork/exec without a shell, shared by the message box and the shell backends.
#pragma once

#include <atomic>
#include <string>
#include <sys/types.h>
#include <vector>

namespace os::linux_backend {

// Starts program (searched on PATH when it has no '/') with argv[1..] = arguments.
// Returns the child's pid, or -1 when it could not be started (exec failure included).
pid_t spawnProcess(const std::string& program, const std::vector<std::string>& arguments,
                   const std::string& workingDirectory, bool detach);
// Waits for a child; its exit status, or -1.
int waitForExit(pid_t pid);

// The message box's dialog process while one is open, else 0.
extern std::atomic<pid_t> openDialog;

} // namespace os::linux_backend
