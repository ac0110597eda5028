#include "platform/linux/mmap_memory_blocks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

constexpr std::uint64_t kMB = 1024 * 1024;

// No control group sets a limit.
testing::FakeMemory noLimitAtAll()
{
    testing::FakeMemory memory;
    memory.figures.reset();
    return memory;
}

TEST(MmapMemoryBlocks, CommitsABlockThatFitsAndRefusesOneBeyondTheMargin)
{
    testing::FakeMemory memory;
    testing::FakeMemory noLimit = noLimitAtAll();
    memory.figures = MemoryFigures{1000 * kMB, 200 * kMB};
    MmapMemoryBlocks blocks(memory, noLimit);
    EXPECT_TRUE(blocks.reserve(kMB));  // 4 MB
    // 200 MB available less 50 MB of margin: 160 MB is too much.
    EXPECT_FALSE(blocks.reserve(40 * kMB));
    EXPECT_TRUE(blocks.reserve(1));
    blocks.release();
    memory.figures.reset();
    EXPECT_FALSE(blocks.reserve(1));  // without figures nothing is risked
}

// Every step reads the figures afresh: the steps before took what they
// committed.
TEST(MmapMemoryBlocks, EachStepJudgesByFreshFigures)
{
    testing::FakeMemory memory;
    testing::FakeMemory noLimit = noLimitAtAll();
    memory.figures = MemoryFigures{1000 * kMB, 500 * kMB};
    MmapMemoryBlocks blocks(memory, noLimit);
    EXPECT_TRUE(blocks.reserve(kMB));
    EXPECT_TRUE(blocks.reserve(2 * kMB));
    EXPECT_EQ(memory.reads, 2);
    EXPECT_EQ(noLimit.reads, 2);
}

// A control group's limit holds the block to its own room, less 5 % of the
// limit, however much the machine has free.
TEST(MmapMemoryBlocks, AControlGroupsLimitRefusesWhatTheMachineWouldHold)
{
    testing::FakeMemory memory;
    memory.figures = MemoryFigures{64 * 1024 * kMB, 32 * 1024 * kMB};
    testing::FakeMemory limit;
    limit.figures = MemoryFigures{100 * kMB, 20 * kMB};  // 15 MB of room beyond the margin
    MmapMemoryBlocks blocks(memory, limit);
    EXPECT_TRUE(blocks.reserve(15 * kMB / 4));
    blocks.release();
    EXPECT_FALSE(blocks.reserve(15 * kMB / 4 + 1));
}

// Anonymous memory this process has in RAM, in bytes.
std::int64_t residentAnonymous()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("RssAnon:", 0) == 0)
            return std::stoll(line.substr(8)) * 1024;
    }
    return -1;
}

TEST(MmapMemoryBlocks, AGrowingBlockHoldsEveryWordCommittedAndGivesItAllBack)
{
    testing::FakeMemory memory;
    memory.figures = MemoryFigures{std::uint64_t{64} << 30, std::uint64_t{32} << 30};
    testing::FakeMemory noLimit = noLimitAtAll();
    MmapMemoryBlocks blocks(memory, noLimit);
    const std::int64_t before = residentAnonymous();
    const std::uint64_t unit = 16 * 1024 * 1024;  // 64 MB of words
    for (std::uint64_t k = 0; k < 4; ++k) {
        ASSERT_TRUE(blocks.reserve(unit * (k + 1) + 1));
        EXPECT_GE(residentAnonymous() - before, static_cast<std::int64_t>((unit * (k + 1) + 1) * 4) - (1 << 20))
            << "step " << k;
    }
    blocks.release();
    EXPECT_LT(residentAnonymous() - before, 4 << 20);
}

}  // namespace
}  // namespace tavlo
