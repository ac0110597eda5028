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

// The settings dialog frmSetup without its widgets: the working copy of the
// settings, the two colour modes, the swatches and the combos. The dialog
// shows this state and turns the user's clicks into calls of it.
class SettingsDialogState {
public:
    // Working copy, named like the store fields it mirrors.
    std::string WTop, WLeft;
    std::string AllClor, DATEClor, TimeClor, CClor, RClor, DClor, DSClor;
    std::string CVw, MVw, ClFntN, ClFntSt, BClor, RTUl;

    // "すべて同じ色に設定する" and "項目別に色を設定する", and the groups
    // they enable.
    bool Check1 = false;
    bool Check2 = false;
    bool Frame3Enabled = true;
    bool Frame4Enabled = true;

    // Swatch colours: Text2 the all-items row, Text1 … Text7 the items.
    Colour Text1 = kSilver, Text2 = kSilver, Text3 = kSilver, Text4 = kSilver, Text5 = kSilver, Text6 = kSilver,
           Text7 = kSilver;
    // The transparency swatch; nothing while it shows the window colour.
    std::optional<Colour> Bc;

    std::string cboCVw, cboMVw;

    // Opens on the main window's store: copies it and fills the controls.
    void Form_Load(const SettingsStore& store);

    void Check1_Click();
    void Check2_Click();

    // The colour picker's answer for the row `key` ("all", "date", "time",
    // "c", "r", "d", "ds", "back"); nothing when the user cancelled.
    void PickColor(std::string_view key, std::optional<Colour> chosen);
    // "削除" of the row `key`.
    void deleteColour(std::string_view key);

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
    void selectAllItemsMode();
    void selectPerItemMode();
    void moveTransparencyColour(Colour chosen);
};

inline constexpr Colour kPickerPreset = 255;  // red, every time
inline constexpr std::string_view kShown = "表示";
inline constexpr std::string_view kHidden = "非表示";

// "[確認方法]": where the system shows the size of physical memory.
std::string memoryHelpMessage();

// The row keys of the colour picker, with their fields, swatches and the
// store fields they are saved to.
struct ColourRow {
    std::string_view key;
    std::string SettingsDialogState::*field;
    Colour SettingsDialogState::*swatch;
    std::string SettingsStore::*stored;
};
inline constexpr std::array<ColourRow, 7> kColourRows{{
    {"all", &SettingsDialogState::AllClor, &SettingsDialogState::Text2, &SettingsStore::AllClor},
    {"date", &SettingsDialogState::DATEClor, &SettingsDialogState::Text1, &SettingsStore::DATEClor},
    {"time", &SettingsDialogState::TimeClor, &SettingsDialogState::Text7, &SettingsStore::TimeClor},
    {"c", &SettingsDialogState::CClor, &SettingsDialogState::Text3, &SettingsStore::CClor},
    {"r", &SettingsDialogState::RClor, &SettingsDialogState::Text4, &SettingsStore::RClor},
    {"d", &SettingsDialogState::DClor, &SettingsDialogState::Text5, &SettingsStore::DClor},
    {"ds", &SettingsDialogState::DSClor, &SettingsDialogState::Text6, &SettingsStore::DSClor},
}};

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
