// The whole program as a user meets it, in a private X server (the settings and the servers
// have their own files): a Settings.xml edited by hand with values the settings panel
// would never take, saved back in range; and a logout, a kill or Ctrl-C ending it promptly
// wherever it is (the frame loop, an update check that hangs, the update dialog, which goes
// with it), with exit code 0 and Settings.xml whole.
#include "tests/support/ProgramUnderX.h"
#include "tests/support/ScriptedTcpServer.h"
#include "xml/XmlNode.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>

namespace fs = std::filesystem;
using namespace testing_support;

namespace {

// Nobody listens there: the map pictures and (where not given) the update check fail at once.
const std::string nowhere = "127.0.0.1:1";
// Longer than the program takes to end after a signal, far shorter than any network wait.
constexpr int promptly = 2000;
const std::string mySettings = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                               "<Settings CustomName=\"mine\" Width=\"320\"><Colors/><Display/></Settings>\n";

std::string savedAttribute(const std::string& file, const char* name)
{
    XmlResult check;
    const XmlNode root = XmlNode::parseFile(file, "Settings", &check);
    if (root.isEmpty() || check.code != XmlNoError)
        return "(not well-formed)";
    return root.attributeValue(name).value_or("(missing)");
}

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!ProgramUnderX::missing().empty())
            GTEST_SKIP() << "needs " << ProgramUnderX::missing();
        ASSERT_TRUE(program.ready());
    }
    ProgramUnderX program;
};

TEST(ProgramOptions, HelpVersionAndBadCommandLinesNeedNoDisplay)
{
    const std::string binary = HOLMIK_BIN_DIR "/holmikziviza";
    EXPECT_NE(commandOutput(binary + " --help").find("--demo"), std::string::npos);
    EXPECT_EQ(commandOutput(binary + " --version"), "holmikziviza 4.7.0");
    for (const char* bad : {"--bogus", "--server", "--server host:0", "--server host:70000", "--source-server :27015",
                            "--map-host x:abc", "--update-host"}) {
        int code = 0;
        EXPECT_NE(commandOutput(binary + " " + bad + " 2>&1", true, &code).find("Usage: holmikziviza"), std::string::npos) << bad;
        EXPECT_NE(code, 0) << bad;
    }
}

TEST_F(Program, AHandEditedFileIsSavedInRangeAndATerminationSignalEndsTheFrameLoop)
{
    const std::string written = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Settings Width=\"-50\" Alpha=\"0\" "
                                "FontSize=\"200\" CustomName=\"" + std::string(3000, 'N') + "\" X=\"-99999\" Y=\"20\">"
                                "<Colors/><Display/></Settings>\n";
    writeFile(program.dataFile("Settings.xml"), written);
    program.start({"--demo", "--update-host", nowhere, "--map-host", nowhere});
    ASSERT_TRUE(program.waitForWindow()) << "exit " << program.waitForExit(0);
    // Every start saves once, after the window is placed.
    ASSERT_TRUE(waitUntil([&] { return readFile(program.dataFile("Settings.xml")) != written; }));
    os::sleepMilliseconds(500); // idle in the loop
    const std::pair<const char*, std::string> saved[] = {{"Width", "100"}, {"Alpha", "15"}, {"FontSize", "16"},
                                                         {"CustomName", std::string(255, 'N')}, {"X", "0"}, {"Y", "20"}};
    for (const auto& [name, value] : saved)
        EXPECT_EQ(savedAttribute(program.dataFile("Settings.xml"), name), value) << name;
    program.signal(SIGTERM);
    EXPECT_EQ(program.waitForExit(promptly), 0);
    EXPECT_EQ(savedAttribute(program.dataFile("Settings.xml"), "Width"), "100");
}

TEST_F(Program, ATerminationSignalEndsAnUpdateCheckThatHangs)
{
    ScriptedTcpServer silent(std::vector<ScriptedTcpServer::Step>{}, ScriptedTcpServer::Ending::Hang);
    writeFile(program.dataFile("Settings.xml"), mySettings);
    program.start({"--demo", "--update-host", silent.host(), "--map-host", nowhere});
    ASSERT_TRUE(waitUntil([&] { return silent.connections() > 0; }));
    program.signal(SIGINT);
    EXPECT_EQ(program.waitForExit(promptly), 0);
    EXPECT_EQ(readFile(program.dataFile("Settings.xml")), mySettings);
}

TEST_F(Program, ATerminationSignalEndsTheUpdateDialogWithTheProgram)
{
    // A dialog program that stays open until it is ended, and says who it is.
    TempDir bin;
    const std::string pidFile = bin.file("dialog.pid");
    bin.write("zenity", "#!/bin/sh\necho $$ > " + pidFile + "\nexec sleep 60\n");
    fs::permissions(bin.file("zenity"), fs::perms::owner_all);
    ScriptedTcpServer newer("HTTP/1.0 200 OK\r\n\r\n99 0 0:http://example.net/\n");
    writeFile(program.dataFile("Settings.xml"), mySettings);
    program.start({"--demo", "--update-host", newer.host(), "--map-host", nowhere},
                  {"HOLMIK_DIALOGS=", "PATH=" + bin.path() + ":" + std::getenv("PATH")});
    ASSERT_TRUE(waitUntil([&] { return fs::exists(pidFile) && fs::file_size(pidFile) > 0; }));
    const std::string dialog = readFile(pidFile).substr(0, readFile(pidFile).find('\n'));
    // Gone, or at most a zombie waiting for whoever adopted it.
    auto gone = [&] {
        const std::string state = commandOutput("ps -o stat= -p " + dialog);
        return state.empty() || state[0] == 'Z';
    };
    EXPECT_FALSE(gone()) << "the dialog had not started";
    program.signal(SIGHUP);
    EXPECT_EQ(program.waitForExit(promptly), 0);
    EXPECT_EQ(readFile(program.dataFile("Settings.xml")), mySettings);
    EXPECT_TRUE(waitUntil(gone, promptly)) << "the dialog stayed open";
}

} // namespace
