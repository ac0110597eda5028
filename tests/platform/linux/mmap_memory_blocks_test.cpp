#include "platform/linux/mmap_memory_blocks.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace tavlo
