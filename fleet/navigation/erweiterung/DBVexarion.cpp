#include "navigation/erweiterung/DBVexarion.h"

#include <stdexcept>

#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextEdit>
#include <QVariant>
#include <QWidget>

#include "dbe/Errors.h"
#include "dbe/Field.h"
#include "dbe/Query.h"
#include "navigation/ansichten/SingleRecViewForm.h"
#include "navigation/ansichten/TableViewForm.h"
#include "navigation/daten/DataSetHelpers.h"
#include "navigation/erweiterung/Possibilities.h"
#include "navigation/erweiterung/ShortCutRules.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/erweiterung/ViewRecord.h"
#include "navigation/gemeinsam/NavExceptions.h"
#include "navigation/leiste/DBVNavigator.h"
#include "navigation/leiste/NavHints.h"
#include "navigation/suche/RecordSearch.h"
#include "navigation/suche/SearchClock.h"
#include "navigation/suche/SelectFoundText.h"
#include "ui/DBGrid.h"
#include "ui/FieldLink.h"
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

bool hasProperty(const QObject *object, const char *name)
{
    return object->metaObject()->indexOfProperty(name) >= 0;
}

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

// Notices when the master source is destroyed.
class MasterWatch : public dbe::TDataLink {
public:
    explicit MasterWatch(std::function<void()> gone) : gone_(std::move(gone)) {}

protected:
    void ActiveChanged() override
    {
        if (!DataSource())
            gone_();
    }

private:
    std::function<void()> gone_;
};

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
    masterLink_ = std::make_unique<MasterWatch>([this] { masterSourceGone(); });
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

dbe::TDataSource *TDBVexarion::MasterSource() const
{
    if (masterSource_ && masterLink_->DataSource() != masterSource_)
        masterSourceGone();
    return masterSource_;
}

TStayOnMasterSource TDBVexarion::StayOnMasterSource() const
{
    return MasterSource() ? stayOnMasterSource_ : TStayOnMasterSource::somNo;
}

void TDBVexarion::masterSourceGone() const
{
    if (!masterSource_)
        return;
    if (currentSource_ == masterSource_)
        currentSource_ = nullptr;
    masterSource_ = nullptr;
    stayOnMasterSource_ = TStayOnMasterSource::somNo;
}

void TDBVexarion::SetMasterSource(dbe::TDataSource *source)
{
    if (source == MasterSource())
        return;
    if (currentSource_ == masterSource_)
        currentSource_ = source;
    masterSource_ = nullptr; // the switch of the watch is no loss
    masterLink_->SetDataSource(source);
    masterSource_ = source;
    if (source)
        registerSource(source);
    else
        stayOnMasterSource_ = TStayOnMasterSource::somNo;
    dataSetChangedFanOut(source);
}

void TDBVexarion::SetStayOnMasterSource(TStayOnMasterSource value)
{
    MasterSource(); // a destroyed master has reset the value
    if (value == stayOnMasterSource_)
        return;
    stayOnMasterSource_ = MasterSource() ? value : TStayOnMasterSource::somNo;
    if (MasterSource())
        registerSource(MasterSource());
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

// ------------------------------------------------------ data-aware controls

bool TDBVexarion::IsDataAwareControl(QWidget *control) const
{
    for (QWidget *w = control; w && w != form_; w = w->parentWidget())
        if (hasProperty(w, "dataSource"))
            return true;
    return false;
}

bool TDBVexarion::GetControlDataSource(QWidget *control, dbe::TDataSource *&source) const
{
    source = nullptr;
    if (StayOnMasterSource() == TStayOnMasterSource::somAllFuncs && MasterSource()) {
        source = MasterSource();
        return true;
    }
    for (QWidget *w = control; w && w != form_; w = w->parentWidget()) {
        if (hasProperty(w, "dataSource")) {
            source = w->property("dataSource").value<dbe::TDataSource *>();
            return source != nullptr;
        }
        if (ComponentDS) {
            ComponentDS(w, source, true);
            if (source)
                return true;
        }
    }
    return false;
}

bool TDBVexarion::GetControlField(QWidget *control, ControlField &out) const
{
    out = ControlField();
    dbe::TDataSource *source = nullptr;
    if (!GetControlDataSource(control, source))
        return false;
    out.source = source;
    bool controlReadOnly = true;
    for (QWidget *w = control; w && w != form_; w = w->parentWidget()) {
        const bool hasField = hasProperty(w, "dataField");
        auto *grid = qobject_cast<ui::DBGrid *>(w);
        if (!hasField && !grid) {
            dbe::TField *field = nullptr;
            if (ComponentFld)
                ComponentFld(w, field, true);
            if (!field)
                continue;
            out.field = field;
        } else if (grid) {
            out.field = grid->selectedField();
        } else if (source->DataSet()) {
            out.field = source->DataSet()->FindField(w->property("dataField").toString());
        }
        if (hasProperty(w, "readOnly"))
            controlReadOnly = w->property("readOnly").toBool();
        else if (ComponentRO)
            ComponentRO(w, controlReadOnly, true);
        break;
    }
    out.dataSet = source->DataSet();
    out.readOnly = controlReadOnly;
    if (!out.readOnly)
        out.readOnly = !(out.dataSet && out.dataSet->CanModify());
    if (out.field) {
        if (out.field->FieldKind() == dbe::TFieldKind::fkData) {
            out.fieldNo = out.field->FieldNo();
            out.readOnly = out.readOnly || out.field->ReadOnly();
        } else if (out.field->FieldKind() == dbe::TFieldKind::fkLookup) {
            out.readOnly = out.readOnly || out.field->ReadOnly();
        } else {
            out.readOnly = true;
        }
    }
    return true;
}

dbe::TDataSource *TDBVexarion::CurrentDataSource()
{
    if (!form_ || destroying_)
        return nullptr;
    if (!currentSource_) {
        dbe::TDataSource *source = nullptr;
        if (QWidget *control = activeControl())
            GetControlDataSource(control, source);
        currentSource_ = source ? source : MasterSource();
    }
    return currentSource_;
}

// ------------------------------------------------------------ table list

TTableDefs *TDBVexarion::TableDefsOf(dbe::TDataSet *dataSet)
{
    if (!dataSet)
        return nullptr;
    for (auto &defs : tables_)
        if (defs->DataSet() == dataSet)
            return defs.get();
    tables_.push_back(std::make_unique<TTableDefs>(this, nullptr, dataSet));
    return tables_.back().get();
}

std::uint8_t TDBVexarion::TableFilterState(const dbe::TDataSet *dataSet) const
{
    for (const auto &defs : tables_)
        if (dataSet && defs->DataSet() == dataSet)
            return defs->FilterState();
    return kFilterNone;
}

TTableDefs *TDBVexarion::TableDefsOf(dbe::TDataSource *source)
{
    if (!source)
        return nullptr;
    for (auto &defs : tables_)
        if (defs->DataSource() == source)
            return defs.get();
    if (source->DataSet())
        for (auto &defs : tables_)
            if (defs->DataSet() == source->DataSet()) {
                defs->SetSource(source);
                return defs.get();
            }
    tables_.push_back(std::make_unique<TTableDefs>(this, source, nullptr));
    return tables_.back().get();
}

void TDBVexarion::registerSource(dbe::TDataSource *source)
{
    TableDefsOf(source);
}

void TDBVexarion::SetTableIndex(dbe::TDataSet *dataSet, const QString &indexName)
{
    if (!dataSet)
        return;
    TableDefsOf(dataSet)->SetIndex(indexName);
    if (OnTblIndexChanged)
        OnTblIndexChanged(*this, dataSet);
}

void TDBVexarion::SetTableFilterActive(dbe::TDataSet *table, int on)
{
    if (table)
        TableDefsOf(table)->SetFilterActive(on == 1);
}

void TDBVexarion::GetTableFilterDef(dbe::TDataSet *table, TFilterDefinition &definition, int &count)
{
    count = 0;
    if (table)
        TableDefsOf(table)->ReadFilterDef(definition, count);
}

void TDBVexarion::ApplyTableFilterDef(dbe::TDataSet *table, const TFilterDefinition &definition, int count,
                                      bool activate)
{
    if (table)
        TableDefsOf(table)->InstallFilterDef(definition, count, activate);
}

void TDBVexarion::SaveTableFilter(dbe::TDataSet *dataSet, const QString &fileName)
{
    if (dataSet)
        TableDefsOf(dataSet)->SaveFilterToFile(fileName);
}

void TDBVexarion::LoadTableFilter(dbe::TDataSet *dataSet, const QString &fileName)
{
    if (dataSet)
        TableDefsOf(dataSet)->LoadFilterFromFile(fileName);
}

void TDBVexarion::ClearTableFilter(dbe::TDataSet *dataSet)
{
    if (dataSet)
        TableDefsOf(dataSet)->ClearFilter();
}

void TDBVexarion::GetTableCaption(dbe::TDataSet *dataSet, QString &caption) const
{
    caption.clear();
    if (!dataSet)
        return;
    caption = DataSetCaption(dataSet);
    if (GetTblDescription)
        GetTblDescription(caption, caption);
}

void TDBVexarion::GetIndexCaption(dbe::TTable &table, const QString &indexName, const QString &defaultCaption,
                                  QString &caption, bool &show) const
{
    caption = defaultCaption;
    show = true;
    if (GetIdxDescription)
        GetIdxDescription(table, indexName, caption, show);
}

// ------------------------------------------------------------ navigators

void TDBVexarion::AddNavigator(TDBVNavigator *navigator)
{
    if (!navigator || navigators_.contains(navigator))
        return;
    navigators_.append(navigator);
    navigator->SetUseNISBtn(useTextIncSrchBtn_);
    navigator->SetFlat(flatNavBtns_);
    navigator->RefreshButtons();
}

void TDBVexarion::RemoveNavigator(TDBVNavigator *navigator)
{
    if (!navigators_.removeAll(navigator))
        return;
    navigator->ForgetExtender();
    navigator->RefreshButtons();
}

void TDBVexarion::refreshNavigators()
{
    for (auto &nav : navigators_)
        if (nav)
            nav->RefreshButtons();
}

void TDBVexarion::updateNavigatorHints()
{
    for (auto &nav : navigators_)
        if (nav)
            nav->UpdateHints();
}

// ------------------------------------------------------------ notifications

void TDBVexarion::TableActiveChanged(dbe::TDataSource *source)
{
    for (auto &nav : navigators_)
        if (nav)
            nav->UpdateAllButtons(source);
    if (OnActiveChanged)
        OnActiveChanged(*this, source);
    ShowStatus(source);
}

void TDBVexarion::dataSetChangedFanOut(dbe::TDataSource *source)
{
    ClearMessage();
    CheckPossibilities();
    for (auto &nav : navigators_)
        if (nav) {
            nav->UpdateMoveAndSearchButtons(source);
            nav->UpdateRecordButtons(source);
        }
    if (OnDataSetChanged)
        OnDataSetChanged(*this, source);
    ShowStatus(source);
}

void TDBVexarion::TableDataSetChanged(dbe::TDataSource *source)
{
    dataSetChangedFanOut(source);
}

void TDBVexarion::TableDataSetScrolled(dbe::TDataSource *source, int /*distance*/)
{
    ClearMessage();
    CheckPossibilities();
    for (auto &nav : navigators_)
        if (nav)
            nav->UpdateMoveAndSearchButtons(source);
    if (OnDataSetScrolled)
        OnDataSetScrolled(*this, source);
    ShowStatus(source);
}

void TDBVexarion::TableEditingChanged(dbe::TDataSource *source)
{
    CheckPossibilities();
    for (auto &nav : navigators_)
        if (nav)
            nav->UpdateRecordButtons(source);
    showLookUpHint();
    if (OnEditingChanged)
        OnEditingChanged(*this, source);
    ShowStatus(source);
}

void TDBVexarion::TableFilterChanged(TTableDefs &defs, dbe::TDataSource *source)
{
    if (destroying_)
        return;
    if (!source || source == currentSource_)
        filterState_ = defs.FilterState();
    if (OnFilterChanged)
        OnFilterChanged(*this, defs.DataSet());
    dataSetChangedFanOut(source);
}

void TDBVexarion::TableDefsReplaced(TTableDefs &old, dbe::TDataSource *source)
{
    if (destroying_ || !source || !source->DataSet())
        return;
    TTableDefs *entry = TableDefsOf(source->DataSet());
    if (entry != &old)
        entry->TakeOverState(old);
    dataSetChangedFanOut(source);
}

void TDBVexarion::TableFilterProgress(TTableDefs &defs, std::uint8_t kind)
{
    if (destroying_ || kind != 4)
        return;
    QString text;
    if (showStatusOptions_ & ssTblName) {
        QString caption;
        GetTableCaption(defs.DataSet(), caption);
        text = QStringLiteral("[%1] ").arg(caption);
    }
    DisplayMessage(text + QStringLiteral("Aktiviere Filter..."), ui::MsgType::Information);
    if (MessagePanel)
        MessagePanel->repaint();
}

void TDBVexarion::SelectFoundTextInActiveControl(const QString &text, bool caseSensitive)
{
    if (!MatchSelect || destroying_)
        return;
    if (QWidget *control = activeControl())
        SelectFoundText(control, text, caseSensitive);
}

void TDBVexarion::showLookUpHint()
{
    if (possible_[nbLookUp])
        DisplayMessage(
            QStringLiteral("Nachschlagen mittels %1").arg(shortCutToText(shortCuts_.ShortCut(nbLookUp))),
            ui::MsgType::Information);
    else
        ClearMessage();
}

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

namespace {

// Read mode locks the kit's data-aware controls and plain text edits; other
// widgets with a read-only flag (a plain date picker, the edit inside a spin
// or combo box) stay usable.
bool takesPartInGlobalEdit(QWidget *w)
{
    if (!hasProperty(w, "readOnly"))
        return false;
    if (hasProperty(w, "dataSource"))
        return true;
    if (qobject_cast<QTextEdit *>(w) || qobject_cast<QPlainTextEdit *>(w))
        return true;
    QWidget *parent = w->parentWidget();
    return qobject_cast<QLineEdit *>(w) && !qobject_cast<QAbstractSpinBox *>(parent) &&
           !qobject_cast<QComboBox *>(parent);
}

} // namespace

void TDBVexarion::SwitchGlobalEdit(bool edit)
{
    if (destroying_ || !manageGlobalEdit_ || globalEdit_ == edit || !form_)
        return;
    bool canChange = true;
    if (OnEditChange)
        OnEditChange(*this, edit, canChange);
    if (!canChange)
        return;
    try {
        if (edit) {
            for (auto &control : lockedControls_) {
                if (!control)
                    continue;
                if (hasProperty(control, "readOnly")) {
                    control->setProperty("readOnly", false);
                } else if (ComponentRO) {
                    bool readOnly = false;
                    ComponentRO(control, readOnly, false);
                }
            }
            lockedControls_.clear();
        } else {
            for (auto &defs : tables_)
                defs->PostIfEditing();
            lockControlsBelow(form_);
        }
        globalEdit_ = edit;
    } catch (...) {
        CheckPossibilities();
        refreshNavigators();
        throw;
    }
    CheckPossibilities();
    refreshNavigators();
}

void TDBVexarion::lockControlsBelow(QWidget *parent)
{
    for (QObject *child : parent->children()) {
        auto *w = qobject_cast<QWidget *>(child);
        if (!w || w->isWindow())
            continue;
        if (takesPartInGlobalEdit(w) && !w->property("readOnly").toBool()) {
            w->setProperty("readOnly", true);
            lockedControls_.append(w);
        }
        if (ComponentRO) {
            bool readOnly = true;
            ComponentRO(w, readOnly, true);
            if (!readOnly) {
                readOnly = true;
                ComponentRO(w, readOnly, false);
                lockedControls_.append(w);
                continue;
            }
        }
        lockControlsBelow(w);
    }
}

void TDBVexarion::ControlsAdded(QWidget *root)
{
    if (destroying_ || !root)
        return;
    if (formScanned_)
        registerSourcesBelow(root);
    if (manageGlobalEdit_ && !globalEdit_ && form_)
        lockControlsBelow(root);
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

// ------------------------------------------------------------ dialogs

void TDBVexarion::ApplyDialogBorder(QWidget *dialog, TFormBorderStyle style)
{
    ui::applyBorderStyle(dialog, style);
}

void TDBVexarion::ShowTableView(dbe::TDataSet *dataSet, dbe::TField *field, bool synchronous)
{
    if (!dataSet)
        return;
    TFormEventRec record =
        TableViewRecord(*this, dataSet, synchronous, qobject_cast<TSingleRecViewForm *>(form_));
    record.Field = field;
    if (announceDialog(record))
        TableDefsOf(dataSet)->OpenTableView(field, record);
}

void TDBVexarion::ShowSingleRecView(dbe::TDataSet *dataSet, dbe::TField *field, bool synchronous)
{
    if (!dataSet)
        return;
    TFormEventRec record =
        SingleRecViewRecord(*this, dataSet, synchronous, qobject_cast<TTableViewForm *>(form_));
    record.Field = field;
    if (announceDialog(record))
        TableDefsOf(dataSet)->OpenSingleRecView(field, record);
}

void TDBVexarion::ShowIndexPopup(dbe::TTable *table)
{
    TTableDefs *defs = TableDefsOf(table);
    defs->ReadDefinitions();
    if (defs->IndexCaptions().isEmpty())
        return;
    QMenu menu(form_);
    const int current = std::max(0, defs->CurrentIndexEntry());
    for (int i = 0; i < defs->IndexCaptions().size(); ++i) {
        QAction *action = menu.addAction(defs->IndexCaptions()[i]);
        action->setCheckable(true);
        action->setChecked(i == current);
        action->setData(defs->IndexNames()[i]);
    }
    if (QAction *chosen = menu.exec(QCursor::pos()))
        SetTableIndex(table, chosen->data().toString());
}

} // namespace nav
