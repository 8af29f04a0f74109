// The settings panel inside the whole program, as a user meets it from its first start to its
// close button: holmikziviza --demo in a private X server, driven with the real pointer and
// keyboard, read back through the window's geometry and opacity, its pixels, Settings.xml and
// the autostart folder. Screenshots of each tab go to build/test-screenshots/.
#include "tests/support/ProgramUnderX.h"

#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>

using namespace testing_support;

namespace {

class SettingsProgram : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!ProgramUnderX::missing().empty())
            GTEST_SKIP() << "needs " << ProgramUnderX::missing();
        ASSERT_TRUE(program.ready());
        // Where the panel's widgets stand, measured with the program's own font as the panel
        // measures them.
        ASSERT_TRUE(TTF_WasInit() || TTF_Init() == 0);
        font.reset(TTF_OpenFont(program.dataFile("tahoma.ttf").c_str(), 12));
        ASSERT_NE(font, nullptr);
        lh = TTF_FontLineSkip(font.get());
        textHeight = TTF_FontHeight(font.get());
        cw = width("DDDDDD");
        checkHeight = std::max(textHeight, 10) - 2;
        row = textHeight + 5;
    }
    int width(const std::string& text) const
    {
        int w = 0, h = 0;
        TTF_SizeUTF8(font.get(), text.c_str(), &w, &h);
        return w;
    }
    void start()
    {
        program.start({"--demo"});
        ASSERT_TRUE(program.waitForWindow());
        // The status panel takes its full height once both columns have their first status:
        // until then a column shows only where it is, so wait for a height that holds for 2 s.
        std::string last;
        int steady = 0;
        ASSERT_TRUE(waitUntil([&] {
            const std::string now = program.geometry();
            steady = now == last && now.rfind("300x", 0) == 0 && now != "300x200" ? steady + 1 : 0;
            last = now;
            return steady >= 20;
        }));
    }
    // Asks until the answer is the expected one; the last answer.
    static std::string until(const std::function<std::string()>& ask, const std::string& expected)
    {
        std::string answer;
        waitUntil([&] { return (answer = ask()) == expected; }, 10000);
        return answer;
    }
    std::string geometry() const { return program.geometry(); }
    std::string pixel(int x, int y) const
    {
        char hex[8];
        std::snprintf(hex, sizeof hex, "%06X", program.grab().at(x, y));
        return hex;
    }
    std::string area(int x, int y, int w, int h) const
    {
        const Picture p = program.grab();
        std::string bytes;
        for (int i = y; i < y + h && i < p.height; ++i)
            bytes += p.rgb.substr((static_cast<std::size_t>(i) * p.width + x) * 3, static_cast<std::size_t>(w) * 3);
        return bytes;
    }
    bool opacity(const std::string& value) const
    {
        return program.onDisplay("xprop -id " + program.window + " _NET_WM_WINDOW_OPACITY").find(value) != std::string::npos;
    }
    // Into a text box: click, clear, type.
    void typeAt(int x, int y, const std::string& text) const
    {
        program.click(x, y);
        program.xdotool("key --delay 20 --repeat 6 End BackSpace");
        if (!text.empty())
            program.xdotool("type --delay 40 " + text);
        os::sleepMilliseconds(150);
    }
    // A text box of the Miscellaneous tab and its button, on the given row.
    void setMiscellaneous(int panelX, int line, const std::string& text) const
    {
        const int boxX = panelX + 5 + width("Transparency 15-255") + 5, y = 25 + line * row + lh / 2;
        typeAt(boxX + 8, y, text);
        program.click(boxX + cw - 20 + 5 + 25, y);
    }
    // The settings button stands left of the close button, both 16 pixels wide, 2 apart.
    void openSettings(int mainWidth) const { program.click(mainWidth - 16 - 2 - 18 + 8, 10); }

    ProgramUnderX program;
    std::unique_ptr<TTF_Font, void (*)(TTF_Font*)> font{nullptr, TTF_CloseFont};
    int lh = 0, textHeight = 0, cw = 0, checkHeight = 0, row = 0;
};

TEST_F(SettingsProgram, EveryTabChangesTheSettingsAndSaveWritesThem)
{
    start();
    openSettings(300);
    EXPECT_EQ(until([&] { return geometry(); }, "550x500"), "550x500");
    const int p = 300; // the panel's x: right of the main panel

    // Colors: the sixth digit applies the background at once, to the whole window.
    typeAt(p + 5 + cw / 2, 25 + textHeight + 10 + lh / 2, "ff000");
    EXPECT_EQ(pixel(p + 200, 440), "7A89AA") << "five digits change nothing";
    program.xdotool("type 0");
    EXPECT_EQ(until([&] { return pixel(p + 200, 440); }, "FF0000"), "FF0000");
    program.screenshot("settings-colors.png");

    // Visibility: tick Ping, the fourth box.
    program.click(p + 75 + 35, 2 + lh / 2);
    program.click(p + 5 + 4, 25 + textHeight + 7 + 3 * (checkHeight + 7) + checkHeight / 2);
    program.screenshot("settings-visibility.png");

    // Miscellaneous: transparency 7 shows as 15, 300 as 255; the font sizes; the width 50
    // becomes 100, and the window narrows to hold both panels.
    const std::string before = area(p + 5, 2, 70, lh);
    program.click(p + 145 + 45, 2 + lh / 2);
    setMiscellaneous(p, 2, "7");
    EXPECT_TRUE(waitUntil([&] { return opacity("= 252645135"); }, 3000)) << "transparency 7 shows as 15";
    setMiscellaneous(p, 2, "300");
    EXPECT_TRUE(waitUntil([&] { return !opacity("252645135"); }, 3000)) << "transparency 300 shows as 255";
    setMiscellaneous(p, 4, "20");
    setMiscellaneous(p, 5, "4");
    setMiscellaneous(p, 3, "50");
    EXPECT_EQ(until([&] { return geometry(); }, "350x500"), "350x500");
    const int q = 100; // the panel's x from now on

    // Autostart, the check box below the last label.
    const int autoStartY = 25 + 5 * row + textHeight + 7;
    program.click(q + 5 + 4, autoStartY + checkHeight / 2);
    const std::string entry = program.home() + "/.config/autostart/HolmikZiviza.desktop";
    os::sleepMilliseconds(300);
    EXPECT_FALSE(std::filesystem::exists(entry)) << "the entry waits for Save";

    // The language: open the list with its button, take the second entry (Svenska).
    const int comboY = autoStartY + 2 * (checkHeight + 7);
    program.click(q + 5 + 100 - 5, comboY + 3);
    program.click(q + 5 + 20, comboY + 2 * lh + lh / 2);
    EXPECT_TRUE(waitUntil([&] { return area(q + 5, 2, 70, lh) != before; }, 3000)) << "the Colors tab button is re-translated";
    program.screenshot("settings-miscellaneous.png");

    // Save: the file holds every change, and the status panel comes back.
    program.click(q + 195 + 25, 470 + 12);
    EXPECT_TRUE(waitUntil([&] { return geometry().rfind("100x", 0) == 0; }, 3000)) << geometry();
    program.screenshot("settings-saved.png");
    EXPECT_TRUE(std::filesystem::exists(entry)) << "Save writes the autostart entry";
    const std::string saved = readFile(program.dataFile("Settings.xml"));
    for (const char* expected : {"BackgroundColor=\"FF0000\"", "Ping=\"1\"", "Alpha=\"255\"", "FontSize=\"16\"",
                                 "PlayerFontSize=\"5\"", "Width=\"100\"", "Language=\"1\""})
        EXPECT_NE(saved.find(expected), std::string::npos) << expected << " in\n" << saved;

    // Open again: the same tab; Defaults bring every value back, Save writes them.
    openSettings(100);
    EXPECT_EQ(until([&] { return geometry(); }, "350x500"), "350x500");
    program.click(q + 115 + 35, 470 + 12);
    EXPECT_EQ(until([&] { return pixel(p + 200, 440); }, "7A89AA"), "7A89AA");
    EXPECT_EQ(geometry(), "550x500");
    program.screenshot("settings-defaults.png");
    program.click(p + 195 + 25, 470 + 12);
    EXPECT_TRUE(waitUntil([&] { return geometry().rfind("300x", 0) == 0; }, 3000));
    const std::string reset = readFile(program.dataFile("Settings.xml"));
    for (const char* expected : {"BackgroundColor=\"7A89AA\"", "Ping=\"0\"", "FontSize=\"14\"", "PlayerFontSize=\"10\"",
                                 "Width=\"300\"", "Language=\"0\""})
        EXPECT_NE(reset.find(expected), std::string::npos) << expected << " in\n" << reset;

    // Near the right edge of the screen the panel opens on the left, the window moving left
    // by the panel's width, and Save gives the shift back.
    program.xdotool("windowmove " + program.window + " 700 100");
    EXPECT_EQ(until([&] { return program.position(); }, "700,100"), "700,100");
    openSettings(300);
    EXPECT_EQ(until([&] { return program.position(); }, "450,100"), "450,100");
    program.screenshot("settings-on-the-left.png");
    program.click(195 + 25, 470 + 12); // Save, the panel at the window's left edge
    EXPECT_EQ(until([&] { return program.position(); }, "700,100"), "700,100");
    EXPECT_TRUE(waitUntil([&] { return readFile(program.dataFile("Settings.xml")).find("X=\"700\"") != std::string::npos; }, 3000));
    program.click(300 - 18 + 8, 10); // the close button, right of the settings button
    EXPECT_EQ(program.waitForExit(20000), 0);
}

// A Width from a hand-edited file that leaves the settings panel no room on the 1024-pixel
// screen is brought to the widest that does, and saved so.
TEST_F(SettingsProgram, AWidthTooWideForTheScreenIsBroughtToItAtStart)
{
    writeFile(program.dataFile("Settings.xml"), "<?xml version=\"1.0\"?>\n<Settings Width=\"3000\"><Colors/><Display/></Settings>\n");
    program.start({"--demo"});
    ASSERT_TRUE(program.waitForWindow());
    EXPECT_TRUE(waitUntil([&] { return geometry().rfind("774x", 0) == 0; })) << geometry();
    EXPECT_TRUE(waitUntil([&] { return readFile(program.dataFile("Settings.xml")).find("Width=\"774\"") != std::string::npos; }));
    program.signal(SIGTERM);
    EXPECT_EQ(program.waitForExit(20000), 0);
}

// Escape and "Cancel" give back what the panel changed, though it showed at once; the panel
// never takes the window off the screen; "Defaults" leave the version line alone.
TEST_F(SettingsProgram, CancelGivesEverythingBackAndTheWindowStaysOnTheScreen)
{
    start();
    program.xdotool("windowmove " + program.window + " 200 100");
    ASSERT_EQ(until([&] { return program.position(); }, "200,100"), "200,100");
    os::sleepMilliseconds(300);
    const std::string saved = readFile(program.dataFile("Settings.xml"));
    const std::string mainGeometry = geometry();
    openSettings(300);
    ASSERT_EQ(until([&] { return geometry(); }, "550x500"), "550x500");
    const int p = 300;

    // A colour shows in the status panel at once; Escape takes it back.
    typeAt(p + 5 + cw / 2, 25 + textHeight + 10 + lh / 2, "ff0000");
    EXPECT_EQ(until([&] { return pixel(150, 40); }, "FF0000"), "FF0000") << "the status panel follows at once";
    program.xdotool("mousemove 900 700 key --window " + program.window + " Escape"); // sent to the window, the pointer elsewhere
    EXPECT_EQ(until([&] { return geometry(); }, mainGeometry), mainGeometry);
    EXPECT_EQ(until([&] { return pixel(150, 40); }, "7A89AA"), "7A89AA");
    EXPECT_EQ(readFile(program.dataFile("Settings.xml")), saved) << "Escape writes nothing";

    // Width 3000: the widest that leaves the panel room on the 1024-pixel screen, and the
    // window moves left to stay on it. Autostart ticked, then Cancel: no entry, the old size
    // and place.
    openSettings(300);
    ASSERT_EQ(until([&] { return geometry(); }, "550x500"), "550x500");
    program.click(p + 145 + 45, 2 + lh / 2);
    setMiscellaneous(p, 3, "3000");
    EXPECT_EQ(until([&] { return geometry() + " " + program.position(); }, "1024x500 0,100"), "1024x500 0,100");
    program.screenshot("settings-widest.png");
    const int q = 774;
    program.click(q + 5 + 4, 25 + 5 * row + textHeight + 7 + checkHeight / 2);
    program.click(q + 35 + 35, 470 + 12); // Cancel
    EXPECT_EQ(until([&] { return geometry() + " " + program.position(); }, mainGeometry + " 200,100"), mainGeometry + " 200,100");
    EXPECT_FALSE(std::filesystem::exists(program.home() + "/.config/autostart/HolmikZiviza.desktop"));
    EXPECT_EQ(readFile(program.dataFile("Settings.xml")), saved) << "Cancel writes nothing";

    // Defaults: the About lines (the version among them) stay as they were.
    openSettings(300);
    ASSERT_EQ(until([&] { return geometry(); }, "550x500"), "550x500");
    const std::string about = area(p, 400, 150, 65);
    program.click(p + 115 + 35, 470 + 12);
    os::sleepMilliseconds(300);
    program.screenshot("settings-defaults-about.png");
    EXPECT_EQ(area(p, 400, 150, 65), about);
    program.xdotool("key Escape");
    EXPECT_EQ(until([&] { return geometry(); }, mainGeometry), mainGeometry);
}

} // namespace
