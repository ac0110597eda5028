#include "platform/windows/virtual_alloc_memory_blocks.h"

#include <windows.h>

#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <vector>

#include "platform/windows/win32_memory_status.h"
#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;

TEST(Win32MemoryStatus, ReadsTheMachinesMemoryIn64Bits)
{
    Win32MemoryStatus memory;
    const auto figures = memory.read();
    ASSERT_TRUE(figures);
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    ASSERT_TRUE(GlobalMemoryStatusEx(&status));
    EXPECT_EQ(figures->totalBytes, status.ullTotalPhys);
    EXPECT_GT(figures->availableBytes, 0u);
    EXPECT_LE(figures->availableBytes, figures->totalBytes);
}

TEST(VirtualAllocMemoryBlocks, CommitsABlockThatFitsAndRefusesOneBeyondTheMargin)
{
    testing::FakeMemory memory;
    memory.figures = MemoryFigures{1000 * kMegabyte, 200 * kMegabyte};
    VirtualAllocMemoryBlocks blocks(memory);
    EXPECT_TRUE(blocks.reserve(kMegabyte));  // 4 MB
    // 200 MB available less 50 MB of margin: 160 MB is too much.
    EXPECT_FALSE(blocks.reserve(40 * kMegabyte));
    EXPECT_TRUE(blocks.words().empty());  // nothing is held after a refusal
    EXPECT_TRUE(blocks.reserve(1));
    blocks.release();
    memory.figures.reset();
    EXPECT_FALSE(blocks.reserve(1));  // without figures nothing is risked
    memory.figures = MemoryFigures{~std::uint64_t{0}, ~std::uint64_t{0}};
    EXPECT_FALSE(blocks.reserve(~std::uint64_t{0}));  // more words than the address space has bytes
}

// The memory this process has committed. Wine leaves PrivateUsage 0 and
// tells as PagefileUsage the process's anonymous memory in RAM, which only
// touched pages take; Windows tells its commit charge in both.
std::int64_t committedBytes()
{
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    return static_cast<std::int64_t>(std::max(counters.PrivateUsage, counters.PagefileUsage));
}

TEST(VirtualAllocMemoryBlocks, AGrowingBlockIsCommittedAndGivesItAllBack)
{
    // Wine keeps a byte for each page of a range reserved, and keeps them
    // after the range is released: a machine of 2 GB costs it 512 KB.
    testing::FakeMemory memory;
    memory.figures = MemoryFigures{std::uint64_t{2} << 30, std::uint64_t{1} << 30};
    VirtualAllocMemoryBlocks blocks(memory);
    const std::int64_t before = committedBytes();
    const std::uint64_t unit = 16 * kMegabyte;  // 64 MB of words
    for (std::uint64_t k = 0; k < 4; ++k) {
        ASSERT_TRUE(blocks.reserve(unit * (k + 1) + 1));
        EXPECT_GE(committedBytes() - before, static_cast<std::int64_t>((unit * (k + 1) + 1) * 4)) << "step " << k;
    }
    blocks.release();
    EXPECT_LT(committedBytes() - before, 4 << 20);
}

// A machine of 8 GB with 4 GB available: the block grows in place.
TEST(VirtualAllocMemoryBlocks, KeepsTheWordsWrittenBefore)
{
    testing::FakeMemory memory;
    memory.figures = MemoryFigures{std::uint64_t{8} << 30, std::uint64_t{4} << 30};
    VirtualAllocMemoryBlocks blocks(memory);
    ASSERT_TRUE(blocks.reserve(kMegabyte + 3));
    for (std::size_t at = 0; at < blocks.words().size(); ++at)
        blocks.words()[at] = static_cast<std::uint32_t>(at * 2654435761u);

    const std::uint32_t* before = blocks.words().data();
    ASSERT_TRUE(blocks.reserve(50 * kMegabyte));  // 196 MB more: four slices, on threads of their own
    ASSERT_EQ(blocks.words().size(), 50 * kMegabyte);
    EXPECT_EQ(blocks.words().data(), before);
    std::size_t changed = 0;
    for (std::size_t at = 0; at < kMegabyte + 3; ++at)
        changed += blocks.words()[at] != static_cast<std::uint32_t>(at * 2654435761u) ? 1 : 0;
    EXPECT_EQ(changed, 0u);
    std::size_t nonZero = 0;
    for (std::size_t at = kMegabyte + 3; at < blocks.words().size(); ++at)
        nonZero += blocks.words()[at] != 0 ? 1 : 0;
    EXPECT_EQ(nonZero, 0u);
}

// Only figures that say more is available than the machine has let a
// growth pass the range reserved for the machine's memory.
TEST(VirtualAllocMemoryBlocks, AGrowthBeyondTheRangeReservedIsRefusedAndGivesEverythingBack)
{
    testing::FakeMemory memory;
    memory.figures = MemoryFigures{16 * kMegabyte, std::uint64_t{4} << 30};
    VirtualAllocMemoryBlocks blocks(memory);
    // The thread that commits has a stack, which the system may keep for the next.
    ASSERT_TRUE(blocks.reserve(1));
    blocks.release();
    const std::int64_t before = committedBytes();
    ASSERT_TRUE(blocks.reserve(kMegabyte));  // 4 MB of the 16 reserved
    EXPECT_FALSE(blocks.reserve(50 * kMegabyte));
    EXPECT_TRUE(blocks.words().empty());
    EXPECT_LT(committedBytes() - before, 1 << 20);
    EXPECT_TRUE(blocks.reserve(kMegabyte));
}

TEST(VirtualAllocMemoryBlocks, ABlockThatShrinksAndGrowsAgainReadsZerosPastItsSmallerEnd)
{
    testing::FakeMemory memory;
    memory.figures = MemoryFigures{std::uint64_t{2} << 30, std::uint64_t{1} << 30};
    VirtualAllocMemoryBlocks blocks(memory);
    SYSTEM_INFO system{};
    GetSystemInfo(&system);
    const std::size_t wordsAPage = system.dwPageSize / sizeof(std::uint32_t);
    const std::size_t full = 4 * wordsAPage;
    const std::size_t shrunk = wordsAPage + wordsAPage / 2 + 1;  // ends within the second page
    ASSERT_TRUE(blocks.reserve(full));
    std::ranges::fill(blocks.words(), 0xDEADBEEFu);
    ASSERT_TRUE(blocks.reserve(shrunk));
    ASSERT_TRUE(blocks.reserve(full));
    std::size_t kept = 0, nonZero = 0;
    for (std::size_t at = 0; at < full; ++at) {
        kept += at < shrunk && blocks.words()[at] == 0xDEADBEEFu ? 1 : 0;
        nonZero += at >= shrunk && blocks.words()[at] != 0 ? 1 : 0;
    }
    EXPECT_EQ(kept, shrunk);
    EXPECT_EQ(nonZero, 0u);
}

}  // namespace
}  // namespace tavlo
