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
// summed, and how many disks there are (none on an NFS root or in some
// containers).
struct DiskTimes {
    std::uint64_t weightedMs = 0;
    int disks = 0;
};
std::optional<DiskTimes> parseDiskTimes(std::string_view diskstats);

// The mount points of file systems on local disks in /proc/self/mountinfo,
// one per file system: the fixed disks whose free space the gadget shows.
// Network, FUSE and memory file systems are left out, so that a hung server
// can never stall the free-space reading. Nothing when there is none.
std::optional<std::vector<std::string>> parseLocalDiskMounts(std::string_view mountinfo);

// The mount points of /proc/self/mountinfo that are mounted read-write and
// can hold the user's files (memory file systems included, network file
// systems not), each once.
std::vector<std::string> parseWritableMounts(std::string_view mountinfo);

}  // namespace tavlo
