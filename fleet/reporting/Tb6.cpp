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

int yes(TPropYesNo value)
{
    return value == TPropYesNo::Yes ? 1 : 0;
}

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
    SetHelpAvailable(TPropYesNo::Yes);
    SetAutoMultipage(TPropYesNo::Yes);
    SetSpaceOptimization(TPropYesNo::Yes);
    SetVarsCaseSensitive(TPropYesNo::Yes);
    SetMaxRTFVersion(256);
    dialogBaseMode_ = 0;
    dialogStyleFlags_ = 0;
    SetDialogBoxMode(TDialogboxMode::Win95);
    SetButtons3D(TPropYesNo::Yes);
    SetButtonsWithBitmaps(TPropYesNo::No);
    SetXlatVarNames(TPropYesNo::Yes);
    SetCreateInfo(TPropYesNo::Yes);
    SetAddVarsToFields(TPropYesNo::No);
    SetConvertCRLF(TPropYesNo::No);
    SetDelayTableHeader(TPropYesNo::No);
    SetEMFResolution(0);
    SetMultipleTableLines(TPropYesNo::No);
    SetNewExpressions(TExpressionMode::NewMode);
    SetNoNoTableCheck(TPropYesNo::No);
    SetNoParameterCheck(TPropYesNo::No);
    SetOfnDialogExplorer(TPropYesNo::Yes);
    SetOnlyOneTable(false);
    SetRealTime(TPropYesNo::No);
    SetRetRepresentationCode(182);
    SetShowPredefVars(TPropYesNo::Yes);
    SetSortVariables(TPropYesNo::Yes);
    SetStorageSystem(TPropStgSystem::Storage);
    SetSupportPageBreak(TPropYesNo::No);
    SetTableColoringMode(TPropTableColoring::Normal);
    SetTabRepresentationCode(247);
    SetTabStops(TTabMode::Replace);
    SetUseBarcodeSizes(TPropYesNo::No);
    SetUseHostprinter(TPropYesNo::No);
    SetWizFileNew(TPropYesNo::No);
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
    const int debugMode = debugMode_;
    const TExpressionMode newExpressions = NewExpressions();
    const bool onlyOneTable = OnlyOneTable();
    const TPropYesNo multipleTableLines = MultipleTableLines(), addVarsToFields = AddVarsToFields(),
                     supervisor = Supervisor(), convertCrLf = ConvertCRLF(), helpAvailable = helpAvailable_,
                     autoMultipage = autoMultipage_, delayTableHeader = delayTableHeader_,
                     ofnDialogExplorer = ofnDialogExplorer_, realTime = realTime_,
                     spaceOptimization = spaceOptimization_, useBarcodeSizes = useBarcodeSizes_,
                     useHostprinter = useHostprinter_, varsCaseSensitive = varsCaseSensitive_,
                     wizFileNew = wizFileNew_, supportPageBreak = SupportPageBreak(),
                     sortVariables = SortVariables(), showPredefVars = ShowPredefVars(),
                     compressStorage = CompressStorage(), noParameterCheck = NoParameterCheck(),
                     noNoTableCheck = NoNoTableCheck(), buttons3D = buttons3D_,
                     buttonsWithBitmaps = buttonsWithBitmaps_, xlatVarNames = xlatVarNames_,
                     createInfo = createInfo_;
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
    SetMultipleTableLines(multipleTableLines);
    SetAddVarsToFields(addVarsToFields);
    SetSupervisor(supervisor);
    SetTabStops(tabStops);
    SetConvertCRLF(convertCrLf);
    SetTabRepresentationCode(tabCode);
    SetRetRepresentationCode(retCode);
    SetHelpAvailable(helpAvailable);
    SetAutoMultipage(autoMultipage);
    SetDelayTableHeader(delayTableHeader);
    SetOfnDialogExplorer(ofnDialogExplorer);
    SetRealTime(realTime);
    SetSpaceOptimization(spaceOptimization);
    SetUseBarcodeSizes(useBarcodeSizes);
    SetUseHostprinter(useHostprinter);
    SetVarsCaseSensitive(varsCaseSensitive);
    SetWizFileNew(wizFileNew);
    SetMaxRTFVersion(maxRtf);
    SetSupportPageBreak(supportPageBreak);
    SetSortVariables(sortVariables);
    SetShowPredefVars(showPredefVars);
    SetTableColoringMode(coloring);
    SetUnitSystem(unitSystem);
    SetStorageSystem(storageSystem);
    SetCompressStorage(compressStorage);
    SetNoParameterCheck(noParameterCheck);
    SetNoNoTableCheck(noNoTableCheck);
    // The dialog mode comes back as stored values and reaches the engine through the two setters below.
    dialogBoxMode_ = dialogBoxMode;
    dialogBaseMode_ = baseMode;
    dialogStyleFlags_ = styleFlags;
    SetButtons3D(buttons3D);
    SetButtonsWithBitmaps(buttonsWithBitmaps);
    SetXlatVarNames(xlatVarNames);
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
    SetCreateInfo(createInfo);
}

// --- properties ---

void TTb6_::SetDebugMode(int value)
{
    debugMode_ = value;
    eng().TbSetDebug(value);
}

void TTb6_::SetEMFResolution(int value)
{
    eng().TbSetOption(job_, 49, value);
    emfResolution_ = int(eng().TbGetOption(job_, 49));
}

TPropYesNo TTb6_::yesNoOption(int number) const
{
    return eng().TbGetOption(job_, number) != 0 ? TPropYesNo::Yes : TPropYesNo::No;
}

void TTb6_::setYesNoOption(int number, TPropYesNo value)
{
    eng().TbSetOption(job_, number, yes(value));
}

void TTb6_::setRemembered(TPropYesNo &field, int number, TPropYesNo value)
{
    field = value;
    eng().TbSetOption(job_, number, yes(value));
}

TExpressionMode TTb6_::NewExpressions() const
{
    if (eng().TbGetOption(job_, 0) != 0)
        return TExpressionMode::NewMode;
    if (eng().TbGetOption(job_, 14) != 0)
        return TExpressionMode::Enhanced;
    return TExpressionMode::Old;
}

void TTb6_::SetNewExpressions(TExpressionMode value)
{
    switch (value) {
    case TExpressionMode::Old:
        eng().TbSetOption(job_, 0, 0);
        eng().TbSetOption(job_, 14, 0);
        break;
    case TExpressionMode::NewMode:
        eng().TbSetOption(job_, 0, 1);
        break;
    case TExpressionMode::Enhanced:
        eng().TbSetOption(job_, 14, 1);
        break;
    }
}

bool TTb6_::OnlyOneTable() const
{
    return eng().TbGetOption(job_, 1) != 0;
}

void TTb6_::SetOnlyOneTable(bool value)
{
    eng().TbSetOption(job_, 1, value ? 1 : 0);
}

TTabMode TTb6_::TabStops() const
{
    return eng().TbGetOption(job_, 5) == 1 ? TTabMode::Expand : TTabMode::Replace;
}

void TTb6_::SetTabStops(TTabMode value)
{
    eng().TbSetOption(job_, 5, int(value));
}

int TTb6_::TabRepresentationCode() const
{
    return int(eng().TbGetOption(job_, 15));
}

void TTb6_::SetTabRepresentationCode(int code)
{
    eng().TbSetOption(job_, 15, code);
}

int TTb6_::RetRepresentationCode() const
{
    return int(eng().TbGetOption(job_, 23));
}

void TTb6_::SetRetRepresentationCode(int code)
{
    eng().TbSetOption(job_, 23, code);
}

TPropTableColoring TTb6_::TableColoringMode() const
{
    return TPropTableColoring(std::clamp<intptr_t>(eng().TbGetOption(job_, tb::opt::TableColoring), 0, 2));
}

void TTb6_::SetTableColoringMode(TPropTableColoring value)
{
    // The warnings and flag resets of this setter belong to design time only.
    eng().TbSetOption(job_, tb::opt::TableColoring, int(value));
}

TPropUnitSystem TTb6_::UnitSystem() const
{
    return eng().TbGetOption(job_, tb::opt::UnitSystem) == 0 ? TPropUnitSystem::Metric
                                                             : TPropUnitSystem::Inch;
}

void TTb6_::SetUnitSystem(TPropUnitSystem value)
{
    eng().TbSetOption(job_, tb::opt::UnitSystem, value == TPropUnitSystem::Inch ? 1 : 0);
}

TPropStgSystem TTb6_::StorageSystem() const
{
    return eng().TbGetOption(job_, 30) != 0 ? TPropStgSystem::Storage : TPropStgSystem::Compat4;
}

void TTb6_::SetStorageSystem(TPropStgSystem value)
{
    eng().TbSetOption(job_, 30, int(value));
    if (value == TPropStgSystem::Compat4)
        SetCompressStorage(TPropYesNo::No);
}

void TTb6_::SetCompressStorage(TPropYesNo value)
{
    const bool compress = value == TPropYesNo::Yes && StorageSystem() == TPropStgSystem::Storage;
    eng().TbSetOption(job_, 31, compress ? 1 : 0);
}

void TTb6_::applyDialogMode()
{
    eng().TbSetDlgboxMode(dialogBaseMode_ | dialogStyleFlags_);
}

void TTb6_::SetDialogBoxMode(TDialogboxMode value)
{
    dialogBoxMode_ = value;
    dialogBaseMode_ = int(value) + 1;
    applyDialogMode();
}

void TTb6_::SetButtons3D(TPropYesNo value)
{
    buttons3D_ = value;
    if (value == TPropYesNo::Yes)
        dialogStyleFlags_ |= 0x8000;
    else
        dialogStyleFlags_ &= ~0x8000;
    applyDialogMode();
}

void TTb6_::SetButtonsWithBitmaps(TPropYesNo value)
{
    buttonsWithBitmaps_ = value;
    if (value == TPropYesNo::No)
        dialogStyleFlags_ |= 0x2000;
    else
        dialogStyleFlags_ &= ~0x2000;
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
        intptr_t result = start;
        if (flag && event)
            event(this, record, result);
        return result;
    };
    const int high = int((parameter >> 16) & 0xFFFF);
    const int low = int(parameter & 0xFFFF);
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
