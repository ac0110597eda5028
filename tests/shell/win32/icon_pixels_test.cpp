#include "shell/win32/icon_pixels.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tavlo {
namespace {

constexpr std::uint32_t kTile = 0xFF202840, kMoon = 0xFFF2E6B8, kBar = 0xFFC0C0C0;

class IconAtSize : public testing::TestWithParam<int> {
protected:
    // The pixel at a fraction of the side.
    std::uint32_t at(double x, double y) const
    {
        const int side = GetParam();
        const auto column = static_cast<std::size_t>(std::floor(x * side));
        const auto row = static_cast<std::size_t>(std::floor(y * side));
        return pixels[row * static_cast<std::size_t>(side) + column];
    }

    std::vector<std::uint32_t> pixels = gadgetIconPixels(GetParam());
};

TEST_P(IconAtSize, ShowsAMoonOverABarOnANightBlueTile)
{
    ASSERT_EQ(pixels.size(), static_cast<std::size_t>(GetParam() * GetParam()));
    EXPECT_EQ(at(0.15, 0.4), kTile);
    EXPECT_EQ(at(0.65, 0.33), kMoon);
    EXPECT_EQ(at(0.3, 0.76), kBar);
    // The bar's empty part inside its outline shows the tile.
    EXPECT_EQ(at(0.76, 0.76), kTile);
}

TEST_P(IconAtSize, HasSeeThroughRoundedCornersWithSmoothEdges)
{
    // The corner pixels are at most grazed by the rounding.
    EXPECT_LT(at(0, 0) >> 24, 0x40u);
    EXPECT_LT(at(0.99, 0.99) >> 24, 0x40u);
    int partial = 0;
    for (const std::uint32_t pixel : pixels)
        partial += (pixel >> 24) > 0 && (pixel >> 24) < 255;
    EXPECT_GT(partial, 0);
}

// The small icon of the notification area at 100 % to 200 %.
INSTANTIATE_TEST_SUITE_P(Sides, IconAtSize, testing::Values(16, 20, 24, 32));

}  // namespace
}  // namespace tavlo
