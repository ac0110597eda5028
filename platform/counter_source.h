#pragma once

#include <optional>

namespace tavlo {

// The four counters of the gadget, by index from 1:
//   1 "\LogicalDisk(_Total)\% Free Space"
//   2 "\Memory\Available MBytes"
//   3 "\PhysicalDisk(_Total)\% Disk Time"
//   4 "\Processor(_Total)\% Processor Time"
// The source samples on its own; a read answers with the latest value, or
// nothing when the counter cannot be read.
class CounterSource {
public:
    virtual ~CounterSource() = default;
    virtual std::optional<double> read(int index) = 0;
};

inline constexpr int kFreeSpaceCounter = 1;
inline constexpr int kAvailableMemoryCounter = 2;
inline constexpr int kDiskTimeCounter = 3;
inline constexpr int kProcessorTimeCounter = 4;

}  // namespace tavlo
