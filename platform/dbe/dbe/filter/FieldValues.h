#pragma once

#include <optional>

#include <QDate>
#include <QString>
#include <QVariant>

#include "dbe/Schema.h"

// Values of the current record as both filter evaluators compare them: text
// as text, everything else as a number in its kind's unit.
namespace dbe::filter::values {

enum class Kind {
    Text,
    Number,   // integers, floats, booleans (0 / 1)
    Date,     // day number, 1 Jan 0001 = 1
    Time,     // milliseconds since midnight
    DateTime, // day number * 86 400 000 + milliseconds of the day
    None      // cannot be filtered on
};

Kind kindOf(FieldType type);

// Whether values of the two kinds can be compared (a date with a date-time
// counts as the date's midnight).
bool comparable(Kind a, Kind b);
// Brings a number of kind `from` into the unit of kind `to` (date to date-time).
double toUnit(double value, Kind from, Kind to);

std::int32_t dayNumber(const QDate &date);

// The value of a field of the given kind as a number; false when blank or
// unreadable. Dates, times and date-times are read from QDate, QTime,
// QDateTime or a base::TDateTime double.
bool readNumber(const QVariant &value, Kind kind, double &out);

// The text of a value without copying it when it holds a QString (the usual
// case); other values are converted into storage. The view lives as long as
// value (or storage) does.
inline QStringView textOf(const QVariant &value, QString &storage)
{
    if (value.typeId() == QMetaType::QString)
        return *static_cast<const QString *>(value.constData());
    storage = value.toString();
    return storage;
}

// A text read as a number: C notation, else a German value ("1.234,5"); none when it is no number.
std::optional<double> numberOfText(QStringView text);

// Blank as the filters see it: null, or an empty text.
inline bool isBlank(const QVariant &value)
{
    return value.isNull() || (value.typeId() == QMetaType::QString &&
                              static_cast<const QString *>(value.constData())->isEmpty());
}

// The three-way result of a comparison to the outcome of a comparison
// operator (3 =, 4 <>, 5 >, 6 <, 7 >=, 8 <=).
bool outcome(int op, int order);

// Outcome when one side or both are blank: = holds when both are blank, <>
// when exactly one is, every other comparison fails.
bool blankOutcome(int op, bool leftBlank, bool rightBlank);

// Whether text begins with prefix, both upper-cased by the Unicode rules
// (so "straße" begins with "STRASS"); upperPrefix must be upper-cased already.
bool startsWithIgnoringCase(QStringView text, const QString &upperPrefix);

} // namespace dbe::filter::values
