#pragma once

#include <functional>

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "base/Currency.h"
#include "base/DateTime.h"
#include "dbe/Schema.h"

namespace dbe {

class TDataSet;

// Field types with the class library's numeric codes (the navigation set
// stores and compares these numbers).
enum class TFieldType {
    ftUnknown = 0,
    ftString = 1,
    ftSmallint = 2,
    ftInteger = 3,
    ftWord = 4,
    ftBoolean = 5,
    ftFloat = 6,
    ftCurrency = 7,
    ftBCD = 8,
    ftDate = 9,
    ftTime = 10,
    ftDateTime = 11,
    ftBytes = 12,
    ftVarBytes = 13,
    ftAutoInc = 14,
    ftBlob = 15,
    ftMemo = 16,
    ftGraphic = 17,
};

enum class TFieldKind { fkData, fkCalculated, fkLookup };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };

TFieldType fieldTypeOf(FieldType type);

// One field of a dataset. Its value lives in the dataset's current record
// (or, inside OnCalcFields and row reads, the record being computed).
// Values: text and memo as QString, integers as int, float and money as
// double, date/time/date-time as base::TDateTime (double), logical as bool,
// blobs as QByteArray; blank is an invalid QVariant.
class TField {
public:
    TField(TDataSet *dataSet, const QString &name, TFieldType type, int size, TFieldKind kind);
    TField(const TField &) = delete;
    TField &operator=(const TField &) = delete;

    TDataSet *DataSet() const { return dataSet_; }
    const QString &FieldName() const { return name_; }
    // Physical field number (1-based) of a data field, 0 for calculated and lookup fields.
    int FieldNo() const { return fieldNo_; }
    TFieldType DataType() const { return type_; }
    TFieldKind FieldKind() const { return kind_; }
    int Size() const { return size_; }
    bool IsBlob() const;
    bool Calculated() const { return kind_ == TFieldKind::fkCalculated; }
    bool Lookup() const { return kind_ == TFieldKind::fkLookup; }

    // Position in the dataset's field list; setting it moves the field.
    int Index() const;
    void SetIndex(int index);

    QString DisplayLabel() const { return displayLabel_.isEmpty() ? name_ : displayLabel_; }
    void SetDisplayLabel(const QString &label) { displayLabel_ = label; }
    QString DisplayFormat() const { return displayFormat_; }
    void SetDisplayFormat(const QString &format) { displayFormat_ = format; }
    QString EditFormat() const { return editFormat_; }
    void SetEditFormat(const QString &format) { editFormat_ = format; }
    QString EditMask() const { return editMask_; }
    void SetEditMask(const QString &mask) { editMask_ = mask; }
    // Logical fields: "true text;false text"; empty gives "Wahr"/"Falsch".
    QString DisplayValues() const { return displayValues_; }
    void SetDisplayValues(const QString &values) { displayValues_ = values; }
    int DisplayWidth() const;
    void SetDisplayWidth(int width) { displayWidth_ = width; }
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool readOnly) { readOnly_ = readOnly; }
    bool Required() const { return required_; }
    void SetRequired(bool required) { required_ = required; }
    TAlignment Alignment() const;
    void SetAlignment(TAlignment alignment)
    {
        alignment_ = alignment;
        alignmentSet_ = true;
    }
    bool Transliterate() const { return true; }
    QVariant MinValue() const { return minValue_; }
    QVariant MaxValue() const { return maxValue_; }
    void SetMinValue(const QVariant &v) { minValue_ = v; }
    void SetMaxValue(const QVariant &v) { maxValue_ = v; }
    bool Currency() const { return currency_; }
    void SetCurrency(bool currency) { currency_ = currency; }

    // Lookup fields: KeyFields of this dataset are looked up in LookupKeyFields
    // of LookupDataSet, which shows LookupResultField.
    QString KeyFields() const { return keyFields_; }
    void SetKeyFields(const QString &f) { keyFields_ = f; }
    TDataSet *LookupDataSet() const { return lookupDataSet_; }
    void SetLookupDataSet(TDataSet *d) { lookupDataSet_ = d; }
    QString LookupKeyFields() const { return lookupKeyFields_; }
    void SetLookupKeyFields(const QString &f) { lookupKeyFields_ = f; }
    QString LookupResultField() const { return lookupResultField_; }
    void SetLookupResultField(const QString &f) { lookupResultField_ = f; }

    // Values.
    bool IsNull() const;
    void Clear();
    QVariant Value() const;
    void SetValue(const QVariant &value);
    QString AsString() const;
    void SetAsString(const QString &text);
    int AsInteger() const;
    void SetAsInteger(int value);
    double AsFloat() const;
    void SetAsFloat(double value);
    base::Currency AsCurrency() const;
    void SetAsCurrency(base::Currency value);
    base::TDateTime AsDateTime() const;
    void SetAsDateTime(base::TDateTime value);
    bool AsBoolean() const;
    void SetAsBoolean(bool value);
    QByteArray AsBytes() const;
    void SetAsBytes(const QByteArray &value);
    // Edit text (EditFormat, else DisplayFormat) and display text (DisplayFormat).
    QString Text() const;
    void SetText(const QString &text);
    QString DisplayText() const;
    // Copies the value of another field.
    void Assign(const TField &source);

    // Texts of a value of this field without a record (used for grid rows).
    QString TextOf(const QVariant &value, bool display) const;
    // Converts a value to this field's storage form (cutting texts at a
    // character); raises on bad input and on values the type cannot hold.
    QVariant Normalize(const QVariant &value) const;
    QVariant FromText(const QString &text) const;

    // Fired after the value was changed through this field.
    std::function<void(TField &)> OnChange;

    // Internal: where the value lives and how the field was made.
    int slot() const { return slot_; }
    void bind(int slot, int fieldNo)
    {
        slot_ = slot;
        fieldNo_ = fieldNo;
    }
    void setTypeAndSize(TFieldType type, int size)
    {
        type_ = type;
        size_ = size;
    }
    bool persistent() const { return persistent_; }
    void setPersistent(bool p) { persistent_ = p; }
    void applyDef(const FieldDef &def);
    void checkValue(const QVariant &value) const; // validity checks (min/max)

private:
    void setRaw(const QVariant &value);
    // Values in the storage form of the field's type; out of its range raises.
    QVariant integerValue(const QVariant &value) const;
    QVariant floatValue(double value) const;
    QVariant dateTimeValue(double value) const;
    QVariant textValue(const QString &text) const;
    [[noreturn]] void rangeError(const QString &value) const;

    TDataSet *dataSet_;
    QString name_;
    TFieldType type_;
    int size_;
    TFieldKind kind_;
    int fieldNo_ = 0;
    int slot_ = -1;
    bool persistent_ = false;
    QString displayLabel_, displayFormat_, editFormat_, editMask_, displayValues_;
    int displayWidth_ = 0;
    bool visible_ = true;
    bool readOnly_ = false;
    bool required_ = false;
    bool currency_ = false;
    TAlignment alignment_ = TAlignment::taLeftJustify;
    bool alignmentSet_ = false;
    QVariant minValue_, maxValue_;
    QString keyFields_, lookupKeyFields_, lookupResultField_;
    TDataSet *lookupDataSet_ = nullptr;
};

} // namespace dbe
