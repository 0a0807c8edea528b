#include "navigation/suche/RecordSearch.h"

#include "dbe/Table.h"
#include "navigation/daten/DataSetHelpers.h"
#include "navigation/daten/EngineRecordValues.h"
#include "navigation/gemeinsam/UserFeedback.h"
#include "navigation/suche/SearchClock.h"
#include "ui/Hourglass.h"

namespace nav {

namespace {

// Moves the data set to the record the search cursor stands on. The data
// layer positions a table only by its own rows, so the record is found by its
// primary key (or all its values when the table has none).
bool moveToSearchCursor(dbe::TDataSet &dataSet, const dbe::TEngineCursor &searchCursor)
{
    QStringList keys;
    for (const dbe::IndexDef &def : searchCursor.IndexDefs())
        if (def.options & dbe::ixPrimary)
            keys = def.fields;
    if (keys.isEmpty())
        for (const dbe::FieldDef &def : dataSet.FieldDefs())
            if (def.type != dbe::FieldType::Memo && def.type != dbe::FieldType::Graphic &&
                def.type != dbe::FieldType::Blob)
                keys << def.name;
    QVariantList values;
    for (const QString &key : keys) {
        bool blank = false;
        values << searchCursor.FieldValue(dataSet.FieldByName(key)->FieldNo(), blank);
    }
    return dataSet.Locate(keys.join(QLatin1Char(';')), values);
}

} // namespace

bool IsSearchableFieldType(dbe::TFieldType type)
{
    switch (type) {
    case dbe::TFieldType::ftUnknown:
    case dbe::TFieldType::ftBytes:
    case dbe::TFieldType::ftVarBytes:
    case dbe::TFieldType::ftBlob:
    case dbe::TFieldType::ftGraphic:
        return false;
    default:
        return true;
    }
}

int SearchClockStep(int n, int total)
{
    int step = ((n + 1) * 12) / total;
    if (step > 12)
        step %= 12;
    return step;
}

bool SearchRecords(dbe::TDataSet &dataSet, dbe::TEngineCursor &searchCursor, bool allowAbort,
                   bool showProgress, bool skipCurrent, bool restart, bool backward,
                   const SearchMatcher &matcher, const QString &fieldName)
{
    if (!dataSet.Active())
        return false;
    const dbe::TField *field = dataSet.FindField(fieldName);
    if (!field || field->FieldKind() != dbe::TFieldKind::fkData || !IsSearchableFieldType(field->DataType()))
        return false;

    if (dataSet.BeforeScroll)
        dataSet.BeforeScroll(dataSet);
    ui::HourglassScope hourglass;
    if (auto *table = dynamic_cast<dbe::TTable *>(&dataSet); table && table->Handle() && !dataSet.IsEmpty())
        searchCursor.SetToCursor(*table->Handle());
    if (restart) {
        if (backward)
            searchCursor.SetToEnd();
        else
            searchCursor.SetToBegin();
    }
    int total = showProgress ? EngineRecordTotal(&dataSet) : 0;
    const bool progress = total > 0;

    bool found = false;
    bool first = !skipCurrent && !restart;
    int n = 0;
    int lastStep = -1;
    for (;;) {
        if (progress) {
            const int step = SearchClockStep(n++, total);
            if (step != lastStep) {
                lastStep = step;
                ShowClockCursor(step);
            }
        }
        try {
            if (first)
                searchCursor.GetRecord();
            else if (backward)
                searchCursor.GetPriorRecord();
            else
                searchCursor.GetNextRecord();
        } catch (const dbe::EDBEngineError &e) {
            if (e.ErrorCode() == dbe::ErrorCode::BeginningOfTable ||
                e.ErrorCode() == dbe::ErrorCode::EndOfTable)
                break;
            throw;
        }
        first = false;
        bool blank = false;
        const QVariant value = searchCursor.FieldValue(field->FieldNo(), blank);
        if (blank ? matcher.pattern.isEmpty() : matcher.accepts(FieldBufferToText(value, *field))) {
            found = true;
            break;
        }
        if (allowAbort)
            CheckUserAbort();
    }
    if (!found)
        return false;
    // The move fires the data set's scroll events, AfterScroll included.
    return moveToSearchCursor(dataSet, searchCursor);
}

} // namespace nav
