#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include <QObject>
#include <QString>

#include "PrvAppearance.h"
#include "TbJobWrappers.h"
#include "reportengine/EngineTypes.h"

class QWidget;

namespace reporting {

enum class TPropYesNo { No, Yes };
enum class TExpressionMode { Old, NewMode, Enhanced };
enum class TTabMode { Replace, Expand };
enum class TPropTableColoring { Normal, Userdefined, Designer };
// HiMetric and HiInch exist for the version-14 component only.
enum class TPropUnitSystem { Metric, Inch, HiMetric, HiInch };
enum class TPropStgSystem { Compat4, Storage };
enum class TDialogboxMode {
    Win16,
    velkor1,
    velkor2,
    velkor3,
    velkor4,
    velkor5,
    velkor6,
    velkor7,
    Win95,
    Office97,
    OfficeXP,  // version 14 only
    Office2003 // version 14 only
};
// Ordinal = engine language + 1.
enum class TLanguageType {
    DefaultLang,
    Deutsch,
    English,
    Arab,
    Afrikaans,
    Albanian,
    Basque,
    Bulgarian,
    Belorussian,
    Catalan,
    Chinese,
    Croatian,
    Czech,
    Danish,
    Dutch,
    Estonian,
    Faeroese,
    Farsi,
    Finnish,
    French,
    Greek,
    Hebrew,
    Hungarian,
    Icelandic,
    Indonesian,
    Italian,
    Japanese,
    Korean,
    Latvian,
    Lithuanian,
    Norwegian,
    Polish,
    Portuguese,
    Romanian,
    Russian,
    Slovak,
    Slovenian,
    Serbian,
    Spanish,
    Swedish,
    Thai,
    Turkish,
    Ukrainian
};

// The version-6 engine component: owns one engine job from creation to destruction, mirrors the job's
// options as properties, turns the engine's notifications into events and wraps the engine functions
// with the job handle supplied. Wrappers return the engine's codes unchanged.
class TTb6_ : public QObject, public TTbJobWrappers {
    Q_OBJECT
public:
    // Event signatures; `record` is the engine's record for the message.
    using RecordEvent = std::function<void(QObject *sender, void *record)>;
    using RecordResultEvent = std::function<void(QObject *sender, void *record, intptr_t &lResult)>;
    using HelpEvent =
        std::function<void(QObject *sender, int nHelpCommand, int nContextID, intptr_t &lResult)>;
    using MenuEvent = std::function<void(QObject *sender, intptr_t nMenuHandle)>;
    using SelectMenuEvent = std::function<void(QObject *sender, int nMenuID, intptr_t &lResult)>;
    using ButtonStateEvent = std::function<void(QObject *sender, int nID, int nState, intptr_t &lResult)>;
    using VarHelpTextEvent =
        std::function<void(QObject *sender, const QString &varName, QString *&pszHelpText)>;
    using ButtonClickedEvent = std::function<void(QObject *sender, int nID, intptr_t &lResult)>;
    using NotifyEvent = std::function<void(QObject *sender)>;
    using DefineEvent = std::function<void(QObject *sender, int nUserData, bool bDummy, int *pnProgressInPerc,
                                           bool *pbLastRecord, intptr_t &lResult)>;

    explicit TTb6_(QObject *owner = nullptr);
    ~TTb6_() override;

    TPrvAppearance &PreviewAppearance() { return *preview_; }

    // --- properties ---
    int DebugMode() const { return debugMode_; }
    void SetDebugMode(int value);
    int EMFResolution() const { return emfResolution_; }
    void SetEMFResolution(int value);
    TLanguageType Language() const { return language_; }
    void SetLanguage(TLanguageType value);
    TExpressionMode NewExpressions() const;
    void SetNewExpressions(TExpressionMode value);
    bool OnlyOneTable() const;
    void SetOnlyOneTable(bool value);
    TPropYesNo MultipleTableLines() const { return yesNoOption(20); }
    void SetMultipleTableLines(TPropYesNo value) { setYesNoOption(20, value); }
    TPropYesNo AddVarsToFields() const { return yesNoOption(19); }
    void SetAddVarsToFields(TPropYesNo value) { setYesNoOption(19, value); }
    TPropYesNo Supervisor() const { return yesNoOption(3); }
    void SetSupervisor(TPropYesNo value) { setYesNoOption(3, value); }
    TTabMode TabStops() const;
    void SetTabStops(TTabMode value);
    TPropYesNo ConvertCRLF() const { return yesNoOption(21); }
    void SetConvertCRLF(TPropYesNo value) { setYesNoOption(21, value); }
    int TabRepresentationCode() const;
    void SetTabRepresentationCode(int code);
    int RetRepresentationCode() const;
    void SetRetRepresentationCode(int code);
    TPropYesNo HelpAvailable() const { return helpAvailable_; }
    void SetHelpAvailable(TPropYesNo value) { setRemembered(helpAvailable_, 8, value); }
    TPropYesNo AutoMultipage() const { return autoMultipage_; }
    void SetAutoMultipage(TPropYesNo value) { setRemembered(autoMultipage_, 42, value); }
    TPropYesNo DelayTableHeader() const { return delayTableHeader_; }
    void SetDelayTableHeader(TPropYesNo value) { setRemembered(delayTableHeader_, 47, value); }
    TPropYesNo OfnDialogExplorer() const { return ofnDialogExplorer_; }
    void SetOfnDialogExplorer(TPropYesNo value) { setRemembered(ofnDialogExplorer_, 48, value); }
    TPropYesNo RealTime() const { return realTime_; }
    void SetRealTime(TPropYesNo value) { setRemembered(realTime_, 41, value); }
    TPropYesNo SpaceOptimization() const { return spaceOptimization_; }
    void SetSpaceOptimization(TPropYesNo value) { setRemembered(spaceOptimization_, 40, value); }
    TPropYesNo UseBarcodeSizes() const { return useBarcodeSizes_; }
    void SetUseBarcodeSizes(TPropYesNo value) { setRemembered(useBarcodeSizes_, 43, value); }
    TPropYesNo UseHostprinter() const { return useHostprinter_; }
    void SetUseHostprinter(TPropYesNo value) { setRemembered(useHostprinter_, 13, value); }
    TPropYesNo VarsCaseSensitive() const { return varsCaseSensitive_; }
    void SetVarsCaseSensitive(TPropYesNo value) { setRemembered(varsCaseSensitive_, 46, value); }
    TPropYesNo WizFileNew() const { return wizFileNew_; }
    void SetWizFileNew(TPropYesNo value) { setRemembered(wizFileNew_, 22, value); }
    int MaxRTFVersion() const { return maxRtfVersion_; }
    void SetMaxRTFVersion(int value) { maxRtfVersion_ = qint16(value); }
    TPropYesNo SupportPageBreak() const { return yesNoOption(10); }
    void SetSupportPageBreak(TPropYesNo value) { setYesNoOption(10, value); }
    TPropYesNo SortVariables() const { return yesNoOption(9); }
    void SetSortVariables(TPropYesNo value) { setYesNoOption(9, value); }
    TPropYesNo ShowPredefVars() const { return yesNoOption(11); }
    void SetShowPredefVars(TPropYesNo value) { setYesNoOption(11, value); }
    TPropTableColoring TableColoringMode() const;
    void SetTableColoringMode(TPropTableColoring value);
    TPropUnitSystem UnitSystem() const;
    void SetUnitSystem(TPropUnitSystem value);
    TPropStgSystem StorageSystem() const;
    void SetStorageSystem(TPropStgSystem value);
    TPropYesNo CompressStorage() const { return yesNoOption(31); }
    void SetCompressStorage(TPropYesNo value);
    TPropYesNo NoParameterCheck() const { return yesNoOption(32); }
    void SetNoParameterCheck(TPropYesNo value) { setYesNoOption(32, value); }
    TPropYesNo NoNoTableCheck() const { return yesNoOption(33); }
    void SetNoNoTableCheck(TPropYesNo value) { setYesNoOption(33, value); }
    TDialogboxMode DialogBoxMode() const { return dialogBoxMode_; }
    void SetDialogBoxMode(TDialogboxMode value);
    TPropYesNo Buttons3D() const { return buttons3D_; }
    void SetButtons3D(TPropYesNo value);
    TPropYesNo ButtonsWithBitmaps() const { return buttonsWithBitmaps_; }
    void SetButtonsWithBitmaps(TPropYesNo value);
    TPropYesNo XlatVarNames() const { return xlatVarNames_; }
    void SetXlatVarNames(TPropYesNo value) { setRemembered(xlatVarNames_, 51, value); }
    TPropYesNo CreateInfo() const { return createInfo_; }
    void SetCreateInfo(TPropYesNo value) { setRemembered(createInfo_, 50, value); }

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
    HelpEvent OnHelp;
    MenuEvent OnEnableMenu, OnModifyMenu;
    SelectMenuEvent OnSelectMenu;
    ButtonStateEvent OnGetViewerButtonState;
    VarHelpTextEvent OnVarHelpText;
    ButtonClickedEvent OnViewerButtonClicked;
    NotifyEvent OnFailsFilter;
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
    void applyDialogMode();
    void setMaskBit(intptr_t bit, bool on);
    TPropYesNo yesNoOption(int number) const;
    void setYesNoOption(int number, TPropYesNo value);
    void setRemembered(TPropYesNo &field, int number, TPropYesNo value);
    intptr_t dispatch(unsigned message, intptr_t parameter);

    std::unique_ptr<TPrvAppearance> preview_;
    int debugMode_ = 0;
    int emfResolution_ = 0;
    TLanguageType language_ = TLanguageType::DefaultLang;
    qint16 maxRtfVersion_ = 256;
    TDialogboxMode dialogBoxMode_ = TDialogboxMode::Win95;
    int dialogBaseMode_ = 0;
    int dialogStyleFlags_ = 0;
    TPropYesNo helpAvailable_ = TPropYesNo::No, autoMultipage_ = TPropYesNo::No,
               delayTableHeader_ = TPropYesNo::No, ofnDialogExplorer_ = TPropYesNo::No,
               realTime_ = TPropYesNo::No, spaceOptimization_ = TPropYesNo::No,
               useBarcodeSizes_ = TPropYesNo::No, useHostprinter_ = TPropYesNo::No,
               varsCaseSensitive_ = TPropYesNo::No, wizFileNew_ = TPropYesNo::No, buttons3D_ = TPropYesNo::No,
               buttonsWithBitmaps_ = TPropYesNo::No, xlatVarNames_ = TPropYesNo::No,
               createInfo_ = TPropYesNo::No;
    EnableFlags enabled_;
};

} // namespace reporting
