#include "navigation/dialoge/LookupDialog.h"

#include <QEvent>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/gemeinsam/ShortCut.h"
#include "navigation/leiste/DBVNavigator.h"
#include "navigation/leiste/NavSets.h"
#include "ui/Connect.h"
#include "ui/DBGrid.h"

namespace nav {

TLUDlg::TLUDlg(QWidget *owner, bool viewOnly, const TUserButton &userButton, TDBVexarion *caller)
    : NavDialogBase(QStringLiteral("LUDlg"), sfLookUp, userButton, owner), viewOnly_(viewOnly),
      caller_(caller)
{
    setWindowTitle(QStringLiteral("Nachschlagen"));
    LUTbl = std::make_unique<dbe::TTable>();
    LUTbl->SetName(QStringLiteral("LUTbl"));
    LUQuery = std::make_unique<dbe::TQuery>();
    LUQuery->SetName(QStringLiteral("LUQuery"));
    LUSource = std::make_unique<dbe::TDataSource>();

    auto *layout = new QVBoxLayout(this);
    DBVNavigator1 = ui::make<TDBVNavigator>(this, "DBVNavigator1", this);
    LUGrid = ui::make<ui::DBGrid>(this, "LUGrid", this);
    LUGrid->setDataSource(LUSource.get());
    layout->addWidget(DBVNavigator1);
    layout->addWidget(LUGrid, 1);

    auto *bottom = new QHBoxLayout;
    UserBtnPanel = makeUserButtonPanel();
    LUPanel = makePanelLabel("LUPanel");
    OkBtn = ui::make<QPushButton>(this, "OkBtn", QStringLiteral("&OK"), this);
    setButtonResult(OkBtn, ui::mrOk);
    OkBtn->setVisible(!viewOnly);
    // Enter is the extender's business, never a default button's.
    for (QPushButton *b : {OkBtn, CancelBtn, UserBtn}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    bottom->addWidget(UserBtnPanel);
    bottom->addWidget(LUPanel, 1);
    bottom->addWidget(OkBtn);
    bottom->addWidget(CancelBtn);
    layout->addLayout(bottom);

    DBVexarion1 = new TDBVexarion(this);
    DBVexarion1->setObjectName(QStringLiteral("DBVexarion1"));
    DBVexarion1->SetAllowKeys(allowKey(akDBMove) | allowKey(akLookUp) | allowKey(akSearch) |
                              allowKey(akIncSearch) | allowKey(akBookmark) | allowKey(akFilter) |
                              allowKey(akIndexSelect));
    DBVexarion1->SetStatusPanel(LUPanel);
    DBVexarion1->MessagePanel = LUPanel;
    DBVexarion1->SetMasterSource(LUSource.get());
    DBVexarion1->SetManageGlobalEdit(true);
    DBVexarion1->FormOnKeyPhysical = [this](int key, TShiftState shift, bool &handled) {
        DBVexarion1FormOnKeyPhysical(key, shift, handled);
    };

    DBVNavigator1->SetVisBtnsSearch(navBit(snbSearch) | navBit(snbSearchInc) | navBit(snbSearchNext) |
                                    navBit(snbSetBookmark) | navBit(snbGotoBookmark) | navBit(snbTblFilter) |
                                    navBit(snbActiveFilter) | navBit(snbIndexSelect));
    DBVNavigator1->SetVisBtnsRecord(0);
    DBVNavigator1->SetVisBtnsExtend(navBit(enbMemoView));
    DBVNavigator1->SetButtonWidth(25);
    DBVNavigator1->SetButtonHeight(25);
    DBVNavigator1->SetIncSrchWidth(60);
    DBVNavigator1->SetAddSCHint(TAddSCHint::ahBoth);
    DBVNavigator1->SetNavStyle(TNavStyle::nsStatic);
    DBVNavigator1->SetDBVexarion(DBVexarion1);

    LUGrid->viewport()->installEventFilter(this);
    ui::on(this, &ui::FormBase::formShow, this, [this] {
        if (caller_)
            caller_->ClearMessage();
    });
    resize(520, 360);
}

TLUDlg::~TLUDlg()
{
    // The grid and the extender let go of the source before it goes.
    LUGrid->setDataSource(nullptr);
    delete DBVexarion1;
    DBVexarion1 = nullptr;
    LUSource->SetDataSet(nullptr);
}

bool TLUDlg::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == LUGrid->viewport() && event->type() == QEvent::MouseButtonDblClick) {
        ui::guard(this, [this] { LUGridDblClick(); });
        return true;
    }
    return NavDialogBase::eventFilter(watched, event);
}

void TLUDlg::LUGridDblClick()
{
    if (!viewOnly_ && OkBtn->isEnabled())
        OkBtn->click();
}

void TLUDlg::DBVexarion1FormOnKeyPhysical(int key, TShiftState /*shift*/, bool &handled)
{
    if (key == vk::Return && !viewOnly_ && OkBtn->isEnabled()) {
        handled = true;
        OkBtn->click();
    } else if (key == vk::Escape && !DBVexarion1->IncSearchOn() && DBVexarion1->SearchDepth() == 0) {
        handled = true;
        CancelBtn->click();
    }
}

} // namespace nav
