#include "navigation/ansichten/NavViewForm.h"

#include <QHBoxLayout>

#include "dbe/Errors.h"
#include "dbe/Table.h"
#include "navigation/daten/DataSetHelpers.h"
#include "navigation/daten/MasterRecord.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/gemeinsam/UserFeedback.h"
#include "navigation/leiste/DBVNavigator.h"
#include "ui/Connect.h"

namespace nav {

NavViewForm::NavViewForm(const Names &names, TSpecialFormType formType, const TUserButton &userButton,
                         QWidget *owner, TTableDefs *tableDefs)
    : NavDialogBase(QString::fromLatin1(names.form), formType, userButton, owner), tableDefs_(tableDefs),
      source_(std::make_unique<dbe::TDataSource>())
{
    source_->SetAutoEdit(false);
    auto *layout = new QVBoxLayout(this);
    navigator_ = ui::make<TDBVNavigator>(this, names.navigator, this);
    layout->addWidget(navigator_);
    body_ = new QVBoxLayout;
    layout->addLayout(body_, 1);

    auto *bottom = new QHBoxLayout;
    UserBtnPanel = makeUserButtonPanel();
    status_ = makePanelLabel(names.status);
    OKBtn = ui::make<QPushButton>(this, "OKBtn", QStringLiteral("&OK"), this);
    bottom->addWidget(UserBtnPanel);
    bottom->addWidget(status_, 1);
    bottom->addWidget(OKBtn);
    bottom->addWidget(CancelBtn);
    layout->addLayout(bottom);
    ui::on(OKBtn, &QPushButton::clicked, this, &NavViewForm::OKBtnClick);
    ui::on(CancelBtn, &QPushButton::clicked, this, &NavViewForm::CancelBtnClick);

    extender_ = new TDBVexarion(this);
    extender_->setObjectName(QString::fromLatin1(names.extender));
    extender_->SetAllowKeys(allowKey(akSelectNext) | allowKey(akDBMove) | allowKey(akLookUp) |
                            allowKey(akSearch) | allowKey(akIncSearch) | allowKey(akBookmark) |
                            allowKey(akDuplicate) | allowKey(akCancel) | allowKey(akDelete) |
                            allowKey(akInsert) | allowKey(akIndexSelect));
    extender_->SetStatusPanel(status_);
    extender_->MessagePanel = status_;
    extender_->SetMasterSource(source_.get());
    extender_->AutoRefresh = TAutoRefreshMode::armNone;
    extender_->FormOnKeyPhysical = [this](int key, TShiftState shift, bool &handled) {
        formOnKeyPhysical(key, shift, handled);
    };
    extender_->FormOnException = [this](QObject *, const std::exception &error, bool &handled) {
        const auto *engine = dynamic_cast<const dbe::EDBEngineError *>(&error);
        if (engine && engine->ErrorCount() > 0 && engine->Errors(0).ErrorCode == dbe::ErrorCode::EndOfTable) {
            handled = true;
            extender_->DisplayMessage(QStringLiteral("Datensatz liegt außerhalb des Detailbereichs"),
                                      ui::MsgType::Error);
        }
    };

    navigator_->SetVisBtnsSearch(navBit(snbSearch) | navBit(snbSearchInc) | navBit(snbSearchNext) |
                                 navBit(snbSetBookmark) | navBit(snbGotoBookmark) | navBit(snbTblFilter) |
                                 navBit(snbActiveFilter) | navBit(snbIndexSelect));
    navigator_->SetVisBtnsRecord(0);
    navigator_->SetVisBtnsExtend(navBit(enbMemoView) | navBit(enbLookUp));
    navigator_->SetButtonWidth(25);
    navigator_->SetButtonHeight(25);
    navigator_->SetIncSrchWidth(60);
    navigator_->SetAddSCHint(TAddSCHint::ahBoth);
    navigator_->SetNavStyle(TNavStyle::nsStatic);
    navigator_->SetDBVexarion(extender_);

    ui::on(this, &ui::FormBase::formClose, this, [this](ui::CloseAction &action) {
        if (!modeless_)
            return;
        action = ui::CloseAction::Free;
        if (TTableDefs *defs = tableDefs_) {
            tableDefs_ = nullptr;
            source_->SetDataSet(nullptr);
            defs->ViewClosed(this);
        }
    });
}

NavViewForm::~NavViewForm()
{
    // Whoever still shows the source lets go of it before it goes.
    delete extender_;
    extender_ = nullptr;
    source_->SetDataSet(nullptr);
    if (TTableDefs *defs = tableDefs_) {
        tableDefs_ = nullptr;
        defs->ViewClosed(this);
    }
}

void NavViewForm::SetSynchronised()
{
    synchronised_ = true;
    CancelBtn->hide();
}

bool NavViewForm::EscapeAllowed() const
{
    return !extender_->IncSearchOn() && extender_->SearchDepth() == 0;
}

bool NavViewForm::MoveFormDataSet()
{
    if (synchronised_ || !tableDefs_)
        return true;
    auto *formTable = dynamic_cast<dbe::TTable *>(tableDefs_->DataSet());
    auto *shown = dynamic_cast<dbe::TTable *>(source_->DataSet());
    if (!formTable || !shown)
        return false;
    if (formTable->MasterSource() && extender_->AllowMasterMove) {
        extender_->DisplayMessage(QStringLiteral("Suche Hauptdatensatz..."), ui::MsgType::Information);
        PushHourglass();
        bool found = false;
        try {
            found = FindMasterRecord(formTable, shown, extender_->AllowUserAbort);
        } catch (...) {
            PopHourglass();
            throw;
        }
        PopHourglass();
        extender_->ClearMessage();
        return found;
    }
    GotoRecordOf(*formTable, *shown);
    return true;
}

void NavViewForm::OKBtnClick()
{
    bool moved = false;
    try {
        moved = MoveFormDataSet();
    } catch (...) {
        setModalResult(ui::mrNone);
        throw;
    }
    if (!moved)
        return; // the view stays open
    if (modeless_)
        close();
    else
        setModalResult(ui::mrOk);
}

void NavViewForm::CancelBtnClick()
{
    if (modeless_)
        close();
}

void NavViewForm::formOnKeyPhysical(int key, TShiftState shift, bool &handled)
{
    if (modeless_ && key != 0 && makeShortCut(key, shift) == extender_->ShortCuts().ShortCut(nbTableView)) {
        handled = true;
        if (MoveFormDataSet() && tableDefs_) {
            extender_->ClearMessage();
            tableDefs_->ActivateOwnerForm();
        }
        return;
    }
    if (key == vk::Escape && EscapeAllowed()) {
        handled = true;
        CancelBtn->click();
    }
}

} // namespace nav
