// Saving where the disk or the folder gets in the way, on a small file system of its own: a
// full disk and a read-only one keep the old Settings.xml whole; a folder that takes no new
// file but lets Settings.xml be written has it rewritten in place.
#include "settings/Settings.h"
#include "tests/support/TempDir.h"
#include "xml/XmlNode.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

class FreshSettings : public Settings {
public:
    FreshSettings() = default;
};

constexpr uid_t nobody = 65534;

class SettingsOnASmallDisk : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (geteuid() != 0)
            GTEST_SKIP() << "mounting a file system of its own needs root";
        if (mount("holmik-test", disk.path().c_str(), "tmpfs", 0, "size=64k,mode=0755") != 0)
            GTEST_SKIP() << "tmpfs cannot be mounted here";
        mounted = true;
        chown(disk.path().c_str(), nobody, nobody);
        // The first save makes the file the later saves must keep.
        inChild([] {
            FreshSettings settings;
            settings.setCustomName("old");
            settings.save();
        });
        before = read("Settings.xml");
        ASSERT_NE(before.find("CustomName=\"old\""), std::string::npos);
    }
    void TearDown() override
    {
        if (mounted)
            umount2(disk.path().c_str(), MNT_DETACH);
    }

    std::string read(const std::string& name) const { return testing_support::readFile(disk.file(name)); }

    // Runs the step as an unprivileged user inside the disk's folder (root would write
    // through any folder's permissions).
    void inChild(void (*step)()) const
    {
        const pid_t pid = fork();
        if (pid == 0) {
            if (setgid(nobody) != 0 || setuid(nobody) != 0 || chdir(disk.path().c_str()) != 0)
                _exit(2);
            step();
            _exit(0);
        }
        int status = 0;
        waitpid(pid, &status, 0);
        ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
    }

    static void saveANewName()
    {
        FreshSettings settings;
        settings.setCustomName(std::string(6000, 'n'));
        settings.save();
    }

    void fillTheDisk() const
    {
        const int fd = open(disk.file("filler").c_str(), O_WRONLY | O_CREAT, 0644);
        ASSERT_GE(fd, 0);
        const std::string block(4096, 'f');
        while (write(fd, block.data(), block.size()) > 0) {
        }
        while (write(fd, "f", 1) > 0) {
        }
        close(fd);
    }

    testing_support::TempHome home;
    testing_support::TempDir disk;
    bool mounted = false;
    std::string before;
};

TEST_F(SettingsOnASmallDisk, AFullDiskKeepsTheOldFile)
{
    fillTheDisk();
    inChild(&SettingsOnASmallDisk::saveANewName);
    EXPECT_EQ(read("Settings.xml"), before);
    EXPECT_FALSE(fs::exists(disk.file("Settings.xml.new")));

    // Nor does the rewrite in place grow the file into a disk that has no room.
    chmod(disk.path().c_str(), 0555);
    inChild(&SettingsOnASmallDisk::saveANewName);
    EXPECT_EQ(read("Settings.xml"), before);
}

TEST_F(SettingsOnASmallDisk, AReadOnlyDiskKeepsTheOldFile)
{
    ASSERT_EQ(mount(nullptr, disk.path().c_str(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr), 0);
    inChild(&SettingsOnASmallDisk::saveANewName);
    EXPECT_EQ(read("Settings.xml"), before);
}

TEST_F(SettingsOnASmallDisk, AFolderThatTakesNoNewFileHasTheFileRewrittenInPlace)
{
    chmod(disk.path().c_str(), 0555);
    inChild(&SettingsOnASmallDisk::saveANewName);
    const std::string after = read("Settings.xml");
    EXPECT_NE(after.find("CustomName=\"" + std::string(6000, 'n') + "\""), std::string::npos);
    XmlResult check;
    EXPECT_FALSE(XmlNode::parseFile(disk.file("Settings.xml"), "Settings", &check).isEmpty());
    EXPECT_EQ(check.code, XmlNoError);

    // Shorter again: nothing of the longer file is left behind its end.
    inChild([] {
        FreshSettings settings;
        settings.setCustomName("short");
        settings.save();
    });
    EXPECT_EQ(read("Settings.xml").size(), before.size() + 2);
}

} // namespace
