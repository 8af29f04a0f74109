// Replacing a file whole: two writers of the same file at once, a file given up, a folder
// that is missing.
#include "os/AtomicFile.h"
#include "os/FileSystem.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

namespace {

TEST(AtomicFile, TwoWritersNeverShareATemporaryFileAndTheLastMoveWins)
{
    testing_support::TempDir folder;
    const std::string path = folder.file("Settings.xml");
    folder.write("Settings.xml", "old");
    os::AtomicFile first(path), second(path, os::AtomicFile::Sync::Cache);
    ASSERT_TRUE(first.isOpen() && second.isOpen());
    EXPECT_TRUE(first.write("first") && second.write("second"));
    EXPECT_EQ(folder.read("Settings.xml"), "old") << "nothing shows before the move";
    EXPECT_TRUE(second.commit());
    EXPECT_TRUE(first.commit());
    EXPECT_EQ(folder.read("Settings.xml"), "first");
    EXPECT_FALSE(os::pathExists(folder.file("Settings.xml.*.tmp")));
}

TEST(AtomicFile, OnlyItsOwnTemporaryNamesAreTakenForLeftovers)
{
    EXPECT_TRUE(os::isTemporaryName("Settings.xml.0123456789abcdef.tmp"));
    EXPECT_TRUE(os::isTemporaryName("de_dust2.jpg.FEDCBA9876543210.tmp"));
    for (const char* name : {"Settings.xml", "notes.tmp", ".0123456789abcdef.tmp", "a.0123456789abcdeg.tmp",
                             "a.0123456789abcde.tmp", "a.0123456789abcdef.tmp.jpg"})
        EXPECT_FALSE(os::isTemporaryName(name)) << name;
}

TEST(AtomicFile, AFileGivenUpOrWithoutAFolderLeavesNothing)
{
    testing_support::TempDir folder;
    folder.write("picture.jpg", "old");
    {
        os::AtomicFile abandoned(folder.file("picture.jpg"));
        abandoned.write("half of a pic");
    }
    EXPECT_EQ(folder.read("picture.jpg"), "old");
    EXPECT_FALSE(os::pathExists(folder.file("picture.jpg.*.tmp")));

    os::AtomicFile nowhere(folder.file("missing/picture.jpg"));
    EXPECT_FALSE(nowhere.isOpen());
    EXPECT_FALSE(nowhere.write("x"));
    EXPECT_FALSE(nowhere.commit());
    EXPECT_TRUE(os::writeFileAtomically(folder.file("new.txt"), ""));
    EXPECT_EQ(folder.read("new.txt"), "");
}

} // namespace
