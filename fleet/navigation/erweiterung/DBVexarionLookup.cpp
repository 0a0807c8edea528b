// The lookup of the extender: which source a field's lookup draws on, and the
// lookup dialog with the assignments from the chosen row.
#include <memory>

#include <QLoggingCategory>

#include "dbe/Field.h"
#include "dbe/Query.h"
#include "dbe/Table.h"
#include "navigation/daten/DataSetHelpers.h"
#include "navigation/dialoge/LookupDialog.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/erweiterung/ViewRecord.h"
#include "navigation/gemeinsam/TextHelpers.h"
#include "navigation/gemeinsam/UserFeedback.h"
#include "navigation/leiste/DBVNavigator.h"
#include "navigation/leiste/NavSets.h"
#include "navigation/suche/LookupFields.h"
#include "ui/DBGrid.h"

Q_LOGGING_CATEGORY(lcLookup, "karvenfp.navigation.lookup")

namespace nav {

int TDBVexarion::GetLookupDefinition(TTableDefs *defs, dbe::TField *field, bool onlyQuery,
                                     TLookupDefinition &definition)
{
    definition = TLookupDefinition();
    if (!field)
        return lkNone;
    int kind = lkNone;
    int type = 0;
    QString tableName;
    const bool tableLookup = defs && field->FieldKind() == dbe::TFieldKind::fkData &&
                             defs->LookupDef(field->FieldNo(), type, tableName);
    if (tableLookup) {
        definition.TableName = tableName;
        definition.AllCorresponding = type == 4;
    }
    const bool lookupField = field->FieldKind() == dbe::TFieldKind::fkLookup;
    if (lookupField) {
        definition.LookupDataSet = field->LookupDataSet();
        if (auto *table = dynamic_cast<dbe::TTable *>(definition.LookupDataSet))
            definition.DatabaseName = table->DatabaseName();
        GetTableCaption(definition.LookupDataSet, definition.Description);
        definition.CopyFields = definition.LocateFields =
            PairFieldLists(field->LookupKeyFields(), field->KeyFields());
    } else if (GetLookupDef) {
        GetLookupDef(*this, field, definition);
        if (!definition.TableName.isEmpty())
            kind = lkTable;
    }
    if (kind == lkNone && GetExtLookupDef) {
        GetExtLookupDef(*this, field, onlyQuery, definition);
        if (definition.LookupDataSet)
            kind = lkDataSet;
        else if (!definition.QueryText.isEmpty())
            kind = lkQuery;
        if (!definition.AllCorresponding && definition.CopyFields.isEmpty())
            kind = lkNone;
    } else if (lookupField) {
        kind = lkDataSet;
    } else if (kind == lkNone && tableLookup && !definition.TableName.isEmpty()) {
        kind = lkTable;
    }
    return kind;
}

namespace {

// The record of the lookup dialog: what it shows and which keys and buttons
// its navigator offers.
void fillLookupRecord(TFormEventRec &record, int kind, const TLookupDefinition &def, const TDBVexarion &ext)
{
    record.FormType = sfLookUp;
    record.BorderStyle = ext.BorderStyleLookUp;
    record.LookupKind = kind;
    record.DatabaseName = def.DatabaseName.left(255);
    record.TableName = def.TableName.left(255);
    record.IndexName = def.IndexName.left(255);
    record.LookupDataSet = def.LookupDataSet;
    record.Description = def.Description.left(255);
    record.LUAutoIncSrch = ext.LUAutoIncSrch;
    record.LUReadOnly = ext.LUReadOnly;
    record.LUAutoEdit = ext.LUAutoEdit;
    record.LUManageGlobalEdit = ext.LUManageGlobalEdit;
    record.CopyFields = def.CopyFields.left(255);
    record.ShowFields = def.ShowFields.left(255);
    record.DisplayLabels = def.DisplayLabels.left(255);
    record.AllowKeys = allowKey(akDBMove) | allowKey(akLookUp) | allowKey(akSearch) | allowKey(akIncSearch) |
                       allowKey(akBookmark) | allowKey(akFilter) | allowKey(akIndexSelect);
    record.VisBtnsSearch = 0;
    for (int b = snbSearch; b <= snbTableView; ++b)
        record.VisBtnsSearch |= static_cast<TSrchNavBtns>(navBit(b));
    record.VisBtnsMove = 0x3F;
    record.VisBtnsExtend = navBit(enbMemoView);
    AddEditingButtons(record, ext.LUReadOnly, ext.LUManageGlobalEdit);
}

} // namespace

bool TDBVexarion::RunLookup(int kind, dbe::TField *field, const TLookupDefinition &definition, bool readOnly)
{
    // The field's own data set takes the values: under somAllFuncs the
    // current data set is the form's master, not the grid the field is in.
    dbe::TDataSet *target = field ? field->DataSet() : nullptr;
    if (!target || !target->Active() || kind == lkNone)
        return false;
    TLookupDefinition def = definition;
    TFormEventRec record;
    record.Field = field;
    record.QueryText = &def.QueryText;
    fillLookupRecord(record, kind, def, *this);
    if (!announceDialog(record))
        return false;
    def.Description = record.Description;
    def.CopyFields = record.CopyFields;
    def.ShowFields = record.ShowFields;
    def.DisplayLabels = record.DisplayLabels;

    DisplayMessage(QStringLiteral("Öffne Nachschlagequelle..."), ui::MsgType::Information);
    auto owned = std::make_unique<TLUDlg>(form_, readOnly, record.UserButton, this);
    TLUDlg &dialog = *owned;
    ApplyDialogBorder(&dialog, record.BorderStyle);
    QString caption = def.Description;
    if (kind == lkTable) {
        caption = def.TableName;
        if (GetTblDescription)
            GetTblDescription(def.TableName, caption);
    }
    dialog.setWindowTitle(QStringLiteral("Nachschlagen [%1]").arg(caption));
    TDBVexarion &own = *dialog.DBVexarion1;
    own.SetAllowKeys(record.AllowKeys);
    own.CopySettingsFrom(*this);
    own.SetManageGlobalEdit(record.LUManageGlobalEdit);
    own.SetShowStatusOptions(ShowStatusOptions() & ~ssTblName);
    dialog.DBVNavigator1->SetVisBtnsSearch(record.VisBtnsSearch);
    dialog.DBVNavigator1->SetVisBtnsMove(record.VisBtnsMove);
    dialog.DBVNavigator1->SetVisBtnsRecord(record.VisBtnsRecord);
    dialog.DBVNavigator1->SetVisBtnsExtend(record.VisBtnsExtend);

    // The source, opened under the hourglass.
    dbe::TDataSet *source = nullptr;
    bool openedHere = false;
    const QString databaseName =
        !def.DatabaseName.isEmpty()
            ? def.DatabaseName
            : (dynamic_cast<dbe::TTable *>(target) ? static_cast<dbe::TTable *>(target)->DatabaseName()
                                                   : QString());
    PushHourglass();
    try {
        if (kind == lkTable) {
            dialog.LUTbl->SetSession(&target->Session());
            dialog.LUTbl->SetDatabaseName(databaseName);
            dialog.LUTbl->SetTableName(def.TableName);
            dialog.LUTbl->SetIndexName(def.IndexName);
            dialog.LUTbl->Open();
            source = dialog.LUTbl.get();
        } else if (kind == lkDataSet) {
            source = def.LookupDataSet;
            openedHere = !source->Active();
            if (openedHere)
                source->Open();
        } else {
            dialog.LUQuery->SetSession(&target->Session());
            dialog.LUQuery->SetDatabaseName(databaseName);
            dialog.LUQuery->SetSQL(def.QueryText);
            dialog.LUQuery->SetRequestLive(!record.LUReadOnly);
            dialog.LUQuery->Open();
            source = dialog.LUQuery.get();
        }
    } catch (...) {
        PopHourglass();
        ClearMessage();
        throw;
    }
    PopHourglass();
    ClearMessage();
    // A data set of the application gets its field layout back afterwards.
    FieldLayoutSnapshot layout(*source);
    struct Afterwards {
        std::function<void()> run;
        ~Afterwards() { run(); }
    } afterwards{[&] {
        if (kind == lkDataSet) {
            layout.Restore();
            if (openedHere && !def.KeepActive)
                source->Close();
        }
    }};
    dialog.LUSource->SetDataSet(source);
    ApplyShowFields(*source, def.ShowFields, def.DisplayLabels);
    const QStringList copyFields = SplitFieldList(def.CopyFields, false);
    const bool useCopyFields = copyFields.size() % 2 == 0;

    if (source->IsEmpty()) {
        dialog.OkBtn->setEnabled(false);
    } else if (kind == lkTable) {
        dialog.LUTbl->FindKey({field->Value()});
    } else if (!def.LocateFields.isEmpty()) {
        try {
            LocateByFieldPairs(*source, *target, def.LocateFields);
        } catch (const std::exception &e) {
            AppExceptionHook(this, e);
        }
    }
    dialog.LUSource->SetAutoEdit(record.LUAutoEdit);
    if (!record.LUManageGlobalEdit)
        dialog.LUGrid->setReadOnly(record.LUReadOnly);
    if (record.LUAutoIncSrch)
        own.HandleNBBtn(nbSearchInc, 0, 0);

    prepareDialog(dialog);
    if (dialog.showModal() != ui::mrOk) {
        if (kind == lkTable)
            dialog.LUTbl->Close();
        return false;
    }
    if (kind == lkTable && dialog.LUTbl->IndexName() != def.IndexName)
        dialog.LUTbl->SetIndexName(def.IndexName);
    auto assign = [&](const QString &targetName, const QString &sourceName) {
        try {
            dbe::TField *to = target->FieldByName(targetName);
            dbe::TField *from = source->FieldByName(sourceName);
            bool doAssign = true;
            if (BeforeAssignFromLUField)
                BeforeAssignFromLUField(*this, to, from, doAssign);
            if (doAssign)
                to->Assign(*from);
            if (AfterAssignFromLUField)
                AfterAssignFromLUField(*this, to, from);
        } catch (const std::exception &e) {
            // Only this assignment is skipped.
            qCWarning(lcLookup) << targetName << e.what();
        }
    };
    try {
        target->Edit();
        if (BeforeAssignFromLookup)
            BeforeAssignFromLookup(*this, field, source);
        if (def.AllCorresponding)
            for (int i = 0; i < source->FieldCount(); ++i) {
                const QString name = source->Fields(i)->FieldName();
                if (target->FindField(name))
                    assign(name, name);
            }
        if (useCopyFields)
            for (int i = 0; i + 1 < copyFields.size(); i += 2)
                assign(copyFields[i + 1], copyFields[i]);
        if (kind == lkTable)
            assign(field->FieldName(), FirstIndexFieldName(*source));
    } catch (...) {
        if (AfterAssignFromLookup)
            AfterAssignFromLookup(*this, field, source);
        throw;
    }
    if (AfterAssignFromLookup)
        AfterAssignFromLookup(*this, field, source);
    if (kind == lkTable)
        dialog.LUTbl->Close();
    return true;
}

} // namespace nav
