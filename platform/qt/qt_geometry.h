#pragma once

#include <QPointF>
#include <QRect>
#include <QRectF>

#include "platform/geometry.h"

namespace tavlo {

// Twips as Qt's pixels: fractional where something is drawn, whole (by the
// one rounding rule of wholePixels) where a window or control is placed.

inline QRectF exactPixels(const TwipRect& rect)
{
    return {exactPixels(rect.left), exactPixels(rect.top), exactPixels(rect.width), exactPixels(rect.height)};
}

inline QRect wholeQRect(const TwipRect& rect)
{
    const PixelRect pixels = wholePixels(rect);
    return {pixels.x, pixels.y, pixels.width, pixels.height};
}

inline TwipRect twipsOf(const QRect& pixels)
{
    return twipsOf(PixelRect{pixels.x(), pixels.y(), pixels.width(), pixels.height()});
}

inline QPointF twipsOf(const QPointF& pixels)
{
    return pixels * kTwipsPerPixel;
}

}  // namespace tavlo
