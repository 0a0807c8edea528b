#include "navigation/daten/EngineRecordValues.h"

#include <QDate>
#include <QDateTime>
#include <QTime>

#include "base/GermanFormat.h"
#include "navigation/daten/DirectBlobReadStream.h"
#include "navigation/gemeinsam/TextHelpers.h"

namespace nav {

namespace {

base::TDateTime dateTimeOf(const QVariant &value)
{
    switch (value.typeId()) {
    case QMetaType::QDate:
        return base::fromQDate(value.toDate());
    case QMetaType::QTime:
        return base::fromQTime(value.toTime());
    case QMetaType::QDateTime:
        return base::fromQDateTime(value.toDateTime());
    default:
        return value.toDouble();
    }
}

} // namespace

QString BlobSearchText(const QVariant &value)
{
    if (value.typeId() == QMetaType::QByteArray)
        return QString::fromLatin1(value.toByteArray().left(kMaxBlobTextBytes));
    return value.toString().left(kMaxBlobTextBytes);
}

QVariant RecordValueToVariant(const QVariant &value, const dbe::TField &field)
{
    switch (field.DataType()) {
    case dbe::TFieldType::ftSmallint:
    case dbe::TFieldType::ftWord:
    case dbe::TFieldType::ftInteger:
    case dbe::TFieldType::ftAutoInc:
        return value.toInt();
    case dbe::TFieldType::ftBoolean:
        return value.toBool();
    case dbe::TFieldType::ftFloat:
    case dbe::TFieldType::ftCurrency:
    case dbe::TFieldType::ftBCD:
        return value.toDouble();
    case dbe::TFieldType::ftDate:
    case dbe::TFieldType::ftTime:
    case dbe::TFieldType::ftDateTime:
        return dateTimeOf(value);
    case dbe::TFieldType::ftBytes:
    case dbe::TFieldType::ftVarBytes:
    case dbe::TFieldType::ftBlob:
    case dbe::TFieldType::ftGraphic:
        return value.toByteArray();
    default:
        return value.toString();
    }
}

void ReadRecordFieldValue(const dbe::TEngineCursor &cursor, dbe::TField &target)
{
    bool blank = false;
    if (target.IsBlob()) {
        cursor.FieldValue(target.FieldNo(), blank);
        if (blank) {
            target.Clear();
            return;
        }
        TDirectBlobReadStream stream(cursor, true, target.FieldNo());
        const QByteArray bytes = stream.ReadAll();
        if (target.DataType() == dbe::TFieldType::ftMemo)
            target.SetAsString(QString::fromUtf8(bytes));
        else
            target.SetAsBytes(bytes);
        return;
    }
    const QVariant value = cursor.FieldValue(target.FieldNo(), blank);
    if (blank)
        target.Clear();
    else
        target.SetValue(RecordValueToVariant(value, target));
}

QString FieldBufferToText(const QVariant &value, const dbe::TField &field)
{
    switch (field.DataType()) {
    case dbe::TFieldType::ftSmallint:
    case dbe::TFieldType::ftWord:
    case dbe::TFieldType::ftInteger:
    case dbe::TFieldType::ftAutoInc:
        return QString::number(value.toLongLong());
    case dbe::TFieldType::ftBoolean: {
        QString falseText, trueText;
        BooleanTexts(field.DisplayValues(), falseText, trueText);
        return value.toBool() ? trueText : falseText;
    }
    case dbe::TFieldType::ftFloat:
    case dbe::TFieldType::ftCurrency:
    case dbe::TFieldType::ftBCD:
        return base::de::formatGeneral(value.toDouble());
    case dbe::TFieldType::ftDate:
        return base::de::formatDate(dateTimeOf(value));
    case dbe::TFieldType::ftTime:
        return base::de::formatTime(dateTimeOf(value));
    case dbe::TFieldType::ftDateTime:
        return base::de::formatDateTime(dateTimeOf(value));
    case dbe::TFieldType::ftMemo:
        return BlobSearchText(value);
    default:
        return value.toString();
    }
}

QString ReadBlobText(const dbe::TEngineCursor &cursor, int fieldNo)
{
    bool blank = false;
    const QVariant value = cursor.FieldValue(fieldNo, blank);
    return blank ? QString() : BlobSearchText(value);
}

} // namespace nav
