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

TEST(MmapMemoryBlocks, CommitsABlockThatFitsAndRefusesOneBeyondTheMargin)
{
    testing::FakeMemory memory;
    memory.figures = MemoryFigures{1000 * 1024 * 1024ULL, 200 * 1024 * 1024ULL};
    MmapMemoryBlocks blocks(memory);
    EXPECT_TRUE(blocks.reserve(1024 * 1024));  // 4 MB
    // 200 MB available less 50 MB of margin: 160 MB is too much.
    EXPECT_FALSE(blocks.reserve(40 * 1024 * 1024));
    EXPECT_TRUE(blocks.reserve(1));
    blocks.release();
    memory.figures.reset();
    EXPECT_FALSE(blocks.reserve(1));  // without figures nothing is risked
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
    MmapMemoryBlocks blocks(memory);
    const std::int64_t before = residentAnonymous();
    const std::uint64_t unit = 16 * 1024 * 1024;  // 64 MB of words
    for (std::uint64_t k = 0; k < 4; ++k) {
        ASSERT_TRUE(blocks.reserve(unit * (k + 1) + 1));
        EXPECT_GE(residentAnonymous() - before, static_cast<std::int64_t>((unit * (k + 1) + 1) * 4) - (1 << 20))
            << "step " << k;
    }
    // Given back in slices, less held at each chance to let events run.
    std::vector<std::int64_t> held;
    blocks.release([&] { held.push_back(residentAnonymous() - before); });
    EXPECT_GE(held.size(), 3u);
    EXPECT_TRUE(std::is_sorted(held.rbegin(), held.rend()));
    EXPECT_LT(residentAnonymous() - before, 4 << 20);
}

}  // namespace
}  // namespace tavlo
