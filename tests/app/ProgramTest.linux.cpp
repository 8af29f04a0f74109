// The whole program as a user meets it: started in a real X server with the built-in
// demo server, shown, and closed with its close button.
#include "tests/support/TempDir.h"
#include "tests/support/XvfbServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

using testing_support::commandOutput;

class Program : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (commandOutput("command -v xdotool").empty() || commandOutput("command -v Xvfb").empty())
            GTEST_SKIP() << "needs Xvfb and xdotool";
        ASSERT_TRUE(x.running());
        // A copy of the program with its own data folder, so that nothing touches the build's.
        fs::copy(HOLMIK_BIN_DIR "/holmikziviza", folder.file("holmikziviza"));
        testing_support::copyDataTemplate(folder.file("data"));
        fs::remove(folder.file("data/Settings.xml"));
        setenv("DISPLAY", x.display().c_str(), 1);
    }
    void TearDown() override
    {
        if (pid > 0)
            testing_support::reap(pid, 0, true);
    }

    // The program finds its data folder from wherever it starts.
    void start(const std::vector<std::string>& args)
    {
        std::vector<std::string> argv{"sh", "-c", "cd / && exec \"$0\" \"$@\"", folder.file("holmikziviza")};
        argv.insert(argv.end(), args.begin(), args.end());
        pid = testing_support::spawn(argv, {"HOLMIK_DIALOGS=stderr", "SDL_VIDEODRIVER=x11"});
    }
    std::string waitForWindow()
    {
        for (int i = 0; i < 200; ++i) {
            const std::string id = commandOutput("xdotool search --class 'Engine SDL Window' 2>/dev/null | head -n1");
            if (!id.empty())
                return id;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        return {};
    }
    int waitForExit(int seconds)
    {
        const int code = testing_support::reap(pid, seconds * 1000);
        if (code != -2)
            pid = -1;
        return code;
    }

    testing_support::XvfbServer x;
    testing_support::TempHome home;
    testing_support::TempDir folder;
    pid_t pid = -1;
};

TEST_F(Program, ShowsTheDemoServerAndClosesWithItsButton)
{
    start({"--demo"});
    const std::string window = waitForWindow();
    ASSERT_FALSE(window.empty()) << "no window appeared";
    // The panel grows to its rows once the first status arrived.
    std::string geometry;
    for (int i = 0; i < 100; ++i) {
        geometry = commandOutput("xdotool getwindowgeometry " + window);
        if (geometry.find("Geometry: 300x") != std::string::npos && geometry.find("300x200") == std::string::npos)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    EXPECT_NE(geometry.find("Geometry: 300x"), std::string::npos) << geometry;
    const std::string shots = std::string(HOLMIK_BIN_DIR) + "/../test-screenshots";
    fs::create_directories(shots);
    commandOutput("import -display " + x.display() + " -window root " + shots + "/status-window.png");

    EXPECT_TRUE(fs::exists(folder.file("data/Settings.xml"))) << "every start saves the settings once";
    // The close button: 16 pixels wide, 2 from the right edge and the top.
    commandOutput("xdotool mousemove --window " + window + " 290 10 click 1");
    EXPECT_EQ(waitForExit(20), 0);
}

TEST_F(Program, HelpAndBadOptionsNeedNoDisplay)
{
    EXPECT_NE(commandOutput(folder.file("holmikziviza") + " --help").find("--demo"), std::string::npos);
    EXPECT_EQ(commandOutput(folder.file("holmikziviza") + " --version"), "holmikziviza 4.7.0");
    EXPECT_NE(system((folder.file("holmikziviza") + " --bogus 2>/dev/null").c_str()), 0);
}

} // namespace
