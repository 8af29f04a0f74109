// Both columns in the whole program: two of the project's game servers on two ports of
// 127.0.0.1, the window read back from its pixels (the status rows' colours, the links, the
// player list), the stand-in Steam, and Settings.xml.
#include "query/TestServer.h"
#include "tests/support/ProgramUnderX.h"
#include "tests/support/RecordingCommand.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

constexpr unsigned linkColour = 0xFFFFFF, good = 0x00DD00, bad = 0xAA0000, playerList = 0xC2D4FB;

std::string address(const TestServer& server) { return "127.0.0.1:" + std::to_string(server.port()); }

class ServersProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!ProgramUnderX::missing().empty())
            GTEST_SKIP() << "needs " << ProgramUnderX::missing();
        ASSERT_TRUE(program.ready());
        go.loadHiddenNamesDemoContent(); // a Counter-Strike 2 server: every name blank
        source.loadDemoContent();
        third.loadDemoContent();
        for (TestServer* server : {&go, &source, &third}) {
            server->setDelay(5); // a reply within the same millisecond would count as no answer
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
    }
    // Each column online (its Status row in the good colour) or offline (in the bad one).
    bool columns(bool sourceOnline, bool goOnline) const
    {
        const Picture p = program.grab();
        return p.width == 300 && !p.rows(sourceOnline ? good : bad, 0, 150).empty() &&
               p.rows(sourceOnline ? bad : good, 0, 150).empty() && !p.rows(goOnline ? good : bad, 150, 300).empty() &&
               p.rows(goOnline ? bad : good, 150, 300).empty();
    }

    ProgramUnderX program;
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
