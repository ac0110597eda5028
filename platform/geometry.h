#pragma once

#include <cmath>

namespace tavlo {

// Every window, control and element is placed in twips (1/1440 inch); the
// window system counts device-independent pixels of 15 twips each.
inline constexpr double kTwipsPerPixel = 15;

struct TwipSize {
    double width = 0;
    double height = 0;
};

// A rectangle in twips: a screen's on the desktop, an element's in a window.
struct TwipRect {
    double left = 0;
    double top = 0;
    double width = 0;
    double height = 0;
};

// A rectangle in whole device-independent pixels.
struct PixelRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;

    bool operator==(const PixelRect&) const = default;
};

// Twips as fractional pixels, for drawing.
constexpr double exactPixels(double twips)
{
    return twips / kTwipsPerPixel;
}

// Twips to whole pixels: the nearest, halves away from zero. The one rule
// for every place and size that the window system takes.
inline int wholePixels(double twips)
{
    return static_cast<int>(std::lround(twips / kTwipsPerPixel));
}

inline PixelRect wholePixels(const TwipRect& rect)
{
    return {wholePixels(rect.left), wholePixels(rect.top), wholePixels(rect.width), wholePixels(rect.height)};
}

constexpr double twipsOf(double pixels)
{
    return pixels * kTwipsPerPixel;
}

constexpr TwipRect twipsOf(const PixelRect& rect)
{
    return {twipsOf(rect.x), twipsOf(rect.y), twipsOf(rect.width), twipsOf(rect.height)};
}

// Where a window of `width` × `height` stands centred on `area`: the middle
// of each, halves dropped.
constexpr PixelRect centredOn(const PixelRect& area, int width, int height)
{
    return {area.x + area.width / 2 - width / 2, area.y + area.height / 2 - height / 2, width, height};
}

}  // namespace tavlo
