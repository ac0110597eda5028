#pragma once

#include <string>

#include "core/settings_store.h"
#include "display/gadget_view.h"

namespace tavlo {

// The simplified moon-age rule on the date fields txtYY, txtMM and txtDD:
// 11 days a year within a 19-year cycle of base years, a fixed offset per
// month, the day, reduced in 30-day steps. Writes txtYY2, txtMM2, txtAll and,
// last, txtAge (which selects the moon picture).
void CalcMoonAge(SettingsStore& store, GadgetView& view);

// Gives txtAge a new text; a change of text runs txtAge_Change.
void setMoonAgeText(SettingsStore& store, GadgetView& view, const std::string& text);

// Hides every moon picture and shows the one whose number is exactly the text.
void txtAge_Change(const std::string& age, GadgetView& view);

}  // namespace tavlo
