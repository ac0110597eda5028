#include "platform/windows/win32_screen.h"

#include <windows.h>

#include <shellscalingapi.h>

namespace tavlo {
namespace {

struct Monitor {
    TwipRect area;
    bool primary = false;
};

Monitor monitorOf(HMONITOR handle)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(handle, &info))
        return {};
    // A program unaware of DPI is told 96 and the monitor's scaled pixels.
    UINT dpiX = 0, dpiY = 0;
    if (FAILED(GetDpiForMonitor(handle, MDT_EFFECTIVE_DPI, &dpiX, &dpiY)))
        dpiX = 0;
    const RECT& r = info.rcMonitor;
    return {twipsAtDpi({r.left, r.top, r.right - r.left, r.bottom - r.top}, dpiX),
        (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
}

BOOL CALLBACK addMonitor(HMONITOR handle, HDC, LPRECT, LPARAM monitors)
{
    reinterpret_cast<std::vector<Monitor>*>(monitors)->push_back(monitorOf(handle));
    return TRUE;
}

}  // namespace

TwipRect twipsAtDpi(const PixelRect& pixels, unsigned dpi)
{
    const double twipsPerPixel = 1440.0 / (dpi == 0 ? 96 : dpi);
    return {pixels.x * twipsPerPixel, pixels.y * twipsPerPixel, pixels.width * twipsPerPixel,
        pixels.height * twipsPerPixel};
}

TwipSize Win32Screen::primarySize() const
{
    const Monitor primary = monitorOf(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY));
    return {primary.area.width, primary.area.height};
}

std::vector<TwipRect> Win32Screen::screens() const
{
    std::vector<Monitor> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    std::vector<TwipRect> result;
    for (const Monitor& monitor : monitors) {
        if (monitor.primary)
            result.insert(result.begin(), monitor.area);
        else
            result.push_back(monitor.area);
    }
    return result;
}

}  // namespace tavlo
