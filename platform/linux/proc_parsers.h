#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Parsers of the /proc files behind the counters. They take text, so that
// captured files test them; a malformed or truncated text gives nothing.
namespace tavlo {

// Jiffies of the aggregate "cpu" line of /proc/stat.
struct CpuTimes {
    std::uint64_t busy = 0;
    std::uint64_t total = 0;
};
std::optional<CpuTimes> parseCpuTimes(std::string_view stat);

// Milliseconds of queued I/O of the whole physical disks of /proc/diskstats,
// summed, and how many disks there are.
struct DiskTimes {
    std::uint64_t weightedMs = 0;
    int disks = 0;
};
std::optional<DiskTimes> parseDiskTimes(std::string_view diskstats);

// The mount points of real file systems in /proc/self/mountinfo, one per
// device.
std::optional<std::vector<std::string>> parseRealMounts(std::string_view mountinfo);

// The mount points of /proc/self/mountinfo that are mounted read-write and
// can hold the user's files (memory file systems included, network file
// systems not), each once.
std::vector<std::string> parseWritableMounts(std::string_view mountinfo);

}  // namespace tavlo
