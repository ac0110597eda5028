#pragma once

#include <string>

namespace tavlo {

struct LocalDateTime {
    int year = 0;
    int month = 0;
    int day = 0;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

// The local time and its texts in the user's date and time formats.
class Clock {
public:
    virtual ~Clock() = default;
    virtual LocalDateTime now() const = 0;
    virtual std::string shortDate(const LocalDateTime& moment) const = 0;
    virtual std::string longDate(const LocalDateTime& moment) const = 0;
    virtual std::string longTime(const LocalDateTime& moment) const = 0;
};

}  // namespace tavlo
