// The table view and the single-record view of a data set's table definitions.
#include "dbe/Field.h"
#include "dbe/Query.h"
#include "dbe/Table.h"
#include "navigation/ansichten/SingleRecViewForm.h"
#include "navigation/ansichten/TableViewForm.h"
#include "navigation/daten/DataSetHelpers.h"
#include "navigation/daten/FieldCopy.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/leiste/DBVNavigator.h"
#include "navigation/suche/LookupFields.h"
#include "ui/DBGrid.h"
#include "ui/Guard.h"

namespace nav {

TTableViewForm *TTableDefs::TableView() const
{
    return qobject_cast<TTableViewForm *>(tableView_.view.data());
}

TSingleRecViewForm *TTableDefs::SingleRecView() const
{
    return qobject_cast<TSingleRecViewForm *>(singleRecView_.view.data());
}

void TTableDefs::OpenTableView(dbe::TField *field, const TFormEventRec &options)
{
    openView(tableView_, field, options);
}

void TTableDefs::OpenSingleRecView(dbe::TField *field, const TFormEventRec &options)
{
    openView(singleRecView_, field, options);
}

void TTableDefs::freeView(ViewSlot &slot)
{
    NavViewForm *view = slot.view;
    slot.view = nullptr;
    if (view) {
        view->ForgetTableDefs();
        delete view;
    }
    slot.data.reset();
}

void TTableDefs::ViewClosed(NavViewForm *view)
{
    for (ViewSlot *slot : {&tableView_, &singleRecView_})
        if (slot->view == view) {
            slot->view = nullptr;
            slot->data.reset();
        }
}

void TTableDefs::ActivateOwnerForm()
{
    QWidget *form = extender_ ? extender_->Form() : nullptr;
    if (!form)
        return;
    form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
    form->show();
    form->raise();
    form->activateWindow();
}

void TTableDefs::openView(ViewSlot &slot, dbe::TField *field, const TFormEventRec &options)
{
    const bool tableView = &slot == &tableView_;
    if (slot.busy || !dataSet_ || !extender_ || !extender_->Form())
        return;
    auto *table = dynamic_cast<dbe::TTable *>(dataSet_);
    const bool query = dynamic_cast<dbe::TQuery *>(dataSet_) != nullptr;
    if (!table && !query)
        return;
    // Text tables and queries cannot be cloned: the view shows the data set itself.
    const bool synchronised =
        options.Synchronous || query ||
        EngineCursorText(*dataSet_, CursorText::DriverName) == QLatin1String("ASCIIDRV");
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

    TDBVexarion &ext = *extender_;
    ext.DisplayMessage(tableView ? QStringLiteral("Öffne Tabellenansicht...")
                                 : QStringLiteral("Öffne Einzeldatensatzansicht..."),
                       ui::MsgType::Information);
    struct ClearAtEnd {
        TTableDefs &defs;
        bool done = false;
        void clear()
        {
            if (!done && defs.extender_)
                defs.extender_->ClearMessage();
            done = true;
        }
        ~ClearAtEnd() { clear(); }
    } clearAtEnd{*this};
    try {
        NavViewForm *view = nullptr;
        TTableViewForm *grid = nullptr;
        TSingleRecViewForm *single = nullptr;
        if (tableView)
            view = grid = new TTableViewForm(ext.Form(), options.UserButton, this);
        else
            view = single = new TSingleRecViewForm(ext.Form(), options, this);
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
            view->Source()->SetDataSet(dataSet_);
            own.TableDefsOf(view->Source())->ShareWith(*this);
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
                CopyFieldDefs(*dataSet_, clone, ext.UseNonVisFields);
            }
            clone.Open();
            if (!(dataSet_->Bof() && dataSet_->Eof()))
                GotoRecordOf(clone, *table);
            view->Source()->SetDataSet(&clone);
        }
        QString caption;
        ext.GetTableCaption(dataSet_, caption);
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
            freeView(slot);
        } else {
            view->show();
        }
    } catch (...) {
        freeView(slot);
        clearAtEnd.clear();
        if (tableView)
            throw;
        // The single-record view's build error is not swallowed either.
        ui::handleException(&ext, std::current_exception());
    }
}

} // namespace nav
