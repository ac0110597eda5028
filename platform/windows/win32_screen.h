#pragma once

#include <windows.h>

#include <span>
#include <vector>

#include "platform/geometry.h"
#include "platform/screen.h"

namespace tavlo {

// The monitors of the desktop (EnumDisplayMonitors, GetMonitorInfoW), the
// primary one first, in twips at the system's DPI.
class Win32Screen final : public Screen {
public:
    TwipSize primarySize() const override;
    std::vector<TwipRect> screens() const override;
};

// The DPI of the program's pixels: GetDpiForSystem where the system has it
// (Windows 10 from 1607 on), else the screen's logical pixels an inch; 0
// (Windows' 96) when neither answers.
unsigned systemDpi();

// The DPI of the monitor `window` stands on, as a per-monitor program sees
// it: GetDpiForWindow where the system has it (Windows 10 from 1607 on),
// else 0 (unknown).
unsigned windowDpi(HWND window);

// A monitor as the system places it on the desktop, in the program's pixels.
struct MonitorArea {
    PixelRect pixels;
    bool primary = false;
};

// A monitor's pixels in twips: 1440 twips an inch at `dpi` pixels an inch;
// a DPI of 0 (unknown) counts as Windows' 96.
TwipRect twipsAtDpi(const PixelRect& pixels, unsigned dpi);

// The desktop in twips, the primary monitor first. The system places every
// monitor in one space of pixels whatever each monitor's own scale, so every
// one is converted at the one `dpi`: monitors that touch in pixels touch in
// twips.
std::vector<TwipRect> desktopInTwips(std::span<const MonitorArea> monitors, unsigned dpi);

}  // namespace tavlo
