#include "display/display_settings.h"

#include <gtest/gtest.h>

#include <algorithm>

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

TEST_F(ApplyDisplaySettingsTest, EmptyPositionsGiveTheDefaultPlace)
{
    apply();
    EXPECT_NEAR(form.view.window.top, 886.1538, 1e-3);  // 11520 / 13
    EXPECT_EQ(form.view.window.left, 11380);            // 15360 - 3630 - 350
    EXPECT_TRUE(form.view.window.visible);
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
    form.store.RTUl = "3072";
    apply();
    EXPECT_EQ(form.view.lblRTotal.text, "3072 (MB)");
    EXPECT_EQ(form.store.lblMClr, "24023208");

    form.store.RTUl = "2560";
    apply();
    EXPECT_EQ(form.store.lblMClr, "20019340");
}

TEST_F(ApplyDisplaySettingsTest, NoStatedSizeLeavesTheCaptions)
{
    form.view.lblRTotal.text = "1049 (MB)";
    form.store.lblMClr = "8015962";
    apply();
    EXPECT_EQ(form.view.lblRTotal.text, "1049 (MB)");
    EXPECT_EQ(form.store.lblMClr, "8015962");
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

struct KeyCase {
    const char* name;
    const char* allColour;
    const char* timeColour;
    Colour key;
    friend void PrintTo(const KeyCase& row, std::ostream* out) { *out << row.name; }
};

class DerivedKey : public ApplyDisplaySettingsTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(DerivedKey, ComesFromTheClockColourBeforeItsOwnSetting)
{
    form.store.AllClor = GetParam().allColour;
    form.store.TimeClor = GetParam().timeColour;
    apply();
    EXPECT_EQ(form.view.window.colourKey, GetParam().key);
    EXPECT_EQ(form.store.BClor, std::to_string(GetParam().key));
}

INSTANTIATE_TEST_SUITE_P(Keys, DerivedKey,
    ::testing::Values(KeyCase{"Silver", "", "", 12632246}, KeyCase{"SilverDespiteTimeColour", "", "255", 12632246},
        KeyCase{"Fourteen", "14", "", 24}, KeyCase{"Fifteen", "15", "", 5}, KeyCase{"Black", "0", "", 10}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(ApplyDisplaySettingsTest, TheTimeColourStillAppliesAfterTheKey)
{
    form.store.TimeClor = "255";
    apply();
    EXPECT_EQ(form.view.lblTime.colour, 255);
    EXPECT_EQ(form.view.lblDate.colour, kSilver);
}

TEST_F(ApplyDisplaySettingsTest, AStoredKeyIsUsedAndKept)
{
    form.store.BClor = "3347759";
    apply();
    EXPECT_EQ(form.view.window.colourKey, 3347759);
    EXPECT_EQ(form.store.BClor, "3347759");
}

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

TEST_F(ApplyDisplaySettingsTest, ClockOffHidesDateAndTimeAndSkipsTheFont)
{
    form.store.CVw = "off";
    form.store.ClFntN = "Other";
    form.store.ClFntSt = "斜体";
    apply();
    EXPECT_FALSE(form.view.lblDate.visible);
    EXPECT_FALSE(form.view.lblTime.visible);
    EXPECT_EQ(form.view.lblTime.font.face, "ＭＳ Ｐゴシック");
    EXPECT_TRUE(form.view.lblTime.font.bold);
    EXPECT_EQ(form.store.CVw, "off");
}

TEST_F(ApplyDisplaySettingsTest, EmptyClockSwitchBecomesOnAndAppliesTheFont)
{
    form.store.ClFntN = "IPAGothic";
    form.store.ClFntSt = "斜体";
    apply();
    EXPECT_EQ(form.store.CVw, "on");
    EXPECT_TRUE(form.view.lblTime.visible);
    for (const LabelView* label : {&form.view.lblDate, &form.view.lblTime}) {
        EXPECT_EQ(label->font.face, "IPAGothic");
        EXPECT_FALSE(label->font.bold);
        EXPECT_TRUE(label->font.italic);
    }
    EXPECT_EQ(form.view.lblTime.font.pointSize, 24);  // sizes never change
}

TEST_F(ApplyDisplaySettingsTest, SwitchWordsAreCaseSensitive)
{
    form.store.CVw = "ON";
    form.store.ClFntN = "Other";
    apply();
    EXPECT_EQ(form.store.CVw, "ON");
    EXPECT_TRUE(form.view.lblTime.visible);
    EXPECT_EQ(form.view.lblTime.font.face, "ＭＳ Ｐゴシック");
}

TEST_F(ApplyDisplaySettingsTest, EmptyStyleBecomesBoldAndLeavesTheFlags)
{
    apply();
    EXPECT_EQ(form.store.ClFntSt, "太字");
    EXPECT_TRUE(form.view.lblDate.font.bold);
    EXPECT_FALSE(form.view.lblDate.font.italic);
    EXPECT_EQ(form.view.lblDate.font.face, "ＭＳ Ｐゴシック");
}

TEST_F(ApplyDisplaySettingsTest, OnlyTheExactStyleWordsChangeTheFlags)
{
    for (const auto& [style, bold, italic] : {std::tuple{"標準", false, false}, {"太字 斜体", true, true},
             {"太字", true, false}, {"太字　斜体", true, false} /* ideographic space: unchanged */}) {
        form.view.lblTime.font.bold = true;
        form.view.lblTime.font.italic = false;
        form.store.ClFntSt = style;
        apply();
        EXPECT_EQ(form.view.lblTime.font.bold, bold) << style;
        EXPECT_EQ(form.view.lblTime.font.italic, italic) << style;
    }
}

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

TEST_F(ApplyDisplaySettingsTest, AnEmptyRecordBehavesLikeUnsetSettings)
{
    apply();
    EXPECT_EQ(form.store.CVw, "on");
    EXPECT_EQ(form.store.MVw, "on");
    EXPECT_EQ(form.store.ClFntSt, "太字");
    EXPECT_EQ(form.store.BClor, "12632246");
    EXPECT_EQ(form.view.lblCPer.colour, kSilver);
    EXPECT_EQ(form.view.lblCPer.text, "CPer");
    EXPECT_EQ(form.view.DSpce.width, kFullBarWidth);
}

}  // namespace
}  // namespace tavlo
