#pragma once

#include <QImage>
#include <QRegion>

#include "display/gadget_view.h"
#include "platform/desktop_window.h"

namespace tavlo {

class RenderCache;

// What lies behind the drawing: the colour key itself (with hard edges, so
// that a shape can cut out every non-key pixel), or nothing (with smooth
// edges, for a compositor to blend with the wallpaper).
enum class Backdrop { ColourKey, Transparent };

// Paints everything the view shows into an image of the window's size at
// the given device pixel ratio.
QImage renderGadget(const GadgetView& view, RenderCache& cache, qreal devicePixelRatio, Backdrop backdrop);

// Paints again, into an image that showed an earlier view, only the part
// `area` (device-independent pixels): the backdrop, then every element that
// meets it.
void repaintGadget(QImage& image, const GadgetView& view, RenderCache& cache, Backdrop backdrop, const QRegion& area);

// The part of the window, in device-independent pixels, whose drawing differs
// between two views: what a repaint has to cover.
QRegion changedArea(const GadgetView& before, const GadgetView& after);

// Makes every pixel of exactly the key colour fully transparent, within
// `area` (device-independent pixels) or in the whole image.
void clearKeyPixels(QImage& image, Colour key, const QRegion& area = {});

// The mask of every pixel that shows something, in device pixels: what a
// shaped window keeps. Over the colour key that is every pixel of another
// colour; over nothing, every pixel that is not fully transparent.
WindowShape shapeOf(const QImage& image, Colour key, Backdrop backdrop = Backdrop::ColourKey);

// Brings a shape up to date with the rows of `image` that `area`
// (device-independent pixels) meets, or with every row when `area` is empty
// or the shape is of another size.
void updateShape(
    WindowShape& shape, const QImage& image, Colour key, const QRegion& area, Backdrop backdrop = Backdrop::ColourKey);

// Keeps every pixel of a rectangle of device pixels: where child widgets sit.
void keepRect(WindowShape& shape, const QRect& rect);

}  // namespace tavlo
