#include "panel/JoinGame.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

using testing_support::TempHome;

namespace {

void writeRegistry(const std::string& home, const std::string& steamPath)
{
    testing_support::writeFile(home + "/.steam/registry.vdf",
                               "\"Registry\"\n{\n\t\"HKCU\"\n\t{\n\t\t\"Software\"\n\t\t{\n\t\t\t\"Valve\"\n\t\t\t{\n"
                               "\t\t\t\t\"Steam\"\n\t\t\t\t{\n\t\t\t\t\t\"SteamPath\"\t\t\"" +
                                   steamPath + "\"\n\t\t\t\t}\n\t\t\t}\n\t\t}\n\t}\n}\n");
}

// A stand-in steam.sh that records where it ran and what it was given.
void writeRecordingSteam(const std::string& folder, const std::string& record)
{
    testing_support::writeFile(folder + "/steam.sh", "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > '" +
                                                         record + ".tmp' && mv '" + record + ".tmp' '" + record + "'\n");
    std::filesystem::permissions(folder + "/steam.sh", std::filesystem::perms::owner_all);
}

std::string waitForFile(const std::string& path)
{
    for (int i = 0; i < 500 && !std::filesystem::exists(path); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    return testing_support::readFile(path);
}

TEST(JoinGame, SteamFolderFromSteamsOwnFiles)
{
    TempHome home;
    EXPECT_EQ(readSteamFolder(), "") << "no Steam installed";
    writeRegistry(home.path(), "/games/steam");
    EXPECT_EQ(readSteamFolder(), "/games/steam/");
    writeRegistry(home.path(), "/games/steam/");
    EXPECT_EQ(readSteamFolder(), "/games/steam//") << "passed on unchanged, with one separator added";
    EXPECT_EQ(steamParameters(730, "+connect cs.example.net:27015"), "-applaunch 730 +connect cs.example.net:27015");
}

TEST(JoinGame, StartsSteamInItsFolderWithSeparateArgumentsAndReadsTheRegistryOnce)
{
    TempHome home;
    const std::string steam = home.path() + "/Steam";
    std::filesystem::create_directories(steam);
    const std::string record = home.path() + "/steam-call.txt";
    writeRecordingSteam(steam, record);
    writeRegistry(home.path(), steam);

    joinGame(730, "+connect cs.example.net:27015");
    EXPECT_EQ(waitForFile(record), steam + "\n[-applaunch]\n[730]\n[+connect]\n[cs.example.net:27015]\n");

    // The folder was read at the first call: moving Steam in the registry changes nothing.
    std::filesystem::remove(record);
    writeRegistry(home.path(), home.path() + "/elsewhere");
    joinGame(240, "+connect css.example.net:27015");
    EXPECT_EQ(waitForFile(record), steam + "\n[-applaunch]\n[240]\n[+connect]\n[css.example.net:27015]\n");
}

} // namespace
