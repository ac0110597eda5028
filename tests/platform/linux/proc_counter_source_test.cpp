#include "platform/linux/proc_counter_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "platform/linux/proc_parsers.h"

#include "tests/fakes/captured.h"
#include "tests/fakes/temp_folder.h"

namespace tavlo {
namespace {

using testing::captured;

TEST(ParseCpuTimes, IowaitIsIdleAndGuestTimeIsNotCountedTwice)
{
    const auto times = parseCpuTimes("cpu  100 20 30 400 50 6 7 8 90 10\ncpu0 1 2 3 4 5 6 7 8 9 10\n");
    ASSERT_TRUE(times);
    EXPECT_EQ(times->total, 100u + 20 + 30 + 400 + 50 + 6 + 7 + 8);
    EXPECT_EQ(times->busy, 100u + 20 + 30 + 6 + 7 + 8);
}

TEST(ParseCpuTimes, ReadsACapturedFileAndRejectsBrokenOnes)
{
    EXPECT_TRUE(parseCpuTimes(captured("stat")));
    EXPECT_FALSE(parseCpuTimes(""));
    EXPECT_FALSE(parseCpuTimes("cpu0 1 2 3 4 5 6 7 8\n"));     // no aggregate line
    EXPECT_FALSE(parseCpuTimes("cpu  1 2 3 4"));               // truncated
    EXPECT_FALSE(parseCpuTimes("cpu  1 2 x 4 5 6 7 8 9 10"));  // malformed
}

TEST(ParseDiskTimes, SumsWholePhysicalDisksOnly)
{
    const char* diskstats = "   8       0 sda 1 0 0 0 0 0 0 0 0 0 100 0 0 0 0 0 0\n"
                            "   8       1 sda1 1 0 0 0 0 0 0 0 0 0 7000 0 0 0 0 0 0\n"
                            " 259       0 nvme0n1 1 0 0 0 0 0 0 0 0 0 20 0 0 0 0 0 0\n"
                            " 259       1 nvme0n1p1 1 0 0 0 0 0 0 0 0 0 9000 0 0 0 0 0 0\n"
                            " 179       0 mmcblk0 1 0 0 0 0 0 0 0 0 0 3 0 0 0 0 0 0\n"
                            " 179       1 mmcblk0p2 1 0 0 0 0 0 0 0 0 0 9000\n"
                            "   7       0 loop0 1 0 0 0 0 0 0 0 0 0 9000\n"
                            " 253       0 dm-0 1 0 0 0 0 0 0 0 0 0 9000\n"
                            " 252       0 zram0 1 0 0 0 0 0 0 0 0 0 9000\n"
                            "   9       0 md0 1 0 0 0 0 0 0 0 0 0 9000\n";
    const auto times = parseDiskTimes(diskstats);
    ASSERT_TRUE(times);
    EXPECT_EQ(times->disks, 3);
    EXPECT_EQ(times->weightedMs, 123u);
}

TEST(ParseDiskTimes, ReadsACapturedFileAndRejectsBrokenOnes)
{
    const auto times = parseDiskTimes(captured("diskstats"));
    ASSERT_TRUE(times);
    EXPECT_EQ(times->disks, 1);  // vda; the loop and zram devices are not disks
    EXPECT_FALSE(parseDiskTimes("   8       0 sda 1 0 0"));
    EXPECT_FALSE(parseDiskTimes("   8       0 sda 1 0 0 0 0 0 0 0 0 0 lots 0\n"));
    EXPECT_FALSE(parseDiskTimes("   7       0 loop0 1 0 0 0 0 0 0 0 0 0 9000\n"));  // no disk at all
}

TEST(ParseRealMounts, KeepsOneMountPointPerRealDevice)
{
    const char* mountinfo = "22 27 0:21 / /proc rw - proc proc rw\n"
                            "27 1 8:1 / / rw,relatime shared:1 - ext4 /dev/sda1 rw\n"
                            "28 27 8:2 / /home\\040stuff rw - ext4 /dev/sda2 rw\n"
                            "29 27 8:1 /srv /srv rw - ext4 /dev/sda1 rw\n"
                            "30 27 0:40 / /tmp rw - tmpfs tmpfs rw\n"
                            "31 27 7:0 / /snap/core rw - squashfs /dev/loop0 ro\n"
                            "32 27 0:45 / /data rw - btrfs /dev/sdb rw\n";
    const auto mounts = parseRealMounts(mountinfo);
    ASSERT_TRUE(mounts);
    EXPECT_EQ(*mounts, (std::vector<std::string>{"/", "/home stuff", "/data"}));
}

TEST(ParseRealMounts, ReadsACapturedFileAndRejectsBrokenOnes)
{
    const auto mounts = parseRealMounts(captured("mountinfo"));
    ASSERT_TRUE(mounts);
    EXPECT_EQ(mounts->front(), "/");
    EXPECT_FALSE(parseRealMounts("27 1 8:1 / /"));
    EXPECT_FALSE(parseRealMounts("22 27 0:21 / /proc rw - proc proc rw\n"));
}

// A source over files in a folder of the test's own, with a clock and free
// space that the test sets.
class ProcCounterSourceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        write("mountinfo", "27 1 8:1 / / rw - ext4 /dev/sda1 rw\n28 27 8:2 / /home rw - ext4 /dev/sda2 rw\n");
        write("meminfo", "MemTotal: 4096000 kB\nMemAvailable: 1228800 kB\n");
        setTimes(1000, 4000, 0);
    }

    void write(const char* name, const std::string& text) { std::ofstream(folder / name) << text; }
    void setTimes(int busy, int idle, int weightedMs)
    {
        write("stat", "cpu  " + std::to_string(busy) + " 0 0 " + std::to_string(idle) + " 0 0 0 0 0 0\n");
        write("diskstats", "   8       0 sda 1 0 0 0 0 0 0 0 0 0 " + std::to_string(weightedMs) + " 0 0 0 0 0 0\n");
    }

    ProcCounterSource source()
    {
        ProcCounterSource::Sources sources;
        sources.stat = (folder / "stat").string();
        sources.diskstats = (folder / "diskstats").string();
        sources.meminfo = (folder / "meminfo").string();
        sources.mountinfo = (folder / "mountinfo").string();
        sources.space = [](const std::string& mount) -> std::optional<std::pair<double, double>> {
            if (mount == "/")
                return std::pair{30.0, 100.0};
            return std::pair{60.0, 100.0};
        };
        sources.now = [this] { return now; };
        return ProcCounterSource(sources);
    }

    testing::TempFolder temp{"counters"};
    std::filesystem::path folder = temp.path;
    double now = 100;
};

TEST_F(ProcCounterSourceTest, ReadsLevelsAtOnceAndRatesFromTheSecondSample)
{
    ProcCounterSource counters = source();
    EXPECT_DOUBLE_EQ(*counters.read(kFreeSpaceCounter), 45);  // 90 of 200 free
    EXPECT_DOUBLE_EQ(*counters.read(kAvailableMemoryCounter), 1200);
    EXPECT_FALSE(counters.read(kProcessorTimeCounter));
    EXPECT_FALSE(counters.read(kDiskTimeCounter));

    setTimes(1250, 4750, 150);
    now += 0.3;
    EXPECT_DOUBLE_EQ(*counters.read(kProcessorTimeCounter), 25);  // 250 of 1000 jiffies busy
    EXPECT_NEAR(*counters.read(kDiskTimeCounter), 50, 1e-9);      // 150 ms queued in 300 ms
    EXPECT_FALSE(counters.read(5));
}

TEST_F(ProcCounterSourceTest, SamplesOnceInEachSecondOfTheClock)
{
    now = 100.2;
    ProcCounterSource counters = source();
    counters.read(kProcessorTimeCounter);
    setTimes(1500, 4500, 0);
    now = 100.7;  // the first rate comes at once
    EXPECT_DOUBLE_EQ(*counters.read(kProcessorTimeCounter), 50);
    setTimes(2500, 4500, 0);
    now = 100.9;  // the same second
    EXPECT_DOUBLE_EQ(*counters.read(kProcessorTimeCounter), 50);
    now = 101.1;  // a new second, but too soon after the last sample
    EXPECT_DOUBLE_EQ(*counters.read(kProcessorTimeCounter), 50);
    now = 101.3;
    EXPECT_DOUBLE_EQ(*counters.read(kProcessorTimeCounter), 100);
    setTimes(2500, 5500, 0);
    now = 103.0;  // a clock that jumps ahead still samples
    EXPECT_DOUBLE_EQ(*counters.read(kProcessorTimeCounter), 0);
}

TEST_F(ProcCounterSourceTest, DiskTimePassesHundredWhenRequestsQueue)
{
    ProcCounterSource counters = source();
    counters.read(kDiskTimeCounter);
    setTimes(1000, 4000, 2500);
    now += 1;
    EXPECT_DOUBLE_EQ(*counters.read(kDiskTimeCounter), 250);
}

TEST_F(ProcCounterSourceTest, MissingOrBrokenFilesFailTheirCountersOnly)
{
    std::filesystem::remove(folder / "stat");
    write("meminfo", "MemTotal: 409");
    ProcCounterSource counters = source();
    counters.read(kProcessorTimeCounter);
    now += 1;
    EXPECT_FALSE(counters.read(kProcessorTimeCounter));
    EXPECT_FALSE(counters.read(kAvailableMemoryCounter));
    EXPECT_TRUE(counters.read(kDiskTimeCounter));
    EXPECT_TRUE(counters.read(kFreeSpaceCounter));
}

TEST(ProcCounterSource, TheLiveSystemReads)
{
    ProcCounterSource counters;
    EXPECT_TRUE(counters.read(kFreeSpaceCounter));
    EXPECT_TRUE(counters.read(kAvailableMemoryCounter));
}

}  // namespace
}  // namespace tavlo
