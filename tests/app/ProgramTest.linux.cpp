// The whole program as a user meets it, in a private X server (the settings panel has its own
// file): a Settings.xml edited by hand with values the settings panel would never take, saved
// back in range; a logout, a kill or Ctrl-C ending it promptly wherever it is (the frame loop,
// an update check that hangs, the update dialog, which goes with it), with exit code 0 and
// Settings.xml whole; and both columns watching their servers.
#include "query/TestServer.h"
#include "tests/support/ProgramUnderX.h"
#include "tests/support/RecordingCommand.h"
#include "tests/support/ScriptedTcpServer.h"

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

TEST_F(Program, ASecondStartBringsTheFirstToTheFrontAndLeavesAndAKilledCopyLeavesNoLock)
{
    const std::vector<std::string> arguments{"--update-host", nowhere, "--map-host", nowhere};
    // What a copy that ended during a write left behind goes at the next start; nothing else.
    const std::string leftover = "Settings.xml.0123456789abcdef.tmp", cached = "mapOverViews/csgo/x.jpg.0123456789abcdef.tmp";
    fs::create_directories(program.dataFile("mapOverViews/csgo"));
    for (const std::string& name : {leftover, cached, std::string("notes.tmp")})
        writeFile(program.dataFile(name), "x");
    program.start(arguments);
    ASSERT_TRUE(program.waitForWindow());
    EXPECT_FALSE(fs::exists(program.dataFile(leftover)));
    EXPECT_FALSE(fs::exists(program.dataFile(cached)));
    EXPECT_TRUE(fs::exists(program.dataFile("notes.tmp")));
    ASSERT_TRUE(waitUntil([&] { return readFile(program.dataFile("HolmikZiviza.lock")) == program.window; }))
        << "the first copy notes its window";

    const std::uint32_t t0 = os::monotonicMilliseconds();
    int code = 0;
    const std::string said = program.runAgain(arguments, 5000, code);
    EXPECT_LT(os::monotonicMilliseconds() - t0, 2000u);
    EXPECT_EQ(code, 0);
    EXPECT_EQ(said, "holmikziviza: already running with this data folder; its window is in front now");
    EXPECT_EQ(program.xdotool("search --onlyvisible --class 'HolmikZiviza'"), program.window) << "one window";

    program.signal(SIGKILL);
    program.waitForExit(promptly);
    program.start(arguments);
    EXPECT_TRUE(program.waitForWindow()) << "a killed copy's lock went with it";
}

// The loop sleeps until something happens: a click long after the last input (nothing keeps
// it awake then) is answered at once.
TEST_F(Program, AClickLongAfterTheLastInputIsAnsweredAtOnce)
{
    program.start({"--update-host", nowhere, "--map-host", nowhere});
    ASSERT_TRUE(program.waitForWindow());
    ASSERT_TRUE(waitUntil([&] { return program.grab().width == 300; }));
    os::sleepMilliseconds(600);
    program.click(300 - 16 - 2 - 18 + 8, 10); // the settings button
    EXPECT_TRUE(waitUntil([&] { return program.grab().width == 550; }, 1000)) << "the settings panel opened";
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
    const std::string saved = readFile(program.dataFile("Settings.xml"));
    const std::string inRange[] = {" Width=\"100\"", " Alpha=\"15\"", " FontSize=\"16\"", " X=\"0\"", " Y=\"20\"",
                                   " CustomName=\"" + std::string(255, 'N') + "\""};
    for (const std::string& expected : inRange)
        EXPECT_NE(saved.find(expected), std::string::npos) << expected << " in\n" << saved;
    program.signal(SIGTERM);
    EXPECT_EQ(program.waitForExit(promptly), 0);
    EXPECT_EQ(readFile(program.dataFile("Settings.xml")), saved);
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
    EXPECT_EQ(program.xdotool("search --onlyvisible --class HolmikZiviza"), "") << "the question stands alone";
    program.signal(SIGHUP);
    EXPECT_EQ(program.waitForExit(promptly), 0);
    EXPECT_EQ(readFile(program.dataFile("Settings.xml")), mySettings);
    EXPECT_TRUE(waitUntil(gone, promptly)) << "the dialog stayed open";
}

constexpr unsigned linkColour = 0xFFFFFF, good = 0x00DD00, bad = 0xAA0000, playerList = 0xC2D4FB;

std::string address(const TestServer& server) { return "127.0.0.1:" + std::to_string(server.port()); }

// Both columns: two of the project's game servers on two ports of 127.0.0.1, the window read
// back from its pixels (the status rows' colours, the links, the player list), the stand-in
// Steam, and Settings.xml.
class ServersProgram : public Program {
protected:
    void SetUp() override
    {
        Program::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        go.loadHiddenNamesDemoContent(); // a Counter-Strike 2 server: every name blank
        source.loadDemoContent();
        third.loadDemoContent();
        for (TestServer* server : {&go, &source, &third}) {
            server->setDelay(0); // a reply within a millisecond is an answer all the same
            ASSERT_TRUE(server->start());
        }
    }
    // The default colours (a file without them reads black), no map pictures, no update check;
    // the file's servers answer nowhere, the command line's win for the run.
    void start()
    {
        writeFile(program.dataFile("Settings.xml"),
                  "<Settings Update=\"0\"><Colors BackgroundColor=\"7A89AA\" TextColor=\"000000\" LinkColor=\"FFFFFF\" "
                  "MapColor=\"DDAA00\" GoodColor=\"00DD00\" BadColor=\"AA0000\" BotColor=\"C0C0C0\" AdminColor=\"EE00EE\" "
                  "PlayerBackgroundColor=\"C2D4FB\" CustomColor=\"AAAA00\"/><Display OverView=\"0\" Pass=\"0\" Vac=\"0\"/>"
                  "<Servers CSGo=\"127.0.0.1:9\" CSSource=\"127.0.0.1:9\"/></Settings>");
        program.start({"--server", address(go), "--source-server", address(source)});
        ASSERT_TRUE(program.waitForWindow());
        EXPECT_EQ(program.onDisplay("xprop -id " + program.window + " WM_CLASS WM_NAME"),
                  "WM_CLASS(STRING) = \"holmikziviza\", \"HolmikZiviza\"\nWM_NAME(STRING) = \"HolmikZiviza\"")
            << "the names window-manager rules and the desktop entry match";
    }
    // Each column online (its Status row in the good colour) or offline (in the bad one).
    bool columns(bool sourceOnline, bool goOnline) const
    {
        const Picture p = program.grab();
        return p.width == 300 && !p.rows(sourceOnline ? good : bad, 0, 150).empty() &&
               p.rows(sourceOnline ? bad : good, 0, 150).empty() && !p.rows(goOnline ? good : bad, 150, 300).empty() &&
               p.rows(goOnline ? bad : good, 150, 300).empty();
    }

    RecordingCommand steam{"steam"};
    TestServer go, source, third;
};

TEST_F(ServersProgram, BothColumnsFollowTheCommandLineJoinGoOfflineAloneAndFollowThePanel)
{
    start();
    const bool online = waitUntil([&] { return columns(true, true); });
    program.screenshot("two-columns.png");
    ASSERT_TRUE(online) << "both columns online";

    const Picture p = program.grab();
    EXPECT_FALSE(p.rows(playerList, 150, 300).empty()) << "the CS2 server's hidden names get their line";
    const std::pair<int, std::vector<std::string>> joins[] = {
        {75, {"-applaunch", "240", "+connect", address(source)}},
        {225, {"-applaunch", "730", "+connect", address(go)}},
    };
    for (const auto& [centre, expected] : joins) {
        const std::vector<int> link = p.rows(linkColour, centre - 20, centre + 20);
        ASSERT_FALSE(link.empty()) << "no link at " << centre;
        const std::size_t before = steam.calls().size();
        program.click(centre, (link.front() + link.back()) / 2);
        ASSERT_TRUE(steam.waitForCalls(before + 1));
        EXPECT_EQ(steam.calls().back(), expected);
    }

    source.setSilent(true);
    EXPECT_TRUE(waitUntil([&] { return columns(false, true); })) << "only the silent server's column goes offline";
    program.screenshot("two-columns-one-silent.png");

    // The settings panel's third tab: another CS:Source server, watched from Save on instead
    // of the command line's; the CS:Go server stays the command line's, the file's its own.
    program.click(300 - 16 - 2 - 18 + 8, 10);
    ASSERT_TRUE(waitUntil([&] { return program.grab().width == 550; }));
    program.click(300 + 145 + 45, 9);
    // The white server boxes (the friends box of the notifications stands lower).
    const std::vector<int> boxes = program.grab().rows(linkColour, 300 + 150, 300 + 200, 240, 320);
    ASSERT_FALSE(boxes.empty());
    program.click(300 + 180, boxes.back() - 5); // the lower one: CS:Source
    program.xdotool("key --delay 10 --repeat 25 End BackSpace");
    program.xdotool("type --delay 20 " + address(third));
    program.click(300 + 195 + 25, 470 + 12);
    EXPECT_TRUE(waitUntil([&] { return columns(true, true); })) << "the column follows the new server";
    EXPECT_NE(readFile(program.dataFile("Settings.xml"))
                  .find("<Servers CSGo=\"127.0.0.1:9\" CSSource=\"" + address(third) + "\"/>"),
              std::string::npos);
}

} // namespace
