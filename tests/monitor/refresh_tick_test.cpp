#include "monitor/refresh_tick.h"

#include <gtest/gtest.h>

#include "display/layout.h"
#include "monitor/memory_figures.h"
#include "monitor/tray_tip.h"
#include "shell/main_window.h"
#include "tests/fakes/fake_services.h"

namespace tavlo {
namespace {

// The memory row before and after one tick's memory step: the used-MB text
// and the bar as they stood, the figures read, and what the row shows then.
// The bar starts 777 twips wide, so that a width that is kept shows.
struct MemoryRow {
    const char* name;
    const char* RTUl;  // nullptr: memory-status mode
    std::optional<MemoryFigures> figures;
    std::optional<double> availableMb;
    const char* usedBefore;
    const char* used;
    const char* percent;
    double width;
};

void PrintTo(const MemoryRow& row, std::ostream* out)
{
    *out << row.name;
}

class MemoryFiguresTest : public ::testing::TestWithParam<MemoryRow> {};

TEST_P(MemoryFiguresTest, WriteTheMemoryRow)
{
    const MemoryRow& row = GetParam();
    GadgetView view;
    view.lblRamT.text = row.usedBefore;
    view.RamT.width = 777;
    if (row.RTUl)
        statedSizeFigures(row.RTUl, row.availableMb, view);
    else
        memoryStatusFigures(row.figures, view);
    EXPECT_EQ(view.lblRamT.text, row.used);
    EXPECT_EQ(view.lblRPer.text, row.percent);
    EXPECT_FLOAT_EQ(static_cast<float>(view.RamT.width), static_cast<float>(row.width));
}

constexpr std::optional<double> kUnread = std::nullopt;

INSTANTIATE_TEST_SUITE_P(Rows, MemoryFiguresTest,
    ::testing::Values(
        // Memory-status mode: the used share in percent rounded up, 100 - floor(33.3).
        MemoryRow{
            "UsedShareIsRoundedUp", nullptr, MemoryFigures{1536000000, 512000000}, kUnread, "", "1000", "67%", 1738.65},
        // 16 GiB with 4 GiB free.
        MemoryRow{"TotalsBeyond32Bits", nullptr, MemoryFigures{17179869184ULL, 4294967296ULL}, kUnread, "", "12583",
            "75%", 1946.25},
        MemoryRow{"ZeroTotalEmptiesThePercentAndTheBar", nullptr, MemoryFigures{0, 0}, kUnread, "", "", "%", 0},
        MemoryRow{"UnderHalfAMegabyteUsedIsEmpty", nullptr, MemoryFigures{1024000000, 1024000000 - 400000}, kUnread, "",
            "", "1%", 25.95},
        // The shape refuses a negative width.
        MemoryRow{"MoreAvailableThanInAllKeepsTheBar", nullptr, MemoryFigures{1024000000, 2048000000}, kUnread, "",
            "-1000", "-100%", 777},
        MemoryRow{"UnreadableFiguresLeaveTheRow", nullptr, std::nullopt, kUnread, "RTime", "RTime", "", 777},
        // Stated-size mode: the percentage comes from the used figure as displayed.
        MemoryRow{"PercentFromTheDisplayedUsedFigure", "4096", std::nullopt, 1200.0, "", "2896", "70.7%", 1834.665},
        MemoryRow{"AWholePercentKeepsItsPoint", "4096", std::nullopt, 2048.0, "", "2048", "50.%", 1297.5},
        MemoryRow{"AnUnreadableCounterKeepsTheUsedText", "2048", std::nullopt, kUnread, "1024", "1024", "50.%", 1297.5},
        MemoryRow{"ASizeOfZeroShowsOnlyThePercentSign", "abc", std::nullopt, 100.0, "", "-100", "%", 777},
        MemoryRow{"ASizeBelowTheAvailableMemoryGoesNegative", "1000", std::nullopt, 1500.0, "", "-500", "-50.%", 777},
        // A negative size in the file: -1205 MB used of -5 MB is 24100 %; the
        // bar stops at its frame.
        MemoryRow{
            "OverHundredFillsTheBarAndNoMore", "-5", std::nullopt, 1200.0, "", "-1205", "24100.%", kFullBarWidth}),
    [](const ::testing::TestParamInfo<MemoryRow>& row) { return row.param.name; });

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
    MainWindow form{fake.services};
};

TEST_F(RefreshTickTest, ReplacesThePlaceholdersWithReadoutsAndTheTipSummarisesThem)
{
    tick();
    EXPECT_EQ(form.view.lblCPer.text, "38%");
    EXPECT_EQ(form.view.lblDPer.text, "12%");
    EXPECT_EQ(form.view.lblDSPer.text, "45.%");
    EXPECT_EQ(form.view.lblRPer.text, "50%");  // 1 GiB with half of it available
    EXPECT_FLOAT_EQ(static_cast<float>(form.view.PrscrTime.width), 38 * 0.01f * 2595);
    EXPECT_FLOAT_EQ(static_cast<float>(form.view.DSpce.width), 45 * 0.01f * 2595);
    EXPECT_EQ(form.labels.lblC, "38");
    EXPECT_EQ(form.labels.lblD, "12");
    EXPECT_EQ(form.labels.lblDs, "45.");
    EXPECT_EQ(form.view.tray.tip, "2026年12月6日 18:04 月齢27日\r CPU: 38% / RAM: 50% / Disk: 12%");
}

TEST_F(RefreshTickTest, TheStatedSizeTimerReadsTheCounterAndALongTipIsCutAt65Bytes)
{
    fake.clock.moment = {2026, 12, 19, 18, 4, 27};
    fake.counters.values[kProcessorTimeCounter] = 100;
    fake.counters.values[kDiskTimeCounter] = 100;
    form.store.RTUl = "4096";
    form.TmrR_Timer();
    EXPECT_EQ(form.view.lblRamT.text, "2896");  // 4096 MB stated, 1200 MB available
    EXPECT_EQ(form.view.lblRPer.text, "70.7%");
    // 66 bytes in code page 932: the field holds the first 65, without the "%" and the end.
    EXPECT_EQ(form.view.tray.tip, "2026年12月19日 18:04 月齢10日\r CPU: 100% / RAM: 70.7% / Disk: 100");
}

TEST(TrayTip, ACutNeverSplitsADoubleByteCharacter)
{
    const testing::FakeCodec codec;
    const std::string tip = std::string(64, 'a') + "日";  // the character would take bytes 64 and 65
    EXPECT_EQ(tipAsShown(tip, codec), std::string(64, 'a'));
    EXPECT_EQ(tipAsShown("Tavlo", codec), "Tavlo");
}

// A counter with the readout, bar and working label it feeds.
struct Reading {
    int counter;
    LabelView GadgetView::*label;
    BarView GadgetView::*bar;
    std::string WorkingLabels::*working;
};
const Reading kProcessor{kProcessorTimeCounter, &GadgetView::lblCPer, &GadgetView::PrscrTime, &WorkingLabels::lblC};
const Reading kDisk{kDiskTimeCounter, &GadgetView::lblDPer, &GadgetView::DiskTime, &WorkingLabels::lblD};
const Reading kFreeSpace{kFreeSpaceCounter, &GadgetView::lblDSPer, &GadgetView::DSpce, &WorkingLabels::lblDs};

struct ReadoutCase {
    const char* name;
    Reading reading;
    double value;
    const char* text;
    double width;
    const char* working;
    friend void PrintTo(const ReadoutCase& row, std::ostream* out) { *out << row.name; }
};

class Readout : public RefreshTickTest, public ::testing::WithParamInterface<ReadoutCase> {};

TEST_P(Readout, TextBarAndWorkingLabelFollowTheRules)
{
    const ReadoutCase& row = GetParam();
    fake.counters.values[row.reading.counter] = row.value;
    tick();
    EXPECT_EQ((form.view.*row.reading.label).text, row.text);
    EXPECT_EQ((form.view.*row.reading.bar).width, row.width);  // widths are single-precision, exact here
    EXPECT_EQ(form.labels.*row.reading.working, row.working);
}

// The processor and disk readouts stop at 100 %, and below 15 % free space
// shows 0; the working label keeps the reading uncapped, in its digit pattern.
INSTANTIATE_TEST_SUITE_P(Values, Readout,
    ::testing::Values(ReadoutCase{"ProcessorBelowHalfIsZero", kProcessor, 0.4, "0%", 0, ""},
        ReadoutCase{"ProcessorAboveHundredIsCapped", kProcessor, 100.6, "100%", 2595, "101"},
        ReadoutCase{"ProcessorNegative", kProcessor, -3, "0%", 0, "-3"},
        ReadoutCase{"ProcessorWhole", kProcessor, 50, "50%", 1297.5, "50"},
        ReadoutCase{"DiskTimeOverHundredIsCapped", kDisk, 250, "100%", 2595, "250"},
        ReadoutCase{"FreeSpaceRoundsUpToFifteen", kFreeSpace, 14.96, "15.%", 389.25, "15."},
        ReadoutCase{"FreeSpaceStaysBelowFifteen", kFreeSpace, 14.94, "0%", 0, "14.9"}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(RefreshTickTest, FailedCountersKeepTheWorkingLabelsAndShowZero)
{
    tick();
    fake.counters.values.clear();
    tick();
    EXPECT_EQ(form.view.lblCPer.text, "0%");
    EXPECT_EQ(form.view.lblDPer.text, "0%");
    EXPECT_EQ(form.labels.lblC, "38");  // kept, so the bars keep their size
    EXPECT_FLOAT_EQ(static_cast<float>(form.view.PrscrTime.width), 38 * 0.01f * 2595);
    EXPECT_EQ(form.view.lblDSPer.text, "45.%");
}

TEST_F(RefreshTickTest, WithoutAnyReadingTheBarsAreEmpty)
{
    fake.counters.values.clear();
    tick();
    EXPECT_EQ(form.labels.lblC, "C");
    EXPECT_EQ(form.view.PrscrTime.width, 0);
    EXPECT_EQ(form.view.DiskTime.width, 0);
    EXPECT_EQ(form.view.DSpce.width, 0);
    EXPECT_EQ(form.view.lblDSPer.text, "0%");
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
