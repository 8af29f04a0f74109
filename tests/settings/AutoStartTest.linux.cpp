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
using testing_support::ScopedCurrentDirectory;
using testing_support::TempDir;
using testing_support::TempHome;
using testing_support::writeFile;

namespace fs = std::filesystem;

namespace {

std::string entryFile(const TempHome& home) { return home.path() + "/.config/autostart/HolmikZiviza.desktop"; }

// Runs f and returns what it wrote on standard error.
template <typename F>
std::string stderrOf(F f)
{
    testing::internal::CaptureStderr();
    f();
    return testing::internal::GetCapturedStderr();
}

TEST(AutoStart, OnWritesTheEntryOffRemovesItAndFailuresAreReported)
{
    TempHome home;
    TempDir app;
    fs::create_directories(app.file("data"));
    ScopedCurrentDirectory inData(app.file("data"));
    EXPECT_EQ(stderrOf([] { AutoStart::enable(true); }), "");
    AutoStart::enable(true); // twice: still one entry
    EXPECT_TRUE(AutoStart::isEnabled());
    EXPECT_NE(readFile(entryFile(home)).find("Exec=\"" + app.file("data") + "/HolmikZiviza.lnk\"\n"), std::string::npos);
    EXPECT_EQ(std::distance(fs::directory_iterator(home.path() + "/.config/autostart"), fs::directory_iterator()), 1);
    EXPECT_EQ(stderrOf([] { AutoStart::enable(false); }), "");
    EXPECT_FALSE(AutoStart::isEnabled());
    EXPECT_EQ(stderrOf([] { AutoStart::enable(false); }), "ERROR: Faild to delete Registry Value\n");

    // The entry is written beside itself and renamed into place; a folder standing where
    // that file goes makes the write fail, for root too.
    fs::create_directories(entryFile(home) + ".new");
    EXPECT_EQ(stderrOf([] { AutoStart::enable(true); }), "ERROR: Faild to write Registry Value\n");
    EXPECT_FALSE(AutoStart::isEnabled());
    // A file where the autostart folder belongs is a missing Run key: reported, never replaced.
    fs::remove_all(home.path() + "/.config/autostart");
    writeFile(home.path() + "/.config/autostart", "not a folder");
    EXPECT_EQ(stderrOf([] { AutoStart::enable(true); }), "ERROR: Faild to Open Registry Key\n");
    EXPECT_EQ(readFile(home.path() + "/.config/autostart"), "not a folder");
}

TEST(AutoStart, TheEntryStartsTheProgramInItsOwnFolder)
{
    const std::string gio = "/usr/bin/gio";
    ASSERT_TRUE(fs::exists(gio)) << "gio (Debian's libglib2.0-bin, in scripts/packages.txt) starts desktop entries";
    ASSERT_TRUE(fs::exists(std::string(HOLMIK_DATA_DIR) + "/HolmikZiviza.lnk")) << "the build writes the launcher";
    TempHome home;
    TempDir root;
    // A user name with a space, a quote, a dollar sign and a non-ASCII letter.
    const std::string programFolder = root.file("\xc3\x85sa \"Q\" $HOME/HolmikZiviza");
    fs::create_directories(programFolder + "/data");
    fs::copy_file(std::string(HOLMIK_DATA_DIR) + "/HolmikZiviza.lnk", programFolder + "/data/HolmikZiviza.lnk");
    // A stand-in for the program: it records where it was started and with what.
    const std::string record = root.file("started");
    writeFile(programFolder + "/holmikziviza", "#!/bin/sh\npwd > '" + record + ".tmp'\necho \"$#\" >> '" + record +
                                                   ".tmp'\nmv '" + record + ".tmp' '" + record + "'\n");
    fs::permissions(programFolder + "/holmikziviza", fs::perms::owner_all);
    {
        ScopedCurrentDirectory inData(programFolder + "/data");
        AutoStart::enable(true);
    }
    ASSERT_TRUE(fs::exists(entryFile(home)));
    const std::string command = "cd / && env -u DISPLAY -u DBUS_SESSION_BUS_ADDRESS " + gio + " launch '" + entryFile(home) + "'";
    ASSERT_EQ(std::system(command.c_str()), 0);
    // gio starts the entry and returns; the stand-in finishes on its own.
    for (int i = 0; i < 3000 && !fs::exists(record); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(fs::exists(record));
    EXPECT_EQ(readFile(record), fs::canonical(programFolder).string() + "\n0\n");
}

} // namespace
