#include "display/moon_picture.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace tavlo {
namespace {

// Seas of the near side, north up, in disc coordinates (x right, y down):
// centre, radius, how much darker they are. A negative darkness is a bright
// ray crater.
struct Sea {
    double x, y, radius, darkness;
};
constexpr std::array<Sea, 10> kSeas{{
    {-0.28, -0.42, 0.34, 0.26},  // Imbrium
    {0.14, -0.38, 0.22, 0.26},   // Serenitatis
    {0.34, -0.08, 0.26, 0.24},   // Tranquillitatis
    {0.70, -0.28, 0.14, 0.28},   // Crisium
    {-0.60, -0.02, 0.42, 0.22},  // Procellarum
    {-0.16, 0.34, 0.22, 0.18},   // Nubium
    {0.56, 0.16, 0.18, 0.20},    // Fecunditatis
    {0.36, 0.32, 0.12, 0.18},    // Nectaris
    {-0.44, 0.24, 0.15, 0.16},   // Humorum
    {-0.12, 0.72, 0.06, -0.30},  // Tycho
}};

double smoothstep(double edge0, double edge1, double x)
{
    const double t = std::clamp((x - edge0) / (edge1 - edge0), 0.0, 1.0);
    return t * t * (3 - 2 * t);
}

// Fine, fixed surface grain: a hash of the grid cell, smoothly interpolated.
double grain(double x, double y)
{
    const auto hash = [](int i, int j) {
        std::uint32_t h = static_cast<std::uint32_t>(i) * 374761393u + static_cast<std::uint32_t>(j) * 668265263u;
        h = (h ^ (h >> 13)) * 1274126177u;
        return static_cast<double>((h ^ (h >> 16)) & 0xFFFF) / 65535.0;
    };
    const double gx = (x + 1) * 7;
    const double gy = (y + 1) * 7;
    const int i = static_cast<int>(std::floor(gx));
    const int j = static_cast<int>(std::floor(gy));
    const double fx = smoothstep(0, 1, gx - i);
    const double fy = smoothstep(0, 1, gy - j);
    const double top = hash(i, j) + (hash(i + 1, j) - hash(i, j)) * fx;
    const double bottom = hash(i, j + 1) + (hash(i + 1, j + 1) - hash(i, j + 1)) * fx;
    return top + (bottom - top) * fy;
}

double albedo(double x, double y)
{
    double value = 0.86;
    for (const Sea& sea : kSeas) {
        const double d2 = ((x - sea.x) * (x - sea.x) + (y - sea.y) * (y - sea.y)) / (sea.radius * sea.radius);
        value -= sea.darkness * std::exp(-d2 * 1.1);
    }
    return std::clamp(value + (grain(x, y) - 0.5) * 0.12, 0.2, 1.0);
}

// The sun's angle around the moon: 0 at new moon, π at full (age 15), 2π
// again at age 29, so that 0 and 29 are the same picture.
double phaseAngle(int age)
{
    const int day = ((age % 29) + 29) % 29;
    if (day <= 15)
        return std::numbers::pi * day / 15;
    return std::numbers::pi + std::numbers::pi * (day - 15) / 14;
}

}  // namespace

MoonPicture drawMoonPicture(int age, int size)
{
    MoonPicture picture{size, std::vector<std::uint32_t>(static_cast<std::size_t>(size) * size, 0xFF000000u)};
    const double theta = phaseAngle(age);
    const double sunX = std::sin(theta);
    const double sunZ = -std::cos(theta);
    const double centre = size / 2.0;
    const double radius = size * 0.46;
    constexpr int kSamples = 3;  // per axis, for a smooth rim

    for (int py = 0; py < size; ++py) {
        for (int px = 0; px < size; ++px) {
            const double cx = (px + 0.5 - centre) / radius;
            const double cy = (py + 0.5 - centre) / radius;
            if (cx * cx + cy * cy > 1.1)
                continue;
            // The surface varies slowly: once per pixel; light and rim per sample.
            const double surface = albedo(cx, cy);
            double light = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    const double x = (px + (sx + 0.5) / kSamples - centre) / radius;
                    const double y = (py + (sy + 0.5) / kSamples - centre) / radius;
                    const double r2 = x * x + y * y;
                    if (r2 > 1)
                        continue;
                    const double z = std::sqrt(1 - r2);
                    const double facing = sunX * x + sunZ * z;
                    const double daylight = smoothstep(-0.06, 0.10, facing) * (0.55 + 0.45 * std::max(facing, 0.0));
                    const double limb = 0.78 + 0.22 * z;
                    light += surface * limb * (daylight + 0.06);
                }
            }
            const auto channel = [light](double tint) {
                return static_cast<std::uint32_t>(
                    std::floor(std::clamp(light * tint / (kSamples * kSamples), 0.0, 1.0) * 255 + 0.5));
            };
            picture.pixels[static_cast<std::size_t>(py) * static_cast<std::size_t>(size) + static_cast<std::size_t>(px)]
                = 0xFF000000u | channel(1.00) << 16 | channel(0.97) << 8 | channel(0.88);
        }
    }
    return picture;
}

}  // namespace tavlo
