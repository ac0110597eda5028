#include "platform/memory_blocks.h"

#include <gtest/gtest.h>

#include <atomic>
#include <map>
#include <mutex>

namespace tavlo {
namespace {

// The slices committed, by their start: each must come exactly once.
struct Slices {
    std::mutex mutex;
    std::map<std::size_t, std::size_t> lengths;
    int twice = 0;

    bool add(std::size_t at, std::size_t length)
    {
        std::lock_guard lock(mutex);
        twice += lengths.count(at) ? 1 : 0;
        lengths[at] = length;
        return true;
    }
};

TEST(CommitInSlices, CommitsEverySliceOnceOnAnyNumberOfThreads)
{
    // From an odd start to an odd end: the last slice is short.
    const std::size_t from = 3 * kMemorySlice;
    const std::size_t to = 10 * kMemorySlice + 12345;
    for (const unsigned threads : {0U, 1U, 2U, 8U, 20U}) {
        Slices slices;
        EXPECT_TRUE(commitInSlices(
            from, to, [&](std::size_t at, std::size_t length) { return slices.add(at, length); }, {}, threads));
        EXPECT_EQ(slices.twice, 0) << threads << " threads";
        std::size_t covered = from;
        for (const auto& [at, length] : slices.lengths) {
            EXPECT_EQ(at, covered) << threads << " threads";
            covered = at + length;
        }
        EXPECT_EQ(covered, to) << threads << " threads";
    }
}

// The caller lets events run while the threads commit: a slice that waits
// for an event is committed.
TEST(CommitInSlices, TheCallerLetsEventsRunWhileTheThreadsCommit)
{
    for (const unsigned threads : {1U, 2U}) {
        std::atomic<bool> eventRan{false};
        const auto commit = [&](std::size_t at, std::size_t) {
            if (at == 0) {
                while (!eventRan)
                    std::this_thread::yield();
            }
            return true;
        };
        EXPECT_TRUE(commitInSlices(
            0, 4 * kMemorySlice, commit, [&] { eventRan = true; }, threads));
    }
}

TEST(CommitInSlices, AFailedSliceFailsTheCommitAndNoSliceBeginsAfterIt)
{
    for (const unsigned threads : {0U, 1U, 3U}) {
        std::atomic<int> begun{0};
        std::atomic<bool> failedOnce{false};
        const auto commit = [&](std::size_t at, std::size_t) {
            ++begun;
            if (at == 2 * kMemorySlice) {
                failedOnce = true;
                return false;
            }
            return !failedOnce;
        };
        EXPECT_FALSE(commitInSlices(0, 100 * kMemorySlice, commit, {}, threads)) << threads << " threads";
        // Each thread may have begun one slice of its own before it saw the failure.
        EXPECT_LE(begun, 3 + static_cast<int>(std::max(threads, 1U))) << threads << " threads";
    }
}

}  // namespace
}  // namespace tavlo
