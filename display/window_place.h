#pragma once

#include "core/settings_store.h"
#include "display/gadget_view.h"
#include "platform/screen.h"

namespace tavlo {

// The main window's size in twips: the readouts, and with the position
// strip uncovered below them.
inline constexpr double kWindowWidth = 3630;
inline constexpr double kNormalHeight = 3555;
inline constexpr double kPositionModeHeight = 4350;

// How much of the window a screen must show, across and down, for a stored
// place to be kept: 32 pixels.
inline constexpr double kLeastShownTwips = twipsOf(32);

// The default position: top = screen height / 13, left = screen width −
// window width − 350, in twips.
double defaultTop(const Screen& screen);
double defaultLeft(const Screen& screen, double windowWidth);

// The place in WTop and WLeft, or the default place where either is empty or
// where the window would be on no screen.
void placeAtStoredPlace(const SettingsStore& store, const Screen& screen, WindowView& window);

}  // namespace tavlo
