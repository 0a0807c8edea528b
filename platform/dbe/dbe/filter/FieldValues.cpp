#include "dbe/filter/FieldValues.h"

#include <cmath>

#include <QDateTime>
#include <QTime>

#include "base/DateTime.h"
#include "base/GermanFormat.h"
#include "dbe/filter/ExpressionLayout.h"

namespace dbe::filter::values {

namespace {

constexpr double kMsPerDay = 86400000.0;

double dayOfTDateTime(double value)
{
    return base::datePart(value) + layout::kDayNumberOfTDateTimeZero;
}

double msOfTDateTime(double value)
{
    return std::round(base::timePart(value) * kMsPerDay);
}

bool isNumericVariant(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::Double:
    case QMetaType::Float:
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

} // namespace

Kind kindOf(FieldType type)
{
    switch (type) {
    case FieldType::String:
        return Kind::Text;
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Boolean:
        return Kind::Number;
    case FieldType::Date:
        return Kind::Date;
    case FieldType::Time:
        return Kind::Time;
    case FieldType::DateTime:
        return Kind::DateTime;
    default:
        return Kind::None;
    }
}

bool comparable(Kind a, Kind b)
{
    if (a == Kind::None || b == Kind::None)
        return false;
    if (a == b)
        return true;
    return (a == Kind::Date && b == Kind::DateTime) || (a == Kind::DateTime && b == Kind::Date);
}

double toUnit(double value, Kind from, Kind to)
{
    if (from == Kind::Date && to == Kind::DateTime)
        return value * kMsPerDay;
    return value;
}

std::int32_t dayNumber(const QDate &date)
{
    static const qint64 first = QDate(1, 1, 1).toJulianDay();
    return static_cast<std::int32_t>(date.toJulianDay() - first + 1);
}

bool readNumber(const QVariant &value, Kind kind, double &out)
{
    if (value.isNull())
        return false;
    const int type = value.typeId();
    switch (kind) {
    case Kind::Number:
        if (type == QMetaType::Bool) {
            out = value.toBool() ? 1 : 0;
            return true;
        }
        if (isNumericVariant(value)) {
            out = value.toDouble();
            return true;
        }
        return false;
    case Kind::Date:
        if (type == QMetaType::QDate) {
            out = dayNumber(value.toDate());
        } else if (type == QMetaType::QDateTime) {
            out = dayNumber(value.toDateTime().date());
        } else if (isNumericVariant(value)) {
            out = dayOfTDateTime(value.toDouble());
        } else {
            return false;
        }
        return true;
    case Kind::Time:
        if (type == QMetaType::QTime) {
            out = value.toTime().msecsSinceStartOfDay();
        } else if (type == QMetaType::QDateTime) {
            out = value.toDateTime().time().msecsSinceStartOfDay();
        } else if (isNumericVariant(value)) {
            out = msOfTDateTime(value.toDouble());
        } else {
            return false;
        }
        return true;
    case Kind::DateTime:
        if (type == QMetaType::QDateTime) {
            const QDateTime dt = value.toDateTime();
            out = dayNumber(dt.date()) * kMsPerDay + dt.time().msecsSinceStartOfDay();
        } else if (type == QMetaType::QDate) {
            out = dayNumber(value.toDate()) * kMsPerDay;
        } else if (isNumericVariant(value)) {
            const double v = value.toDouble();
            out = dayOfTDateTime(v) * kMsPerDay + msOfTDateTime(v);
        } else {
            return false;
        }
        return true;
    default:
        return false;
    }
}

std::optional<double> numberOfText(QStringView text)
{
    bool ok = false;
    const double value = text.trimmed().toDouble(&ok);
    if (ok)
        return value;
    return base::de::parseValueFloat(text.toString());
}

bool outcome(int op, int order)
{
    switch (op) {
    case layout::kEqual:
        return order == 0;
    case layout::kNotEqual:
        return order != 0;
    case layout::kGreater:
        return order > 0;
    case layout::kLess:
        return order < 0;
    case layout::kGreaterEqual:
        return order >= 0;
    case layout::kLessEqual:
        return order <= 0;
    default:
        return false;
    }
}

bool blankOutcome(int op, bool leftBlank, bool rightBlank)
{
    if (op == layout::kEqual)
        return leftBlank && rightBlank;
    if (op == layout::kNotEqual)
        return leftBlank != rightBlank;
    return false;
}

bool startsWithIgnoringCase(QStringView text, const QString &upperPrefix)
{
    // Most letters upper-case to one letter; those that do not (ß to SS, and a
    // few beyond Latin) take the slow path through QString::toUpper.
    qsizetype i = 0;
    for (; i < text.size() && i < upperPrefix.size(); ++i) {
        const char16_t c = text[i].unicode();
        if (c == 0xDF || c == 0x149 || c == 0x1F0 || c >= 0x250)
            return text.toString().toUpper().startsWith(upperPrefix);
        if (QChar::toUpper(c) != upperPrefix[i].unicode())
            return false;
    }
    return i == upperPrefix.size();
}

} // namespace dbe::filter::values
