#include "shell/win32/timer_plan.h"

#include <gtest/gtest.h>

namespace tavlo {
namespace {

struct TimerRow {
    const char* what;
    Timer wanted;
    int runningMs;
    TimerStep step;
    // Named by its text: printed as bytes, the row would show the padding
    // after Timer::enabled, which holds whatever the stack held, and its
    // test's name would change from one listing to the next.
    friend void PrintTo(const TimerRow& row, std::ostream* out) { *out << row.what; }
};

class WindowTimer : public testing::TestWithParam<TimerRow> {};

TEST_P(WindowTimer, FollowsItsStateAfterEveryHandler)
{
    EXPECT_EQ(timerStep(GetParam().wanted, GetParam().runningMs), GetParam().step) << GetParam().what;
}

INSTANTIATE_TEST_SUITE_P(States, WindowTimer,
    testing::Values(TimerRow{"the refresh starts", {true, kRefreshIntervalMs}, 0, TimerStep::Start},
        TimerRow{"a tick leaves it running", {true, kRefreshIntervalMs}, kRefreshIntervalMs, TimerStep::Keep},
        TimerRow{"the memory release stops it", {false, kRefreshIntervalMs}, kRefreshIntervalMs, TimerStep::Stop},
        TimerRow{"a new interval restarts it", {true, 1000}, kRefreshIntervalMs, TimerStep::Start},
        TimerRow{"an interval of 0 never ticks", {true, 0}, kRefreshIntervalMs, TimerStep::Stop},
        TimerRow{"a stopped timer stays stopped", {false, 1000}, 0, TimerStep::Keep},
        TimerRow{"an enabled timer without interval stays stopped", {true, 0}, 0, TimerStep::Keep}));

}  // namespace
}  // namespace tavlo
