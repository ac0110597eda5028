#pragma once

#include <QDate>
#include <QLocale>

#include <string>

#include "platform/clock.h"

namespace tavlo {

// The system clock, with dates and times in the user's locale, shaped like
// the desktop clocks of that locale: the long date without the weekday, the
// long time as hours, minutes and seconds without a time zone.
class QtClock final : public Clock {
public:
    explicit QtClock(const QLocale& locale = QLocale::system());

    LocalDateTime now() const override;
    std::string shortDate(const LocalDateTime& moment) const override;
    std::string longDate(const LocalDateTime& moment) const override;
    std::string longTime(const LocalDateTime& moment) const override;

private:
    // The date texts change once a day; the refresh asks twice a second.
    struct DateTexts {
        QDate date;
        std::string shortText;
        std::string longText;
    };
    const DateTexts& textsOf(const LocalDateTime& moment) const;

    QLocale locale_;
    QString longDateFormat_;
    QString longTimeFormat_;
    mutable DateTexts dateTexts_;
};

}  // namespace tavlo
