// A Settings.xml edited by hand with values the settings panel would never take: the
// program starts all the same and saves them brought into the panel's ranges, with the
// window on the screen.
#include "tests/support/ProgramProcess.h"
#include "tests/support/TempDir.h"
#include "tests/support/XvfbServer.h"
#include "xml/XmlNode.h"

#include <gtest/gtest.h>

#include <chrono>
#include <csignal>
#include <cstdlib>
#include <string>
#include <thread>

namespace {

std::string savedAttribute(const std::string& file, const char* name)
{
    XmlResult check;
    const XmlNode root = XmlNode::parseFile(file, "Settings", &check);
    if (root.isEmpty() || check.code != XmlNoError)
        return "(not well-formed)";
    return root.attributeValue(name).value_or("(missing)");
}

TEST(HandEditedSettings, TheProgramStartsAndSavesThemInRange)
{
    if (std::system("command -v xdotool >/dev/null && command -v Xvfb >/dev/null") != 0)
        GTEST_SKIP() << "needs Xvfb and xdotool";
    testing_support::XvfbServer x; // 1024 x 768
    ASSERT_TRUE(x.running());
    testing_support::TempHome home;

    const struct {
        std::string written; // attributes of <Settings>
        const char* name;     // the attribute to read back
        std::string saved;    // its value after the start-up's save
    } table[] = {
        {"Width=\"-50\"", "Width", "100"},
        {"Width=\"50000\"", "Width", "9999"},
        {"Alpha=\"0\"", "Alpha", "15"},
        {"FontSize=\"200\"", "FontSize", "16"},
        {"CustomName=\"" + std::string(3000, 'N') + "\"", "CustomName", std::string(255, 'N')},
        {"X=\"-99999\" Y=\"20\"", "X", "0"},
        {"X=\"5000\" Y=\"-5000\"", "Y", "0"},
    };
    for (const auto& row : table) {
        SCOPED_TRACE(row.written.substr(0, 40));
        testing_support::ProgramProcess program(x.display());
        const std::string file = program.dataFile("Settings.xml");
        const std::string written = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Settings " + row.written +
                                    "><Colors/><Display/></Settings>\n";
        testing_support::writeFile(file, written);
        program.start({"--demo", "--update-host", "127.0.0.1:1", "--map-host", "127.0.0.1:1"});
        ASSERT_FALSE(program.waitForWindow().empty()) << "exit " << program.waitForExit(0);
        // Every start saves once, after the window is placed.
        for (int i = 0; i < 200 && testing_support::readFile(file) == written; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        EXPECT_TRUE(program.running()) << "exit " << program.waitForExit(0);
        EXPECT_EQ(savedAttribute(file, row.name), row.saved);
        program.signal(SIGTERM);
        EXPECT_EQ(program.waitForExit(5000), 0);
    }
}

} // namespace
