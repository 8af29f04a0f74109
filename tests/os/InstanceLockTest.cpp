// The single-instance lock inside one process: a second taker finds it held and reads the
// holder's note; a window id that is none raises nothing.
#include "os/InstanceLock.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(InstanceLock, ASecondTakerFindsItHeldAndReadsTheHoldersNote)
{
    testing_support::TempDir folder;
    const std::string path = folder.file("HolmikZiviza.lock");
    ASSERT_EQ(os::takeInstanceLock(path), os::InstanceLockResult::Taken);
    os::writeInstanceNote("4194305");
    EXPECT_EQ(os::takeInstanceLock(path), os::InstanceLockResult::HeldElsewhere);
    EXPECT_EQ(os::readInstanceNote(path), "4194305");
    EXPECT_EQ(os::readInstanceNote(folder.file("none.lock")), "");
    for (const char* id : {"", "0", "12x", "-1"})
        EXPECT_FALSE(os::raiseWindow(id)) << id;
}

} // namespace
