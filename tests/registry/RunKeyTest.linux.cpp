// The current user's Run key is the XDG autostart folder: what a desktop session reads.
#include "registry/RegKey.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using Registry::RegKey;
using Registry::RegValue;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

const std::wstring runKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";

TEST(RunKey, TheFirstValueMakesTheFolderAndItsExecLineQuotesThePath)
{
    testing_support::TempHome home;
    const std::string file = home.path() + "/.config/autostart/HolmikZiviza.desktop";
    bool ok = false;
    RegKey key = RegKey::open(Registry::CurrentUser, runKey, ok, true);
    ASSERT_TRUE(ok) << "the folder need not exist yet";
    EXPECT_EQ(key.getValueCount(), 0u);
    const std::string path = "/home/\xc3\xa5sa/My \"Games\"/$HOME/back\\slash/100%/HolmikZiviza.lnk";
    key.setValue(
        RegValue(L"HolmikZiviza", L"/home/\u00e5sa/My \"Games\"/$HOME/back\\slash/100%/HolmikZiviza.lnk", false), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(readFile(file),
        "[Desktop Entry]\nType=Application\nName=HolmikZiviza\n"
        "Exec=\"/home/\xc3\xa5sa/My \\\\\"Games\\\\\"/\\\\$HOME/back\\\\\\\\slash/100%%/HolmikZiviza.lnk\"\n");
    EXPECT_EQ(key.getValueCount(), 1u);
    const RegValue value = key.getValue(L"holmikziviza", ok);
    EXPECT_TRUE(ok);
    EXPECT_EQ(value.getKind(), Registry::KindString);
    EXPECT_EQ(value.asString(), path);

    key.deleteValue(L"HolmikZiviza", ok);
    EXPECT_TRUE(ok);
    EXPECT_FALSE(std::filesystem::exists(file));
    key.deleteValue(L"HolmikZiviza", ok);
    EXPECT_FALSE(ok);
}

TEST(RunKey, IsTheCurrentUsersAutostartFolderUnderXdgConfigHome)
{
    testing_support::TempHome home;
    bool ok = false;
    const struct {
        std::string config;
        std::wstring name;
        std::string made; // "": the key does not open
    } cases[] = {
        { home.path() + "/elsewhere", L"X", home.path() + "/elsewhere/autostart/X.desktop" },
        { "relative", L"Y", home.path() + "/.config/autostart/Y.desktop" }, // not valid: ~/.config
        { home.path() + "/elsewhere/autostart/X.desktop", L"Z", "" }, // a file where the folder should be
    };
    for (const auto& c : cases) {
        setenv("XDG_CONFIG_HOME", c.config.c_str(), 1);
        RegKey key
            = RegKey::open(Registry::CurrentUser, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", ok, true);
        EXPECT_EQ(ok, !c.made.empty()) << c.config;
        key.setValue(RegValue(c.name, L"/x", false), ok);
        EXPECT_TRUE(c.made.empty() || std::filesystem::exists(c.made)) << c.made;
    }
    // Other roots and keys are not the folder.
    RegKey::open(Registry::LocalMachine, runKey, ok, false);
    EXPECT_FALSE(ok);
    RegKey::open(Registry::CurrentUser, L"Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", ok, false);
    EXPECT_FALSE(ok);
}

TEST(RunKey, EntriesASessionWouldNotStartReadAsMissing)
{
    testing_support::TempHome home;
    const std::string folder = home.path() + "/.config/autostart";
    writeFile(folder + "/Hidden.desktop", "[Desktop Entry]\nType=Application\nExec=/bin/true\nHidden=true\n");
    writeFile(folder + "/NoExec.desktop", "[Desktop Entry]\nType=Application\nName=NoExec\n");
    writeFile(folder + "/Binary.desktop", std::string("\0\x01\xff\xfe", 4));
    writeFile(folder + "/Other.desktop",
        "# someone else's\n[Desktop Entry]\nName=Other\nExec = other --flag %U\n[Desktop Action x]\nExec=nope\n");
    writeFile(folder + "/notes.txt", "not an entry");
    bool ok = false;
    RegKey key = RegKey::open(Registry::CurrentUser, runKey, ok, false);
    EXPECT_EQ(key.getValueCount(), 4u);
    for (const wchar_t* name : { L"Hidden", L"NoExec", L"Binary", L"notes" }) {
        key.getValue(name, ok);
        EXPECT_FALSE(ok);
    }
    EXPECT_EQ(key.getValue(L"Other", ok).asString(), "other --flag %U");
    EXPECT_TRUE(ok);
    key.deleteValue(L"Other", ok);
    EXPECT_FALSE(ok) << "a read-only key changes nothing";
    EXPECT_TRUE(std::filesystem::exists(folder + "/Other.desktop"));
}

} // namespace
