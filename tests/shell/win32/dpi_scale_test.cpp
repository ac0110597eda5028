#include "shell/win32/dpi_scale.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

struct WindowRow {
    unsigned dpi;
    int width, height;  // of the 3630 x 3555 twips window
    int fontPixels;     // of the default 9 points
};

class WindowAtDpi : public testing::TestWithParam<WindowRow> {};

TEST_P(WindowAtDpi, TakesTheSizeOfItsTwipsAtTheSystemDpi)
{
    const DpiScale scale(GetParam().dpi);
    EXPECT_EQ(scale.whole(3630), GetParam().width);
    EXPECT_EQ(scale.whole(3555), GetParam().height);
    EXPECT_EQ(scale.fontPixels(9), GetParam().fontPixels);
}

// 1440 / dpi twips a pixel: 15 at 100 %, 12 at 125 %, 10 at 150 %, 7.5 at
// 200 %; an unknown DPI (0) is Windows' 96. 3630 / 12 = 302.5 rounds away
// from zero.
INSTANTIATE_TEST_SUITE_P(Scales, WindowAtDpi,
    testing::Values(WindowRow{96, 242, 237, 12}, WindowRow{120, 303, 296, 15}, WindowRow{144, 363, 356, 18},
        WindowRow{192, 484, 474, 24}, WindowRow{0, 242, 237, 12}));

TEST(DpiScale, KeepsRectanglesThatTouchInTwipsTouchingInPixels)
{
    // The bars' frames and the readouts beside them at 125 %, where few
    // twips are whole pixels.
    for (const unsigned dpi : {96u, 120u, 144u, 168u}) {
        const DpiScale scale(dpi);
        const PixelRect bar = scale.whole(TwipRect{720, 1200, 2595, 255});
        const PixelRect beside = scale.whole(TwipRect{720 + 2595, 1200 + 255, 615, 255});
        EXPECT_EQ(bar.x + bar.width, beside.x) << dpi;
        EXPECT_EQ(bar.y + bar.height, beside.y) << dpi;
    }
}

TEST(DpiScale, PlacesTheWindowAtTheFirstRunPlace)
{
    // The default place on a 1024 x 768 screen: left 15360 - 3630 - 350
    // twips, top 11520 / 13 twips.
    const DpiScale scale(96);
    EXPECT_EQ(scale.whole(15360.0 - 3630 - 350), 759);
    EXPECT_EQ(scale.whole(11520.0 / 13), 59);
}

struct PlaceRow {
    const char* name;
    unsigned desktopDpi, ownDpi;
    PixelRect place;
};

class WindowPlace : public testing::TestWithParam<PlaceRow> {};

TEST_P(WindowPlace, KeepsItsCornerAtTheDesktopDpiAndTakesItsSizeFromItsOwn)
{
    // The first-run place on a 1024 x 768 screen at 96 DPI, in twips.
    const TwipRect window{15360.0 - 3630 - 350, 11520.0 / 13, 3630, 3555};
    const PlaceRow row = GetParam();
    EXPECT_EQ(windowPlace(window, DpiScale(row.desktopDpi), DpiScale(row.ownDpi)), row.place);
}

// A monitor at 150 % or 200 % beside a primary one at 100 %: the window
// grows where it stands rather than jumping to 1.5 or 2 times its place;
// a 100 % monitor beside a 150 % primary one shrinks it in place.
INSTANTIATE_TEST_SUITE_P(Monitors, WindowPlace,
    testing::Values(PlaceRow{"Same", 96, 96, {759, 59, 242, 237}}, PlaceRow{"Larger", 96, 144, {759, 59, 363, 356}},
        PlaceRow{"Double", 96, 192, {759, 59, 484, 474}}, PlaceRow{"Smaller", 144, 96, {1138, 89, 242, 237}}),
    [](const testing::TestParamInfo<PlaceRow>& row) { return std::string(row.param.name); });

}  // namespace
}  // namespace tavlo
