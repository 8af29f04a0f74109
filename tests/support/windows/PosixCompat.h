// The few POSIX calls the tests use that the Windows C runtime names differently or lacks:
// setenv and unsetenv. Included into every test source of the Windows build, so that
// the tests read the same on both platforms.
#pragma once

#ifdef __cplusplus
extern "C" {
#endif

int setenv(const char* name, const char* value, int overwrite);
int unsetenv(const char* name);

#ifdef __cplusplus
}
#endif
