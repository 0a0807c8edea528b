#include "Tb14.h"

#include <algorithm>

#include "FortschrittsTakt.h"
#include "base/GermanFormat.h"
#include "dbe/Field.h"
#include "reportengine/IEngine.h"
#include "ui/Messages.h"

namespace reporting {

namespace {

tb::IEngine &eng()
{
    return tb::engine();
}

constexpr int kLanguageCount = 42;
constexpr intptr_t kCallbackMask = 0x7E000000;
constexpr int kFirstActionId = 10100;
constexpr int kTextBufferSize = 1024;
constexpr int kOfficeStyle = 99;
constexpr int kReservedReset = 106;

// The text buffer message 35 hands to the engine (the answer must outlive the callback).
QString &helpTextBuffer()
{
    static QString buffer;
    return buffer;
}

// Engine ids of the preview buttons, in the order of the button ordinals 1..14.
constexpr int kViewerButtons[] = {104, 105, 103, 100, 101, 108, 112, 113, 114, 115, 116, 117, 16496, 16497};

} // namespace

int TDesignerAction::flags() const
{
    int f = 0x80000 | (ShortCut & 0xFFF);
    if (ShortCut & 0x4000)
        f |= 0x10000;
    if (ShortCut & 0x2000)
        f |= 0x20000;
    if (ShortCut & 0x8000)
        f |= 0x40000;
    if (Bit0)
        f |= 1;
    if (Bit29)
        f |= 1 << 29;
    return f;
}

TTb14_::TTb14_(QObject *owner) : QObject(owner), preview_(std::make_unique<TPrvAppearance>())
{
    auto *parent = dynamic_cast<TTb14_ *>(owner);
    if (parent) {
        copy_ = true;
        job_ = eng().TbJobOpenCopy(parent->job_);
        preview_->setJob(job_);
        OnTableField = parent->OnTableField;
        OnExtFct = parent->OnExtFct;
        OnObject = parent->OnObject;
        OnPage = parent->OnPage;
        OnProject = parent->OnProject;
        OnHelp = parent->OnHelp;
        OnEnableMenu = parent->OnEnableMenu;
        OnModifyMenu = parent->OnModifyMenu;
        OnSelectMenu = parent->OnSelectMenu;
        OnGetViewerButtonState = parent->OnGetViewerButtonState;
        OnVarHelpText = parent->OnVarHelpText;
        OnNtfyProgress = parent->OnNtfyProgress;
        OnViewerButtonClicked = parent->OnViewerButtonClicked;
        OnDlgExprVarBtn = parent->OnDlgExprVarBtn;
        OnHostPrinter = parent->OnHostPrinter;
        OnExprError = parent->OnExprError;
        OnPrintJobInfo = parent->OnPrintJobInfo;
        OnSaveFileName = parent->OnSaveFileName;
        OnProjectLoaded = parent->OnProjectLoaded;
        debugMode_ = parent->debugMode_;
        objects_ = parent->objects_;
        functions_ = parent->functions_;
    } else {
        openJob();
        SetIncrementalPreview(0);
        SetPhantomspaceRepresentationCode(2);
        SetLocknextcharRepresentationCode(3);
        SetExprsepRepresentationCode(164);
        SetTextquoteRepresentationCode(1);
        SetMaxRTFVersion(1025); // a change from nothing: the job is reopened once
        SetTableColoringMode(TPropTableColoring::Normal);
        dialogBaseMode_ = 0;
        dialogStyleFlags_ = 0;
        SetDialogBoxMode(TDialogboxMode::Office2003);
        SetButtons3D(TPropYesNo::No);
        SetButtonsWithBitmaps(TPropYesNo::No);
        setNewYesNoOptions(kTbVersion14);
        SetNewExpressions(TExpressionMode::NewMode);
        SetRetRepresentationCode(182);
        SetStorageSystem(TPropStgSystem::Storage);
        SetTabRepresentationCode(247);
        SetEMFResolution(0);
        SetOnlyOneTable(false);
        SetTabStops(TTabMode::Replace);
        projectPassword_.clear();
        eng().TbSetOption(job_, kReservedReset, 0);
        objects_ = std::make_shared<TbXList>();
        functions_ = std::make_shared<TbXList>();
    }
    dictionary_ = std::make_unique<TDictionary>(
        [this](int number, intptr_t value) { eng().TbSetOption(job_, number, value); },
        [this](int number, const QString &text) { eng().TbSetOptionStringA(job_, number, text); });
    printing_ = false;
}

TTb14_::~TTb14_()
{
    dropInterface();
    if (!copy_)
        eng().TbSetNotificationCallback(job_, nullptr);
    if (job_ >= 0)
        eng().TbJobClose(job_);
}

// --- job ---

void TTb14_::openJob()
{
    int opened = -1;
    job_ = eng().TbJobOpen(-1);
    // Every explicit language is tried, whatever the failure was.
    for (int language = 0; job_ < 0 && language < kLanguageCount; ++language) {
        job_ = eng().TbJobOpen(language);
        if (job_ >= 0)
            opened = language;
    }
    preview_->setJob(job_);
    if (job_ < 0) {
        ui::messages().titled(ui::MsgType::Information, QStringLiteral("Error"),
                              QStringLiteral("Can't find the Tabulon default language file."));
        return;
    }
    if (opened >= 0)
        language_ = TLanguageType(opened + 1);
    installCallback();
}

void TTb14_::installCallback()
{
    eng().TbSetOption(job_, tb::opt::CallbackUserValue, reinterpret_cast<intptr_t>(this));
    eng().TbSetOption(job_, tb::opt::CallbackMask, kCallbackMask);
    eng().TbSetNotificationCallback(job_, &TTb14_::NotificationDispatcher);
}

void TTb14_::reopenJob()
{
    if (job_ >= 0)
        eng().TbJobClose(job_);
    eng().TbSetOption(-1, tb::opt::MaxRtfVersion, maxRtfVersion_);
    const int ordinal = int(language_);
    job_ = eng().TbJobOpen(ordinal == 0 || ordinal > kLanguageCount ? -1 : ordinal - 1);
    if (job_ < 0) {
        if (job_ == tb::TB_ERR_NO_LANGUAGE)
            ui::messages().titled(ui::MsgType::Information, QStringLiteral("Error"),
                                  QStringLiteral("Tabulon Language file not found."));
        else
            ui::messages().titled(ui::MsgType::Information, QStringLiteral("Error"),
                                  QStringLiteral("Can't open the Tabulon job."));
        openJob();
    } else {
        installCallback();
    }
    preview_->setJob(job_);
    // Everything the properties set goes to the new job again (not the picture resolution).
    for (const auto &[number, value] : sent_)
        if (number != kTbEmfResolution)
            eng().TbSetOption(job_, number, value);
    eng().TbSetDebug(debugMode_);
    applyDialogMode();
    if (!projectPassword_.isEmpty())
        eng().TbSetOptionStringA(job_, tb::TB_OPTSTR_PASSWORD, projectPassword_);
    eng().TbSetOption(job_, kReservedReset, 0);
}

// --- properties ---

void TTb14_::SetLanguage(TLanguageType value)
{
    language_ = value;
    reopenJob();
}

void TTb14_::SetMaxRTFVersion(int value)
{
    if (value == maxRtfVersion_)
        return;
    maxRtfVersion_ = value;
    reopenJob();
}

TPropUnitSystem TTb14_::UnitSystem() const
{
    switch (option(tb::opt::UnitSystem)) {
    case 0:
        return TPropUnitSystem::Metric;
    case 5:
        return TPropUnitSystem::HiMetric;
    case 1:
        return TPropUnitSystem::Inch;
    default:
        return TPropUnitSystem::HiInch;
    }
}

void TTb14_::SetUnitSystem(TPropUnitSystem value)
{
    const int codes[] = {0, 1, 5, 2}; // Metric, Inch, HiMetric, HiInch
    setOption(tb::opt::UnitSystem, codes[int(value)]);
}

void TTb14_::SetDialogBoxMode(TDialogboxMode value)
{
    dialogBoxMode_ = value;
    const int office97 = int(TDialogboxMode::Office97) + 1;
    dialogBaseMode_ = std::min(int(value) + 1, office97);
    setOption(kOfficeStyle, value == TDialogboxMode::OfficeXP     ? 1
                            : value == TDialogboxMode::Office2003 ? 2
                                                                  : 0);
    applyDialogMode();
}

void TTb14_::SetProjectPassword(const QString &password)
{
    projectPassword_ = password;
    eng().TbSetOptionStringA(job_, tb::TB_OPTSTR_PASSWORD, password);
}

// --- notifications ---

int TTb14_::viewerButton(int engineId)
{
    const auto *end = std::end(kViewerButtons);
    const auto *it = std::find(std::begin(kViewerButtons), end, engineId);
    return it == end ? 0 : int(it - std::begin(kViewerButtons)) + 1;
}

intptr_t TTb14_::NotificationDispatcher(unsigned message, intptr_t parameter, intptr_t userValue)
{
    auto *self = reinterpret_cast<TTb14_ *>(userValue);
    return self ? self->dispatch(message & 0xFFFF, parameter) : 0;
}

intptr_t TTb14_::dispatch(unsigned message, intptr_t parameter)
{
    void *record = reinterpret_cast<void *>(parameter);
    auto recordEvent = [&](const RecordEvent &event) { return tbFireRecordEvent(event, this, record, 0); };
    const int high = tbHighWord(parameter);
    const int low = tbLowWord(parameter);
    switch (message) {
    case 0:
        return recordEvent(OnDrawUserobj);
    case 1:
        return OnEditUserobj ? (recordEvent(OnEditUserobj), 1) : 0;
    case 10:
        return recordEvent(OnTableLine);
    case 11:
        return recordEvent(OnTableField);
    case 12:
        return recordEvent(OnExtFct);
    case 20:
        return recordEvent(OnObject);
    case 21:
        return recordEvent(OnPage);
    case 22:
        return recordEvent(OnProject);
    case 30: {
        intptr_t result = 0;
        if (OnHelp)
            OnHelp(this, high, low, result);
        return result;
    }
    case 31:
        if (OnEnableMenu)
            OnEnableMenu(this, parameter);
        return 0;
    case 32:
        if (OnModifyMenu)
            OnModifyMenu(this, parameter);
        return 0;
    case 33: {
        for (const auto &action : actions_)
            if (action.id == int(parameter) && action.OnExecute)
                action.OnExecute();
        intptr_t result = 0;
        if (OnSelectMenu)
            OnSelectMenu(this, int(parameter), result);
        return result;
    }
    case 34: {
        if (!OnGetViewerButtonState)
            return 0;
        const int engineState = qint16(low);
        const int start = engineState == 2 ? 3 : engineState == -1 ? 0 : 2;
        int state = start;
        OnGetViewerButtonState(this, viewerButton(high), state);
        if (state == start)
            return 0;
        return state == 0 ? -1 : state == 2 ? 1 : state == 3 ? 2 : 0;
    }
    case 35: {
        if (!OnVarHelpText)
            return 0;
        QString &buffer = helpTextBuffer();
        buffer.clear();
        const QString *name = reinterpret_cast<const QString *>(parameter);
        OnVarHelpText(this, name ? *name : QString(), buffer);
        buffer.truncate(kTextBufferSize - 1);
        return reinterpret_cast<intptr_t>(&buffer);
    }
    case 37:
        return recordEvent(OnNtfyProgress);
    case 38: {
        bool performDefault = true;
        if (OnViewerButtonClicked)
            OnViewerButtonClicked(this, viewerButton(low), performDefault);
        return performDefault ? 0 : 1;
    }
    case 39:
        return recordEvent(OnDlgExprVarBtn);
    case 40:
        return recordEvent(OnHostPrinter);
    case 51:
        if (OnExprError) {
            const QString *text = reinterpret_cast<const QString *>(parameter);
            OnExprError(this, text ? *text : QString());
        }
        return 0;
    case 58:
        return recordEvent(OnPrintJobInfo);
    case 61:
        if (OnSaveFileName) {
            const QString *file = reinterpret_cast<const QString *>(parameter);
            OnSaveFileName(this, file ? *file : QString());
        }
        return 0;
    case 63:
        if (OnProjectLoaded)
            OnProjectLoaded(this);
        return 0;
    case 64: {
        intptr_t result = 0;
        for (const auto &action : actions_) {
            if (action.id != high)
                continue;
            const int state = action.OnState ? action.OnState() : 0;
            result = state == 0 ? 1 : state == 1 ? 2 : result;
        }
        return result;
    }
    case 66:
        return recordEvent(OnDesignerPrintJob);
    case 1000:
        if (OnFailsFilter)
            OnFailsFilter(this);
        return 0;
    default:
        return 0;
    }
}

// --- wrappers ---

int TTb14_::DefineChartFieldStart()
{
    return eng().TbDefineChartFieldStart(job_);
}

int TTb14_::DefineFieldExt(const QString &name, const QString &contents, int type)
{
    if (!printing_ && !dictionary_->Fields().isEmpty()) {
        QString translated;
        if (name.contains(u'@') || name.contains(u':'))
            translated = dictionary_->TranslateExpression(name);
        else if (name.contains(u'.'))
            translated = dictionary_->TranslateQualifiedName(name);
        else
            translated = dictionary_->TranslateName(name, 2);
        eng().TbSetOptionStringA(job_, tb::TB_OPTSTR_DICTIONARY, translated + u'=' + name);
    }
    return eng().TbDefineFieldExtA(job_, name, contents, type, 0);
}

int TTb14_::DefineFieldFromDbField(const dbe::TField &field)
{
    using dbe::TFieldType;
    int type = tb::TB_FIELD_TEXT;
    QString text;
    switch (field.DataType()) {
    case TFieldType::ftSmallint:
    case TFieldType::ftInteger:
    case TFieldType::ftWord:
    case TFieldType::ftFloat:
    case TFieldType::ftCurrency:
    case TFieldType::ftBCD:
    case TFieldType::ftAutoInc:
        type = tb::TB_FIELD_NUMBER;
        text = field.Text();
        break;
    case TFieldType::ftBoolean:
        type = tb::TB_FIELD_BOOLEAN;
        text = field.Text();
        break;
    case TFieldType::ftDate:
    case TFieldType::ftDateTime:
        type = tb::TB_FIELD_DATE;
        text = base::de::formatGeneral(field.AsDateTime());
        break;
    default:
        text = field.Text();
        break;
    }
    if (field.IsNull())
        text = QStringLiteral("(NULL)");
    return DefineFieldExt(field.FieldName(), text, type);
}

int TTb14_::DefineLayout(QWidget *window, const QString &title, int objectType, const QString &file)
{
    installInterface();
    int id = kFirstActionId;
    for (auto &action : actions_) {
        action.id = id++;
        DesignerAddAction(action.id, action.flags(), action.MenuText, action.MenuHierarchy, action.Tooltip,
                          action.StatusText);
    }
    for (const QString &action : workspace_.ProhibitedActions)
        DesignerProhibitAction(action.toInt());
    for (const QString &function : workspace_.ProhibitedFunctions)
        DesignerProhibitFunction(function);
    for (const QString &object : workspace_.ReadOnlyObjects)
        DesignerProhibitEditingObject(object);
    const int result = eng().TbDefineLayoutA(job_, window, title, objectType, file);
    dropInterface();
    return result;
}

int TTb14_::SelectFileDlgTitleEx(QWidget *window, const QString &title, QString &file, int objectType)
{
    // The engine's buffer: 1024 bytes or four per character plus 4, of which it may fill 1023.
    QString buffer = file;
    buffer.reserve(std::max<qsizetype>(kTextBufferSize, file.size() * 4 + 4));
    const int result = eng().TbSelectFileDlgTitleExA(job_, window, title, objectType, buffer, 1023, 0);
    file = buffer;
    return result;
}

int TTb14_::DesignerProhibitAction(int id)
{
    return eng().TbDesignerProhibitAction(job_, id);
}

int TTb14_::DesignerProhibitFunction(const QString &name)
{
    return eng().TbDesignerProhibitFunctionA(job_, name);
}

int TTb14_::DesignerProhibitEditingObject(const QString &name)
{
    return eng().TbDesignerProhibitEditingObjectA(job_, name);
}

int TTb14_::DesignerAddAction(int id, int flags, const QString &menuText, const QString &menuHierarchy,
                              const QString &tooltip, const QString &statusText)
{
    return eng().TbDesignerAddActionA(job_, id, flags, menuText, menuHierarchy, tooltip, statusText);
}

int TTb14_::PrintEnd(int value)
{
    const int result = eng().TbPrintEnd(job_, value);
    dropInterface();
    printing_ = false;
    return result;
}

int TTb14_::PrintSetOption(int number, int value)
{
    return eng().TbPrintSetOption(job_, number, value);
}

int TTb14_::PrintSetOptionString(int number, const QString &text)
{
    return eng().TbPrintSetOptionStringA(job_, number, text);
}

int TTb14_::PrintWithBoxStart(int objectType, const QString &file, int printOptions, int boxType,
                              QWidget *window, const QString &text)
{
    installInterface();
    printing_ = true;
    return eng().TbPrintWithBoxStartA(job_, objectType, file, printOptions, boxType, window, text);
}

int TTb14_::PrintDeclareChartRow(int value)
{
    return eng().TbPrintDeclareChartRow(job_, value);
}

int TTb14_::SetOptionString(int number, const QString &text)
{
    return eng().TbSetOptionStringA(job_, number, text);
}

int TTb14_::XSetParameter(int type, const QString &module, const QString &key, const QString &value)
{
    return eng().TbXSetParameterA(job_, type, module, key, value);
}

void TTb14_::installInterface()
{
    dropInterface();
    interface_ = new TbXInterface(objects_.get(), functions_.get());
    interface_->AddRef();
    eng().TbSetOption(job_, tb::opt::ExtensionInterface, reinterpret_cast<intptr_t>(interface_));
}

void TTb14_::dropInterface()
{
    if (!interface_)
        return;
    eng().TbSetOption(job_, tb::opt::ExtensionInterface, 0);
    interface_->Release();
    interface_ = nullptr;
}

// --- the designer and print runs ---

void TTb14_::fireDefine(const DefineEvent &event, bool variables, int userData, bool designMode,
                        int &percentage, bool &last, intptr_t &result)
{
    if (!event) {
        if (!variables)
            last = true; // no one gives rows: the run has none beyond this
        return;
    }
    event(this, userData, designMode, percentage, last, result);
}

int TTb14_::Design(int userData, QWidget *parentWindow, const QString &title, int objectType,
                   QString projectFile, bool showFileSelect, bool allowNew)
{
    const int type =
        allowNew ? (objectType | tb::TB_OBJECT_MAY_BE_NEW) : (objectType & ~tb::TB_OBJECT_MAY_BE_NEW);
    if (showFileSelect) {
        const int result = SelectFileDlgTitleEx(parentWindow, QString(), projectFile, type & 0x800F);
        if (result != 0)
            return result;
    }
    DefineVariableStart();
    DefineChartFieldStart();
    DefineFieldStart();
    int percentage = 0;
    bool last = false;
    intptr_t result = 0;
    fireDefine(OnDefineVariables, true, userData, true, percentage, last, result);
    fireDefine(OnDefineFields, false, userData, true, percentage, last, result);
    return DefineLayout(parentWindow, title, type & 0x7FFF, projectFile);
}

int TTb14_::Print(int userData, int objectType, QString projectFile, bool showFileSelect, int printOptions,
                  int boxType, QWidget *parentWindow, const QString &boxText, bool showOptionsDialog,
                  const QString &previewTempPath)
{
    const bool delayHeader = DelayTableHeader() == TPropYesNo::Yes;
    const bool card = objectType == tb::TB_OBJECT_LABEL || objectType == tb::TB_OBJECT_CARD;
    intptr_t result = 0;
    bool last = false;
    int percentage = 0;
    if (showFileSelect) {
        const int r = SelectFileDlgTitleEx(parentWindow, QString(), projectFile, objectType & 0x7FFF);
        if (r != 0)
            return r;
    }
    DefineVariableStart();
    DefineChartFieldStart();
    fireDefine(OnDefineVariables, true, userData, true, percentage, last, result);
    if (objectType == tb::TB_OBJECT_LIST) {
        DefineFieldStart();
        fireDefine(OnDefineFields, false, userData, true, percentage, last, result);
    }
    const int start =
        PrintWithBoxStart(objectType, projectFile, printOptions, boxType, parentWindow, boxText);
    if (start < 0) {
        dropInterface();
        printing_ = false;
        return start;
    }
    int flags = 0;
    if (OnSetPrintOptions)
        OnSetPrintOptions(this, flags);
    if (showOptionsDialog) {
        if (card)
            PrintSetOption(tb::popt::Copies, 1);
        else
            PrintSetOption(tb::popt::ShowRange, 1);
        PrintSetOption(tb::popt::FirstPage, tb::TB_PAGE_UNSET);
        const int r = PrintOptionsDialog(parentWindow, boxText);
        if (r < 0) {
            PrintEnd(0);
            return r;
        }
        // Kept on purpose: the dialog's own choice of the first page stands; only an unset one
        // becomes page 1.
        if (PrintGetOption(tb::popt::FirstPage) == tb::TB_PAGE_UNSET)
            PrintSetOption(tb::popt::FirstPage, 1);
    }
    QString text, port;
    PrintGetPrinterInfo(text, 127, port, 39);
    const bool preview = PrintGetOption(tb::popt::Destination) == tb::TB_DEST_PREVIEW;
    if (preview)
        PreviewSetTempPath(previewTempPath);
    int copies = 1;
    if (card) {
        // At least one: a card loop without a page per round would never end.
        copies = std::max(1, PrintGetOption(tb::popt::Copies));
        PrintSetOption(tb::popt::Copies, 1);
    } else if (PrintGetOption(tb::popt::EngineCopies) == 0) {
        PrintSetOption(tb::popt::Copies, 1);
    }
    auto abort = [&]() {
        PrintEnd(0);
        return tb::TB_ERR_USER_ABORTED;
    };
    // A page, card or footer that does not fit on a fresh page either never will: trying once
    // more is enough, then the run ends with "page full".
    const auto zweimal = [](const auto &drucken) {
        const int ergebnis = drucken();
        return ergebnis == tb::TB_WRN_REPEAT_DATA ? drucken() : ergebnis;
    };
    auto volleSeite = [&]() {
        PrintEnd(0);
        if (!card && !delayHeader)
            SetOption(tb::opt::DelayTableHeader, 0);
        return tb::TB_WRN_REPEAT_DATA;
    };
    if (card) {
        while (!last && result == 0 &&
               PrintGetOption(tb::popt::CurrentPage) < PrintGetOption(tb::popt::LastPage)) {
            fireDefine(OnDefineVariables, true, userData, false, percentage, last, result);
            percentage = std::clamp(percentage, 0, 100);
            result = PrintSetBoxText(text, percentage);
            if (result == tb::TB_ERR_USER_ABORTED)
                return abort();
            // Without a handler no one tells the last record: the run prints one card.
            if (!OnDefineVariables)
                last = true;
            for (int copy = 0; copy < copies; ++copy)
                if (zweimal([this] { return PrintPage(); }) == tb::TB_WRN_REPEAT_DATA)
                    return volleSeite();
        }
    } else {
        SetOption(tb::opt::DelayTableHeader, 1);
        // A record's text and bar in the box cost more than the record: the box follows the run
        // at most ten times a second, and Cancel is noticed as often.
        FortschrittsTakt boxTakt(boxTextInterval_);
        bool repeat = false;
        auto going = [&]() { return (!last && result == 0) || (last && repeat && result == 0); };
        while (going() && PrintGetOption(tb::popt::CurrentPage) < PrintGetOption(tb::popt::LastPage)) {
            fireDefine(OnDefineVariables, true, userData, false, percentage, last, result);
            if (zweimal([this] { return PrintPage(); }) == tb::TB_WRN_REPEAT_DATA)
                return volleSeite();
            while (going()) {
                if (!repeat)
                    fireDefine(OnDefineFields, false, userData, false, percentage, last, result);
                percentage = std::clamp(percentage, 0, 100);
                if (boxTakt.faellig())
                    result = PrintSetBoxText(text, percentage);
                if (result == tb::TB_ERR_USER_ABORTED) {
                    if (!delayHeader)
                        SetOption(tb::opt::DelayTableHeader, 0);
                    return abort();
                }
                result = PrintFields();
                if (!repeat && UseChartFields() == TPropYesNo::Yes)
                    PrintDeclareChartRow(1);
                if (result != tb::TB_WRN_REPEAT_DATA)
                    repeat = false;
            }
            if (result == tb::TB_WRN_REPEAT_DATA) {
                repeat = true;
                result = 0;
            }
        }
        if (zweimal([this] { return PrintFieldsEnd(); }) == tb::TB_WRN_REPEAT_DATA)
            return volleSeite();
    }
    // Kept on purpose: a failure during the run stays the result; the end's own code only when all
    // went well.
    const int end = PrintEnd(0);
    if (result >= 0)
        result = end;
    if (!card && !delayHeader)
        SetOption(tb::opt::DelayTableHeader, 0);
    if (preview && result == 0 && !(flags & 1)) {
        result = PreviewDisplay(projectFile, previewTempPath, parentWindow);
        if (result == 0)
            PreviewDeleteFiles(projectFile, previewTempPath);
    }
    return int(result);
}

} // namespace reporting
