#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "platform/memory_status.h"

namespace tavlo {

// The block that the memory release grows: committed, zero-filled memory of
// 32-bit words, every page touched so that the system must find it room.
class MemoryBlocks {
public:
    virtual ~MemoryBlocks() = default;

    // Makes the block held one of `words` words (a block that grows keeps
    // what it held); false when the system cannot hold it (nothing is held
    // then). A long commit calls `meanwhile` now and then, so that the
    // caller can let events run.
    virtual bool reserve(std::uint64_t words, const std::function<void()>& meanwhile = {}) = 0;

    // Gives back the block held, if any; a large one in slices, calling
    // `meanwhile` between them.
    virtual void release(const std::function<void()>& meanwhile = {}) = 0;
};

// Whether `moreBytes` more can be committed now: the memory available, less
// a margin of 5 % of the total, must hold them. Committing past that would
// rather push the system into its out-of-memory handling, which may end this
// or another program; unknown figures hold nothing.
inline bool roomFor(std::uint64_t moreBytes, const std::optional<MemoryFigures>& figures)
{
    if (!figures)
        return false;
    const std::uint64_t margin = figures->totalBytes / 20;
    return figures->availableBytes >= margin && moreBytes <= figures->availableBytes - margin;
}

}  // namespace tavlo
