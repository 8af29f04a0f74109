// setenv/unsetenv through _putenv_s (which also sets the process environment that child
// processes and GetEnvironmentVariable see); mkdtemp through _mktemp_s and CreateDirectoryA.
#include "tests/support/windows/PosixCompat.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <windows.h>

extern "C" {

int setenv(const char* name, const char* value, int overwrite)
{
    if (!name || !*name || std::strchr(name, '=')) {
        errno = EINVAL;
        return -1;
    }
    if (!overwrite && std::getenv(name))
        return 0;
    return _putenv_s(name, value ? value : "") == 0 ? 0 : -1;
}

int unsetenv(const char* name)
{
    if (!name || !*name || std::strchr(name, '=')) {
        errno = EINVAL;
        return -1;
    }
    _putenv_s(name, "");
    SetEnvironmentVariableA(name, nullptr);
    return 0;
}

char* mkdtemp(char* pattern)
{
    const std::size_t length = std::strlen(pattern);
    if (length < 6 || std::strcmp(pattern + length - 6, "XXXXXX") != 0) {
        errno = EINVAL;
        return nullptr;
    }
    char* tail = pattern + length - 6;
    for (int attempt = 0; attempt < 100; ++attempt) {
        static unsigned counter = 0;
        unsigned seed = GetTickCount() ^ (GetCurrentProcessId() << 8) ^ (++counter * 2654435761u);
        for (int i = 0; i < 6; ++i) {
            tail[i] = "abcdefghijklmnopqrstuvwxyz0123456789"[seed % 36];
            seed = seed / 36 + (seed << 7) + 0x9E3779B9u;
        }
        if (CreateDirectoryA(pattern, nullptr))
            return pattern;
        if (GetLastError() != ERROR_ALREADY_EXISTS) {
            errno = EACCES;
            return nullptr;
        }
    }
    errno = EEXIST;
    return nullptr;
}

} // extern "C"
