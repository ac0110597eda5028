#pragma once

#include "core/settings_store.h"
#include "display/gadget_view.h"
#include "platform/clock.h"
#include "platform/screen.h"

namespace tavlo {

// Turns the settings store of the main window into its look: position,
// stated memory size, colours, colour key, clock and moon blocks; ends by
// showing the window. Writes back BClor, CVw, MVw, ClFntSt and the moon
// fields when they need a value. `now` dates the moon.
void ApplyDisplaySettings(SettingsStore& store, GadgetView& view, const Screen& screen, const LocalDateTime& now);

// The look of a first start, without a settings record: the default place,
// a colour key just below the time's colour, clock and moon shown, the clock
// in the regular style, and the moon of the day already set up.
void ApplyFirstRunDefaults(SettingsStore& store, GadgetView& view, const Screen& screen);

// The colour key derived from a text colour: 10 below it, or 10 above it
// when it is below 15, so that it never goes negative.
Colour derivedColourKey(Colour textColour);

}  // namespace tavlo
