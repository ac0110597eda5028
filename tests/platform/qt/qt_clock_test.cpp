#include "platform/qt/qt_clock.h"

#include <QDate>

#include <gtest/gtest.h>

#include <string>

namespace tavlo {
namespace {

const LocalDateTime kMoment{2026, 12, 6, 18, 14, 27};

TEST(QtClock, JapaneseTextsReadLikeTheDesktopClock)
{
    const QtClock clock{QLocale(QLocale::Japanese, QLocale::Japan)};
    EXPECT_EQ(clock.shortDate(kMoment), "2026/12/06");
    EXPECT_EQ(clock.longDate(kMoment), "2026年12月6日");
    EXPECT_EQ(clock.longTime(kMoment), "18:14:27");
}

TEST(QtClock, OtherLocalesKeepTheirOwnOrderWithoutWeekdayOrZone)
{
    const QtClock us{QLocale(QLocale::English, QLocale::UnitedStates)};
    EXPECT_EQ(us.longDate(kMoment), "December 6, 2026");
    EXPECT_EQ(us.longTime(kMoment), "6:14:27 PM");
    const QtClock german{QLocale(QLocale::German, QLocale::Germany)};
    EXPECT_EQ(german.longTime(kMoment), "18:14:27");
}

// The long date drops the weekday, with the comma and blanks after it,
// wherever the locale puts it.
struct LongDateRow {
    const char* name;
    QLocale::Language language;
    QLocale::Territory territory;
    const char* longDate;
};

class QtClockLongDate : public testing::TestWithParam<LongDateRow> {};

TEST_P(QtClockLongDate, HasNoWeekday)
{
    const LongDateRow& row = GetParam();
    EXPECT_EQ(QtClock{QLocale(row.language, row.territory)}.longDate(kMoment), row.longDate);
}

INSTANTIATE_TEST_SUITE_P(Locales, QtClockLongDate,
    testing::Values(LongDateRow{"Japanese", QLocale::Japanese, QLocale::Japan, "2026年12月6日"},
        LongDateRow{"English", QLocale::English, QLocale::UnitedStates, "December 6, 2026"},
        LongDateRow{"German", QLocale::German, QLocale::Germany, "6. Dezember 2026"},
        LongDateRow{"French", QLocale::French, QLocale::France, "6 décembre 2026"},
        LongDateRow{"Chinese", QLocale::Chinese, QLocale::China, "2026年12月6日"},
        LongDateRow{"Korean", QLocale::Korean, QLocale::SouthKorea, "2026년 12월 6일"}),
    [](const testing::TestParamInfo<LongDateRow>& row) { return std::string(row.param.name); });

// The day may change between the readings, at midnight of any day.
TEST(QtClock, NowIsToday)
{
    const QDate before = QDate::currentDate();
    const LocalDateTime now = QtClock().now();
    const QDate after = QDate::currentDate();
    const QDate read(now.year, now.month, now.day);
    EXPECT_TRUE(read == before || read == after) << read.toString(Qt::ISODate).toStdString();
}

}  // namespace
}  // namespace tavlo
