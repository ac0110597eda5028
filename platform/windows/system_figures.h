#pragma once

#include <cstdint>
#include <optional>

namespace tavlo {

// The processors' time since the system started, in 100 ns ticks summed
// over every processor: idle, and in all (idle, kernel and user).
struct ProcessorTicks {
    std::uint64_t idle = 0;
    std::uint64_t total = 0;
};

// Bytes free on the disks, and in all.
struct DriveSpace {
    double free = 0;
    double total = 0;
};

// GetSystemTimes.
std::optional<ProcessorTicks> readProcessorTicks();

// GetDiskFreeSpaceExW summed over every fixed drive; nothing when no fixed
// drive answers.
std::optional<DriveSpace> readFixedDriveSpace();

// The percentage of busy time between two readings, or nothing when no time
// passed or a count went back.
std::optional<double> busyPercent(const ProcessorTicks& before, const ProcessorTicks& after);

}  // namespace tavlo
