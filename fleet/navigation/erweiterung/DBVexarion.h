#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <vector>

#include <QLabel>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QWidget>

#include "dbe/DataSet.h"
#include "dbe/DataSource.h"
#include "dbe/Table.h"
#include "navigation/dialoge/NavDialogBase.h"
#include "navigation/erweiterung/StatusText.h"
#include "navigation/erweiterung/TableDefsHost.h"
#include "navigation/filter/FilterRecords.h"
#include "navigation/leiste/DBVShortCuts.h"
#include "navigation/leiste/ExtenderTypes.h"
#include "navigation/leiste/NavSets.h"
#include "navigation/leiste/NavigatorHost.h"
#include "navigation/suche/LookupDefinition.h"
#include "ui/AppHooks.h"
#include "ui/BorderStyle.h"
#include "ui/Messages.h"

class QWidget;

namespace nav {

class TDBVNavigator;
class TTableDefs;

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };
// How the single-record view places labels and controls.
enum class TSingleRecLayout { srlHoriz, srlVertTop, srlVertLeftLeft, srlVertLeftRight };
using ui::TFormBorderStyle;

// The status record handed to OnShowStatus before the text is shown.
struct TStatusRec {
    dbe::TDataSource *DataSource = nullptr;
    int RecNo = 0;
    int RecCount = 0;
    QString TblName;
    QString IncSrchText;
    QString StatusText;
};

class TBMManager;

// The record with which the extender announces a dialog before making it;
// OnSpecialForm may change it, Show false suppresses the dialog.
struct TFormEventRec {
    bool Show = true;
    TFormBorderStyle BorderStyle = TFormBorderStyle::bsDialog;
    TSpecialFormType FormType = sfTableView;
    TUserButton UserButton;
    dbe::TDataSet *DataSet = nullptr;
    dbe::TField *Field = nullptr;
    TBMManager *BookMarks = nullptr;

    // The lookup (FormType 3): its source (names of at most 255 characters),
    // options and field lists. After OnSpecialForm the description, the
    // field lists, the options and the navigator settings are read back.
    int LookupKind = lkNone;
    QString DatabaseName, TableName, IndexName;
    dbe::TDataSet *LookupDataSet = nullptr;
    QStringList *QueryText = nullptr;
    QString Description;
    bool LUAutoIncSrch = false, LUReadOnly = false, LUAutoEdit = false, LUManageGlobalEdit = false;
    QString CopyFields, ShowFields, DisplayLabels;

    // The table view (FormType 0) and the single-record view (8). ShowFields
    // and DisplayLabels above are their field list and labels (";"-separated),
    // left empty by the extender. MDI stays 0: no form here is an MDI form.
    int MDI = 0;
    bool Synchronous = false;
    bool ManageGlobalEdit = false, ReadOnly = false, AutoEdit = false;
    TSingleRecLayout Layout = TSingleRecLayout::srlVertLeftRight;
    bool UseCBOnBoolean = false, UseDBLUComboBox = false, RebuildOnResize = false, MemoMaxWidth = false,
         GenAccelChars = false;

    // The navigator settings of a dialog with its own bar.
    TAllowKeys AllowKeys = 0;
    TSrchNavBtns VisBtnsSearch = 0;
    TMoveNavBtns VisBtnsMove = 0;
    TRecordNavBtns VisBtnsRecord = 0;
    TExtNavBtns VisBtnsExtend = 0;
};

// What the focused control shows: its source, field and whether it may be written.
struct ControlField {
    dbe::TDataSource *source = nullptr;
    dbe::TField *field = nullptr;
    dbe::TDataSet *dataSet = nullptr;
    bool readOnly = true;
    int fieldNo = -1;
};

// The navigation set's behaviour for one form: it finds the data behind the
// focused control, keeps one TTableDefs per data set, runs the 28 navigator
// commands, maps keys to them, writes status and messages, turns database
// errors into messages and switches the form between read and edit mode.
// While its form is active it owns the application's message, exception and
// active-control hooks and chains the handlers installed before it.
class TDBVexarion : public QObject, public TableDefsHost, public NavigatorHost {
    Q_OBJECT
public:
    // owner: the form, or a control on it. Only one extender per form.
    explicit TDBVexarion(QWidget *owner);
    ~TDBVexarion() override;

    QWidget *Form() const override { return form_; }

    // Plain properties.
    bool ErrorBeep = true;
    int MoveBy = 5;
    bool ConfirmDelete = true;
    QString ConfDelQuestion;
    bool ConfirmOverride = true;
    QString ConfOverQuestion;
    QStringList DBGridComponents{QStringLiteral("TwwDBGrid"), QStringLiteral("TDBScroll (OnColArrived)")};
    bool HandleDBExceptions = true;
    bool UseNonVisFields = true;
    bool IncSrchAutoDisable = false;
    bool ShowSearchClock = true;
    bool BMKeepOnlyIndex = true;
    bool UseIndexPopup = false;
    TAutoRefreshMode AutoRefresh = TAutoRefreshMode::armTblOnly;
    bool AllowUserAbort = true;
    bool TVSynchronIsDefault = false;
    bool TVShowSRVBtn = false;
    bool AllowMasterMove = true;
    bool MatchSelect = true;
    QStringList NoSelectNext;
    TEditCharCase IncSrchCharCase = TEditCharCase::ecNormal;
    bool HideBtnGlyphs = false;
    TDefaultIndexLabels IndexNamesAs = TDefaultIndexLabels::dilIdxName;
    bool ExactBOF_EOF = true;
    // Cleared when the panel is destroyed.
    QPointer<QLabel> MessagePanel;

    // The table view's options.
    bool TVReadonly = true;
    bool TVAutoEdit = false;
    bool TVManageGlobalEdit = false;
    // The lookup dialog's options.
    bool LUAutoIncSrch = true;
    bool LUReadOnly = true;
    bool LUAutoEdit = false;
    bool LUManageGlobalEdit = false;
    // The single-record view's layout and options.
    TSingleRecLayout SRVLayout = TSingleRecLayout::srlVertLeftRight;
    bool SRVUseCBOnBoolean = true;
    bool SRVUseDBLUComboBox = true;
    bool SRVRebuildOnResize = true;
    bool SRVMemoMaxWidth = false;
    bool SRVReadOnly = false;
    bool SRVAutoEdit = true;
    bool SRVManageGlobalEdit = false;
    bool SRVSynchronIsDefault = true;
    bool SRVGenAccelChars = true;
    // Borders of the dialogs and views.
    TFormBorderStyle BorderStyleTblView = TFormBorderStyle::bsDialog;
    TFormBorderStyle BorderStyleLookUp = TFormBorderStyle::bsDialog;
    TFormBorderStyle BorderStyleBookmark = TFormBorderStyle::bsDialog;
    TFormBorderStyle BorderStyleMemo = TFormBorderStyle::bsDialog;
    TFormBorderStyle BorderStyleGraphic = TFormBorderStyle::bsSizeable;
    TFormBorderStyle BorderStyleSingleRec = TFormBorderStyle::bsSizeable;

    // Properties with effects.
    TAllowKeys AllowKeys() const override { return allowKeys_; }
    void SetAllowKeys(TAllowKeys keys);
    bool IncSrchOnlyIfIndexed() const { return incSrchOnlyIfIndexed_; }
    void SetIncSrchOnlyIfIndexed(bool value);
    // None once the source is destroyed.
    dbe::TDataSource *MasterSource() const override;
    void SetMasterSource(dbe::TDataSource *source);
    TStayOnMasterSource StayOnMasterSource() const override;
    void SetStayOnMasterSource(TStayOnMasterSource value);
    bool ManageGlobalEdit() const override { return manageGlobalEdit_; }
    void SetManageGlobalEdit(bool value);
    TDBShowStatusSet ShowStatusOptions() const { return showStatusOptions_; }
    void SetShowStatusOptions(TDBShowStatusSet options);
    QLabel *StatusPanel() const { return statusPanel_.data(); }
    void SetStatusPanel(QLabel *panel);
    void SetBMKeepOnlyIndex(bool value);
    void SetUseNonVisFields(bool value);
    void SetAllowUserAbort(bool value);
    void SetAllowMasterMove(bool value);
    bool UseTextIncSrchBtn() const { return useTextIncSrchBtn_; }
    void SetUseTextIncSrchBtn(bool value);
    bool FlatNavBtns() const { return flatNavBtns_; }
    void SetFlatNavBtns(bool value);
    const TDBVShortCuts &ShortCuts() const override { return shortCuts_; }
    void SetShortCuts(const TDBVShortCuts &shortCuts);
    TInterfacesEnabledSet InterfacesNormal() const { return interfacesNormal_; }
    void SetInterfacesNormal(TInterfacesEnabledSet set);
    TInterfacesEnabledSet InterfacesMinimized() const { return interfacesMinimized_; }
    void SetInterfacesMinimized(TInterfacesEnabledSet set);
    // What a dialog's own extender takes over from the extender that opened
    // it: the options and the dialog and view events, nothing else.
    void CopySettingsFrom(const TDBVexarion &other);
    // Applies the set of the form's window state (normal or minimised).
    void ApplyWindowState();

    // State the navigator bars read.
    TInterfacesEnabledSet CurrentInterfaces() const override { return currentInterfaces_; }
    const Possibilities &Possible() const override { return possible_; }
    std::uint8_t FilterState() const override { return filterState_; }
    // The filter state of any data set, whatever control has the focus; 0 for
    // a data set the extender has not met.
    std::uint8_t TableFilterState(const dbe::TDataSet *dataSet) const;
    bool IncSearchOn() const override { return incSearchOn_; }
    const QString &IncSearchText() const { return incSearchText_; }
    bool GlobalEdit() const override { return globalEdit_; }
    dbe::TDataSource *CurrentDataSource() override;
    bool HooksInstalled() const { return hooksInstalled_; }

    // Events. The first three hold the handlers installed before this extender.
    ui::MessageHandler AppOnMessage;
    ui::ExceptionHandler AppOnException;
    ui::ActiveControlHandler ScreenOnACChange;
    std::function<void(QObject *sender)> FormOnActivate, FormOnDeactivate;
    std::function<void(int key, TShiftState shift, bool &handled)> FormOnKeyPhysical;
    std::function<void(QWidget *control)> FormOnFocusControl;
    std::function<void(QObject *sender, const std::exception &error, bool &handled)> FormOnException;
    std::function<void(TDBVexarion &, dbe::TDataSource *)> OnActiveChanged, OnDataSetChanged,
        OnDataSetScrolled, OnEditingChanged, OnNewDataSource;
    std::function<void(TDBVexarion &, bool isEdit, bool &canChange)> OnEditChange;
    std::function<void(TDBVexarion &, TDBVNavigateBtn &button, TShiftState &shift, int &info)>
        BeforeHandleNBBtn, AfterHandleNBBtn;
    std::function<void(const QString &tableName, QString &description)> GetTblDescription;
    std::function<void(dbe::TTable &table, const QString &indexName, QString &description, bool &show)>
        GetIdxDescription;
    std::function<void(TDBVexarion &, TStatusRec &status, bool &handled)> OnShowStatus;
    std::function<void(TDBVexarion &, QString &message, ui::MsgType type, bool &handled)> OnShowMessage;
    std::function<void(TDBVexarion &)> OnChangePoss;
    std::function<void(TDBVexarion &, dbe::TDataSet *dataSet)> OnTblIndexChanged, OnFilterChanged;
    std::function<void(QWidget *control, dbe::TField *field)> BeforeCheckPoss;
    std::function<void(TDBVexarion &, TFormEventRec &record)> OnSpecialForm;
    std::function<void(QWidget *form, int formType)> OnSpecialFormShow;
    std::function<void(QWidget *form, int formType, bool &canClose)> OnSpecialFormCloseQuery;
    // Lookups: the definition of a field's lookup (a table, or a data set or
    // query text), and the assignments from the chosen row.
    std::function<void(TDBVexarion &, dbe::TField *field, TLookupDefinition &definition)> GetLookupDef;
    std::function<void(TDBVexarion &, dbe::TField *field, bool onlyQuery, TLookupDefinition &definition)>
        GetExtLookupDef;
    std::function<void(TDBVexarion &, dbe::TField *field, dbe::TDataSet *source)> BeforeAssignFromLookup,
        AfterAssignFromLookup;
    std::function<void(TDBVexarion &, dbe::TField *target, dbe::TField *source, bool &doAssign)>
        BeforeAssignFromLUField;
    std::function<void(TDBVexarion &, dbe::TField *target, dbe::TField *source)> AfterAssignFromLUField;
    // Controls without the data properties: the application answers for them
    // (getValue true) or is told to set them (false).
    std::function<void(QWidget *control, dbe::TDataSource *&source, bool getValue)> ComponentDS;
    std::function<void(QWidget *control, dbe::TField *&field, bool getValue)> ComponentFld;
    std::function<void(QWidget *control, bool &readOnly, bool getValue)> ComponentRO;
    // The single-record view: the control class of a field, each control
    // after it was made, and its size.
    std::function<void(dbe::TField *field, const QMetaObject *&controlClass)> SRVClassForField;
    std::function<void(dbe::TField *field, QWidget *control)> SRVInitControl;
    std::function<void(dbe::TField *field, QWidget *control, int room, bool &forceLineBreak)>
        SRVSetControlSize;

    // Activation (bound to the form's activation when the form is a FormBase).
    void Activate(QObject *sender = nullptr);
    void Deactivate(QObject *sender = nullptr);
    void ActiveControlChangeHook(QObject *sender);

    // Data-aware controls.
    virtual bool IsDataAwareControl(QWidget *control) const;
    virtual bool GetControlDataSource(QWidget *control, dbe::TDataSource *&source) const;
    virtual bool GetControlField(QWidget *control, ControlField &out) const;

    // Commands.
    void HandleNBBtn(TDBVNavigateBtn button, TShiftState shift, int info) override;
    void CheckPossibilities();
    void SwitchGlobalEdit(bool edit);
    // Controls the form made below `root` after the extender took it in:
    // their data sources are known and, while editing is off, they are locked
    // as the others were.
    void ControlsAdded(QWidget *root);
    bool DuplicateField(dbe::TField *field, bool confirm);
    bool DuplicateRecord(dbe::TDataSet *dataSet);

    // Keys.
    void AppMessageHook(const ui::KeyMessage &message, bool &handled);
    void HandleKey(int key, TShiftState shift, const QString &text, bool &handled);
    bool WaitingForSetBookmarkDigit() const { return waitSetBookmark_; }
    bool WaitingForGotoBookmarkDigit() const { return waitGotoBookmark_; }

    // Status and messages.
    virtual void ShowStatus(dbe::TDataSource *source);
    virtual void DisplayMessage(const QString &text, ui::MsgType type);
    void ClearMessage() override;
    void AppExceptionHook(QObject *sender, const std::exception &error);

    // Table-level operations, each through the data set's TTableDefs.
    TTableDefsSettings TableDefsSettings() const override;
    TTableDefs *TableDefsOf(dbe::TDataSet *dataSet);
    TTableDefs *TableDefsOf(dbe::TDataSource *source);
    void SetTableIndex(dbe::TDataSet *dataSet, const QString &indexName);
    void SetTableFilterActive(dbe::TDataSet *table, int on);
    void GetTableFilterDef(dbe::TDataSet *table, TFilterDefinition &definition, int &count);
    void ApplyTableFilterDef(dbe::TDataSet *table, const TFilterDefinition &definition, int count,
                             bool activate);
    void SaveTableFilter(dbe::TDataSet *dataSet, const QString &fileName) override;
    void LoadTableFilter(dbe::TDataSet *dataSet, const QString &fileName) override;
    void ClearTableFilter(dbe::TDataSet *dataSet) override;
    void GetTableCaption(dbe::TDataSet *dataSet, QString &caption) const;
    void GetIndexCaption(dbe::TTable &table, const QString &indexName, const QString &defaultCaption,
                         QString &caption, bool &show) const override;

    // Navigator bars.
    QObject *HostObject() override { return this; }
    void AddNavigator(TDBVNavigator *navigator) override;
    void RemoveNavigator(TDBVNavigator *navigator) override;
    const QList<QPointer<TDBVNavigator>> &Navigators() const { return navigators_; }

    // Notifications of the table definitions.
    void TableActiveChanged(dbe::TDataSource *source) override;
    void TableDataSetChanged(dbe::TDataSource *source) override;
    void TableDataSetScrolled(dbe::TDataSource *source, int distance) override;
    void TableEditingChanged(dbe::TDataSource *source) override;
    void TableFilterChanged(TTableDefs &defs, dbe::TDataSource *source) override;
    // A new entry replaces old for the source's data set and takes over its state.
    void TableDefsReplaced(TTableDefs &old, dbe::TDataSource *source);
    // The filter of defs reports a step; 4: it is being switched on.
    void TableFilterProgress(TTableDefs &defs, std::uint8_t kind) override;
    // After a search found a record (with MatchSelect).
    void SelectFoundTextInActiveControl(const QString &text, bool caseSensitive) override;

    // The searches of the incremental search and of nbSearchNext; each
    // keeps keys away while it runs.
    bool SearchInDataSet(dbe::TDataSet *dataSet, const QString &fieldName, bool restart, bool forward,
                         bool ignoreCase, const QString &text);
    bool SearchNext(dbe::TDataSet *dataSet);
    bool SearchNextReverse(dbe::TDataSet *dataSet);
    // Greater than 0 while a search runs.
    int SearchDepth() const { return searchDepth_; }

    // The dialogs and views of the commands.
    // The lookup of a field: its kind (TLookupKind) and definition, and the
    // dialog that takes values from the chosen row into the field's data set.
    int GetLookupDefinition(TTableDefs *defs, dbe::TField *field, bool onlyQuery,
                            TLookupDefinition &definition);
    bool RunLookup(int kind, dbe::TField *field, const TLookupDefinition &definition, bool readOnly);
    // A dialog gets its border from the announcement's record.
    static void ApplyDialogBorder(QWidget *dialog, TFormBorderStyle style);
    // Glyphs, show and close-query relays of a dialog the set makes.
    void prepareDialog(NavDialogBase &dialog);
    virtual void ShowSearchDialog(dbe::TDataSet *dataSet, dbe::TField *field);
    virtual void ShowTableView(dbe::TDataSet *dataSet, dbe::TField *field, bool synchronous);
    virtual void ShowSingleRecView(dbe::TDataSet *dataSet, dbe::TField *field, bool synchronous);
    virtual void ShowMemoView(dbe::TField *field, bool readOnly);
    virtual void ShowGraphicView(dbe::TField *field, bool readOnly);
    virtual void EditFilter(dbe::TDataSet *dataSet, dbe::TField *field);
    virtual void ShowBookmarkDialog(dbe::TDataSet *dataSet);
    virtual void ShowIndexDialog(dbe::TTable *table);
    virtual void ShowIndexPopup(dbe::TTable *table);

protected:
    // The form's window state decides which interfaces are in force.
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Target {
        bool dataAware = false;
        ControlField control;
        TTableDefs *defs = nullptr;
    };
    Target resolveTarget(QWidget *control);
    bool isFormActive() const;
    QWidget *activeControl() const;
    bool isDataGrid(QWidget *control) const;
    void runCommand(TDBVNavigateBtn button, TShiftState shift, int info, Target &target);
    void autoRefreshDataSet(dbe::TDataSet *dataSet);
    void dataSetChangedFanOut(dbe::TDataSource *source);
    void showLookUpHint();
    void refreshNavigators();
    void updateNavigatorHints();
    void applyInterfaces(TInterfacesEnabledSet set);
    void setBookmarkOptions();
    void registerSource(dbe::TDataSource *source);
    void scanForm();
    void registerSourcesBelow(QWidget *root);
    void lockControlsBelow(QWidget *parent);
    void shortCutKey(int key, TShiftState shift, Target &target, bool &handled);
    void incSearchKey(int key, const QString &text, Target &target, bool &handled);
    void moveWithinGrid(QWidget *grid, bool forward);
    void moveFocus(QWidget *from, bool forward);
    void hookGrid(QWidget *control);
    void unhookGrid();
    void gotoBookmarkWithWarning(TTableDefs &defs, int number);
    // Opens the table view or single-record view of defs' data set, or
    // brings the open one forward.
    void openView(TTableDefs &defs, bool tableView, dbe::TField *field, const TFormEventRec &options);
    // Announces a dialog; false when the application suppressed it.
    bool announceDialog(TFormEventRec &record);

    QPointer<QWidget> form_;
    std::vector<std::unique_ptr<TTableDefs>> tables_;
    QList<QPointer<QWidget>> lockedControls_;
    QList<QPointer<TDBVNavigator>> navigators_;
    QString incSearchText_;
    bool waitSetBookmark_ = false;
    bool waitGotoBookmark_ = false;
    bool formScanned_ = false;
    bool hooksInstalled_ = false;
    bool inActiveControlHook_ = false;
    bool destroying_ = false;
    QPointer<QWidget> hookedGrid_;
    QMetaObject::Connection gridConnection_;

    TAllowKeys allowKeys_ = kAllAllowKeys;
    bool incSrchOnlyIfIndexed_ = false;
    // Follows MasterSource so that its destruction is noticed.
    std::unique_ptr<dbe::TDataLink> masterLink_;
    mutable dbe::TDataSource *masterSource_ = nullptr;
    mutable TStayOnMasterSource stayOnMasterSource_ = TStayOnMasterSource::somNo;
    void watchMasterSource();
    void masterSourceGone() const;
    bool manageGlobalEdit_ = false;
    TDBShowStatusSet showStatusOptions_ = kAllShowStatus;
    QPointer<QLabel> statusPanel_;
    bool useTextIncSrchBtn_ = false;
    bool flatNavBtns_ = false;
    TDBVShortCuts shortCuts_;
    TInterfacesEnabledSet interfacesNormal_ = ieShortCuts | ieNavbars | ieDisplay;
    TInterfacesEnabledSet interfacesMinimized_ = ieDisplay;
    TInterfacesEnabledSet currentInterfaces_ = 0;

    Possibilities possible_{};
    std::uint8_t filterState_ = 0;
    mutable dbe::TDataSource *currentSource_ = nullptr;
    bool incSearchOn_ = false;
    int searchDepth_ = 0;
    bool globalEdit_ = true;
};

} // namespace nav
