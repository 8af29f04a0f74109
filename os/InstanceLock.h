// The single-instance facility of the OS seam: a lock that one process holds for its whole
// life and that the system lets go when the process ends, however it ends (no stale lock
// after a kill), and a way to bring another process's window to the front.
#pragma once

#include <string>

namespace os {

enum class InstanceLockResult {
    Taken,         // this process holds it now
    HeldElsewhere, // another running process holds it
    Unavailable,   // the lock cannot be made here (a read-only folder): go on without one
};

// Takes the lock named by the file `path` (an absolute path) for the rest of the process's
// life. Linux: flock on the file; Windows: a named mutex made from the path, with the file
// beside it for the note.
InstanceLockResult takeInstanceLock(const std::string& path);
// The holder leaves a short note in the lock's file (its window's id); another process reads
// it. Empty when there is none.
void writeInstanceNote(const std::string& text);
std::string readInstanceNote(const std::string& path);

// Brings the top-level window with this id (as hostWindowId() gives it, from another
// process) to the front; false when no windowing system or window answers.
bool raiseWindow(const std::string& windowId);

} // namespace os
