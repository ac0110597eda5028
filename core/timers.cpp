#include "core/timers.h"

namespace tavlo {

void SelectRefreshTimer(bool statedSize, MainTimers& timers)
{
    Timer& running = statedSize ? timers.TmrR : timers.TmrN;
    Timer& stopped = statedSize ? timers.TmrN : timers.TmrR;
    stopped.enabled = false;
    running.enabled = true;
    running.intervalMs = kRefreshIntervalMs;
}

}  // namespace tavlo
