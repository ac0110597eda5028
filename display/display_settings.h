#pragma once

#include "display/gadget_view.h"

namespace tavlo {

class FrmDTMn;

// Turns the settings store of the main window into its look: position,
// stated memory size, colours, colour key, clock and moon blocks, refresh
// timer; ends by showing the window. Writes back BClor, CVw, MVw, ClFntSt and
// the moon fields when they need a value.
void ApplyDisplaySettings(FrmDTMn& form);

// The colour key derived from a text colour: 10 below it, or 10 above it
// when it is below 15, so that it never goes negative.
Colour derivedColourKey(Colour textColour);

}  // namespace tavlo
