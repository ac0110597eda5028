#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "platform/memory_status.h"

namespace tavlo {

// The control groups of a /proc/<pid>/cgroup text: the unified hierarchy's
// ("0::/path") and the memory controller's of the older one
// ("N:memory:/path"), where present.
struct CgroupPaths {
    std::optional<std::string> unified, memory;
};
CgroupPaths parseProcCgroup(std::string_view text);

// A limit file's value in bytes: nothing for "max" (unified) or the older
// hierarchy's "no limit" (2^63 rounded down to a page), or for a malformed
// text.
std::optional<std::uint64_t> parseCgroupBytes(std::string_view text);

// The memory limit that the process's control groups set: a system slice's
// MemoryMax, a container's limit. Past it the kernel ends the process, however
// much memory the machine has free.
class CgroupMemory final : public MemoryStatus {
public:
    explicit CgroupMemory(std::string mounts = "/sys/fs/cgroup", std::string self = "/proc/self/cgroup");

    // Of the process's group and every group above it, the one whose limit
    // leaves the least room: its limit as the total and that room as the
    // memory available. Nothing where no group sets a limit.
    std::optional<MemoryFigures> read() override;

private:
    std::string mounts_;
    std::string self_;
};

}  // namespace tavlo
