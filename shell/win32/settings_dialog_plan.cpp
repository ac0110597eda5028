#include "shell/win32/settings_dialog_plan.h"

namespace tavlo {
namespace {

// Control ids start above the ones Windows gives meanings (IDOK, IDCANCEL…).
constexpr int kFirstControlId = 100;

// A combo box's height takes in its drop-down list: its two items and room.
constexpr double kComboListRows = 4;

struct KindClass {
    const wchar_t* className;
    DWORD style;
    DWORD extendedStyle;
};

KindClass classOf(ControlKind kind)
{
    switch (kind) {
    case ControlKind::Group:
        return {L"Button", BS_GROUPBOX, 0};
    case ControlKind::CheckBox:
        // The state decides the check, not the click.
        return {L"Button", BS_CHECKBOX | WS_TABSTOP, 0};
    case ControlKind::Label:
    case ControlKind::Note:
        return {L"Static", SS_LEFT, 0};
    case ControlKind::Link:
        return {L"Static", SS_LEFT | SS_NOTIFY, 0};
    case ControlKind::Button:
        return {L"Button", BS_PUSHBUTTON | WS_TABSTOP, 0};
    case ControlKind::SetButton:
        // Drawn by the dialog in its own colour.
        return {L"Button", BS_OWNERDRAW | WS_TABSTOP, 0};
    case ControlKind::Swatch:
        return {L"Static", SS_LEFT | WS_BORDER, 0};
    case ControlKind::ShowHideCombo:
        return {L"ComboBox", CBS_DROPDOWN | WS_VSCROLL | WS_TABSTOP, 0};
    case ControlKind::TextBox:
        return {L"Edit", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE};
    }
    return {L"Static", 0, 0};
}

// Whether the control at `index` starts a run of controls for the arrow
// keys: a check box leads the colour rows under it, and every frame's
// contents are a run of their own. The group boxes go to the bottom of
// the z-order (see SettingsWindow::build), so they end the last run.
bool startsGroup(std::size_t index)
{
    const ControlPlacement& placement = kSetupControls[index];
    if (placement.kind == ControlKind::Group || placement.kind == ControlKind::CheckBox)
        return true;
    for (std::size_t before = index; before-- > 0;) {
        if (kSetupControls[before].kind != ControlKind::Group)
            return kSetupControls[before].parent != placement.parent;
    }
    return true;
}

// The control's rectangle in the dialog's client area, in twips.
TwipRect inDialog(std::size_t index)
{
    TwipRect rect = kSetupControls[index].rect;
    for (auto parent = settingsControlNamed(kSetupControls[index].parent); parent;
         parent = settingsControlNamed(kSetupControls[*parent].parent)) {
        rect.left += kSetupControls[*parent].rect.left;
        rect.top += kSetupControls[*parent].rect.top;
    }
    return rect;
}

}  // namespace

PixelRect settingsDialogClient(DpiScale scale)
{
    return scale.whole(TwipRect{0, 0, kSetupClientSize.width, kSetupClientSize.height});
}

std::optional<std::size_t> settingsControlNamed(std::string_view name)
{
    if (name.empty())
        return std::nullopt;
    for (std::size_t index = 0; index < kSetupControls.size(); ++index) {
        if (kSetupControls[index].name == name)
            return index;
    }
    return std::nullopt;
}

std::vector<DialogControlSpec> settingsDialogPlan(DpiScale scale)
{
    std::vector<DialogControlSpec> plan;
    plan.reserve(kSetupControls.size());
    for (std::size_t index = 0; index < kSetupControls.size(); ++index) {
        const ControlPlacement& placement = kSetupControls[index];
        const KindClass kind = classOf(placement.kind);
        DialogControlSpec spec;
        spec.placement = &placement;
        spec.index = index;
        spec.parent = settingsControlNamed(placement.parent);
        spec.className = kind.className;
        // A group box drawn over the controls it frames would hide them.
        spec.style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | kind.style;
        if (startsGroup(index))
            spec.style |= WS_GROUP;
        if (placement.name == kSettingsDefaultButton)
            spec.style = (spec.style & ~static_cast<DWORD>(BS_TYPEMASK)) | BS_DEFPUSHBUTTON;
        spec.extendedStyle = kind.extendedStyle;
        spec.id = kFirstControlId + static_cast<int>(index);
        spec.rect = scale.whole(inDialog(index));
        if (placement.kind == ControlKind::ShowHideCombo)
            spec.rect.height = scale.whole(placement.rect.height * kComboListRows);
        plan.push_back(spec);
    }
    return plan;
}

std::string_view settingsOpeningFocus(const SettingsDialogState& state)
{
    return state.perItemChecked ? "Check2" : "Check1";
}

std::optional<std::size_t> settingsControlOfId(int id)
{
    if (id < kFirstControlId || id >= kFirstControlId + static_cast<int>(kSetupControls.size()))
        return std::nullopt;
    return static_cast<std::size_t>(id - kFirstControlId);
}

bool settingsControlWithin(std::size_t index, std::string_view group)
{
    for (auto parent = settingsControlNamed(kSetupControls[index].parent); parent;
         parent = settingsControlNamed(kSetupControls[*parent].parent)) {
        if (kSetupControls[*parent].name == group)
            return true;
    }
    return false;
}

}  // namespace tavlo
