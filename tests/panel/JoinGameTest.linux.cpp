// Join Game starts Steam from the folder Steam's own registry file names, once read.
#include "panel/JoinGame.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <thread>

namespace {

TEST(JoinGame, StartsSteamInItsFolderWithSeparateArgumentsAndReadsTheRegistryOnce)
{
    testing_support::TempHome home;
    const auto registry = [&](const std::string& steamPath) {
        testing_support::writeFile(home.path() + "/.steam/registry.vdf",
                                   "\"Registry\"\n{\n\t\"HKCU\"\n\t{\n\t\t\"Software\"\n\t\t{\n\t\t\t\"Valve\"\n\t\t\t{\n"
                                   "\t\t\t\t\"Steam\"\n\t\t\t\t{\n\t\t\t\t\t\"SteamPath\"\t\t\"" +
                                       steamPath + "\"\n\t\t\t\t}\n\t\t\t}\n\t\t}\n\t}\n}\n");
    };
    const std::string steam = home.path() + "/Steam", record = home.path() + "/steam-call.txt";
    // A stand-in steam.sh that records where it ran and what it was given.
    testing_support::writeFile(steam + "/steam.sh", "#!/bin/sh\n{ pwd; for a in \"$@\"; do echo \"[$a]\"; done; } > '" +
                                                        record + ".tmp' && mv '" + record + ".tmp' '" + record + "'\n");
    std::filesystem::permissions(steam + "/steam.sh", std::filesystem::perms::owner_all);
    registry(steam);
    const auto called = [&] {
        for (int i = 0; i < 500 && !std::filesystem::exists(record); ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        const std::string call = testing_support::readFile(record);
        std::filesystem::remove(record);
        return call;
    };
    joinGame(730, "+connect cs.example.net:27015");
    EXPECT_EQ(called(), steam + "\n[-applaunch]\n[730]\n[+connect]\n[cs.example.net:27015]\n");
    registry(home.path() + "/elsewhere"); // read at the first call: moving Steam changes nothing
    joinGame(240, "+connect css.example.net:27015");
    EXPECT_EQ(called(), steam + "\n[-applaunch]\n[240]\n[+connect]\n[css.example.net:27015]\n");
}

} // namespace
