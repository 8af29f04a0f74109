// The current user's Run key is the XDG autostart folder: what a desktop session reads.
#include "registry/RegKey.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using Registry::RegKey;
using Registry::RegValue;
using testing_support::TempHome;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

const std::wstring runKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";

TEST(RunKey, OpensBeforeTheFolderExistsAndTheFirstValueMakesIt)
{
    TempHome home;
    const std::string folder = home.path() + "/.config/autostart";
    bool ok = false;
    RegKey key = RegKey::open(Registry::CurrentUser, runKey, ok, true);
    ASSERT_TRUE(ok);
    EXPECT_FALSE(std::filesystem::exists(folder));
    EXPECT_EQ(key.getValueCount(), 0u);
    key.getValue(L"HolmikZiviza", ok);
    EXPECT_FALSE(ok);

    key.setValue(RegValue(L"HolmikZiviza", L"/opt/holmik/data/HolmikZiviza.lnk", false), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(readFile(folder + "/HolmikZiviza.desktop"),
              "[Desktop Entry]\nType=Application\nName=HolmikZiviza\nExec=\"/opt/holmik/data/HolmikZiviza.lnk\"\n");
    EXPECT_EQ(key.getValueCount(), 1u);
    RegValue value = key.getValue(L"holmikziviza", ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(value.getKind(), Registry::KindString);
    EXPECT_EQ(value.asString(), "/opt/holmik/data/HolmikZiviza.lnk");

    key.deleteValue(L"HolmikZiviza", ok);
    EXPECT_TRUE(ok);
    EXPECT_FALSE(std::filesystem::exists(folder + "/HolmikZiviza.desktop"));
    key.deleteValue(L"HolmikZiviza", ok);
    EXPECT_FALSE(ok);
}

TEST(RunKey, IsTheCurrentUsersAutostartFolderUnderXdgConfigHome)
{
    TempHome home;
    const std::string elsewhere = home.path() + "/elsewhere";
    setenv("XDG_CONFIG_HOME", elsewhere.c_str(), 1);
    bool ok = false;
    RegKey key = RegKey::open(Registry::CurrentUser, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", ok, true);
    ASSERT_TRUE(ok);
    key.setValue(RegValue(L"X", L"/x", false), ok);
    EXPECT_TRUE(std::filesystem::exists(elsewhere + "/autostart/X.desktop"));
    // A relative XDG_CONFIG_HOME is not valid: ~/.config is used.
    setenv("XDG_CONFIG_HOME", "relative", 1);
    RegKey other = RegKey::open(Registry::CurrentUser, runKey, ok, true);
    other.setValue(RegValue(L"Y", L"/y", false), ok);
    EXPECT_TRUE(std::filesystem::exists(home.path() + "/.config/autostart/Y.desktop"));

    // Other roots and keys are not the folder, and a file in its place is no key.
    RegKey::open(Registry::LocalMachine, runKey, ok, false);
    EXPECT_FALSE(ok);
    RegKey::open(Registry::CurrentUser, L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", ok, false);
    EXPECT_FALSE(ok);
    writeFile(home.path() + "/cfg", "a file");
    setenv("XDG_CONFIG_HOME", (home.path() + "/cfg").c_str(), 1);
    RegKey::open(Registry::CurrentUser, runKey, ok, true);
    EXPECT_FALSE(ok);
}

TEST(RunKey, PathsWithSpacesQuotesAndNonAsciiRoundTripThroughTheExecLine)
{
    TempHome home;
    bool ok = false;
    RegKey key = RegKey::open(Registry::CurrentUser, runKey, ok, true);
    const std::string path = "/home/\xc3\xa5sa/My \"Games\"/$HOME/back\\slash/100%/HolmikZiviza.lnk";
    key.setValue(RegValue(L"HolmikZiviza", L"/home/\u00e5sa/My \"Games\"/$HOME/back\\slash/100%/HolmikZiviza.lnk", false), ok);
    ASSERT_TRUE(ok);
    const std::string file = readFile(home.path() + "/.config/autostart/HolmikZiviza.desktop");
    EXPECT_NE(file.find("Exec=\"/home/\xc3\xa5sa/My \\\\\"Games\\\\\"/\\\\$HOME/back\\\\\\\\slash/100%%/HolmikZiviza.lnk\"\n"),
              std::string::npos)
        << file;
    EXPECT_EQ(key.getValue(L"HolmikZiviza", ok).asString(), path);
    EXPECT_TRUE(ok);
}

TEST(RunKey, EntriesASessionWouldNotStartReadAsMissing)
{
    TempHome home;
    const std::string folder = home.path() + "/.config/autostart";
    writeFile(folder + "/Hidden.desktop", "[Desktop Entry]\nType=Application\nExec=/bin/true\nHidden=true\n");
    writeFile(folder + "/NoExec.desktop", "[Desktop Entry]\nType=Application\nName=NoExec\n");
    writeFile(folder + "/Binary.desktop", std::string("\0\x01\xff\xfe", 4));
    writeFile(folder + "/Other.desktop",
              "# someone else's\n[Desktop Entry]\nName=Other\nExec = other --flag %U\n[Desktop Action x]\nExec=nope\n");
    writeFile(folder + "/notes.txt", "not an entry");
    bool ok = false;
    RegKey key = RegKey::open(Registry::CurrentUser, runKey, ok, false);
    ASSERT_TRUE(ok);
    EXPECT_EQ(key.getValueCount(), 4u);
    key.getValue(L"Hidden", ok);
    EXPECT_FALSE(ok);
    key.getValue(L"NoExec", ok);
    EXPECT_FALSE(ok);
    key.getValue(L"Binary", ok);
    EXPECT_FALSE(ok);
    key.getValue(L"notes", ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(key.getValue(L"Other", ok).asString(), "other --flag %U");
    EXPECT_TRUE(ok);
    // A read-only key changes nothing.
    key.deleteValue(L"Other", ok);
    EXPECT_FALSE(ok);
    EXPECT_TRUE(std::filesystem::exists(folder + "/Other.desktop"));
}

} // namespace
