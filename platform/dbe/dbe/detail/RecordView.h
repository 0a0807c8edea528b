#pragma once

#include "dbe/Record.h"
#include "dbe/Schema.h"
#include "dbe/filter/RecordAccessor.h"

namespace dbe::detail {

// A record of a table seen through the filters' accessor interface.
class RecordView : public filter::RecordAccessor {
public:
    explicit RecordView(const TableDef &def, const Record *record = nullptr) : def_(def), record_(record) {}
    void setRecord(const Record *record) { record_ = record; }

    int fieldCount() const override { return static_cast<int>(def_.fields.size()); }
    int fieldNumber(const QString &name) const override
    {
        for (int i = 0; i < def_.fields.size(); ++i)
            if (sameName(def_.fields[i].name, name))
                return i + 1;
        return 0;
    }
    QString fieldName(int fieldNo) const override
    {
        return fieldNo >= 1 && fieldNo <= def_.fields.size() ? def_.fields[fieldNo - 1].name : QString();
    }
    FieldType fieldType(int fieldNo) const override
    {
        return fieldNo >= 1 && fieldNo <= def_.fields.size() ? def_.fields[fieldNo - 1].type
                                                             : FieldType::String;
    }
    QVariant value(int fieldNo) const override
    {
        return record_ ? record_->values.value(fieldNo - 1) : QVariant();
    }
    bool isBlank(int fieldNo) const override
    {
        if (!record_ || fieldNo < 1 || fieldNo > record_->values.size())
            return true;
        const QVariant &v = record_->values[fieldNo - 1];
        return v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
    }

private:
    const TableDef &def_;
    const Record *record_;
};

} // namespace dbe::detail
