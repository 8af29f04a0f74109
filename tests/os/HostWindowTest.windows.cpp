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
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

TEST(WindowsHostWindow, ALayeredToolWindowThatSdlIsToldAbout)
{
    ASSERT_TRUE(os::createHostWindow("Engine SDL Window", "Engine", 100, 100, 200, 200));
    ASSERT_TRUE(os::hasHostWindow());
    const std::string id = os::hostWindowId();
    ASSERT_TRUE(!id.empty() && id.find_first_not_of("0123456789") == std::string::npos) << "SDL_WINDOWID wants a decimal number";
    HWND hwnd = reinterpret_cast<HWND>(static_cast<UINT_PTR>(std::stoull(id)));
    ASSERT_TRUE(IsWindow(hwnd));
    pump();
    auto exStyle = [hwnd] { return GetWindowLongW(hwnd, GWL_EXSTYLE); };
    // The layering as {flags, alpha}.
    auto layering = [hwnd] {
        BYTE alpha = 0;
        DWORD flags = 0;
        GetLayeredWindowAttributes(hwnd, nullptr, &alpha, &flags);
        return std::vector<unsigned long>{flags, alpha};
    };

    wchar_t text[64] = {};
    GetClassNameW(hwnd, text, 64);
    EXPECT_STREQ(text, L"Engine SDL Window");
    GetWindowTextW(hwnd, text, 64);
    EXPECT_STREQ(text, L"Engine");
    EXPECT_EQ(exStyle() & (WS_EX_LAYERED | WS_EX_TOOLWINDOW), WS_EX_LAYERED | WS_EX_TOOLWINDOW)
        << "a tool window has no task-bar button";
    const LONG style = GetWindowLongW(hwnd, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME), 0);
    EXPECT_NE(style & WS_VISIBLE, 0);
    EXPECT_EQ(layering(), (std::vector<unsigned long>{LWA_ALPHA, 255}));

    // Alpha, colour key, and neither (as while the window is dragged).
    os::setHostWindowOpacity(100);
    EXPECT_EQ(layering(), (std::vector<unsigned long>{LWA_ALPHA, 100}));
    os::setHostWindowColorKey(1, 2, 3);
    EXPECT_EQ(layering()[0], static_cast<unsigned long>(LWA_COLORKEY));
    COLORREF key = 0;
    GetLayeredWindowAttributes(hwnd, &key, nullptr, nullptr);
    EXPECT_EQ(key, RGB(1, 2, 3));
    os::removeHostWindowLayering();
    EXPECT_EQ(exStyle() & WS_EX_LAYERED, 0);
    os::setHostWindowOpacity(50);
    EXPECT_NE(exStyle() & WS_EX_LAYERED, 0) << "layering comes back with the next alpha";
    EXPECT_EQ(layering()[1], 50u);

    // Place and size; the placement reads the place back.
    os::moveHostWindow(300, 200);
    os::resizeHostWindow(250, 120);
    pump();
    int x = 0, y = 0;
    ASSERT_TRUE(os::hostWindowPosition(x, y));
    EXPECT_EQ(x, 300);
    EXPECT_EQ(y, 200);
    RECT r{};
    GetWindowRect(hwnd, &r);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 200);
    EXPECT_EQ(r.right - r.left, 250) << "without a frame the window is as big as its picture";
    EXPECT_EQ(r.bottom - r.top, 120);
    EXPECT_TRUE(os::pointerPosition(x, y));
    EXPECT_EQ(os::screenWidth(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GT(os::screenWidth(), 0);
    EXPECT_EQ(os::screenHeight(), GetSystemMetrics(SM_CYSCREEN));

    os::destroyHostWindow();
    pump();
    EXPECT_FALSE(os::hasHostWindow());
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_TRUE(os::hostWindowId().empty());
    EXPECT_FALSE(os::hostWindowPosition(x, y));
    EXPECT_FALSE(os::pointerPosition(x, y));
    EXPECT_EQ(os::screenWidth(), 0);
    os::moveHostWindow(1, 1); // nothing to do, and no crash
    os::setHostWindowOpacity(1);
}

} // namespace
