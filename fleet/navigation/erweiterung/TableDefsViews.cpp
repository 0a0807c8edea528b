// The table view and the single-record view of a data set's table definitions.
#include <QWidget>

#include "dbe/Table.h"
#include "navigation/ansichten/SingleRecViewForm.h"
#include "navigation/ansichten/TableViewForm.h"
#include "navigation/erweiterung/TableDefs.h"

namespace nav {

TTableViewForm *TTableDefs::TableView() const
{
    return qobject_cast<TTableViewForm *>(tableView_.view.data());
}

TSingleRecViewForm *TTableDefs::SingleRecView() const
{
    return qobject_cast<TSingleRecViewForm *>(singleRecView_.view.data());
}

void TTableDefs::FreeView(ViewSlot &slot)
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
    QWidget *form = host_ ? host_->Form() : nullptr;
    if (!form)
        return;
    form->setWindowState(form->windowState() & ~Qt::WindowMinimized);
    form->show();
    form->raise();
    form->activateWindow();
}

} // namespace nav
