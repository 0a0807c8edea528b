#include "navigation/ansichten/TableViewForm.h"

#include <QEvent>

#include "dbe/Field.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/erweiterung/TableDefs.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"

namespace nav {

TTableViewForm::TTableViewForm(QWidget *owner, const TUserButton &userButton, TTableDefs *tableDefs)
    : NavViewForm({"TableViewForm", "TblSource", "TblDBVexarion", "TVStatusPanel", "TVNav"}, sfTableView,
                  userButton, owner, tableDefs)
{
    setWindowTitle(QStringLiteral("Tabellenansicht"));
    TblSource = Source();
    TblDBVexarion = Extender();
    TVNav = Navigator();
    TVStatusPanel = StatusPanel();
    TblGrid = ui::make<ui::DBGrid>(this, "TblGrid", this);
    TblGrid->setDataSource(TblSource);
    Body()->addWidget(TblGrid);
    TblGrid->viewport()->installEventFilter(this);
    ui::on(this, &ui::FormBase::formShow, this, &TTableViewForm::formShow);
    resize(597, 318);
}

bool TTableViewForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == TblGrid->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        ui::guard(this, [this] { TblGridDblClick(); });
        return true;
    }
    return NavViewForm::eventFilter(watched, event);
}

void TTableViewForm::TblGridDblClick()
{
    if (OKBtn->isEnabled())
        OKBtn->click();
}

void TTableViewForm::formShow()
{
    for (int column = 0; column < TblGrid->columnCount(); ++column)
        if (dbe::TField *field = TblGrid->columnField(column);
            field && field->FieldName() == FocusFieldName) {
            TblGrid->setSelectedIndex(column);
            break;
        }
    if (TableDefs() && TableDefs()->Host())
        TableDefs()->Host()->ClearMessage();
}

} // namespace nav
