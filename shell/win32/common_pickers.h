#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "display/gadget_view.h"
#include "setup/settings_dialog_state.h"
#include "shell/win32/dpi_scale.h"

namespace tavlo {

// The system's colour dialog, opening on `initial` with every custom
// colour set to it; nothing when the user cancelled.
std::optional<Colour> chooseColour(HWND owner, Colour initial);

// The system's font dialog, opening on `face` at `points`, regular and
// without effects; nothing when the user cancelled.
std::optional<FontChoice> chooseFont(HWND owner, const std::string& face, int points, DpiScale scale);

}  // namespace tavlo
