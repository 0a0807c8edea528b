// The table view and the single-record view the extender opens for a data
// set: announced, made with their own extender and bar, showing the data set
// itself or a clone of it, kept in the data set's table definitions.
#include "navigation/erweiterung/DBVexarion.h"

#include "dbe/Field.h"
#include "dbe/Query.h"
#include "dbe/Table.h"
#include "navigation/ansichten/SingleRecViewForm.h"
#include "navigation/ansichten/TableViewForm.h"
#include "navigation/daten/DataSetHelpers.h"
#include "navigation/daten/FieldCopy.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/erweiterung/ViewRecord.h"
#include "navigation/leiste/DBVNavigator.h"
#include "navigation/suche/LookupFields.h"
#include "ui/DBGrid.h"
#include "ui/Guard.h"

namespace nav {

void TDBVexarion::ShowTableView(dbe::TDataSet *dataSet, dbe::TField *field, bool synchronous)
{
    if (!dataSet)
        return;
    TFormEventRec record =
        TableViewRecord(*this, dataSet, synchronous, qobject_cast<TSingleRecViewForm *>(form_));
    record.Field = field;
    if (announceDialog(record))
        openView(*TableDefsOf(dataSet), true, field, record);
}

void TDBVexarion::ShowSingleRecView(dbe::TDataSet *dataSet, dbe::TField *field, bool synchronous)
{
    if (!dataSet)
        return;
    TFormEventRec record =
        SingleRecViewRecord(*this, dataSet, synchronous, qobject_cast<TTableViewForm *>(form_));
    record.Field = field;
    if (announceDialog(record))
        openView(*TableDefsOf(dataSet), false, field, record);
}

void TDBVexarion::openView(TTableDefs &defs, bool tableView, dbe::TField *field, const TFormEventRec &options)
{
    TTableDefs::ViewSlot &slot = tableView ? defs.TableViewSlot() : defs.SingleRecViewSlot();
    dbe::TDataSet *dataSet = defs.DataSet();
    if (slot.busy || !dataSet || !defs.Host() || !Form())
        return;
    auto *table = dynamic_cast<dbe::TTable *>(dataSet);
    const bool query = dynamic_cast<dbe::TQuery *>(dataSet) != nullptr;
    if (!table && !query)
        return;
    // Text tables and queries cannot be cloned: the view shows the data set itself.
    const bool synchronised = options.Synchronous || query ||
                              EngineCursorText(*dataSet, CursorText::DriverName) == QLatin1String("ASCIIDRV");
    slot.busy = true;
    struct Busy {
        bool &busy;
        ~Busy() { busy = false; }
    } busy{slot.busy};

    if (NavViewForm *open = slot.view) {
        if (slot.data && table)
            GotoRecordOf(*slot.data, *table);
        open->setWindowState(open->windowState() & ~Qt::WindowMinimized);
        open->show();
        open->raise();
        open->activateWindow();
        return;
    }

    TDBVexarion &ext = *this;
    ext.DisplayMessage(tableView ? QStringLiteral("Öffne Tabellenansicht...")
                                 : QStringLiteral("Öffne Einzeldatensatzansicht..."),
                       ui::MsgType::Information);
    struct ClearAtEnd {
        TTableDefs &defs;
        bool done = false;
        void clear()
        {
            if (!done && defs.Host())
                defs.Host()->ClearMessage();
            done = true;
        }
        ~ClearAtEnd() { clear(); }
    } clearAtEnd{defs};
    try {
        NavViewForm *view = nullptr;
        TTableViewForm *grid = nullptr;
        TSingleRecViewForm *single = nullptr;
        if (tableView)
            view = grid = new TTableViewForm(ext.Form(), options.UserButton, &defs);
        else
            view = single = new TSingleRecViewForm(ext.Form(), options, &defs);
        slot.view = view;

        TDBVexarion &own = *view->Extender();
        own.CopySettingsFrom(ext);
        own.SetAllowKeys(options.AllowKeys);
        own.SetManageGlobalEdit(options.ManageGlobalEdit);
        view->Navigator()->SetVisBtnsSearch(options.VisBtnsSearch);
        view->Navigator()->SetVisBtnsMove(options.VisBtnsMove);
        view->Navigator()->SetVisBtnsRecord(options.VisBtnsRecord);
        view->Navigator()->SetVisBtnsExtend(options.VisBtnsExtend);

        if (synchronised) {
            view->Source()->SetDataSet(dataSet);
            own.TableDefsOf(view->Source())->ShareWith(defs);
            view->SetSynchronised();
        } else {
            slot.data = CloneTable(*table, options.ReadOnly, false, false);
            dbe::TTable &clone = *slot.data;
            if (!options.ShowFields.isEmpty()) {
                // The clone's own fields first: without them the list would change nothing.
                for (const dbe::FieldDef &def : FieldDefsOf(clone))
                    clone.AddField(def.name);
                ApplyShowFields(clone, options.ShowFields, options.DisplayLabels);
            } else {
                CopyFieldDefs(*dataSet, clone, ext.UseNonVisFields);
            }
            clone.Open();
            if (!(dataSet->Bof() && dataSet->Eof()))
                GotoRecordOf(clone, *table);
            view->Source()->SetDataSet(&clone);
        }
        QString caption;
        ext.GetTableCaption(dataSet, caption);
        view->setWindowTitle((tableView ? QStringLiteral("Tabellenansicht [%1]")
                                        : QStringLiteral("Einzeldatensatzansicht [%1]"))
                                 .arg(caption));
        view->Source()->SetAutoEdit(options.AutoEdit);
        view->FocusFieldName = field ? field->FieldName() : QString();
        if (grid && !options.ManageGlobalEdit)
            grid->TblGrid->setReadOnly(options.ReadOnly);
        if (single)
            single->BuildControls();

        TDBVexarion::ApplyDialogBorder(view, options.BorderStyle);
        ext.prepareDialog(*view);
        const bool modal = options.BorderStyle == TFormBorderStyle::bsDialog;
        view->SetModeless(!modal);
        if (modal) {
            view->showModal();
            defs.FreeView(slot);
        } else {
            view->show();
        }
    } catch (...) {
        defs.FreeView(slot);
        clearAtEnd.clear();
        if (tableView)
            throw;
        // The single-record view's build error is not swallowed either.
        ui::handleException(&ext, std::current_exception());
    }
}

} // namespace nav
