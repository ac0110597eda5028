#include "display/moon_picture.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace tavlo {
namespace {

constexpr int kSize = 53;

double brightness(std::uint32_t pixel)
{
    return (((pixel >> 16) & 0xFF) + ((pixel >> 8) & 0xFF) + (pixel & 0xFF)) / (3.0 * 255);
}

// Sunlight on the picture (brightness above the faint earthshine), and the
// share of it right of the centre.
struct Light {
    double total = 0;
    double rightShare = 0;
};

Light lightOf(const MoonPicture& picture)
{
    double total = 0;
    double right = 0;
    for (int y = 0; y < picture.size; ++y) {
        for (int x = 0; x < picture.size; ++x) {
            const double sun = std::max(0.0, brightness(picture.at(x, y)) - 0.1);
            total += sun;
            right += x > picture.size / 2 ? sun : 0;
        }
    }
    return {total, total > 0 ? right / total : 0};
}

TEST(MoonPicture, LitShareRisesToTheFullMoonAndFallsAfter)
{
    double previous = -1;
    for (int age = 0; age <= 15; ++age) {
        const double share = lightOf(drawMoonPicture(age, kSize)).total;
        EXPECT_GT(share, previous) << "age " << age;
        previous = share;
    }
    for (int age = 16; age <= 29; ++age) {
        const double share = lightOf(drawMoonPicture(age, kSize)).total;
        EXPECT_LT(share, previous) << "age " << age;
        previous = share;
    }
}

TEST(MoonPicture, WaxingIsLitOnTheRightAndWaningOnTheLeft)
{
    for (int age : {1, 3, 7})
        EXPECT_GT(lightOf(drawMoonPicture(age, kSize)).rightShare, 0.9) << "age " << age;
    EXPECT_GT(lightOf(drawMoonPicture(11, kSize)).rightShare, 0.55);
    EXPECT_LT(lightOf(drawMoonPicture(19, kSize)).rightShare, 0.45);
    for (int age : {22, 26, 28})
        EXPECT_LT(lightOf(drawMoonPicture(age, kSize)).rightShare, 0.1) << "age " << age;
}

TEST(MoonPicture, NewMoonIsDarkAndTheSameAtZeroAndTwentyNine)
{
    const MoonPicture first = drawMoonPicture(0, kSize);
    EXPECT_EQ(first.pixels, drawMoonPicture(29, kSize).pixels);
    EXPECT_EQ(lightOf(first).total, 0);
    // Earthshine: the disc is faintly there, the corners are black.
    EXPECT_GT(brightness(first.at(kSize / 2, kSize / 2)), 0.02);
    EXPECT_EQ(first.at(0, 0), 0xFF000000u);
}

TEST(MoonPicture, TheFullMoonHasSurfaceAndShading)
{
    const MoonPicture full = drawMoonPicture(15, kSize);
    double darkest = 1;
    double brightest = 0;
    for (int x = 12; x < 41; ++x) {
        darkest = std::min(darkest, brightness(full.at(x, 20)));
        brightest = std::max(brightest, brightness(full.at(x, 20)));
    }
    EXPECT_GT(brightest - darkest, 0.12);  // seas are darker than highlands
    EXPECT_LT(brightness(full.at(2, kSize / 2)), brightness(full.at(kSize / 2, kSize / 2)));  // limb
}

TEST(MoonPicture, DrawsAtAnySize)
{
    EXPECT_EQ(drawMoonPicture(7, 106).pixels.size(), 106u * 106u);
}

}  // namespace
}  // namespace tavlo
