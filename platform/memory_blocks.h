#pragma once

#include <algorithm>
#include <cstddef>
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

// Blocks are committed and given back in slices of 64 MB, a few tens of
// milliseconds each: the whole block at once would hold the caller for a
// second.
inline constexpr std::size_t kMemorySlice = std::size_t{64} << 20;

// Calls `commit(at, length)` over [from, to) slice by slice, and `meanwhile`
// between slices; false as soon as a slice fails.
template <typename Commit>
bool commitInSlices(std::size_t from, std::size_t to, Commit commit, const std::function<void()>& meanwhile)
{
    for (std::size_t at = from; at < to; at += kMemorySlice) {
        if (!commit(at, std::min(kMemorySlice, to - at)))
            return false;
        if (meanwhile && at + kMemorySlice < to)
            meanwhile();
    }
    return true;
}

// Calls `giveBack(from, to)` over [0, end) slice by slice from its end, so
// that what is left stays one piece, and `meanwhile` between slices.
template <typename GiveBack>
void giveBackInSlices(std::size_t end, GiveBack giveBack, const std::function<void()>& meanwhile)
{
    while (end > 0) {
        const std::size_t from = end > kMemorySlice ? (end - 1) / kMemorySlice * kMemorySlice : 0;
        giveBack(from, end);
        end = from;
        if (meanwhile && end > 0)
            meanwhile();
    }
}

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
