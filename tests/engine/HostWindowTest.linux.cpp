// The host window in a real X server: what other X clients (a window manager, a compositor,
// xprop) see of it, read back with Xlib, and a drag with the real pointer through xdotool.
#include "tests/support/TempDir.h"
#include "tests/support/XvfbServer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <functional>
#include <iterator>
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
using Longs = std::vector<unsigned long>;

const std::string probe = std::string(HOLMIK_BIN_DIR) + "/engine-window-probe";
constexpr unsigned long opaque = 0xFFFFFFFFul;

void pause(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

// Asks again every 10 ms for up to five seconds; whether the condition came true.
bool eventually(const std::function<bool()>& condition)
{
    for (int i = 0; i < 500; ++i, pause(10))
        if (condition())
            return true;
    return false;
}

// The probe's answer to a command.
struct Report {
    int x = 0, y = 0, width = 0, height = 0, alpha = 0, hasAlpha = 0, hasColorKey = 0, dragging = 0, presses = 0,
        screenWidth = 0;
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
        root = DefaultRootWindow(display);
        if (managed()) {
            // openbox reads its settings from a private home; closing the shell's input ends it.
            wm = std::make_unique<ChildProcess>(
                std::vector<std::string>{"sh", "-c", "openbox --sm-disable 2>/dev/null & read line; kill $!; wait"},
                std::vector<std::string>{"DISPLAY=" + x.display(), "HOME=" + home.path(),
                                         "XDG_CONFIG_HOME=" + home.path() + "/.config"});
            // The work area comes once openbox has read its settings and manages windows.
            ASSERT_TRUE(eventually([&] { return !longs("_NET_WORKAREA", XA_CARDINAL, root).empty(); }))
                << "openbox did not start";
        }
        app = std::make_unique<ChildProcess>(std::vector<std::string>{probe},
                                             std::vector<std::string>{"DISPLAY=" + x.display(), "SDL_VIDEODRIVER=x11"});
        std::string ready;
        ASSERT_TRUE(app->readLine(ready) && ready.rfind("ready ", 0) == 0) << "the probe did not start: " << ready;
        window = std::stoul(ready.substr(6));
        ASSERT_NE(window, 0u);
        if (managed()) {
            ASSERT_TRUE(eventually([&] { return !longs("_NET_FRAME_EXTENTS").empty(); })) << "the window manager took no window";
        }
    }
    void TearDown() override
    {
        if (app) {
            app->send("quit");
            for (std::string line; app->readLine(line, 5000) && line != "bye";) {
            }
            EXPECT_EQ(app->wait(), 0);
        }
        if (display)
            XCloseDisplay(display);
    }

    Report command(const std::string& text)
    {
        Report r;
        std::string line, ok;
        EXPECT_TRUE(app->send(text) && app->readLine(line)) << "no answer to " << text;
        std::istringstream(line) >> ok >> r.x >> r.y >> r.width >> r.height >> r.alpha >> r.hasAlpha >>
            r.hasColorKey >> r.dragging >> r.presses >> r.screenWidth;
        EXPECT_EQ(ok, "ok") << line;
        return r;
    }
    // Asks until the report satisfies the condition (events take a few frames to arrive).
    Report waitFor(const std::function<bool(const Report&)>& condition)
    {
        Report r;
        eventually([&] { return condition(r = command("report")); });
        return r;
    }
    // The window's place (the frame's, with a frame) as the probe reports it, when it got there.
    void expectAt(int x, int y, const Report& r)
    {
        EXPECT_EQ(r.x, x);
        EXPECT_EQ(r.y, y);
    }

    // A format-32 property of the window (or of another).
    Longs longs(const char* name, Atom type = XA_CARDINAL, ::Window on = 0)
    {
        Atom actual = 0;
        int format = 0;
        unsigned long count = 0, after = 0;
        unsigned char* data = nullptr;
        Longs items;
        if (XGetWindowProperty(display, on ? on : window, XInternAtom(display, name, False), 0, 64, False, type, &actual,
                               &format, &count, &after, &data) == Success && data) {
            items.assign(reinterpret_cast<const unsigned long*>(data), reinterpret_cast<const unsigned long*>(data) + count);
            XFree(data);
        }
        return items;
    }
    std::vector<std::string> atoms(const char* name)
    {
        std::vector<std::string> names;
        for (unsigned long a : longs(name, XA_ATOM)) {
            char* atom = XGetAtomName(display, a);
            names.emplace_back(atom);
            XFree(atom);
        }
        return names;
    }
    unsigned long opacity()
    {
        const Longs values = longs("_NET_WM_WINDOW_OPACITY");
        return values.empty() ? 0 : values[0] & opaque;
    }
    // left, top, width and height of the window itself on the screen.
    std::vector<int> geometry()
    {
        XWindowAttributes attributes{};
        XGetWindowAttributes(display, window, &attributes);
        int left = 0, top = 0;
        ::Window child;
        XTranslateCoordinates(display, window, root, 0, 0, &left, &top, &child);
        return {left, top, attributes.width, attributes.height};
    }
    bool xdotool(const std::string& args)
    {
        std::istringstream in("xdotool " + args);
        return testing_support::runCommand({std::istream_iterator<std::string>(in), {}}, {"DISPLAY=" + x.display()}) == 0;
    }

    testing_support::XvfbServer x;
    testing_support::TempDir home;
    std::unique_ptr<ChildProcess> wm, app;
    Display* display = nullptr;
    ::Window root = 0, window = 0;
};

TEST_F(HostWindowTest, ABorderlessToolWindowBelowTheOthersThatTakesSizePlaceAndOpacity)
{
    XClassHint hint;
    ASSERT_TRUE(XGetClassHint(display, window, &hint));
    EXPECT_STREQ(hint.res_class, "Engine SDL Window");
    XFree(hint.res_name);
    XFree(hint.res_class);
    char* name = nullptr;
    ASSERT_TRUE(XFetchName(display, window, &name));
    EXPECT_STREQ(name, "Engine");
    XFree(name);
    EXPECT_EQ(atoms("_NET_WM_WINDOW_TYPE"), std::vector<std::string>{"_NET_WM_WINDOW_TYPE_UTILITY"});
    EXPECT_EQ(atoms("_NET_WM_STATE"),
              (std::vector<std::string>{"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_BELOW"}));
    const Longs motif = longs("_MOTIF_WM_HINTS", XInternAtom(display, "_MOTIF_WM_HINTS", False));
    ASSERT_EQ(motif.size(), 5u);
    EXPECT_EQ(motif[0], 2u); // decorations given...
    EXPECT_EQ(motif[2], 0u); // ...and none
    EXPECT_EQ(opacity(), opaque);
    EXPECT_EQ(geometry(), (std::vector<int>{100, 100, 200, 200}));
    EXPECT_EQ(command("report").screenWidth, 1024);

    EXPECT_EQ(command("size 300 150").width, 300);
    EXPECT_EQ(geometry(), (std::vector<int>{100, 100, 300, 150})) << "a resize keeps the window in its place";
    expectAt(40, 60, command("position 40 60"));
    expectAt(45, 50, command("moveby 5 -10"));
    EXPECT_EQ(geometry(), (std::vector<int>{45, 50, 300, 150}));

    Report r = command("alpha 128");
    EXPECT_TRUE(r.hasAlpha);
    EXPECT_EQ(opacity(), opaque * 128 / 255);
    // A colour key makes the window opaque; a Transparent key counts as none, so the next
    // layering goes back to the alpha.
    EXPECT_TRUE(command("colorkey 255 0 255 255").hasColorKey);
    EXPECT_EQ(opacity(), opaque);
    EXPECT_FALSE(command("colorkey 0 0 0 0").hasColorKey);
    command("movable 0");
    EXPECT_EQ(opacity(), opaque * 128 / 255);
}

TEST_F(HostWindowTest, ShowsWhatWasDrawnAndAgainAfterBeingCovered)
{
    command("position 20 30");
    auto check = [&](const char* when) {
        pause(200); // the frames that follow
        XImage* image = XGetImage(display, root, 20, 30, 200, 200, AllPlanes, ZPixmap);
        ASSERT_NE(image, nullptr);
        int red = 0, blue = 0, misplaced = 0;
        for (int y = 0; y < 200; ++y)
            for (int x = 0; x < 200; ++x) {
                const unsigned long p = XGetPixel(image, x, y);
                red += p == 0xFF0000;
                misplaced += p == 0xFF0000 && !(x >= 50 && x <= 70 && y >= 10 && y <= 20);
                blue += p == 0x0000FF;
            }
        XDestroyImage(image);
        EXPECT_EQ(red, 21 * 11) << when;
        EXPECT_EQ(misplaced, 0) << when;
        EXPECT_EQ(blue, 39 * 39) << when; // the 40x40 button less the black frame along the top and left
    };
    check("drawn");
    // Another window over it and away again: the idle program must paint itself back.
    const ::Window cover = XCreateSimpleWindow(display, root, 0, 0, 400, 400, 0, 0, 0);
    XSetWindowAttributes override = {};
    override.override_redirect = True;
    XChangeWindowAttributes(display, cover, CWOverrideRedirect, &override);
    XMapRaised(display, cover);
    XSync(display, False);
    pause(200);
    XDestroyWindow(display, cover);
    XSync(display, False);
    check("uncovered");
}

TEST_F(HostWindowTest, TheLeftButtonDragsTheWindowUnlessAWidgetTookThePress)
{
    command("alpha 200");
    ASSERT_TRUE(xdotool("mousemove 200 150 mousedown 1")); // (100, 50) inside the window
    ASSERT_TRUE(waitFor([](const Report& r) { return r.dragging; }).dragging);
    EXPECT_TRUE(longs("_NET_WM_WINDOW_OPACITY").empty()) << "dragged unlayered";
    EXPECT_EQ(command("size 50 50").width, 200) << "no resize while dragging";
    // Two equal steps, the second after the window has followed the first: the pointer then
    // stands where it stood in the window before, and the step must still move the window.
    for (int step = 1; step <= 2; ++step) {
        ASSERT_TRUE(xdotool("mousemove " + std::to_string(200 + 30 * step) + " " + std::to_string(150 + 20 * step)));
        expectAt(100 + 30 * step, 100 + 20 * step,
                 waitFor([step](const Report& r) { return r.x == 100 + 30 * step && r.y == 100 + 20 * step; }));
    }
    ASSERT_TRUE(xdotool("mouseup 1"));
    EXPECT_FALSE(waitFor([](const Report& r) { return !r.dragging; }).dragging);
    EXPECT_EQ(opacity(), opaque * 200 / 255) << "layered again";
    EXPECT_EQ(command("size 210 120").height, 120);

    // A press on the corner button is the button's: the window stays put.
    ASSERT_TRUE(xdotool("mousemove 170 150 mousedown 1"));
    EXPECT_EQ(waitFor([](const Report& r) { return r.presses == 1; }).presses, 1);
    ASSERT_TRUE(xdotool("mousemove 250 250 mouseup 1"));
    pause(200);
    expectAt(160, 140, command("report"));
    // A window that may not move does not follow the pointer.
    command("movable 0");
    ASSERT_TRUE(xdotool("mousedown 1 mousemove 300 300 mouseup 1"));
    pause(200);
    const Report r = command("report");
    EXPECT_FALSE(r.dragging);
    expectAt(160, 140, r);
}

TEST(HostWindowStartTest, WithoutADisplayTheEngineDoesNotStart)
{
    ChildProcess app({"sh", "-c", "exec \"$0\" 2>&1", probe}, {"DISPLAY=:65000", "SDL_VIDEODRIVER=x11"});
    std::string line;
    ASSERT_TRUE(app.readLine(line));
    EXPECT_EQ(line.rfind("Failed To Initialize The Engine: ", 0), 0u) << line;
    EXPECT_EQ(app.wait(), 255);
}

// The same window on a desktop with a window manager, as users run it.
class ManagedHostWindowTest : public HostWindowTest {
protected:
    bool managed() const override { return true; }
    // The managed windows from the bottom of the stack to its top.
    Longs stacking() { return longs("_NET_CLIENT_LIST_STACKING", XA_WINDOW, root); }
};

TEST_F(ManagedHostWindowTest, StaysBorderlessOffTheTaskBarAndBelowOtherWindowsAndFollowsADrag)
{
    EXPECT_EQ(longs("_NET_FRAME_EXTENTS"), (Longs{0, 0, 0, 0}));
    const auto state = atoms("_NET_WM_STATE");
    for (const char* wanted : {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_BELOW"})
        EXPECT_NE(std::find(state.begin(), state.end(), wanted), state.end()) << wanted;
    EXPECT_TRUE(eventually([&] { return geometry() == std::vector<int>{100, 100, 200, 200}; }));

    // Another program's window opens over it: ours stays at the bottom after a move and a resize.
    const ::Window other = XCreateSimpleWindow(display, root, 250, 250, 300, 300, 0, 0, 0);
    XMapRaised(display, other);
    XSync(display, False);
    eventually([&] { return stacking().size() == 2; });
    expectAt(300, 200, command("position 300 200"));
    EXPECT_TRUE(eventually([&] { return geometry()[0] == 300 && geometry()[1] == 200; })) << "the manager moved it elsewhere";
    expectAt(300, 200, command("size 260 90"));
    const Longs stack = stacking();
    ASSERT_EQ(stack.size(), 2u);
    EXPECT_EQ(stack.front(), window) << "not at the bottom of the stack";
    XDestroyWindow(display, other);
    XSync(display, False);

    ASSERT_TRUE(xdotool("mousemove 350 250 mousedown 1")); // (50, 50) inside the window
    ASSERT_TRUE(waitFor([](const Report& r) { return r.dragging; }).dragging);
    for (int step = 1; step <= 3; ++step) {
        ASSERT_TRUE(xdotool("mousemove " + std::to_string(350 + 10 * step) + " " + std::to_string(250 + 5 * step)));
        expectAt(300 + 10 * step, 200 + 5 * step,
                 waitFor([step](const Report& r) { return r.x == 300 + 10 * step && r.y == 200 + 5 * step; }));
    }
    ASSERT_TRUE(xdotool("mouseup 1"));
    EXPECT_FALSE(waitFor([](const Report& r) { return !r.dragging; }).dragging);
    EXPECT_EQ(geometry()[0], 330);
}

TEST_F(ManagedHostWindowTest, AFrameTheWindowManagerDrawsAnywayIsPartOfThePlace)
{
    // As a window manager that ignores the request for no decorations would.
    unsigned long decorated[5] = {2, 0, 1, 0, 0};
    const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, window, motif, motif, 32, PropModeReplace, reinterpret_cast<unsigned char*>(decorated), 5);
    XSync(display, False);
    ASSERT_TRUE(eventually([&] {
        const Longs extents = longs("_NET_FRAME_EXTENTS");
        return extents.size() == 4 && extents[2] > 0;
    })) << "openbox drew no title bar";
    const Longs extents = longs("_NET_FRAME_EXTENTS");

    // The window reads its place back as the frame's, so the first attempt already counts.
    expectAt(300, 200, command("position 300 200"));
    const std::vector<int> at = geometry();
    EXPECT_EQ(at[0] - static_cast<int>(extents[0]), 300);
    EXPECT_EQ(at[1] - static_cast<int>(extents[2]), 200);
    expectAt(310, 205, command("moveby 10 5"));
    expectAt(310, 205, command("size 220 100")); // a resize pins the window where it is: no creeping
}

} // namespace
