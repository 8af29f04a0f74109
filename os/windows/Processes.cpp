// Processes on Windows: a toolhelp snapshot of the system's processes, each executable's
// file name compared without regard to letter case.
#include "os/Processes.h"

#include "os/TextConversion.h"

#include <windows.h>
#include <tlhelp32.h>

namespace os {

namespace {

bool sameName(const std::string& a, const std::string& b)
{
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()), b.c_str(),
                          static_cast<int>(b.size())) == CSTR_EQUAL;
}

} // namespace

bool isAnyProcessRunning(const std::vector<std::string>& names)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return false;
    bool found = false;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry)) {
        const std::string name = utf16ToUtf8(entry.szExeFile);
        for (const std::string& wanted : names)
            if (sameName(name, wanted))
                found = true;
    }
    CloseHandle(snapshot);
    return found;
}

} // namespace os
