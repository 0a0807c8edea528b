#include "dbe/EngineCursor.h"

#include "dbe/Errors.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "dbe/detail/Cursor.h"
#include "dbe/detail/RecordView.h"
#include "dbe/filter/FilterError.h"

namespace dbe {

TEngineCursor::TEngineCursor(TTable *table) : table_(table)
{
    tableName_ = table->TableName();
    indexName_ = table->IndexName();
}

TEngineCursor::~TEngineCursor() = default;

quint32 TEngineCursor::nextId()
{
    static quint32 last = 0;
    return ++last;
}

detail::Cursor *TEngineCursor::cursor() const
{
    return table_ ? table_->cursor() : own_.get();
}

const Record &TEngineCursor::current() const
{
    if (table_) {
        if (!table_->hasCurrentRecord() || table_->State() == TDataSetState::dsInsert)
            engineError(table_->Eof() ? ErrorCode::EndOfTable : ErrorCode::BeginningOfTable,
                        QStringLiteral("Kein aktueller Datensatz"));
        return table_->activeRecord();
    }
    if (!onRecord_)
        engineError(crack_ > 0 ? ErrorCode::EndOfTable : ErrorCode::BeginningOfTable,
                    crack_ > 0 ? QStringLiteral("Ende der Tabelle") : QStringLiteral("Anfang der Tabelle"));
    return record_;
}

QString TEngineCursor::DriverName() const
{
    return cursor()->driverName();
}
QString TEngineCursor::TableName() const
{
    return tableName_;
}
QString TEngineCursor::IndexName() const
{
    return table_ ? table_->IndexName() : indexName_;
}
bool TEngineCursor::SeqNumsSupported() const
{
    return DriverName() == QLatin1String("PARADOX");
}
int TEngineCursor::FieldCount() const
{
    return static_cast<int>(cursor()->def().fields.size());
}

int TEngineCursor::RecordSize() const
{
    int size = 0;
    for (const FieldDef &f : cursor()->def().fields) {
        switch (f.type) {
        case FieldType::String:
            size += f.size + 1;
            break;
        case FieldType::SmallInt:
        case FieldType::Boolean:
            size += 2;
            break;
        case FieldType::Integer:
        case FieldType::AutoInc:
        case FieldType::Date:
        case FieldType::Time:
            size += 4;
            break;
        case FieldType::Float:
        case FieldType::Currency:
        case FieldType::DateTime:
            size += 8;
            break;
        case FieldType::Memo:
        case FieldType::Graphic:
        case FieldType::Blob:
            size += 10;
            break;
        }
    }
    return size;
}

std::unique_ptr<TEngineCursor> TEngineCursor::Clone() const
{
    std::unique_ptr<TEngineCursor> c(new TEngineCursor());
    c->own_ = cursor()->clone();
    c->tableName_ = tableName_;
    c->indexName_ = IndexName();
    c->crack_ = -1;
    return c;
}

void TEngineCursor::SetToBegin()
{
    if (table_)
        engineError(ErrorCode::NotSupported, QStringLiteral("Nur für Klone"));
    onRecord_ = false;
    crack_ = -1;
}

void TEngineCursor::SetToEnd()
{
    if (table_)
        engineError(ErrorCode::NotSupported, QStringLiteral("Nur für Klone"));
    onRecord_ = false;
    crack_ = 1;
}

void TEngineCursor::SetToCursor(const TEngineCursor &source)
{
    const Record &src = source.current();
    if (table_) {
        // The table itself moves, as after an engine call and a resync.
        table_->syncToRow(src.rowId);
        return;
    }
    Record r;
    if (!own_->fetch(src.rowId, r) || !own_->visible(r))
        engineError(ErrorCode::RecordNotFound, Msg::RecordNotFound);
    record_ = r;
    onRecord_ = true;
}

void TEngineCursor::GetNextRecord()
{
    Record r;
    bool ok;
    if (table_) {
        ok = cursor()->next(current(), r);
    } else if (onRecord_) {
        ok = own_->next(record_, r);
    } else if (crack_ < 0) {
        ok = own_->first(r);
    } else {
        ok = false;
    }
    if (!ok) {
        if (!table_) {
            onRecord_ = false;
            crack_ = 1;
        }
        engineError(ErrorCode::EndOfTable, QStringLiteral("Ende der Tabelle"));
    }
    record_ = r;
    if (!table_)
        onRecord_ = true;
}

void TEngineCursor::GetPriorRecord()
{
    Record r;
    bool ok;
    if (table_) {
        ok = cursor()->prior(current(), r);
    } else if (onRecord_) {
        ok = own_->prior(record_, r);
    } else if (crack_ > 0) {
        ok = own_->last(r);
    } else {
        ok = false;
    }
    if (!ok) {
        if (!table_) {
            onRecord_ = false;
            crack_ = -1;
        }
        engineError(ErrorCode::BeginningOfTable, QStringLiteral("Anfang der Tabelle"));
    }
    record_ = r;
    if (!table_)
        onRecord_ = true;
}

void TEngineCursor::GetRecord()
{
    record_ = current();
    hasRead_ = true;
}

QVariant TEngineCursor::FieldValue(int fieldNo, bool &blank) const
{
    if (fieldNo < 1 || fieldNo > FieldCount())
        engineError(ErrorCode::FieldNotFound, QStringLiteral("Ungültige Feldnummer %1").arg(fieldNo));
    const QVariant v = record_.values.value(fieldNo - 1);
    blank = !v.isValid() || v.isNull() || (v.typeId() == QMetaType::QString && v.toString().isEmpty());
    return blank ? QVariant() : v;
}

TBlobStream TEngineCursor::OpenBlob(int fieldNo) const
{
    bool blank = false;
    const QVariant v = FieldValue(fieldNo, blank);
    return TBlobStream(v.typeId() == QMetaType::QString ? v.toString().toUtf8() : v.toByteArray());
}

int TEngineCursor::SequenceNumber() const
{
    if (!SeqNumsSupported())
        engineError(ErrorCode::NotSupported, QStringLiteral("Nicht unterstützt"));
    return cursor()->position(current());
}

int TEngineCursor::RecordCount() const
{
    return cursor()->count();
}

QList<IndexDef> TEngineCursor::IndexDefs() const
{
    if (table_)
        return table_->IndexDefs();
    QList<IndexDef> out;
    const TableDef &def = cursor()->def();
    if (!def.primaryKey.isEmpty())
        out << IndexDef{QString(), def.primaryKey, ixPrimary | ixUnique};
    out << def.indexes;
    return out;
}

TValidityCheck TEngineCursor::ValidityCheck(int ordinal) const
{
    const TableDef &stored = cursor()->def();
    const TableDef *catalogue =
        table_ ? table_->Session().FindTableDef(table_->DatabaseName(), table_->TableName()) : nullptr;
    int n = 0;
    for (int i = 0; i < stored.fields.size(); ++i) {
        FieldDef f = stored.fields[i];
        if (catalogue)
            for (const FieldDef &c : catalogue->fields)
                if (c.name.compare(f.name, Qt::CaseInsensitive) == 0) {
                    f.lookupType = c.lookupType;
                    f.lookupTable = c.lookupTable;
                }
        const bool checked = f.required || f.minValue.isValid() || f.maxValue.isValid() ||
                             f.defaultValue.isValid() || f.lookupType != 0;
        if (!checked || ++n != ordinal)
            continue;
        TValidityCheck check;
        check.fieldNo = i + 1;
        check.required = f.required;
        check.minValue = f.minValue;
        check.maxValue = f.maxValue;
        check.defaultValue = f.defaultValue;
        check.lookupType = f.lookupType;
        check.lookupTable = f.lookupTable;
        return check;
    }
    engineError(ErrorCode::OutOfRange, QStringLiteral("Keine weitere Gültigkeitsprüfung"));
}

void TEngineCursor::filtersChanged()
{
    cursor()->filtersChanged();
}

int TEngineCursor::AddFilter(QByteArrayView expression)
{
    detail::TreeFilter t;
    try {
        const detail::RecordView fields(cursor()->def());
        t.tree = filter::FilterTree::compile(expression, fields);
    } catch (const filter::FilterError &e) {
        engineError(ErrorCode::InvalidFilter, e.message());
    }
    int handle = 1;
    for (const detail::TreeFilter &x : cursor()->trees())
        handle = std::max(handle, x.handle + 1);
    t.handle = handle;
    t.active = false;
    cursor()->trees().push_back(std::move(t));
    return handle;
}

namespace {

detail::TreeFilter &findTree(detail::Cursor *c, int handle)
{
    for (detail::TreeFilter &t : c->trees())
        if (t.handle == handle)
            return t;
    engineError(ErrorCode::InvalidFilter, QStringLiteral("Ungültiges Filter-Handle %1").arg(handle));
}

} // namespace

void TEngineCursor::DropFilter(int handle)
{
    auto &trees = cursor()->trees();
    findTree(cursor(), handle);
    trees.erase(std::remove_if(trees.begin(), trees.end(),
                               [&](const detail::TreeFilter &t) { return t.handle == handle; }),
                trees.end());
    filtersChanged();
}

void TEngineCursor::ActivateFilter(int handle)
{
    findTree(cursor(), handle).active = true;
    filtersChanged();
}

void TEngineCursor::DeactivateFilter(int handle)
{
    findTree(cursor(), handle).active = false;
    filtersChanged();
}

} // namespace dbe
