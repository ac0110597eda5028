#include "shell/win32/timer_plan.h"

namespace tavlo {

TimerStep timerStep(const Timer& wanted, int runningMs)
{
    if (!wanted.ticking())
        return runningMs > 0 ? TimerStep::Stop : TimerStep::Keep;
    return runningMs == wanted.intervalMs ? TimerStep::Keep : TimerStep::Start;
}

}  // namespace tavlo
