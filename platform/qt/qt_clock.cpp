#include "platform/qt/qt_clock.h"

#include <QDateTime>

namespace tavlo {
namespace {

QDate dateOf(const LocalDateTime& moment)
{
    return {moment.year, moment.month, moment.day};
}
QTime timeOf(const LocalDateTime& moment)
{
    return {moment.hour, moment.minute, moment.second};
}

// "yyyy年M月d日dddd" -> "yyyy年M月d日", "dddd, MMMM d, yyyy" -> "MMMM d, yyyy":
// each "dddd" goes with a comma after it and the blanks that follow. By
// hand, since a regular expression would bring its engine in at start-up.
QString withoutWeekday(QString format)
{
    const QString weekday = QStringLiteral("dddd");
    for (qsizetype at = format.indexOf(weekday); at >= 0; at = format.indexOf(weekday, at)) {
        qsizetype end = at + weekday.size();
        if (end < format.size() && (format[end] == QLatin1Char(',') || format[end] == QChar(0x3001)))
            ++end;
        while (end < format.size() && format[end].isSpace())
            ++end;
        format.remove(at, end - at);
    }
    return format.trimmed();
}

// The locale's short time with seconds after the minutes: "H:mm" ->
// "H:mm:ss", "h:mm AP" -> "h:mm:ss AP". The locale's long time names the
// time zone, and in Japanese spells the units out.
QString withSeconds(QString format)
{
    if (!format.contains(QLatin1Char('s')))
        format.replace(QStringLiteral("mm"), QStringLiteral("mm:ss"));
    return format;
}

}  // namespace

QtClock::QtClock(const QLocale& locale)
    : locale_(locale),
      longDateFormat_(withoutWeekday(locale_.dateFormat(QLocale::LongFormat))),
      longTimeFormat_(withSeconds(locale_.timeFormat(QLocale::ShortFormat)))
{
}

LocalDateTime QtClock::now() const
{
    const QDateTime current = QDateTime::currentDateTime();
    const QDate date = current.date();
    const QTime time = current.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

const QtClock::DateTexts& QtClock::textsOf(const LocalDateTime& moment) const
{
    const QDate date = dateOf(moment);
    if (date != dateTexts_.date) {
        dateTexts_ = {date, locale_.toString(date, QLocale::ShortFormat).toStdString(),
            locale_.toString(date, longDateFormat_).toStdString()};
    }
    return dateTexts_;
}

std::string QtClock::shortDate(const LocalDateTime& moment) const
{
    return textsOf(moment).shortText;
}

std::string QtClock::longDate(const LocalDateTime& moment) const
{
    return textsOf(moment).longText;
}

std::string QtClock::longTime(const LocalDateTime& moment) const
{
    return locale_.toString(timeOf(moment), longTimeFormat_).toStdString();
}

}  // namespace tavlo
