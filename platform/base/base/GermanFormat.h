#pragma once

#include <optional>

#include <QString>
#include <QStringList>

#include "base/DateTime.h"

// The German text forms the program reads and writes, pinned here so that they
// are the same whatever the system locale is: dates dd.MM.yyyy, times
// hh:mm:ss, decimal comma, no thousands separator in value texts written (read
// where a person typed them), German month
// names and the logical texts "Wahr"/"Falsch".
namespace base::de {

QString formatDate(TDateTime value);     // "05.03.2024"
QString formatTime(TDateTime value);     // "08:30:00"
QString formatDateTime(TDateTime value); // date, plus " hh:mm:ss" when a time is set
// Accepts "d.M.yyyy", "dd.MM.yyyy" and two-digit years ("1.2.24" = 2024,
// below 50 in this century, else the last); surrounding blanks are ignored.
std::optional<TDateTime> parseDate(const QString &text);
// Accepts "h:m" and "h:m:s".
std::optional<TDateTime> parseTime(const QString &text);
// A date, optionally followed by a blank and a time.
std::optional<TDateTime> parseDateTime(const QString &text);

// The most decimals a formatted number shows (a double holds no more significant digits).
constexpr int kMaxDecimals = 15;
// The value rounded to the decimals as German commercial rounding does: an
// exact half away from zero (1622,5 -> 1623; -0,125 -> -0,13 at two decimals).
double roundHalfAwayFromZero(double value, int decimals);
// Fixed decimals (0 to kMaxDecimals), rounded as above, decimal comma, no thousands separator:
// formatFixed(1234.5, 2) = "1234,50".
QString formatFixed(double value, int decimals);
// Shortest text with up to 15 significant digits: 1.5 -> "1,5", 2 -> "2".
QString formatGeneral(double value);
QString formatMoney(double value);  // two decimals
QString formatLitres(double value); // two decimals
QString formatKm(double value);     // no decimals
// Delphi-style display masks as the tables use them: "#####0.00",
// "########0.00", "#,##0.00" (with thousands dots), "0".
QString formatMask(double value, const QString &mask);
// Read a number as a person types it: decimal comma, and dots only as
// thousands separators grouping exactly three digits ("1.150" = 1150,
// "34.500,50" = 34500,5); any other dot ("1.15", "1.1500", "1..150") fails,
// as do empty and malformed text. Blanks around it are ignored.
std::optional<double> parseFloat(const QString &text);
std::optional<qint64> parseInt(const QString &text); // fails beyond 64 bits
// Reads a value text the program or a file writes itself, not typed by a
// person: a decimal comma, or a decimal point where no comma is present
// ("1.5" = 1,5); no thousands separators.
std::optional<double> parseValueFloat(const QString &text);

extern const QStringList kMonthNames;   // "Januar" … "Dezember"
QString monthName(int month);           // 1..12; empty outside
int monthFromName(const QString &name); // 1..12, 0 when unknown
extern const QStringList kDayNames;     // "Sonntag" … "Samstag" (index = dayOfWeek - 1)

QString boolText(bool value); // "Wahr" / "Falsch"
// "Wahr"/"Falsch" (any case), "True"/"False", "1"/"0", "Ja"/"Nein".
std::optional<bool> parseBool(const QString &text);

} // namespace base::de
