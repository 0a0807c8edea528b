#pragma once

#include <memory>

#include <QString>
#include <QStringList>

#include "dbe/DataSet.h"
#include "dbe/Table.h"

// Routines over data sets shared by the navigation set: clones, positioning,
// record numbers and field-label look-ups.
namespace nav {

// A new table on the source's table file with its order; opened and put on the
// source's current record when asked (and the source is not empty).
std::unique_ptr<dbe::TTable> CloneTable(dbe::TTable &source, bool readOnly, bool position, bool open);
// Edit, insert or set-key state.
bool IsEditingState(dbe::TDataSetState state);
// Finishes a pending edit: posted when modified, else cancelled.
void PostOrCancelEdit(dbe::TDataSet &dataSet);
// Sequence number of the current record (the physical position when the
// engine has none); 0 when there is no browsing or editing data set.
int EngineRecordNumber(dbe::TDataSet *dataSet);
int EngineRecordTotal(dbe::TDataSet *dataSet);
// Table name of a table, else the component name.
QString DataSetCaption(const dbe::TDataSet *dataSet);

// The physical field definitions: of the open data set, else of a table's catalogue entry.
QList<dbe::FieldDef> FieldDefsOf(const dbe::TDataSet &dataSet);

void FillDisplayLabels(const dbe::TDataSet &dataSet, const QStringList &names, QStringList &target);
QString FieldNameOfLabel(const dbe::TDataSet &dataSet, const QString &label);
bool StartsWithIndexFields(const dbe::TDataSet &dataSet, const QString &names);
QString FirstIndexFieldName(const dbe::TDataSet &dataSet);

enum class CursorText { DriverName, TableName, IndexName };
// A text property of the data set's engine cursor; empty when there is none.
QString EngineCursorText(const dbe::TDataSet &dataSet, CursorText which);

// Puts target on source's current record; false when target cannot show it.
bool SyncToRecord(dbe::TDataSet &target, const dbe::TDataSet &source);
// Positions target on source's record with target's scroll events.
void GotoRecordOf(dbe::TTable &target, dbe::TTable &source);

} // namespace nav
