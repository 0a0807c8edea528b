// The 28 navigator commands: which are possible for the focused control,
// and what each does.
#include "navigation/erweiterung/DBVexarion.h"

#include <QVariant>

#include "dbe/Errors.h"
#include "dbe/Field.h"
#include "dbe/Query.h"
#include "navigation/daten/DataSetHelpers.h"
#include "navigation/erweiterung/Possibilities.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/suche/RecordSearch.h"
#include "ui/Guard.h"
#include "ui/Messages.h"

namespace nav {

namespace {

bool isEditOrInsert(const dbe::TDataSet *dataSet)
{
    return dataSet && (dataSet->State() == dbe::TDataSetState::dsEdit ||
                       dataSet->State() == dbe::TDataSetState::dsInsert);
}

bool isViewableBlob(const dbe::TField *field)
{
    return field &&
           (field->DataType() == dbe::TFieldType::ftMemo || field->DataType() == dbe::TFieldType::ftGraphic);
}

bool isTableClass(const dbe::TDataSet *dataSet)
{
    return dynamic_cast<const dbe::TTable *>(dataSet) != nullptr;
}

bool isQuery(const dbe::TDataSet *dataSet)
{
    return dynamic_cast<const dbe::TQuery *>(dataSet) != nullptr;
}

} // namespace

// ------------------------------------------------------------ possibilities

TDBVexarion::Target TDBVexarion::resolveTarget(QWidget *control)
{
    Target t;
    t.dataAware = control && IsDataAwareControl(control);
    if (t.dataAware && GetControlField(control, t.control) && t.control.source)
        t.defs = TableDefsOf(t.control.source);
    if (!t.control.source && MasterSource() && MasterSource()->DataSet()) {
        t.control.source = MasterSource();
        t.defs = TableDefsOf(MasterSource());
        t.control.dataSet = MasterSource()->DataSet();
    }
    dbe::TDataSet *ds = t.control.dataSet;
    t.control.readOnly = t.control.readOnly || !t.control.source || !ds ||
                         (!t.control.source->AutoEdit() && !isEditOrInsert(ds));
    return t;
}

void TDBVexarion::CheckPossibilities()
{
    if (!isFormActive() || destroying_)
        return;
    QWidget *control = activeControl();
    Target t;
    ControlField cf;
    if (control && GetControlField(control, cf) && cf.source) {
        t.control = cf;
        t.defs = TableDefsOf(cf.source);
    } else if (MasterSource()) {
        t.control.source = MasterSource();
        t.control.dataSet = MasterSource()->DataSet();
        t.defs = TableDefsOf(MasterSource());
    }
    if (BeforeCheckPoss)
        BeforeCheckPoss(control, t.control.field);

    dbe::TDataSet *ds = t.control.dataSet;
    PossibilityInput in;
    in.hasSource = t.control.source != nullptr;
    in.hasDataSet = ds != nullptr;
    in.dataSetOpen = ds && ds->Active();
    auto atBegin = [&](dbe::TDataSet *d, TTableDefs *defs) {
        return ExactBOF_EOF && defs ? defs->ExactAtBegin() : d->Bof();
    };
    auto atEnd = [&](dbe::TDataSet *d, TTableDefs *defs) {
        return ExactBOF_EOF && defs ? defs->ExactAtEnd() : d->Eof();
    };
    if (in.dataSetOpen) {
        in.atBegin = atBegin(ds, t.defs);
        in.atEnd = atEnd(ds, t.defs);
    }
    in.filterState = t.defs ? t.defs->FilterState() : 0;
    in.hasTableDefs = t.defs != nullptr;
    in.bookmarkCount = t.defs ? t.defs->Bookmarks().Count() : 0;
    in.hasSearchField = t.defs && !t.defs->SearchField().isEmpty();
    if (dbe::TField *f = t.control.field) {
        in.hasField = true;
        in.fieldIsViewableBlob = isViewableBlob(f);
        in.fieldCalculated = f->Calculated();
        in.fieldTypeExcluded = !IsSearchableFieldType(f->DataType());
        in.fieldIndexed = ds && StartsWithIndexFields(*ds, f->FieldName());
        // Asked of the field's own data set: under somAllFuncs a grid's
        // field belongs to a detail, not to the master.
        TLookupDefinition definition;
        in.lookupDefExists = !in.fieldCalculated &&
                             GetLookupDefinition(TableDefsOf(f->DataSet()), f, true, definition) != lkNone;
    }
    auto *table = dynamic_cast<dbe::TTable *>(ds);
    in.isTable = table != nullptr;
    in.isQuery = isQuery(ds);
    in.hasTableName = table && !table->TableName().isEmpty();
    in.hasMasterLink = table && table->MasterSource() != nullptr;
    in.indexCount = t.defs ? static_cast<int>(t.defs->IndexCaptions().size()) : 0;
    in.autoEdit = t.control.source && t.control.source->AutoEdit();
    in.editing = ds && IsEditingState(ds->State());
    in.editOrInsert = isEditOrInsert(ds);
    in.readOnly = t.control.readOnly;
    in.canModify = ds && ds->CanModify();
    if (StayOnMasterSource() == TStayOnMasterSource::somOnlyMove && MasterSource()) {
        dbe::TDataSet *m = MasterSource()->DataSet();
        TTableDefs *mdefs = TableDefsOf(MasterSource());
        in.moveActive = m && m->Active();
        if (in.moveActive) {
            in.moveAtBegin = atBegin(m, mdefs);
            in.moveAtEnd = atEnd(m, mdefs);
        }
    } else {
        in.moveActive = in.dataSetOpen && in.hasSource;
        in.moveAtBegin = in.atBegin;
        in.moveAtEnd = in.atEnd;
    }
    in.manageGlobalEdit = manageGlobalEdit_;
    in.globalEdit = globalEdit_;
    in.incSearchOn = incSearchOn_;
    in.incSrchOnlyIfIndexed = incSrchOnlyIfIndexed_;
    in.allowKeys = allowKeys_;
    PossibilityResult result = computePossibilities(in);

    const bool sourceChanged = t.control.source != currentSource_;
    if (result.possible != possible_ || in.filterState != filterState_ || sourceChanged ||
        result.incSearchOn != incSearchOn_) {
        possible_ = result.possible;
        filterState_ = in.filterState;
        currentSource_ = t.control.source;
        incSearchOn_ = result.incSearchOn;
        if (OnChangePoss)
            OnChangePoss(*this);
    }
    if (sourceChanged && OnNewDataSource)
        OnNewDataSource(*this, currentSource_);
}

// ------------------------------------------------------------ commands

void TDBVexarion::autoRefreshDataSet(dbe::TDataSet *dataSet)
{
    if (!dataSet)
        return;
    if (AutoRefresh == TAutoRefreshMode::armAll ||
        (AutoRefresh == TAutoRefreshMode::armTblOnly && isTableClass(dataSet)))
        dataSet->Refresh();
}

void TDBVexarion::HandleNBBtn(TDBVNavigateBtn button, TShiftState shift, int info)
{
    DisplayMessage(QString(), ui::MsgType::Information);
    if (BeforeHandleNBBtn)
        BeforeHandleNBBtn(*this, button, shift, info);
    if (button == nbUserBtn || static_cast<int>(button) > nbGlobalEdit || static_cast<int>(button) < 0)
        return;
    try {
        Target target = resolveTarget(activeControl());
        runCommand(button, shift, info, target);
    } catch (...) {
        ui::handleException(this, std::current_exception());
    }
    if (AfterHandleNBBtn)
        AfterHandleNBBtn(*this, button, shift, info);
}

void TDBVexarion::gotoBookmarkWithWarning(TTableDefs &defs, int number)
{
    try {
        defs.Bookmarks().GotoBookmark(number, true);
        ClearMessage();
    } catch (const dbe::EDBEngineError &e) {
        const QString first = e.ErrorCount() > 0 ? e.Errors(0).Message : e.Message();
        DisplayMessage(QStringLiteral("Lesezeichen %1: %2.").arg(number).arg(first), ui::MsgType::Warning);
    } catch (const std::exception &) {
        DisplayMessage(QStringLiteral("Lesezeichen %1: .").arg(number), ui::MsgType::Warning);
    }
}

void TDBVexarion::runCommand(TDBVNavigateBtn button, TShiftState shift, int info, Target &t)
{
    dbe::TDataSet *ds = t.control.dataSet;
    dbe::TField *field = t.control.field;
    dbe::TDataSet *moveSet = ds;
    if (button >= nbFirst && button <= nbLast && StayOnMasterSource() == TStayOnMasterSource::somOnlyMove &&
        MasterSource())
        moveSet = MasterSource()->DataSet();
    const bool ctrl = (shift & ssCtrl) != 0;
    switch (button) {
    case nbSearch:
        if (ds) {
            autoRefreshDataSet(ds);
            ShowSearchDialog(ds, field);
        }
        break;
    case nbSearchInc:
        incSearchOn_ = !incSearchOn_;
        incSearchText_.clear();
        CheckPossibilities();
        refreshNavigators();
        ShowStatus(CurrentDataSource());
        if (OnChangePoss)
            OnChangePoss(*this);
        break;
    case nbSearchNext:
        if (ds && t.defs) {
            autoRefreshDataSet(ds);
            if (ctrl ? SearchNextReverse(ds) : SearchNext(ds))
                ClearMessage();
            else
                DisplayMessage(QStringLiteral("\"%1\" nicht weiter gefunden.").arg(t.defs->Pattern().text()),
                               ui::MsgType::Information);
        }
        break;
    case nbSetBookmark:
        if (t.defs) {
            if (info == 0)
                t.defs->Bookmarks().AddBookmark();
            else
                t.defs->Bookmarks().SetBookmark(info);
            if (t.defs->Bookmarks().Count() == 1) {
                CheckPossibilities();
                refreshNavigators();
            }
        }
        break;
    case nbGotoBookmark:
        if (info != 0) {
            TBMItem *item = nullptr;
            if (t.defs && t.defs->Bookmarks().Find(info, item) >= 0 && item)
                gotoBookmarkWithWarning(*t.defs, info);
        } else if (ds && t.defs && t.defs->Bookmarks().Count() > 0) {
            ShowBookmarkDialog(ds);
        }
        break;
    case nbTblFilter:
        if (ds)
            EditFilter(ds, field);
        break;
    case nbActiveFilter:
        if (t.defs)
            t.defs->SetFilterActive(t.defs->FilterState() != kFilterActive);
        break;
    case nbIndexSelect:
        if (auto *table = dynamic_cast<dbe::TTable *>(ds)) {
            if (UseIndexPopup)
                ShowIndexPopup(table);
            else
                ShowIndexDialog(table);
        }
        break;
    case nbTableView:
        if (ds) {
            autoRefreshDataSet(ds);
            ShowTableView(ds, field, TVSynchronIsDefault != ctrl);
        }
        break;
    case nbSingleRecView:
        if (ds) {
            autoRefreshDataSet(ds);
            ShowSingleRecView(ds, field, SRVSynchronIsDefault != ctrl);
        }
        break;
    case nbFirst:
    case nbLast:
        if (moveSet) {
            autoRefreshDataSet(moveSet);
            button == nbFirst ? moveSet->First() : moveSet->Last();
            if (OnDataSetScrolled)
                OnDataSetScrolled(*this, t.control.source);
        }
        break;
    case nbPGroup:
    case nbPrior:
    case nbNext:
    case nbNGroup:
        if (moveSet) {
            autoRefreshDataSet(moveSet);
            const int step = (button == nbPGroup || button == nbNGroup) ? MoveBy : 1;
            moveSet->MoveBy(button == nbPGroup || button == nbPrior ? -step : step);
        }
        break;
    case nbInsert:
        if (ds && !incSearchOn_)
            ds->Insert();
        break;
    case nbDelete:
        if (ds) {
            if (ConfirmDelete) {
                const QString question = ConfDelQuestion.isEmpty()
                                             ? QStringLiteral("Datensatz wirklich löschen ?")
                                             : ConfDelQuestion;
                if (!ui::messages().confirm(question))
                    break;
            }
            ds->Delete();
        }
        break;
    case nbEdit:
        if (ds) {
            autoRefreshDataSet(ds);
            ds->Edit();
        }
        break;
    case nbPost:
        if (ds)
            ds->Post();
        break;
    case nbCancel:
        if (ds)
            ds->Cancel();
        break;
    case nbRefresh:
        if (ds)
            ds->Refresh();
        break;
    case nbUserBtn:
        break;
    case nbMemoView:
        if (field && field->IsBlob()) {
            if (field->DataType() == dbe::TFieldType::ftMemo)
                ShowMemoView(field, t.control.readOnly);
            else if (field->DataType() == dbe::TFieldType::ftGraphic)
                ShowGraphicView(field, t.control.readOnly);
        }
        break;
    case nbDupField:
        if (field)
            DuplicateField(field, ConfirmOverride);
        break;
    case nbDupRecord:
        if (ds)
            DuplicateRecord(ds);
        break;
    case nbLookUp:
        if (field) {
            TLookupDefinition definition;
            const int kind = GetLookupDefinition(TableDefsOf(field->DataSet()), field, false, definition);
            if (kind != lkNone)
                RunLookup(kind, field, definition, t.control.readOnly);
        }
        break;
    case nbGlobalEdit:
        SwitchGlobalEdit(!globalEdit_);
        break;
    }
}

bool TDBVexarion::DuplicateField(dbe::TField *field, bool confirm)
{
    dbe::TDataSet *ds = field ? field->DataSet() : nullptr;
    if (!ds)
        return false;
    if (confirm && !field->IsNull()) {
        const QString question =
            ConfOverQuestion.isEmpty()
                ? QStringLiteral("Wert des Feldes %1 überschreiben ?").arg(field->FieldName())
                : ConfOverQuestion;
        if (!ui::messages().question(question))
            return false;
    }
    const int recNo = ds->RecNo();
    if (recNo <= 1)
        return false;
    QStringList names;
    if (field->FieldKind() == dbe::TFieldKind::fkLookup)
        names = field->KeyFields().split(QLatin1Char(';'), Qt::SkipEmptyParts);
    else
        names << field->FieldName();
    QList<QVariant> values;
    for (const QString &name : names)
        values << ds->RecordValue(recNo - 1, ds->FieldByName(name));
    ds->Edit();
    for (int i = 0; i < names.size(); ++i)
        ds->FieldByName(names[i])->SetValue(values[i]);
    return true;
}

bool TDBVexarion::DuplicateRecord(dbe::TDataSet *dataSet)
{
    if (!dataSet)
        return false;
    if (dataSet->State() != dbe::TDataSetState::dsBrowse)
        dataSet->Post();
    QVariantList values;
    for (int i = 0; i < dataSet->FieldCount(); ++i)
        values << dataSet->Fields(i)->Value();
    TTableDefs *defs = TableDefsOf(dataSet);
    if (defs->ExactAtEnd()) {
        dataSet->Append();
    } else {
        dataSet->Next();
        dataSet->Insert();
    }
    for (int i = 0; i < dataSet->FieldCount(); ++i) {
        dbe::TField *f = dataSet->Fields(i);
        if (f->FieldKind() == dbe::TFieldKind::fkData && !f->ReadOnly() && f->IsNull())
            f->SetValue(values[i]);
    }
    return true;
}

} // namespace nav
