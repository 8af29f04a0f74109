// The host window in a real X server: what other X clients (a window manager, a compositor,
// xprop) see of it, read back with Xlib, and a drag with the real pointer through xdotool.
#include "tests/support/TempDir.h"
#include "tests/support/XvfbServer.h"

#include <gtest/gtest.h>

#include <chrono>
#include <algorithm>
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
    // Whether a window manager (openbox) runs on the display before the window is made.
    virtual bool managed() const { return false; }

    void SetUp() override
    {
        ASSERT_TRUE(x.running()) << "Xvfb did not start";
        display = XOpenDisplay(x.display().c_str());
        ASSERT_NE(display, nullptr);
        if (managed()) {
            ASSERT_NO_FATAL_FAILURE(startWindowManager());
        }
        app = std::make_unique<ChildProcess>(std::vector<std::string>{probe},
                                             std::vector<std::string>{"DISPLAY=" + x.display(), "SDL_VIDEODRIVER=x11"});
        std::string ready;
        ASSERT_TRUE(app->readLine(ready)) << "the probe did not start";
        ASSERT_EQ(ready.rfind("ready ", 0), 0u) << ready;
        window = std::stoul(ready.substr(6));
        ASSERT_NE(window, 0u);
        if (managed()) {
            ASSERT_FALSE(waitForCardinals(window, "_NET_FRAME_EXTENTS").empty()) << "the window manager took no window";
        }
    }

    void startWindowManager()
    {
        // openbox reads its settings from a private home; closing the shell's input ends it.
        home = std::make_unique<testing_support::TempDir>();
        wm = std::make_unique<ChildProcess>(
            std::vector<std::string>{"sh", "-c", "openbox --sm-disable 2>/dev/null & read line; kill $!; wait"},
            std::vector<std::string>{"DISPLAY=" + x.display(), "HOME=" + home->path(),
                                     "XDG_CONFIG_HOME=" + home->path() + "/.config"});
        ASSERT_FALSE(waitForCardinals(DefaultRootWindow(display), "_NET_SUPPORTING_WM_CHECK", XA_WINDOW).empty())
            << "openbox did not start";
        // The work area comes once openbox has read its settings and manages windows.
        ASSERT_FALSE(waitForCardinals(DefaultRootWindow(display), "_NET_WORKAREA").empty()) << "openbox is not ready";
    }
    std::vector<unsigned long> waitForCardinals(::Window on, const char* property, Atom type = XA_CARDINAL)
    {
        std::vector<unsigned long> values;
        for (int i = 0; i < 500 && values.empty(); ++i) {
            values = cardinals(property, type, on);
            if (values.empty())
                std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return values;
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

    // A property's raw items (longs for format 32, bytes for 8).
    template <typename Item>
    std::vector<Item> property(const char* name, Atom type, ::Window on)
    {
        Atom actual = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        std::vector<Item> items;
        if (XGetWindowProperty(display, on ? on : window, XInternAtom(display, name, False), 0, 64, False, type, &actual,
                               &format, &count, &after, &data) == Success && data) {
            items.assign(reinterpret_cast<const Item*>(data), reinterpret_cast<const Item*>(data) + count);
            XFree(data);
        }
        return items;
    }
    std::vector<unsigned long> cardinals(const char* name, Atom type, ::Window on = 0)
    {
        return property<unsigned long>(name, type, on);
    }
    std::vector<std::string> atoms(const char* name)
    {
        std::vector<std::string> names;
        for (unsigned long a : cardinals(name, XA_ATOM)) {
            char* atom = XGetAtomName(display, a);
            names.emplace_back(atom);
            XFree(atom);
        }
        return names;
    }
    std::string text(const char* name, const char* type)
    {
        const auto bytes = property<char>(name, XInternAtom(display, type, False), 0);
        return std::string(bytes.begin(), bytes.end());
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
    // The window's place once the window manager has settled it (it may still be applying a
    // move when the program reports it done); gives up after five seconds.
    void settledGeometry(int wantLeft, int wantTop, int& left, int& top, int& width, int& height)
    {
        for (int i = 0; i < 500; ++i) {
            geometry(left, top, width, height);
            if (left == wantLeft && top == wantTop)
                return;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
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
    std::unique_ptr<testing_support::TempDir> home;
    std::unique_ptr<ChildProcess> wm;
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

TEST_F(HostWindowTest, ShowsWhatWasDrawnAndAgainAfterBeingCovered)
{
    command("position 20 30");
    auto check = [&](const char* when) {
        std::this_thread::sleep_for(std::chrono::milliseconds(200)); // the frames that follow
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
        EXPECT_EQ(red, 21 * 11) << when;
        EXPECT_EQ(misplaced, 0) << when;
        EXPECT_EQ(blue, 39 * 39) << when; // the 40x40 button less the black frame along the top and left
    };
    check("drawn");
    // Another window over it and away again: the idle program must paint itself back.
    const ::Window cover = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 400, 400, 0, 0, 0);
    XSetWindowAttributes override = {};
    override.override_redirect = True;
    XChangeWindowAttributes(display, cover, CWOverrideRedirect, &override);
    XMapRaised(display, cover);
    XSync(display, False);
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    XDestroyWindow(display, cover);
    XSync(display, False);
    check("uncovered");
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

    // Two equal steps, the second after the window has followed the first: the pointer then
    // stands where it stood in the window before, and the step must still move the window.
    ASSERT_EQ(xdotool({"mousemove", "230", "170"}), 0);
    r = waitFor([](const Report& r) { return r.x == 130 && r.y == 120; });
    EXPECT_EQ(r.x, 130);
    EXPECT_EQ(r.y, 120);
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

// The same window on a desktop with a window manager, as users run it.
class ManagedHostWindowTest : public HostWindowTest {
protected:
    bool managed() const override { return true; }

    // Where the window manager's frame around the window stands (its outer top-left).
    void framePlace(int& left, int& top)
    {
        int width, height;
        geometry(left, top, width, height);
        const auto extents = cardinals("_NET_FRAME_EXTENTS", XA_CARDINAL);
        if (extents.size() == 4) {
            left -= static_cast<int>(extents[0]);
            top -= static_cast<int>(extents[2]);
        }
    }
    // The managed windows from the bottom of the stack to its top.
    std::vector<unsigned long> stacking() { return cardinals("_NET_CLIENT_LIST_STACKING", XA_WINDOW, DefaultRootWindow(display)); }
};

TEST_F(ManagedHostWindowTest, StaysBorderlessOffTheTaskBarAndBelowOtherWindowsAndFollowsADrag)
{
    EXPECT_EQ(cardinals("_NET_FRAME_EXTENTS", XA_CARDINAL), (std::vector<unsigned long>{0, 0, 0, 0}));
    auto state = atoms("_NET_WM_STATE");
    for (const char* wanted : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_BELOW"})
        EXPECT_NE(std::find(state.begin(), state.end(), wanted), state.end()) << wanted;
    int left, top, width, height;
    settledGeometry(100, 100, left, top, width, height);
    EXPECT_EQ(left, 100);
    EXPECT_EQ(top, 100);
    EXPECT_EQ(width, 200);

    // Another program's window opens over it: ours stays at the bottom after a move and a resize.
    const ::Window other = XCreateSimpleWindow(display, DefaultRootWindow(display), 250, 250, 300, 300, 0, 0, 0);
    XMapRaised(display, other);
    XSync(display, False);
    std::vector<unsigned long> stack;
    for (int i = 0; i < 500 && stack.size() < 2; ++i) {
        stack = stacking();
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    Report r = command("position 300 200");
    EXPECT_EQ(r.x, 300);
    EXPECT_EQ(r.y, 200);
    settledGeometry(300, 200, left, top, width, height);
    EXPECT_EQ(left, 300);
    EXPECT_EQ(top, 200);
    r = command("size 260 90");
    EXPECT_EQ(r.x, 300);
    stack = stacking();
    ASSERT_EQ(stack.size(), 2u);
    EXPECT_EQ(stack.front(), window) << "not at the bottom of the stack";
    XDestroyWindow(display, other);
    XSync(display, False);

    // It follows the dragging pointer.
    ASSERT_EQ(xdotool({"mousemove", "350", "250"}), 0); // (50, 50) inside the window
    ASSERT_EQ(xdotool({"mousedown", "1"}), 0);
    r = waitFor([](const Report& r) { return r.dragging; });
    ASSERT_TRUE(r.dragging);
    for (int step = 1; step <= 5; ++step) {
        ASSERT_EQ(xdotool({"mousemove", std::to_string(350 + 10 * step), std::to_string(250 + 5 * step)}), 0);
        r = waitFor([step](const Report& r) { return r.x == 300 + 10 * step && r.y == 200 + 5 * step; });
        EXPECT_EQ(r.x, 300 + 10 * step) << "step " << step;
        EXPECT_EQ(r.y, 200 + 5 * step) << "step " << step;
    }
    ASSERT_EQ(xdotool({"mouseup", "1"}), 0);
    r = waitFor([](const Report& r) { return !r.dragging; });
    framePlace(left, top);
    EXPECT_EQ(left, 350);
    EXPECT_EQ(top, 225);
}

TEST_F(ManagedHostWindowTest, AFrameTheWindowManagerDrawsAnywayIsPartOfThePlace)
{
    // As a window manager that ignores the request for no decorations would.
    unsigned long decorated[5] = {2, 0, 1, 0, 0};
    const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, window, motif, motif, 32, PropModeReplace, reinterpret_cast<unsigned char*>(decorated), 5);
    XSync(display, False);
    std::vector<unsigned long> extents;
    for (int i = 0; i < 500; ++i) {
        extents = cardinals("_NET_FRAME_EXTENTS", XA_CARDINAL);
        if (extents.size() == 4 && extents[2] > 0)
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
    ASSERT_EQ(extents.size(), 4u);
    ASSERT_GT(extents[2], 0u) << "openbox drew no title bar";

    // The window reads its place back as the frame's, so the first attempt already counts.
    Report r = command("position 300 200");
    EXPECT_EQ(r.x, 300);
    EXPECT_EQ(r.y, 200);
    int left, top;
    framePlace(left, top);
    EXPECT_EQ(left, 300);
    EXPECT_EQ(top, 200);
    r = command("moveby 10 5");
    EXPECT_EQ(r.x, 310);
    EXPECT_EQ(r.y, 205);
    r = command("size 220 100"); // a resize pins the window where it is: no creeping
    EXPECT_EQ(r.x, 310);
    EXPECT_EQ(r.y, 205);
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
