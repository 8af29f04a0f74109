// The per-user data folder of an installed program: what the template brings, what the
// user's copy keeps, and which folder the program runs in.
#include "BuildConfig.h"
#include "app/DataFolder.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

TEST(DataFolder, AFirstStartCopiesEverythingAndLaterOnesKeepTheUsersFilesAndBringNewProgramFiles)
{
    testing_support::TempDir dir;
    const std::string templ = dir.file("usr/share/holmikziviza/data"), user = dir.file("home/holmikziviza/data");
    writeFile(templ + "/head.gif", "GIF89a new");
    writeFile(templ + "/English.lang", "template English");
    writeFile(templ + "/HolmikZiviza.lnk", "#!/bin/sh\nexec /usr/bin/holmikziviza\n");
    fs::permissions(templ + "/HolmikZiviza.lnk", fs::perms::owner_all);
    std::string problem;
    ASSERT_TRUE(DataFolder::bringUpToDate(templ, user, problem)) << problem;
    for (const char* name : {"head.gif", "English.lang", "HolmikZiviza.lnk"})
        EXPECT_EQ(readFile(user + "/" + name), readFile(templ + "/" + name)) << name;
    EXPECT_TRUE((fs::status(user + "/HolmikZiviza.lnk").permissions() & fs::perms::owner_exec) != fs::perms::none)
        << "the launcher stays executable";
    EXPECT_FALSE(fs::exists(user + "/HolmikZiviza.lnk.part"));

    writeFile(user + "/Settings.xml", "<Settings CustomName=\"Mine\"/>");
    writeFile(user + "/English.lang", "edited by the user");
    writeFile(user + "/mapOverViews/730/de_dust2.jpg", "cached");
    // An upgrade: new pictures, new language files, a template Settings.xml and map folder.
    writeFile(templ + "/head.gif", "GIF89a newer");
    writeFile(templ + "/English.lang", "template English 2");
    writeFile(templ + "/Settings.xml", "<Settings/>");
    fs::create_directories(templ + "/mapOverViews");
    ASSERT_TRUE(DataFolder::bringUpToDate(templ, user, problem)) << problem;
    EXPECT_EQ(readFile(user + "/head.gif"), "GIF89a newer");
    EXPECT_EQ(readFile(user + "/English.lang"), "edited by the user");
    EXPECT_EQ(readFile(user + "/Settings.xml"), "<Settings CustomName=\"Mine\"/>");
    EXPECT_EQ(readFile(user + "/mapOverViews/730/de_dust2.jpg"), "cached");

    // A folder that cannot be made, or a template that cannot be read, is reported.
    writeFile(dir.file("blocked"), "a file where the folder belongs");
    EXPECT_FALSE(DataFolder::bringUpToDate(templ, dir.file("blocked/data"), problem));
    EXPECT_NE(problem.find(dir.file("blocked/data")), std::string::npos) << problem;
    EXPECT_FALSE(DataFolder::bringUpToDate(dir.file("missing"), dir.file("elsewhere"), problem));
    EXPECT_NE(problem.find(dir.file("missing")), std::string::npos) << problem;
}

TEST(DataFolder, ABuildRunsBesideItsDataAndAnInstallInTheUsersFolder)
{
    testing_support::TempDir dir;
    std::string problem;
    fs::create_directories(dir.file("build/bin/data"));
    EXPECT_EQ(DataFolder::runFolder(dir.file("build/bin"), dir.file("home"), problem), dir.file("build/bin"));
    EXPECT_FALSE(fs::exists(dir.file("home"))) << "a build never writes into the user's folder";

    fs::create_directories(dir.file("usr/bin"));
    EXPECT_EQ(DataFolder::runFolder(dir.file("usr/bin"), dir.file("home"), problem), "") << "no data at all";
    EXPECT_EQ(problem, "");

    writeFile(dir.file("usr/bin/") + BuildConfig::installedTemplateFromBin + "/head.gif", "GIF89a");
    EXPECT_EQ(DataFolder::runFolder(dir.file("usr/bin"), dir.file("home"), problem), dir.file("home/holmikziviza"));
    EXPECT_EQ(readFile(dir.file("home/holmikziviza/data/head.gif")), "GIF89a");
    EXPECT_EQ(DataFolder::runFolder(dir.file("usr/bin"), "", problem), "");
    EXPECT_NE(problem, "") << "no home: a message, not a run in the template";
}

} // namespace
