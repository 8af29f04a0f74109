// setenv/unsetenv through _putenv_s (which also sets the process environment that child
// processes and GetEnvironmentVariable see).
#include "tests/support/windows/PosixCompat.h"

#include <cstdlib>
#include <windows.h>

extern "C" {

int setenv(const char* name, const char* value, int overwrite)
{
    if (!overwrite && std::getenv(name))
        return 0;
    return _putenv_s(name, value ? value : "") == 0 ? 0 : -1;
}

int unsetenv(const char* name)
{
    _putenv_s(name, "");
    return SetEnvironmentVariableA(name, nullptr) ? 0 : -1;
}

} // extern "C"
