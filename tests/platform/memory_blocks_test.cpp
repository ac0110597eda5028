#include "platform/memory_blocks.h"

#include <gtest/gtest.h>

#include <string>

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
            from, to, [&](std::size_t at, std::size_t length) { return slices.add(at, length); }, threads));
        EXPECT_EQ(slices.twice, 0) << threads << " threads";
        std::size_t covered = from;
        for (const auto& [at, length] : slices.lengths) {
            EXPECT_EQ(at, covered) << threads << " threads";
            covered = at + length;
        }
        EXPECT_EQ(covered, to) << threads << " threads";
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
        EXPECT_FALSE(commitInSlices(0, 100 * kMemorySlice, commit, threads)) << threads << " threads";
        // Each thread may have begun one slice of its own before it saw the failure.
        EXPECT_LE(begun, 3 + static_cast<int>(std::max(threads, 1U))) << threads << " threads";
    }
}

// The margin is 5 % of the total: 50 of 1000 here. What is available less
// the margin must hold the growth, to the byte.
struct RoomRow {
    const char* name;
    std::uint64_t available, more;
    bool fits;
};

class RoomRule : public ::testing::TestWithParam<RoomRow> {};

TEST_P(RoomRule, HoldsTheGrowthWithinTheAvailableLessTheMargin)
{
    EXPECT_EQ(roomFor(GetParam().more, MemoryFigures{1000, GetParam().available}), GetParam().fits);
}

INSTANTIATE_TEST_SUITE_P(Margin, RoomRule,
    ::testing::Values(RoomRow{"BelowTheRoom", 300, 249, true}, RoomRow{"AtTheRoom", 300, 250, true},
        RoomRow{"AboveTheRoom", 300, 251, false}, RoomRow{"NothingAtTheMargin", 50, 0, true},
        RoomRow{"SomethingAtTheMargin", 50, 1, false}, RoomRow{"BelowTheMargin", 49, 0, false}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(RoomRule, UnknownFiguresHoldNothing)
{
    EXPECT_FALSE(roomFor(0, std::nullopt));
}

}  // namespace
}  // namespace tavlo
