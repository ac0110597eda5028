#pragma once

#include <cstddef>
#include <mutex>

#include "platform/memory_blocks.h"
#include "platform/memory_status.h"

namespace tavlo {

// An anonymous mapping with every page committed. A block that would take
// more than the memory available now, less a margin of 5 % of the total, or
// more than the room the process's control group leaves, less 5 % of its
// limit, counts as one the system cannot hold: on Linux an overcommitted
// block would rather wake the out-of-memory killer, which may end this or
// another program. Both are read afresh for every step: the steps before
// took what they committed.
class MmapMemoryBlocks final : public MemoryBlocks {
public:
    // `limit` reads nothing where no control group sets a limit.
    MmapMemoryBlocks(MemoryStatus& memory, MemoryStatus& limit) : memory_(memory), limit_(limit) {}
    ~MmapMemoryBlocks() override { release(); }
    MmapMemoryBlocks(const MmapMemoryBlocks&) = delete;
    MmapMemoryBlocks& operator=(const MmapMemoryBlocks&) = delete;

    bool reserve(std::uint64_t words) override;
    void release() override;

private:
    bool roomFor(std::size_t moreBytes);
    void releaseHeld();

    MemoryStatus& memory_;
    MemoryStatus& limit_;
    // A block is never resized while it is given back.
    std::mutex mutex_;
    void* block_ = nullptr;
    std::size_t bytes_ = 0;
};

}  // namespace tavlo
