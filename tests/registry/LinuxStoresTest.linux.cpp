// Where the registry keeps its keys on Linux, each under a temporary HOME: the Run key is the
// XDG autostart folder that a desktop session reads, the Steam key is read from Steam for
// Linux's own files (never written), and every other key lives in our own file per root.
#include "registry/RegKey.h"
#include "registry/SteamRegistry.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using Registry::RegKey;
using Registry::RegValue;
using testing_support::readFile;
using testing_support::TempHome;
using testing_support::writeFile;

const std::wstring runKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run\\";

TEST(RunKey, TheFirstValueMakesTheFolderAndItsExecLineQuotesThePath)
{
    TempHome home;
    const std::string file = home.path() + "/.config/autostart/HolmikZiviza.desktop";
    bool ok = false;
    RegKey key = RegKey::open(Registry::CurrentUser, runKey, ok, true);
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
    EXPECT_FALSE(ok);
}

TEST(RunKey, IsTheCurrentUsersAutostartFolderUnderAnAbsoluteXdgConfigHome)
{
    TempHome home;
    bool ok = false;
    setenv("XDG_CONFIG_HOME", "relative", 1);
    RegKey key = RegKey::open(Registry::CurrentUser, L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run", ok, true);
    key.setValue(RegValue(L"X", L"/x", false), ok);
    EXPECT_TRUE(std::filesystem::exists(home.path() + "/.config/autostart/X.desktop"));
    setenv("XDG_CONFIG_HOME", (home.path() + "/.config/autostart/X.desktop").c_str(), 1);
    RegKey::open(Registry::CurrentUser, runKey, ok, true);
    EXPECT_FALSE(ok) << "a file where the folder should be";
    RegKey::open(Registry::LocalMachine, runKey, ok, false);
    EXPECT_FALSE(ok) << "only the current user's";
}

TEST(RunKey, EntriesASessionWouldNotStartReadAsMissing)
{
    TempHome home;
    const std::string folder = home.path() + "/.config/autostart/";
    writeFile(folder + "Hidden.desktop", "[Desktop Entry]\nType=Application\nExec=/bin/true\nHidden=true\n");
    writeFile(folder + "NoExec.desktop", "[Desktop Entry]\nType=Application\nName=NoExec\n");
    writeFile(folder + "Binary.desktop", std::string("\0\x01\xff\xfe", 4));
    writeFile(
        folder + "Other.desktop", "# someone else's\n[Desktop Entry]\nExec = other %U\n[Desktop Action x]\nExec=no\n");
    writeFile(folder + "notes.txt", "not an entry");
    bool ok = false;
    RegKey key = RegKey::open(Registry::CurrentUser, runKey, ok, false);
    EXPECT_EQ(key.getValueCount(), 4u);
    for (const wchar_t* name : { L"Hidden", L"NoExec", L"Binary", L"notes" }) {
        key.getValue(name, ok);
        EXPECT_FALSE(ok);
    }
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

TEST(SteamKey, SteamPathComesFromTheFileOrTheSteamLinkWhichAreNeverWritten)
{
    std::string deep;
    for (int i = 0; i < 5000; ++i)
        deep += "\"k\" { ";
    enum { NoLink, Link, Dangling };
    const struct {
        std::string vdf; // "-": no file
        int link;
        std::string expected; // "": none
    } cases[] = {
        { "-", Link, "$install" },
        { registryVdf(""), Link, "$install" },
        { registryVdf("/elsewhere/Steam"), Link, "/elsewhere/Steam" }, // the file wins over the link
        { "\"Registry\"\n{\n\t\"HKCU\"\n\t{\n\t\t\"Software\" \"unterminated", Link, "$install" },
        { "-", NoLink, "" },
        { "-", Dangling, "" }, // Steam removed
        { "\"Registry\" { \"HKCU\" { \"Software\" { } } }", NoLink, "" },
        { "// written by hand\nRegistry\n{\n HKCU { Software { Valve { Steam {\n"
          "  SteamPath \"/a \\\"quoted\\\" \\\\ path\" [$LINUX]\n  \"x\" \"y\" // comment\n } } } }\n}\n",
            NoLink, "/a \"quoted\" \\ path" },
        { deep, NoLink, "" },
    };
    for (const auto& c : cases) {
        TempHome home;
        const std::string install = home.path() + "/.local/share/Steam";
        std::filesystem::create_directories(home.path() + "/.steam");
        if (c.vdf != "-")
            writeFile(home.path() + "/.steam/registry.vdf", c.vdf);
        if (c.link == Link)
            std::filesystem::create_directories(install);
        if (c.link != NoLink)
            std::filesystem::create_directory_symlink(install, home.path() + "/.steam/steam");
        bool ok = c.expected.empty();
        EXPECT_EQ(Registry::readSteamPath(ok), c.expected == "$install" ? install : c.expected) << c.vdf;
        EXPECT_EQ(ok, !c.expected.empty()) << c.vdf;
        RegKey::open(Registry::CurrentUser, Registry::steamKeyPath, ok, false);
        EXPECT_EQ(ok, !c.expected.empty()) << c.vdf;
        // Steam's files are never written.
        RegKey::open(Registry::CurrentUser, Registry::steamKeyPath, ok, true);
        EXPECT_FALSE(ok) << c.vdf;
        RegKey::create(Registry::CurrentUser, L"Software\\Valve\\Other", ok);
        EXPECT_FALSE(ok) << c.vdf;
        EXPECT_EQ(c.vdf == "-" ? "-" : readFile(home.path() + "/.steam/registry.vdf"), c.vdf);
    }
}

TEST(RegistryFile, OnlyCreatingMakesItAndACorruptOneIsNeverOverwritten)
{
    TempHome home;
    const std::string hive = home.path() + "/.config/holmikziviza/HKEY_CURRENT_USER.registry";
    bool ok = true;
    RegKey::open(Registry::CurrentUser, L"Software\\x", ok, true);
    EXPECT_FALSE(std::filesystem::exists(hive));
    RegKey::create(Registry::CurrentUser, L"Software\\x", ok);
    ASSERT_TRUE(ok);
    for (const std::string& garbage :
        { std::string("HolmikZiviza registry 1\n[Software\\x]\n\"a\"=1:4\x00\xff", 40), std::string() }) {
        writeFile(hive, garbage);
        RegKey::open(Registry::CurrentUser, L"Software\\x", ok, false);
        EXPECT_FALSE(ok);
        RegKey::create(Registry::CurrentUser, L"Software\\y", ok);
        EXPECT_FALSE(ok);
        EXPECT_EQ(readFile(hive), garbage);
    }
}
