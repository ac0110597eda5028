#include "setup/settings_dialog_state.h"

#include <gtest/gtest.h>

#include <tuple>

namespace tavlo {
namespace {

class SettingsDialogStateTest : public ::testing::Test {
protected:
    SettingsStore store;
    SettingsDialogState form;
};

struct KeyMove {
    const char* name;
    ColourRow row;
    Colour chosen;
    Colour key;
    friend void PrintTo(const KeyMove& move, std::ostream* out) { *out << move.name; }
};

class TransparencyFollows : public SettingsDialogStateTest, public ::testing::WithParamInterface<KeyMove> {};

// Only the time and the common colour move a stored transparency colour,
// to the chosen colour ten away.
TEST_P(TransparencyFollows, TheTimeOrCommonColourTenAway)
{
    store.BClor = "3347759";
    form.Form_Load(store);
    form.PickColor(GetParam().row, GetParam().chosen);
    EXPECT_EQ(form.BClor, std::to_string(GetParam().key));
    EXPECT_EQ(form.transparencySwatch, GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Colours, TransparencyFollows,
    ::testing::Values(KeyMove{"BlackTime", ColourRow::Time, 0, 10}, KeyMove{"Fourteen", ColourRow::Time, 14, 24},
        KeyMove{"Fifteen", ColourRow::Time, 15, 5}, KeyMove{"WhiteTime", ColourRow::Time, 16777215, 16777205},
        KeyMove{"BorrowAcrossBytes", ColourRow::All, 16711685, 16711675},
        KeyMove{"DateKeepsIt", ColourRow::Date, 255, 3347759}, KeyMove{"CpuKeepsIt", ColourRow::Cpu, 255, 3347759},
        KeyMove{"RamKeepsIt", ColourRow::Ram, 255, 3347759}, KeyMove{"DiskKeepsIt", ColourRow::Disk, 255, 3347759},
        KeyMove{"FreeSpaceKeepsIt", ColourRow::FreeSpace, 255, 3347759}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(SettingsDialogStateTest, ACancelledPickerChangesNothing)
{
    form.Form_Load(store);
    form.PickColor(ColourRow::All, std::nullopt);
    form.PickTransparencyColour(std::nullopt);
    EXPECT_EQ(form.AllClor, "");
    EXPECT_FALSE(form.transparencySwatch);
    form.PickClockFont(std::nullopt);
    EXPECT_EQ(form.ClFntN, "");
}

TEST_F(SettingsDialogStateTest, SwitchingModesLosesTheOtherModesColours)
{
    form.Form_Load(store);
    form.Check2_Click();
    form.PickColor(ColourRow::Cpu, 255);
    form.PickColor(ColourRow::Date, 65280);
    form.Check1_Click();
    EXPECT_EQ(form.CClor, "");
    EXPECT_EQ(form.DATEClor, "");
    EXPECT_EQ(form.swatch(ColourRow::Cpu), kSilver);
    EXPECT_TRUE(form.allItemsChecked);
    EXPECT_FALSE(form.perItemChecked);
    EXPECT_TRUE(form.allItemsEnabled);
    EXPECT_FALSE(form.perItemEnabled);

    form.PickColor(ColourRow::All, 255);
    form.Check2_Click();
    EXPECT_EQ(form.AllClor, "");
    EXPECT_EQ(form.swatch(ColourRow::All), kSilver);
    EXPECT_FALSE(form.allItemsEnabled);

    form.PickColor(ColourRow::Ram, 255);
    form.Check2_Click();  // the checked box again keeps its own colours
    EXPECT_EQ(form.RClor, "255");
    EXPECT_TRUE(form.perItemChecked);
}

TEST_F(SettingsDialogStateTest, ACommonColourOpensInAllItemsModeAndDropsItemColours)
{
    store.AllClor = "255";
    store.RClor = "65280";
    store.DATEClor = "";
    form.Form_Load(store);
    EXPECT_TRUE(form.allItemsChecked);
    EXPECT_EQ(form.swatch(ColourRow::All), 255);
    EXPECT_EQ(form.RClor, "");
    EXPECT_EQ(form.swatch(ColourRow::Ram), kSilver);
}

TEST_F(SettingsDialogStateTest, ADateColourOpensInPerItemMode)
{
    store.DATEClor = "255";
    store.CClor = "65280";
    form.Form_Load(store);
    EXPECT_TRUE(form.perItemChecked);
    EXPECT_EQ(form.swatch(ColourRow::Date), 255);
    EXPECT_EQ(form.swatch(ColourRow::Cpu), 65280);
}

TEST_F(SettingsDialogStateTest, ItemColoursWithoutADateColourOpenWithoutAMode)
{
    store.CClor = "65280";
    form.Form_Load(store);
    EXPECT_FALSE(form.allItemsChecked);
    EXPECT_FALSE(form.perItemChecked);
    EXPECT_TRUE(form.allItemsEnabled);
    EXPECT_TRUE(form.perItemEnabled);
    EXPECT_EQ(form.swatch(ColourRow::Cpu), 65280);
}

TEST_F(SettingsDialogStateTest, AStoredColourThatIsNoNumberShowsSilverAndIsKept)
{
    store.DATEClor = "teal";
    form.Form_Load(store);
    EXPECT_EQ(form.swatch(ColourRow::Date), kSilver);
    form.copyToStore(store);
    EXPECT_EQ(store.DATEClor, "teal");
}

TEST_F(SettingsDialogStateTest, SavingStoresUnsetColoursOfTheCheckedModeAsSilverButNeverThePosition)
{
    store.WTop = "100";
    store.WLeft = "200";
    form.Form_Load(store);
    form.WTop = "999";
    store.WTop = "150";
    form.copyToStore(store);
    EXPECT_EQ(store.WTop, "150");
    EXPECT_EQ(store.WLeft, "200");
    EXPECT_EQ(store.AllClor, "12632256");
    EXPECT_EQ(store.CClor, "");

    form.Check2_Click();
    form.PickColor(ColourRow::Cpu, 255);
    form.copyToStore(store);
    EXPECT_EQ(store.AllClor, "");
    EXPECT_EQ(store.CClor, "255");
    EXPECT_EQ(store.TimeClor, "12632256");  // the other items as their swatches show them
}

TEST_F(SettingsDialogStateTest, DeleteResetsOnlyItsRow)
{
    form.Form_Load(store);
    form.Check2_Click();
    form.PickColor(ColourRow::Disk, 255);
    form.PickColor(ColourRow::FreeSpace, 65280);
    form.deleteColour(ColourRow::Disk);
    EXPECT_EQ(form.DClor, "");
    EXPECT_EQ(form.swatch(ColourRow::Disk), kSilver);
    EXPECT_EQ(form.DSClor, "65280");
    EXPECT_TRUE(form.perItemChecked);
}

TEST_F(SettingsDialogStateTest, TheFontPickerGivesFaceAndStyleWordButNoSize)
{
    form.Form_Load(store);
    EXPECT_EQ(form.fontPreset(), "ＭＳ Ｐゴシック");
    // The words the display reads back as the clock's style.
    for (const auto& [bold, italic, word] :
        {std::tuple{true, true, "太字 斜体"}, {false, true, "斜体"}, {true, false, "太字"}, {false, false, "標準"}}) {
        form.PickClockFont(FontChoice{"IPAGothic", bold, italic});
        EXPECT_EQ(form.ClFntN, "IPAGothic");
        EXPECT_EQ(form.ClFntSt, word);
        EXPECT_EQ(form.fontPreset(), "IPAGothic");
    }
}

TEST_F(SettingsDialogStateTest, CombosShowAndWriteTheSwitches)
{
    store.CVw = "on";
    store.MVw = "ON";
    form.Form_Load(store);
    EXPECT_EQ(form.cboCVw, "表示");
    EXPECT_EQ(form.cboMVw, "非表示");
    form.cboCVw_Click("非表示");
    form.cboMVw_Click("表示");
    EXPECT_EQ(form.CVw, "off");
    EXPECT_EQ(form.MVw, "on");
}

TEST(MemoryHelp, HasItsFiveLines)
{
    const std::string text = memoryHelpMessage();
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 4);
    EXPECT_EQ(text.rfind("システムのプロパティ (ﾏｲ ｺﾝﾋﾟｭｰﾀを右クリック → プロパティ) \r", 0), 0u);
    EXPECT_NE(text.find("\r　\r"), std::string::npos);
}

}  // namespace
}  // namespace tavlo
