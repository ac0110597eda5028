#pragma once

#include <optional>
#include <string>

namespace tavlo {

// Chooses the window-system platform before Qt starts: on Linux the X11 one,
// also on a Wayland session (through XWayland), since the gadget places its
// own window. A platform named in QT_QPA_PLATFORM is left as it is.
void prepareDisplayPlatform();

// One line saying why no display can be reached, or nothing when it can.
std::optional<std::string> displayProblem();

}  // namespace tavlo
