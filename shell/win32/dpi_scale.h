#pragma once

#include "platform/geometry.h"

namespace tavlo {

// The window system's pixels at the system's DPI: 1440 / dpi twips each, so
// 15 at Windows' 96 and 10 at 144 (150 %). The gadget's places and sizes
// are twips; this turns them into what Win32 takes.
class DpiScale {
public:
    // A DPI of 0 (unknown) counts as Windows' 96.
    explicit DpiScale(unsigned dpi) : dpi_(dpi == 0 ? 96 : dpi) {}

    unsigned dpi() const { return dpi_; }
    double exact(double twips) const { return twips * dpi_ / 1440; }
    // The nearest whole pixel, halves away from zero.
    int whole(double twips) const;
    // A rectangle's edges each to the nearest pixel, so that rectangles that
    // touch in twips touch in pixels.
    PixelRect whole(const TwipRect& rect) const;
    // A font's height in pixels for a size in points.
    int fontPixels(double points) const;

private:
    unsigned dpi_;
};

// The gadget window's rectangle in pixels. Its corner turns at the
// desktop's DPI, the one the screen's twips are measured at, so that the
// window stays where its twips put it whatever the DPI of the monitor it
// stands on; its size turns at the window's own DPI, at which it is drawn.
PixelRect windowPlace(const TwipRect& window, DpiScale desktop, DpiScale own);

}  // namespace tavlo
