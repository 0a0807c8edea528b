#include "navigation/daten/DataSetHelpers.h"

#include "dbe/EngineCursor.h"
#include "dbe/Errors.h"
#include "dbe/Field.h"
#include "dbe/Session.h"

namespace nav {

std::unique_ptr<dbe::TTable> CloneTable(dbe::TTable &source, bool readOnly, bool position, bool open)
{
    auto clone = std::make_unique<dbe::TTable>(&source.Session());
    clone->SetReadOnly(readOnly);
    clone->SetDatabaseName(source.DatabaseName());
    clone->SetTableName(source.TableName());
    if (!source.IndexFieldNames().isEmpty())
        clone->SetIndexFieldNames(source.IndexFieldNames());
    else
        clone->SetIndexName(source.IndexName());
    if (open) {
        clone->Open();
        if (position && source.Active() && !(source.Bof() && source.Eof()))
            clone->GotoCurrent(source);
    }
    return clone;
}

bool IsEditingState(dbe::TDataSetState state)
{
    return state == dbe::TDataSetState::dsEdit || state == dbe::TDataSetState::dsInsert ||
           state == dbe::TDataSetState::dsSetKey;
}

void PostOrCancelEdit(dbe::TDataSet &dataSet)
{
    switch (dataSet.State()) {
    case dbe::TDataSetState::dsInactive:
        dbe::databaseError(dbe::Msg::DataSetClosed);
    case dbe::TDataSetState::dsEdit:
    case dbe::TDataSetState::dsInsert:
        dataSet.UpdateRecord();
        if (dataSet.Modified())
            dataSet.Post();
        else
            dataSet.Cancel();
        break;
    case dbe::TDataSetState::dsSetKey:
        dataSet.Post();
        break;
    default:
        break;
    }
}

namespace {
dbe::TEngineCursor *engineCursorOf(const dbe::TDataSet *dataSet)
{
    const auto *table = dynamic_cast<const dbe::TTable *>(dataSet);
    return table && table->Active() ? table->Handle() : nullptr;
}
} // namespace

int EngineRecordNumber(dbe::TDataSet *dataSet)
{
    if (!dataSet)
        return 0;
    const dbe::TDataSetState state = dataSet->State();
    if (state != dbe::TDataSetState::dsBrowse && state != dbe::TDataSetState::dsEdit)
        return 0;
    try {
        if (dbe::TEngineCursor *cursor = engineCursorOf(dataSet)) {
            try {
                return cursor->SequenceNumber();
            } catch (const dbe::EDBEngineError &e) {
                if (e.ErrorCode() != dbe::ErrorCode::NotSupported)
                    return 0;
            }
        }
        // No sequence numbers: the position among the visible rows.
        return dataSet->RecNo();
    } catch (const std::exception &) {
        return 0;
    }
}

int EngineRecordTotal(dbe::TDataSet *dataSet)
{
    if (!dataSet || !dataSet->Active())
        return 0;
    try {
        if (dbe::TEngineCursor *cursor = engineCursorOf(dataSet))
            return cursor->RecordCount();
        return dataSet->RecordCount();
    } catch (const std::exception &) {
        return 0;
    }
}

QString DataSetCaption(const dbe::TDataSet *dataSet)
{
    if (!dataSet)
        return QString();
    if (const auto *table = dynamic_cast<const dbe::TTable *>(dataSet))
        return table->TableName();
    return dataSet->Name();
}

QList<dbe::FieldDef> FieldDefsOf(const dbe::TDataSet &dataSet)
{
    if (dataSet.Active())
        return dataSet.FieldDefs();
    if (const auto *table = dynamic_cast<const dbe::TTable *>(&dataSet))
        if (const dbe::TableDef *def =
                table->Session().FindTableDef(table->DatabaseName(), table->TableName()))
            return def->fields;
    return {};
}

void FillDisplayLabels(const dbe::TDataSet &dataSet, const QStringList &names, QStringList &target)
{
    target.clear();
    for (const QString &name : names)
        target << dataSet.FieldByName(name)->DisplayLabel();
}

QString FieldNameOfLabel(const dbe::TDataSet &dataSet, const QString &label)
{
    for (int i = 0; i < dataSet.FieldCount(); ++i)
        if (dataSet.Fields(i)->DisplayLabel() == label)
            return dataSet.Fields(i)->FieldName();
    return QString();
}

namespace {
// The first index field by the table's order; empty without one.
QString firstIndexField(const dbe::TTable &table)
{
    for (const dbe::IndexDef &def : table.IndexDefs())
        if (def.name.compare(table.IndexName(), Qt::CaseInsensitive) == 0 && !def.fields.isEmpty())
            return def.fields.first();
    return QString();
}
QString firstFieldDef(const dbe::TDataSet &dataSet)
{
    const QList<dbe::FieldDef> defs = FieldDefsOf(dataSet);
    return defs.isEmpty() ? QString() : defs.first().name;
}
} // namespace

bool StartsWithIndexFields(const dbe::TDataSet &dataSet, const QString &names)
{
    const auto *table = dynamic_cast<const dbe::TTable *>(&dataSet);
    if (!table)
        return false;
    if (!table->IndexFieldNames().isEmpty())
        return names.startsWith(table->IndexFieldNames());
    if (!table->IndexName().isEmpty())
        return firstIndexField(*table) == names;
    const QString first = firstFieldDef(dataSet);
    return !first.isEmpty() && first == names;
}

QString FirstIndexFieldName(const dbe::TDataSet &dataSet)
{
    const auto *table = dynamic_cast<const dbe::TTable *>(&dataSet);
    if (table && !table->IndexFieldNames().isEmpty()) {
        QString name = table->IndexFieldNames().section(QLatin1Char(';'), 0, 0);
        if (name.endsWith(QLatin1Char(' ')))
            name.chop(1);
        return name;
    }
    if (table && !table->IndexName().isEmpty())
        return firstIndexField(*table);
    return firstFieldDef(dataSet);
}

QString EngineCursorText(const dbe::TDataSet &dataSet, CursorText which)
{
    try {
        dbe::TEngineCursor *cursor = engineCursorOf(&dataSet);
        if (!cursor)
            return QString();
        switch (which) {
        case CursorText::DriverName:
            return cursor->DriverName();
        case CursorText::TableName:
            return cursor->TableName();
        case CursorText::IndexName:
            return cursor->IndexName();
        }
    } catch (const std::exception &) {
    }
    return QString();
}

bool SyncToRecord(dbe::TDataSet &target, const dbe::TDataSet &source)
{
    try {
        target.GotoBookmark(source.GetBookmark());
        return true;
    } catch (const dbe::EDBEngineError &e) {
        const int code = e.ErrorCode();
        if (code == dbe::ErrorCode::RecordNotFound || code == dbe::ErrorCode::BeginningOfTable ||
            code == dbe::ErrorCode::EndOfTable)
            return false;
        throw;
    } catch (const dbe::EDatabaseError &e) {
        if (e.Message() == dbe::Msg::RecordNotFound)
            return false;
        throw;
    }
}

void GotoRecordOf(dbe::TTable &target, dbe::TTable &source)
{
    // GotoCurrent fires target's BeforeScroll and AfterScroll around the move.
    target.GotoCurrent(source);
}

} // namespace nav
