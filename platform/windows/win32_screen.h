#pragma once

#include "platform/geometry.h"
#include "platform/screen.h"

namespace tavlo {

// The monitors of the desktop (EnumDisplayMonitors, GetMonitorInfoW), the
// primary one first, each in twips at its own DPI.
class Win32Screen final : public Screen {
public:
    TwipSize primarySize() const override;
    std::vector<TwipRect> screens() const override;
};

// A monitor's pixels in twips: 1440 twips an inch at `dpi` pixels an inch;
// a DPI of 0 (unknown) counts as Windows' 96.
TwipRect twipsAtDpi(const PixelRect& pixels, unsigned dpi);

}  // namespace tavlo
