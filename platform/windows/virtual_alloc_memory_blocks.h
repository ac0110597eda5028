#pragma once

#include <cstddef>
#include <cstdint>
#include <mutex>
#include <span>

#include "platform/memory_blocks.h"
#include "platform/memory_status.h"

namespace tavlo {

// A range of address space as large as the machine's memory, reserved once
// and committed page by page as the block grows, every page touched. A block
// that would take more than the memory available now, less a margin of 5 %
// of the total, counts as one the system cannot hold: the system would
// rather page other programs out. So does one beyond the range reserved.
class VirtualAllocMemoryBlocks final : public MemoryBlocks {
public:
    explicit VirtualAllocMemoryBlocks(MemoryStatus& memory) : memory_(memory) {}
    ~VirtualAllocMemoryBlocks() override { release(); }
    VirtualAllocMemoryBlocks(const VirtualAllocMemoryBlocks&) = delete;
    VirtualAllocMemoryBlocks& operator=(const VirtualAllocMemoryBlocks&) = delete;

    bool reserve(std::uint64_t words) override;
    void release() override;

    // The words held.
    std::span<std::uint32_t> words() const
    {
        return {static_cast<std::uint32_t*>(range_), bytes_ / sizeof(std::uint32_t)};
    }

private:
    // Commits the range reserved up to `pages` bytes (whole pages).
    bool commit(std::size_t pages);
    void releaseHeld();

    MemoryStatus& memory_;
    // A block is never resized while it is given back.
    std::mutex mutex_;
    void* range_ = nullptr;
    std::size_t rangeBytes_ = 0;
    std::size_t committed_ = 0;  // whole pages
    std::size_t bytes_ = 0;
};

}  // namespace tavlo
