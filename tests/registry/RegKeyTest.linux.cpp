// Our own per-user registry file: made by the first key created, never by an open, and a
// corrupt one is left alone.
#include "registry/RegKey.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using Registry::RegKey;

TEST(RegistryFile, OnlyCreatingMakesItAndACorruptOneIsNeverOverwritten)
{
    testing_support::TempHome home;
    const std::string hive = home.path() + "/.config/holmikziviza/HKEY_CURRENT_USER.registry";
    bool ok = true;
    RegKey::open(Registry::CurrentUser, L"Software\\x", ok, true);
    EXPECT_FALSE(std::filesystem::exists(hive));
    RegKey::create(Registry::CurrentUser, L"Software\\x", ok);
    ASSERT_TRUE(ok);
    for (const std::string& garbage :
        { std::string("HolmikZiviza registry 1\n[Software\\x]\n\"a\"=1:4\x00\xff", 40), std::string() }) {
        testing_support::writeFile(hive, garbage);
        RegKey::open(Registry::CurrentUser, L"Software\\x", ok, false);
        EXPECT_FALSE(ok);
        RegKey::create(Registry::CurrentUser, L"Software\\y", ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(testing_support::readFile(hive), garbage);
    }
}
