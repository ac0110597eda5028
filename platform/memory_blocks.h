#pragma once

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <mutex>
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

// How often a caller waiting for a commit gets to let events run.
inline constexpr std::chrono::milliseconds kMeanwhileTurn{25};

// Threads that commit a block together: the system faults in and
// zero-fills the pages of one process on every core at once, and that is
// nearly all the time a commit takes. The caller only waits.
inline unsigned committingThreads()
{
    return std::clamp(std::thread::hardware_concurrency(), 1U, 8U);
}

// Calls `commit(at, length)` once for each slice of [from, to), on
// `threads` threads at once, while the calling thread calls `meanwhile`
// every turn until they are done; false when a slice failed (no slice is
// begun after that). Where no thread can be started, the caller commits the
// slices itself, calling `meanwhile` between them.
template <typename Commit>
bool commitInSlices(std::size_t from, std::size_t to, Commit commit, const std::function<void()>& meanwhile,
    unsigned threads = committingThreads())
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

    std::mutex mutex;
    std::condition_variable finished;
    std::size_t done = 0;
    // Joined as they go out of scope, before what they use.
    std::vector<std::jthread> workers;
    const std::size_t slices = from < to ? (to - from - 1) / kMemorySlice + 1 : 0;
    for (unsigned i = 0; i < threads && i < slices; ++i) {
        try {
            workers.emplace_back([&] {
                while (commitNext()) {}
                std::lock_guard lock(mutex);
                ++done;
                finished.notify_one();
            });
        } catch (const std::system_error&) {
            break;
        }
    }
    if (workers.empty()) {
        while (commitNext()) {
            if (meanwhile && next < to)
                meanwhile();
        }
    } else {
        std::unique_lock lock(mutex);
        while (!finished.wait_for(lock, kMeanwhileTurn, [&] { return done == workers.size(); })) {
            if (meanwhile) {
                lock.unlock();
                meanwhile();
                lock.lock();
            }
        }
    }
    return !failed;
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
