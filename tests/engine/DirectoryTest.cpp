#include "engine/Directory.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace {

using testing_support::TempDir;
using Names = std::vector<std::string>;

Names sorted(Names names)
{
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Directory, ListsFilesAndFoldersAndMakesAndChangesFolders)
{
    TempDir tmp;
    tmp.write("one.txt", "1");
    tmp.write(".hidden", "h");
    std::filesystem::create_directory(tmp.file(".dotted"));
    Directory root(tmp.path());
    EXPECT_EQ(sorted(root.getFiles()), (Names{".hidden", "one.txt"}));
    EXPECT_EQ(root.getDirectories(), Names{".dotted"}) << "without . and ..";
    EXPECT_TRUE(Directory(tmp.file("nope")).getFiles().empty());

    // Made twice, the folder is the same one with its contents; the parent sees it at once.
    Directory csgo = root.createSubdirectory("mapOverViews").createSubdirectory("csgo");
    testing_support::writeFile(joinPath(csgo.getPath(), "de_dust2.jpg"), "x");
    EXPECT_EQ(sorted(root.getDirectories()), (Names{".dotted", "mapOverViews"}));
    Directory again = root.createSubdirectory("mapOverViews").createSubdirectory("csgo");
    EXPECT_EQ(again.getPath(), joinPath(joinPath(tmp.path(), "mapOverViews"), "csgo"));
    EXPECT_EQ(again.getName(), "csgo");
    EXPECT_EQ(again.getFiles(), Names{"de_dust2.jpg"});

    // A bare name is below the current directory; a failed change leaves the old one.
    testing_support::ScopedCurrentDirectory cd(tmp.path());
    const std::string real = std::filesystem::canonical(tmp.path()).string();
    EXPECT_EQ(Directory("maps").getPath(), joinPath(real, "maps"));
    EXPECT_EQ(Directory("maps").getName(), "maps");
    EXPECT_EQ(currentDirectory().getPath(), real);
    EXPECT_EQ(setCurrentDirectory(joinPath(real, "mapOverViews")).getName(), "mapOverViews");
    EXPECT_EQ(setCurrentDirectory(joinPath(real, "missing")).getPath(), joinPath(real, "mapOverViews"));
    EXPECT_TRUE(Directory().getPath().empty());
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
    EXPECT_FALSE(fileExists(tmp.file("de_dust2.jpg")));
    EXPECT_FALSE(deleteFile(tmp.path())) << "a folder is not a file";
}

} // namespace
