#include "display/app_icon.h"

#include <cstdio>

namespace tavlo {

const std::vector<IconShape>& gadgetIconShapes()
{
    using Kind = IconShape::Kind;
    static const std::vector<IconShape> shapes{
        {Kind::RoundedRect, 0, 0, 1, 1, 0.18, 0x202840},
        {Kind::Ellipse, 0.42, 0.10, 0.46, 0.46, 0, 0xF2E6B8},
        {Kind::Rect, 0.12, 0.68, 0.52, 0.16, 0, 0xC0C0C0},
        {Kind::Outline, 0.12, 0.68, 0.76, 0.16, 0, 0xC0C0C0},
    };
    return shapes;
}

std::string gadgetIconSvg(int side)
{
    const auto number = [side](double fraction) {
        char text[32];
        std::snprintf(text, sizeof text, "%g", fraction * side);
        return std::string(text);
    };
    const auto colour = [](std::uint32_t rgb) {
        char text[8];
        std::snprintf(text, sizeof text, "#%06X", static_cast<unsigned>(rgb));
        return std::string(text);
    };
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(side) + "\" height=\""
        + std::to_string(side) + "\" viewBox=\"0 0 " + std::to_string(side) + " " + std::to_string(side) + "\">\n";
    for (const IconShape& shape : gadgetIconShapes()) {
        const std::string box = "x=\"" + number(shape.x) + "\" y=\"" + number(shape.y) + "\" width=\""
            + number(shape.width) + "\" height=\"" + number(shape.height) + "\"";
        switch (shape.kind) {
        case IconShape::Kind::RoundedRect:
            svg += "  <rect " + box + " rx=\"" + number(shape.radius) + "\" fill=\"" + colour(shape.rgb) + "\"/>\n";
            break;
        case IconShape::Kind::Ellipse:
            svg += "  <ellipse cx=\"" + number(shape.x + shape.width / 2) + "\" cy=\""
                + number(shape.y + shape.height / 2) + "\" rx=\"" + number(shape.width / 2) + "\" ry=\""
                + number(shape.height / 2) + "\" fill=\"" + colour(shape.rgb) + "\"/>\n";
            break;
        case IconShape::Kind::Rect:
            svg += "  <rect " + box + " fill=\"" + colour(shape.rgb) + "\"/>\n";
            break;
        case IconShape::Kind::Outline:
            svg += "  <rect " + box + " fill=\"none\" stroke=\"" + colour(shape.rgb) + "\" stroke-width=\""
                + number(kIconStroke) + "\"/>\n";
            break;
        }
    }
    return svg + "</svg>\n";
}

}  // namespace tavlo
