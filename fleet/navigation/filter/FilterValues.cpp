#include "navigation/filter/FilterValues.h"

#include <cmath>
#include <cstring>

#include <QRegularExpression>

#include "base/DateTime.h"
#include "base/GermanFormat.h"
#include "navigation/gemeinsam/NavExceptions.h"

namespace nav {

namespace {

const QString kWildcard = QStringLiteral("..");

template <typename T> void putRaw(std::uint8_t *target, T v)
{
    std::memcpy(target, &v, sizeof v);
}
template <typename T> T getRaw(const std::uint8_t *source)
{
    T v;
    std::memcpy(&v, source, sizeof v);
    return v;
}

// Takes the ".." wildcard off a string operand; only a ".." whose first
// occurrence is at the very end counts, anything else is literal text.
bool stripWildcard(QString &text, std::uint8_t &mark)
{
    const int first = text.indexOf(kWildcard);
    if (first < 0 || first != text.size() - 2)
        return true;
    if (text.size() > 1 && text.startsWith(kWildcard)) {
        mark = markLeading;
        text.remove(0, 2);
    }
    if (text.size() > 1 && text.endsWith(kWildcard)) {
        mark |= markTrailing;
        text.chop(2);
    }
    return !text.isEmpty();
}

bool booleanFromText(const FilterFieldInfo &field, const QString &text, std::int16_t &result)
{
    if (text.isEmpty()) {
        result = 0;
        return true;
    }
    QString trueText = QStringLiteral("True");
    QString falseText = QStringLiteral("False");
    if (!field.displayValues.isEmpty()) {
        const int sep = field.displayValues.indexOf(QLatin1Char(';'));
        trueText = sep < 0 ? field.displayValues : field.displayValues.left(sep);
        falseText = sep < 0 ? QString() : field.displayValues.mid(sep + 1);
    }
    if (text.compare(falseText.left(text.size()), Qt::CaseInsensitive) == 0) {
        result = 0;
        return true;
    }
    if (text.compare(trueText.left(text.size()), Qt::CaseInsensitive) == 0) {
        result = -1;
        return true;
    }
    return false;
}

bool integerFromText(const QString &text, qint64 low, qint64 high, qint64 &result)
{
    if (text.isEmpty()) {
        result = 0;
        return true;
    }
    const auto v = base::de::parseInt(text);
    if (!v || *v < low || *v > high)
        return false;
    result = *v;
    return true;
}

// Exact decimal text, normalised to "-digits.digits"; empty when the text is no number.
QString normaliseDecimal(const QString &text)
{
    static const QRegularExpression re(QStringLiteral("^\\s*([+-]?)(\\d*)(?:[.,](\\d*))?\\s*$"));
    const auto m = re.match(text);
    if (!m.hasMatch() || (m.captured(2).isEmpty() && m.captured(3).isEmpty()))
        return QString();
    QString result = m.captured(1) == QLatin1String("-") ? QStringLiteral("-") : QString();
    result += m.captured(2).isEmpty() ? QStringLiteral("0") : m.captured(2);
    if (!m.captured(3).isEmpty())
        result += QLatin1Char('.') + m.captured(3);
    return result;
}

bool dateTimeFromText(TFieldType type, const QString &text, double &result)
{
    if (text.isEmpty()) {
        result = 0;
        return true;
    }
    std::optional<base::TDateTime> v;
    if (type == ftDate)
        v = base::de::parseDate(text);
    else if (type == ftTime)
        v = base::de::parseTime(text);
    else
        v = base::de::parseDateTime(text);
    if (!v)
        return false;
    result = *v;
    return true;
}

} // namespace

std::uint8_t EngineFieldType(TFieldType type)
{
    switch (type) {
    case ftString:
        return etString;
    case ftSmallint:
        return etInt16;
    case ftInteger:
    case ftAutoInc:
        return etInt32;
    case ftWord:
        return etUInt16;
    case ftBoolean:
        return etBoolean;
    case ftFloat:
    case ftCurrency:
        return etFloat;
    case ftBCD:
        return etBCD;
    case ftDate:
        return etDate;
    case ftTime:
        return etTime;
    case ftDateTime:
        return etTimeStamp;
    default:
        throw EDBVFilter(QStringLiteral("Ungültiger Feldtyp für Filter"));
    }
}

std::uint16_t EngineTypeSize(std::uint8_t engineType)
{
    switch (engineType) {
    case etDate:
    case etFloat:
    case etTimeStamp:
        return 8;
    case etBoolean:
    case etInt16:
    case etUInt16:
        return 2;
    case etInt32:
    case etTime:
        return 4;
    case etBCD:
        return 18;
    default:
        return 0;
    }
}

bool TextToFieldValue(const FilterFieldInfo &field, const QString &text, TFieldType &type, std::uint8_t &mark,
                      FieldValueBuffer &value)
{
    mark = markExact;
    value.fill(0);
    type = field.dataType;
    QString t = text;
    switch (field.dataType) {
    case ftString:
        // Our native character set is the stored single-byte one, so transliteration changes nothing.
        if (!stripWildcard(t, mark))
            return false;
        writeShortString(value.data(), t);
        return true;
    case ftSmallint:
    case ftWord:
    case ftInteger:
    case ftAutoInc: {
        qint64 v = 0;
        if (field.dataType == ftSmallint && integerFromText(t, -32768, 32767, v))
            putRaw(value.data(), static_cast<std::int16_t>(v));
        else if (field.dataType == ftWord && integerFromText(t, 0, 65535, v))
            putRaw(value.data(), static_cast<std::uint16_t>(v));
        else if ((field.dataType == ftInteger || field.dataType == ftAutoInc) &&
                 integerFromText(t, INT32_MIN, INT32_MAX, v))
            putRaw(value.data(), static_cast<std::int32_t>(v));
        else
            return false;
        return true;
    }
    case ftBoolean: {
        std::int16_t v = 0;
        if (!booleanFromText(field, t, v))
            return false;
        putRaw(value.data(), v);
        return true;
    }
    case ftFloat:
    case ftCurrency: {
        const auto v = base::de::parseFloat(t);
        if (!v)
            return false;
        putRaw(value.data(), *v);
        return true;
    }
    case ftBCD: {
        const QString decimal = normaliseDecimal(t);
        if (decimal.isEmpty())
            return false;
        writeShortString(value.data(), decimal);
        return true;
    }
    case ftDate:
    case ftTime:
    case ftDateTime: {
        double v = 0;
        if (!dateTimeFromText(field.dataType, t, v))
            return false;
        putRaw(value.data(), v);
        return true;
    }
    default:
        return false;
    }
}

// Values outside the date type's range count as day 0: no conversion leaves the range of int.
std::int32_t timeStampDate(double dateTime)
{
    return base::datePart(dateTime) + kTimeStampDateDelta;
}

std::int32_t timeStampTime(double dateTime)
{
    return static_cast<std::int32_t>(std::llround(base::timePart(dateTime) * kMsPerDay));
}

double dateTimeFromTimeStamp(std::int32_t date, double msOfDay)
{
    const double day = static_cast<double>(date) - kTimeStampDateDelta;
    return day < 0 ? day - msOfDay / kMsPerDay : day + msOfDay / kMsPerDay;
}

std::array<std::uint8_t, 18> encodeBcd(const QString &decimalText, int decimals)
{
    decimals = std::clamp(decimals, 0, 32);
    std::array<std::uint8_t, 18> bcd{};
    bcd[0] = 32;
    const bool negative = decimalText.startsWith(QLatin1Char('-'));
    QString digits = negative ? decimalText.mid(1) : decimalText;
    const int point = digits.indexOf(QLatin1Char('.'));
    QString whole = point < 0 ? digits : digits.left(point);
    QString fraction = point < 0 ? QString() : digits.mid(point + 1);
    fraction = fraction.leftJustified(decimals, QLatin1Char('0'), true);
    QString all = (whole + fraction).right(32).rightJustified(32, QLatin1Char('0'));
    bool zero = true;
    for (int i = 0; i < 32; ++i) {
        const int d = all.at(i).digitValue();
        zero = zero && d == 0;
        bcd[2 + i / 2] |= static_cast<std::uint8_t>(i % 2 == 0 ? d << 4 : d);
    }
    bcd[1] = static_cast<std::uint8_t>((negative && !zero ? 0x80 : 0) | decimals);
    return bcd;
}

double bcdToDouble(const std::uint8_t *bcd)
{
    double v = 0;
    for (int i = 0; i < 32; ++i) {
        const std::uint8_t byte = bcd[2 + i / 2];
        v = v * 10 + (i % 2 == 0 ? byte >> 4 : byte & 0x0F);
    }
    v /= std::pow(10.0, bcd[1] & 0x3F);
    return (bcd[1] & 0x80) ? -v : v;
}

std::optional<TFilterOperand> NewConstOperand(const FilterFieldInfo &field, const FieldValueBuffer &value,
                                              std::uint8_t mark)
{
    std::uint8_t type = 0;
    try {
        type = EngineFieldType(field.dataType);
    } catch (const EDBVFilter &) {
        return std::nullopt;
    }
    TFilterOperand op;
    op.setType(type);
    op.setSize(EngineTypeSize(type));
    op.setMark(mark);
    std::uint8_t *v = op.value();
    switch (field.dataType) {
    case ftString:
        std::memcpy(v, value.data(), static_cast<std::size_t>(value[0]) + 1);
        op.setSize(static_cast<std::uint16_t>(value[0] + 1));
        break;
    case ftSmallint:
    case ftWord:
    case ftBoolean:
        std::memcpy(v, value.data(), 2);
        break;
    case ftInteger:
    case ftAutoInc:
        std::memcpy(v, value.data(), 4);
        break;
    case ftFloat:
    case ftCurrency:
        std::memcpy(v, value.data(), 8);
        break;
    case ftBCD: {
        const auto bcd = encodeBcd(readShortString(value.data()), field.size);
        std::memcpy(v, bcd.data(), bcd.size());
        break;
    }
    case ftDate:
        putRaw(v, timeStampDate(getRaw<double>(value.data())));
        break;
    case ftTime:
        putRaw(v, timeStampTime(getRaw<double>(value.data())));
        break;
    case ftDateTime: {
        const double dt = getRaw<double>(value.data());
        putRaw(v, static_cast<double>(timeStampDate(dt)) * kMsPerDay + timeStampTime(dt));
        break;
    }
    default:
        return std::nullopt;
    }
    return op;
}

TFilterOperand NewNameOperand(const QString &name)
{
    TFilterOperand op;
    writeShortString(op.value(), name);
    op.setSize(static_cast<std::uint16_t>(op.value()[0] + 1));
    op.setMark(markExact);
    op.setType(etFieldName);
    return op;
}

bool OperandToText(const TFilterOperand &operand, TFieldType &type, QString &text, std::uint8_t &mark)
{
    const std::uint8_t *v = operand.value();
    switch (operand.type()) {
    case etString:
        type = ftString;
        text = readShortString(v);
        break;
    case etDate: {
        type = ftDate;
        const double date = dateTimeFromTimeStamp(getRaw<std::int32_t>(v), 0);
        if (!base::isValidDateTime(date))
            return false;
        text = base::de::formatDate(date);
        break;
    }
    case etBoolean:
        type = ftBoolean;
        text = getRaw<std::int16_t>(v) != 0 ? QStringLiteral("True") : QStringLiteral("False");
        break;
    case etInt16:
        type = ftSmallint;
        text = QString::number(getRaw<std::int16_t>(v));
        break;
    case etInt32:
        type = ftInteger;
        text = QString::number(getRaw<std::int32_t>(v));
        break;
    case etFloat:
        type = ftFloat;
        text = base::de::formatGeneral(getRaw<double>(v));
        break;
    case etBCD:
        type = ftBCD;
        text = base::de::formatGeneral(std::round(bcdToDouble(v) * 10000.0) / 10000.0);
        break;
    case etTime: {
        type = ftTime;
        const std::int32_t ms = getRaw<std::int32_t>(v);
        if (ms < 0 || ms >= kMsPerDay)
            return false;
        text = base::de::formatTime(ms / kMsPerDay);
        break;
    }
    case etTimeStamp: {
        const double ms = getRaw<double>(v);
        const double days = std::floor(ms / kMsPerDay);
        // Checked before the day count is made an int: NaN and far-off stamps are damage.
        if (!std::isfinite(days) || days < 0 || days > 3652059 + kTimeStampDateDelta)
            return false;
        const double dateTime = dateTimeFromTimeStamp(static_cast<std::int32_t>(days), ms - days * kMsPerDay);
        if (!base::isValidDateTime(dateTime))
            return false;
        text = base::de::formatDateTime(dateTime);
        type = ftDateTime;
        break;
    }
    case etUInt16:
        type = ftWord;
        text = QString::number(getRaw<std::uint16_t>(v));
        break;
    default:
        return false;
    }
    mark = operand.mark();
    return true;
}

} // namespace nav
