#include "setup/settings_dialog_state.h"

#include <algorithm>

#include "core/number_text.h"
#include "display/display_settings.h"
#include "display/layout.h"

namespace tavlo {
namespace {

// A stored colour text as its swatch shows it: silver when it is no number.
Colour swatchColour(const std::string& text)
{
    return strictColour(text).value_or(kSilver);
}

const ColourRowFields& fieldsOf(ColourRow row)
{
    return kColourRows[static_cast<std::size_t>(row)];
}

}  // namespace

void SettingsDialogState::Form_Load(const SettingsStore& store)
{
    for (const CopiedField& copied : kCopiedFields)
        this->*copied.field = store.*copied.stored;

    // Colour modes: a common colour wins; a date colour means per-item mode.
    if (!AllClor.empty()) {
        selectAllItemsMode();
        swatchOf(ColourRow::All) = swatchColour(AllClor);
    }
    if (!DATEClor.empty()) {
        selectPerItemMode();
        swatchOf(ColourRow::Date) = swatchColour(DATEClor);
    }
    for (const ColourRowFields& row : kColourRows) {
        if (row.row != ColourRow::All && row.row != ColourRow::Date && !(this->*row.field).empty())
            swatchOf(row.row) = swatchColour(this->*row.field);
    }
    if (std::all_of(kColourRows.begin(), kColourRows.end(),
            [this](const ColourRowFields& row) { return (this->*row.field).empty(); }))
        selectAllItemsMode();

    cboCVw = std::string(CVw == "on" ? kShown : kHidden);
    cboMVw = std::string(MVw == "on" ? kShown : kHidden);

    if (!BClor.empty())
        transparencySwatch = swatchColour(BClor);
}

void SettingsDialogState::Check1_Click()
{
    selectAllItemsMode();
}

void SettingsDialogState::Check2_Click()
{
    selectPerItemMode();
}

void SettingsDialogState::selectAllItemsMode()
{
    perItemChecked = false;
    allItemsChecked = true;
    allItemsEnabled = true;
    perItemEnabled = false;
    for (const ColourRowFields& row : kColourRows) {
        if (row.row == ColourRow::All)
            continue;
        swatchOf(row.row) = kSilver;
        (this->*row.field).clear();
    }
}

void SettingsDialogState::selectPerItemMode()
{
    allItemsChecked = false;
    perItemChecked = true;
    allItemsEnabled = false;
    perItemEnabled = true;
    swatchOf(ColourRow::All) = kSilver;
    AllClor.clear();
}

void SettingsDialogState::PickColor(ColourRow row, std::optional<Colour> chosen)
{
    if (!chosen)
        return;
    this->*fieldsOf(row).field = std::to_string(*chosen);
    swatchOf(row) = *chosen;
    if (row == ColourRow::All || row == ColourRow::Time)
        moveTransparencyColour(*chosen);
}

void SettingsDialogState::PickTransparencyColour(std::optional<Colour> chosen)
{
    if (!chosen)
        return;
    BClor = std::to_string(*chosen);
    transparencySwatch = *chosen;
}

void SettingsDialogState::moveTransparencyColour(Colour chosen)
{
    const Colour key = derivedColourKey(chosen);
    BClor = std::to_string(key);
    transparencySwatch = key;
}

void SettingsDialogState::deleteColour(ColourRow row)
{
    swatchOf(row) = kSilver;
    (this->*fieldsOf(row).field).clear();
}

std::string SettingsDialogState::fontPreset() const
{
    return ClFntN.empty() ? std::string(kDefaultClockFace) : ClFntN;
}

void SettingsDialogState::PickClockFont(const std::optional<FontChoice>& chosen)
{
    if (!chosen)
        return;
    ClFntN = chosen->face;
    ClFntSt = std::string(clockStyleWord(chosen->bold, chosen->italic));
}

void SettingsDialogState::cboCVw_Click(const std::string& text)
{
    cboCVw = text;
    CVw = text == kShown ? "on" : "off";
}

void SettingsDialogState::cboMVw_Click(const std::string& text)
{
    cboMVw = text;
    MVw = text == kShown ? "on" : "off";
}

void SettingsDialogState::copyToStore(SettingsStore& store) const
{
    // Everything but the position, which the dialog does not edit.
    for (std::size_t i = 2; i < kCopiedFields.size(); ++i)
        store.*kCopiedFields[i].stored = this->*kCopiedFields[i].field;

    // An unset colour of the checked mode is saved as its swatch shows it.
    for (const ColourRowFields& row : kColourRows) {
        const bool checkedMode = row.row == ColourRow::All ? allItemsChecked : perItemChecked;
        if (checkedMode && (this->*row.field).empty())
            store.*row.stored = std::to_string(swatch(row.row));
    }
}

std::string memoryHelpMessage()
{
    return "システムのプロパティ (ﾏｲ ｺﾝﾋﾟｭｰﾀを右クリック → プロパティ) \r"
           "を開きます。\r"
           "　\r"
           "『全般』タブ下に物理メモリが表示されています。\r"
           "2.50GB なら2560MB、3.00GB なら3072MBと入力してください。";
}

}  // namespace tavlo
