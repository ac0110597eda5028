#include "shell/win32/strip_pointer.h"

#include <gtest/gtest.h>

#include "display/window_place.h"

namespace tavlo {
namespace {

using Kind = StripEvent::Kind;

constexpr unsigned kDpis[] = {96, 120, 144, 192};
constexpr StripPart kParts[] = {StripPart::PstnMove, StripPart::cmdPstnSave, StripPart::cmdFstPstn};

// A point inside `rect`, `dx` and `dy` pixels from its corner.
struct At {
    int x, y;
};

At inside(const PixelRect& rect, int dx = 2, int dy = 2)
{
    return {rect.x + dx, rect.y + dy};
}

TEST(StripPlaces, LieInTheUncoveredBandApartFromEachOtherAtEveryScale)
{
    for (const unsigned dpi : kDpis) {
        const DpiScale scale(dpi);
        const StripPlaces places(scale);
        for (const StripPart part : kParts) {
            const PixelRect rect = places.of(part);
            EXPECT_GE(rect.y, scale.whole(kNormalHeight)) << dpi;
            EXPECT_LE(rect.y + rect.height, scale.whole(kPositionModeHeight)) << dpi;
            EXPECT_LE(rect.x + rect.width, scale.whole(kWindowWidth)) << dpi;
            // Every pixel of a control is that control's, and no other's.
            EXPECT_EQ(places.partAt(rect.x, rect.y), part) << dpi;
            EXPECT_EQ(places.partAt(rect.x + rect.width - 1, rect.y + rect.height - 1), part) << dpi;
        }
        EXPECT_EQ(places.partAt(0, scale.whole(kNormalHeight)), std::nullopt) << dpi;
    }
}

struct HandleRow {
    unsigned dpi;
    int dx, dy;   // pixels from the handle's corner
    double x, y;  // twips the handlers hear
};

class HandleAtDpi : public testing::TestWithParam<HandleRow> {};

TEST_P(HandleAtDpi, ReportsThePointerInTwipsFromItsCornerWhileHeld)
{
    const HandleRow row = GetParam();
    StripPointer pointer{DpiScale(row.dpi), DpiScale(row.dpi)};
    const PixelRect handle = pointer.places().PstnMove;
    const At at = inside(handle, row.dx, row.dy);

    EXPECT_EQ(pointer.press(at.x, at.y, 1), (StripEvent{Kind::HandleDown, StripPart::PstnMove, 1, row.x, row.y}));
    EXPECT_TRUE(pointer.holding());
    // Dragged far off the strip, even above the window: still the handle's.
    const At away{handle.x - 300, handle.y - 400};
    const std::optional<StripEvent> moved = pointer.move(away.x, away.y, 1);
    ASSERT_TRUE(moved);
    EXPECT_EQ(moved->kind, Kind::HandleMove);
    EXPECT_DOUBLE_EQ(moved->x, -300 * 1440.0 / row.dpi);
    EXPECT_DOUBLE_EQ(moved->y, -400 * 1440.0 / row.dpi);

    EXPECT_EQ(pointer.release(away.x, away.y), std::nullopt);
    EXPECT_FALSE(pointer.holding());
    EXPECT_EQ(pointer.move(at.x, at.y, 0), std::nullopt);
}

// 15 twips a pixel at 96 DPI, 12 at 120, 10 at 144, 7.5 at 192.
INSTANTIATE_TEST_SUITE_P(Scales, HandleAtDpi,
    testing::Values(HandleRow{96, 16, 16, 240, 240}, HandleRow{120, 3, 5, 36, 60}, HandleRow{144, 0, 31, 0, 310},
        HandleRow{192, 21, 2, 157.5, 15}));

TEST(StripPointer, MovesTheWindowAsFarAsThePointerOnAMonitorOfItsOwnDpi)
{
    // Drawn at 150 % on a monitor beside a 100 % primary one: 30 pixels of
    // the pointer are 450 twips, which place the window 30 pixels further.
    StripPointer pointer{DpiScale(144), DpiScale(96)};
    const PixelRect handle = pointer.places().PstnMove;
    const std::optional<StripEvent> pressed = pointer.press(handle.x + 5, handle.y + 5, 1);
    const std::optional<StripEvent> moved = pointer.move(handle.x + 35, handle.y + 25, 1);
    ASSERT_TRUE(pressed && moved);
    EXPECT_DOUBLE_EQ(moved->x - pressed->x, 450);
    EXPECT_DOUBLE_EQ(moved->y - pressed->y, 300);
    EXPECT_EQ(windowPlace(TwipRect{11235 + moved->x - pressed->x, 900, 3630, 4350}, DpiScale(96), DpiScale(144)).x,
        windowPlace(TwipRect{11235, 900, 3630, 4350}, DpiScale(96), DpiScale(144)).x + 30);
}

TEST(StripPointer, ClicksAButtonOnlyWhenPressedAndReleasedOnIt)
{
    StripPointer pointer{DpiScale(96), DpiScale(96)};
    const StripPlaces& places = pointer.places();
    for (const StripPart button : {StripPart::cmdPstnSave, StripPart::cmdFstPstn}) {
        const At at = inside(places.of(button));
        EXPECT_EQ(pointer.press(at.x, at.y, 1), std::nullopt);
        EXPECT_EQ(pointer.move(at.x + 1, at.y, 1), std::nullopt);
        EXPECT_EQ(pointer.release(at.x + 1, at.y), (StripEvent{Kind::Click, button}));
    }

    // Pressed on one, let go on the other or outside: no click.
    const At save = inside(places.cmdPstnSave);
    const At restore = inside(places.cmdFstPstn);
    pointer.press(save.x, save.y, 1);
    EXPECT_EQ(pointer.release(restore.x, restore.y), std::nullopt);
    pointer.press(restore.x, restore.y, 1);
    EXPECT_EQ(pointer.release(0, 0), std::nullopt);
    // Let go on a button after a press beside the controls: no click either.
    pointer.press(0, places.cmdPstnSave.y, 1);
    EXPECT_EQ(pointer.release(save.x, save.y), std::nullopt);
}

TEST(StripPointer, ForgetsWhatWasHeldWhenTheWindowLosesThePointer)
{
    StripPointer pointer{DpiScale(96), DpiScale(96)};
    const At handle = inside(pointer.places().PstnMove);
    pointer.press(handle.x, handle.y, 1);
    pointer.cancel();
    EXPECT_FALSE(pointer.holding());
    EXPECT_EQ(pointer.move(handle.x, handle.y, 1), std::nullopt);

    const At save = inside(pointer.places().cmdPstnSave);
    pointer.press(save.x, save.y, 1);
    pointer.cancel();
    EXPECT_EQ(pointer.release(save.x, save.y), std::nullopt);
}

}  // namespace
}  // namespace tavlo
