#pragma once

#include <cstddef>

#include "platform/memory_blocks.h"
#include "platform/memory_status.h"

namespace tavlo {

// An anonymous mapping with every page committed. A block that would take
// more than the memory available now, less a margin of 5 % of the total,
// counts as one the system cannot hold: on Linux an overcommitted block
// would rather wake the out-of-memory killer, which may end this or another
// program.
class MmapMemoryBlocks final : public MemoryBlocks {
public:
    explicit MmapMemoryBlocks(MemoryStatus& memory) : memory_(memory) {}
    ~MmapMemoryBlocks() override { release(); }
    MmapMemoryBlocks(const MmapMemoryBlocks&) = delete;
    MmapMemoryBlocks& operator=(const MmapMemoryBlocks&) = delete;

    bool reserve(std::uint64_t words, const std::function<void()>& meanwhile = {}) override;
    void release(const std::function<void()>& meanwhile = {}) override;

private:
    MemoryStatus& memory_;
    void* block_ = nullptr;
    std::size_t bytes_ = 0;
};

}  // namespace tavlo
