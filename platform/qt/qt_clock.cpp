#include "platform/qt/qt_clock.h"

#include <QDateTime>
#include <QLocale>

namespace tavlo {
namespace {

QDate dateOf(const LocalDateTime& moment) { return QDate(moment.year, moment.month, moment.day); }
QTime timeOf(const LocalDateTime& moment) { return QTime(moment.hour, moment.minute, moment.second); }

}  // namespace

LocalDateTime QtClock::now() const
{
    const QDateTime current = QDateTime::currentDateTime();
    const QDate date = current.date();
    const QTime time = current.time();
    return {date.year(), date.month(), date.day(), time.hour(), time.minute(), time.second()};
}

std::string QtClock::shortDate(const LocalDateTime& moment) const
{
    return QLocale::system().toString(dateOf(moment), QLocale::ShortFormat).toStdString();
}

std::string QtClock::longDate(const LocalDateTime& moment) const
{
    return QLocale::system().toString(dateOf(moment), QLocale::LongFormat).toStdString();
}

std::string QtClock::longTime(const LocalDateTime& moment) const
{
    return QLocale::system().toString(timeOf(moment), QLocale::LongFormat).toStdString();
}

}  // namespace tavlo
