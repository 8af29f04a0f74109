// Saving on a small file system of its own, as an unprivileged user: a folder that takes no
// new file has Settings.xml rewritten in place (its old text kept in the backup first), but
// never into a full or read-only disk; a save cut short by a file size limit leaves the old
// file and nothing beside it.
#include "settings/Settings.h"
#include "tests/support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <sys/resource.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

class FreshSettings : public Settings {
public:
    FreshSettings() = default;
};

TEST(SettingsOnASmallDisk, AFolderThatTakesNoNewFileHasTheFileRewrittenInPlaceWhileThereIsRoom)
{
    testing_support::TempHome home;
    testing_support::TempDir disk;
    if (geteuid() != 0 || mount("holmik-test", disk.path().c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0)
        GTEST_SKIP() << "mounting a file system of its own needs root";
    const struct Unmount {
        std::string path;
        ~Unmount() { umount2(path.c_str(), MNT_DETACH); }
    } unmount{disk.path()};
    constexpr uid_t nobody = 65534;
    chown(disk.path().c_str(), nobody, nobody);
    // Saves the name as nobody (root would write through any folder's permissions).
    const auto saveAs = [&](const std::string& name) {
        const pid_t pid = fork();
        if (pid == 0) {
            if (setgid(nobody) != 0 || setuid(nobody) != 0 || chdir(disk.path().c_str()) != 0)
                _exit(2);
            FreshSettings settings;
            settings.setCustomName(name);
            settings.save();
            _exit(0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
        return disk.read("Settings.xml");
    };
    const std::string old = saveAs("old");
    // The backup a rewrite keeps the old text in: rewritten in place too, as the folder takes
    // no new file.
    disk.write("Settings.xml.bak", "stale");
    chown(disk.file("Settings.xml.bak").c_str(), nobody, nobody);
    chmod(disk.path().c_str(), 0555);
    const std::string longer = saveAs(std::string(6000, 'n'));
    EXPECT_EQ(disk.read("Settings.xml.bak"), old);
    EXPECT_NE(longer.find("CustomName=\"" + std::string(6000, 'n') + "\""), std::string::npos);
    EXPECT_EQ(longer.substr(longer.size() - 12), "</Settings>\n") << "whole";
    const std::string shorter = saveAs("short");
    EXPECT_EQ(shorter.size(), old.size() + 2) << "nothing of the longer file is left behind its end";

    std::remove(disk.file("Settings.xml.bak").c_str()); // rewritten smaller, it would make room
    const int fd = open(disk.file("filler").c_str(), O_WRONLY | O_CREAT, 0644);
    while (write(fd, old.data(), old.size()) > 0 || write(fd, "f", 1) > 0) {
    }
    close(fd);
    EXPECT_EQ(saveAs(std::string(6000, 'n')), shorter) << "a full disk keeps the old file";
    ASSERT_EQ(mount(nullptr, disk.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    EXPECT_EQ(saveAs(std::string(6000, 'n')), shorter) << "so does a read-only one";
}

TEST(SettingsOnASmallDisk, AWriteThatFailsLeavesTheOldFileAndNothingBesideIt)
{
    testing_support::TempHome home;
    testing_support::TempDir folder;
    testing_support::ScopedCurrentDirectory inFolder(folder.path());
    FreshSettings().save();
    const std::string before = folder.read("Settings.xml");
    const pid_t pid = fork();
    if (pid == 0) {
        // Past 100 bytes every write fails (EFBIG) instead of ending the process.
        signal(SIGXFSZ, SIG_IGN);
        const rlimit small{100, 100};
        setrlimit(RLIMIT_FSIZE, &small);
        FreshSettings settings;
        settings.setCustomName("new and longer, so the file would grow");
        settings.save();
        _exit(0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_EQ(folder.read("Settings.xml"), before);
    std::size_t entries = 0;
    for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
        entries += entry.path().filename() != "Settings.xml";
    EXPECT_EQ(entries, 0u) << "the temporary file is removed";
}

} // namespace
