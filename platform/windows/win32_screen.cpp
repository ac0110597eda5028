#include "platform/windows/win32_screen.h"

#include <windows.h>

namespace tavlo {

unsigned systemDpi()
{
    using GetDpiForSystemFunction = UINT(WINAPI*)();
    static const auto getDpiForSystem = [] {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return user32 ? reinterpret_cast<GetDpiForSystemFunction>(
                   reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForSystem")))
                      : nullptr;
    }();
    if (getDpiForSystem)
        if (const UINT dpi = getDpiForSystem(); dpi > 0)
            return dpi;
    const HDC screen = GetDC(nullptr);
    if (!screen)
        return 0;
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<unsigned>(dpi) : 0;
}

unsigned windowDpi(HWND window)
{
    using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
    static const auto getDpiForWindow = [] {
        const HMODULE user32 = GetModuleHandleW(L"user32.dll");
        return user32 ? reinterpret_cast<GetDpiForWindowFunction>(
                   reinterpret_cast<void*>(GetProcAddress(user32, "GetDpiForWindow")))
                      : nullptr;
    }();
    return getDpiForWindow ? getDpiForWindow(window) : 0;
}

namespace {

MonitorArea areaOf(HMONITOR handle)
{
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoW(handle, &info))
        return {};
    const RECT& r = info.rcMonitor;
    return {{r.left, r.top, r.right - r.left, r.bottom - r.top}, (info.dwFlags & MONITORINFOF_PRIMARY) != 0};
}

BOOL CALLBACK addMonitor(HMONITOR handle, HDC, LPRECT, LPARAM monitors)
{
    reinterpret_cast<std::vector<MonitorArea>*>(monitors)->push_back(areaOf(handle));
    return TRUE;
}

}  // namespace

TwipRect twipsAtDpi(const PixelRect& pixels, unsigned dpi)
{
    const double twipsPerPixel = 1440.0 / (dpi == 0 ? 96 : dpi);
    return {pixels.x * twipsPerPixel, pixels.y * twipsPerPixel, pixels.width * twipsPerPixel,
        pixels.height * twipsPerPixel};
}

std::vector<TwipRect> desktopInTwips(std::span<const MonitorArea> monitors, unsigned dpi)
{
    std::vector<TwipRect> result;
    for (const MonitorArea& monitor : monitors) {
        if (monitor.primary)
            result.insert(result.begin(), twipsAtDpi(monitor.pixels, dpi));
        else
            result.push_back(twipsAtDpi(monitor.pixels, dpi));
    }
    return result;
}

TwipSize Win32Screen::primarySize() const
{
    const TwipRect primary = twipsAtDpi(areaOf(MonitorFromPoint({0, 0}, MONITOR_DEFAULTTOPRIMARY)).pixels, systemDpi());
    return {primary.width, primary.height};
}

std::vector<TwipRect> Win32Screen::screens() const
{
    std::vector<MonitorArea> monitors;
    EnumDisplayMonitors(nullptr, nullptr, addMonitor, reinterpret_cast<LPARAM>(&monitors));
    return desktopInTwips(monitors, systemDpi());
}

}  // namespace tavlo
