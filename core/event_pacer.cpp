#include "core/event_pacer.h"

#include <utility>

namespace tavlo {

EventPacer::EventPacer(const MonotonicClock& clock, std::function<void()> letEventsRun, std::chrono::milliseconds every)
    : clock_(clock), letEventsRun_(std::move(letEventsRun)), every_(every), last_(clock.now())
{
}

void EventPacer::step()
{
    if (clock_.now() - last_ < every_)
        return;
    if (letEventsRun_)
        letEventsRun_();
    // Time spent on events (a menu held open) is no time of the work.
    last_ = clock_.now();
}

}  // namespace tavlo
