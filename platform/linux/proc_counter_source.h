#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/counter_source.h"
#include "platform/linux/proc_parsers.h"

namespace tavlo {

// The four counters from /proc and statvfs. A sample of all four is taken
// when a read finds the latest one a second old (sooner while no rate is
// known yet), so the source needs no timer or thread of its own.
class ProcCounterSource final : public CounterSource {
public:
    struct Sources {
        std::string stat = "/proc/stat";
        std::string diskstats = "/proc/diskstats";
        std::string meminfo = "/proc/meminfo";
        std::string mountinfo = "/proc/self/mountinfo";
        // Bytes free for users and in all of a mounted file system.
        std::function<std::optional<std::pair<double, double>>(const std::string&)> space;
        // Seconds on a clock that never goes back.
        std::function<double()> now;
    };

    ProcCounterSource();
    explicit ProcCounterSource(Sources sources);

    std::optional<double> read(int index) override;

private:
    struct Sample {
        double time = 0;
        std::optional<CpuTimes> cpu;
        std::optional<DiskTimes> disk;
        std::optional<double> freePercent;
        std::optional<double> availableMb;
    };

    Sample takeSample() const;
    void sampleIfDue();

    Sources sources_;
    std::optional<Sample> latest_;
    std::optional<double> processorPercent_;
    std::optional<double> diskPercent_;
};

}  // namespace tavlo
