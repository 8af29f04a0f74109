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
    EXPECT_FALSE(nowhere.isOpen() || nowhere.write("x") || nowhere.commit());
    EXPECT_TRUE(os::writeFileAtomically(folder.file("new.txt"), ""));
    EXPECT_EQ(folder.read("new.txt"), "");
}

} // namespace
