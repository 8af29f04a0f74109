// Both columns in the whole program: two of the project's game servers on two ports of
// 127.0.0.1, the window in a private X server, read back from its pixels (the colours of the
// status rows, the link and the player list), the stand-in Steam and Settings.xml.
#include "query/TestServer.h"
#include "tests/support/RecordingCommand.h"
#include "tests/support/TempDir.h"
#include "tests/support/XvfbServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

const std::string program = std::string(HOLMIK_BIN_DIR) + "/holmikziviza";

std::string run(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

bool waitUntil(const std::function<bool()>& done, int seconds = 20)
{
    for (int i = 0; i < seconds * 10; ++i) {
        if (done())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    return false;
}

// Colours as the X server hands them back: a step or two off in each channel.
bool near(unsigned a, unsigned b)
{
    for (int shift : {0, 8, 16})
        if (std::abs(int(a >> shift & 0xFF) - int(b >> shift & 0xFF)) > 4)
            return false;
    return true;
}

// The window's picture.
struct Picture {
    int width = 0, height = 0;
    std::string rgb;
    unsigned pixel(int x, int y) const
    {
        const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
        return (unsigned char)rgb[at] << 16 | (unsigned char)rgb[at + 1] << 8 | (unsigned char)rgb[at + 2];
    }
    // The rows between y0 and y1 (below the title band) where a column, x0 <= x < x1, has
    // a pixel of this colour.
    std::vector<int> rows(unsigned colour, int x0, int x1, int y0 = 40, int y1 = 100000) const
    {
        std::vector<int> found;
        for (int y = y0; y < std::min(height, y1); ++y)
            for (int x = x0; x < std::min(width, x1); ++x)
                if (near(pixel(x, y), colour)) {
                    found.push_back(y);
                    break;
                }
        return found;
    }
};

constexpr unsigned linkColour = 0xFFFFFF, good = 0x00DD00, bad = 0xAA0000, playerList = 0xC2D4FB;

// The default colours (a file without them reads black); shown: Join, Status, Map, Players
// and the player list; nothing fetched from the web.
const std::string display = "<Colors BackgroundColor=\"7A89AA\" TextColor=\"000000\" LinkColor=\"FFFFFF\" "
                            "MapColor=\"DDAA00\" GoodColor=\"00DD00\" BadColor=\"AA0000\" BotColor=\"C0C0C0\" "
                            "AdminColor=\"EE00EE\" PlayerBackgroundColor=\"C2D4FB\" CustomColor=\"AAAA00\"/>"
                            "<Display Head=\"1\" Join=\"1\" Status=\"1\" Ping=\"0\" Map=\"1\" OverView=\"0\" Pass=\"0\" "
                            "Vac=\"0\" Bots=\"0\" Players=\"1\" PlayerList=\"1\"/>";

class ServersProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (run("command -v xdotool").empty() || !fs::exists(program))
            GTEST_SKIP() << "needs xdotool and the program";
        ASSERT_TRUE(x.running());
        fs::copy(program, folder.file("holmikziviza"));
        testing_support::copyDataTemplate(folder.file("data"));
        go.loadHiddenNamesDemoContent(); // a Counter-Strike 2 server: every name blank
        source.loadDemoContent();
        for (TestServer* server : {&go, &source, &third}) {
            server->setDelay(5);
            ASSERT_TRUE(server->start());
        }
    }

    std::string address(const TestServer& server) { return "127.0.0.1:" + std::to_string(server.port()); }
    void writeSettings(const std::string& servers)
    {
        folder.write("data/Settings.xml", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Settings Update=\"0\">" + display +
                                              servers + "</Settings>\n");
    }
    void start(std::vector<std::string> args)
    {
        args.insert(args.begin(), folder.file("holmikziviza"));
        args.insert(args.end(), {"--map-host", "127.0.0.1:9", "--update-host", "127.0.0.1:9"});
        app = std::make_unique<testing_support::ChildProcess>(
            args, std::vector<std::string>{"DISPLAY=" + x.display(), "HOLMIK_DIALOGS=stderr", "SDL_VIDEODRIVER=x11"});
        ASSERT_TRUE(waitUntil([&] { return !(window = run("DISPLAY=" + x.display() +
                                                          " xdotool search --class 'Engine SDL Window' | head -n1"))
                                                .empty(); }));
        window.pop_back(); // the line break
    }
    Picture grab()
    {
        const std::string ppm = run("import -display " + x.display() + " -window " + window + " -depth 8 ppm:- 2>/dev/null");
        Picture p;
        int depth = 0, used = 0;
        if (std::sscanf(ppm.c_str(), "P6 %d %d %d%n", &p.width, &p.height, &depth, &used) == 3)
            p.rgb = ppm.substr(used + 1);
        if (p.rgb.size() < static_cast<std::size_t>(p.width) * p.height * 3)
            p = Picture();
        return p;
    }
    // Each column online (the Status row in the good colour) or offline (in the bad one).
    bool columns(bool sourceOnline, bool goOnline)
    {
        const Picture p = grab();
        const int half = p.width / 2;
        return p.width == 300 && p.rows(sourceOnline ? good : bad, 0, half).size() > 0 &&
               p.rows(sourceOnline ? bad : good, 0, half).empty() && p.rows(goOnline ? good : bad, half, 300).size() > 0 &&
               p.rows(goOnline ? bad : good, half, 300).empty();
    }
    void click(int px, int py)
    {
        run("DISPLAY=" + x.display() + " xdotool mousemove --window " + window + " " + std::to_string(px) + " " +
            std::to_string(py) + " click 1");
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    // Kept in build/test-screenshots/ to look at.
    void screenshot(const std::string& name)
    {
        const std::string shots = std::string(HOLMIK_BIN_DIR) + "/../test-screenshots";
        fs::create_directories(shots);
        run("import -display " + x.display() + " -window root " + shots + "/" + name + " 2>/dev/null");
    }
    void key(const std::string& keys) { run("DISPLAY=" + x.display() + " xdotool " + keys); }

    testing_support::XvfbServer x;
    testing_support::TempHome home;
    testing_support::TempDir folder;
    testing_support::RecordingCommand steam{"steam"};
    TestServer go, source, third;
    std::unique_ptr<testing_support::ChildProcess> app;
    std::string window;
};

TEST_F(ServersProgram, BothColumnsFromSettingsJoinGoOfflineAloneAndFollowThePanel)
{
    writeSettings("<Servers CSGo=\"" + address(go) + "\" CSSource=\"" + address(source) + "\"/>");
    start({});
    const bool online = waitUntil([&] { return columns(true, true); });
    screenshot("two-columns.png");
    ASSERT_TRUE(online) << "both columns online";

    const Picture p = grab();
    EXPECT_FALSE(p.rows(playerList, 150, 300).empty()) << "the CS2 server's hidden names get their line";
    // Join Game in each column: the middle of its link.
    const std::pair<int, std::vector<std::string>> joins[] = {
        {75, {"-applaunch", "240", "+connect", address(source)}},
        {225, {"-applaunch", "730", "+connect", address(go)}},
    };
    std::size_t calls = 0;
    for (const auto& [centre, expected] : joins) {
        const std::vector<int> rows = p.rows(linkColour, centre - 20, centre + 20);
        ASSERT_FALSE(rows.empty()) << "no link at " << centre;
        click(centre, (rows.front() + rows.back()) / 2);
        ASSERT_TRUE(steam.waitForCalls(++calls));
        EXPECT_EQ(steam.calls().back(), expected);
    }

    source.setSilent(true);
    EXPECT_TRUE(waitUntil([&] { return columns(false, true); })) << "only the silent server's column goes offline";
    screenshot("two-columns-one-silent.png");

    // The settings panel's third tab: a new CS:Source server takes effect at Save.
    click(300 - 16 - 2 - 18 + 8, 10);
    ASSERT_TRUE(waitUntil([&] { return grab().width == 550; }));
    click(300 + 145 + 45, 9);
    std::vector<int> boxes = grab().rows(linkColour, 300 + 150, 300 + 200, 240, 460); // the white text boxes
    ASSERT_FALSE(boxes.empty());
    click(300 + 180, boxes.back() - 5); // the lower one: CS:Source
    std::string erase = "key --delay 10 End";
    for (int i = 0; i < 25; ++i)
        erase += " BackSpace";
    key(erase);
    key("type --delay 20 " + address(third));
    click(300 + 195 + 25, 470 + 12);
    EXPECT_TRUE(waitUntil([&] { return columns(true, true); })) << "the column follows the new server";
    EXPECT_NE(folder.read("data/Settings.xml").find("<Servers CSGo=\"" + address(go) + "\" CSSource=\"" + address(third) + "\"/>"),
              std::string::npos)
        << folder.read("data/Settings.xml");
}

TEST_F(ServersProgram, TheCommandLineWinsForItsRun)
{
    const std::string servers = "<Servers CSGo=\"127.0.0.1:9\" CSSource=\"127.0.0.1:9\"/>";
    writeSettings(servers);
    start({"--server", address(go), "--source-server", address(source)});
    EXPECT_TRUE(waitUntil([&] { return columns(true, true); })) << "both columns online";
    EXPECT_NE(folder.read("data/Settings.xml").find(servers), std::string::npos) << "the file keeps its own servers";
}

} // namespace
