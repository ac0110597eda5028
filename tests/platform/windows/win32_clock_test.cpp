#include "platform/windows/win32_clock.h"

#include <windows.h>

#include <gtest/gtest.h>

namespace tavlo {
namespace {

const LocalDateTime kMoment{2026, 12, 7, 4, 5, 9};

// Wine's own tables: its Japanese short date leaves the month and day
// unpadded, where Windows 10 writes 2026/12/07.
struct LocaleTexts {
    const char* name;
    const wchar_t* locale;
    const char* shortDate;
    const char* longDate;
    const char* longTime;
};

void PrintTo(const LocaleTexts& row, std::ostream* out)
{
    *out << row.name;
}

class Win32ClockTest : public ::testing::TestWithParam<LocaleTexts> {};

TEST_P(Win32ClockTest, TextsFollowTheLocaleWithoutTheWeekday)
{
    const Win32Clock clock(GetParam().locale);
    EXPECT_EQ(clock.shortDate(kMoment), GetParam().shortDate);
    EXPECT_EQ(clock.longDate(kMoment), GetParam().longDate);
    EXPECT_EQ(clock.longTime(kMoment), GetParam().longTime);
}

INSTANTIATE_TEST_SUITE_P(UnderWine, Win32ClockTest,
    ::testing::Values(LocaleTexts{"Japanese", L"ja-JP", "2026/12/7", "2026年12月7日", "4:05:09"},
        LocaleTexts{"AmericanEnglish", L"en-US", "12/7/2026", "December 7, 2026", "4:05:09 AM"},
        LocaleTexts{"German", L"de-DE", "7.12.2026", "7. Dezember 2026", "04:05:09"},
        LocaleTexts{"French", L"fr-FR", "07/12/2026", "7 décembre 2026", "04:05:09"}),
    [](const ::testing::TestParamInfo<LocaleTexts>& row) { return row.param.name; });

TEST(Win32Clock, TheWeekdayLeavesTheLongDatePicture)
{
    for (const auto& [picture, without] :
        {std::pair{L"dddd, MMMM d, yyyy", L"MMMM d, yyyy"}, std::pair{L"yyyy'年'M'月'd'日'dddd", L"yyyy'年'M'月'd'日'"},
            std::pair{L"yyyy年M月d日 dddd", L"yyyy年M月d日"}, std::pair{L"dddd d MMMM yyyy", L"d MMMM yyyy"},
            std::pair{L"d MMMM yyyy, dddd", L"d MMMM yyyy"}, std::pair{L"'dddd' d MMMM yyyy", L"'dddd' d MMMM yyyy"},
            std::pair{L"ddd d MMMM", L"ddd d MMMM"}})
        EXPECT_EQ(Win32Clock::withoutWeekday(picture), without) << std::string(picture, picture + wcslen(picture));
}

// The day may change between the readings, at midnight of any day.
TEST(Win32Clock, NowIsTodayAndTheUsersFormatsRead)
{
    SYSTEMTIME before{}, after{};
    GetLocalTime(&before);
    const Win32Clock clock;
    const LocalDateTime now = clock.now();
    GetLocalTime(&after);
    const auto isDayOf = [&](const SYSTEMTIME& time) {
        return now.year == time.wYear && now.month == time.wMonth && now.day == time.wDay;
    };
    EXPECT_TRUE(isDayOf(before) || isDayOf(after)) << now.year << "-" << now.month << "-" << now.day;
    EXPECT_FALSE(clock.shortDate(now).empty());
    EXPECT_FALSE(clock.longDate(now).empty());
    EXPECT_FALSE(clock.longTime(now).empty());
}

}  // namespace
}  // namespace tavlo
