// Desktop notifications on Windows: an icon in the notification area, owned by a hidden
// window of its own, and a balloon (NIIF_INFO) per piece of news. A click on the balloon
// reaches that window as NIN_BALLOONUSERCLICK through the thread's message queue, which SDL
// pumps in every frame, and calls the handler with the tag of the balloon last shown (a
// balloon replaces the one before it).
#include "os/Notifications.h"

#include "os/TextConversion.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>

namespace os {

namespace {

constexpr UINT iconMessage = WM_APP + 25;
constexpr UINT iconId = 1;
const wchar_t* const className = L"HolmikZivizaNotifications";

HWND owner = nullptr;
int shownTag = 0;
std::function<void(int)> actionHandler;

LRESULT CALLBACK ownerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == iconMessage) {
        if (LOWORD(lParam) == NIN_BALLOONUSERCLICK && actionHandler)
            actionHandler(shownTag);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

void copyText(wchar_t* to, std::size_t size, const std::string& text)
{
    const std::wstring wide = utf8ToUtf16(text);
    std::wcsncpy(to, wide.c_str(), size - 1);
    to[size - 1] = L'\0';
}

NOTIFYICONDATAW iconData()
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = owner;
    data.uID = iconId;
    return data;
}

} // namespace

bool startNotifications(const std::string& appName)
{
    if (owner)
        return true;
    const HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = ownerProcedure;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = className;
    if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
        std::fprintf(stderr, "%s: no window for the notification area; notifications are off\n", appName.c_str());
        return false;
    }
    // Never shown: it only receives the icon's messages.
    owner = CreateWindowExW(0, className, utf8ToUtf16(appName).c_str(), 0, 0, 0, 0, 0, nullptr, nullptr, instance,
                            nullptr);
    if (!owner) {
        std::fprintf(stderr, "%s: no window for the notification area; notifications are off\n", appName.c_str());
        return false;
    }
    NOTIFYICONDATAW data = iconData();
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = iconMessage;
    data.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
    if (!data.hIcon)
        data.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    copyText(data.szTip, sizeof data.szTip / sizeof data.szTip[0], appName);
    if (!Shell_NotifyIconW(NIM_ADD, &data)) {
        DestroyWindow(owner);
        owner = nullptr;
        std::fprintf(stderr, "%s: no notification area; notifications are off\n", appName.c_str());
        return false;
    }
    data.uVersion = NOTIFYICON_VERSION;
    Shell_NotifyIconW(NIM_SETVERSION, &data);
    return true;
}

void stopNotifications()
{
    if (!owner)
        return;
    NOTIFYICONDATAW data = iconData();
    Shell_NotifyIconW(NIM_DELETE, &data);
    DestroyWindow(owner);
    owner = nullptr;
}

bool notificationsStarted() { return owner != nullptr; }

void notify(const std::string& text, const std::string& actionLabel, int tag)
{
    (void)actionLabel; // a balloon has no buttons: the click on it is the action
    if (!owner)
        return;
    NOTIFYICONDATAW data = iconData();
    data.uFlags = NIF_INFO;
    data.dwInfoFlags = NIIF_INFO;
    wchar_t title[64];
    GetWindowTextW(owner, title, 64);
    std::wcsncpy(data.szInfoTitle, title, sizeof data.szInfoTitle / sizeof data.szInfoTitle[0] - 1);
    copyText(data.szInfo, sizeof data.szInfo / sizeof data.szInfo[0], text);
    shownTag = tag;
    Shell_NotifyIconW(NIM_MODIFY, &data);
}

void setNotificationActionHandler(std::function<void(int tag)> handler) { actionHandler = std::move(handler); }

} // namespace os
