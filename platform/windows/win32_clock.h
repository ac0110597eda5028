#pragma once

#include <string>

#include "platform/clock.h"

namespace tavlo {

// The local time, with dates and times in a locale's formats as Windows
// spells them: the short date, the long date without the weekday, and the
// long time (hours, minutes and seconds).
class Win32Clock final : public Clock {
public:
    // A locale name such as "ja-JP"; empty for the user's own formats
    // (LOCALE_NAME_USER_DEFAULT), as the user has set them.
    explicit Win32Clock(std::wstring localeName = {});

    LocalDateTime now() const override;
    std::string shortDate(const LocalDateTime& moment) const override;
    std::string longDate(const LocalDateTime& moment) const override;
    std::string longTime(const LocalDateTime& moment) const override;

    // "dddd, MMMM d, yyyy" -> "MMMM d, yyyy", "yyyy'年'M'月'd'日'dddd" ->
    // "yyyy'年'M'月'd'日'": a long date picture without its weekday.
    static std::wstring withoutWeekday(const std::wstring& picture);

private:
    const wchar_t* locale() const;

    std::wstring localeName_;
    std::wstring longDatePicture_;
};

}  // namespace tavlo
