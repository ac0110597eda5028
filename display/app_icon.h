#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace tavlo {

// One shape of the program's icon, in fractions of the icon's side.
struct IconShape {
    enum class Kind { RoundedRect, Ellipse, Rect, Outline };
    Kind kind;
    double x, y, width, height;
    double radius;      // RoundedRect: the corners' radius
    std::uint32_t rgb;  // 0xRRGGBB
};

// The icon, back to front: a moon over a bar on a night-blue tile. The
// notification area, the application menu and the package all show it.
const std::vector<IconShape>& gadgetIconShapes();

// The outline's width as a fraction of the side; at least one pixel when
// drawn small.
inline constexpr double kIconStroke = 1.0 / 24;

// The icon as a scalable SVG document of `side` units.
std::string gadgetIconSvg(int side);

}  // namespace tavlo
