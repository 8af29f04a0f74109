// The Steam key read from Steam for Linux's own files under a temporary HOME.
#include "registry/RegKey.h"
#include "registry/SteamRegistry.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using Registry::RegKey;
using testing_support::TempHome;
using testing_support::writeFile;

namespace {

// As Steam for Linux writes it (trimmed).
std::string registryVdf(const std::string& steamPath)
{
    return "\"Registry\"\n{\n\t\"HKCU\"\n\t{\n\t\t\"Software\"\n\t\t{\n\t\t\t\"Valve\"\n\t\t\t{\n"
           "\t\t\t\t\"Steam\"\n\t\t\t\t{\n"
           "\t\t\t\t\t\"language\"\t\t\"english\"\n"
           "\t\t\t\t\t\"Apps\"\n\t\t\t\t\t{\n\t\t\t\t\t\t\"730\"\n\t\t\t\t\t\t{\n"
           "\t\t\t\t\t\t\t\"installed\"\t\t\"1\"\n\t\t\t\t\t\t}\n\t\t\t\t\t}\n" +
           (steamPath.empty() ? std::string() : "\t\t\t\t\t\"SteamPath\"\t\t\"" + steamPath + "\"\n") +
           "\t\t\t\t\t\"RunningAppID\"\t\t\"0\"\n"
           "\t\t\t\t}\n\t\t\t}\n\t\t}\n\t}\n}\n";
}

void makeSteamLink(const TempHome& home, const std::string& installFolder)
{
    std::filesystem::create_directories(installFolder);
    std::filesystem::create_directories(home.path() + "/.steam");
    std::filesystem::create_directory_symlink(installFolder, home.path() + "/.steam/steam");
}

TEST(SteamKey, SteamPathComesFromRegistryVdf)
{
    TempHome home;
    writeFile(home.path() + "/.steam/registry.vdf", registryVdf("/home/user/.local/share/Steam"));
    bool ok = false;
    EXPECT_EQ(Registry::readSteamPath(ok), "/home/user/.local/share/Steam");
    EXPECT_TRUE(ok);
    RegKey key = RegKey::open(Registry::CurrentUser, L"software\\valve\\steam", ok, false);
    ASSERT_TRUE(ok);
    EXPECT_EQ(key.getValue(L"language", ok).asString(), "english");
    EXPECT_EQ(key.getSubkeyCount(), 1u);
    EXPECT_EQ(key.getValueCount(), 3u);
    RegKey app = RegKey::open(Registry::CurrentUser, L"Software\\Valve\\Steam\\Apps\\730", ok, false);
    ASSERT_TRUE(ok);
    EXPECT_EQ(app.getValue(L"Installed", ok).asString(), "1");
    key.getValue(L"NoSuchValue", ok);
    EXPECT_FALSE(ok);
}

TEST(SteamKey, WithoutSteamPathInTheFileTheSteamLinkGivesTheFolder)
{
    TempHome home;
    const std::string install = home.path() + "/.local/share/Steam";
    makeSteamLink(home, install);
    bool ok = false;
    EXPECT_EQ(Registry::readSteamPath(ok), install);
    EXPECT_TRUE(ok);
    writeFile(home.path() + "/.steam/registry.vdf", registryVdf(""));
    EXPECT_EQ(Registry::readSteamPath(ok), install);
    EXPECT_TRUE(ok);
    // The file's own value wins over the link.
    writeFile(home.path() + "/.steam/registry.vdf", registryVdf("/elsewhere/Steam"));
    EXPECT_EQ(Registry::readSteamPath(ok), "/elsewhere/Steam");
    // A corrupt file is ignored; the link still answers.
    writeFile(home.path() + "/.steam/registry.vdf", "\"Registry\"\n{\n\t\"HKCU\"\n\t{\n\t\t\"Software\" \"unterminated");
    EXPECT_EQ(Registry::readSteamPath(ok), install);
    EXPECT_TRUE(ok);
}

TEST(SteamKey, WithNeitherTheKeyDoesNotOpen)
{
    TempHome home;
    bool ok = true;
    RegKey::open(Registry::CurrentUser, Registry::steamKeyPath, ok, false);
    EXPECT_FALSE(ok);
    EXPECT_EQ(Registry::readSteamPath(ok), "");
    EXPECT_FALSE(ok);
    // A link that leads nowhere (Steam was removed) is no Steam either.
    std::filesystem::create_directories(home.path() + "/.steam");
    std::filesystem::create_directory_symlink(home.path() + "/gone", home.path() + "/.steam/steam");
    EXPECT_EQ(Registry::readSteamPath(ok), "");
    EXPECT_FALSE(ok);
    // A file with other keys only.
    writeFile(home.path() + "/.steam/registry.vdf", "\"Registry\" { \"HKCU\" { \"Software\" { } } }");
    EXPECT_EQ(Registry::readSteamPath(ok), "");
    EXPECT_FALSE(ok);
}

TEST(SteamKey, SteamsFilesAreNeverWritten)
{
    TempHome home;
    writeFile(home.path() + "/.steam/registry.vdf", registryVdf("/s"));
    bool ok = true;
    RegKey::open(Registry::CurrentUser, Registry::steamKeyPath, ok, true);
    EXPECT_FALSE(ok);
    RegKey::create(Registry::CurrentUser, L"Software\\Valve\\Other", ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(testing_support::readFile(home.path() + "/.steam/registry.vdf"), registryVdf("/s"));
}

TEST(SteamKey, KeyValuesSyntaxVariantsParse)
{
    TempHome home;
    writeFile(home.path() + "/.steam/registry.vdf",
              "// written by hand\nRegistry\n{\n HKCU { Software { Valve { Steam {\n"
              "  SteamPath \"/a \\\"quoted\\\" \\\\ path\" [$LINUX]\n"
              "  \"x\" \"y\" // trailing comment\n } } } }\n}\n");
    bool ok = false;
    EXPECT_EQ(Registry::readSteamPath(ok), "/a \"quoted\" \\ path");
    EXPECT_TRUE(ok);
    std::string deep;
    for (int i = 0; i < 5000; ++i)
        deep += "\"k\" { ";
    writeFile(home.path() + "/.steam/registry.vdf", deep);
    RegKey::open(Registry::CurrentUser, Registry::steamKeyPath, ok, false);
    EXPECT_FALSE(ok);
}

} // namespace
