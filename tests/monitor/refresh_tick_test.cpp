#include "monitor/refresh_tick.h"

#include <gtest/gtest.h>

#include "core/frm_dtmn.h"
#include "display/layout.h"
#include "monitor/memory_figures.h"
#include "monitor/tray_tip.h"
#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

TEST(MemoryStatusFigures, UsedShareIsRoundedUp)
{
    GadgetView view;
    memoryStatusFigures(MemoryFigures{1536000000, 512000000}, view);
    EXPECT_EQ(view.lblRamT.text, "1000");
    EXPECT_EQ(view.lblRPer.text, "67%");  // 100 - floor(33.3)
    EXPECT_FLOAT_EQ(static_cast<float>(view.RamT.width), 1738.65f);
}

TEST(MemoryStatusFigures, TotalsBeyond32BitsAreRight)
{
    GadgetView view;
    memoryStatusFigures(MemoryFigures{17179869184ULL, 4294967296ULL}, view);  // 16 GiB, 4 GiB free
    EXPECT_EQ(view.lblRamT.text, "12583");
    EXPECT_EQ(view.lblRPer.text, "75%");
}

TEST(MemoryStatusFigures, ZeroTotalEmptiesThePercentAndTheBar)
{
    GadgetView view;
    view.RamT.width = 500;
    memoryStatusFigures(MemoryFigures{0, 0}, view);
    EXPECT_EQ(view.lblRPer.text, "%");
    EXPECT_EQ(view.RamT.width, 0);
}

TEST(MemoryStatusFigures, UnderHalfAMegabyteUsedIsEmpty)
{
    GadgetView view;
    memoryStatusFigures(MemoryFigures{1024000000, 1024000000 - 400000}, view);
    EXPECT_EQ(view.lblRamT.text, "");
    EXPECT_EQ(view.lblRPer.text, "1%");
}

TEST(MemoryStatusFigures, MoreAvailableThanInAllKeepsTheBar)
{
    GadgetView view;
    view.RamT.width = 500;
    memoryStatusFigures(MemoryFigures{1024000000, 2048000000}, view);
    EXPECT_EQ(view.lblRPer.text, "-100%");
    EXPECT_EQ(view.RamT.width, 500);
}

TEST(MemoryStatusFigures, UnreadableFiguresLeaveTheRow)
{
    GadgetView view;
    view.lblRamT.text = "RTime";
    view.RamT.width = 2595;
    memoryStatusFigures(std::nullopt, view);
    EXPECT_EQ(view.lblRamT.text, "RTime");
    EXPECT_EQ(view.RamT.width, 2595);
}

TEST(StatedSizeFigures, PercentComesFromTheDisplayedUsedFigure)
{
    GadgetView view;
    statedSizeFigures("4096", 1200.0, view);
    EXPECT_EQ(view.lblRamT.text, "2896");
    EXPECT_EQ(view.lblRPer.text, "70.7%");
    EXPECT_FLOAT_EQ(static_cast<float>(view.RamT.width), 1834.665f);
}

TEST(StatedSizeFigures, AWholePercentKeepsItsPoint)
{
    GadgetView view;
    statedSizeFigures("4096", 2048.0, view);
    EXPECT_EQ(view.lblRPer.text, "50.%");
    EXPECT_FLOAT_EQ(static_cast<float>(view.RamT.width), 1297.5f);
}

TEST(StatedSizeFigures, AnUnreadableCounterKeepsTheUsedTextAndComputesFromIt)
{
    GadgetView view;
    view.lblRamT.text = "1024";
    statedSizeFigures("2048", std::nullopt, view);
    EXPECT_EQ(view.lblRamT.text, "1024");
    EXPECT_EQ(view.lblRPer.text, "50.%");
}

TEST(StatedSizeFigures, ASizeOfZeroLeavesTheBarAndShowsOnlyThePercentSign)
{
    GadgetView view;
    view.RamT.width = 777;
    statedSizeFigures("abc", 100.0, view);
    EXPECT_EQ(view.lblRamT.text, "-100");
    EXPECT_EQ(view.lblRPer.text, "%");
    EXPECT_EQ(view.RamT.width, 777);
}

TEST(StatedSizeFigures, ASizeBelowTheAvailableMemoryGoesNegative)
{
    GadgetView view;
    view.RamT.width = 777;
    statedSizeFigures("1000", 1500.0, view);
    EXPECT_EQ(view.lblRamT.text, "-500");
    EXPECT_EQ(view.lblRPer.text, "-50.%");
    EXPECT_EQ(view.RamT.width, 777);  // the shape refuses a negative width
}

TEST(StatedSizeFigures, APercentageOverHundredFillsTheBarAndNoMore)
{
    // A negative size in the file: -1205 MB used of -5 MB is 24100 %.
    GadgetView view;
    statedSizeFigures("-5", 1200.0, view);
    EXPECT_EQ(view.lblRamT.text, "-1205");
    EXPECT_EQ(view.lblRPer.text, "24100.%");
    EXPECT_EQ(view.RamT.width, kFullBarWidth);
}

class RefreshTickTest : public ::testing::Test {
protected:
    RefreshTickTest()
    {
        fake.clock.moment = {2026, 12, 6, 18, 4, 27};
        form.Form_Load();
        fake.counters.values = {{kFreeSpaceCounter, 45.0}, {kAvailableMemoryCounter, 1200.0}, {kDiskTimeCounter, 12.4},
            {kProcessorTimeCounter, 37.6}};
    }
    void tick() { form.TmrN_Timer(); }

    testing::FakeServices fake;
    FrmDTMn form{fake.services};
};

TEST_F(RefreshTickTest, ReplacesThePlaceholdersWithReadouts)
{
    tick();
    EXPECT_EQ(form.view.lblCPer.text, "38%");
    EXPECT_EQ(form.view.lblDPer.text, "12%");
    EXPECT_EQ(form.view.lblDSPer.text, "45.%");
    EXPECT_EQ(form.view.lblRPer.text, "50%");  // 1 GiB with half of it available
    EXPECT_FLOAT_EQ(static_cast<float>(form.view.PrscrTime.width), 38 * 0.01f * 2595);
    EXPECT_FLOAT_EQ(static_cast<float>(form.view.DSpce.width), 45 * 0.01f * 2595);
    EXPECT_EQ(form.lblC, "38");
    EXPECT_EQ(form.lblD, "12");
    EXPECT_EQ(form.lblDs, "45.");
}

TEST_F(RefreshTickTest, TheTipSummarisesDateTimeMoonAndLoads)
{
    tick();
    EXPECT_EQ(form.view.tray.tip, "2026年12月6日 18:04 月齢27日\r CPU: 38% / RAM: 50% / Disk: 12%");
}

TEST_F(RefreshTickTest, ATipLongerThanTheFieldIsCutAt65BytesWithoutItsEnd)
{
    fake.clock.moment = {2026, 12, 19, 18, 4, 27};
    fake.counters.values[kProcessorTimeCounter] = 100;
    fake.counters.values[kDiskTimeCounter] = 100;
    form.store.RTUl = "4096";
    form.TmrR_Timer();
    // 66 bytes in code page 932: the field holds the first 65, without the "%" and the end.
    EXPECT_EQ(form.view.tray.tip, "2026年12月19日 18:04 月齢10日\r CPU: 100% / RAM: 70.7% / Disk: 100");
}

TEST(TrayTip, ACutNeverSplitsADoubleByteCharacter)
{
    Cp932Codec codec;
    const std::string tip = std::string(64, 'a') + "日";  // the character would take bytes 64 and 65
    EXPECT_EQ(tipAsShown(tip, codec), std::string(64, 'a'));
    EXPECT_EQ(tipAsShown("Tavlo", codec), "Tavlo");
}

struct ProcessorCase {
    const char* name;
    double value;
    const char* text;
    double width;
    friend void PrintTo(const ProcessorCase& row, std::ostream* out) { *out << row.name; }
};

class ProcessorReadout : public RefreshTickTest, public ::testing::WithParamInterface<ProcessorCase> {};

TEST_P(ProcessorReadout, TextAndBarFollowTheRules)
{
    fake.counters.values[kProcessorTimeCounter] = GetParam().value;
    tick();
    EXPECT_EQ(form.view.lblCPer.text, GetParam().text);
    EXPECT_FLOAT_EQ(static_cast<float>(form.view.PrscrTime.width), static_cast<float>(GetParam().width));
}

INSTANTIATE_TEST_SUITE_P(Values, ProcessorReadout,
    ::testing::Values(ProcessorCase{"BelowHalfIsZero", 0.4, "0%", 0},
        ProcessorCase{"AboveHundredIsCapped", 100.6, "100%", 2595}, ProcessorCase{"Negative", -3, "0%", 0},
        ProcessorCase{"Whole", 50, "50%", 1297.5}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(RefreshTickTest, DiskTimeOverHundredIsCapped)
{
    fake.counters.values[kDiskTimeCounter] = 250;
    tick();
    EXPECT_EQ(form.view.lblDPer.text, "100%");
    EXPECT_EQ(form.view.DiskTime.width, 2595);
    EXPECT_EQ(form.lblD, "250");
}

struct FreeSpaceCase {
    const char* name;
    double value;
    const char* text;
    float width;
    friend void PrintTo(const FreeSpaceCase& row, std::ostream* out) { *out << row.name; }
};

class FreeSpaceReadout : public RefreshTickTest, public ::testing::WithParamInterface<FreeSpaceCase> {};

TEST_P(FreeSpaceReadout, BelowFifteenShowsZero)
{
    fake.counters.values[kFreeSpaceCounter] = GetParam().value;
    tick();
    EXPECT_EQ(form.view.lblDSPer.text, GetParam().text);
    EXPECT_FLOAT_EQ(static_cast<float>(form.view.DSpce.width), GetParam().width);
}

INSTANTIATE_TEST_SUITE_P(Values, FreeSpaceReadout,
    ::testing::Values(FreeSpaceCase{"RoundsUpToFifteen", 14.96, "15.%", 389.25f},
        FreeSpaceCase{"StaysBelowFifteen", 14.94, "0%", 0}, FreeSpaceCase{"Exactly45", 45, "45.%", 1167.75f}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(RefreshTickTest, FailedCountersKeepTheWorkingLabelsAndShowZero)
{
    tick();
    fake.counters.values.clear();
    tick();
    EXPECT_EQ(form.view.lblCPer.text, "0%");
    EXPECT_EQ(form.view.lblDPer.text, "0%");
    EXPECT_EQ(form.lblC, "38");  // kept, so the bars keep their size
    EXPECT_FLOAT_EQ(static_cast<float>(form.view.PrscrTime.width), 38 * 0.01f * 2595);
    EXPECT_EQ(form.view.lblDSPer.text, "45.%");
}

TEST_F(RefreshTickTest, WithoutAnyReadingTheBarsAreEmpty)
{
    fake.counters.values.clear();
    tick();
    EXPECT_EQ(form.lblC, "C");
    EXPECT_EQ(form.view.PrscrTime.width, 0);
    EXPECT_EQ(form.view.DiskTime.width, 0);
    EXPECT_EQ(form.view.DSpce.width, 0);
    EXPECT_EQ(form.view.lblDSPer.text, "0%");
}

TEST_F(RefreshTickTest, TheStatedSizeTimerUsesTheAvailableMemoryCounter)
{
    form.store.RTUl = "4096";
    form.TmrR_Timer();
    EXPECT_EQ(form.view.lblRamT.text, "2896");
    EXPECT_EQ(form.view.lblRPer.text, "70.7%");
}

TEST_F(RefreshTickTest, ANewDayRecomputesTheMoonUntilTheLayoutRunsAgain)
{
    tick();
    EXPECT_EQ(form.store.txtAge, "27");
    fake.clock.moment = {2026, 12, 7, 0, 0, 1};
    tick();
    EXPECT_EQ(form.store.txtAge, "28");
    EXPECT_EQ(form.store.txtFDay, "6");  // the tick does not move it
    EXPECT_TRUE(form.view.moonVisible[28]);

    // Any later day other than the 6th recomputes; the 6th of the next month does not.
    form.store.txtAge = "x";
    fake.clock.moment = {2027, 1, 6, 0, 0, 0};
    tick();
    EXPECT_EQ(form.store.txtAge, "x");
}

TEST_F(RefreshTickTest, MoonOffNeverComputesAndTheTipHasNoAge)
{
    form.store.MVw = "off";
    form.store.txtAge = "";
    fake.clock.moment = {2026, 12, 7, 0, 0, 1};
    tick();
    EXPECT_EQ(form.store.txtAge, "");
    EXPECT_NE(form.view.tray.tip.find(" 月齢日"), std::string::npos);
}

TEST_F(RefreshTickTest, TheClockRunsOnlyWhenSwitchedOn)
{
    fake.clock.moment = {2026, 12, 6, 18, 5, 0};
    tick();
    EXPECT_EQ(form.view.lblTime.text, "18:5:0");
    form.store.CVw = "ON";
    fake.clock.moment = {2026, 12, 6, 18, 6, 0};
    tick();
    EXPECT_EQ(form.view.lblTime.text, "18:5:0");
    EXPECT_EQ(form.store.txtDD, "6");  // the date fields still follow the day
}

}  // namespace
}  // namespace tavlo
