#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QObject>
#include <QString>

#include "PrvAppearance.h"
#include "TbEvents.h"
#include "TbOptions.h"
#include "reportengine/EngineTypes.h"

class QWidget;

namespace reporting {

// The version-6 engine component: owns one engine job from creation to destruction, mirrors the job's
// options as properties, turns the engine's notifications into events and wraps the engine functions
// with the job handle supplied. Wrappers return the engine's codes unchanged.
class TTb6_ : public QObject, public TTbOptions, public TTbSharedEvents {
    Q_OBJECT
public:
    // Event signatures; `record` is the engine's record for the message.
    using RecordEvent = std::function<void(QObject *sender, void *record)>;
    using ButtonStateEvent = std::function<void(QObject *sender, int nID, int nState, intptr_t &lResult)>;
    using VarHelpTextEvent =
        std::function<void(QObject *sender, const QString &varName, QString *&pszHelpText)>;
    using ButtonClickedEvent = std::function<void(QObject *sender, int nID, intptr_t &lResult)>;
    using DefineEvent = std::function<void(QObject *sender, int nUserData, bool bDummy, int *pnProgressInPerc,
                                           bool *pbLastRecord, intptr_t &lResult)>;

    explicit TTb6_(QObject *owner = nullptr);
    ~TTb6_() override;

    TPrvAppearance &PreviewAppearance() { return *preview_; }

    // --- properties (the shared ones in TTbOptions) ---
    void SetLanguage(TLanguageType value);
    TPropYesNo AutoMultipage() const { return YesNo(TbYesNo::AutoMultipage); }
    void SetAutoMultipage(TPropYesNo v) { SetYesNo(TbYesNo::AutoMultipage, v); }
    int MaxRTFVersion() const { return maxRtfVersion_; }
    void SetMaxRTFVersion(int value) { maxRtfVersion_ = qint16(value); }
    TPropUnitSystem UnitSystem() const;
    void SetUnitSystem(TPropUnitSystem value);
    void SetDialogBoxMode(TDialogboxMode value);

    // --- enable flags (24) ---
    struct EnableFlags {
        bool TableField = false, TableLine = false, DrawUserobj = false, EditUserobj = false, ExtFct = false,
             Object = false, Page = false, Project = false, GroupBegin = false, GroupEnd = false,
             GroupLine = false, HelpCallback = false, EnableMenu = false, ModifyMenu = false,
             SelectMenu = false, GetViewerButtonState = false, VarHelpText = false, NtfyProgress = false,
             ViewerButtonClicked = false, DlgExprVarBtn = false, HostPrinter = false, FailsFilter = false,
             DefineVariables = false, DefineFields = false;
    };
    const EnableFlags &Enabled() const { return enabled_; }
    void SetEnableTableFieldEvent(bool value);
    void SetEnableTableLineEvent(bool value)
    {
        enabled_.TableLine = value;
    } // the mode changes only at design time
    void SetEnableDrawUserobjEvent(bool value) { enabled_.DrawUserobj = value; }
    void SetEnableEditUserobjEvent(bool value) { enabled_.EditUserobj = value; }
    void SetEnableExtFctEvent(bool value) { enabled_.ExtFct = value; }
    void SetEnableObjectEvent(bool value);
    void SetEnablePageEvent(bool value);
    void SetEnableProjectEvent(bool value);
    void SetEnableGroupBeginEvent(bool value) { enabled_.GroupBegin = value; }
    void SetEnableGroupEndEvent(bool value) { enabled_.GroupEnd = value; }
    void SetEnableGroupLineEvent(bool value) { enabled_.GroupLine = value; }
    void SetEnableHelpCallbackEvent(bool value);
    void SetEnableEnableMenuEvent(bool value) { enabled_.EnableMenu = value; }
    void SetEnableModifyMenuEvent(bool value) { enabled_.ModifyMenu = value; }
    void SetEnableSelectMenuEvent(bool value) { enabled_.SelectMenu = value; }
    void SetEnableGetViewerButtonStateEvent(bool value) { enabled_.GetViewerButtonState = value; }
    void SetEnableVarHelpTextEvent(bool value) { enabled_.VarHelpText = value; }
    void SetEnableNtfyProgressEvent(bool value) { enabled_.NtfyProgress = value; }
    void SetEnableViewerButtonClickedEvent(bool value) { enabled_.ViewerButtonClicked = value; }
    void SetEnableDlgExprVarBtnEvent(bool value);
    void SetEnableHostPrinterEvent(bool value);
    void SetEnableFailsFilterEvent(bool value) { enabled_.FailsFilter = value; }
    void SetEnableDefineVariablesEvent(bool value) { enabled_.DefineVariables = value; }
    void SetEnableDefineFieldsEvent(bool value) { enabled_.DefineFields = value; }

    // --- events ---
    RecordEvent OnDrawUserobj, OnEditUserobj, OnTableLine, OnTableField, OnExtFct, OnPage, OnProject,
        OnNtfyProgress;
    RecordResultEvent OnObject, OnGroupBegin, OnGroupEnd, OnGroupLine, OnDlgExprVarBtn, OnHostPrinter;
    ButtonStateEvent OnGetViewerButtonState;
    VarHelpTextEvent OnVarHelpText;
    ButtonClickedEvent OnViewerButtonClicked;
    DefineEvent OnDefineVariables, OnDefineFields; // published, never fired by this component

    // The engine's callback: option 7 holds the component.
    static intptr_t NotificationDispatcher(unsigned message, intptr_t parameter, intptr_t userValue);

    // --- wrappers ---
    int DefineField(const QString &name, const QString &contents);
    int DefineLayout(QWidget *window, const QString &title, int objectType, const QString &file);
    int PrintEnd(int value);
    int PrintGetCurrentPage();
    int PrintGetItemsPerPage();
    int PrintGetItemsPerTable();
    int PrintWithBoxStart(int objectType, const QString &file, int printOptions, int boxType, QWidget *window,
                          const QString &text);
    int PrintIsFieldUsed(const QString &name);
    int PrintDidMatchFilter();
    // Why the engine refused the last start, in the user's words (may be empty).
    QString ErrorText();

private:
    bool OpenJob(bool reportFirst);
    bool ShowJobError();
    void installCallback();
    void setMaskBit(intptr_t bit, bool on);
    intptr_t dispatch(unsigned message, intptr_t parameter);

    std::unique_ptr<TPrvAppearance> preview_;
    qint16 maxRtfVersion_ = 256;
    EnableFlags enabled_;
};

} // namespace reporting
