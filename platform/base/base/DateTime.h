#pragma once

#include <QDate>
#include <QDateTime>
#include <QTime>

namespace base {

// The system's date-time value: days since 30.12.1899 (day 0) with the time of
// day as the fraction. Negative values count days before the epoch; their
// fraction is still the time of day (as the stored tables have it).
using TDateTime = double;

constexpr int kEpochJulianDay = 2415019; // QDate(1899, 12, 30).toJulianDay()
constexpr double kMsPerDay = 86400000.0;

TDateTime encodeDate(int year, int month, int day);
TDateTime encodeTime(int hour, int minute, int second = 0, int msec = 0);
TDateTime encodeDateTime(int year, int month, int day, int hour, int minute, int second = 0, int msec = 0);
bool isValidDate(int year, int month, int day);
// Whether the value is a date-time the type can show (01.01.0001 to 31.12.9999); values read from
// outside are checked with it before they are taken apart.
bool isValidDateTime(TDateTime value);
constexpr double kMinDateTime = -693593.0;     // 01.01.0001
constexpr double kMaxDateTime = 2958465.99999; // 31.12.9999 23:59:59

// Whole-day part and time-of-day part of a value (values outside the range count as day 0).
int datePart(TDateTime value);
double timePart(TDateTime value);

void decodeDate(TDateTime value, int &year, int &month, int &day);
void decodeTime(TDateTime value, int &hour, int &minute, int &second, int &msec);

// 1 = Sunday … 7 = Saturday.
int dayOfWeek(TDateTime value);

// Adds whole months; the day is clamped to the end of the target month and the
// time of day is kept (31.01. + 1 month = 28.02. or 29.02.).
TDateTime incMonth(TDateTime value, int months);

int daysInMonth(int year, int month);
bool isLeapYear(int year);

QDate toQDate(TDateTime value);
QTime toQTime(TDateTime value);
QDateTime toQDateTime(TDateTime value);
TDateTime fromQDate(const QDate &date);
TDateTime fromQDateTime(const QDateTime &dateTime);
TDateTime fromQTime(const QTime &time);

} // namespace base
