// The host window in a real X server: what other X clients (a window manager, a compositor,
// xprop) see of it, read back with Xlib, and a drag with the real pointer through xdotool.
#include "tests/support/XvfbServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <memory>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

// Xlib's macros (None, Bool, Status) after everything else.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

namespace {

using testing_support::ChildProcess;
using testing_support::XvfbServer;

const std::string probe = std::string(HOLMIK_BIN_DIR) + "/engine-window-probe";

// The probe's answer to a command.
struct Report {
    int x = 0, y = 0, width = 0, height = 0, alpha = 0;
    bool hasAlpha = false, hasColorKey = false, dragging = false;
    int presses = 0, screenWidth = 0;
};

class HostWindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(x.running()) << "Xvfb did not start";
        app = std::make_unique<ChildProcess>(std::vector<std::string>{probe},
                                             std::vector<std::string>{"DISPLAY=" + x.display(), "SDL_VIDEODRIVER=x11"});
        std::string ready;
        ASSERT_TRUE(app->readLine(ready)) << "the probe did not start";
        ASSERT_EQ(ready.rfind("ready ", 0), 0u) << ready;
        window = std::stoul(ready.substr(6));
        ASSERT_NE(window, 0u);
        display = XOpenDisplay(x.display().c_str());
        ASSERT_NE(display, nullptr);
    }
    void TearDown() override
    {
        if (app) {
            app->send("quit");
            std::string line;
            while (app->readLine(line, 5000) && line != "bye") {
            }
            EXPECT_EQ(app->wait(), 0);
        }
        if (display)
            XCloseDisplay(display);
    }

    Report command(const std::string& text)
    {
        Report r;
        EXPECT_TRUE(app->send(text));
        std::string line;
        EXPECT_TRUE(app->readLine(line)) << "no answer to " << text;
        std::istringstream in(line);
        std::string ok;
        in >> ok >> r.x >> r.y >> r.width >> r.height >> r.alpha >> r.hasAlpha >> r.hasColorKey >> r.dragging >>
            r.presses >> r.screenWidth;
        EXPECT_EQ(ok, "ok") << line;
        return r;
    }
    // Asks until the report satisfies the condition (events take a few frames to arrive).
    Report waitFor(const std::function<bool(const Report&)>& condition)
    {
        Report r;
        for (int i = 0; i < 200; ++i) {
            r = command("report");
            if (condition(r))
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return r;
    }

    std::vector<unsigned long> cardinals(const char* property, Atom type)
    {
        Atom actual = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::vector<unsigned long> values;
        if (XGetWindowProperty(display, window, XInternAtom(display, property, False), 0, 64, False, type, &actual,
                               &format, &count, &after, &data) == Success &&
            data) {
            const auto* longs = reinterpret_cast<const unsigned long*>(data);
            values.assign(longs, longs + count);
            XFree(data);
        }
        return values;
    }
    std::vector<std::string> atoms(const char* property)
    {
        std::vector<std::string> names;
        for (unsigned long a : cardinals(property, XA_ATOM)) {
            char* name = XGetAtomName(display, a);
            names.emplace_back(name);
            XFree(name);
        }
        return names;
    }
    std::string text(const char* property, const char* type)
    {
        Atom actual = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::string value;
        if (XGetWindowProperty(display, window, XInternAtom(display, property, False), 0, 64, False,
                               XInternAtom(display, type, False), &actual, &format, &count, &after, &data) == Success &&
            data) {
            value.assign(reinterpret_cast<char*>(data), count);
            XFree(data);
        }
        return value;
    }
    void geometry(int& left, int& top, int& width, int& height)
    {
        XWindowAttributes attributes;
        ASSERT_TRUE(XGetWindowAttributes(display, window, &attributes));
        width = attributes.width;
        height = attributes.height;
        ::Window child;
        XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &left, &top, &child);
    }
    unsigned long opacity()
    {
        auto values = cardinals("_NET_WM_WINDOW_OPACITY", XA_CARDINAL);
        return values.empty() ? 0 : values[0] & 0xFFFFFFFFul;
    }
    int xdotool(const std::vector<std::string>& args)
    {
        std::vector<std::string> argv{"xdotool"};
        argv.insert(argv.end(), args.begin(), args.end());
        return testing_support::runCommand(argv, {"DISPLAY=" + x.display()});
    }

    XvfbServer x;
    std::unique_ptr<ChildProcess> app;
    Display* display = nullptr;
    ::Window window = 0;
};

TEST_F(HostWindowTest, StartsAsABorderlessOpaqueToolWindowBelowTheOthers)
{
    XClassHint hint;
    ASSERT_TRUE(XGetClassHint(display, window, &hint));
    EXPECT_STREQ(hint.res_class, "Engine SDL Window");
    XFree(hint.res_name);
    XFree(hint.res_class);
    EXPECT_EQ(text("WM_NAME", "STRING"), "Engine");
    EXPECT_EQ(text("_NET_WM_NAME", "UTF8_STRING"), "Engine");
    EXPECT_EQ(atoms("_NET_WM_WINDOW_TYPE"), std::vector<std::string>{"_NET_WM_WINDOW_TYPE_UTILITY"});
    EXPECT_EQ(atoms("_NET_WM_STATE"), (std::vector<std::string>{"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER",
                                                                "_NET_WM_STATE_BELOW"}));
    const auto motif = cardinals("_MOTIF_WM_HINTS", XInternAtom(display, "_MOTIF_WM_HINTS", False));
    ASSERT_EQ(motif.size(), 5u);
    EXPECT_EQ(motif[0], 2u); // decorations given...
    EXPECT_EQ(motif[2], 0u); // ...and none
    EXPECT_EQ(opacity(), 0xFFFFFFFFul);

    int left, top, width, height;
    geometry(left, top, width, height);
    EXPECT_EQ(width, 200);
    EXPECT_EQ(height, 200);
    EXPECT_EQ(left, 100);
    EXPECT_EQ(top, 100);
    Report r = command("report");
    EXPECT_EQ(r.x, 100);
    EXPECT_EQ(r.y, 100);
    EXPECT_EQ(r.screenWidth, 1024);
}

TEST_F(HostWindowTest, SizePositionAndOpacityReachTheXWindow)
{
    Report r = command("size 300 150");
    EXPECT_EQ(r.width, 300);
    EXPECT_EQ(r.height, 150);
    int left, top, width, height;
    geometry(left, top, width, height);
    EXPECT_EQ(width, 300);
    EXPECT_EQ(height, 150);
    EXPECT_EQ(left, 100) << "a resize keeps the window in its place";

    r = command("position 40 60");
    geometry(left, top, width, height);
    EXPECT_EQ(left, 40);
    EXPECT_EQ(top, 60);
    EXPECT_EQ(r.x, 40);
    EXPECT_EQ(r.y, 60);
    r = command("moveby 5 -10");
    EXPECT_EQ(r.x, 45);
    EXPECT_EQ(r.y, 50);
    geometry(left, top, width, height);
    EXPECT_EQ(left, 45);

    r = command("alpha 128");
    EXPECT_EQ(r.alpha, 128);
    EXPECT_TRUE(r.hasAlpha);
    EXPECT_EQ(opacity(), 0xFFFFFFFFul * 128 / 255);

    // A colour key makes the window opaque; a Transparent key counts as none, so the next
    // layering goes back to the alpha.
    r = command("colorkey 255 0 255 255");
    EXPECT_TRUE(r.hasColorKey);
    EXPECT_EQ(opacity(), 0xFFFFFFFFul);
    r = command("colorkey 0 0 0 0");
    EXPECT_FALSE(r.hasColorKey);
    command("movable 0");
    EXPECT_EQ(opacity(), 0xFFFFFFFFul * 128 / 255);
}

TEST_F(HostWindowTest, ShowsWhatWasDrawn)
{
    command("position 20 30");
    std::this_thread::sleep_for(std::chrono::milliseconds(200)); // a few frames
    XImage* image = XGetImage(display, DefaultRootWindow(display), 20, 30, 200, 200, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    int red = 0, blue = 0, misplaced = 0;
    for (int y = 0; y < 200; ++y)
        for (int x = 0; x < 200; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            if (p == 0xFF0000) {
                ++red;
                misplaced += !(x >= 50 && x <= 70 && y >= 10 && y <= 20);
            } else if (p == 0x0000FF) {
                ++blue;
            }
        }
    XDestroyImage(image);
    EXPECT_EQ(red, 21 * 11);
    EXPECT_EQ(misplaced, 0);
    EXPECT_EQ(blue, 39 * 39); // the 40x40 button less the black frame along the top and left
}

TEST_F(HostWindowTest, TheLeftButtonDragsTheWindowUnlessAWidgetTookThePress)
{
    command("position 100 100");
    command("alpha 200");
    ASSERT_EQ(xdotool({"mousemove", "200", "150"}), 0); // (100, 50) inside the window
    ASSERT_EQ(xdotool({"mousedown", "1"}), 0);
    Report r = waitFor([](const Report& r) { return r.dragging; });
    ASSERT_TRUE(r.dragging);
    EXPECT_TRUE(cardinals("_NET_WM_WINDOW_OPACITY", XA_CARDINAL).empty()) << "dragged unlayered";
    r = command("size 50 50");
    EXPECT_EQ(r.width, 200) << "no resize while dragging";

    ASSERT_EQ(xdotool({"mousemove", "230", "170"}), 0);
    ASSERT_EQ(xdotool({"mousemove", "260", "190"}), 0);
    r = waitFor([](const Report& r) { return r.x == 160 && r.y == 140; });
    EXPECT_EQ(r.x, 160);
    EXPECT_EQ(r.y, 140);
    ASSERT_EQ(xdotool({"mouseup", "1"}), 0);
    r = waitFor([](const Report& r) { return !r.dragging; });
    EXPECT_FALSE(r.dragging);
    EXPECT_EQ(opacity(), 0xFFFFFFFFul * 200 / 255) << "layered again";
    r = command("size 210 120");
    EXPECT_EQ(r.height, 120);

    // A press on the corner button is the button's: the window stays put.
    ASSERT_EQ(xdotool({"mousemove", "170", "150"}), 0);
    ASSERT_EQ(xdotool({"mousedown", "1"}), 0);
    r = waitFor([](const Report& r) { return r.presses == 1; });
    EXPECT_EQ(r.presses, 1);
    ASSERT_EQ(xdotool({"mousemove", "250", "250"}), 0);
    ASSERT_EQ(xdotool({"mouseup", "1"}), 0);
    r = waitFor([](const Report& r) { return r.presses == 2; });
    EXPECT_FALSE(r.dragging);
    EXPECT_EQ(r.x, 160);
    EXPECT_EQ(r.y, 140);

    // A window that may not move does not follow the pointer.
    command("movable 0");
    ASSERT_EQ(xdotool({"mousemove", "250", "200"}), 0);
    ASSERT_EQ(xdotool({"mousedown", "1"}), 0);
    ASSERT_EQ(xdotool({"mousemove", "300", "300"}), 0);
    ASSERT_EQ(xdotool({"mouseup", "1"}), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    r = command("report");
    EXPECT_FALSE(r.dragging);
    EXPECT_EQ(r.x, 160);
}

TEST(HostWindowStartTest, WithoutADisplayTheEngineDoesNotStart)
{
    ChildProcess app({"sh", "-c", "exec \"$0\" 2>&1", probe}, {"DISPLAY=:65000", "SDL_VIDEODRIVER=x11"});
    std::string line;
    ASSERT_TRUE(app.readLine(line));
    EXPECT_EQ(line.rfind("Failed To Initialize The Engine: ", 0), 0u) << line;
    EXPECT_EQ(app.wait(), 255);
}

} // namespace
