#include "shell/win32/icon_pixels.h"

#include <algorithm>
#include <cmath>

#include "display/app_icon.h"

namespace tavlo {
namespace {

constexpr int kSamples = 4;

bool inRect(double x, double y, double left, double top, double right, double bottom)
{
    return x >= left && x < right && y >= top && y < bottom;
}

// Whether the point (x, y), in pixels, lies on the shape at `side` pixels.
bool covers(const IconShape& shape, double x, double y, double side)
{
    const double left = shape.x * side, top = shape.y * side;
    const double right = left + shape.width * side, bottom = top + shape.height * side;
    switch (shape.kind) {
    case IconShape::Kind::Rect:
        return inRect(x, y, left, top, right, bottom);
    case IconShape::Kind::Ellipse: {
        const double rx = (right - left) / 2, ry = (bottom - top) / 2;
        const double dx = (x - left - rx) / rx, dy = (y - top - ry) / ry;
        return dx * dx + dy * dy <= 1;
    }
    case IconShape::Kind::RoundedRect: {
        if (!inRect(x, y, left, top, right, bottom))
            return false;
        const double radius = shape.radius * side;
        const double cx = std::clamp(x, left + radius, right - radius);
        const double cy = std::clamp(y, top + radius, bottom - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    }
    case IconShape::Kind::Outline: {
        // A line of the stroke's width centred on the rectangle's edge.
        const double half = std::max(1.0, side * kIconStroke) / 2;
        return inRect(x, y, left - half, top - half, right + half, bottom + half)
            && !inRect(x, y, left + half, top + half, right - half, bottom - half);
    }
    }
    return false;
}

}  // namespace

std::vector<std::uint32_t> gadgetIconPixels(int side)
{
    const auto& shapes = gadgetIconShapes();
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(side) * static_cast<std::size_t>(side));
    for (int py = 0; py < side; ++py) {
        for (int px = 0; px < side; ++px) {
            double red = 0, green = 0, blue = 0;
            int covered = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = px + (sx + 0.5) / kSamples, y = py + (sy + 0.5) / kSamples;
                    // The topmost shape at the sample: shapes go back to front.
                    const auto top = std::find_if(shapes.rbegin(), shapes.rend(),
                        [&](const IconShape& shape) { return covers(shape, x, y, side); });
                    if (top == shapes.rend())
                        continue;
                    ++covered;
                    red += (top->rgb >> 16) & 0xFF;
                    green += (top->rgb >> 8) & 0xFF;
                    blue += top->rgb & 0xFF;
                }
            }
            if (covered == 0)
                continue;
            const auto channel
                = [covered](double sum) { return static_cast<std::uint32_t>(std::lround(sum / covered)); };
            const auto alpha = static_cast<std::uint32_t>(covered * 255 / (kSamples * kSamples));
            pixels[static_cast<std::size_t>(py) * static_cast<std::size_t>(side) + static_cast<std::size_t>(px)]
                = alpha << 24 | channel(red) << 16 | channel(green) << 8 | channel(blue);
        }
    }
    return pixels;
}

}  // namespace tavlo
