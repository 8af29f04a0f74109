// The single-instance lock on Windows: a named mutex (CreateMutexW; ERROR_ALREADY_EXISTS
// means another process made it) whose name is made from the lock file's path, held by a
// handle kept open until the process ends, when the system closes it. The note is the
// lock file's contents. Raising a window: ShowWindow when it is minimised, then
// SetForegroundWindow.
#include "os/InstanceLock.h"

#include "os/TextConversion.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cwctype>

namespace os {

namespace {

HANDLE lockMutex = nullptr;
std::wstring notePath;

// The same folder written with other letter cases is the same folder here.
std::wstring mutexName(const std::wstring& path)
{
    std::uint64_t hash = 1469598103934665603ull; // FNV-1a
    for (wchar_t c : path) {
        hash ^= static_cast<std::uint64_t>(std::towlower(c));
        hash *= 1099511628211ull;
    }
    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\HolmikZiviza-%016llx", static_cast<unsigned long long>(hash));
    return name;
}

} // namespace

InstanceLockResult takeInstanceLock(const std::string& path)
{
    const std::wstring wide = utf8ToUtf16(path);
    HANDLE mutex = CreateMutexW(nullptr, FALSE, mutexName(wide).c_str());
    if (!mutex)
        return InstanceLockResult::Unavailable;
    if (GetLastError() == ERROR_ALREADY_EXISTS) {
        CloseHandle(mutex);
        return InstanceLockResult::HeldElsewhere;
    }
    if (lockMutex)
        CloseHandle(lockMutex);
    lockMutex = mutex;
    notePath = wide;
    return InstanceLockResult::Taken;
}

void writeInstanceNote(const std::string& text)
{
    if (!lockMutex)
        return;
    HANDLE file = CreateFileW(notePath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return; // a note that cannot be written only means a second start cannot raise us
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

std::string readInstanceNote(const std::string& path)
{
    HANDLE file = CreateFileW(utf8ToUtf16(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    char buffer[64];
    DWORD n = 0;
    const BOOL ok = ReadFile(file, buffer, sizeof buffer, &n, nullptr);
    CloseHandle(file);
    return ok && n > 0 ? std::string(buffer, n) : std::string();
}

bool raiseWindow(const std::string& windowId)
{
    char* end = nullptr;
    const unsigned long long id = std::strtoull(windowId.c_str(), &end, 10);
    if (windowId.find_first_not_of("0123456789") != std::string::npos || *end != '\0' || id == 0)
        return false;
    HWND window = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(id));
    if (!IsWindow(window))
        return false;
    if (IsIconic(window))
        ShowWindow(window, SW_RESTORE);
    return SetForegroundWindow(window) != FALSE;
}

} // namespace os
