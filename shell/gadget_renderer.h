#pragma once

#include <QImage>
#include <QRegion>

#include "display/gadget_view.h"

namespace tavlo {

class MoonImages;

// What lies behind the drawing: the colour key itself (with hard edges, so
// that a shape can cut out every non-key pixel), or nothing (with smooth
// edges, for a compositor to blend with the wallpaper).
enum class Backdrop { ColourKey, Transparent };

// Paints everything the view shows into an image of the window's size at
// the given device pixel ratio.
QImage renderGadget(const GadgetView& view, MoonImages& moons, qreal devicePixelRatio, Backdrop backdrop);

// Makes every pixel of exactly the key colour fully transparent.
void clearKeyPixels(QImage& image, Colour key);

// The region of every pixel that is not of the key colour, in
// device-independent pixels: what a shaped window keeps.
QRegion opaqueRegion(const QImage& image, Colour key);

}  // namespace tavlo
