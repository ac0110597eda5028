#pragma once

#include <windows.h>

#include <array>
#include <map>
#include <tuple>
#include <vector>

#include "display/gadget_view.h"
#include "shell/win32/dpi_scale.h"

namespace tavlo {

// Paints what a GadgetView shows with GDI, as the Qt shell paints it over
// the colour key: the background in the key, the moon picture, the bars in
// their frames and the labels, text without smoothing so that no pixel at
// a glyph's edge blends with the key. Keeps the fonts and the moon
// pictures it made.
class GadgetPainter {
public:
    explicit GadgetPainter(DpiScale scale) : scale_(scale) {}
    ~GadgetPainter();
    GadgetPainter(const GadgetPainter&) = delete;
    GadgetPainter& operator=(const GadgetPainter&) = delete;

    // Paints the whole window into `device`, whose origin is the window's.
    void paint(HDC device, const GadgetView& view);
    // Paints at `scale` from now on: the fonts and pictures made at the old
    // one go.
    void rescale(DpiScale scale);

private:
    HFONT font(const FontSpec& spec);
    void drawLabels(HDC device, const GadgetView& view);
    void drawBars(HDC device, const GadgetView& view);
    void drawMoon(HDC device, const GadgetView& view);

    DpiScale scale_;
    std::map<std::tuple<std::string, double, bool, bool>, HFONT> fonts_;
    // The moon at each age, drawn once at the picture's size in pixels.
    std::array<std::vector<std::uint32_t>, kMoonPictureCount> moons_;
};

}  // namespace tavlo
