#include "platform/windows/win32_clock.h"

#include <windows.h>

#include <algorithm>

#include "platform/windows/wide_text.h"

namespace tavlo {
namespace {

SYSTEMTIME systemTimeOf(const LocalDateTime& moment)
{
    SYSTEMTIME time{};
    time.wYear = static_cast<WORD>(moment.year);
    time.wMonth = static_cast<WORD>(moment.month);
    time.wDay = static_cast<WORD>(moment.day);
    time.wHour = static_cast<WORD>(moment.hour);
    time.wMinute = static_cast<WORD>(moment.minute);
    time.wSecond = static_cast<WORD>(moment.second);
    return time;
}

// A text of a formatting call that answers the length it needs when given
// no room; empty when the call fails (a date the calendar cannot show).
template <typename Format> std::string formatted(Format format)
{
    const int length = format(nullptr, 0);
    if (length <= 0)
        return {};
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    if (format(text.data(), length) <= 0)
        return {};
    text.resize(static_cast<std::size_t>(length - 1));
    return toUtf8(text);
}

bool isSpaceOrComma(wchar_t c)
{
    return c == L' ' || c == L',' || c == L'\u3000' || c == L'\u3001' || c == L'\u060C';
}

}  // namespace

Win32Clock::Win32Clock(std::wstring localeName) : localeName_(std::move(localeName))
{
    const int length = GetLocaleInfoEx(locale(), LOCALE_SLONGDATE, nullptr, 0);
    std::wstring picture(static_cast<std::size_t>(std::max(length, 1)), L'\0');
    if (length > 0 && GetLocaleInfoEx(locale(), LOCALE_SLONGDATE, picture.data(), length) > 0)
        picture.resize(static_cast<std::size_t>(length - 1));
    else
        picture.clear();
    longDatePicture_ = withoutWeekday(picture);
}

const wchar_t* Win32Clock::locale() const
{
    return localeName_.empty() ? LOCALE_NAME_USER_DEFAULT : localeName_.c_str();
}

std::wstring Win32Clock::withoutWeekday(const std::wstring& picture)
{
    std::wstring result;
    bool quoted = false;
    for (std::size_t at = 0; at < picture.size();) {
        if (picture[at] == L'\'') {
            quoted = !quoted;
        } else if (!quoted && picture.compare(at, 4, L"dddd") == 0) {
            // The weekday, and the comma or spaces that part it from the date.
            while (at < picture.size() && picture[at] == L'd')
                ++at;
            while (at < picture.size() && isSpaceOrComma(picture[at]))
                ++at;
            continue;
        }
        result += picture[at++];
    }
    while (!result.empty() && isSpaceOrComma(result.back()))
        result.pop_back();
    return result;
}

LocalDateTime Win32Clock::now() const
{
    SYSTEMTIME time{};
    GetLocalTime(&time);
    return {time.wYear, time.wMonth, time.wDay, time.wHour, time.wMinute, time.wSecond};
}

std::string Win32Clock::shortDate(const LocalDateTime& moment) const
{
    const SYSTEMTIME time = systemTimeOf(moment);
    return formatted([&](wchar_t* text, int size) {
        return GetDateFormatEx(locale(), DATE_SHORTDATE, &time, nullptr, text, size, nullptr);
    });
}

std::string Win32Clock::longDate(const LocalDateTime& moment) const
{
    const SYSTEMTIME time = systemTimeOf(moment);
    // Without a picture of its own the locale's long date, weekday and all.
    const wchar_t* picture = longDatePicture_.empty() ? nullptr : longDatePicture_.c_str();
    return formatted([&](wchar_t* text, int size) {
        return GetDateFormatEx(locale(), picture ? 0 : DATE_LONGDATE, &time, picture, text, size, nullptr);
    });
}

std::string Win32Clock::longTime(const LocalDateTime& moment) const
{
    const SYSTEMTIME time = systemTimeOf(moment);
    return formatted([&](wchar_t* text, int size) { return GetTimeFormatEx(locale(), 0, &time, nullptr, text, size); });
}

}  // namespace tavlo
