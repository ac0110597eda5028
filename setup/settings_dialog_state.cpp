#include "setup/settings_dialog_state.h"

#include <algorithm>

#include "core/number_text.h"
#include "display/display_settings.h"

namespace tavlo {
namespace {

// A stored colour text as its swatch shows it: silver when it is no number.
Colour swatchColour(const std::string& text)
{
    return strictColour(text).value_or(kSilver);
}

const ColourRow* rowOf(std::string_view key)
{
    const auto found
        = std::find_if(kColourRows.begin(), kColourRows.end(), [key](const ColourRow& row) { return row.key == key; });
    return found == kColourRows.end() ? nullptr : &*found;
}

}  // namespace

void SettingsDialogState::Form_Load(const SettingsStore& store)
{
    for (const CopiedField& copied : kCopiedFields)
        this->*copied.field = store.*copied.stored;

    // Colour modes: a common colour wins; a date colour means per-item mode.
    if (!AllClor.empty()) {
        selectAllItemsMode();
        Text2 = swatchColour(AllClor);
    }
    if (!DATEClor.empty()) {
        selectPerItemMode();
        Text1 = swatchColour(DATEClor);
    }
    for (const ColourRow& row : kColourRows) {
        if (row.key != "all" && row.key != "date" && !(this->*row.field).empty())
            this->*row.swatch = swatchColour(this->*row.field);
    }
    if (AllClor.empty() && DATEClor.empty() && TimeClor.empty() && CClor.empty() && RClor.empty() && DClor.empty()
        && DSClor.empty())
        selectAllItemsMode();

    cboCVw = std::string(CVw == "on" ? kShown : kHidden);
    cboMVw = std::string(MVw == "on" ? kShown : kHidden);

    if (!BClor.empty())
        Bc = swatchColour(BClor);
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
    Check2 = false;
    Check1 = true;
    Frame3Enabled = true;
    Frame4Enabled = false;
    for (const ColourRow& row : kColourRows) {
        if (row.key == "all")
            continue;
        this->*row.swatch = kSilver;
        (this->*row.field).clear();
    }
}

void SettingsDialogState::selectPerItemMode()
{
    Check1 = false;
    Check2 = true;
    Frame3Enabled = false;
    Frame4Enabled = true;
    Text2 = kSilver;
    AllClor.clear();
}

void SettingsDialogState::PickColor(std::string_view key, std::optional<Colour> chosen)
{
    if (!chosen)
        return;
    const std::string text = std::to_string(*chosen);
    if (key == "back") {
        BClor = text;
        Bc = *chosen;
        return;
    }
    const ColourRow* row = rowOf(key);
    if (!row)
        return;
    this->*row->field = text;
    this->*row->swatch = *chosen;
    if (key == "all" || key == "time")
        moveTransparencyColour(*chosen);
}

void SettingsDialogState::moveTransparencyColour(Colour chosen)
{
    const Colour key = derivedColourKey(chosen);
    BClor = std::to_string(key);
    Bc = key;
}

void SettingsDialogState::deleteColour(std::string_view key)
{
    if (const ColourRow* row = rowOf(key)) {
        this->*row->swatch = kSilver;
        (this->*row->field).clear();
    }
}

std::string SettingsDialogState::fontPreset() const
{
    return ClFntN.empty() ? "ＭＳ Ｐゴシック" : ClFntN;
}

void SettingsDialogState::PickClockFont(const std::optional<FontChoice>& chosen)
{
    if (!chosen)
        return;
    ClFntN = chosen->face;
    if (chosen->bold)
        ClFntSt = chosen->italic ? "太字 斜体" : "太字";
    else
        ClFntSt = chosen->italic ? "斜体" : "標準";
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
    for (const ColourRow& row : kColourRows) {
        const bool checkedMode = row.key == "all" ? Check1 : Check2;
        if (checkedMode && (this->*row.field).empty())
            store.*row.stored = std::to_string(this->*row.swatch);
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
