#include "platform/geometry.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

struct PixelCase {
    double twips;
    int pixels;
};

// Places come from the settings file as any single-precision number:
// negative ones (a screen to the left), halves and fractions.
TEST(Geometry, WholePixelsRoundToTheNearestAndHalvesAwayFromZero)
{
    for (const PixelCase row :
        {PixelCase{0, 0}, PixelCase{7.4, 0}, PixelCase{7.5, 1}, PixelCase{22.5, 2}, PixelCase{3630, 242},
            PixelCase{-7.5, -1}, PixelCase{-45, -3}, PixelCase{11380, 759}, PixelCase{886.1538, 59}})
        EXPECT_EQ(wholePixels(row.twips), row.pixels) << row.twips;
}

TEST(Geometry, ARectangleRoundsEachEdgeAndComesBackAsTwips)
{
    EXPECT_EQ(wholePixels(TwipRect{360, 240, 2175, 375}), (PixelRect{24, 16, 145, 25}));
    const TwipRect back = twipsOf(PixelRect{-1024, 0, 1024, 768});
    EXPECT_EQ(back.left, -15360);
    EXPECT_EQ(back.height, 11520);
    EXPECT_DOUBLE_EQ(exactPixels(259.5), 17.3);
}

TEST(Geometry, AWindowCentresOnTheArea)
{
    EXPECT_EQ(centredOn(PixelRect{0, 0, 1024, 768}, 561, 352), (PixelRect{232, 208, 561, 352}));
    EXPECT_EQ(centredOn(PixelRect{1920, 0, 1280, 1024}, 561, 352), (PixelRect{2280, 336, 561, 352}));
}

}  // namespace
}  // namespace tavlo
