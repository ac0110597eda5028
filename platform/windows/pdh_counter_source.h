#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "platform/counter_source.h"
#include "platform/windows/pdh_query.h"
#include "platform/windows/system_figures.h"

namespace tavlo {

// The four counters through one PDH query. A sample is taken by the first
// read in each second of the clock (sooner while no rate is known yet), so
// the source needs no timer or thread of its own. A counter that PDH cannot
// add, collect or format in a sample is read from Win32 in that sample:
// processor time from GetSystemTimes, available memory from
// GlobalMemoryStatusEx, free space from the fixed drives; disk time has no
// such figure and reads as nothing. The first read answers the levels; the
// rates answer from the second sample on.
class PdhCounterSource final : public CounterSource {
public:
    // What the source reads, each replaceable by a test; the system's own
    // where left empty.
    struct Sources {
        std::unique_ptr<PdhQuery> pdh;
        std::function<std::optional<ProcessorTicks>()> processorTicks;
        // GlobalMemoryStatusEx's available physical memory.
        std::function<std::optional<std::uint64_t>()> availableBytes;
        std::function<std::optional<DriveSpace>()> fixedDriveSpace;
        // Seconds of the wall clock, the one the gadget's clock shows.
        std::function<double()> now;
    };

    PdhCounterSource();
    explicit PdhCounterSource(Sources sources);

    std::optional<double> read(int index) override;

private:
    void sampleIfDue();
    std::optional<double> fallback(int index);

    Sources sources_;
    std::array<bool, 4> added_{};
    std::optional<double> sampled_;
    // PDH's values in the latest sample, by index from 1.
    std::array<std::optional<double>, 4> pdhValues_;
    std::optional<ProcessorTicks> ticks_;
    std::optional<double> processorFallback_;
    // Read when asked for, once per sample.
    std::optional<std::optional<double>> memoryFallback_, spaceFallback_;
};

}  // namespace tavlo
