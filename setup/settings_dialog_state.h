#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/settings_store.h"
#include "display/gadget_view.h"

namespace tavlo {

// A font the font picker gave back: the size is not a setting.
struct FontChoice {
    std::string face;
    bool bold = false;
    bool italic = false;
};

// The colour rows of the dialog: the common colour, then one per item.
enum class ColourRow { All, Date, Time, Cpu, Ram, Disk, FreeSpace };
inline constexpr std::size_t kColourRowCount = 7;

// The settings dialog frmSetup without its widgets: the working copy of the
// settings, the two colour modes, the swatches and the combos. The dialog
// shows this state and turns the user's clicks into calls of it.
class SettingsDialogState {
public:
    // Working copy, named like the store fields it mirrors.
    std::string WTop, WLeft;
    std::string AllClor, DATEClor, TimeClor, CClor, RClor, DClor, DSClor;
    std::string CVw, MVw, ClFntN, ClFntSt, BClor, RTUl;

    // The check boxes Check1 "すべて同じ色に設定する" and Check2 "項目別に色を
    // 設定する", and whether the groups they govern (Frame3, Frame4) are enabled.
    bool allItemsChecked = false;
    bool perItemChecked = false;
    bool allItemsEnabled = true;
    bool perItemEnabled = true;

    // The colour each row's swatch shows.
    std::array<Colour, kColourRowCount> swatches{kSilver, kSilver, kSilver, kSilver, kSilver, kSilver, kSilver};
    Colour swatch(ColourRow row) const { return swatches[static_cast<std::size_t>(row)]; }
    // The transparency swatch Bc; nothing while it shows the window colour.
    std::optional<Colour> transparencySwatch;

    std::string cboCVw, cboMVw;

    // Opens on the main window's store: copies it and fills the controls.
    void Form_Load(const SettingsStore& store);

    void Check1_Click();
    void Check2_Click();

    // The colour picker's answer for a row's "参照"; nothing when the user
    // cancelled.
    void PickColor(ColourRow row, std::optional<Colour> chosen);
    // The colour picker's answer for the transparency colour's "設定".
    void PickTransparencyColour(std::optional<Colour> chosen);
    // "削除" of a row.
    void deleteColour(ColourRow row);

    // The font picker's answer; nothing when the user cancelled.
    void PickClockFont(const std::optional<FontChoice>& chosen);
    // The face the font picker opens on, at 9 points, regular.
    std::string fontPreset() const;

    void cboCVw_Click(const std::string& text);
    void cboMVw_Click(const std::string& text);

    // "保存", the part that writes the working copy into the store; the
    // main window is then saved and started afresh.
    void copyToStore(SettingsStore& store) const;

private:
    Colour& swatchOf(ColourRow row) { return swatches[static_cast<std::size_t>(row)]; }
    void selectAllItemsMode();
    void selectPerItemMode();
    void moveTransparencyColour(Colour chosen);
};

inline constexpr Colour kPickerPreset = 255;  // red, every time
inline constexpr std::string_view kShown = "表示";
inline constexpr std::string_view kHidden = "非表示";

// "[確認方法]": where the system shows the size of physical memory.
std::string memoryHelpMessage();

// A colour row: its key in the dialog's control names, the swatch control
// that shows it, its working field and the store field it is saved to.
struct ColourRowFields {
    ColourRow row;
    std::string_view key;
    std::string_view swatchName;
    std::string SettingsDialogState::*field;
    std::string SettingsStore::*stored;
};
inline constexpr std::array<ColourRowFields, kColourRowCount> kColourRows{{
    {ColourRow::All, "all", "Text2", &SettingsDialogState::AllClor, &SettingsStore::AllClor},
    {ColourRow::Date, "date", "Text1", &SettingsDialogState::DATEClor, &SettingsStore::DATEClor},
    {ColourRow::Time, "time", "Text7", &SettingsDialogState::TimeClor, &SettingsStore::TimeClor},
    {ColourRow::Cpu, "c", "Text3", &SettingsDialogState::CClor, &SettingsStore::CClor},
    {ColourRow::Ram, "r", "Text4", &SettingsDialogState::RClor, &SettingsStore::RClor},
    {ColourRow::Disk, "d", "Text5", &SettingsDialogState::DClor, &SettingsStore::DClor},
    {ColourRow::FreeSpace, "ds", "Text6", &SettingsDialogState::DSClor, &SettingsStore::DSClor},
}};
static_assert(
    [] {
        for (std::size_t i = 0; i < kColourRows.size(); ++i) {
            if (kColourRows[i].row != static_cast<ColourRow>(i))
                return false;
        }
        return true;
    }(),
    "kColourRows is indexed by its row");

// The working copy's fields and the store fields they mirror, in the order
// of the settings record; all are copied in, all but the first two back.
struct CopiedField {
    std::string SettingsDialogState::*field;
    std::string SettingsStore::*stored;
};
inline constexpr std::array<CopiedField, 15> kCopiedFields{{
    {&SettingsDialogState::WTop, &SettingsStore::WTop},
    {&SettingsDialogState::WLeft, &SettingsStore::WLeft},
    {&SettingsDialogState::AllClor, &SettingsStore::AllClor},
    {&SettingsDialogState::DATEClor, &SettingsStore::DATEClor},
    {&SettingsDialogState::TimeClor, &SettingsStore::TimeClor},
    {&SettingsDialogState::CClor, &SettingsStore::CClor},
    {&SettingsDialogState::RClor, &SettingsStore::RClor},
    {&SettingsDialogState::DClor, &SettingsStore::DClor},
    {&SettingsDialogState::DSClor, &SettingsStore::DSClor},
    {&SettingsDialogState::CVw, &SettingsStore::CVw},
    {&SettingsDialogState::MVw, &SettingsStore::MVw},
    {&SettingsDialogState::ClFntN, &SettingsStore::ClFntN},
    {&SettingsDialogState::ClFntSt, &SettingsStore::ClFntSt},
    {&SettingsDialogState::BClor, &SettingsStore::BClor},
    {&SettingsDialogState::RTUl, &SettingsStore::RTUl},
}};

}  // namespace tavlo
