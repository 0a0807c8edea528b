#include "Tb6.h"

#include <algorithm>

#include "reportengine/IEngine.h"
#include "ui/Messages.h"

namespace reporting {

namespace {

tb::IEngine &eng()
{
    return tb::engine();
}

constexpr int kLanguageCount = 42;

// The text buffer message 35 hands to the engine (the answer must outlive the callback).
QString &helpTextBuffer()
{
    static QString buffer;
    return buffer;
}

} // namespace

TTb6_::TTb6_(QObject *owner) : QObject(owner), preview_(std::make_unique<TPrvAppearance>())
{
    OpenJob(false);
    installCallback();
    setNewYesNoOptions(kTbVersion6);
    SetMaxRTFVersion(256);
    dialogBaseMode_ = 0;
    dialogStyleFlags_ = 0;
    SetDialogBoxMode(TDialogboxMode::Win95);
    SetButtons3D(TPropYesNo::Yes);
    SetButtonsWithBitmaps(TPropYesNo::No);
    SetEMFResolution(0);
    SetNewExpressions(TExpressionMode::NewMode);
    SetOnlyOneTable(false);
    SetRetRepresentationCode(182);
    SetStorageSystem(TPropStgSystem::Storage);
    SetTableColoringMode(TPropTableColoring::Normal);
    SetTabRepresentationCode(247);
    SetTabStops(TTabMode::Replace);
}

TTb6_::~TTb6_()
{
    if (job_ >= 0)
        eng().TbJobClose(job_);
}

// --- job ---

bool TTb6_::ShowJobError()
{
    if (job_ < 0) {
        ui::messages().titled(ui::MsgType::Information, QStringLiteral("Error"),
                              job_ == tb::TB_ERR_NO_LANGUAGE
                                  ? QStringLiteral("Tabulon Language file not found.")
                                  : QStringLiteral("Can't open the Tabulon job."));
    }
    return job_ < 0;
}

bool TTb6_::OpenJob(bool reportFirst)
{
    if (reportFirst)
        ShowJobError();
    int opened = -1;
    bool reopened = false;
    if (job_ < 0) {
        reopened = true;
        job_ = eng().TbJobOpen(-1);
        // Only "failed, try a language" leads to the explicit languages.
        if (job_ == tb::TB_ERR_GENERIC) {
            for (int language = 0; language < kLanguageCount; ++language) {
                job_ = eng().TbJobOpen(language);
                if (job_ >= 0) {
                    opened = language;
                    break;
                }
            }
        }
    }
    preview_->setJob(job_);
    if (job_ < 0) {
        ui::messages().titled(ui::MsgType::Information, QStringLiteral("Error"),
                              QStringLiteral("Can't find the Tabulon default language file."));
        return false;
    }
    if (reopened)
        language_ = TLanguageType(opened + 1);
    installCallback();
    return true;
}

void TTb6_::installCallback()
{
    eng().TbSetOption(job_, tb::opt::CallbackUserValue, reinterpret_cast<intptr_t>(this));
    eng().TbSetNotificationCallback(job_, &TTb6_::NotificationDispatcher);
}

void TTb6_::SetLanguage(TLanguageType value)
{
    // Everything the job holds is remembered and written back into the new job.
    std::vector<std::pair<TbYesNo, TPropYesNo>> yesNo;
    for (const TbYesNoOption &o : tbYesNoOptions())
        if (o.versions & kTbVersion6)
            yesNo.emplace_back(o.which, YesNo(o.which));
    const int debugMode = debugMode_;
    const TExpressionMode newExpressions = NewExpressions();
    const bool onlyOneTable = OnlyOneTable();
    const TPropYesNo compressStorage = CompressStorage(), buttons3D = buttons3D_,
                     buttonsWithBitmaps = buttonsWithBitmaps_;
    const TTabMode tabStops = TabStops();
    const int tabCode = TabRepresentationCode(), retCode = RetRepresentationCode();
    const int maxRtf = maxRtfVersion_;
    const TPropTableColoring coloring = TableColoringMode();
    const TPropUnitSystem unitSystem = UnitSystem();
    const TPropStgSystem storageSystem = StorageSystem();
    const TDialogboxMode dialogBoxMode = dialogBoxMode_;
    const int baseMode = dialogBaseMode_, styleFlags = dialogStyleFlags_;
    const EnableFlags flags = enabled_;

    language_ = value;
    if (job_ >= 0)
        eng().TbJobClose(job_);
    const int ordinal = int(value);
    job_ = eng().TbJobOpen(ordinal > kLanguageCount ? -1 : ordinal - 1);
    if (job_ < 0)
        OpenJob(true);
    else
        installCallback();
    preview_->setJob(job_);

    SetDebugMode(debugMode);
    SetNewExpressions(newExpressions);
    SetOnlyOneTable(onlyOneTable);
    SetTabStops(tabStops);
    SetTabRepresentationCode(tabCode);
    SetRetRepresentationCode(retCode);
    for (const auto &[which, saved] : yesNo)
        SetYesNo(which, saved);
    SetMaxRTFVersion(maxRtf);
    SetTableColoringMode(coloring);
    SetUnitSystem(unitSystem);
    SetStorageSystem(storageSystem);
    SetCompressStorage(compressStorage);
    // The dialog mode comes back as stored values and reaches the engine through the two setters below.
    dialogBoxMode_ = dialogBoxMode;
    dialogBaseMode_ = baseMode;
    dialogStyleFlags_ = styleFlags;
    SetButtons3D(buttons3D);
    SetButtonsWithBitmaps(buttonsWithBitmaps);
    SetEnableTableFieldEvent(flags.TableField);
    SetEnableTableLineEvent(flags.TableLine);
    SetEnableDrawUserobjEvent(flags.DrawUserobj);
    SetEnableEditUserobjEvent(flags.EditUserobj);
    SetEnableExtFctEvent(flags.ExtFct);
    SetEnableObjectEvent(flags.Object);
    SetEnablePageEvent(flags.Page);
    SetEnableProjectEvent(flags.Project);
    SetEnableGroupBeginEvent(flags.GroupBegin);
    SetEnableGroupEndEvent(flags.GroupEnd);
    SetEnableGroupLineEvent(flags.GroupLine);
    SetEnableHelpCallbackEvent(flags.HelpCallback);
    SetEnableEnableMenuEvent(flags.EnableMenu);
    SetEnableModifyMenuEvent(flags.ModifyMenu);
    SetEnableSelectMenuEvent(flags.SelectMenu);
    SetEnableGetViewerButtonStateEvent(flags.GetViewerButtonState);
    SetEnableVarHelpTextEvent(flags.VarHelpText);
    SetEnableNtfyProgressEvent(flags.NtfyProgress);
    SetEnableViewerButtonClickedEvent(flags.ViewerButtonClicked);
    SetEnableDlgExprVarBtnEvent(flags.DlgExprVarBtn);
    SetEnableHostPrinterEvent(flags.HostPrinter);
    SetEnableFailsFilterEvent(flags.FailsFilter);
    SetEnableDefineVariablesEvent(flags.DefineVariables);
    SetEnableDefineFieldsEvent(flags.DefineFields);
}

// --- properties ---

TPropUnitSystem TTb6_::UnitSystem() const
{
    return eng().TbGetOption(job_, tb::opt::UnitSystem) == 0 ? TPropUnitSystem::Metric
                                                             : TPropUnitSystem::Inch;
}

void TTb6_::SetUnitSystem(TPropUnitSystem value)
{
    setOption(tb::opt::UnitSystem, value == TPropUnitSystem::Inch ? 1 : 0);
}

void TTb6_::SetDialogBoxMode(TDialogboxMode value)
{
    dialogBoxMode_ = value;
    dialogBaseMode_ = int(value) + 1;
    applyDialogMode();
}

// --- enable flags ---

void TTb6_::setMaskBit(intptr_t bit, bool on)
{
    const intptr_t mask = eng().TbGetOption(job_, tb::opt::CallbackMask);
    eng().TbSetOption(job_, tb::opt::CallbackMask, on ? (mask | bit) : (mask & ~bit));
}

void TTb6_::SetEnableTableFieldEvent(bool value)
{
    enabled_.TableField = value;
    if (value && TableColoringMode() == TPropTableColoring::Normal)
        SetTableColoringMode(TPropTableColoring::Userdefined);
}

void TTb6_::SetEnableObjectEvent(bool value)
{
    enabled_.Object = value;
    setMaskBit(tb::TB_MASK_OBJECT, value);
}

void TTb6_::SetEnablePageEvent(bool value)
{
    enabled_.Page = value;
    setMaskBit(tb::TB_MASK_PAGE, value);
}

void TTb6_::SetEnableProjectEvent(bool value)
{
    enabled_.Project = value;
    setMaskBit(tb::TB_MASK_PROJECT, value);
}

void TTb6_::SetEnableHelpCallbackEvent(bool value)
{
    enabled_.HelpCallback = value;
    setMaskBit(tb::TB_MASK_HELP, value);
}

void TTb6_::SetEnableDlgExprVarBtnEvent(bool value)
{
    enabled_.DlgExprVarBtn = value;
    eng().TbSetOption(job_, 39, value ? 1 : 0);
}

void TTb6_::SetEnableHostPrinterEvent(bool value)
{
    enabled_.HostPrinter = value;
    eng().TbSetOption(job_, 13, value ? 1 : 0);
}

// --- notifications ---

intptr_t TTb6_::NotificationDispatcher(unsigned message, intptr_t parameter, intptr_t userValue)
{
    auto *self = reinterpret_cast<TTb6_ *>(userValue);
    return self ? self->dispatch(message & 0xFFFF, parameter) : 0;
}

intptr_t TTb6_::dispatch(unsigned message, intptr_t parameter)
{
    void *record = reinterpret_cast<void *>(parameter);
    auto recordEvent = [&](bool flag, const RecordEvent &event) -> intptr_t {
        if (flag && event)
            event(this, record);
        return 0;
    };
    auto resultEvent = [&](bool flag, const RecordResultEvent &event, intptr_t start) -> intptr_t {
        return flag ? tbFireRecordEvent(event, this, record, start) : start;
    };
    const int high = tbHighWord(parameter);
    const int low = tbLowWord(parameter);
    switch (message) {
    case 0:
        return recordEvent(enabled_.DrawUserobj, OnDrawUserobj);
    case 1:
        return recordEvent(enabled_.EditUserobj, OnEditUserobj);
    case 10:
        return recordEvent(enabled_.TableLine, OnTableLine);
    case 11:
        return recordEvent(enabled_.TableField, OnTableField);
    case 12:
        return recordEvent(enabled_.ExtFct, OnExtFct);
    case 20:
        return resultEvent(enabled_.Object, OnObject, 0);
    case 21:
        return recordEvent(enabled_.Page, OnPage);
    case 22:
        return recordEvent(enabled_.Project, OnProject);
    case 23:
        return resultEvent(enabled_.GroupBegin, OnGroupBegin, 2);
    case 24:
        return resultEvent(enabled_.GroupEnd, OnGroupEnd, 0);
    case 25:
        return resultEvent(enabled_.GroupLine, OnGroupLine, 2);
    case 30: {
        intptr_t result = 0;
        if (enabled_.HelpCallback && OnHelp)
            OnHelp(this, high, low, result);
        return result;
    }
    case 31:
        if (enabled_.EnableMenu && OnEnableMenu)
            OnEnableMenu(this, parameter);
        return 0;
    case 32:
        if (enabled_.ModifyMenu && OnModifyMenu)
            OnModifyMenu(this, parameter);
        return 0;
    case 33: {
        intptr_t result = 0;
        if (enabled_.SelectMenu && OnSelectMenu)
            OnSelectMenu(this, int(parameter), result);
        return result;
    }
    case 34: {
        intptr_t result = 0;
        if (enabled_.GetViewerButtonState && OnGetViewerButtonState)
            OnGetViewerButtonState(this, high, low, result);
        return result;
    }
    case 35: {
        if (!enabled_.VarHelpText || !OnVarHelpText)
            return 0;
        QString &buffer = helpTextBuffer();
        buffer.clear();
        QString *text = &buffer;
        const QString *name = reinterpret_cast<const QString *>(parameter);
        OnVarHelpText(this, name ? *name : QString(), text);
        return reinterpret_cast<intptr_t>(text);
    }
    case 37:
        return recordEvent(enabled_.NtfyProgress, OnNtfyProgress);
    case 38: {
        intptr_t result = 0;
        if (enabled_.ViewerButtonClicked && OnViewerButtonClicked)
            OnViewerButtonClicked(this, low, result);
        return result;
    }
    case 39:
        return resultEvent(enabled_.DlgExprVarBtn, OnDlgExprVarBtn, 0);
    case 40:
        return resultEvent(enabled_.HostPrinter, OnHostPrinter, 0);
    case 1000:
        if (enabled_.FailsFilter && OnFailsFilter)
            OnFailsFilter(this);
        return 0;
    default:
        return 0;
    }
}

// --- wrappers ---

int TTb6_::DefineField(const QString &name, const QString &contents)
{
    return eng().TbDefineFieldA(job_, name, contents);
}

int TTb6_::DefineLayout(QWidget *window, const QString &title, int objectType, const QString &file)
{
    return eng().TbDefineLayoutA(job_, window, title, objectType, file);
}

int TTb6_::PrintEnd(int value)
{
    return eng().TbPrintEnd(job_, value);
}

int TTb6_::PrintGetCurrentPage()
{
    return eng().TbPrintGetCurrentPage(job_);
}

int TTb6_::PrintGetItemsPerPage()
{
    return eng().TbPrintGetItemsPerPage(job_);
}

int TTb6_::PrintGetItemsPerTable()
{
    return eng().TbPrintGetItemsPerTable(job_);
}

QString TTb6_::ErrorText()
{
    return eng().TbGetErrorTextA(job_);
}

int TTb6_::PrintWithBoxStart(int objectType, const QString &file, int printOptions, int boxType,
                             QWidget *window, const QString &text)
{
    return eng().TbPrintWithBoxStartA(job_, objectType, file, printOptions, boxType, window, text);
}

int TTb6_::PrintIsFieldUsed(const QString &name)
{
    return eng().TbPrintIsFieldUsedA(job_, name);
}

int TTb6_::PrintDidMatchFilter()
{
    return eng().TbPrintDidMatchFilter(job_);
}

} // namespace reporting
