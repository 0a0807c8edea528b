#pragma once

#include <QList>
#include <QString>
#include <QVariant>

#include <set>
#include <utility>

#include "dbe/filter/RecordAccessor.h"

// A small in-memory record set for the filter tests: named, typed fields and
// rows of values; the accessor reads the current row.
class MemoryRecords : public dbe::filter::RecordAccessor {
public:
    MemoryRecords(QList<std::pair<QString, dbe::FieldType>> fields, QList<QList<QVariant>> rows)
        : fields_(std::move(fields)), rows_(std::move(rows))
    {
    }

    int fieldCount() const override { return static_cast<int>(fields_.size()); }
    int fieldNumber(const QString &name) const override
    {
        for (int i = 0; i < fields_.size(); ++i)
            if (fields_[i].first.compare(name, Qt::CaseInsensitive) == 0)
                return i + 1;
        return 0;
    }
    QString fieldName(int fieldNo) const override { return fields_[fieldNo - 1].first; }
    dbe::FieldType fieldType(int fieldNo) const override { return fields_[fieldNo - 1].second; }
    QVariant value(int fieldNo) const override { return rows_[current_][fieldNo - 1]; }

    const QList<std::pair<QString, dbe::FieldType>> &fields() const { return fields_; }
    const QList<QList<QVariant>> &rows() const { return rows_; }

    // 1-based numbers of the rows a predicate accepts.
    template <typename Predicate> std::set<int> select(Predicate matches)
    {
        std::set<int> result;
        for (current_ = 0; current_ < rows_.size(); ++current_)
            if (matches(*this))
                result.insert(static_cast<int>(current_) + 1);
        current_ = 0;
        return result;
    }

private:
    QList<std::pair<QString, dbe::FieldType>> fields_;
    QList<QList<QVariant>> rows_;
    qsizetype current_ = 0;
};
