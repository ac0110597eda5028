#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/counter_source.h"
#include "platform/linux/kept_file.h"
#include "platform/linux/proc_parsers.h"

namespace tavlo {

// The four counters from /proc and statvfs. A sample is taken by the first
// read in each second of the clock (sooner while no rate is known yet), so
// the source needs no timer or thread of its own; a level counter is read
// only when asked for, once per sample.
class ProcCounterSource final : public CounterSource {
public:
    struct Sources {
        std::string stat = "/proc/stat";
        std::string diskstats = "/proc/diskstats";
        std::string meminfo = "/proc/meminfo";
        std::string mountinfo = "/proc/self/mountinfo";
        // Bytes free for users and in all of a mounted file system.
        std::function<std::optional<std::pair<double, double>>(const std::string&)> space;
        // Seconds of the wall clock, the one the gadget's clock shows.
        std::function<double()> now;
    };

    ProcCounterSource();
    explicit ProcCounterSource(Sources sources);

    std::optional<double> read(int index) override;

private:
    // The figures whose rates need two samples.
    struct Sample {
        double time = 0;
        std::optional<CpuTimes> cpu;
        std::optional<DiskTimes> disk;
    };

    Sample takeSample();
    void sampleIfDue();
    // Levels, read when asked for, once per sample.
    std::optional<double> availableMegabytes();
    std::optional<double> freeSpacePercent();

    Sources sources_;
    KeptFile stat_, diskstats_, meminfo_, mountinfo_;
    std::optional<Sample> latest_;
    std::optional<double> processorPercent_;
    std::optional<double> diskPercent_;
    std::optional<std::optional<double>> freeSpace_;
    std::optional<std::optional<double>> availableMemory_;
    std::optional<double> mountsRead_;
    std::vector<std::string> mounts_;
};

}  // namespace tavlo
