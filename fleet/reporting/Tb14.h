#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <QObject>
#include <QString>
#include <QStringList>

#include "PrvAppearance.h"
#include "Tb14Dictionary.h"
#include "Tb14Interf.h"
#include "Tb6.h"
#include "TbJobWrappers.h"
#include "reportengine/EngineTypes.h"

class QWidget;

namespace dbe {
class TField;
}

namespace reporting {

// A menu item the designer gets from the component; chosen, it runs OnExecute; asked, OnState answers
// 0 or 1. The shortcut is a key code with the modifiers 0x2000 Shift, 0x4000 Ctrl and 0x8000 Alt.
struct TDesignerAction {
    QString MenuText, MenuHierarchy, Tooltip, StatusText;
    int ShortCut = 0;
    bool Bit0 = false;  // flag word bit 0
    bool Bit29 = false; // flag word bit 29
    std::function<void()> OnExecute;
    std::function<int()> OnState;
    int id = 0; // given at each designer run: 10100, 10101, ... in list order

    // The flag word the engine receives.
    int flags() const;
};

// What the designer may not do.
struct TDesignerWorkspace {
    QStringList ProhibitedActions; // action ids as decimal text
    QStringList ProhibitedFunctions;
    QStringList ReadOnlyObjects;
};

// The version-14 engine component: like TTb6_ it owns one engine job, mirrors options as properties
// and turns notifications into events, and it adds typed fields from database fields, the dictionary,
// designer restrictions and actions, export parameters and the event-driven Design and Print loops.
// Every event fires whenever a handler is assigned. Wrappers return the engine's codes unchanged.
class TTb14_ : public QObject, public TTbJobWrappers {
    Q_OBJECT
public:
    // UserData, IsDesignMode, var Percentage, var IsLastRecord, var EventResult.
    using DefineEvent = std::function<void(QObject *sender, int userData, bool isDesignMode, int &percentage,
                                           bool &isLastRecord, intptr_t &eventResult)>;
    using SetPrintOptionsEvent = std::function<void(QObject *sender, int &printMethodOptionFlags)>;
    // Engine records of messages 0, 1, 10, 11, 12, 20, 21, 22, 37, 39, 40, 58, 66, with the result.
    using RecordEvent = std::function<void(QObject *sender, void *record, intptr_t &result)>;
    using HelpEvent = std::function<void(QObject *sender, int helpCommand, int contextId, intptr_t &result)>;
    using MenuEvent = std::function<void(QObject *sender, intptr_t handle)>;
    using SelectMenuEvent = std::function<void(QObject *sender, int menuId, intptr_t &result)>;
    using ButtonStateEvent = std::function<void(QObject *sender, int button, int &buttonState)>;
    using VarHelpTextEvent = std::function<void(QObject *sender, const QString &name, QString &helpText)>;
    using ButtonClickedEvent = std::function<void(QObject *sender, int button, bool &performDefaultAction)>;
    using TextEvent = std::function<void(QObject *sender, const QString &text)>;
    using NotifyEvent = std::function<void(QObject *sender)>;

    // With a TTb14_ as owner the job is a copy of the owner's and the extension lists are shared.
    explicit TTb14_(QObject *owner = nullptr);
    ~TTb14_() override;

    TPrvAppearance &PreviewAppearance() { return *preview_; }
    TDictionary &Dictionary() { return *dictionary_; }
    TDesignerWorkspace &DesignerWorkspace() { return workspace_; }
    std::vector<TDesignerAction> &DesignerActions() { return actions_; }
    TbXList &ExtensionObjects() { return *objects_; }
    TbXList &ExtensionFunctions() { return *functions_; }
    bool Printing() const { return printing_; }
    // The least time between two texts of the progress box in a list run (its first record always
    // shows); 0 tells the box at every record.
    std::chrono::milliseconds BoxTextInterval() const { return boxTextInterval_; }
    void SetBoxTextInterval(std::chrono::milliseconds interval) { boxTextInterval_ = interval; }

    // --- properties (option numbers as in the version-6 component unless noted) ---
    int DebugMode() const { return debugMode_; }
    void SetDebugMode(int value);
    TLanguageType Language() const { return language_; }
    void SetLanguage(TLanguageType value);
    int MaxRTFVersion() const { return maxRtfVersion_; }
    void SetMaxRTFVersion(int value);
    int EMFResolution() const { return emfResolution_; }
    void SetEMFResolution(int value);
    int IncrementalPreview() const { return int(option(135)); }
    void SetIncrementalPreview(int value) { setOption(135, value); }
    TPropYesNo MultipleTableLines() const { return yesNo(20); }
    void SetMultipleTableLines(TPropYesNo v) { setYesNo(20, v); }
    int PhantomspaceRepresentationCode() const { return int(option(54)); }
    void SetPhantomspaceRepresentationCode(int v) { setOption(54, v); }
    int LocknextcharRepresentationCode() const { return int(option(55)); }
    void SetLocknextcharRepresentationCode(int v) { setOption(55, v); }
    int ExprsepRepresentationCode() const { return int(option(56)); }
    void SetExprsepRepresentationCode(int v) { setOption(56, v); }
    int TextquoteRepresentationCode() const { return int(option(66)); }
    void SetTextquoteRepresentationCode(int v) { setOption(66, v); }
    int TabRepresentationCode() const { return int(option(15)); }
    void SetTabRepresentationCode(int v) { setOption(15, v); }
    int RetRepresentationCode() const { return int(option(23)); }
    void SetRetRepresentationCode(int v) { setOption(23, v); }
    TPropYesNo SupportPageBreak() const { return yesNo(10); }
    void SetSupportPageBreak(TPropYesNo v) { setYesNo(10, v); }
    TPropTableColoring TableColoringMode() const;
    void SetTableColoringMode(TPropTableColoring v) { setOption(tb::opt::TableColoring, int(v)); }
    TPropUnitSystem UnitSystem() const;
    void SetUnitSystem(TPropUnitSystem v);
    TPropYesNo NoNoTableCheck() const { return yesNo(33); }
    void SetNoNoTableCheck(TPropYesNo v) { setYesNo(33, v); }
    TPropYesNo NoParameterCheck() const { return yesNo(32); }
    void SetNoParameterCheck(TPropYesNo v) { setYesNo(32, v); }
    TDialogboxMode DialogBoxMode() const { return dialogBoxMode_; }
    void SetDialogBoxMode(TDialogboxMode value);
    TPropYesNo Buttons3D() const { return buttons3D_; }
    void SetButtons3D(TPropYesNo value);
    TPropYesNo ButtonsWithBitmaps() const { return buttonsWithBitmaps_; }
    void SetButtonsWithBitmaps(TPropYesNo value);
    TPropYesNo InterCharSpacing() const { return remembered(78); }
    void SetInterCharSpacing(TPropYesNo v) { setYesNo(78, v); }
    TPropYesNo IncludeFontDescent() const { return remembered(79); }
    void SetIncludeFontDescent(TPropYesNo v) { setYesNo(79, v); }
    TPropYesNo UseChartFields() const { return remembered(81); }
    void SetUseChartFields(TPropYesNo v) { setYesNo(81, v); }
    QString ProjectPassword() const { return projectPassword_; }
    void SetProjectPassword(const QString &password);
    TPropYesNo HelpAvailable() const { return remembered(8); }
    void SetHelpAvailable(TPropYesNo v) { setYesNo(8, v); }
    TPropYesNo SpaceOptimization() const { return remembered(40); }
    void SetSpaceOptimization(TPropYesNo v) { setYesNo(40, v); }
    TPropYesNo VarsCaseSensitive() const { return remembered(46); }
    void SetVarsCaseSensitive(TPropYesNo v) { setYesNo(46, v); }
    TPropYesNo XlatVarNames() const { return remembered(51); }
    void SetXlatVarNames(TPropYesNo v) { setYesNo(51, v); }
    TPropYesNo CreateInfo() const { return remembered(50); }
    void SetCreateInfo(TPropYesNo v) { setYesNo(50, v); }
    TExpressionMode NewExpressions() const;
    void SetNewExpressions(TExpressionMode value);
    TPropYesNo OfnDialogExplorer() const { return remembered(48); }
    void SetOfnDialogExplorer(TPropYesNo v) { setYesNo(48, v); }
    TPropYesNo ShowPredefVars() const { return yesNo(11); }
    void SetShowPredefVars(TPropYesNo v) { setYesNo(11, v); }
    TPropYesNo SortVariables() const { return yesNo(9); }
    void SetSortVariables(TPropYesNo v) { setYesNo(9, v); }
    TPropStgSystem StorageSystem() const;
    void SetStorageSystem(TPropStgSystem value);
    TPropYesNo CompressStorage() const { return yesNo(31); }
    void SetCompressStorage(TPropYesNo value);
    TPropYesNo DelayTableHeader() const { return remembered(47); }
    void SetDelayTableHeader(TPropYesNo v) { setYesNo(47, v); }
    TPropYesNo AddVarsToFields() const { return yesNo(19); }
    void SetAddVarsToFields(TPropYesNo v) { setYesNo(19, v); }
    TPropYesNo ConvertCRLF() const { return yesNo(21); }
    void SetConvertCRLF(TPropYesNo v) { setYesNo(21, v); }
    bool OnlyOneTable() const { return option(1) != 0; }
    void SetOnlyOneTable(bool v) { setOption(1, v ? 1 : 0); }
    TPropYesNo RealTime() const { return remembered(41); }
    void SetRealTime(TPropYesNo v) { setYesNo(41, v); }
    TPropYesNo UseBarcodeSizes() const { return remembered(43); }
    void SetUseBarcodeSizes(TPropYesNo v) { setYesNo(43, v); }
    TPropYesNo UseHostprinter() const { return remembered(13); }
    void SetUseHostprinter(TPropYesNo v) { setYesNo(13, v); }
    TPropYesNo WizFileNew() const { return remembered(22); }
    void SetWizFileNew(TPropYesNo v) { setYesNo(22, v); }
    TPropYesNo Supervisor() const { return yesNo(3); }
    void SetSupervisor(TPropYesNo v) { setYesNo(3, v); }
    TTabMode TabStops() const { return option(5) == 1 ? TTabMode::Expand : TTabMode::Replace; }
    void SetTabStops(TTabMode v) { setOption(5, int(v)); }

    // --- events ---
    DefineEvent OnDefineVariables, OnDefineFields;
    SetPrintOptionsEvent OnSetPrintOptions;
    RecordEvent OnDrawUserobj, OnEditUserobj, OnTableLine, OnTableField, OnExtFct, OnObject, OnPage,
        OnProject, OnNtfyProgress, OnDlgExprVarBtn, OnHostPrinter, OnPrintJobInfo, OnDesignerPrintJob;
    HelpEvent OnHelp;
    MenuEvent OnEnableMenu, OnModifyMenu;
    SelectMenuEvent OnSelectMenu;
    ButtonStateEvent OnGetViewerButtonState;
    VarHelpTextEvent OnVarHelpText;
    ButtonClickedEvent OnViewerButtonClicked;
    TextEvent OnExprError, OnSaveFileName;
    NotifyEvent OnProjectLoaded, OnFailsFilter;

    // The engine's callback: option 7 holds the component.
    static intptr_t NotificationDispatcher(unsigned message, intptr_t parameter, intptr_t userValue);
    // Engine button id -> button ordinal 1..14 (0 = unknown).
    static int viewerButton(int engineId);

    // --- wrappers ---
    int DefineChartFieldStart();
    int DefineFieldExt(const QString &name, const QString &contents, int type);
    int DefineFieldFromDbField(const dbe::TField &field);
    int DefineLayout(QWidget *window, const QString &title, int objectType, const QString &file);
    int SelectFileDlgTitleEx(QWidget *window, const QString &title, QString &file, int objectType);
    int DesignerProhibitAction(int id);
    int DesignerProhibitFunction(const QString &name);
    int DesignerProhibitEditingObject(const QString &name);
    int DesignerAddAction(int id, int flags, const QString &menuText, const QString &menuHierarchy,
                          const QString &tooltip, const QString &statusText);
    int PrintEnd(int value);
    int PrintSetOption(int number, int value);
    int PrintSetOptionString(int number, const QString &text);
    int PrintWithBoxStart(int objectType, const QString &file, int printOptions, int boxType, QWidget *window,
                          const QString &text);
    int PrintDeclareChartRow(int value);
    int SetOptionString(int number, const QString &text);
    int XSetParameter(int type, const QString &module, const QString &key, const QString &value);

    // --- the whole designer and print runs ---
    int Design(int userData, QWidget *parentWindow, const QString &title, int objectType, QString projectFile,
               bool showFileSelect, bool allowNew);
    int Print(int userData, int objectType, QString projectFile, bool showFileSelect, int printOptions,
              int boxType, QWidget *parentWindow, const QString &boxText, bool showOptionsDialog,
              const QString &previewTempPath);

private:
    void openJob();
    void reopenJob();
    void installCallback();
    void installInterface();
    void dropInterface();
    void applyDialogMode();
    intptr_t option(int number) const;
    void setOption(int number, intptr_t value);
    TPropYesNo yesNo(int number) const { return option(number) != 0 ? TPropYesNo::Yes : TPropYesNo::No; }
    void setYesNo(int number, TPropYesNo value) { setOption(number, value == TPropYesNo::Yes ? 1 : 0); }
    TPropYesNo remembered(int number) const;
    void fireDefine(const DefineEvent &event, bool variables, int userData, bool designMode, int &percentage,
                    bool &last, intptr_t &result);
    intptr_t dispatch(unsigned message, intptr_t parameter);

    bool copy_ = false;
    std::unique_ptr<TPrvAppearance> preview_;
    std::unique_ptr<TDictionary> dictionary_;
    TDesignerWorkspace workspace_;
    std::vector<TDesignerAction> actions_;
    std::shared_ptr<TbXList> objects_, functions_;
    TbXInterface *interface_ = nullptr;
    bool printing_ = false;
    std::chrono::milliseconds boxTextInterval_{100};
    // Every option the properties set, sent again to a reopened job.
    std::map<int, intptr_t> sent_;
    int debugMode_ = 0;
    int emfResolution_ = 0;
    TLanguageType language_ = TLanguageType::DefaultLang;
    int maxRtfVersion_ = 0;
    TDialogboxMode dialogBoxMode_ = TDialogboxMode::Win95;
    int dialogBaseMode_ = 0;
    int dialogStyleFlags_ = 0;
    TPropYesNo buttons3D_ = TPropYesNo::No, buttonsWithBitmaps_ = TPropYesNo::No;
    QString projectPassword_;
};

} // namespace reporting
