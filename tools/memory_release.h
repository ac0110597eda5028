#pragma once

#include <functional>

namespace tavlo {

class FrmDTMn;
class MemoryBlocks;

// The load handler of frmMClr: with the refresh timers stopped and the clock
// and RAM readouts borrowed as its progress, a block grows in ten steps to
// 10 N words (N = lblMClr, about 30 % of physical memory) and is given back;
// TmrRS then hands the display back. `letEventsRun` repaints in between.
void releaseMemory(FrmDTMn& form, MemoryBlocks& blocks, const std::function<void()>& letEventsRun);

}  // namespace tavlo
