#pragma once

#include <optional>
#include <string>

#include "display/gadget_view.h"
#include "platform/memory_status.h"

namespace tavlo {

// The memory row of one refresh tick: lblRamT (used MB), the RamT bar and
// lblRPer (percent). Each step that fails leaves its target as it was.

// Memory-status mode: used and total from the system's memory figures.
void memoryStatusFigures(const std::optional<MemoryFigures>& figures, GadgetView& view);

// Stated-size mode: used = the stated size `RTUl` in MB minus the available
// memory of the counter source; the percentage comes from the used figure as
// displayed.
void statedSizeFigures(const std::string& RTUl, std::optional<double> availableMb, GadgetView& view);

// A bar width in twips as the shape takes it: single precision.
double shapeWidth(double twips);

}  // namespace tavlo
