#pragma once

#include "navigation/ansichten/NavViewForm.h"

namespace ui {
class DBGrid;
}

namespace nav {

// The table view: a grid of the records of a data set (or of its clone),
// with the view's own bar; OK puts the form's data set on the chosen record.
class TTableViewForm : public NavViewForm {
    Q_OBJECT
public:
    TTableViewForm(QWidget *owner, const TUserButton &userButton, TTableDefs *tableDefs);

    dbe::TDataSource *TblSource = nullptr;
    TDBVexarion *TblDBVexarion = nullptr;
    TDBVNavigator *TVNav = nullptr;
    QLabel *TVStatusPanel = nullptr;
    ui::DBGrid *TblGrid = nullptr;

    void TblGridDblClick();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void formShow();
};

} // namespace nav
