#pragma once

#include <chrono>

namespace tavlo {

// Time that only goes forward, for pacing work; it has nothing to do with
// the time of day, which the user may change.
class MonotonicClock {
public:
    using time_point = std::chrono::steady_clock::time_point;

    virtual ~MonotonicClock() = default;
    virtual time_point now() const = 0;
};

// The system's own.
class SteadyClock final : public MonotonicClock {
public:
    time_point now() const override { return std::chrono::steady_clock::now(); }
};

inline const MonotonicClock& steadyClock()
{
    static const SteadyClock clock;
    return clock;
}

}  // namespace tavlo
