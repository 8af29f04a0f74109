// Both columns in the whole program: two of the project's game servers on two ports of
// 127.0.0.1, the window in a private X server read back from its pixels (the status rows'
// colours, the links, the player list), the stand-in Steam, and Settings.xml.
#include "query/TestServer.h"
#include "tests/support/RecordingCommand.h"
#include "tests/support/TempDir.h"
#include "tests/support/XvfbServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <thread>

namespace {

std::string raw(const std::string& command) { return testing_support::commandOutput(command, false); }

bool waitUntil(const std::function<bool()>& done)
{
    for (int i = 0; i < 200; ++i, std::this_thread::sleep_for(std::chrono::milliseconds(100)))
        if (done())
            return true;
    return false;
}

constexpr unsigned linkColour = 0xFFFFFF, good = 0x00DD00, bad = 0xAA0000, playerList = 0xC2D4FB;

// The window's picture, 8 bits a channel.
struct Picture {
    int width = 0, height = 0;
    std::string rgb;
    // The rows from y0 (below the title band) to y1 where x0 <= x < x1 holds the colour (the
    // X server hands colours back a step or two off).
    std::vector<int> rows(unsigned colour, int x0, int x1, int y0 = 40, int y1 = 1000) const
    {
        std::vector<int> found;
        for (int y = y0; y < std::min(height, y1); ++y)
            for (int x = x0; x < std::min(width, x1); ++x) {
                const char* p = &rgb[(static_cast<std::size_t>(y) * width + x) * 3];
                if (std::abs((unsigned char)p[0] - int(colour >> 16)) <= 4 && std::abs((unsigned char)p[1] - int(colour >> 8 & 0xFF)) <= 4 &&
                    std::abs((unsigned char)p[2] - int(colour & 0xFF)) <= 4) {
                    found.push_back(y);
                    break;
                }
            }
        return found;
    }
};

class ServersProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (raw("command -v xdotool").empty() || !std::filesystem::exists(HOLMIK_BIN_DIR "/holmikziviza"))
            GTEST_SKIP() << "needs xdotool and the program";
        ASSERT_TRUE(x.running());
        std::filesystem::copy(HOLMIK_BIN_DIR "/holmikziviza", folder.file("holmikziviza"));
        testing_support::copyDataTemplate(folder.file("data"));
        go.loadHiddenNamesDemoContent(); // a Counter-Strike 2 server: every name blank
        source.loadDemoContent();
        third.loadDemoContent();
        for (TestServer* server : {&go, &source, &third}) {
            server->setDelay(5); // a reply within the same millisecond would count as no answer
            ASSERT_TRUE(server->start());
        }
    }

    static std::string address(const TestServer& server) { return "127.0.0.1:" + std::to_string(server.port()); }
    // The default colours (a file without them reads black), no map pictures, no update check.
    void start(const std::string& servers, std::vector<std::string> args)
    {
        folder.write("data/Settings.xml",
                     "<Settings Update=\"0\"><Colors BackgroundColor=\"7A89AA\" TextColor=\"000000\" LinkColor=\"FFFFFF\" "
                     "MapColor=\"DDAA00\" GoodColor=\"00DD00\" BadColor=\"AA0000\" BotColor=\"C0C0C0\" AdminColor=\"EE00EE\" "
                     "PlayerBackgroundColor=\"C2D4FB\" CustomColor=\"AAAA00\"/><Display OverView=\"0\" Pass=\"0\" Vac=\"0\"/>" +
                         servers + "</Settings>");
        args.insert(args.begin(), folder.file("holmikziviza"));
        app = std::make_unique<testing_support::ChildProcess>(
            args, std::vector<std::string>{"DISPLAY=" + x.display(), "HOLMIK_DIALOGS=stderr", "SDL_VIDEODRIVER=x11"});
        ASSERT_TRUE(waitUntil([&] { return !(window = xdo("search --class 'Engine SDL Window' | head -n1")).empty(); }));
        window.pop_back(); // the line break
    }
    std::string xdo(const std::string& args) { return raw("DISPLAY=" + x.display() + " xdotool " + args + " 2>/dev/null"); }
    void click(int px, int py)
    {
        xdo("mousemove --window " + window + " " + std::to_string(px) + " " + std::to_string(py) + " click 1");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    Picture grab()
    {
        const std::string ppm = raw("import -display " + x.display() + " -window " + window + " -depth 8 ppm:- 2>/dev/null");
        Picture p;
        int depth = 0, used = 0;
        if (std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &p.width, &p.height, &depth, &used) == 3)
            p.rgb = ppm.substr(used + 1);
        return p.rgb.size() >= std::size_t(p.width) * p.height * 3 ? p : Picture();
    }
    // Each column online (its Status row in the good colour) or offline (in the bad one).
    bool columns(bool sourceOnline, bool goOnline)
    {
        const Picture p = grab();
        return p.width == 300 && !p.rows(sourceOnline ? good : bad, 0, 150).empty() &&
               p.rows(sourceOnline ? bad : good, 0, 150).empty() && !p.rows(goOnline ? good : bad, 150, 300).empty() &&
               p.rows(goOnline ? bad : good, 150, 300).empty();
    }
    void screenshot(const std::string& name)
    {
        std::filesystem::create_directories(HOLMIK_BIN_DIR "/../test-screenshots");
        raw("import -display " + x.display() + " -window root " HOLMIK_BIN_DIR "/../test-screenshots/" + name);
    }

    testing_support::XvfbServer x;
    testing_support::TempHome home;
    testing_support::TempDir folder;
    testing_support::RecordingCommand steam{"steam"};
    TestServer go, source, third;
    std::unique_ptr<testing_support::ChildProcess> app;
    std::string window;
};

TEST_F(ServersProgram, BothColumnsJoinGoOfflineAloneAndFollowThePanel)
{
    start("<Servers CSGo=\"" + address(go) + "\" CSSource=\"" + address(source) + "\"/>", {});
    const bool online = waitUntil([&] { return columns(true, true); });
    screenshot("two-columns.png");
    ASSERT_TRUE(online) << "both columns online";

    const Picture p = grab();
    EXPECT_FALSE(p.rows(playerList, 150, 300).empty()) << "the CS2 server's hidden names get their line";
    const std::pair<int, std::vector<std::string>> joins[] = {
        {75, {"-applaunch", "240", "+connect", address(source)}},
        {225, {"-applaunch", "730", "+connect", address(go)}},
    };
    for (const auto& [centre, expected] : joins) {
        const std::vector<int> link = p.rows(linkColour, centre - 20, centre + 20);
        ASSERT_FALSE(link.empty()) << "no link at " << centre;
        const std::size_t before = steam.calls().size();
        click(centre, (link.front() + link.back()) / 2);
        ASSERT_TRUE(steam.waitForCalls(before + 1));
        EXPECT_EQ(steam.calls().back(), expected);
    }

    source.setSilent(true);
    EXPECT_TRUE(waitUntil([&] { return columns(false, true); })) << "only the silent server's column goes offline";
    screenshot("two-columns-one-silent.png");

    // The settings panel's third tab: another CS:Source server, watched from Save on.
    click(300 - 16 - 2 - 18 + 8, 10);
    ASSERT_TRUE(waitUntil([&] { return grab().width == 550; }));
    click(300 + 145 + 45, 9);
    // The white server boxes (the friends box of the notifications stands lower).
    const std::vector<int> boxes = grab().rows(linkColour, 300 + 150, 300 + 200, 240, 320);
    ASSERT_FALSE(boxes.empty());
    click(300 + 180, boxes.back() - 5); // the lower one: CS:Source
    std::string erase = "key --delay 10 End";
    for (int i = 0; i < 25; ++i)
        erase += " BackSpace";
    xdo(erase);
    xdo("type --delay 20 " + address(third));
    click(300 + 195 + 25, 470 + 12);
    EXPECT_TRUE(waitUntil([&] { return columns(true, true); })) << "the column follows the new server";
    EXPECT_NE(folder.read("data/Settings.xml").find("<Servers CSGo=\"" + address(go) + "\" CSSource=\"" + address(third) + "\"/>"),
              std::string::npos);
}

TEST_F(ServersProgram, TheCommandLineWinsForItsRun)
{
    const std::string servers = "<Servers CSGo=\"127.0.0.1:9\" CSSource=\"127.0.0.1:9\"/>";
    start(servers, {"--server", address(go), "--source-server", address(source)});
    EXPECT_TRUE(waitUntil([&] { return columns(true, true); })) << "both columns online";
    EXPECT_NE(folder.read("data/Settings.xml").find(servers), std::string::npos) << "the file keeps its own servers";
}

} // namespace
