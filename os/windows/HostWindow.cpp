// The host window on Windows: the class "Engine SDL Window" (RegisterClassExW) and a
// layered tool window (CreateWindowExW with WS_EX_LAYERED | WS_EX_TOOLWINDOW, caption and
// sizing frame cleared with SetWindowLongW) that SDL draws into through SDL_WINDOWID.
// SetLayeredWindowAttributes gives the alpha or the colour key, SetWindowPos with
// HWND_BOTTOM moves and sizes it, GetWindowPlacement reads the place back, GetCursorPos,
// SetFocus and GetSystemMetrics answer the rest. SDL subclasses the window itself and
// hears its input, so there is nothing to attach.
#include "os/HostWindow.h"

#include "os/TextConversion.h"

#include <windows.h>

namespace os {

namespace {

HWND window = nullptr;
std::wstring registeredClass;

LRESULT CALLBACK windowProcedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    case WM_PAINT: {
        // SDL repaints the contents.
        PAINTSTRUCT paint;
        BeginPaint(hwnd, &paint);
        EndPaint(hwnd, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(hwnd, message, wParam, lParam);
    }
}

void setLayeredStyle(bool on)
{
    const LONG style = GetWindowLongW(window, GWL_EXSTYLE);
    const LONG wanted = on ? (style | WS_EX_LAYERED) : (style & ~WS_EX_LAYERED);
    if (wanted != style)
        SetWindowLongW(window, GWL_EXSTYLE, wanted);
}

} // namespace

bool createHostWindow(const std::string& className, const std::string& title, const std::string&, int x, int y,
                      int width, int height)
{
    if (window)
        return true;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    registeredClass = utf8ToUtf16(className);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.cbClsExtra = 0;
    windowClass.cbWndExtra = 0;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    windowClass.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszMenuName = nullptr;
    windowClass.lpszClassName = registeredClass.c_str();
    windowClass.hIconSm = nullptr;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return false;

    // 0x00080080: a layered tool window, which has no task-bar button.
    window = CreateWindowExW(WS_EX_LAYERED | WS_EX_TOOLWINDOW, registeredClass.c_str(), utf8ToUtf16(title).c_str(), 0,
                             x, y, width, height, nullptr, nullptr, instance, nullptr);
    if (!window)
        return false;
    // No caption and no sizing frame (0x00C40000).
    const LONG style = GetWindowLongW(window, GWL_STYLE);
    SetWindowLongW(window, GWL_STYLE, style & ~(WS_CAPTION | WS_THICKFRAME));
    SetLayeredWindowAttributes(window, 0, 255, LWA_ALPHA);
    return true;
}

void showHostWindow()
{
    if (window && !IsWindowVisible(window))
        ShowWindow(window, SW_SHOWNOACTIVATE);
}

bool hasHostWindow() { return window != nullptr; }

std::string hostWindowId()
{
    return window ? std::to_string(static_cast<unsigned long long>(reinterpret_cast<UINT_PTR>(window))) : std::string();
}

void attachHostWindowInput() {}

void destroyHostWindow()
{
    if (!window)
        return;
    DestroyWindow(window);
    window = nullptr;
    PostQuitMessage(0);
}

void resizeHostWindow(int width, int height)
{
    if (!window || width <= 0 || height <= 0)
        return;
    SetWindowPos(window, HWND_BOTTOM, 0, 0, width, height, SWP_NOMOVE | SWP_NOACTIVATE);
}

void moveHostWindow(int x, int y)
{
    if (!window)
        return;
    SetWindowPos(window, HWND_BOTTOM, x, y, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
}

bool hostWindowPosition(int& x, int& y)
{
    if (!window)
        return false;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!GetWindowPlacement(window, &placement))
        return false;
    x = placement.rcNormalPosition.left;
    y = placement.rcNormalPosition.top;
    return true;
}

void setHostWindowOpacity(std::uint8_t alpha)
{
    if (!window)
        return;
    setLayeredStyle(true);
    SetLayeredWindowAttributes(window, 0, alpha, LWA_ALPHA);
}

void setHostWindowColorKey(std::uint8_t r, std::uint8_t g, std::uint8_t b)
{
    if (!window)
        return;
    setLayeredStyle(true);
    SetLayeredWindowAttributes(window, RGB(r, g, b), 255, LWA_COLORKEY);
}

void removeHostWindowLayering()
{
    if (window)
        setLayeredStyle(false);
}

void focusHostWindow()
{
    if (window)
        SetFocus(window);
}

bool pointerPosition(int& x, int& y)
{
    if (!window)
        return false;
    POINT point{};
    if (!GetCursorPos(&point))
        return false;
    x = point.x;
    y = point.y;
    return true;
}

int screenWidth() { return window ? GetSystemMetrics(SM_CXSCREEN) : 0; }

int screenHeight() { return window ? GetSystemMetrics(SM_CYSCREEN) : 0; }

} // namespace os
