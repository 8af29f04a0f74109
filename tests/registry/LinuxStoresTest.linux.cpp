// Where the registry keeps its keys on Linux, each under a temporary HOME: the Run key is the
// XDG autostart folder that a desktop session reads, the Steam key is read from Steam for
// Linux's own files (never written), and every other key lives in our own file per root.
#include "registry/RegKey.h"
#include "registry/SteamRegistry.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

using Registry::RegKey;
using Registry::RegValue;
using testing_support::readFile;
using testing_support::TempHome;
using testing_support::writeFile;

const std::wstring runKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";

class LinuxRegistry : public ::testing::Test {
protected:
    // Whether the key opens, is made, or holds the value.
    bool opens(const std::wstring& p, bool w = false) { return RegKey::open(Registry::CurrentUser, p, ok, w), ok; }
    bool creates(const std::wstring& path) { return RegKey::create(Registry::CurrentUser, path, ok), ok; }
    bool has(const RegKey& key, const std::wstring& name) { return key.getValue(name, ok), ok; }

    TempHome home;
    bool ok = false;
};

TEST_F(LinuxRegistry, TheRunKeysFirstValueMakesTheAutostartFolderAndItsExecLineQuotesThePath)
{
    setenv("XDG_CONFIG_HOME", "relative", 1); // not valid: ~/.config
    const std::string file = home.path() + "/.config/autostart/HolmikZiviza.desktop";
    RegKey key = RegKey::open(Registry::CurrentUser, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", ok, true);
    ASSERT_TRUE(ok) << "the folder need not exist yet";
    key.setValue(
        RegValue(L"HolmikZiviza", L"/home/\u00e5sa/My \"Games\"/$HOME/back\\slash/100%/Holmik.lnk", false), ok);
    ASSERT_TRUE(ok);
    EXPECT_EQ(readFile(file),
        "[Desktop Entry]\nType=Application\nName=HolmikZiviza\n"
        "Exec=\"/home/\xc3\xa5sa/My \\\\\"Games\\\\\"/\\\\$HOME/back\\\\\\\\slash/100%%/Holmik.lnk\"\n");
    EXPECT_EQ(key.getValueCount(), 1u);
    const RegValue value = key.getValue(L"holmikziviza", ok);
    EXPECT_EQ(value.getKind(), Registry::KindString);
    EXPECT_EQ(value.asString(), "/home/\xc3\xa5sa/My \"Games\"/$HOME/back\\slash/100%/Holmik.lnk");
    key.deleteValue(L"HolmikZiviza", ok);
    EXPECT_TRUE(ok && !std::filesystem::exists(file));
    key.deleteValue(L"HolmikZiviza", ok);
    EXPECT_FALSE(ok || has(key, L"HolmikZiviza"));
    EXPECT_FALSE(RegKey::open(Registry::LocalMachine, runKey, ok).isOpen()) << "only the current user's";
    writeFile(home.path() + "/cfg", "a file");
    setenv("XDG_CONFIG_HOME", (home.path() + "/cfg").c_str(), 1);
    EXPECT_FALSE(opens(runKey)) << "a file where the folder should be";
}

TEST_F(LinuxRegistry, RunKeyEntriesASessionWouldNotStartReadAsMissing)
{
    const std::string folder = home.path() + "/.config/autostart/";
    writeFile(folder + "Hidden.desktop", "[Desktop Entry]\nType=Application\nExec=/bin/true\nHidden=true\n");
    writeFile(folder + "NoExec.desktop", "[Desktop Entry]\nType=Application\nName=NoExec\n");
    writeFile(folder + "Binary.desktop", std::string("\0\x01\xff\xfe", 4));
    writeFile(
        folder + "Other.desktop", "# someone else's\n[Desktop Entry]\nExec = other %U\n[Desktop Action x]\nExec=no\n");
    writeFile(folder + "notes.txt", "not an entry");
    RegKey key = RegKey::open(Registry::CurrentUser, runKey, ok, false);
    EXPECT_EQ(key.getValueCount(), 4u);
    EXPECT_FALSE(has(key, L"Hidden") || has(key, L"NoExec") || has(key, L"Binary") || has(key, L"notes"));
    EXPECT_EQ(key.getValue(L"Other", ok).asString(), "other %U");
    key.deleteValue(L"Other", ok);
    EXPECT_FALSE(ok) << "a read-only key changes nothing";
    EXPECT_TRUE(std::filesystem::exists(folder + "Other.desktop"));
}

// As Steam for Linux writes it (trimmed).
static std::string registryVdf(const std::string& steamPath)
{
    return "\"Registry\"\n{\n\t\"HKCU\"\n\t{\n\t\t\"Software\"\n\t\t{\n\t\t\t\"Valve\"\n\t\t\t{\n\t\t\t\t\"Steam\"\n"
           "\t\t\t\t{\n\t\t\t\t\t\"language\"\t\t\"english\"\n\t\t\t\t\t\"Apps\"\n\t\t\t\t\t{\n\t\t\t\t\t\t\"730\"\n"
           "\t\t\t\t\t\t{\n\t\t\t\t\t\t\t\"installed\"\t\t\"1\"\n\t\t\t\t\t\t}\n\t\t\t\t\t}\n"
        + (steamPath.empty() ? "" : "\t\t\t\t\t\"SteamPath\"\t\t\"" + steamPath + "\"\n")
        + "\t\t\t\t\t\"RunningAppID\"\t\t\"0\"\n\t\t\t\t}\n\t\t\t}\n\t\t}\n\t}\n}\n";
}

TEST_F(LinuxRegistry, SteamPathComesFromTheFileOrTheSteamLinkWhichAreNeverWritten)
{
    std::string deep;
    for (int i = 0; i < 5000; ++i)
        deep += "\"k\" { ";
    enum { NoLink, Link, Dangling };
    // registry.vdf ("-": none), the link, and SteamPath ("": none).
    const std::tuple<std::string, int, std::string> cases[] = {
        { "-", Link, "$install" },
        { registryVdf(""), Link, "$install" },
        { registryVdf("/elsewhere/Steam"), Link, "/elsewhere/Steam" }, // the file wins over the link
        { "\"Registry\"\n{\n\t\"HKCU\"\n\t{\n\t\t\"Software\" \"unterminated", Link, "$install" },
        { "-", NoLink, "" },
        { "-", Dangling, "" }, // Steam removed
        { "// written by hand\nRegistry\n{\n HKCU { Software { Valve { Steam {\n"
          "  SteamPath \"/a \\\"quoted\\\" \\\\ path\" [$LINUX]\n  \"x\" \"y\" // comment\n } } } }\n}\n",
            NoLink, "/a \"quoted\" \\ path" },
        { deep, NoLink, "" },
    };
    for (const auto& [vdf, link, expected] : cases) {
        TempHome caseHome;
        const std::string install = caseHome.path() + "/.local/share/Steam";
        std::filesystem::create_directories(caseHome.path() + "/.steam");
        if (vdf != "-")
            writeFile(caseHome.path() + "/.steam/registry.vdf", vdf);
        if (link == Link)
            std::filesystem::create_directories(install);
        if (link != NoLink)
            std::filesystem::create_directory_symlink(install, caseHome.path() + "/.steam/steam");
        ok = expected.empty();
        EXPECT_EQ(Registry::readSteamPath(ok), expected == "$install" ? install : expected) << vdf;
        EXPECT_TRUE(ok == !expected.empty() && opens(Registry::steamKeyPath) == !expected.empty()) << vdf;
        // Steam's files are never written.
        EXPECT_FALSE(opens(Registry::steamKeyPath, true) || creates(L"Software\\Valve\\Other")) << vdf;
        EXPECT_EQ(vdf == "-" ? "-" : readFile(caseHome.path() + "/.steam/registry.vdf"), vdf);
    }
}

TEST_F(LinuxRegistry, OurOwnFileIsMadeOnlyByCreatingAndACorruptOneIsNeverOverwritten)
{
    const std::string hive = home.path() + "/.config/holmikziviza/HKEY_CURRENT_USER.registry";
    EXPECT_FALSE(opens(L"Software\\x", true) || std::filesystem::exists(hive));
    ASSERT_TRUE(creates(L"Software\\x"));
    for (const std::string& garbage :
        { std::string("HolmikZiviza registry 1\n[Software\\x]\n\"a\"=1:4\x00\xff", 40), std::string() }) {
        writeFile(hive, garbage);
        EXPECT_FALSE(opens(L"Software\\x") || creates(L"Software\\y"));
        EXPECT_EQ(readFile(hive), garbage);
    }
}
