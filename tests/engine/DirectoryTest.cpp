#include "engine/Directory.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

using testing_support::ScopedCurrentDirectory;
using testing_support::TempDir;

namespace {

bool contains(const std::vector<std::string>& list, const std::string& item)
{
    return std::find(list.begin(), list.end(), item) != list.end();
}

TEST(Directory, BareNameIsBelowTheCurrentDirectory)
{
    TempDir tmp;
    ScopedCurrentDirectory cd(tmp.path());
    Directory maps("maps");
    const std::string real = std::filesystem::canonical(tmp.path()).string();
    EXPECT_EQ(maps.getPath(), joinPath(real, "maps"));
    EXPECT_EQ(maps.getName(), "maps");
    EXPECT_TRUE(maps.getFiles().empty());
    Directory nested(joinPath(joinPath(real, "a"), "b"));
    EXPECT_EQ(nested.getName(), "b");
    EXPECT_TRUE(Directory().getPath().empty());
}

TEST(Directory, ListingSeparatesFilesAndFoldersWithoutDotEntries)
{
    TempDir tmp;
    tmp.write("one.txt", "1");
    tmp.write(".hidden", "h");
    std::filesystem::create_directory(tmp.file("sub"));
    std::filesystem::create_directory(tmp.file(".dotted"));
    Directory d(tmp.path());
    EXPECT_EQ(d.getFiles().size(), 2u);
    EXPECT_TRUE(contains(d.getFiles(), "one.txt"));
    EXPECT_TRUE(contains(d.getFiles(), ".hidden"));
    EXPECT_EQ(d.getDirectories().size(), 2u);
    EXPECT_TRUE(contains(d.getDirectories(), "sub"));
    EXPECT_TRUE(contains(d.getDirectories(), ".dotted"));
    EXPECT_FALSE(contains(d.getDirectories(), "."));
    EXPECT_FALSE(contains(d.getDirectories(), ".."));

    Directory missing(tmp.file("nope"));
    EXPECT_TRUE(missing.getFiles().empty());
    EXPECT_TRUE(missing.getDirectories().empty());
}

TEST(Directory, CreatingTwiceReturnsTheExistingFolderWithItsContents)
{
    TempDir tmp;
    Directory root(tmp.path());
    Directory cache = root.createSubdirectory("mapOverViews");
    EXPECT_TRUE(contains(root.getDirectories(), "mapOverViews")) << "parent is refreshed";
    Directory csgo = cache.createSubdirectory("csgo");
    testing_support::writeFile(joinPath(csgo.getPath(), "de_dust2.jpg"), "x");
    Directory again = root.createSubdirectory("mapOverViews").createSubdirectory("csgo");
    EXPECT_EQ(again.getPath(), joinPath(joinPath(tmp.path(), "mapOverViews"), "csgo"));
    EXPECT_EQ(again.getFiles(), std::vector<std::string>{"de_dust2.jpg"});
    EXPECT_EQ(root.getDirectories().size(), 1u);
}

TEST(Directory, CurrentDirectoryChangesAndFailedChangesStay)
{
    TempDir tmp;
    std::filesystem::create_directory(tmp.file("data"));
    ScopedCurrentDirectory cd(tmp.path());
    const std::string real = std::filesystem::canonical(tmp.path()).string();
    Directory wd = currentDirectory();
    EXPECT_EQ(wd.getPath(), real);
    wd = setCurrentDirectory(joinPath(wd.getPath(), "data"));
    EXPECT_EQ(wd.getPath(), joinPath(real, "data"));
    EXPECT_EQ(wd.getName(), "data");
    Directory same = setCurrentDirectory(joinPath(real, "missing"));
    EXPECT_EQ(same.getPath(), joinPath(real, "data")) << "a failed change leaves the old directory";
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
