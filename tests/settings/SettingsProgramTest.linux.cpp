// The settings panel inside the whole program, as a user meets it: holmikziviza --demo in a
// private X server, driven with the real pointer and keyboard through xdotool, read back
// through the window's geometry and opacity, its pixels, Settings.xml and the autostart
// folder. Screenshots of each tab go to build/test-screenshots/.
#include "tests/support/TempDir.h"
#include "tests/support/XvfbServer.h"

#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

namespace fs = std::filesystem;

namespace {

using testing_support::commandOutput;

const std::string program = std::string(HOLMIK_BIN_DIR) + "/holmikziviza";
const std::string shots = std::string(HOLMIK_BIN_DIR) + "/../test-screenshots";

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Asks until the answer satisfies the condition; the last answer.
std::string waitFor(const std::function<std::string()>& ask, const std::function<bool(const std::string&)>& good, int tries = 100)
{
    std::string answer;
    for (int i = 0; i < tries; ++i) {
        answer = ask();
        if (good(answer))
            return answer;
        pause(100);
    }
    return answer;
}

// Where the panel's widgets stand, measured with the program's own font as the panel
// measures them.
struct Metrics {
    int lh = 0;         // one line of the 12-point font
    int textHeight = 0; // a rendered line: the height of labels
    int cw = 0;         // six D's: the colour boxes' width
    int width(const std::string& text) const
    {
        int w = 0, h = 0;
        TTF_SizeUTF8(font, text.c_str(), &w, &h);
        return w;
    }
    TTF_Font* font = nullptr;
};

class SettingsProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!fs::exists(program))
            GTEST_SKIP() << "the program is not built";
        ASSERT_TRUE(x.running()) << "Xvfb did not start";
        // A copy of the program with its own data folder, so that nothing touches the build's.
        fs::copy(program, folder.file("holmikziviza"));
        testing_support::copyDataTemplate(folder.file("data"));
        fs::remove(folder.file("data/Settings.xml"));
        fs::create_directories(shots);

        ASSERT_EQ(TTF_WasInit() || TTF_Init() == 0, true);
        m.font = TTF_OpenFont(folder.file("data/tahoma.ttf").c_str(), 12);
        ASSERT_NE(m.font, nullptr);
        m.lh = TTF_FontLineSkip(m.font);
        int w = 0;
        TTF_SizeUTF8(m.font, "RRGGBB", &w, &m.textHeight);
        m.cw = m.width("DDDDDD");
    }
    void TearDown() override
    {
        if (pid > 0)
            testing_support::reap(pid, 0, true);
        if (m.font)
            TTF_CloseFont(m.font);
    }

    std::string xdo(const std::string& args) { return commandOutput("DISPLAY=" + x.display() + " xdotool " + args + " 2>/dev/null"); }

    void start()
    {
        pid = testing_support::spawn({folder.file("holmikziviza"), "--demo"},
                                     {"DISPLAY=" + x.display(), "HOLMIK_DIALOGS=stderr", "SDL_VIDEODRIVER=x11"});
        window = waitFor([&] { return xdo("search --class 'Engine SDL Window' | head -n1"); },
                         [](const std::string& id) { return !id.empty(); });
        ASSERT_FALSE(window.empty()) << "no window appeared";
        // The status panel takes its height once the first status arrived.
        const std::string size = waitFor([&] { return geometry(); },
                                         [](const std::string& g) { return g.rfind("300x", 0) == 0 && g != "300x200"; });
        ASSERT_EQ(size.rfind("300x", 0), 0u) << size;
        pause(300);
    }

    // "WxH" and "X,Y" of the window.
    std::string geometry() { return field("Geometry: "); }
    std::string position() { return field("Position: "); }
    std::string field(const std::string& name)
    {
        const std::string all = xdo("getwindowgeometry " + window);
        const std::size_t at = all.find(name);
        if (at == std::string::npos)
            return {};
        const std::size_t from = at + name.size();
        return all.substr(from, all.find_first_of(" \n", from) - from);
    }
    std::string opacity() { return commandOutput("DISPLAY=" + x.display() + " xprop -id " + window + " _NET_WM_WINDOW_OPACITY"); }

    // A left click at a point of the window.
    void click(int px, int py)
    {
        xdo("mousemove --window " + window + " " + std::to_string(px) + " " + std::to_string(py) + " click 1");
        pause(150);
    }
    // Into a text box: click, clear, type.
    void typeAt(int px, int py, const std::string& text)
    {
        click(px, py);
        xdo("key --delay 20 End BackSpace BackSpace BackSpace BackSpace BackSpace BackSpace");
        if (!text.empty())
            xdo("type --delay 40 " + text);
        pause(150);
    }
    void screenshot(const std::string& name)
    {
        pause(200);
        commandOutput("import -display " + x.display() + " -window root " + shots + "/" + name);
    }
    // The colour of one pixel of the window, "#RRGGBB".
    std::string pixel(int px, int py)
    {
        const std::string pos = position();
        const int wx = std::stoi(pos.substr(0, pos.find(',')));
        const int wy = std::stoi(pos.substr(pos.find(',') + 1));
        return "#" + commandOutput("import -display " + x.display() + " -window root png:- | convert - -format '%[hex:p{" +
                         std::to_string(wx + px) + "," + std::to_string(wy + py) + "}]' info:- | cut -c1-6");
    }
    // A fingerprint of a part of the window's picture.
    std::string picture(int px, int py, int w, int h)
    {
        return commandOutput("import -display " + x.display() + " -window " + window + " -crop " + std::to_string(w) + "x" +
                   std::to_string(h) + "+" + std::to_string(px) + "+" + std::to_string(py) + " rgb:- | md5sum");
    }

    // The settings button stands left of the close button, both 16 pixels wide, 2 apart.
    void openSettings(int mainWidth) { click(mainWidth - 16 - 2 - 18 + 8, 10); }

    testing_support::XvfbServer x;
    testing_support::TempHome home;
    testing_support::TempDir folder;
    pid_t pid = -1;
    std::string window;
    Metrics m;
};

TEST_F(SettingsProgram, EveryTabChangesTheSettingsAndSaveWritesThem)
{
    start();
    openSettings(300);
    EXPECT_EQ(waitFor([&] { return geometry(); }, [](const std::string& g) { return g == "550x500"; }), "550x500");
    const int p = 300; // the panel's x: right of the main panel

    // Colors: the sixth digit applies the background at once, to the whole window.
    const int firstBoxY = 25 + m.textHeight + 10;
    typeAt(p + 5 + m.cw / 2, firstBoxY + m.lh / 2, "ff000");
    EXPECT_EQ(pixel(p + 200, 440), "#7A89AA") << "five digits change nothing";
    xdo("type 0");
    EXPECT_EQ(waitFor([&] { return pixel(p + 200, 440); }, [](const std::string& c) { return c == "#FF0000"; }, 30), "#FF0000");
    screenshot("settings-colors.png");

    // Visibility: tick Ping, the fourth box.
    click(p + 75 + 35, 2 + m.lh / 2);
    const int checkHeight = std::max(m.textHeight, 10) - 2;
    const int pingY = 25 + m.textHeight + 7 + 3 * (checkHeight + 7);
    click(p + 5 + 4, pingY + checkHeight / 2);
    screenshot("settings-visibility.png");

    // Miscellaneous.
    const std::string before = picture(p + 5, 2, 70, m.lh);
    click(p + 145 + 45, 2 + m.lh / 2);
    const int row = m.textHeight + 5;
    const int alphaY = 25 + 2 * row;
    const int boxX = 5 + m.width("Transparency 15-255") + 5;
    const int buttonX = boxX + m.cw - 20 + 5 + 25;
    const int boxMid = boxX + 8;

    typeAt(p + boxMid, alphaY + m.lh / 2, "7");
    click(p + buttonX, alphaY + m.lh / 2);
    EXPECT_NE(waitFor([&] { return opacity(); }, [](const std::string& o) { return o.find("252645135") != std::string::npos; }, 30)
                  .find("= 252645135"),
              std::string::npos)
        << "transparency 7 shows as 15";
    typeAt(p + boxMid, alphaY + m.lh / 2, "300");
    click(p + buttonX, alphaY + m.lh / 2);
    EXPECT_EQ(waitFor([&] { return opacity(); }, [](const std::string& o) { return o.find("252645135") == std::string::npos; }, 30)
                  .find("252645135"),
              std::string::npos)
        << "transparency 300 shows as 255";

    const int fontY = 25 + 4 * row;
    typeAt(p + boxMid, fontY + m.lh / 2, "20");
    click(p + buttonX, fontY + m.lh / 2);
    const int playerFontY = 25 + 5 * row;
    typeAt(p + boxMid, playerFontY + m.lh / 2, "4");
    click(p + buttonX, playerFontY + m.lh / 2);

    // The width: 50 becomes 100, and the window narrows to hold both panels.
    const int widthY = 25 + 3 * row;
    typeAt(p + boxMid, widthY + m.lh / 2, "50");
    click(p + buttonX, widthY + m.lh / 2);
    EXPECT_EQ(waitFor([&] { return geometry(); }, [](const std::string& g) { return g == "350x500"; }, 30), "350x500");
    const int q = 100; // the panel's x from now on

    // Autostart, the check box below the last label.
    const int autoStartY = playerFontY + m.textHeight + 7;
    click(q + 5 + 4, autoStartY + checkHeight / 2);
    const fs::path entry = fs::path(home.path()) / ".config/autostart/HolmikZiviza.desktop";
    EXPECT_EQ(waitFor([&] { return std::string(fs::exists(entry) ? "yes" : "no"); }, [](const std::string& a) { return a == "yes"; }, 30),
              "yes")
        << "ticking autostart writes the entry";

    // The language: open the list with its button, take the second entry (Svenska).
    const int comboY = autoStartY + checkHeight + 7 + checkHeight + 7;
    click(q + 5 + 100 - 5, comboY + 3);
    click(q + 5 + 20, comboY + 2 * m.lh + m.lh / 2);
    const std::string after =
        waitFor([&] { return picture(q + 5, 2, 70, m.lh); }, [&](const std::string& a) { return a != before; }, 30);
    EXPECT_NE(before, after) << "the Colors tab button is re-translated";
    screenshot("settings-miscellaneous.png");

    // Save: the file holds every change, and the status panel comes back.
    click(q + 195 + 25, 470 + 12);
    const std::string back = waitFor([&] { return geometry(); }, [](const std::string& g) { return g.rfind("100x", 0) == 0; }, 30);
    EXPECT_EQ(back.rfind("100x", 0), 0u) << back;
    screenshot("settings-saved.png");
    const std::string saved = testing_support::readFile(folder.file("data/Settings.xml"));
    for (const char* expected : {"BackgroundColor=\"FF0000\"", "Ping=\"1\"", "Alpha=\"255\"", "FontSize=\"16\"",
                                 "PlayerFontSize=\"5\"", "Width=\"100\"", "Language=\"1\""})
        EXPECT_NE(saved.find(expected), std::string::npos) << expected << " in\n" << saved;

    // Open again: the same tab; Defaults bring every value back, Save writes them.
    openSettings(100);
    EXPECT_EQ(waitFor([&] { return geometry(); }, [](const std::string& g) { return g == "350x500"; }, 30), "350x500");
    click(q + 115 + 35, 470 + 12);
    EXPECT_EQ(waitFor([&] { return pixel(300 + 200, 440); }, [](const std::string& c) { return c == "#7A89AA"; }, 30), "#7A89AA");
    EXPECT_EQ(geometry(), "550x500");
    screenshot("settings-defaults.png");
    click(300 + 195 + 25, 470 + 12);
    waitFor([&] { return geometry(); }, [](const std::string& g) { return g.rfind("300x", 0) == 0; }, 30);
    const std::string reset = testing_support::readFile(folder.file("data/Settings.xml"));
    for (const char* expected : {"BackgroundColor=\"7A89AA\"", "Ping=\"0\"", "FontSize=\"14\"", "PlayerFontSize=\"10\"",
                                 "Width=\"300\"", "Language=\"0\""})
        EXPECT_NE(reset.find(expected), std::string::npos) << expected << " in\n" << reset;
}

TEST_F(SettingsProgram, NearTheRightEdgeItOpensOnTheLeftAndSaveLeavesThePanelInPlace)
{
    folder.write("data/Settings.xml", "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                                      "<Settings Width=\"300\" Alpha=\"255\" FontSize=\"14\" PlayerFontSize=\"10\" "
                                      "X=\"700\" Y=\"100\" Update=\"0\" Language=\"0\" SettingsOnTheLeft=\"0\">\n"
                                      "\t<Colors BackgroundColor=\"7A89AA\" TextColor=\"000000\"/>\n"
                                      "</Settings>\n");
    start();
    EXPECT_EQ(waitFor([&] { return position(); }, [](const std::string& p) { return p == "700,100"; }, 30), "700,100");
    openSettings(300);
    EXPECT_EQ(waitFor([&] { return geometry(); }, [](const std::string& g) { return g == "550x500"; }), "550x500");
    EXPECT_EQ(waitFor([&] { return position(); }, [](const std::string& p) { return p == "450,100"; }, 30), "450,100")
        << "the window moves left by the panel's width";
    screenshot("settings-on-the-left.png");
    // The panel stands at the window's left edge: Save at 195.
    click(195 + 25, 470 + 12);
    EXPECT_EQ(waitFor([&] { return position(); }, [](const std::string& p) { return p == "700,100"; }, 30), "700,100")
        << "Save gives the shift back";
    EXPECT_EQ(waitFor([&] { return geometry(); }, [](const std::string& g) { return g.rfind("300x", 0) == 0; }, 30).rfind("300x", 0), 0u);
    EXPECT_NE(testing_support::readFile(folder.file("data/Settings.xml")).find("X=\"700\""), std::string::npos);
}

} // namespace
