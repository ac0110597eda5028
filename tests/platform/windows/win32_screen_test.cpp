#include "platform/windows/win32_screen.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace tavlo {
namespace {

TEST(Win32Screen, PixelsBecomeTwipsAtTheMonitorsDpi)
{
    const PixelRect monitor{-1920, 0, 1920, 1080};
    for (const auto& [dpi, twipsPerPixel] :
        {std::pair{96u, 15.0}, {120u, 12.0}, {144u, 10.0}, {192u, 7.5}, {0u, 15.0}}) {
        const TwipRect twips = twipsAtDpi(monitor, dpi);
        EXPECT_EQ(twips.left, -1920 * twipsPerPixel) << dpi;
        EXPECT_EQ(twips.top, 0) << dpi;
        EXPECT_EQ(twips.width, 1920 * twipsPerPixel) << dpi;
        EXPECT_EQ(twips.height, 1080 * twipsPerPixel) << dpi;
    }
}

// Windows places every monitor in one space of pixels, whatever scale each
// one is set to: a 4K monitor at 150 % beside a full-HD one at 100 % still
// touches it there. Converted at one DPI, they touch in twips too; at each
// monitor's own DPI they would leave gaps and overlap.
TEST(Win32Screen, MonitorsOfDifferentScalesStayAdjacentInTwips)
{
    const MonitorArea monitors[] = {
        {{-1920, 0, 1920, 1080}, false},  // 100 %, left of the primary
        {{0, 0, 2560, 1440}, true},       // 150 %
        {{2560, 0, 1920, 1080}, false},   // 100 %, right of it
        {{0, 1440, 1280, 1024}, false},   // below it
    };
    for (const unsigned dpi : {96u, 144u}) {
        const std::vector<TwipRect> desktop = desktopInTwips(monitors, dpi);
        ASSERT_EQ(desktop.size(), 4u);
        const TwipRect& primary = desktop[0];
        EXPECT_EQ(primary.left, 0) << dpi;
        EXPECT_EQ(primary.width, 2560 * 1440.0 / dpi) << dpi;
        EXPECT_EQ(desktop[1].left + desktop[1].width, primary.left) << dpi;
        EXPECT_EQ(desktop[2].left, primary.left + primary.width) << dpi;
        EXPECT_EQ(desktop[3].top, primary.top + primary.height) << dpi;
    }
}

bool hasDisplay()
{
    return GetEnvironmentVariableW(L"DISPLAY", nullptr, 0) > 0;
}

// Wine without an X display stands in one monitor of 1024 × 768 at 96 DPI;
// with one, the X screen's.
TEST(Win32Screen, ThePrimaryScreenComesFirstInTwips)
{
    const Win32Screen screen;
    const std::vector<TwipRect> screens = screen.screens();
    ASSERT_FALSE(screens.empty());
    EXPECT_EQ(screens.size(), static_cast<std::size_t>(GetSystemMetrics(SM_CMONITORS)));
    const TwipSize primary = screen.primarySize();
    EXPECT_EQ(screens.front().left, 0);
    EXPECT_EQ(screens.front().top, 0);
    EXPECT_EQ(screens.front().width, primary.width);
    EXPECT_EQ(screens.front().height, primary.height);
    // A program unaware of DPI counts 96 pixels an inch on every monitor.
    EXPECT_EQ(primary.width, GetSystemMetrics(SM_CXSCREEN) * 15.0);
    EXPECT_EQ(primary.height, GetSystemMetrics(SM_CYSCREEN) * 15.0);
    if (!hasDisplay()) {
        EXPECT_EQ(primary.width, 1024 * 15.0);
        EXPECT_EQ(primary.height, 768 * 15.0);
    }
}

TEST(Win32Screen, TheXScreensSizeWithADisplay)
{
    if (!hasDisplay())
        GTEST_SKIP() << "no X display: Wine stands in a 1024 x 768 monitor";
    // The union of the monitors is the virtual screen.
    double right = 0, bottom = 0;
    for (const TwipRect& area : Win32Screen().screens()) {
        right = std::max(right, area.left + area.width);
        bottom = std::max(bottom, area.top + area.height);
    }
    EXPECT_EQ(right, (GetSystemMetrics(SM_XVIRTUALSCREEN) + GetSystemMetrics(SM_CXVIRTUALSCREEN)) * 15.0);
    EXPECT_EQ(bottom, (GetSystemMetrics(SM_YVIRTUALSCREEN) + GetSystemMetrics(SM_CYVIRTUALSCREEN)) * 15.0);
}

}  // namespace
}  // namespace tavlo
