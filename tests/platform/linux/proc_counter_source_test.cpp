#include "platform/linux/proc_counter_source.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <tuple>

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
    EXPECT_TRUE(parseCpuTimes(captured("stat")));
}

// Files that are empty, truncated or malformed, that lack what the parser
// looks for, or whose sums pass 64 bits, come from no working kernel.
TEST(ProcParsers, BrokenFilesGiveNothing)
{
    for (const char* stat : {"", "cpu0 1 2 3 4 5 6 7 8\n", "cpu  1 2 3 4", "cpu  1 2 x 4 5 6 7 8 9 10",
             "cpu 0 0 0 18446744073709551615 0 1 0 0"})
        EXPECT_FALSE(parseCpuTimes(stat)) << stat;
    for (const char* diskstats : {"   8       0 sda 1 0 0", "   8       0 sda 1 0 0 0 0 0 0 0 0 0 lots 0\n"})
        EXPECT_FALSE(parseDiskTimes(diskstats)) << diskstats;
    for (const char* mountinfo : {"27 1 8:1 / /", "22 27 0:21 / /proc rw - proc proc rw\n"})
        EXPECT_FALSE(parseLocalDiskMounts(mountinfo)) << mountinfo;
}

// A /proc/diskstats, written out or captured from a machine, and the whole
// physical disks in it.
struct DiskRow {
    const char* name;
    const char* capturedFile;
    const char* text;
    int disks;
    std::optional<std::uint64_t> weightedMs;
};

void PrintTo(const DiskRow& row, std::ostream* out)
{
    *out << row.name;
}

class ParseDiskTimesTest : public ::testing::TestWithParam<DiskRow> {};

TEST_P(ParseDiskTimesTest, SumsWholePhysicalDisksOnly)
{
    const DiskRow& row = GetParam();
    const auto times = parseDiskTimes(row.capturedFile ? captured(row.capturedFile) : std::string(row.text));
    ASSERT_TRUE(times);
    EXPECT_EQ(times->disks, row.disks);
    if (row.weightedMs) {
        EXPECT_EQ(times->weightedMs, *row.weightedMs);
    }
}

INSTANTIATE_TEST_SUITE_P(Machines, ParseDiskTimesTest,
    ::testing::Values(
        // Partitions, loop, mapped, compressed and RAID devices are not disks.
        DiskRow{"ThreeKindsOfDisk", nullptr,
            "   8       0 sda 1 0 0 0 0 0 0 0 0 0 100 0 0 0 0 0 0\n"
            "   8       1 sda1 1 0 0 0 0 0 0 0 0 0 7000 0 0 0 0 0 0\n"
            " 259       0 nvme0n1 1 0 0 0 0 0 0 0 0 0 20 0 0 0 0 0 0\n"
            " 259       1 nvme0n1p1 1 0 0 0 0 0 0 0 0 0 9000 0 0 0 0 0 0\n"
            " 179       0 mmcblk0 1 0 0 0 0 0 0 0 0 0 3 0 0 0 0 0 0\n"
            " 179       1 mmcblk0p2 1 0 0 0 0 0 0 0 0 0 9000\n"
            "   7       0 loop0 1 0 0 0 0 0 0 0 0 0 9000\n"
            " 253       0 dm-0 1 0 0 0 0 0 0 0 0 0 9000\n"
            " 252       0 zram0 1 0 0 0 0 0 0 0 0 0 9000\n"
            "   9       0 md0 1 0 0 0 0 0 0 0 0 0 9000\n",
            3, 123},
        DiskRow{"ThisMachine", "diskstats", nullptr, 1, std::nullopt},
        // An NFS root or a container: memory, loop and compressed devices only.
        DiskRow{"NfsRoot", "diskstats-nfsroot", nullptr, 0, 0}, DiskRow{"NoDevicesAtAll", nullptr, "", 0, 0}),
    [](const ::testing::TestParamInfo<DiskRow>& row) { return row.param.name; });

TEST(ParseLocalDiskMounts, CountsEachLocalDiskOnceAndNothingBehindANetworkOrInMemory)
{
    // A desktop with btrfs subvolumes, NFS, CIFS, sshfs, rclone, ceph, 9p,
    // Docker's overlay, tmpfs, a snap image, a USB stick, NTFS and a
    // document portal through FUSE, and a ZFS data set mounted twice.
    EXPECT_EQ(parseLocalDiskMounts(captured("mountinfo-desktop")),
        (std::vector<std::string>{"/", "/boot/efi", "/media/user/USB DISK", "/data"}));
    EXPECT_EQ(parseLocalDiskMounts(captured("mountinfo")), std::vector<std::string>{"/"});
    EXPECT_FALSE(parseLocalDiskMounts(captured("mountinfo-container")));  // overlay and NFS only
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
        sources.space = [this](const std::string& mount) -> std::optional<std::pair<double, double>> {
            if (mount == "/")
                return std::pair{rootFree, 100.0};
            return std::pair{60.0, 100.0};
        };
        sources.now = [this] { return now; };
        return ProcCounterSource(sources);
    }

    testing::TempFolder temp{"counters"};
    std::filesystem::path folder = temp.path;
    double now = 100;
    double rootFree = 30;
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

TEST_F(ProcCounterSourceTest, DiskTimePassesHundredWhenRequestsQueueAndIsNoneWithoutDisks)
{
    const std::string sda = "   8       0 sda 1 0 0 0 0 0 0 0 0 0 ";
    for (const auto& [before, after, percent] : {std::tuple{sda + "0\n", sda + "2500\n", 250.0},
             std::tuple{captured("diskstats-nfsroot"), captured("diskstats-nfsroot"), 0.0}}) {
        write("diskstats", before);
        ProcCounterSource counters = source();
        counters.read(kDiskTimeCounter);
        write("diskstats", after);
        now += 1;
        EXPECT_EQ(counters.read(kDiskTimeCounter), percent) << after;
    }
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

// The orders in which the two refresh modes read the counters in a tick.
struct ReadOrder {
    const char* name;
    std::vector<int> counters;
};

void PrintTo(const ReadOrder& row, std::ostream* out)
{
    *out << row.name;
}

class ProcCounterSourceOrderTest : public ProcCounterSourceTest, public ::testing::WithParamInterface<ReadOrder> {
protected:
    std::map<int, std::optional<double>> tick(ProcCounterSource& counters)
    {
        std::map<int, std::optional<double>> values;
        for (const int index : GetParam().counters)
            values[index] = counters.read(index);
        return values;
    }
};

TEST_P(ProcCounterSourceOrderTest, EveryValueOfASampleIsFresh)
{
    ProcCounterSource counters = source();
    tick(counters);
    now += 1;
    auto values = tick(counters);
    EXPECT_DOUBLE_EQ(*values[kFreeSpaceCounter], 45);

    // Later samples see the files and the disks as they are then.
    write("meminfo", "MemTotal: 4096000 kB\nMemAvailable: 2048000 kB\n");
    rootFree = 10;
    setTimes(1500, 4500, 100);
    now += 1;
    values = tick(counters);
    EXPECT_DOUBLE_EQ(*values[kFreeSpaceCounter], 35);  // 70 of 200 free
    if (values.count(kAvailableMemoryCounter)) {
        EXPECT_DOUBLE_EQ(*values[kAvailableMemoryCounter], 2000);
    }
    EXPECT_DOUBLE_EQ(*values[kProcessorTimeCounter], 50);
    EXPECT_NEAR(*values[kDiskTimeCounter], 10, 1e-9);

    // A volume unmounted meanwhile leaves the sum once the mount list is read again.
    write("mountinfo", "27 1 8:1 / / rw - ext4 /dev/sda1 rw\n");
    now += 40;
    values = tick(counters);
    EXPECT_DOUBLE_EQ(*values[kFreeSpaceCounter], 10);
}

INSTANTIATE_TEST_SUITE_P(BothRefreshModes, ProcCounterSourceOrderTest,
    ::testing::Values(ReadOrder{"MemoryStatus", {kFreeSpaceCounter, kDiskTimeCounter, kProcessorTimeCounter}},
        ReadOrder{"StatedSize", {kAvailableMemoryCounter, kFreeSpaceCounter, kDiskTimeCounter, kProcessorTimeCounter}}),
    [](const ::testing::TestParamInfo<ReadOrder>& row) { return row.param.name; });

TEST(ProcCounterSource, TheLiveSystemReads)
{
    ProcCounterSource counters;
    EXPECT_TRUE(counters.read(kFreeSpaceCounter));
    EXPECT_TRUE(counters.read(kAvailableMemoryCounter));
}

}  // namespace
}  // namespace tavlo
