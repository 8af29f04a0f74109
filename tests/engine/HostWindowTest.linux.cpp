// The host window in a real X server, bare and under a window manager (openbox): what other
// X clients (a window manager, a compositor, xprop) see of it, read back with Xlib, and a
// drag with the real pointer through xdotool.
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
using Ints = std::vector<int>;

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

// The probe's answer to a command: x, y, width, height, hasAlpha, hasColorKey, dragging,
// screen width.
enum { X, Y, Width, Height, HasAlpha, HasColorKey, Dragging, ScreenWidth };

class HostWindowTest : public ::testing::Test {
protected:
    // Starts the probe's window, after a window manager when `managed`.
    void start(bool managed)
    {
        ASSERT_TRUE(x.running()) << "Xvfb did not start";
        ASSERT_NE(display = XOpenDisplay(x.display().c_str()), nullptr);
        root = DefaultRootWindow(display);
        if (managed) {
            // openbox reads its settings from a private home; closing the shell's input ends it.
            wm = std::make_unique<ChildProcess>(
                std::vector<std::string>{"sh", "-c", "openbox --sm-disable 2>/dev/null & read line; kill $!; wait"},
                std::vector<std::string>{"DISPLAY=" + x.display(), "HOME=" + home.path(),
                                         "XDG_CONFIG_HOME=" + home.path() + "/.config"});
            // The work area comes once openbox has read its settings and manages windows.
            ASSERT_TRUE(eventually([&] { return !longs("_NET_WORKAREA", XA_CARDINAL, root).empty(); }));
        }
        app = std::make_unique<ChildProcess>(std::vector<std::string>{probe},
                                             std::vector<std::string>{"DISPLAY=" + x.display(), "SDL_VIDEODRIVER=x11"});
        std::string ready;
        ASSERT_TRUE(app->readLine(ready) && ready.rfind("ready ", 0) == 0) << "the probe did not start: " << ready;
        ASSERT_NE(window = std::stoul(ready.substr(6)), 0u);
        if (managed) {
            ASSERT_TRUE(eventually([&] { return !longs("_NET_FRAME_EXTENTS").empty(); })) << "not managed";
        }
    }
    void TearDown() override
    {
        if (app) {
            app->send("quit");
            EXPECT_EQ(app->wait(), 0);
        }
        if (display)
            XCloseDisplay(display);
    }

    Ints command(const std::string& text)
    {
        std::string line, ok;
        EXPECT_TRUE(app->send(text) && app->readLine(line)) << "no answer to " << text;
        std::istringstream in(line);
        in >> ok;
        EXPECT_EQ(ok, "ok") << line;
        Ints report{std::istream_iterator<int>(in), {}};
        report.resize(ScreenWidth + 1);
        return report;
    }
    // Asks until the report satisfies the condition (events take a few frames to arrive).
    Ints waitFor(const std::function<bool(const Ints&)>& condition)
    {
        Ints r;
        eventually([&] { return condition(r = command("report")); });
        return r;
    }
    static Ints at(const Ints& report) { return {report[X], report[Y]}; }

    // A format-32 property of the window (or of another); atoms sorted, as sets (a window's
    // state) are compared.
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
        if (type == XA_ATOM)
            std::sort(items.begin(), items.end());
        return items;
    }
    Longs atoms(std::vector<const char*> names)
    {
        Longs list;
        for (const char* name : names)
            list.push_back(XInternAtom(display, name, False));
        std::sort(list.begin(), list.end());
        return list;
    }
    unsigned long opacity()
    {
        const Longs values = longs("_NET_WM_WINDOW_OPACITY");
        return values.empty() ? 0 : values[0] & opaque;
    }
    // left, top, width and height of the window itself on the screen.
    Ints geometry()
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

    const std::vector<const char*> belowWithoutTaskBar{"_NET_WM_STATE_BELOW", "_NET_WM_STATE_SKIP_PAGER",
                                                       "_NET_WM_STATE_SKIP_TASKBAR"};
    testing_support::XvfbServer x;
    testing_support::TempDir home;
    std::unique_ptr<ChildProcess> wm, app;
    Display* display = nullptr;
    ::Window root = 0, window = 0;
};

TEST_F(HostWindowTest, ABorderlessToolWindowBelowTheOthersThatShowsWhatWasDrawnAndTakesSizePlaceAndOpacity)
{
    start(false);
    char* name = nullptr; // the class is how the program tests find the window
    ASSERT_TRUE(XFetchName(display, window, &name));
    EXPECT_STREQ(name, "Engine");
    XFree(name);
    EXPECT_EQ(longs("_NET_WM_WINDOW_TYPE", XA_ATOM), atoms({"_NET_WM_WINDOW_TYPE_UTILITY"}));
    EXPECT_EQ(longs("_NET_WM_STATE", XA_ATOM), atoms(belowWithoutTaskBar));
    const Longs motif = longs("_MOTIF_WM_HINTS", XInternAtom(display, "_MOTIF_WM_HINTS", False));
    EXPECT_EQ(motif, (Longs{2, 0, 0, 0, 0})) << "decorations given, and none";
    EXPECT_EQ(opacity(), opaque);
    EXPECT_EQ(geometry(), (Ints{100, 100, 200, 200}));
    // What was drawn shows after another window covered it: the idle program must paint
    // itself back.
    XSetWindowAttributes black = {};
    black.override_redirect = True;
    const ::Window cover = XCreateWindow(display, root, 0, 0, 600, 400, 0, CopyFromParent, InputOutput, CopyFromParent,
                                         CWOverrideRedirect | CWBackPixel, &black);
    XMapRaised(display, cover);
    XSync(display, False);
    pause(200);
    XDestroyWindow(display, cover);
    XSync(display, False);
    pause(200); // the frames that follow
    XImage* image = XGetImage(display, root, 100, 100, 200, 150, AllPlanes, ZPixmap);
    ASSERT_NE(image, nullptr);
    Ints counts(3); // red pixels in the red box, red ones elsewhere, blue ones
    for (int y = 0; y < 150; ++y)
        for (int x = 0; x < 200; ++x) {
            const unsigned long p = XGetPixel(image, x, y);
            const bool inBox = x >= 50 && x <= 70 && y >= 10 && y <= 20;
            counts[p == 0x0000FF ? 2 : inBox ? 0 : 1] += p == 0xFF0000 || p == 0x0000FF;
        }
    XDestroyImage(image);
    EXPECT_EQ(counts, (Ints{21 * 11, 0, 39 * 39})); // the blue corner less the frame
    EXPECT_TRUE(command("alpha 128")[HasAlpha]);
    EXPECT_EQ(opacity(), opaque * 128 / 255);
}

TEST_F(HostWindowTest, UnderAWindowManagerItStaysBorderlessOffTheTaskBarAndBelowAndFollowsADrag)
{
    start(true);
    EXPECT_EQ(longs("_NET_FRAME_EXTENTS"), (Longs{0, 0, 0, 0}));
    const Longs states = longs("_NET_WM_STATE", XA_ATOM), wanted = atoms(belowWithoutTaskBar);
    EXPECT_TRUE(std::includes(states.begin(), states.end(), wanted.begin(), wanted.end()));
    EXPECT_TRUE(eventually([&] { return geometry() == Ints{100, 100, 200, 200}; }));

    // Another program's window opens over it: ours stays at the bottom after a move and a resize.
    const ::Window other = XCreateSimpleWindow(display, root, 250, 250, 300, 300, 0, 0, 0);
    XMapRaised(display, other);
    XSync(display, False);
    auto stacking = [&] { return longs("_NET_CLIENT_LIST_STACKING", XA_WINDOW, root); };
    eventually([&] { return stacking().size() == 2; });
    EXPECT_EQ(at(command("position 300 200")), (Ints{300, 200}));
    EXPECT_TRUE(eventually([&] { return at(geometry()) == Ints{300, 200}; })) << "the manager moved it elsewhere";
    EXPECT_EQ(at(command("size 260 90")), (Ints{300, 200}));
    EXPECT_EQ(stacking(), (Longs{window, other})) << "not at the bottom of the stack";
    XDestroyWindow(display, other);
    XSync(display, False);

    // The left button drags it, unlayered and at its size until the release. Each step
    // comes once the window has followed the one before: the pointer then stands where it
    // stood in the window before, and the step must still move the window.
    command("alpha 200");
    ASSERT_TRUE(xdotool("mousemove 350 250 mousedown 1"));
    ASSERT_TRUE(waitFor([](const Ints& r) { return r[Dragging]; })[Dragging]);
    for (int step = 1; step <= 3; ++step) {
        ASSERT_TRUE(xdotool("mousemove " + std::to_string(350 + 10 * step) + " " + std::to_string(250 + 5 * step)));
        const Ints want{300 + 10 * step, 200 + 5 * step};
        EXPECT_EQ(at(waitFor([&](const Ints& r) { return at(r) == want; })), want) << "step " << step;
    }
    EXPECT_TRUE(longs("_NET_WM_WINDOW_OPACITY").empty()) << "dragged unlayered";
    EXPECT_EQ(command("size 50 50")[Width], 260) << "no resize while dragging";
    ASSERT_TRUE(xdotool("mouseup 1"));
    EXPECT_FALSE(waitFor([](const Ints& r) { return !r[Dragging]; })[Dragging]);
    EXPECT_EQ(opacity(), opaque * 200 / 255) << "layered again";
    EXPECT_EQ(command("report"), (Ints{330, 215, 260, 90, 1, 0, 0, 1024}));

    // A window manager that draws a frame anyway (it ignored the request for none): the
    // window reads its place back as the frame's, so the first attempt already counts.
    unsigned long decorated[5] = {2, 0, 1, 0, 0};
    const Atom motif = XInternAtom(display, "_MOTIF_WM_HINTS", False);
    XChangeProperty(display, window, motif, motif, 32, PropModeReplace, reinterpret_cast<unsigned char*>(decorated), 5);
    XSync(display, False);
    ASSERT_TRUE(eventually([&] { return longs("_NET_FRAME_EXTENTS").size() == 4 && longs("_NET_FRAME_EXTENTS")[2] > 0; }))
        << "openbox drew no title bar";
    const Longs extents = longs("_NET_FRAME_EXTENTS");
    EXPECT_EQ(at(command("position 300 200")), (Ints{300, 200}));
    EXPECT_EQ(at(geometry()), (Ints{300 + int(extents[0]), 200 + int(extents[2])}));
    EXPECT_EQ(at(command("moveby 10 5")), (Ints{310, 205}));
    EXPECT_EQ(at(command("size 220 100")), (Ints{310, 205})) << "a resize pins the window where it is: no creeping";
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
