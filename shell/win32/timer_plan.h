#pragma once

#include "core/timers.h"

namespace tavlo {

// What a window timer needs to follow its state in MainTimers.
enum class TimerStep { Keep, Start, Stop };

// The step for a timer that runs every `runningMs` now (0: not running):
// start it when it should tick and does not, or ticks at another interval
// (SetTimer replaces a running one); stop it when it should not tick.
TimerStep timerStep(const Timer& wanted, int runningMs);

}  // namespace tavlo
