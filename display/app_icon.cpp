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
    const auto attribute
        = [](const char* name, const std::string& value) { return std::string(" ") + name + R"(=")" + value + R"(")"; };
    const std::string whole = std::to_string(side);
    std::string svg = "<svg" + attribute("xmlns", "http://www.w3.org/2000/svg") + attribute("width", whole)
        + attribute("height", whole) + attribute("viewBox", "0 0 " + whole + " " + whole) + ">\n";
    for (const IconShape& shape : gadgetIconShapes()) {
        const std::string box = attribute("x", number(shape.x)) + attribute("y", number(shape.y))
            + attribute("width", number(shape.width)) + attribute("height", number(shape.height));
        switch (shape.kind) {
        case IconShape::Kind::RoundedRect:
            svg += "  <rect" + box + attribute("rx", number(shape.radius)) + attribute("fill", colour(shape.rgb));
            break;
        case IconShape::Kind::Ellipse:
            svg += "  <ellipse" + attribute("cx", number(shape.x + shape.width / 2))
                + attribute("cy", number(shape.y + shape.height / 2)) + attribute("rx", number(shape.width / 2))
                + attribute("ry", number(shape.height / 2)) + attribute("fill", colour(shape.rgb));
            break;
        case IconShape::Kind::Rect:
            svg += "  <rect" + box + attribute("fill", colour(shape.rgb));
            break;
        case IconShape::Kind::Outline:
            svg += "  <rect" + box + attribute("fill", "none") + attribute("stroke", colour(shape.rgb))
                + attribute("stroke-width", number(kIconStroke));
            break;
        }
        svg += "/>\n";
    }
    return svg + "</svg>\n";
}

}  // namespace tavlo
