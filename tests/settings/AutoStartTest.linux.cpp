// Autostart against a temporary HOME, as a desktop session sees it: the entry in the
// autostart folder, started with GLib's own desktop-file launcher (gio launch), which runs
// the launcher in the data folder, which starts the program in its own folder.
#include "settings/AutoStart.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

using testing_support::readFile;
using testing_support::writeFile;

namespace fs = std::filesystem;

namespace {

// Runs f and returns what it wrote on standard error.
template <typename F>
std::string stderrOf(F f)
{
    testing::internal::CaptureStderr();
    f();
    return testing::internal::GetCapturedStderr();
}

TEST(AutoStart, TheEntryStartsTheProgramInItsOwnFolderOffRemovesItAndFailuresAreReported)
{
    ASSERT_TRUE(fs::exists("/usr/bin/gio")) << "gio (Debian's libglib2.0-bin, in scripts/packages.txt) starts desktop entries";
    testing_support::TempHome home;
    testing_support::TempDir root;
    const std::string entry = home.path() + "/.config/autostart/HolmikZiviza.desktop";
    // A user name with a space, a quote, a dollar sign and a non-ASCII letter.
    const std::string programFolder = root.file("\xc3\x85sa \"Q\" $HOME/HolmikZiviza"), record = root.file("started");
    fs::create_directories(programFolder + "/data");
    fs::copy_file(std::string(HOLMIK_DATA_DIR) + "/HolmikZiviza.lnk", programFolder + "/data/HolmikZiviza.lnk");
    // A stand-in for the program: it records where it was started and with how many arguments.
    writeFile(programFolder + "/holmikziviza",
              "#!/bin/sh\npwd > '" + record + ".tmp'\necho \"$#\" >> '" + record + ".tmp'\nmv '" + record + ".tmp' '" + record + "'\n");
    fs::permissions(programFolder + "/holmikziviza", fs::perms::owner_all);
    testing_support::ScopedCurrentDirectory inData(programFolder + "/data");
    EXPECT_EQ(stderrOf([] { AutoStart::enable(true); }), "");
    AutoStart::enable(true); // twice: still one entry
    EXPECT_TRUE(AutoStart::isEnabled());
    EXPECT_EQ(std::distance(fs::directory_iterator(home.path() + "/.config/autostart"), fs::directory_iterator()), 1);
    ASSERT_EQ(std::system(("cd / && env -u DISPLAY -u DBUS_SESSION_BUS_ADDRESS gio launch '" + entry + "'").c_str()), 0);
    // gio starts the entry and returns; the stand-in finishes on its own.
    for (int i = 0; i < 3000 && !fs::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(readFile(record), fs::canonical(programFolder).string() + "\n0\n");

    EXPECT_EQ(stderrOf([] { AutoStart::enable(false); }), "");
    EXPECT_FALSE(AutoStart::isEnabled() || fs::exists(entry));
    EXPECT_EQ(stderrOf([] { AutoStart::enable(false); }), "ERROR: Faild to delete Registry Value\n");
    // The entry is written beside itself and renamed into place; a folder standing where
    // that file goes makes the write fail, for root too.
    fs::create_directories(entry + ".new");
    EXPECT_EQ(stderrOf([] { AutoStart::enable(true); }), "ERROR: Faild to write Registry Value\n");
    EXPECT_FALSE(AutoStart::isEnabled());
    // A file where the autostart folder belongs is a missing Run key: reported, never replaced.
    fs::remove_all(home.path() + "/.config/autostart");
    writeFile(home.path() + "/.config/autostart", "not a folder");
    EXPECT_EQ(stderrOf([] { AutoStart::enable(true); }), "ERROR: Faild to Open Registry Key\n");
    EXPECT_EQ(readFile(home.path() + "/.config/autostart"), "not a folder");
}

} // namespace
