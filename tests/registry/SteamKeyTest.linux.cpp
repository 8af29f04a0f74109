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
    return "\"Registry\"\n{\n\t\"HKCU\"\n\t{\n\t\t\"Software\"\n\t\t{\n\t\t\t\"Valve\"\n\t\t\t{"
           "\n\t\t\t\t\"Steam\"\n\t\t\t\t{\n"
           "\t\t\t\t\t\"language\"\t\t\"english\"\n\t\t\t\t\t\"Apps\"\n\t\t\t\t\t{\n\t\t\t\t\t\t\"730\"\n\t\t\t\t\t\t{"
           "\n"
           "\t\t\t\t\t\t\t\"installed\"\t\t\"1\"\n\t\t\t\t\t\t}\n\t\t\t\t\t}\n"
        + (steamPath.empty() ? std::string() : "\t\t\t\t\t\"SteamPath\"\t\t\"" + steamPath + "\"\n")
        + "\t\t\t\t\t\"RunningAppID\"\t\t\"0\"\n\t\t\t\t}\n\t\t\t}\n\t\t}\n\t}\n}\n";
}

TEST(SteamKey, KeysAndValuesComeFromRegistryVdfAndAreNeverWritten)
{
    TempHome home;
    const std::string vdf = home.path() + "/.steam/registry.vdf";
    writeFile(vdf, registryVdf("/home/user/.local/share/Steam"));
    bool ok = false;
    RegKey key = RegKey::open(Registry::CurrentUser, L"software\\valve\\steam", ok, false);
    ASSERT_TRUE(ok);
    EXPECT_EQ(key.getValue(L"SteamPath", ok).asString(), "/home/user/.local/share/Steam");
    EXPECT_EQ(key.getValue(L"language", ok).asString(), "english");
    EXPECT_EQ(key.getSubkeyCount() * 10 + key.getValueCount(), 13u) << "one subkey, three values";
    EXPECT_EQ(RegKey::open(Registry::CurrentUser, L"Software\\Valve\\Steam\\Apps\\730", ok)
                  .getValue(L"Installed", ok)
                  .asString(),
        "1");
    key.getValue(L"NoSuchValue", ok);
    EXPECT_FALSE(ok);

    RegKey::open(Registry::CurrentUser, Registry::steamKeyPath, ok, true);
    EXPECT_FALSE(ok);
    RegKey::create(Registry::CurrentUser, L"Software\\Valve\\Other", ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(testing_support::readFile(vdf), registryVdf("/home/user/.local/share/Steam"));
}

TEST(SteamKey, SteamPathComesFromTheFileOrTheSteamLink)
{
    std::string deep;
    for (int i = 0; i < 5000; ++i)
        deep += "\"k\" { ";
    enum LinkKind { NoLink, Link, Dangling };
    const struct {
        const char* name;
        std::string vdf; // "-": no file
        LinkKind link;
        std::string expected;
    } cases[] = {
        { "link alone", "-", Link, "$install" },
        { "a file without SteamPath", registryVdf(""), Link, "$install" },
        { "the file wins over the link", registryVdf("/elsewhere/Steam"), Link, "/elsewhere/Steam" },
        { "a corrupt file", "\"Registry\"\n{\n\t\"HKCU\"\n\t{\n\t\t\"Software\" \"unterminated", Link, "$install" },
        { "neither", "-", NoLink, "" },
        { "Steam removed", "-", Dangling, "" },
        { "other keys only", "\"Registry\" { \"HKCU\" { \"Software\" { } } }", NoLink, "" },
        { "hand-written",
            "// written by hand\nRegistry\n{\n HKCU { Software { Valve { Steam {\n"
            "  SteamPath \"/a \\\"quoted\\\" \\\\ path\" [$LINUX]\n  \"x\" \"y\" // comment\n } } } }\n}\n",
            NoLink, "/a \"quoted\" \\ path" },
        { "too deep", deep, NoLink, "" },
    };
    for (const auto& c : cases) {
        TempHome home;
        const std::string install = home.path() + "/.local/share/Steam";
        std::filesystem::create_directories(home.path() + "/.steam");
        if (c.vdf != "-")
            writeFile(home.path() + "/.steam/registry.vdf", c.vdf);
        if (c.link != NoLink) {
            if (c.link == Link)
                std::filesystem::create_directories(install);
            std::filesystem::create_directory_symlink(install, home.path() + "/.steam/steam");
        }
        bool ok = c.expected.empty();
        EXPECT_EQ(Registry::readSteamPath(ok), c.expected == "$install" ? install : c.expected) << c.name;
        EXPECT_EQ(ok, !c.expected.empty()) << c.name;
        if (c.expected.empty()) {
            RegKey::open(Registry::CurrentUser, Registry::steamKeyPath, ok, false);
            EXPECT_FALSE(ok) << c.name;
        }
    }
}

} // namespace
