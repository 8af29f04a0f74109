// The per-user data folder of an installed program: what the template brings, what the
// user's copy keeps, and which folder the program runs in.
#include "BuildConfig.h"
#include "app/DataFolder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sys/stat.h>

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

class UserData : public ::testing::Test {
protected:
    void SetUp() override
    {
        fs::create_directories(templ);
        writeFile(templ + "/head.gif", "GIF89a new");
        writeFile(templ + "/English.lang", "template English");
        writeFile(templ + "/Languages.langmaster", "template master");
        writeFile(templ + "/HolmikZiviza.lnk", "#!/bin/sh\nexec /usr/bin/holmikziviza\n");
        chmod((templ + "/HolmikZiviza.lnk").c_str(), 0755);
    }
    bool bring(std::string& problem) { return DataFolder::bringUpToDate(templ, user, problem); }

    TempDir dir;
    const std::string templ = dir.file("usr/share/holmikziviza/data");
    const std::string user = dir.file("home/.local/share/holmikziviza/data");
};

TEST_F(UserData, AFirstStartCopiesEverythingAndMakesTheFolders)
{
    std::string problem;
    ASSERT_TRUE(bring(problem)) << problem;
    for (const char* name : {"head.gif", "English.lang", "Languages.langmaster", "HolmikZiviza.lnk"})
        EXPECT_EQ(readFile(user + "/" + name), readFile(templ + "/" + name)) << name;
    struct stat info {};
    ASSERT_EQ(stat((user + "/HolmikZiviza.lnk").c_str(), &info), 0);
    EXPECT_TRUE(info.st_mode & S_IXUSR) << "the launcher stays executable";
    EXPECT_FALSE(fs::exists(user + "/HolmikZiviza.lnk.part"));
}

TEST_F(UserData, LaterStartsKeepTheUsersFilesAndBringNewProgramFiles)
{
    std::string problem;
    ASSERT_TRUE(bring(problem)) << problem;
    writeFile(user + "/Settings.xml", "<Settings CustomName=\"Mine\"/>");
    writeFile(user + "/English.lang", "edited by the user");
    fs::create_directories(user + "/mapOverViews/730");
    writeFile(user + "/mapOverViews/730/de_dust2.jpg", "cached");
    // An upgrade: new pictures, new language files, and a template Settings.xml.
    writeFile(templ + "/head.gif", "GIF89a newer");
    writeFile(templ + "/English.lang", "template English 2");
    writeFile(templ + "/Settings.xml", "<Settings/>");
    fs::create_directories(templ + "/mapOverViews");

    ASSERT_TRUE(bring(problem)) << problem;
    EXPECT_EQ(readFile(user + "/head.gif"), "GIF89a newer");
    EXPECT_EQ(readFile(user + "/English.lang"), "edited by the user");
    EXPECT_EQ(readFile(user + "/Settings.xml"), "<Settings CustomName=\"Mine\"/>");
    EXPECT_EQ(readFile(user + "/mapOverViews/730/de_dust2.jpg"), "cached");
}

TEST_F(UserData, AFolderThatCannotBeMadeOrReadIsReported)
{
    writeFile(dir.file("home/.local/share/holmikziviza"), "a file where the folder belongs");
    std::string problem;
    EXPECT_FALSE(bring(problem));
    EXPECT_NE(problem.find(user), std::string::npos) << problem;

    EXPECT_FALSE(DataFolder::bringUpToDate(dir.file("missing"), dir.file("elsewhere"), problem));
    EXPECT_NE(problem.find(dir.file("missing")), std::string::npos) << problem;
}

TEST(RunFolder, ABuildRunsBesideItsDataAndAnInstallInTheUsersFolder)
{
    TempDir dir;
    std::string problem;
    fs::create_directories(dir.file("build/bin/data"));
    EXPECT_EQ(DataFolder::runFolder(dir.file("build/bin"), dir.file("home"), problem), dir.file("build/bin"));
    EXPECT_FALSE(fs::exists(dir.file("home"))) << "a build never writes into the user's folder";

    fs::create_directories(dir.file("usr/bin"));
    EXPECT_EQ(DataFolder::runFolder(dir.file("usr/bin"), dir.file("home"), problem), "") << "no data at all";
    EXPECT_EQ(problem, "");

    const std::string templ = dir.file("usr/bin/") + BuildConfig::installedTemplateFromBin;
    fs::create_directories(templ);
    writeFile(templ + "/head.gif", "GIF89a");
    EXPECT_EQ(DataFolder::runFolder(dir.file("usr/bin"), dir.file("home"), problem), dir.file("home/holmikziviza"));
    EXPECT_EQ(readFile(dir.file("home/holmikziviza/data/head.gif")), "GIF89a");

    EXPECT_EQ(DataFolder::runFolder(dir.file("usr/bin"), "", problem), "");
    EXPECT_NE(problem, "") << "no home: a message, not a run in the template";
}

} // namespace
