#pragma once

#include <functional>
#include <string>

#include "core/timers.h"
#include "display/gadget_view.h"
#include "platform/memory_blocks.h"

namespace tavlo {

// The load handler of frmMClr: with the refresh timers stopped and the clock
// and RAM readouts borrowed as its progress, a block grows in ten steps to
// 10 N words (N = lblMClr, about 30 % of physical memory) and is given back;
// TmrRS then hands the display back. `letEventsRun` repaints `view` in
// between.
void releaseMemory(const std::string& lblMClr, GadgetView& view, MainTimers& timers, MemoryBlocks& blocks,
    const std::function<void()>& letEventsRun);

}  // namespace tavlo
