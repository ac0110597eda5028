#pragma once

#include <optional>
#include <string>

#include "core/settings_store.h"
#include "display/gadget_view.h"
#include "platform/clock.h"
#include "platform/counter_source.h"
#include "platform/memory_status.h"
#include "platform/text_codec.h"

namespace tavlo {

// Where the memory row's figures come from: the system's memory status
// (TmrN) or the stated size in RTUl (TmrR).
enum class RefreshMode { MemoryStatus, StatedSize };

// What one tick reads from the system, each figure once.
struct TickSample {
    LocalDateTime now;
    std::string shortDate, longDate, longTime;
    std::optional<MemoryFigures> memory;  // memory-status mode
    std::optional<double> availableMb;    // stated-size mode
    std::optional<double> freeSpace, diskTime, processorTime;
};

// Working labels outside the visible area: the processor, disk-time and
// free-space values that one tick hands to the next, so that a failed read
// keeps its bar as it was.
struct WorkingLabels {
    std::string lblC = "C", lblD = "D", lblDs = "DS";
};

// The clock's short date and long time are read only where the clock shows.
TickSample sampleTick(
    RefreshMode mode, bool clockShown, const Clock& clock, MemoryStatus& memory, CounterSource& counters);

// One tick of the refresh timer: today's date fields and, after a change of
// day, the moon; the clock; the memory, processor, disk and free-space
// readouts with their bars; the icon's tip. From the memory step on, a step
// that fails leaves its targets as they were and the tick goes on.
GadgetView refreshTick(GadgetView view, SettingsStore& store, WorkingLabels& labels, TickSample sample,
    RefreshMode mode, const TextCodec& codec);

}  // namespace tavlo
