// Screens on Windows: every monitor, the primary one first.
#include "os/Screens.h"

#include <windows.h>

namespace os {

namespace {

BOOL CALLBACK addMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM list)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(monitor, &info))
        return TRUE;
    auto& areas = *reinterpret_cast<std::vector<ScreenArea>*>(list);
    const RECT& r = info.rcMonitor;
    ScreenArea area;
    area.x = static_cast<int>(r.left);
    area.y = static_cast<int>(r.top);
    area.width = static_cast<int>(r.right - r.left);
    area.height = static_cast<int>(r.bottom - r.top);
    if (info.dwFlags & MONITORINFOF_PRIMARY)
        areas.insert(areas.begin(), area);
    else
        areas.push_back(area);
    return TRUE;
}

} // namespace

std::vector<ScreenArea> screenAreas()
{
    std::vector<ScreenArea> areas;
    EnumDisplayMonitors(nullptr, nullptr, &addMonitor, reinterpret_cast<LPARAM>(&areas));
    return areas;
}

} // namespace os
