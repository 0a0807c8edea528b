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
#include "TbEvents.h"
#include "TbOptions.h"
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
class TTb14_ : public QObject, public TTbOptions, public TTbSharedEvents {
    Q_OBJECT
public:
    // UserData, IsDesignMode, var Percentage, var IsLastRecord, var EventResult.
    using DefineEvent = std::function<void(QObject *sender, int userData, bool isDesignMode, int &percentage,
                                           bool &isLastRecord, intptr_t &eventResult)>;
    using SetPrintOptionsEvent = std::function<void(QObject *sender, int &printMethodOptionFlags)>;
    // Engine records of messages 0, 1, 10, 11, 12, 20, 21, 22, 37, 39, 40, 58, 66, with the result.
    using RecordEvent = RecordResultEvent;
    using ButtonStateEvent = std::function<void(QObject *sender, int button, int &buttonState)>;
    using VarHelpTextEvent = std::function<void(QObject *sender, const QString &name, QString &helpText)>;
    using ButtonClickedEvent = std::function<void(QObject *sender, int button, bool &performDefaultAction)>;
    using TextEvent = std::function<void(QObject *sender, const QString &text)>;

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

    // --- properties (the shared ones in TTbOptions) ---
    void SetLanguage(TLanguageType value);
    int MaxRTFVersion() const { return maxRtfVersion_; }
    void SetMaxRTFVersion(int value);
    int IncrementalPreview() const { return int(option(135)); }
    void SetIncrementalPreview(int value) { setOption(135, value); }
    int PhantomspaceRepresentationCode() const { return int(option(54)); }
    void SetPhantomspaceRepresentationCode(int v) { setOption(54, v); }
    int LocknextcharRepresentationCode() const { return int(option(55)); }
    void SetLocknextcharRepresentationCode(int v) { setOption(55, v); }
    int ExprsepRepresentationCode() const { return int(option(56)); }
    void SetExprsepRepresentationCode(int v) { setOption(56, v); }
    int TextquoteRepresentationCode() const { return int(option(66)); }
    void SetTextquoteRepresentationCode(int v) { setOption(66, v); }
    TPropUnitSystem UnitSystem() const;
    void SetUnitSystem(TPropUnitSystem v);
    void SetDialogBoxMode(TDialogboxMode value);
    TPropYesNo InterCharSpacing() const { return YesNo(TbYesNo::InterCharSpacing); }
    void SetInterCharSpacing(TPropYesNo v) { SetYesNo(TbYesNo::InterCharSpacing, v); }
    TPropYesNo IncludeFontDescent() const { return YesNo(TbYesNo::IncludeFontDescent); }
    void SetIncludeFontDescent(TPropYesNo v) { SetYesNo(TbYesNo::IncludeFontDescent, v); }
    TPropYesNo UseChartFields() const { return YesNo(TbYesNo::UseChartFields); }
    void SetUseChartFields(TPropYesNo v) { SetYesNo(TbYesNo::UseChartFields, v); }
    QString ProjectPassword() const { return projectPassword_; }
    void SetProjectPassword(const QString &password);

    // --- events ---
    DefineEvent OnDefineVariables, OnDefineFields;
    SetPrintOptionsEvent OnSetPrintOptions;
    RecordEvent OnDrawUserobj, OnEditUserobj, OnTableLine, OnTableField, OnExtFct, OnObject, OnPage,
        OnProject, OnNtfyProgress, OnDlgExprVarBtn, OnHostPrinter, OnPrintJobInfo, OnDesignerPrintJob;
    ButtonStateEvent OnGetViewerButtonState;
    VarHelpTextEvent OnVarHelpText;
    ButtonClickedEvent OnViewerButtonClicked;
    TextEvent OnExprError, OnSaveFileName;
    NotifyEvent OnProjectLoaded;

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
    int maxRtfVersion_ = 0;
    QString projectPassword_;
};

} // namespace reporting
