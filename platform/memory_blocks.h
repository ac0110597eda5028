#pragma once

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <system_error>
#include <thread>
#include <vector>

#include "platform/memory_status.h"

namespace tavlo {

// The block that the memory release grows: committed, zero-filled memory of
// 32-bit words, every page touched so that the system must find it room.
class MemoryBlocks {
public:
    virtual ~MemoryBlocks() = default;

    // Makes the block held one of `words` words (a block that grows keeps
    // what it held); false when the system cannot hold it (nothing is held
    // then).
    virtual bool reserve(std::uint64_t words) = 0;

    // Gives back the block held, if any.
    virtual void release() = 0;
};

// Blocks are committed in slices of 64 MB, a few tens of milliseconds each,
// shared out among the committing threads.
inline constexpr std::size_t kMemorySlice = std::size_t{64} << 20;

// Threads that commit a block together: the system faults in and
// zero-fills the pages of one process on every core at once, and that is
// nearly all the time a commit takes. The caller only waits.
inline unsigned committingThreads()
{
    return std::clamp(std::thread::hardware_concurrency(), 1U, 8U);
}

// Calls `commit(at, length)` once for each slice of [from, to), on
// `threads` threads at once, while the calling thread waits; false when a
// slice failed (no slice is begun after that). Where no thread can be
// started, the caller commits the slices itself.
template <typename Commit>
bool commitInSlices(std::size_t from, std::size_t to, Commit commit, unsigned threads = committingThreads())
{
    std::atomic<std::size_t> next{from};
    std::atomic<bool> failed{false};
    const auto commitNext = [&] {
        const std::size_t at = next.fetch_add(kMemorySlice);
        if (failed || at >= to)
            return false;
        if (commit(at, std::min(kMemorySlice, to - at)))
            return true;
        failed = true;
        return false;
    };

    {
        // Joined as they go out of scope, before what they use.
        std::vector<std::jthread> workers;
        const std::size_t slices = from < to ? (to - from - 1) / kMemorySlice + 1 : 0;
        for (unsigned i = 0; i < threads && i < slices; ++i) {
            try {
                workers.emplace_back([&] {
                    while (commitNext()) {}
                });
            } catch (const std::system_error&) {
                break;
            }
        }
        if (workers.empty()) {
            while (commitNext()) {}
        }
    }
    return !failed;
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
