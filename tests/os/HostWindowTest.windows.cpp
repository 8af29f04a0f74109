// The host window on Windows, read back with the window system's own functions: the class
// "Engine SDL Window", a layered tool window without caption or sizing frame, whole-window
// alpha and colour key, place and size at the bottom of the stack, and nothing left to answer
// once it is gone.
#include "os/HostWindow.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>
#include <windows.h>

namespace {

// Lets the window system deliver what the calls posted.
void pump()
{
    for (MSG message; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
        DispatchMessageW(&message);
}

TEST(WindowsHostWindow, ALayeredToolWindowThatSdlIsToldAbout)
{
    ASSERT_TRUE(os::createHostWindow("Engine SDL Window", "Engine", "HolmikZiviza", 100, 100, 200, 200));
    const std::string id = os::hostWindowId();
    ASSERT_TRUE(!id.empty() && id.find_first_not_of("0123456789") == std::string::npos) << "SDL_WINDOWID wants a decimal number";
    HWND hwnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoull(id)));
    ASSERT_TRUE(os::hasHostWindow() && IsWindow(hwnd));
    pump();
    // The extended style's layered and tool-window bits, the layering's flags, alpha and key.
    auto layering = [hwnd] {
        COLORREF key = 0;
        BYTE alpha = 0;
        DWORD flags = 0;
        GetLayeredWindowAttributes(hwnd, &key, &alpha, &flags);
        const LONG style = GetWindowLongW(hwnd, GWL_EXSTYLE) & (WS_EX_LAYERED | WS_EX_TOOLWINDOW);
        return std::vector<unsigned long>{static_cast<unsigned long>(style), flags, alpha, flags == LWA_COLORKEY ? key : 0};
    };
    const unsigned long layered = WS_EX_LAYERED | WS_EX_TOOLWINDOW; // a tool window has no task-bar button

    wchar_t text[64] = {};
    GetClassNameW(hwnd, text, 64);
    EXPECT_STREQ(text, L"Engine SDL Window");
    GetWindowTextW(hwnd, text, 64);
    EXPECT_STREQ(text, L"Engine");
    EXPECT_FALSE(IsWindowVisible(hwnd)) << "nothing is shown before the first frame";
    os::showHostWindow();
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_VISIBLE), WS_VISIBLE);
    EXPECT_EQ(layering(), (std::vector<unsigned long>{layered, LWA_ALPHA, 255, 0}));
    // Alpha, colour key, and neither (as while the window is dragged); the next alpha layers again.
    os::setHostWindowOpacity(100);
    EXPECT_EQ(layering(), (std::vector<unsigned long>{layered, LWA_ALPHA, 100, 0}));
    os::setHostWindowColorKey(1, 2, 3);
    EXPECT_EQ(layering()[3], RGB(1, 2, 3));
    os::removeHostWindowLayering();
    EXPECT_EQ(layering()[0], static_cast<unsigned long>(WS_EX_TOOLWINDOW));
    os::setHostWindowOpacity(50);
    EXPECT_EQ(layering(), (std::vector<unsigned long>{layered, LWA_ALPHA, 50, 0}));

    // Place and size; the placement reads the place back; without a frame the window is as
    // big as its picture.
    os::moveHostWindow(300, 200);
    os::resizeHostWindow(250, 120);
    pump();
    int x = 0, y = 0;
    ASSERT_TRUE(os::hostWindowPosition(x, y) && os::pointerPosition(x, y) && os::hostWindowPosition(x, y));
    RECT r{};
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(std::vector<LONG>({x, y, r.left, r.top, r.right, r.bottom}), std::vector<LONG>({300, 200, 300, 200, 550, 320}));
    EXPECT_EQ(std::vector<int>({os::screenWidth(), os::screenHeight()}),
              std::vector<int>({GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}));

    os::destroyHostWindow();
    pump();
    EXPECT_FALSE(os::hasHostWindow() || IsWindow(hwnd) || os::hostWindowPosition(x, y) || os::pointerPosition(x, y));
    EXPECT_TRUE(os::hostWindowId().empty());
    EXPECT_EQ(os::screenWidth(), 0);
    os::moveHostWindow(1, 1); // nothing to do, and no crash
    os::setHostWindowOpacity(1);
}

} // namespace
