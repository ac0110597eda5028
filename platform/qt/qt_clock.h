#pragma once

#include "platform/clock.h"

namespace tavlo {

// The system clock, with dates and times in the user's locale.
class QtClock final : public Clock {
public:
    LocalDateTime now() const override;
    std::string shortDate(const LocalDateTime& moment) const override;
    std::string longDate(const LocalDateTime& moment) const override;
    std::string longTime(const LocalDateTime& moment) const override;
};

}  // namespace tavlo
