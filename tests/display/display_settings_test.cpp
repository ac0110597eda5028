#include "display/display_settings.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <tuple>

#include "display/layout.h"
#include "display/window_place.h"
#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

class ApplyDisplaySettingsTest : public ::testing::Test {
protected:
    testing::FakeServices fake;
    struct {
        SettingsStore store;
        GadgetView view = initialGadgetView();
    } form;

    void apply()
    {
        form.view.window.width = kWindowWidth;
        form.view.window.height = kNormalHeight;
        ApplyDisplaySettings(form.store, form.view, fake.screen, fake.clock.now());
    }
    int visibleMoons() const
    {
        return static_cast<int>(std::count(form.view.moonVisible.begin(), form.view.moonVisible.end(), true));
    }
};

// The settings an empty record leaves unset, the switches, style and key,
// are pinned with their rows below.
TEST_F(ApplyDisplaySettingsTest, AnEmptyRecordGivesTheDefaultPlaceAndLook)
{
    apply();
    EXPECT_NEAR(form.view.window.top, 886.1538, 1e-3);  // 11520 / 13
    EXPECT_EQ(form.view.window.left, 11380);            // 15360 - 3630 - 350
    EXPECT_TRUE(form.view.window.visible);
    EXPECT_EQ(form.view.lblCPer.colour, kSilver);
    EXPECT_EQ(form.view.lblCPer.text, "CPer");
    EXPECT_EQ(form.view.DSpce.width, kFullBarWidth);
}

TEST_F(ApplyDisplaySettingsTest, PositionsAreReadLenientlyAndUsedUnchanged)
{
    form.store.WTop = "-45";
    form.store.WLeft = "abc";
    apply();
    EXPECT_EQ(form.view.window.top, -45);
    EXPECT_EQ(form.view.window.left, 0);
}

TEST_F(ApplyDisplaySettingsTest, AStatedMemorySizeReplacesTheCaptions)
{
    for (const auto& [size, total, release] : {std::tuple{"3072", "3072 (MB)", "24023208"},
             {"2560", "2560 (MB)", "20019340"}, {"", "1049 (MB)", "8015962"} /* none stated: left as they are */}) {
        form.view.lblRTotal.text = "1049 (MB)";
        form.store.lblMClr = "8015962";
        form.store.RTUl = size;
        apply();
        EXPECT_EQ(form.view.lblRTotal.text, total) << size;
        EXPECT_EQ(form.store.lblMClr, release) << size;
    }
}

TEST_F(ApplyDisplaySettingsTest, ItemColoursOverrideTheCommonColour)
{
    form.store.AllClor = "255";
    form.store.RClor = "65280";
    apply();
    for (const LabelPlacement& placement : kLabelPlacements) {
        const bool memoryGroup = placement.name == "Label2" || placement.name == "lblRamT" || placement.name == "Label5"
            || placement.name == "lblRTotal" || placement.name == "lblRPer";
        EXPECT_EQ((form.view.*placement.label).colour, memoryGroup ? 65280 : 255) << placement.name;
    }
    for (const BarPlacement& placement : kBarPlacements) {
        const BarView& bar = form.view.*placement.bar;
        const Colour expected = placement.name == "RamT" ? 65280 : 255;
        EXPECT_EQ(bar.fill, expected) << placement.name;
        EXPECT_EQ(bar.border, expected) << placement.name;
        EXPECT_EQ(bar.frameBorder, expected) << placement.name;
    }
    EXPECT_EQ(form.store.BClor, "245");  // derived from the red clock, before the item colours
}

// The key is derived from the time label's colour once the common colour is
// applied and before the item colours are; a stored key is used and kept.
struct KeyCase {
    const char* name;
    std::string_view allColour, timeColour, storedKey;
    Colour key, date, time;  // date and time: the clock's colours in the end
    friend void PrintTo(const KeyCase& row, std::ostream* out) { *out << row.name; }
};

class ColourKey : public ApplyDisplaySettingsTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(ColourKey, ComesFromTheClockColourBeforeItsOwnSetting)
{
    form.store.AllClor = GetParam().allColour;
    form.store.TimeClor = GetParam().timeColour;
    form.store.BClor = GetParam().storedKey;
    apply();
    EXPECT_EQ(form.view.window.colourKey, GetParam().key);
    EXPECT_EQ(form.store.BClor, std::to_string(GetParam().key));
    EXPECT_EQ(form.view.lblDate.colour, GetParam().date);
    EXPECT_EQ(form.view.lblTime.colour, GetParam().time);
}

INSTANTIATE_TEST_SUITE_P(Keys, ColourKey,
    ::testing::Values(KeyCase{"Silver", "", "", "", 12632246, kSilver, kSilver},
        KeyCase{"SilverDespiteTimeColour", "", "255", "", 12632246, kSilver, 255},
        KeyCase{"Fourteen", "14", "", "", 24, 14, 14}, KeyCase{"Fifteen", "15", "", "", 5, 15, 15},
        KeyCase{"Black", "0", "", "", 10, 0, 0},
        KeyCase{"StoredKeyIsUsedAndKept", "", "", "3347759", 3347759, kSilver, kSilver}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ApplyDisplaySettingsTest, ColourTextsThatAreNotWholeNumbersChangeNothing)
{
    form.view.window.colourKey = kLoadColourKey;
    form.store.BClor = "teal";
    form.store.AllClor = "12.5";
    form.store.CClor = "255x";
    apply();
    EXPECT_EQ(form.view.window.colourKey, kLoadColourKey);
    EXPECT_EQ(form.store.BClor, "teal");
    EXPECT_EQ(form.view.Label1.colour, kSilver);
    EXPECT_EQ(form.view.PrscrTime.fill, kSilver);
}

// The clock's switch, face and style as stored, and what they are then,
// with the date and the time as they show.
struct ClockCase {
    const char* name;
    std::string_view CVw, ClFntN, ClFntSt, storedCVw, storedStyle;
    bool visible;
    std::string_view face;
    bool bold, italic;
    friend void PrintTo(const ClockCase& row, std::ostream* out) { *out << row.name; }
};

class ClockBlock : public ApplyDisplaySettingsTest, public ::testing::WithParamInterface<ClockCase> {};

TEST_P(ClockBlock, FollowsTheSwitchAndTheExactStyleWords)
{
    const ClockCase& row = GetParam();
    form.store.CVw = row.CVw;
    form.store.ClFntN = row.ClFntN;
    form.store.ClFntSt = row.ClFntSt;
    apply();
    EXPECT_EQ(form.store.CVw, row.storedCVw);
    EXPECT_EQ(form.store.ClFntSt, row.storedStyle);
    for (const LabelView* label : {&form.view.lblDate, &form.view.lblTime}) {
        EXPECT_EQ(label->visible, row.visible);
        EXPECT_EQ(label->font.face, row.face);
        EXPECT_EQ(label->font.bold, row.bold);
        EXPECT_EQ(label->font.italic, row.italic);
    }
    EXPECT_EQ(form.view.lblTime.font.pointSize, 24);  // sizes never change
}

constexpr const char* kFace = "ＭＳ Ｐゴシック";

// The view starts bold and upright, so a style that is not applied leaves that.
INSTANTIATE_TEST_SUITE_P(Clocks, ClockBlock,
    ::testing::Values(
        ClockCase{"OffHidesItAndSkipsTheFont", "off", "Other", "斜体", "off", "斜体", false, kFace, true, false},
        ClockCase{"EmptySwitchBecomesOnAndAppliesTheFont", "", "IPAGothic", "斜体", "on", "斜体", true, "IPAGothic",
            false, true},
        ClockCase{"SwitchWordsAreCaseSensitive", "ON", "Other", "", "ON", "", true, kFace, true, false},
        ClockCase{"EmptyStyleBecomesBoldAndLeavesTheFlags", "", "", "", "on", "太字", true, kFace, true, false},
        ClockCase{"Regular", "on", "", "標準", "on", "標準", true, kFace, false, false},
        ClockCase{"BoldItalic", "on", "", "太字 斜体", "on", "太字 斜体", true, kFace, true, true},
        ClockCase{"Bold", "on", "", "太字", "on", "太字", true, kFace, true, false},
        ClockCase{
            "IdeographicSpaceIsNoStyleWord", "on", "", "太字　斜体", "on", "太字　斜体", true, kFace, true, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ApplyDisplaySettingsTest, MoonOffLeavesNoAgeAndNoPicture)
{
    form.store.MVw = "off";
    form.store.txtAge = "5";
    form.view.moonVisible[5] = true;
    apply();
    EXPECT_EQ(form.store.txtAge, "");
    EXPECT_EQ(visibleMoons(), 0);
    EXPECT_EQ(form.store.MVw, "off");
}

TEST_F(ApplyDisplaySettingsTest, EmptyMoonSwitchShowsTodaysMoon)
{
    fake.clock.moment = {2009, 4, 19, 0, 0, 0};
    apply();
    EXPECT_EQ(form.store.MVw, "on");
    EXPECT_EQ(form.store.txtFDay, "19");
    EXPECT_EQ(form.store.txtAge, "24");
    EXPECT_TRUE(form.view.moonVisible[24]);
    EXPECT_EQ(visibleMoons(), 1);
}

}  // namespace
}  // namespace tavlo
