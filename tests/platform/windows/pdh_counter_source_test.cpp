#include "platform/windows/pdh_counter_source.h"
#include "platform/windows/under_wine.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <string>

namespace tavlo {
namespace {

// PDH as the source meets it: counters the system lacks, rates that need two
// collections, and collections or values that fail when the test says.
struct FakePdh final : PdhQuery {
    std::set<int> missing;
    std::map<int, double> values;
    bool collecting = true;
    int collections = 0;
    std::map<int, std::wstring> paths;

    bool add(int index, const std::wstring& englishPath) override
    {
        paths[index] = englishPath;
        return missing.count(index) == 0;
    }
    bool collect() override
    {
        collections += collecting ? 1 : 0;
        return collecting;
    }
    std::optional<double> value(int index) override
    {
        const bool rate = index == kProcessorTimeCounter || index == kDiskTimeCounter;
        const auto found = values.find(index);
        if (found == values.end() || (rate && collections < 2))
            return std::nullopt;
        return found->second;
    }
};

// A source over a fake PDH, with Win32 figures and a clock the test sets.
class PdhCounterSourceTest : public ::testing::Test {
protected:
    PdhCounterSource source()
    {
        auto fake = std::make_unique<FakePdh>();
        pdh = fake.get();
        pdh->values = {{kFreeSpaceCounter, 45}, {kAvailableMemoryCounter, 1200}, {kDiskTimeCounter, 50},
            {kProcessorTimeCounter, 25}};
        pdh->missing = missing;
        PdhCounterSource::Sources sources;
        sources.pdh = std::move(fake);
        sources.processorTicks = [this] { return ticks; };
        sources.availableBytes = [this] { return availableBytes; };
        sources.fixedDriveSpace = [this] { return space; };
        sources.now = [this] { return now; };
        return PdhCounterSource(std::move(sources));
    }
    // The processors are busy for `busy` of the next `total` ticks.
    void spend(std::uint64_t busy, std::uint64_t total)
    {
        ticks->idle += total - busy;
        ticks->total += total;
    }

    FakePdh* pdh = nullptr;
    std::set<int> missing;
    std::optional<ProcessorTicks> ticks = ProcessorTicks{5000, 9000};
    std::optional<std::uint64_t> availableBytes = std::uint64_t{3000} << 20;
    std::optional<DriveSpace> space = DriveSpace{30, 120};
    double now = 100;
};

TEST_F(PdhCounterSourceTest, AddsTheFourCountersByTheirEnglishPaths)
{
    const PdhCounterSource counters = source();
    EXPECT_EQ(pdh->paths,
        (std::map<int, std::wstring>{{kFreeSpaceCounter, L"\\LogicalDisk(_Total)\\% Free Space"},
            {kAvailableMemoryCounter, L"\\Memory\\Available MBytes"},
            {kDiskTimeCounter, L"\\PhysicalDisk(_Total)\\% Disk Time"},
            {kProcessorTimeCounter, L"\\Processor(_Total)\\% Processor Time"}}));
}

TEST_F(PdhCounterSourceTest, ReadsLevelsAtOnceAndRatesFromTheSecondCollection)
{
    PdhCounterSource counters = source();
    EXPECT_EQ(counters.read(kFreeSpaceCounter), 45);
    EXPECT_EQ(counters.read(kAvailableMemoryCounter), 1200);
    EXPECT_FALSE(counters.read(kProcessorTimeCounter));
    EXPECT_FALSE(counters.read(kDiskTimeCounter));
    EXPECT_EQ(pdh->collections, 1);

    now += 0.3;
    EXPECT_EQ(counters.read(kProcessorTimeCounter), 25);
    EXPECT_EQ(counters.read(kDiskTimeCounter), 50);
    EXPECT_FALSE(counters.read(0));
    EXPECT_FALSE(counters.read(5));
}

TEST_F(PdhCounterSourceTest, CollectsOnceInEachSecondOfTheClock)
{
    now = 100.2;
    PdhCounterSource counters = source();
    const auto tick = [&] {
        for (const int index : {kFreeSpaceCounter, kDiskTimeCounter, kProcessorTimeCounter})
            counters.read(index);
        return pdh->collections;
    };
    EXPECT_EQ(tick(), 1);
    now = 100.7;  // the first rates come at once
    EXPECT_EQ(tick(), 2);
    now = 100.9;  // the same second
    EXPECT_EQ(tick(), 2);
    now = 101.1;  // a new second, but too soon after the last collection
    EXPECT_EQ(tick(), 2);
    now = 101.3;
    EXPECT_EQ(tick(), 3);
    now = 99;  // a clock set back still collects
    EXPECT_EQ(tick(), 4);
}

// Under Wine PDH has none of the counters but the processor's; a Windows
// whose performance counters are damaged may lack any of them.
TEST_F(PdhCounterSourceTest, CountersPdhLacksAreReadFromWin32)
{
    missing = {kFreeSpaceCounter, kAvailableMemoryCounter, kDiskTimeCounter, kProcessorTimeCounter};
    PdhCounterSource counters = source();
    EXPECT_EQ(counters.read(kFreeSpaceCounter), 25);  // 30 of 120 free
    EXPECT_EQ(counters.read(kAvailableMemoryCounter), 3000);
    EXPECT_FALSE(counters.read(kProcessorTimeCounter));
    EXPECT_FALSE(counters.read(kDiskTimeCounter));
    EXPECT_EQ(pdh->collections, 0);

    spend(300, 1000);
    availableBytes = std::uint64_t{2500} << 20;
    space = DriveSpace{60, 120};
    now += 1;
    EXPECT_EQ(counters.read(kProcessorTimeCounter), 30);
    EXPECT_EQ(counters.read(kAvailableMemoryCounter), 2500);
    EXPECT_EQ(counters.read(kFreeSpaceCounter), 50);
    EXPECT_FALSE(counters.read(kDiskTimeCounter));  // no Win32 figure stands in for it

    ticks.reset();
    availableBytes.reset();
    space.reset();
    now += 1;
    for (const int index : {kFreeSpaceCounter, kAvailableMemoryCounter, kDiskTimeCounter, kProcessorTimeCounter})
        EXPECT_FALSE(counters.read(index)) << index;
}

// PDH that stops answering (the performance library reloaded, a disk
// removed) leaves each counter to its Win32 figure in the samples where it
// fails: the readouts go on, and PDH's come back when it answers again.
struct Breakage {
    const char* name;
    std::function<void(FakePdh&)> breakIt;
    std::set<int> fallingBack;
};

void PrintTo(const Breakage& row, std::ostream* out)
{
    *out << row.name;
}

class PdhCounterSourceBreakageTest : public PdhCounterSourceTest, public ::testing::WithParamInterface<Breakage> {};

TEST_P(PdhCounterSourceBreakageTest, FallsBackWhereAndWhilePdhFails)
{
    PdhCounterSource counters = source();
    counters.read(kProcessorTimeCounter);
    spend(800, 1000);
    now += 1;
    EXPECT_EQ(counters.read(kProcessorTimeCounter), 25);

    const std::map<int, double> working = pdh->values;
    GetParam().breakIt(*pdh);
    spend(600, 1000);
    now += 1;
    const std::map<int, std::optional<double>> fromWin32{{kFreeSpaceCounter, 25}, {kAvailableMemoryCounter, 3000},
        {kDiskTimeCounter, std::nullopt}, {kProcessorTimeCounter, 60}};
    for (const auto& [index, value] : fromWin32) {
        const std::optional<double> expected = GetParam().fallingBack.count(index) ? value : working.at(index);
        EXPECT_EQ(counters.read(index), expected) << index;
    }

    pdh->values = working;
    pdh->collecting = true;
    now += 1;
    EXPECT_EQ(counters.read(kProcessorTimeCounter), 25);
    EXPECT_EQ(counters.read(kFreeSpaceCounter), 45);
}

INSTANTIATE_TEST_SUITE_P(Pdh, PdhCounterSourceBreakageTest,
    ::testing::Values(Breakage{"QueryStopsCollecting", [](FakePdh& pdh) { pdh.collecting = false; },
                          {kFreeSpaceCounter, kAvailableMemoryCounter, kDiskTimeCounter, kProcessorTimeCounter}},
        Breakage{"ProcessorStopsFormatting", [](FakePdh& pdh) { pdh.values.erase(kProcessorTimeCounter); },
            {kProcessorTimeCounter}},
        Breakage{"DiskStopsFormatting", [](FakePdh& pdh) { pdh.values.erase(kDiskTimeCounter); }, {kDiskTimeCounter}}),
    [](const ::testing::TestParamInfo<Breakage>& row) { return row.param.name; });

// Values no counter can have count as failed ones; shares stop at 100.
struct OddValue {
    const char* name;
    int index;
    double value;
    std::optional<double> read;
};

void PrintTo(const OddValue& row, std::ostream* out)
{
    *out << row.name;
}

class PdhCounterSourceOddValueTest : public PdhCounterSourceTest, public ::testing::WithParamInterface<OddValue> {};

TEST_P(PdhCounterSourceOddValueTest, ReadsAsShown)
{
    PdhCounterSource counters = source();
    counters.read(GetParam().index);
    pdh->values[GetParam().index] = GetParam().value;
    spend(100, 1000);
    now += 1;
    EXPECT_EQ(counters.read(GetParam().index), GetParam().read);
}

constexpr double kNotANumber = std::numeric_limits<double>::quiet_NaN();
constexpr double kInfinity = std::numeric_limits<double>::infinity();

INSTANTIATE_TEST_SUITE_P(Pdh, PdhCounterSourceOddValueTest,
    ::testing::Values(OddValue{"ProcessorJustOver100", kProcessorTimeCounter, 100.4, 100},
        OddValue{"ProcessorNegativeFallsBack", kProcessorTimeCounter, -1, 10},
        OddValue{"ProcessorNotANumberFallsBack", kProcessorTimeCounter, kNotANumber, 10},
        OddValue{"DiskTimePasses100WhileRequestsQueue", kDiskTimeCounter, 250, 250},
        OddValue{"DiskTimeNegativeIsNothing", kDiskTimeCounter, -3, std::nullopt},
        OddValue{"FreeSpaceJustOver100", kFreeSpaceCounter, 100.2, 100},
        OddValue{"MemoryNegativeFallsBack", kAvailableMemoryCounter, -5, 3000},
        OddValue{"MemoryInfiniteFallsBack", kAvailableMemoryCounter, kInfinity, 3000},
        OddValue{"MemoryLargerThanAnyShare", kAvailableMemoryCounter, 65536, 65536}),
    [](const ::testing::TestParamInfo<OddValue>& row) { return row.param.name; });

double availableMegabytesNow()
{
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    GlobalMemoryStatusEx(&status);
    return static_cast<double>(status.ullAvailPhys) / 1048576;
}

// The system's own PDH, and the Win32 figures alone behind a PDH with no
// counters at all.
struct LiveSource {
    const char* name;
    std::function<PdhCounterSource()> make;
    bool pdh;
};

void PrintTo(const LiveSource& row, std::ostream* out)
{
    *out << row.name;
}

class PdhCounterSourceLiveTest : public ::testing::TestWithParam<LiveSource> {};

TEST_P(PdhCounterSourceLiveTest, TheSystemReads)
{
    PdhCounterSource counters = GetParam().make();
    counters.read(kProcessorTimeCounter);
    Sleep(300);
    const std::optional<double> processor = counters.read(kProcessorTimeCounter);
    ASSERT_TRUE(processor);
    EXPECT_GE(*processor, 0);
    EXPECT_LE(*processor, 100);
    const std::optional<double> memory = counters.read(kAvailableMemoryCounter);
    ASSERT_TRUE(memory);
    EXPECT_NEAR(*memory, availableMegabytesNow(), 256);
    const std::optional<double> space = counters.read(kFreeSpaceCounter);
    ASSERT_TRUE(space);
    EXPECT_GT(*space, 0);
    EXPECT_LE(*space, 100);
    // Wine's PDH has no disk counter, and nothing else tells the disk time.
    const std::optional<double> disk = counters.read(kDiskTimeCounter);
    if (!GetParam().pdh || runningUnderWine()) {
        EXPECT_FALSE(disk);
    } else {
        ASSERT_TRUE(disk);
        EXPECT_GE(*disk, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(Live, PdhCounterSourceLiveTest,
    ::testing::Values(LiveSource{"Pdh", [] { return PdhCounterSource(); }, true},
        LiveSource{"Win32Alone",
            [] {
                auto none = std::make_unique<FakePdh>();
                none->missing = {kFreeSpaceCounter, kAvailableMemoryCounter, kDiskTimeCounter, kProcessorTimeCounter};
                PdhCounterSource::Sources sources;
                sources.pdh = std::move(none);
                return PdhCounterSource(std::move(sources));
            },
            false}),
    [](const ::testing::TestParamInfo<LiveSource>& row) { return row.param.name; });

TEST(Win32PdhQuery, AddsTheProcessorCounterAndRefusesAnUnknownOne)
{
    Win32PdhQuery query;
    EXPECT_TRUE(query.add(kProcessorTimeCounter, L"\\Processor(_Total)\\% Processor Time"));
    EXPECT_FALSE(query.add(9, L"\\No Such Object(_Total)\\No Such Counter"));
    EXPECT_FALSE(query.value(9));
    ASSERT_TRUE(query.collect());
    Sleep(100);
    ASSERT_TRUE(query.collect());
    const std::optional<double> processor = query.value(kProcessorTimeCounter);
    ASSERT_TRUE(processor);
    EXPECT_GE(*processor, 0);
    EXPECT_LE(*processor, 100);
}

TEST(SystemFigures, ProcessorTicksAndFixedDrivesRead)
{
    const auto before = readProcessorTicks();
    ASSERT_TRUE(before);
    EXPECT_LE(before->idle, before->total);
    Sleep(100);
    const auto after = readProcessorTicks();
    ASSERT_TRUE(after);
    const auto busy = busyPercent(*before, *after);
    ASSERT_TRUE(busy);
    EXPECT_GE(*busy, 0);
    EXPECT_LE(*busy, 100);
    EXPECT_FALSE(busyPercent(*after, *before));  // time does not run back

    // The prefix's C: at least.
    const auto space = readFixedDriveSpace();
    ASSERT_TRUE(space);
    ULARGE_INTEGER free{}, total{};
    ASSERT_TRUE(GetDiskFreeSpaceExW(L"C:\\", &free, &total, nullptr));
    EXPECT_GE(space->total, static_cast<double>(total.QuadPart));
    EXPECT_LE(space->free, space->total);
}

}  // namespace
}  // namespace tavlo
