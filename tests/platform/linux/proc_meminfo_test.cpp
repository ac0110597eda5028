#include "platform/linux/proc_meminfo.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "tests/fakes/captured.h"

namespace tavlo {
namespace {

using testing::captured;

TEST(ProcMeminfo, ReadsTotalAndAvailableOfACapturedFile)
{
    const auto figures = parseMeminfo(captured("meminfo"));
    ASSERT_TRUE(figures);
    EXPECT_EQ(figures->totalBytes, 24683772ULL * 1024);
    EXPECT_EQ(figures->availableBytes, 24354292ULL * 1024);
}

TEST(ProcMeminfo, MissingOrMalformedLinesGiveNoFigures)
{
    EXPECT_FALSE(parseMeminfo(""));
    EXPECT_FALSE(parseMeminfo("MemTotal:       1000 kB\n"));
    EXPECT_FALSE(parseMeminfo("MemTotal:       1000 kB\nMemAvailable:    12"));  // truncated
    EXPECT_FALSE(parseMeminfo("MemTotal:       lots kB\nMemAvailable:  10 kB\n"));
    EXPECT_FALSE(parseMeminfo("MemTotal:  99999999999999999999 kB\nMemAvailable:  10 kB\n"));
    // "MemTotalX" is another key.
    EXPECT_FALSE(parseMeminfo("MemTotalX:  1 kB\nMemAvailable:  10 kB\n"));
}

TEST(ProcMeminfo, ReadsAtMostOnceInEachSecondOfTheClock)
{
    const std::string path = ::testing::TempDir() + "tavlo-meminfo";
    const auto write = [&](int availableKb) {
        std::ofstream(path) << "MemTotal: 4000 kB\nMemAvailable: " << availableKb << " kB\n";
    };
    double now = 10.2;
    write(1000);
    ProcMeminfo meminfo(path, [&] { return now; });
    EXPECT_EQ(meminfo.read()->availableBytes, 1000u * 1024);
    write(2000);
    now = 10.7;
    EXPECT_EQ(meminfo.read()->availableBytes, 1000u * 1024);
    now = 11.0;
    EXPECT_EQ(meminfo.read()->availableBytes, 2000u * 1024);

    // The memory release's reader sees each change at once: its steps follow
    // each other within a second.
    ProcMeminfo fresh = ProcMeminfo::everyRead(path);
    EXPECT_EQ(fresh.read()->availableBytes, 2000u * 1024);
    write(3000);
    EXPECT_EQ(fresh.read()->availableBytes, 3000u * 1024);
    std::remove(path.c_str());
}

TEST(ProcMeminfo, TheLiveFileReads)
{
    ProcMeminfo meminfo;
    const auto figures = meminfo.read();
    ASSERT_TRUE(figures);
    EXPECT_GT(figures->totalBytes, figures->availableBytes);
    EXPECT_FALSE(ProcMeminfo("/nonexistent/meminfo").read());
}

}  // namespace
}  // namespace tavlo
