#pragma once

namespace tavlo {

class FrmDTMn;

// Where the memory row's figures come from: the system's memory status
// (TmrN) or the stated size in RTUl (TmrR).
enum class RefreshMode { MemoryStatus, StatedSize };

// One tick of the refresh timer: today's date fields and, after a change of
// day, the moon; the clock; the memory, processor, disk and free-space
// readouts with their bars; the icon's tip. From the memory step on, a step
// that fails leaves its targets as they were and the tick goes on.
void refreshTick(FrmDTMn& form, RefreshMode mode);

}  // namespace tavlo
