#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

#include "platform/geometry.h"
#include "setup/settings_dialog_layout.h"
#include "setup/settings_dialog_state.h"
#include "shell/win32/dpi_scale.h"

namespace tavlo {

// A control of kSetupControls as CreateWindowExW makes it. Every control is
// a child of the dialog itself, placed in its client area: a group box
// forwards no notifications, so the controls it frames only stand inside it.
struct DialogControlSpec {
    const ControlPlacement* placement = nullptr;
    // The control's place in kSetupControls, and its parent's (none: the
    // dialog).
    std::size_t index = 0;
    std::optional<std::size_t> parent;
    const wchar_t* className = nullptr;
    DWORD style = 0;
    DWORD extendedStyle = 0;
    int id = 0;
    PixelRect rect;
};

// "保存", the dialog's one action, is its default push button: Enter saves,
// and the dialog stays open as after a click on it.
inline constexpr std::string_view kSettingsDefaultButton = "Command6";

// The dialog's client area in pixels at `scale`.
PixelRect settingsDialogClient(DpiScale scale);

// Every control of kSetupControls in the table's order, placed at `scale`.
// The keyboard follows that order: Tab goes from one WS_TABSTOP control to
// the next, and a WS_GROUP control starts a run of controls that the arrow
// keys stay within.
std::vector<DialogControlSpec> settingsDialogPlan(DpiScale scale);

// The control the keyboard starts on when the dialog opens: the check box
// of the colour mode in force, so that Space does not switch the mode and
// throw colours away; without a mode the first control.
std::string_view settingsOpeningFocus(const SettingsDialogState& state);

// The control of a WM_COMMAND id, as an index into kSetupControls.
std::optional<std::size_t> settingsControlOfId(int id);

// Whether the control at `index` stands in the group named `group`, at any
// depth: disabling a group disables what it frames.
bool settingsControlWithin(std::size_t index, std::string_view group);

// The index of the control named `name` in kSetupControls.
std::optional<std::size_t> settingsControlNamed(std::string_view name);

}  // namespace tavlo
