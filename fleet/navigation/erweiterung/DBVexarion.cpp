// The extender's life, its properties and what it does when its form is
// activated or the focus moves.
#include "navigation/erweiterung/DBVexarion.h"

#include <stdexcept>

#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QWidget>

#include "navigation/erweiterung/TableDefs.h"
#include "navigation/leiste/DBVNavigator.h"
#include "ui/DBGrid.h"
#include "ui/FormBase.h"
#include "ui/Guard.h"
#include "ui/Screen.h"

namespace nav {

namespace {

QWidget *formOf(QWidget *owner)
{
    if (!owner)
        return nullptr;
    if (owner->isWindow())
        return owner;
    return owner->window() != owner ? owner->window() : nullptr;
}

} // namespace

TDBVexarion::TDBVexarion(QWidget *owner) : QObject(nullptr)
{
    QWidget *form = formOf(owner);
    if (!form) {
        QApplication::beep();
        throw std::runtime_error("TDBVexarion kann nur in ein Formular plaziert werden.");
    }
    if (!form->findChildren<TDBVexarion *>(QString(), Qt::FindDirectChildrenOnly).isEmpty()) {
        QApplication::beep();
        throw std::runtime_error("Ein TDBVexarion pro Formular reicht.");
    }
    setParent(form);
    form_ = form;
    watchMasterSource();
    currentInterfaces_ = form->isMinimized() ? interfacesMinimized_ : interfacesNormal_;
    possible_.fill(false);
    possible_[nbUserBtn] = true;
    form->installEventFilter(this);
    if (auto *base = qobject_cast<ui::FormBase *>(form)) {
        connect(base, &ui::FormBase::formActivate, this,
                [this] { ui::guard(this, [this] { Activate(form_); }); });
        connect(base, &ui::FormBase::formDeactivate, this,
                [this] { ui::guard(this, [this] { Deactivate(form_); }); });
    }
}

bool TDBVexarion::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == form_ && !destroying_) {
        const QEvent::Type type = event->type();
        if (type == QEvent::ActivationChange ||
            ((type == QEvent::WindowStateChange || type == QEvent::Resize) && isFormActive()))
            ui::guard(this, [this] { ApplyWindowState(); });
    }
    return QObject::eventFilter(watched, event);
}

TDBVexarion::~TDBVexarion()
{
    destroying_ = true;
    unhookGrid();
    if (hooksInstalled_) {
        ui::hooks().message.exchange(std::move(AppOnMessage));
        ui::hooks().exception.exchange(std::move(AppOnException));
        ui::hooks().activeControl.exchange(std::move(ScreenOnACChange));
        hooksInstalled_ = false;
    }
    while (!navigators_.isEmpty()) {
        QPointer<TDBVNavigator> nav = navigators_.takeLast();
        if (nav)
            nav->ForgetExtender();
    }
    for (auto &defs : tables_)
        defs->Detach();
    tables_.clear();
}

// ---------------------------------------------------------------- properties

void TDBVexarion::SetAllowKeys(TAllowKeys keys)
{
    if (keys == allowKeys_)
        return;
    allowKeys_ = keys;
    CheckPossibilities();
    dataSetChangedFanOut(CurrentDataSource());
}

void TDBVexarion::SetIncSrchOnlyIfIndexed(bool value)
{
    if (value == incSrchOnlyIfIndexed_)
        return;
    incSrchOnlyIfIndexed_ = value;
    CheckPossibilities();
    dataSetChangedFanOut(CurrentDataSource());
}

void TDBVexarion::SetManageGlobalEdit(bool value)
{
    if (value == manageGlobalEdit_)
        return;
    if (value) {
        manageGlobalEdit_ = true;
        SwitchGlobalEdit(false);
    } else {
        SwitchGlobalEdit(true);
        manageGlobalEdit_ = false;
    }
}

void TDBVexarion::SetShowStatusOptions(TDBShowStatusSet options)
{
    if (options == showStatusOptions_)
        return;
    showStatusOptions_ = options;
    dbe::TDataSource *source = nullptr;
    if (QWidget *control = activeControl(); control && GetControlDataSource(control, source)) {
        registerSource(source);
        ShowStatus(source);
    }
}

void TDBVexarion::SetStatusPanel(QLabel *panel)
{
    if (panel == statusPanel_)
        return;
    statusPanel_ = panel;
    dbe::TDataSource *source = nullptr;
    if (QWidget *control = activeControl(); control && GetControlDataSource(control, source)) {
        registerSource(source);
        ShowStatus(source);
    }
}

void TDBVexarion::setBookmarkOptions()
{
    for (auto &defs : tables_)
        defs->SetBookmarkOptions(BMKeepOnlyIndex, UseNonVisFields, AllowMasterMove, AllowUserAbort);
}

void TDBVexarion::SetBMKeepOnlyIndex(bool value)
{
    if (value == BMKeepOnlyIndex)
        return;
    BMKeepOnlyIndex = value;
    setBookmarkOptions();
}

void TDBVexarion::SetUseNonVisFields(bool value)
{
    if (value == UseNonVisFields)
        return;
    UseNonVisFields = value;
    setBookmarkOptions();
}

void TDBVexarion::SetAllowUserAbort(bool value)
{
    if (value == AllowUserAbort)
        return;
    AllowUserAbort = value;
    setBookmarkOptions();
}

void TDBVexarion::SetAllowMasterMove(bool value)
{
    if (value == AllowMasterMove)
        return;
    AllowMasterMove = value;
    setBookmarkOptions();
}

void TDBVexarion::SetUseTextIncSrchBtn(bool value)
{
    if (value == useTextIncSrchBtn_)
        return;
    useTextIncSrchBtn_ = value;
    for (auto &nav : navigators_)
        if (nav)
            nav->SetUseNISBtn(value);
}

void TDBVexarion::SetFlatNavBtns(bool value)
{
    if (value == flatNavBtns_)
        return;
    flatNavBtns_ = value;
    for (auto &nav : navigators_)
        if (nav)
            nav->SetFlat(value);
}

void TDBVexarion::SetShortCuts(const TDBVShortCuts &shortCuts)
{
    shortCuts_.Assign(shortCuts);
    updateNavigatorHints();
}

void TDBVexarion::SetInterfacesNormal(TInterfacesEnabledSet set)
{
    if (set == interfacesNormal_)
        return;
    interfacesNormal_ = set;
    if (form_ && !form_->isMinimized())
        applyInterfaces(set);
}

void TDBVexarion::SetInterfacesMinimized(TInterfacesEnabledSet set)
{
    if (set == interfacesMinimized_)
        return;
    interfacesMinimized_ = set;
    if (form_ && form_->isMinimized())
        applyInterfaces(set);
}

void TDBVexarion::CopySettingsFrom(const TDBVexarion &other)
{
    if (&other == this)
        return;
    SetBMKeepOnlyIndex(other.BMKeepOnlyIndex);
    ErrorBeep = other.ErrorBeep;
    MoveBy = other.MoveBy;
    ShowSearchClock = other.ShowSearchClock;
    SetShowStatusOptions(other.ShowStatusOptions());
    SetUseNonVisFields(other.UseNonVisFields);
    GetTblDescription = other.GetTblDescription;
    GetIdxDescription = other.GetIdxDescription;
    SetUseTextIncSrchBtn(other.UseTextIncSrchBtn());
    SetFlatNavBtns(other.FlatNavBtns());
    UseIndexPopup = other.UseIndexPopup;
    IncSrchAutoDisable = other.IncSrchAutoDisable;
    SetIncSrchOnlyIfIndexed(other.IncSrchOnlyIfIndexed());
    AutoRefresh = other.AutoRefresh;
    SetAllowUserAbort(other.AllowUserAbort);
    TVSynchronIsDefault = other.TVSynchronIsDefault;
    TVShowSRVBtn = other.TVShowSRVBtn;
    SetAllowMasterMove(other.AllowMasterMove);
    BorderStyleTblView = other.BorderStyleTblView;
    BorderStyleLookUp = other.BorderStyleLookUp;
    BorderStyleBookmark = other.BorderStyleBookmark;
    BorderStyleMemo = other.BorderStyleMemo;
    BorderStyleGraphic = other.BorderStyleGraphic;
    BorderStyleSingleRec = other.BorderStyleSingleRec;
    SetShortCuts(other.ShortCuts());
    SetInterfacesNormal(other.InterfacesNormal());
    SetInterfacesMinimized(other.InterfacesMinimized());
    NoSelectNext = other.NoSelectNext;
    // IncSrchCharCase through ExactBOF_EOF.
    IncSrchCharCase = other.IncSrchCharCase;
    HideBtnGlyphs = other.HideBtnGlyphs;
    LUAutoIncSrch = other.LUAutoIncSrch;
    LUReadOnly = other.LUReadOnly;
    LUAutoEdit = other.LUAutoEdit;
    LUManageGlobalEdit = other.LUManageGlobalEdit;
    TVManageGlobalEdit = other.TVManageGlobalEdit;
    SRVLayout = other.SRVLayout;
    SRVUseCBOnBoolean = other.SRVUseCBOnBoolean;
    SRVUseDBLUComboBox = other.SRVUseDBLUComboBox;
    SRVRebuildOnResize = other.SRVRebuildOnResize;
    SRVMemoMaxWidth = other.SRVMemoMaxWidth;
    SRVReadOnly = other.SRVReadOnly;
    SRVAutoEdit = other.SRVAutoEdit;
    SRVManageGlobalEdit = other.SRVManageGlobalEdit;
    SRVSynchronIsDefault = other.SRVSynchronIsDefault;
    SRVGenAccelChars = other.SRVGenAccelChars;
    IndexNamesAs = other.IndexNamesAs;
    ExactBOF_EOF = other.ExactBOF_EOF;
    // The dialog and view events; the form's own events stay with it.
    OnSpecialForm = other.OnSpecialForm;
    OnSpecialFormShow = other.OnSpecialFormShow;
    OnSpecialFormCloseQuery = other.OnSpecialFormCloseQuery;
    GetLookupDef = other.GetLookupDef;
    GetExtLookupDef = other.GetExtLookupDef;
    AfterAssignFromLookup = other.AfterAssignFromLookup;
    BeforeAssignFromLookup = other.BeforeAssignFromLookup;
    AfterAssignFromLUField = other.AfterAssignFromLUField;
    BeforeAssignFromLUField = other.BeforeAssignFromLUField;
    ComponentDS = other.ComponentDS;
    ComponentFld = other.ComponentFld;
    ComponentRO = other.ComponentRO;
    SRVClassForField = other.SRVClassForField;
    SRVInitControl = other.SRVInitControl;
    SRVSetControlSize = other.SRVSetControlSize;
}

void TDBVexarion::ApplyWindowState()
{
    if (form_)
        applyInterfaces(form_->isMinimized() ? interfacesMinimized_ : interfacesNormal_);
}

void TDBVexarion::applyInterfaces(TInterfacesEnabledSet set)
{
    if (set == currentInterfaces_)
        return;
    const TInterfacesEnabledSet old = currentInterfaces_;
    currentInterfaces_ = set;
    if (old == 0)
        CheckPossibilities();
    updateNavigatorHints();
    if ((old ^ set) & ieNavbars)
        refreshNavigators();
    if ((old ^ set) & ieDisplay) {
        ClearMessage();
        ShowStatus(CurrentDataSource());
    }
    if (OnChangePoss)
        OnChangePoss(*this);
}

// ---------------------------------------------------------------- activation

bool TDBVexarion::isFormActive() const
{
    return form_ && ui::screen().activeForm() == form_;
}

QWidget *TDBVexarion::activeControl() const
{
    if (!isFormActive())
        return nullptr;
    QWidget *control = ui::screen().activeControl();
    return control && form_->isAncestorOf(control) ? control : nullptr;
}

void TDBVexarion::Activate(QObject *sender)
{
    if (destroying_ || hooksInstalled_)
        return;
    hooksInstalled_ = true;
    AppOnMessage = ui::hooks().message.exchange(
        [this](const ui::KeyMessage &message, bool &handled) { AppMessageHook(message, handled); });
    AppOnException = ui::hooks().exception.exchange(
        [this](QObject *s, const std::exception &error) { AppExceptionHook(s, error); });
    ScreenOnACChange = ui::hooks().activeControl.exchange([this](QObject *s) { ActiveControlChangeHook(s); });
    if (!formScanned_) {
        formScanned_ = true;
        scanForm();
    }
    if (FormOnActivate)
        FormOnActivate(sender);
    ActiveControlChangeHook(nullptr);
}

void TDBVexarion::Deactivate(QObject *sender)
{
    if (!hooksInstalled_)
        return;
    hooksInstalled_ = false;
    ui::hooks().message.exchange(std::move(AppOnMessage));
    ui::hooks().exception.exchange(std::move(AppOnException));
    ui::hooks().activeControl.exchange(std::move(ScreenOnACChange));
    AppOnMessage = {};
    AppOnException = {};
    ScreenOnACChange = {};
    if (FormOnDeactivate)
        FormOnDeactivate(sender);
}

void TDBVexarion::scanForm()
{
    registerSourcesBelow(form_);
}

void TDBVexarion::registerSourcesBelow(QWidget *root)
{
    for (QWidget *control : root->findChildren<QWidget *>()) {
        dbe::TDataSource *source = nullptr;
        if (GetControlDataSource(control, source) && source)
            registerSource(source);
    }
}

void TDBVexarion::ActiveControlChangeHook(QObject *sender)
{
    if (destroying_)
        return;
    if (!isFormActive()) {
        if (ScreenOnACChange)
            ScreenOnACChange(sender);
        return;
    }
    if (inActiveControlHook_)
        return;
    inActiveControlHook_ = true;
    try {
        CheckPossibilities();
        if (IncSrchAutoDisable && incSearchOn_ && sender)
            HandleNBBtn(nbSearchInc, 0, 0);
        else
            incSearchText_.clear();
        dataSetChangedFanOut(CurrentDataSource());
        showLookUpHint();
        QWidget *control = activeControl();
        if (FormOnFocusControl)
            FormOnFocusControl(control);
        if (ScreenOnACChange)
            ScreenOnACChange(sender);
        if (control && IsDataAwareControl(control))
            hookGrid(control);
    } catch (...) {
        inActiveControlHook_ = false;
        throw;
    }
    inActiveControlHook_ = false;
}

void TDBVexarion::hookGrid(QWidget *control)
{
    if (control == hookedGrid_)
        return;
    unhookGrid();
    auto *grid = qobject_cast<ui::DBGrid *>(control);
    if (!grid)
        return;
    hookedGrid_ = grid;
    gridConnection_ = connect(grid, &ui::DBGrid::onColEnter, this, [this] {
        ui::guard(this, [this] {
            if (destroying_)
                return;
            CheckPossibilities();
            if (IncSrchAutoDisable && incSearchOn_)
                HandleNBBtn(nbSearchInc, 0, 0);
            else
                incSearchText_.clear();
            dataSetChangedFanOut(CurrentDataSource());
            showLookUpHint();
        });
    });
}

void TDBVexarion::unhookGrid()
{
    if (gridConnection_)
        disconnect(gridConnection_);
    gridConnection_ = {};
    hookedGrid_ = nullptr;
}

} // namespace nav
