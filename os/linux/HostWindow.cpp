// The host window on X11: our own display connection creates and moves the window; SDL,
// told about it through SDL_WINDOWID, draws into it through its own connection. Two things
// SDL does not do for a window it did not create: select its input, and resize it.
#include "os/HostWindow.h"

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

Atom atom(const char* name) { return XInternAtom(display, name, False); }

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

bool createHostWindow(const std::string& className, const std::string& title, int x, int y, int width, int height)
{
    if (display)
        return window != 0;
    display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    previousHandler = XSetErrorHandler(onXError);
    const int screen = DefaultScreen(display);

    XSetWindowAttributes attributes = {};
    attributes.background_pixel = WhitePixel(display, screen);
    window = XCreateWindow(display, RootWindow(display, screen), x, y, static_cast<unsigned>(width),
                           static_cast<unsigned>(height), 0, CopyFromParent, InputOutput, CopyFromParent, CWBackPixel,
                           &attributes);

    XClassHint classHint;
    std::string instance = title;
    classHint.res_name = instance.data();
    std::string windowClass = className;
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

    XMapWindow(display, window);
    XLowerWindow(display, window);
    XSync(display, False);
    waitUntilMapped();
    return true;
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
}

void moveHostWindow(int x, int y)
{
    if (!window)
        return;
    XMoveWindow(display, window, x, y);
    XLowerWindow(display, window);
    XSync(display, False);
}

bool hostWindowPosition(int& x, int& y)
{
    if (!window)
        return false;
    ::Window child = 0;
    int rootX = 0, rootY = 0;
    if (!XTranslateCoordinates(display, window, DefaultRootWindow(display), 0, 0, &rootX, &rootY, &child))
        return false;
    x = rootX;
    y = rootY;
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

int screenWidth() { return display ? DisplayWidth(display, DefaultScreen(display)) : 0; }

int screenHeight() { return display ? DisplayHeight(display, DefaultScreen(display)) : 0; }

} // namespace os
