#include "base/DateTime.h"

#include <algorithm>
#include <cmath>

namespace base {

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int daysInMonth(int year, int month)
{
    static const int days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12)
        return 0;
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

bool isValidDate(int year, int month, int day)
{
    return year >= 1 && year <= 9999 && month >= 1 && month <= 12 && day >= 1 &&
           day <= daysInMonth(year, month);
}

TDateTime encodeDate(int year, int month, int day)
{
    return static_cast<double>(QDate(year, month, day).toJulianDay() - kEpochJulianDay);
}

TDateTime encodeTime(int hour, int minute, int second, int msec)
{
    return (((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + msec) / kMsPerDay;
}

TDateTime encodeDateTime(int year, int month, int day, int hour, int minute, int second, int msec)
{
    double d = encodeDate(year, month, day);
    double t = encodeTime(hour, minute, second, msec);
    return d < 0 ? d - t : d + t;
}

bool isValidDateTime(TDateTime value)
{
    // Before the epoch the time of day is subtracted, so the first day reaches down to almost -1 more.
    return std::isfinite(value) && value > kMinDateTime - 1.0 && value < kMaxDateTime + 1e-5;
}

int datePart(TDateTime value)
{
    // No float-to-int conversion of a value the type cannot hold.
    return isValidDateTime(value) ? static_cast<int>(std::trunc(value)) : 0;
}

double timePart(TDateTime value)
{
    return isValidDateTime(value) ? std::fabs(value - std::trunc(value)) : 0.0;
}

void decodeDate(TDateTime value, int &year, int &month, int &day)
{
    QDate d = QDate::fromJulianDay(qint64(kEpochJulianDay) + datePart(value));
    year = d.year();
    month = d.month();
    day = d.day();
}

void decodeTime(TDateTime value, int &hour, int &minute, int &second, int &msec)
{
    // Round to the millisecond first so 0.5 days is exactly 12:00:00.000.
    long long ms = std::llround(timePart(value) * kMsPerDay);
    if (ms >= static_cast<long long>(kMsPerDay))
        ms = static_cast<long long>(kMsPerDay) - 1;
    hour = static_cast<int>(ms / 3600000);
    minute = static_cast<int>(ms / 60000 % 60);
    second = static_cast<int>(ms / 1000 % 60);
    msec = static_cast<int>(ms % 1000);
}

int dayOfWeek(TDateTime value)
{
    // Day 0 (30.12.1899) was a Saturday.
    int d = datePart(value);
    int r = ((d % 7) + 7) % 7; // 0 = Saturday
    return r == 0 ? 7 : r;
}

TDateTime incMonth(TDateTime value, int months)
{
    int y, m, d;
    decodeDate(value, y, m, d);
    // Whole months counted without overflow, kept inside the years the type can show.
    const qint64 total = std::clamp<qint64>(qint64(y) * 12 + (m - 1) + months, 12, 9999 * 12 + 11);
    const int ny = int(total / 12);
    const int nm = int(total % 12) + 1;
    int nd = std::min(d, daysInMonth(ny, nm));
    double date = encodeDate(ny, nm, nd);
    double time = timePart(value);
    return date < 0 ? date - time : date + time;
}

QDate toQDate(TDateTime value)
{
    return isValidDateTime(value) ? QDate::fromJulianDay(qint64(kEpochJulianDay) + datePart(value)) : QDate();
}

QTime toQTime(TDateTime value)
{
    int h, mi, s, ms;
    decodeTime(value, h, mi, s, ms);
    return QTime(h, mi, s, ms);
}

QDateTime toQDateTime(TDateTime value)
{
    return QDateTime(toQDate(value), toQTime(value));
}

TDateTime fromQDate(const QDate &date)
{
    return static_cast<double>(date.toJulianDay() - kEpochJulianDay);
}

TDateTime fromQTime(const QTime &time)
{
    return time.msecsSinceStartOfDay() / kMsPerDay;
}

TDateTime fromQDateTime(const QDateTime &dateTime)
{
    double d = fromQDate(dateTime.date());
    double t = fromQTime(dateTime.time());
    return d < 0 ? d - t : d + t;
}

} // namespace base
