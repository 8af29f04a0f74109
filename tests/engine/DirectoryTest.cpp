#include "engine/Directory.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using testing_support::TempDir;
using Names = std::vector<std::string>;

TEST(Directory, ListsWithoutDotEntriesAndMakesAndChangesFolders)
{
    TempDir tmp;
    tmp.write(".hidden", "h");
    std::filesystem::create_directory(tmp.file(".dotted"));
    Directory root(tmp.path());
    EXPECT_EQ(root.getFiles(), Names{".hidden"});
    EXPECT_EQ(root.getDirectories(), Names{".dotted"}) << "without . and ..";
    // Made twice, the folder is the same one with its contents; the parent sees it at once.
    Directory csgo = root.createSubdirectory("maps").createSubdirectory("csgo");
    testing_support::writeFile(joinPath(csgo.getPath(), "de_dust2.jpg"), "x");
    EXPECT_EQ(root.getDirectories().size(), 2u);
    Directory again = root.createSubdirectory("maps").createSubdirectory("csgo");
    EXPECT_EQ(again.getName(), "csgo");
    EXPECT_EQ(again.getFiles(), Names{"de_dust2.jpg"});

    // A bare name is below the current directory; a failed change leaves the old one.
    testing_support::ScopedCurrentDirectory cd(tmp.path());
    const std::string real = std::filesystem::canonical(tmp.path()).string();
    EXPECT_EQ(Directory("maps").getPath(), joinPath(real, "maps"));
    EXPECT_EQ(setCurrentDirectory(joinPath(real, "maps")).getName(), "maps");
    EXPECT_EQ(setCurrentDirectory(joinPath(real, "missing")).getPath(), joinPath(real, "maps"));
}

TEST(Directory, FileExistsWithWildcardsAndDelete)
{
    TempDir tmp;
    tmp.write("de_dust2.jpg", "x");
    for (const auto& [pattern, exists] : {std::pair{"de_dust2.jpg", true}, {"de_*.jpg", true}, {"de_dust?.jpg", true},
                                          {"cs_*.jpg", false}, {"missing.jpg", false}, {"nofolder/*", false}})
        EXPECT_EQ(fileExists(tmp.file(pattern)), exists) << pattern;
    EXPECT_TRUE(deleteFile(tmp.file("de_dust2.jpg")));
    EXPECT_FALSE(deleteFile(tmp.file("de_dust2.jpg")));
    EXPECT_FALSE(deleteFile(tmp.path())) << "a folder is not a file";
}

} // namespace
