// The host window on X11: our own display connection creates and moves the window; SDL,
// told about it through SDL_WINDOWID, draws into it through its own connection. Two things
// SDL does not do for a window it did not create: select its input, and resize it.
// A third thing X does not do: when a window moves under the pointer, Windows tells it
// that the pointer moved within it, X does not. SDL, which keeps the pointer's position
// inside the window and drops motion that does not change it, would then drop every drag
// step equal to the one before; so after a move the backend reports the pointer's new place
// in the window to SDL itself.
//
// The window's place and the screen's size are kept from the configure events that our
// connection hears (the window's own, the window manager's synthetic ones, the root
// window's), so that a frame in which nothing happened asks the X server nothing.
#include "os/HostWindow.h"

#include "os/linux/HostWindowEvents.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <cstdio>
#include <ctime>

namespace os {

namespace {

Display* display = nullptr;
::Window window = 0;
bool windowErrorSeen = false;
XErrorHandler previousHandler = nullptr;

// Requests about our own window may race with the window manager (a focus request on a
// window that is not viewable yet); those errors are noted and ignored. Errors on other
// connections (SDL's) go to the handler that was there before.
int onXError(Display* d, XErrorEvent* error)
{
    if (d == display) {
        windowErrorSeen = true;
        return 0;
    }
    return previousHandler ? previousHandler(d, error) : 0;
}

// Where the window stood when SDL last heard where the pointer is inside it.
int reportedX = 0, reportedY = 0;

// The window's place as last read from the X server, and whether an event since then says
// it may have changed.
int placeX = 0, placeY = 0;
bool placeKnown = false;
int screenW = 0, screenH = 0;
Atom frameExtentsAtom = None;

Atom atom(const char* name) { return XInternAtom(display, name, False); }

// The window's top-left corner on the screen.
bool clientOrigin(int& x, int& y)
{
    ::Window child = 0;
    return XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &x, &y, &child);
}

// The left and top width of a frame that a window manager put around the window.
void frameExtents(int& left, int& top)
{
    Atom actual = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    if (XGetWindowProperty(display, window, frameExtentsAtom, 0, 4, False, XA_CARDINAL, &actual, &format,
                           &count, &after, &data) == Success &&
        data && format == 32 && count == 4) {
        const auto* values = reinterpret_cast<const long*>(data);
        left = static_cast<int>(values[0]);
        top = static_cast<int>(values[2]);
    }
    if (data)
        XFree(data);
}

void setAtoms(const char* property, const char* const* values, int count)
{
    Atom list[8];
    for (int i = 0; i < count; ++i)
        list[i] = atom(values[i]);
    XChangeProperty(display, window, atom(property), XA_ATOM, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(list), count);
}

void setCardinal(const char* property, unsigned long value)
{
    XChangeProperty(display, window, atom(property), XA_CARDINAL, 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(&value), 1);
}

void sleepMs(long ms)
{
    timespec pause = {0, ms * 1000000L};
    nanosleep(&pause, nullptr);
}

// A window manager maps the window when it gets to it; wait a little for that, so that
// position and focus requests find a mapped window.
void waitUntilMapped()
{
    for (int i = 0; i < 100; ++i) {
        XWindowAttributes attributes;
        if (XGetWindowAttributes(display, window, &attributes) && attributes.map_state == IsViewable)
            return;
        sleepMs(10);
    }
}

} // namespace

bool createHostWindow(const std::string&, const std::string&, const std::string& desktopName, int x, int y, int width,
                      int height)
{
    if (display)
        return window != 0;
    display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    previousHandler = XSetErrorHandler(onXError);
    const int screen = DefaultScreen(display);

    // No background of its own: nothing is painted before the first frame.
    XSetWindowAttributes attributes = {};
    attributes.background_pixmap = None;
    window = XCreateWindow(display, RootWindow(display, screen), x, y, static_cast<unsigned>(width),
                           static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent, CWBackPixmap,
                           &attributes);

    // The names window-manager rules and StartupWMClass match: the instance in lower case.
    const std::string& title = desktopName;
    XClassHint classHint;
    std::string instance = desktopName;
    for (char& c : instance)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    classHint.res_name = instance.data();
    std::string windowClass = desktopName;
    classHint.res_class = windowClass.data();
    XSetClassHint(display, window, &classHint);

    XStoreName(display, window, title.c_str());
    XChangeProperty(display, window, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 8, PropModeReplace,
                    reinterpret_cast<const unsigned char*>(title.data()), static_cast<int>(title.size()));

    XSizeHints sizeHints = {};
    sizeHints.flags = USPosition | PPosition | PSize;
    sizeHints.x = x;
    sizeHints.y = y;
    sizeHints.width = width;
    sizeHints.height = height;
    XSetWMNormalHints(display, window, &sizeHints);
    XWMHints wmHints = {};
    wmHints.flags = InputHint | StateHint;
    wmHints.input = True;
    wmHints.initial_state = NormalState;
    XSetWMHints(display, window, &wmHints);

    // A tool window: no task-bar or pager entry, below the others, no decorations.
    const char* const type[] = {"_NET_WM_WINDOW_TYPE_UTILITY"};
    setAtoms("_NET_WM_WINDOW_TYPE", type, 1);
    const char* const state[] = {"_NET_WM_STATE_SKIP_TASKBAR", "_NET_WM_STATE_SKIP_PAGER", "_NET_WM_STATE_BELOW"};
    setAtoms("_NET_WM_STATE", state, 3);
    unsigned long motifHints[5] = {2, 0, 0, 0, 0}; // flags: decorations; decorations: none
    XChangeProperty(display, window, atom("_MOTIF_WM_HINTS"), atom("_MOTIF_WM_HINTS"), 32, PropModeReplace,
                    reinterpret_cast<unsigned char*>(motifHints), 5);
    setHostWindowOpacity(255);

    // Our connection hears where the window goes and when the screen changes its size.
    XSelectInput(display, window, StructureNotifyMask | PropertyChangeMask);
    XSelectInput(display, RootWindow(display, screen), StructureNotifyMask);
    frameExtentsAtom = atom("_NET_FRAME_EXTENTS");
    screenW = DisplayWidth(display, screen);
    screenH = DisplayHeight(display, screen);

    XSync(display, False);
    clientOrigin(reportedX, reportedY);
    return true;
}

void showHostWindow()
{
    static bool shown = false;
    if (!window || shown)
        return;
    shown = true;
    XMapWindow(display, window);
    XLowerWindow(display, window);
    XSync(display, False);
    waitUntilMapped();
    placeKnown = false;
    clientOrigin(reportedX, reportedY);
}

bool hasHostWindow() { return window != 0; }

std::string hostWindowId() { return window ? std::to_string(static_cast<unsigned long>(window)) : std::string(); }

void attachHostWindowInput()
{
    if (!window)
        return;
    SDL_SysWMinfo info;
    SDL_VERSION(&info.version);
    if (SDL_GetWMInfo(&info) <= 0 || info.subsystem != SDL_SYSWM_X11)
        return;
    const long mask = KeyPressMask | KeyReleaseMask | ButtonPressMask | ButtonReleaseMask | PointerMotionMask |
                      EnterWindowMask | LeaveWindowMask | FocusChangeMask | KeymapStateMask | ExposureMask |
                      StructureNotifyMask;
    info.info.x11.lock_func();
    XSelectInput(info.info.x11.display, info.info.x11.window, mask);
    XFlush(info.info.x11.display);
    info.info.x11.unlock_func();
}

void destroyHostWindow()
{
    if (!display)
        return;
    if (window)
        XDestroyWindow(display, window);
    window = 0;
    XSync(display, False);
    XSetErrorHandler(previousHandler);
    XCloseDisplay(display);
    display = nullptr;
}

void resizeHostWindow(int width, int height)
{
    if (!window || width <= 0 || height <= 0)
        return;
    XResizeWindow(display, window, static_cast<unsigned>(width), static_cast<unsigned>(height));
    XLowerWindow(display, window);
    XSync(display, False);
    placeKnown = false;
}

int hostWindowConnection() { return display ? ConnectionNumber(display) : -1; }

void drainHostWindowEvents()
{
    if (!display)
        return;
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == ConfigureNotify && event.xconfigure.window != window) {
            screenW = event.xconfigure.width; // the root window: a new screen size
            screenH = event.xconfigure.height;
        } else if (event.type == ConfigureNotify || event.type == ReparentNotify || event.type == MapNotify ||
                   event.type == GravityNotify ||
                   (event.type == PropertyNotify && event.xproperty.atom == frameExtentsAtom)) {
            placeKnown = false;
        }
    }
}

namespace {

// A motion event at the pointer's place in the window, as Windows sends after a move; only
// while the pointer is over the window or a button holds it there.
void reportPointerInWindow(int windowX, int windowY)
{
    ::Window root = 0, child = 0;
    int rootX = 0, rootY = 0, inX = 0, inY = 0;
    unsigned int state = 0;
    XWindowAttributes attributes;
    if (!XQueryPointer(display, window, &root, &child, &rootX, &rootY, &inX, &inY, &state) ||
        !XGetWindowAttributes(display, window, &attributes))
        return;
    const int x = rootX - windowX, y = rootY - windowY;
    const bool over = x >= 0 && y >= 0 && x < attributes.width && y < attributes.height;
    const unsigned int buttons = Button1Mask | Button2Mask | Button3Mask | Button4Mask | Button5Mask;
    if (!over && !(state & buttons))
        return;
    XEvent event = {};
    event.xmotion.type = MotionNotify;
    event.xmotion.display = display;
    event.xmotion.window = window;
    event.xmotion.root = root;
    event.xmotion.subwindow = 0;
    event.xmotion.time = CurrentTime;
    event.xmotion.x = x;
    event.xmotion.y = y;
    event.xmotion.x_root = rootX;
    event.xmotion.y_root = rootY;
    event.xmotion.state = state;
    event.xmotion.is_hint = NotifyNormal;
    event.xmotion.same_screen = True;
    XSendEvent(display, window, False, PointerMotionMask, &event);
    XFlush(display);
}

} // namespace

void moveHostWindow(int x, int y)
{
    if (!window)
        return;
    XMoveWindow(display, window, x, y);
    XLowerWindow(display, window);
    XSync(display, False);
    placeKnown = false;
    // A window manager carries the move out a moment later: give it up to 20 ms, so that
    // the caller, like one of SetWindowPos, mostly finds the window in its new place.
    int nowX = 0, nowY = 0;
    for (int wait = 0; wait < 20 && hostWindowPosition(nowX, nowY) && (nowX != x || nowY != y); ++wait)
        sleepMs(1);
    int originX = 0, originY = 0;
    if (clientOrigin(originX, originY) && (originX != reportedX || originY != reportedY)) {
        reportedX = originX;
        reportedY = originY;
        reportPointerInWindow(originX, originY);
    }
}

bool hostWindowPosition(int& x, int& y)
{
    if (!window)
        return false;
    drainHostWindowEvents();
    if (!placeKnown) {
        int left = 0, top = 0;
        if (!clientOrigin(left, top))
            return false;
        // A window manager that frames the window anyway places the frame where it was asked.
        int frameLeft = 0, frameTop = 0;
        frameExtents(frameLeft, frameTop);
        placeX = left - frameLeft;
        placeY = top - frameTop;
        placeKnown = true;
    }
    x = placeX;
    y = placeY;
    return true;
}

void setHostWindowOpacity(std::uint8_t alpha)
{
    if (!window)
        return;
    setCardinal("_NET_WM_WINDOW_OPACITY", static_cast<unsigned long>(0xFFFFFFFFul * alpha / 255));
    XFlush(display);
}

void setHostWindowColorKey(std::uint8_t, std::uint8_t, std::uint8_t)
{
    // The key is kept by the caller; the window itself shows opaque.
    setHostWindowOpacity(255);
}

void removeHostWindowLayering()
{
    if (!window)
        return;
    XDeleteProperty(display, window, atom("_NET_WM_WINDOW_OPACITY"));
    XFlush(display);
}

void focusHostWindow()
{
    if (!window)
        return;
    XSetInputFocus(display, window, RevertToParent, CurrentTime);
    XSync(display, False);
    windowErrorSeen = false;
}

bool pointerPosition(int& x, int& y)
{
    if (!display)
        return false;
    ::Window root = 0, child = 0;
    int rootX = 0, rootY = 0, winX = 0, winY = 0;
    unsigned int buttons = 0;
    if (!XQueryPointer(display, DefaultRootWindow(display), &root, &child, &rootX, &rootY, &winX, &winY, &buttons))
        return false;
    x = rootX;
    y = rootY;
    return true;
}

int screenWidth()
{
    drainHostWindowEvents();
    return display ? screenW : 0;
}

int screenHeight()
{
    drainHostWindowEvents();
    return display ? screenH : 0;
}

} // namespace os
