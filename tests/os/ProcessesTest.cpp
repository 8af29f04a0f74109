// Is a program of a given name running: this test program finds itself by its whole name
// (Linux: the command name exactly; Windows: the executable's file name, in any case).
#include "os/Processes.h"

#include <gtest/gtest.h>

TEST(Processes, ThisProgramByItsWholeName)
{
    EXPECT_TRUE(os::isAnyProcessRunning({"no-such-program", "os_tests", "OS_TESTS.EXE"}));
    EXPECT_FALSE(os::isAnyProcessRunning({"OS_TESTS", "os_tests.ex", "os_test", ""}));
    EXPECT_FALSE(os::isAnyProcessRunning({}));
}
