// A logout, a kill or Ctrl-C ends the program promptly wherever it is, with exit code 0 and
// Settings.xml whole: in the frame loop, during an update check that hangs, and while the
// update check's dialog is open (the dialog goes with the program).
#include "tests/support/ProgramProcess.h"
#include "tests/support/ScriptedTcpServer.h"
#include "tests/support/TempDir.h"
#include "tests/support/XvfbServer.h"
#include "xml/XmlNode.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

namespace fs = std::filesystem;
using testing_support::ProgramProcess;
using testing_support::ScriptedTcpServer;

namespace {

// Nobody listens there: the map pictures and (where not given) the update check fail at once.
const std::string nowhere = "127.0.0.1:1";
// Longer than the program takes to end after a signal, far shorter than any network wait.
constexpr int promptly = 2000;

const std::string mySettings = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                               "<Settings CustomName=\"mine\" Width=\"320\"><Colors/><Display/></Settings>\n";

bool wholeSettings(const std::string& file)
{
    XmlResult check;
    return !XmlNode::parseFile(file, "Settings", &check).isEmpty() && check.code == XmlNoError;
}

template <typename Condition>
bool waitUntil(Condition condition, int milliseconds = 20000)
{
    for (int waited = 0; waited < milliseconds; waited += 50) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

class Signals : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        if (std::system("command -v xdotool >/dev/null && command -v Xvfb >/dev/null") != 0)
            GTEST_SKIP() << "needs Xvfb and xdotool";
        ASSERT_TRUE(x.running());
    }
    testing_support::XvfbServer x;
    testing_support::TempHome home;
};

TEST_P(Signals, EndTheFrameLoop)
{
    ProgramProcess program(x.display());
    program.start({"--demo", "--update-host", nowhere, "--map-host", nowhere});
    ASSERT_FALSE(program.waitForWindow().empty());
    ASSERT_TRUE(waitUntil([&] { return fs::exists(program.dataFile("Settings.xml")); }));
    std::this_thread::sleep_for(std::chrono::milliseconds(500)); // idle in the loop
    program.signal(GetParam());
    EXPECT_EQ(program.waitForExit(promptly), 0);
    EXPECT_TRUE(wholeSettings(program.dataFile("Settings.xml")));
}

TEST_P(Signals, EndAnUpdateCheckThatHangs)
{
    ScriptedTcpServer silent(std::vector<ScriptedTcpServer::Step>{}, ScriptedTcpServer::Ending::Hang);
    ProgramProcess program(x.display());
    testing_support::writeFile(program.dataFile("Settings.xml"), mySettings);
    program.start({"--demo", "--update-host", silent.host(), "--map-host", nowhere});
    ASSERT_TRUE(waitUntil([&] { return silent.connections() > 0; }));
    program.signal(GetParam());
    EXPECT_EQ(program.waitForExit(promptly), 0);
    EXPECT_EQ(testing_support::readFile(program.dataFile("Settings.xml")), mySettings);
}

TEST_P(Signals, EndTheUpdateDialogWithTheProgram)
{
    // A dialog program that stays open until it is ended, and says who it is.
    testing_support::TempDir bin;
    const std::string pidFile = bin.file("dialog.pid");
    bin.write("zenity", "#!/bin/sh\necho $$ > " + pidFile + "\nexec sleep 60\n");
    fs::permissions(bin.file("zenity"), fs::perms::owner_all);
    ScriptedTcpServer newer("HTTP/1.0 200 OK\r\n\r\n99 0 0:http://example.net/\n");

    ProgramProcess program(x.display());
    testing_support::writeFile(program.dataFile("Settings.xml"), mySettings);
    program.start({"--demo", "--update-host", newer.host(), "--map-host", nowhere},
                  {"HOLMIK_DIALOGS=", "PATH=" + bin.path() + ":" + std::getenv("PATH")});
    ASSERT_TRUE(waitUntil([&] { return fs::exists(pidFile) && fs::file_size(pidFile) > 0; }));
    const pid_t dialog = std::stoi(testing_support::readFile(pidFile));
    program.signal(GetParam());
    EXPECT_EQ(program.waitForExit(promptly), 0);
    EXPECT_EQ(testing_support::readFile(program.dataFile("Settings.xml")), mySettings);
    // Gone, or at most a zombie waiting for whoever adopted it.
    EXPECT_TRUE(waitUntil(
        [&] {
            std::ifstream stat("/proc/" + std::to_string(dialog) + "/stat");
            std::string pid, name, state;
            return !(stat >> pid >> name >> state) || state == "Z";
        },
        promptly))
        << "the dialog stayed open";
}

INSTANTIATE_TEST_SUITE_P(TermIntHup, Signals, ::testing::Values(SIGTERM, SIGINT, SIGHUP),
                         [](const ::testing::TestParamInfo<int>& info) {
                             return std::string(info.param == SIGTERM ? "Term" : info.param == SIGINT ? "Int" : "Hup");
                         });

} // namespace
