#pragma once

#include <memory>

#include <QLabel>
#include <QPushButton>

#include "dbe/DataSource.h"
#include "dbe/Query.h"
#include "dbe/Table.h"
#include "navigation/dialoge/NavDialogBase.h"
#include "navigation/gemeinsam/ShortCut.h"
#include "navigation/leiste/ExtenderTypes.h"

namespace ui {
class DBGrid;
}

namespace nav {

class TDBVexarion;
class TDBVNavigator;

// The lookup: a grid over the lookup source (a table, a query or a data set
// of the application) with its own navigator bar and extender; OK takes the
// chosen row. View-only shows the source without OK.
class TLUDlg : public NavDialogBase {
    Q_OBJECT
public:
    TLUDlg(QWidget *owner, bool viewOnly, const TUserButton &userButton, TDBVexarion *caller);
    ~TLUDlg() override;

    bool ViewOnly() const { return viewOnly_; }
    TDBVexarion *Caller() const { return caller_; }

    // The grid's double click: OK unless view-only.
    void LUGridDblClick();
    // Enter takes the row, Escape cancels; not while the dialog's own
    // extender searches incrementally or runs a command.
    void DBVexarion1FormOnKeyPhysical(int key, TShiftState shift, bool &handled);

    std::unique_ptr<dbe::TTable> LUTbl;
    std::unique_ptr<dbe::TQuery> LUQuery;
    std::unique_ptr<dbe::TDataSource> LUSource;
    TDBVexarion *DBVexarion1 = nullptr;
    TDBVNavigator *DBVNavigator1 = nullptr;
    ui::DBGrid *LUGrid = nullptr;
    QWidget *UserBtnPanel = nullptr;
    QLabel *LUPanel = nullptr;
    QPushButton *OkBtn = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool viewOnly_;
    TDBVexarion *caller_;
};

} // namespace nav
