#pragma once

#include <QString>
#include <QVariant>

#include "dbe/Schema.h"

namespace dbe::filter {

// What a filter sees of a cursor. The field lookups run once, when a filter is
// set or added; value() and isBlank() run for every record the cursor steps
// over, so they should read the current record buffer without copying.
//
// Values by field type: String/Memo QString; SmallInt/Integer/AutoInc int;
// Float/Currency double; Boolean bool; Date QDate, Time QTime, DateTime
// QDateTime, or for these three a base::TDateTime double. A blank field is a
// null QVariant (an empty string counts as blank too).
class RecordAccessor {
public:
    virtual ~RecordAccessor() = default;

    virtual int fieldCount() const = 0;
    // 1-based number of the field with this name, matched without regard to
    // case; 0 when there is none.
    virtual int fieldNumber(const QString &name) const = 0;
    virtual QString fieldName(int fieldNo) const = 0;
    virtual FieldType fieldType(int fieldNo) const = 0;

    // The current record's value of field fieldNo (1-based).
    virtual QVariant value(int fieldNo) const = 0;
    // Null or empty text. Override when the record buffer knows it cheaper.
    virtual bool isBlank(int fieldNo) const
    {
        const QVariant v = value(fieldNo);
        return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
    }
};

} // namespace dbe::filter
