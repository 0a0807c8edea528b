#include "dbe/Field.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

#include "base/GermanFormat.h"
#include "dbe/DataSet.h"
#include "dbe/Errors.h"

namespace dbe {

TFieldType fieldTypeOf(FieldType type)
{
    switch (type) {
    case FieldType::String:
        return TFieldType::ftString;
    case FieldType::SmallInt:
        return TFieldType::ftSmallint;
    case FieldType::Integer:
        return TFieldType::ftInteger;
    case FieldType::AutoInc:
        return TFieldType::ftAutoInc;
    case FieldType::Float:
        return TFieldType::ftFloat;
    case FieldType::Currency:
        return TFieldType::ftCurrency;
    case FieldType::Date:
        return TFieldType::ftDate;
    case FieldType::Time:
        return TFieldType::ftTime;
    case FieldType::DateTime:
        return TFieldType::ftDateTime;
    case FieldType::Boolean:
        return TFieldType::ftBoolean;
    case FieldType::Memo:
        return TFieldType::ftMemo;
    case FieldType::Graphic:
        return TFieldType::ftGraphic;
    case FieldType::Blob:
        return TFieldType::ftBlob;
    }
    return TFieldType::ftUnknown;
}

namespace {

bool isIntegral(TFieldType t)
{
    return t == TFieldType::ftSmallint || t == TFieldType::ftInteger || t == TFieldType::ftWord ||
           t == TFieldType::ftAutoInc;
}
bool isFloat(TFieldType t)
{
    return t == TFieldType::ftFloat || t == TFieldType::ftCurrency || t == TFieldType::ftBCD;
}
bool isDateLike(TFieldType t)
{
    return t == TFieldType::ftDate || t == TFieldType::ftTime || t == TFieldType::ftDateTime;
}

// The values an integer field can hold.
struct IntRange {
    qint64 low, high;
};
IntRange intRangeOf(TFieldType t)
{
    switch (t) {
    case TFieldType::ftSmallint:
        return {-32768, 32767};
    case TFieldType::ftWord:
        return {0, 65535};
    default:
        return {std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max()};
    }
}

// Day numbers of 01.01.0001 and of the day after 31.12.9999.
const double kFirstDay = base::encodeDate(1, 1, 1);
const double kDayAfterLast = base::encodeDate(9999, 12, 31) + 1;

// A text cut to at most size UTF-16 units, never inside a character.
QString cutAtCharacter(const QString &text, int size)
{
    if (size <= 0 || text.size() <= size)
        return text;
    int end = size;
    if (text.at(end - 1).isHighSurrogate())
        --end;
    return text.left(end);
}

bool hasLoneSurrogate(const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate()) {
            if (i + 1 >= text.size() || !text.at(i + 1).isLowSurrogate())
                return true;
            ++i;
        } else if (c.isLowSurrogate()) {
            return true;
        }
    }
    return false;
}

} // namespace

[[noreturn]] void TField::rangeError(const QString &value) const
{
    const IntRange r = intRangeOf(type_);
    const bool money = type_ == TFieldType::ftCurrency;
    databaseError(
        QStringLiteral("%1 ist kein gültiger Wert für das Feld '%2'. Der erlaubte Bereich ist %3 bis %4.")
            .arg(value, DisplayLabel(), money ? base::Currency::min().toString(4) : QString::number(r.low),
                 money ? base::Currency::max().toString(4) : QString::number(r.high)));
}

QVariant TField::integerValue(const QVariant &value) const
{
    const IntRange r = intRangeOf(type_);
    if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Float) {
        const double d = value.toDouble();
        if (!std::isfinite(d))
            databaseError(
                QStringLiteral("'%1' ist kein gültiger Integerwert").arg(QString::number(d).toUpper()));
        const double rounded = std::round(d);
        if (rounded < double(r.low) || rounded > double(r.high))
            rangeError(base::de::formatGeneral(d));
        return static_cast<int>(rounded);
    }
    if (value.typeId() == QMetaType::ULongLong || value.typeId() == QMetaType::ULong ||
        value.typeId() == QMetaType::UInt) {
        const qulonglong u = value.toULongLong();
        if (u > qulonglong(r.high))
            rangeError(QString::number(u));
        return static_cast<int>(u);
    }
    bool ok = false;
    const qlonglong v = value.toLongLong(&ok);
    if (!ok)
        databaseError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(value.toString()));
    if (v < r.low || v > r.high)
        rangeError(QString::number(v));
    return static_cast<int>(v);
}

QVariant TField::floatValue(double value) const
{
    if (!std::isfinite(value))
        databaseError(
            QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(QString::number(value).toUpper()));
    // Sums and averages of money are 64-bit fixed point: a value beyond it would wrap there.
    if (type_ == TFieldType::ftCurrency && !base::Currency::tryFromDouble(value))
        rangeError(base::de::formatGeneral(value));
    return value;
}

QVariant TField::dateTimeValue(double value) const
{
    if (!std::isfinite(value) || value < kFirstDay || value >= kDayAfterLast) {
        const QString text =
            std::isfinite(value) ? base::de::formatGeneral(value) : QString::number(value).toUpper();
        if (type_ == TFieldType::ftDate)
            databaseError(QStringLiteral("'%1' ist kein gültiges Datum").arg(text));
        if (type_ == TFieldType::ftTime)
            databaseError(QStringLiteral("'%1' ist keine gültige Zeit").arg(text));
        databaseError(QStringLiteral("'%1' ist kein gültiges Datum und Zeit").arg(text));
    }
    return value;
}

QVariant TField::textValue(const QString &text) const
{
    if (hasLoneSurrogate(text))
        databaseError(
            QStringLiteral("Der Text für das Feld '%1' enthält ein ungültiges Zeichen").arg(DisplayLabel()));
    const QString cut = type_ == TFieldType::ftString ? cutAtCharacter(text, size_) : text;
    return cut.isEmpty() ? QVariant() : QVariant(cut);
}

TField::TField(TDataSet *dataSet, const QString &name, TFieldType type, int size, TFieldKind kind)
    : dataSet_(dataSet), name_(name), type_(type), size_(size), kind_(kind)
{
    currency_ = type == TFieldType::ftCurrency;
}

bool TField::IsBlob() const
{
    return type_ == TFieldType::ftMemo || type_ == TFieldType::ftBlob || type_ == TFieldType::ftGraphic;
}

int TField::Index() const
{
    for (int i = 0; i < dataSet_->FieldCount(); ++i)
        if (dataSet_->Fields(i) == this)
            return i;
    return -1;
}

void TField::SetIndex(int index)
{
    dataSet_->MoveField(this, index);
}

int TField::DisplayWidth() const
{
    if (displayWidth_ > 0)
        return displayWidth_;
    switch (type_) {
    case TFieldType::ftString:
        return size_;
    case TFieldType::ftBoolean:
        return 5;
    case TFieldType::ftDate:
        return 10;
    case TFieldType::ftTime:
        return 8;
    case TFieldType::ftDateTime:
        return 19;
    case TFieldType::ftSmallint:
        return 6;
    case TFieldType::ftInteger:
    case TFieldType::ftAutoInc:
        return 11;
    case TFieldType::ftMemo:
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
        return 10;
    default:
        return 10;
    }
}

void TField::SetVisible(bool visible)
{
    if (visible_ == visible)
        return;
    visible_ = visible;
    if (dataSet_->Active())
        dataSet_->dataEvent(TDataEvent::deLayoutChange);
}

TAlignment TField::Alignment() const
{
    if (alignmentSet_)
        return alignment_;
    return isIntegral(type_) || isFloat(type_) ? TAlignment::taRightJustify : TAlignment::taLeftJustify;
}

void TField::applyDef(const FieldDef &def)
{
    required_ = required_ || def.required;
    if (!minValue_.isValid())
        minValue_ = def.minValue;
    if (!maxValue_.isValid())
        maxValue_ = def.maxValue;
}

QVariant TField::Value() const
{
    if (!dataSet_->hasCurrentRecord() || slot_ < 0)
        return QVariant();
    return dataSet_->activeRecord().values.value(slot_);
}

bool TField::IsNull() const
{
    const QVariant v = Value();
    return !v.isValid() || v.isNull();
}

void TField::Clear()
{
    setRaw(QVariant());
}

void TField::setRaw(const QVariant &value)
{
    const TDataSetState st = dataSet_->State();
    if (st != TDataSetState::dsEdit && st != TDataSetState::dsInsert && st != TDataSetState::dsSetKey &&
        st != TDataSetState::dsCalcFields && st != TDataSetState::dsFilter)
        databaseError(QStringLiteral("Datenmenge ist nicht im Bearbeitungs- oder Einfügemodus"));
    if (kind_ == TFieldKind::fkLookup && st != TDataSetState::dsCalcFields) {
        // Choosing a lookup value sets the key fields from the lookup row.
        if (!lookupDataSet_)
            databaseError(QStringLiteral("Nachschlagefeld '%1' ohne Datenmenge").arg(name_));
        const QStringList keys = keyFields_.split(QLatin1Char(';'), Qt::SkipEmptyParts);
        if (value.isNull() || !value.isValid()) {
            for (const QString &k : keys)
                dataSet_->FieldByName(k)->Clear();
        } else {
            const QVariant found = lookupDataSet_->Lookup(lookupResultField_, {value}, lookupKeyFields_);
            const QVariantList vals = keys.size() > 1 ? found.toList() : QVariantList{found};
            for (int i = 0; i < keys.size(); ++i)
                dataSet_->FieldByName(keys[i])->SetValue(vals.value(i));
        }
        dataSet_->activeRecord().values[slot_] = value;
        dataSet_->fieldChanged(this);
        return;
    }
    if (readOnly_ && st != TDataSetState::dsSetKey && st != TDataSetState::dsCalcFields)
        databaseError(QStringLiteral("Feld '%1' kann nicht geändert werden").arg(DisplayLabel()));
    Record &rec = dataSet_->activeRecord();
    if (slot_ >= rec.values.size())
        rec.values.resize(slot_ + 1);
    rec.values[slot_] = value;
    if (st != TDataSetState::dsCalcFields)
        dataSet_->fieldChanged(this);
}

QVariant TField::Normalize(const QVariant &value) const
{
    if (!value.isValid() || value.isNull())
        return QVariant();
    if (value.typeId() == QMetaType::QString && type_ != TFieldType::ftMemo &&
        type_ != TFieldType::ftString && type_ != TFieldType::ftBlob && type_ != TFieldType::ftGraphic)
        return FromText(value.toString());
    switch (type_) {
    case TFieldType::ftString:
    case TFieldType::ftMemo:
        return textValue(value.toString());
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
        return integerValue(value);
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        return floatValue(value.toDouble());
    case TFieldType::ftDate:
        if (value.typeId() == QMetaType::QDate)
            return base::fromQDate(value.toDate());
        if (value.typeId() == QMetaType::QDateTime)
            return std::floor(base::fromQDateTime(value.toDateTime()));
        return dateTimeValue(value.toDouble());
    case TFieldType::ftTime:
        if (value.typeId() == QMetaType::QTime)
            return base::fromQTime(value.toTime());
        return dateTimeValue(value.toDouble());
    case TFieldType::ftDateTime:
        if (value.typeId() == QMetaType::QDateTime)
            return base::fromQDateTime(value.toDateTime());
        if (value.typeId() == QMetaType::QDate)
            return base::fromQDate(value.toDate());
        return dateTimeValue(value.toDouble());
    case TFieldType::ftBoolean:
        return value.toBool();
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
    case TFieldType::ftBytes:
    case TFieldType::ftVarBytes:
        return value.toByteArray();
    case TFieldType::ftUnknown:
        return value;
    }
    return value;
}

QVariant TField::FromText(const QString &text) const
{
    if (text.isEmpty())
        return QVariant();
    switch (type_) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc: {
        // The user typed it: the message names the field and says what it takes.
        auto v = base::de::parseInt(text);
        if (!v) {
            // Digits beyond what 64 bits hold (with or without thousands dots) are a
            // whole number out of range, not a wrong kind of text.
            static const QRegularExpression wholeNumber(
                QStringLiteral("^\\s*[+-]?(\\d+|\\d{1,3}(\\.\\d{3})+)\\s*$"));
            if (wholeNumber.match(text).hasMatch())
                rangeError(text.trimmed());
            databaseError(QStringLiteral("%1: '%2' ist keine ganze Zahl. Bitte eine ganze Zahl eingeben.")
                              .arg(DisplayLabel(), text));
        }
        if (*v < std::numeric_limits<qint32>::min() || *v > std::numeric_limits<qint32>::max())
            rangeError(text.trimmed());
        return integerValue(QVariant(*v));
    }
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD: {
        auto v = base::de::parseFloat(text);
        if (!v || !std::isfinite(*v))
            databaseError(
                QStringLiteral("%1: '%2' ist keine gültige Zahl. Bitte eine Zahl eingeben (z. B. 1.234,50).")
                    .arg(DisplayLabel(), text));
        return floatValue(*v);
    }
    case TFieldType::ftDate: {
        auto v = base::de::parseDate(text);
        if (!v)
            databaseError(QStringLiteral("'%1' ist kein gültiges Datum").arg(text));
        return *v;
    }
    case TFieldType::ftTime: {
        auto v = base::de::parseTime(text);
        if (!v)
            databaseError(QStringLiteral("'%1' ist keine gültige Zeit").arg(text));
        return *v;
    }
    case TFieldType::ftDateTime: {
        auto v = base::de::parseDateTime(text);
        if (!v)
            databaseError(QStringLiteral("'%1' ist kein gültiges Datum und Zeit").arg(text));
        return *v;
    }
    case TFieldType::ftBoolean: {
        if (!displayValues_.isEmpty()) {
            const QStringList parts = displayValues_.split(QLatin1Char(';'));
            if (text.compare(parts.value(0), Qt::CaseInsensitive) == 0)
                return true;
            if (text.compare(parts.value(1), Qt::CaseInsensitive) == 0)
                return false;
        }
        auto v = base::de::parseBool(text);
        if (!v)
            databaseError(QStringLiteral("'%1' ist kein gültiger Boolescher Wert").arg(text));
        return *v;
    }
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
        return text.toUtf8();
    default:
        return Normalize(QVariant(text));
    }
}

QString TField::TextOf(const QVariant &value, bool display) const
{
    if (!value.isValid() || value.isNull())
        return QString();
    const QString format = display || editFormat_.isEmpty() ? displayFormat_ : editFormat_;
    switch (type_) {
    case TFieldType::ftString:
    case TFieldType::ftMemo:
        return value.toString();
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
        return format.isEmpty() ? QString::number(value.toInt())
                                : base::de::formatMask(value.toInt(), format);
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        if (!format.isEmpty())
            return base::de::formatMask(value.toDouble(), format);
        if (display && currency_)
            return base::de::formatMoney(value.toDouble());
        return base::de::formatGeneral(value.toDouble());
    case TFieldType::ftDate:
        return base::de::formatDate(value.toDouble());
    case TFieldType::ftTime:
        return base::de::formatTime(value.toDouble());
    case TFieldType::ftDateTime:
        return base::de::formatDateTime(value.toDouble());
    case TFieldType::ftBoolean: {
        if (!displayValues_.isEmpty()) {
            const QStringList parts = displayValues_.split(QLatin1Char(';'));
            return value.toBool() ? parts.value(0) : parts.value(1);
        }
        return base::de::boolText(value.toBool());
    }
    case TFieldType::ftBlob:
    case TFieldType::ftGraphic:
        return display
                   ? (type_ == TFieldType::ftGraphic ? QStringLiteral("(Graphic)") : QStringLiteral("(Blob)"))
                   : QString::fromUtf8(value.toByteArray());
    default:
        return value.toString();
    }
}

void TField::SetValue(const QVariant &value)
{
    if (kind_ == TFieldKind::fkLookup) {
        setRaw(value);
        return;
    }
    setRaw(Normalize(value));
}

QString TField::AsString() const
{
    if (type_ == TFieldType::ftBlob || type_ == TFieldType::ftGraphic)
        return QString::fromLatin1(AsBytes());
    const QVariant v = Value();
    if (!v.isValid() || v.isNull())
        return QString();
    switch (type_) {
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
        return base::de::formatGeneral(v.toDouble());
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftAutoInc:
        return QString::number(v.toInt());
    default:
        return TextOf(v, false);
    }
}

void TField::SetAsString(const QString &text)
{
    if (kind_ == TFieldKind::fkLookup) {
        setRaw(text.isEmpty() ? QVariant() : QVariant(text));
        return;
    }
    setRaw(type_ == TFieldType::ftString || type_ == TFieldType::ftMemo ? Normalize(text) : FromText(text));
}

int TField::AsInteger() const
{
    const QVariant v = Value();
    if (!v.isValid() || v.isNull())
        return 0;
    if (v.typeId() == QMetaType::QString) {
        auto i = base::de::parseInt(v.toString());
        if (!i)
            databaseError(QStringLiteral("'%1' ist kein gültiger Integerwert").arg(v.toString()));
        return static_cast<int>(*i);
    }
    if (v.typeId() == QMetaType::Double)
        return static_cast<int>(std::llround(v.toDouble()));
    return v.toInt();
}

void TField::SetAsInteger(int value)
{
    SetValue(value);
}

double TField::AsFloat() const
{
    const QVariant v = Value();
    if (!v.isValid() || v.isNull())
        return 0.0;
    if (v.typeId() == QMetaType::QString) {
        auto d = base::de::parseFloat(v.toString());
        if (!d)
            databaseError(QStringLiteral("'%1' ist kein gültiger Gleitkommawert").arg(v.toString()));
        return *d;
    }
    return v.toDouble();
}

void TField::SetAsFloat(double value)
{
    SetValue(value);
}

base::Currency TField::AsCurrency() const
{
    return base::Currency::fromDouble(AsFloat());
}

void TField::SetAsCurrency(base::Currency value)
{
    SetValue(value.toDouble());
}

base::TDateTime TField::AsDateTime() const
{
    const QVariant v = Value();
    if (!v.isValid() || v.isNull())
        return 0.0;
    if (v.typeId() == QMetaType::QString) {
        auto d = base::de::parseDateTime(v.toString());
        if (!d)
            databaseError(QStringLiteral("'%1' ist kein gültiges Datum").arg(v.toString()));
        return *d;
    }
    return v.toDouble();
}

void TField::SetAsDateTime(base::TDateTime value)
{
    if (type_ == TFieldType::ftString)
        SetAsString(base::de::formatDateTime(value));
    else
        SetValue(value);
}

bool TField::AsBoolean() const
{
    const QVariant v = Value();
    if (!v.isValid() || v.isNull())
        return false;
    if (v.typeId() == QMetaType::QString) {
        auto b = base::de::parseBool(v.toString());
        return b.value_or(false);
    }
    return v.toBool();
}

void TField::SetAsBoolean(bool value)
{
    if (type_ == TFieldType::ftString)
        SetAsString(base::de::boolText(value));
    else
        SetValue(value);
}

QByteArray TField::AsBytes() const
{
    const QVariant v = Value();
    if (v.typeId() == QMetaType::QString)
        return v.toString().toUtf8();
    return v.toByteArray();
}

void TField::SetAsBytes(const QByteArray &value)
{
    if (type_ == TFieldType::ftMemo || type_ == TFieldType::ftString)
        SetValue(QString::fromUtf8(value));
    else
        setRaw(value.isEmpty() ? QVariant() : QVariant(value));
}

QString TField::Text() const
{
    return TextOf(Value(), false);
}

void TField::SetText(const QString &text)
{
    SetAsString(text);
}

QString TField::DisplayText() const
{
    return TextOf(Value(), true);
}

void TField::Assign(const TField &source)
{
    SetValue(source.Value());
}

void TField::checkValue(const QVariant &value) const
{
    if (!value.isValid() || value.isNull())
        return;
    if (isDateLike(type_) || isIntegral(type_) || isFloat(type_)) {
        const double v = value.toDouble();
        if (minValue_.isValid() && v < minValue_.toDouble())
            engineError(ErrorCode::MinValue,
                        QStringLiteral("Feldwert unterhalb des Minimums: %1").arg(DisplayLabel()));
        if (maxValue_.isValid() && v > maxValue_.toDouble())
            engineError(ErrorCode::MaxValue,
                        QStringLiteral("Feldwert oberhalb des Maximums: %1").arg(DisplayLabel()));
    } else if (type_ == TFieldType::ftString) {
        const QString s = value.toString();
        if (minValue_.isValid() && s < minValue_.toString())
            engineError(ErrorCode::MinValue,
                        QStringLiteral("Feldwert unterhalb des Minimums: %1").arg(DisplayLabel()));
        if (maxValue_.isValid() && s > maxValue_.toString())
            engineError(ErrorCode::MaxValue,
                        QStringLiteral("Feldwert oberhalb des Maximums: %1").arg(DisplayLabel()));
    }
}

} // namespace dbe
