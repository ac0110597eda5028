#include "tools/memory_release.h"

#include <gtest/gtest.h>

#include "shell/main_window.h"
#include "tests/fakes/fake_services.h"
#include "tests/fakes/run_action.h"

namespace tavlo {
namespace {

class MemoryReleaseTest : public ::testing::Test {
protected:
    MemoryReleaseTest()
    {
        form.Form_Load();
        form.store.lblMClr = "1000";
    }

    // Runs the release, noting what the display showed at each step.
    void run()
    {
        MemoryRelease release(form.store.lblMClr, form.view, form.timers, fake.blocks);
        testing::runToEnd(release, fake.notifier, [this] {
            times.push_back(form.view.lblTime.text);
            widths.push_back(form.view.RamT.width);
            EXPECT_FALSE(form.timers.TmrN.enabled || form.timers.TmrR.enabled)
                << "a refresh could overwrite the progress";
        });
        EXPECT_TRUE(fake.notifier.messages.empty()) << "the release says nothing";
    }

    testing::FakeServices fake;
    MainWindow form{fake.services};
    std::vector<std::string> times;
    std::vector<double> widths;
};

TEST_F(MemoryReleaseTest, GrowsInTenStepsWithTheProgressOnTheClock)
{
    run();
    EXPECT_EQ(times, (std::vector<std::string>{"10%", "20%", "30%", "40%", "50%", "60%", "70%", "80%", "90%", "100%"}));
    for (std::size_t k = 0; k < widths.size(); ++k)
        EXPECT_DOUBLE_EQ(widths[k], 259.5 * static_cast<double>(k + 1));
    // Indices 0 to N, then 0 to N × (k + 1): the last block is 10 N words.
    EXPECT_EQ(fake.blocks.reserved,
        (std::vector<std::uint64_t>{1001, 2001, 3001, 4001, 5001, 6001, 7001, 8001, 9001, 10001}));
    EXPECT_EQ(form.view.lblDate.text, "開放完了");
    EXPECT_FALSE(fake.blocks.held);  // given back
    EXPECT_TRUE(form.timers.TmrRS.ticking());
    EXPECT_EQ(form.timers.TmrRS.intervalMs, 1000);
}

TEST_F(MemoryReleaseTest, ACountOfZeroStillRunsAllTenSteps)
{
    form.store.lblMClr = "";
    run();
    EXPECT_EQ(times.size(), 10u);
    EXPECT_EQ(fake.blocks.reserved, std::vector<std::uint64_t>(10, 1));
    EXPECT_EQ(form.view.lblDate.text, "開放完了");
}

TEST_F(MemoryReleaseTest, SizesBeyond32BitsAreKept)
{
    form.store.lblMClr = "500000000";  // about 67 GB of memory
    run();
    EXPECT_EQ(fake.blocks.reserved.back(), 5000000001u);
}

TEST_F(MemoryReleaseTest, AReservationThatFailsStopsAtItsStepAndStillHandsBack)
{
    fake.blocks.capacity = 3500;  // the fourth block, 4001 words, does not fit
    run();
    EXPECT_EQ(form.view.lblTime.text, "30%");
    EXPECT_EQ(fake.blocks.reserved.size(), 4u);
    EXPECT_EQ(form.view.lblDate.text, "メモリ開放中");
    EXPECT_FALSE(fake.blocks.held);
    EXPECT_TRUE(form.timers.TmrRS.ticking());

    form.store.RTUl = "4096";
    form.TmrRS_Timer();
    EXPECT_TRUE(form.timers.TmrR.ticking());
    EXPECT_FALSE(form.timers.TmrN.enabled);
    EXPECT_FALSE(form.timers.TmrRS.enabled);
}

}  // namespace
}  // namespace tavlo
