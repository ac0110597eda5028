#pragma once

#include <chrono>
#include <functional>

#include "platform/monotonic_clock.h"

namespace tavlo {

// Keeps the user-interface thread answering during a long action that runs
// on it: the action tells the pacer after each small step of its work, and
// the pacer lets events run (the clock repaints, the menu opens) once
// `every` has passed since they last ran. Timed by the clock, so that many
// quick steps and one slow step are paced alike.
class EventPacer {
public:
    static constexpr std::chrono::milliseconds kEvery{50};

    EventPacer(
        const MonotonicClock& clock, std::function<void()> letEventsRun, std::chrono::milliseconds every = kEvery);

    // A step of the work has ended.
    void step();

private:
    const MonotonicClock& clock_;
    std::function<void()> letEventsRun_;
    std::chrono::milliseconds every_;
    MonotonicClock::time_point last_;
};

}  // namespace tavlo
