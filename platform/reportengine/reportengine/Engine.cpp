#include "reportengine/Engine.h"

#include <algorithm>
#include <utility>

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLoggingCategory>
#include <QPrinterInfo>

#include "base/DateTime.h"
#include "base/GermanFormat.h"
#include "reportengine/Job.h"
#include "reportengine/NameTranslation.h"
#include "reportengine/RunOutput.h"
#include "reportengine/designer/DesignRules.h"
#include "reportengine/designer/DesignerSession.h"

Q_LOGGING_CATEGORY(lcEngine, "tb.engine")

namespace tb {

namespace {

constexpr int kLanguages = 42;

// German, or English for language 1 (the two string tables we carry).
QString say(const Job *job, const char *german, const char *english)
{
    return job && job->language == 1 ? QString::fromUtf8(english) : QString::fromUtf8(german);
}

QString projectFilter(int objectType)
{
    switch (objectType & 0x7FFF) {
    case TB_OBJECT_LIST:
        return QStringLiteral("Listen-Projekte (*.lst)");
    case TB_OBJECT_CARD:
        return QStringLiteral("Karten-Projekte (*.crd)");
    default:
        return QStringLiteral("Etiketten-Projekte (*.lbl)");
    }
}

void cut(QString &text, int size)
{
    if (size <= 0)
        text.clear();
    else if (text.size() > size - 1)
        text.truncate(size - 1);
}

// Checks a project for the object type; false with the reason.
bool validateProject(const Project &project, int objectType, bool tableOptional, QString *error)
{
    const int type = objectType & 0x7FFF;
    if ((type == TB_OBJECT_LIST && project.kind != ProjectKind::List) ||
        (type == TB_OBJECT_CARD && project.kind != ProjectKind::Card) || type == TB_OBJECT_LABEL) {
        *error = QStringLiteral("Projektart passt nicht");
        return false;
    }
    if (project.kind == ProjectKind::List && !project.table() && !tableOptional) {
        *error = QStringLiteral("Listenprojekt ohne Tabelle");
        return false;
    }
    for (const QString &source : project.expressions()) {
        QString syntax;
        if (!Expression::parse(source, &syntax)) {
            *error = QStringLiteral("Formel \"%1\": %2").arg(source, syntax);
            return false;
        }
    }
    return true;
}

QStringList availablePrinters()
{
    QStringList printers = QPrinterInfo::availablePrinterNames();
    printers.append(pdfPseudoPrinterName());
    return printers;
}

QString defaultPrinter(const Project &project)
{
    const QStringList installed = QPrinterInfo::availablePrinterNames();
    if (!project.page.printer.isEmpty() && installed.contains(project.page.printer))
        return project.page.printer;
    const QString system = QPrinterInfo::defaultPrinterName();
    return system.isEmpty() ? pdfPseudoPrinterName() : system;
}

} // namespace

QString pdfPseudoPrinterName()
{
    return QStringLiteral("PDF-Datei");
}

Engine::Engine(std::unique_ptr<EngineUi> ui, std::unique_ptr<ProjectStore> store)
    : ui_(std::move(ui)), store_(store ? std::move(store) : std::make_unique<JsonProjectStore>())
{
}

Engine::~Engine() = default;

Job *Engine::find(int job)
{
    if (job < 0)
        return nullptr;
    const auto it = jobs_.find(job);
    return it == jobs_.end() ? nullptr : it->second.get();
}

int Engine::trace(const char *function, int job, int result) const
{
    if (debug_)
        qCDebug(lcEngine) << function << "job" << job << "->" << result;
    return result;
}

QString Engine::previewFileName(const QString &project, const QString &directory)
{
    const QString dir = directory.isEmpty() ? QDir::tempPath() : directory;
    return QDir(dir).filePath(QStringLiteral("%1.%2.tbpv")
                                  .arg(QFileInfo(project).completeBaseName())
                                  .arg(QCoreApplication::applicationPid()));
}

// --- jobs, options, callbacks ---

int Engine::TbJobOpen(int language)
{
    if (language < -1 || language >= kLanguages)
        return trace("TbJobOpen", -1, TB_ERR_NO_LANGUAGE);
    const int handle = nextHandle_++;
    auto job = std::make_unique<Job>(handle, language < 0 ? 0 : language);
    job->setNow(now_);
    jobs_[handle] = std::move(job);
    return trace("TbJobOpen", handle, handle);
}

int Engine::TbJobOpenCopy(int job)
{
    Job *source = find(job);
    if (!source)
        return trace("TbJobOpenCopy", job, TB_ERR_BAD_JOB);
    const int handle = nextHandle_++;
    auto copy = std::make_unique<Job>(handle, source->language);
    copy->options = source->options;
    copy->optionStrings = source->optionStrings;
    copy->callback = source->callback;
    copy->variables = source->variables;
    copy->fields = source->fields;
    copy->chartFields = source->chartFields;
    copy->dictionary = source->dictionary;
    copy->previewPath = source->previewPath;
    copy->exportParameters = source->exportParameters;
    copy->setNow(now_);
    jobs_[handle] = std::move(copy);
    return trace("TbJobOpenCopy", job, handle);
}

int Engine::TbJobClose(int job)
{
    Job *j = find(job);
    if (!j)
        return trace("TbJobClose", job, TB_ERR_BAD_JOB);
    if (j->run)
        ui_->closeProgress();
    jobs_.erase(job);
    return trace("TbJobClose", job, TB_OK);
}

int Engine::TbSetOption(int job, int option, intptr_t value)
{
    if (job == -1) {
        globalOptions_[option] = value;
        return TB_OK;
    }
    Job *j = find(job);
    if (!j)
        return trace("TbSetOption", job, TB_ERR_BAD_JOB);
    j->options[option] = value;
    return TB_OK;
}

intptr_t Engine::TbGetOption(int job, int option)
{
    if (job == -1) {
        const auto it = globalOptions_.find(option);
        return it == globalOptions_.end() ? 0 : it->second;
    }
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    return j->option(option);
}

int Engine::TbSetOptionStringA(int job, int option, const QString &text)
{
    Job *j = find(job);
    if (!j)
        return trace("TbSetOptionStringA", job, TB_ERR_BAD_JOB);
    j->optionStrings[option] = text;
    if (option == TB_OPTSTR_DICTIONARY)
        j->dictionary.append(text);
    return TB_OK;
}

int Engine::TbPrintSetOptionStringA(int job, int option, const QString &text)
{
    Job *j = find(job);
    if (!j)
        return trace("TbPrintSetOptionStringA", job, TB_ERR_BAD_JOB);
    // The export target can no longer change once the first page is laid out.
    if (option == TB_PRNOPTSTR_EXPORT_TARGET && j->run && j->run->currentPage() > 0)
        return trace("TbPrintSetOptionStringA", job, TB_ERR_BUSY);
    j->printOptionStrings[option] = text;
    return TB_OK;
}

int Engine::TbSetDlgboxMode(int mode)
{
    dialogMode_ = mode;
    return TB_OK;
}

int Engine::TbSetDebug(int value)
{
    debug_ = value;
    return TB_OK;
}

NotificationCallback Engine::TbSetNotificationCallback(int job, NotificationCallback callback)
{
    Job *j = find(job);
    if (!j)
        return nullptr;
    NotificationCallback previous = j->callback;
    j->callback = callback;
    return previous;
}

// --- variables and fields ---

int Engine::TbDefineVariableStart(int job)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    j->variables.clear();
    return TB_OK;
}

int Engine::TbDefineFieldStart(int job)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    j->fields.clear();
    return TB_OK;
}

int Engine::TbDefineChartFieldStart(int job)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    j->chartFields.clear();
    return TB_OK;
}

int Engine::TbDefineVariableA(int job, const QString &name, const QString &contents)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    j->variables.define(j->definedName(name), Value::ofText(contents), j->caseSensitive());
    return TB_OK;
}

int Engine::TbDefineFieldA(int job, const QString &name, const QString &contents)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    j->fields.define(j->definedName(name), Value::ofText(contents), j->caseSensitive());
    return TB_OK;
}

int Engine::TbDefineFieldExtA(int job, const QString &name, const QString &contents, int type, int)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    Value value;
    if (contents == QLatin1String("(NULL)")) {
        value = Value::null();
    } else if (type == TB_FIELD_NUMBER) {
        const auto exact = base::de::parseValueFloat(contents);
        value = Value::ofNumber(exact ? *exact : tolerantNumber(contents));
    } else if (type == TB_FIELD_BOOLEAN) {
        value = Value::ofBool(base::de::parseBool(contents.trimmed()).value_or(false));
    } else if (type == TB_FIELD_DATE) {
        const auto days = base::de::parseValueFloat(contents);
        value = days ? Value::ofDate(*days) : Value::null();
    } else {
        value = Value::ofText(contents);
    }
    j->fields.define(j->definedName(name), value, j->caseSensitive());
    return TB_OK;
}

int Engine::TbPrintIsFieldUsedA(int job, const QString &name)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    return j->usedNames.contains(j->keyOf(name)) ? 1 : 0;
}

// --- designer and file selection ---

int Engine::TbDefineLayoutA(int job, QWidget *parent, const QString &title, int objectType,
                            const QString &file)
{
    Job *j = find(job);
    if (!j)
        return trace("TbDefineLayoutA", job, TB_ERR_BAD_JOB);
    // Restrictions and added actions hold for this one run, whichever way it ends: the components send
    // their whole list before every run.
    DesignerSession session;
    auto &settings = session.settings;
    settings.prohibitedActions = std::exchange(j->prohibitedActions, {});
    settings.prohibitedFunctions = std::exchange(j->prohibitedFunctions, {});
    settings.lockedObjects = std::exchange(j->lockedObjects, {});
    settings.actions = std::exchange(j->designerActions, {});
    if (j->run)
        return trace("TbDefineLayoutA", job, TB_ERR_BUSY);
    // Relative names are meant in the program directory, as for printing.
    const QString path = QFileInfo(file).isRelative() ? QDir::current().absoluteFilePath(file) : file;
    if (QFileInfo::exists(path)) {
        QString error;
        if (!store_->load(path, session.project, &error) ||
            !validateProject(session.project, objectType, j->option(opt::NoTableAllowed) != 0, &error)) {
            ui_->message(
                parent, title,
                say(j, "Fehlerhaftes Projekt \"%1\":\n%2", "Faulty project \"%1\":\n%2").arg(file, error));
            return trace("TbDefineLayoutA", job, TB_ERR_BAD_PROJECT);
        }
    } else if (!(objectType & TB_OBJECT_MAY_BE_NEW)) {
        ui_->message(parent, title,
                     say(j, "Projekt \"%1\" nicht gefunden.", "Project \"%1\" not found.").arg(file));
        return trace("TbDefineLayoutA", job, TB_ERR_BAD_PROJECT);
    } else {
        const int type = objectType & 0x7FFF;
        if (type != TB_OBJECT_LIST && type != TB_OBJECT_CARD) {
            ui_->message(parent, title,
                         say(j, "Fehlerhaftes Projekt \"%1\":\n%2", "Faulty project \"%1\":\n%2")
                             .arg(file, QStringLiteral("Projektart passt nicht")));
            return trace("TbDefineLayoutA", job, TB_ERR_BAD_PROJECT);
        }
        session.project =
            designer::newProject(type == TB_OBJECT_LIST ? ProjectKind::List : ProjectKind::Card);
        session.isNew = true;
    }
    session.file = path;
    session.caption = title + QStringLiteral(" – ") + QFileInfo(path).fileName();
    session.store = store_.get();
    session.raise = [j](unsigned message, intptr_t parameter) { return j->raise(message, parameter); };
    settings.variables = j->variables.entries();
    settings.fields = j->fields.entries();
    settings.sortNames = j->option(opt::SortVariables) != 0;
    settings.showFunctions = j->option(opt::ShowPredefinedVars) != 0;
    settings.translateNames = j->option(opt::TranslateNames) != 0;
    settings.showDictionary = j->option(opt::ShowDictionary) != 0;
    settings.dictionary = j->dictionary;
    settings.unit = int(j->option(opt::UnitSystem));
    settings.multipleRowDefinitions = j->option(opt::MultipleTableLines) != 0;
    settings.caseSensitive = j->caseSensitive();
    settings.now = now_ != 0 ? now_ : base::fromQDateTime(QDateTime::currentDateTime());
    j->raise(msg::ProjectLoaded, 0);
    ui_->runDesigner(parent, session);
    return trace("TbDefineLayoutA", job, TB_OK);
}

int Engine::TbSelectFileDlgTitleExA(int job, QWidget *parent, const QString &title, int objectType,
                                    QString &file, int size, int)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    QString chosen = file;
    if (!ui_->selectFile(parent, title, projectFilter(objectType), (objectType & TB_OBJECT_MAY_BE_NEW) != 0,
                         chosen))
        return trace("TbSelectFileDlgTitleExA", job, TB_ERR_USER_ABORTED);
    cut(chosen, size + 1);
    file = chosen;
    return TB_OK;
}

int Engine::TbDesignerProhibitAction(int job, int id)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    j->prohibitedActions.push_back(id);
    return TB_OK;
}

int Engine::TbDesignerProhibitFunctionA(int job, const QString &name)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    j->prohibitedFunctions.append(name);
    return TB_OK;
}

int Engine::TbDesignerProhibitEditingObjectA(int job, const QString &name)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    j->lockedObjects.append(name);
    return TB_OK;
}

int Engine::TbDesignerAddActionA(int job, int id, int flags, const QString &menuText,
                                 const QString &menuHierarchy, const QString &tooltip,
                                 const QString &statusText)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    j->designerActions.push_back({id, flags, menuText, menuHierarchy, tooltip, statusText});
    return TB_OK;
}

// --- print runs ---

int Engine::TbPrintWithBoxStartA(int job, int objectType, const QString &file, int printFlags, int boxType,
                                 QWidget *parent, const QString &boxTitle)
{
    Job *j = find(job);
    if (!j)
        return trace("TbPrintWithBoxStartA", job, TB_ERR_BAD_JOB);
    if (j->run)
        return trace("TbPrintWithBoxStartA", job, TB_ERR_BUSY);
    Project project;
    QString error;
    j->lastError.clear();
    if (!store_->load(file, project, &error) ||
        !validateProject(project, objectType, j->option(opt::NoTableAllowed) != 0, &error)) {
        j->lastError = error;
        if (debug_)
            qCDebug(lcEngine) << "project" << file << error;
        return trace("TbPrintWithBoxStartA", job, TB_ERR_BAD_PROJECT);
    }
    if (debug_) {
        QFile in(file);
        if (in.open(QIODevice::ReadOnly))
            for (const QString &warning : JsonProjectStore::keyWarnings(in.readAll()))
                qCDebug(lcEngine) << "project" << file << warning;
    }
    j->usedNames.clear();
    for (const QString &source : project.expressions()) {
        const auto expression = Expression::parse(source);
        for (const QString &name : expression->names())
            j->usedNames.insert(j->keyOf(name));
    }

    j->destination = (printFlags & TB_PRINT_EXPORT)    ? TB_DEST_EXPORT
                     : (printFlags & TB_PRINT_PREVIEW) ? TB_DEST_PREVIEW
                                                       : TB_DEST_PRINTER;
    j->printOptions[popt::Copies] = 1;
    j->printOptions[popt::FirstPage] = 1;
    j->printOptions[popt::LastPage] = TB_PAGE_OPEN;
    j->printOptions[popt::Destination] = j->destination;
    j->printOptions[popt::EngineCopies] = j->destination == TB_DEST_PRINTER ? 1 : 0;
    j->printOptions[popt::CurrentPage] = 0;
    j->aborted = false;
    j->printer = j->destination == TB_DEST_PRINTER ? defaultPrinter(project) : QString();
    j->pdfFile.clear();
    j->setNow(now_ != 0 ? now_ : base::fromQDateTime(QDateTime::currentDateTime()));

    Layouter::Options options;
    options.spaceOptimization = j->option(opt::SpaceOptimization) != 0;
    options.multipleRowDefinitions = j->option(opt::MultipleTableLines) != 0;
    j->run = std::make_unique<PrintRun>(std::move(project), file, *j, options);
    ui_->openProgress(parent, boxTitle, boxType);
    j->raise(msg::ProjectLoaded, 0);
    return trace("TbPrintWithBoxStartA", job, TB_OK);
}

int Engine::TbPrintOptionsDialogA(int job, QWidget *parent, const QString &text)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    if (!j->run)
        return trace("TbPrintOptionsDialogA", job, TB_ERR_BUSY);
    if (j->aborted)
        return TB_ERR_USER_ABORTED;
    PrintOptionsRequest request;
    request.text = text;
    request.printerRun = j->destination == TB_DEST_PRINTER;
    request.showRange = j->printOptions[popt::ShowRange] != 0;
    if (request.printerRun)
        request.printers = availablePrinters();
    request.printer = j->printer;
    request.pdfFile = j->pdfFile;
    request.copies = std::max(1, j->printOptions[popt::Copies]);
    const int first = j->printOptions[popt::FirstPage];
    request.firstPage = first == TB_PAGE_UNSET ? 1 : first;
    request.lastPage = j->printOptions[popt::LastPage];
    if (!ui_->printOptions(parent, request))
        return trace("TbPrintOptionsDialogA", job, TB_ERR_USER_ABORTED);
    j->printOptions[popt::Copies] = std::max(1, request.copies);
    j->printOptions[popt::FirstPage] = std::max(1, request.firstPage);
    j->printOptions[popt::LastPage] = request.lastPage;
    if (request.printerRun) {
        j->printer = request.printer;
        j->pdfFile = request.pdfFile;
    }
    return TB_OK;
}

int Engine::TbPrintGetOption(int job, int option)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    if (option == popt::CurrentPage)
        return j->run ? j->run->currentPage() : 0;
    const auto it = j->printOptions.find(option);
    return it == j->printOptions.end() ? 0 : it->second;
}

int Engine::TbPrintSetOption(int job, int option, int value)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    if (option != popt::CurrentPage) // read-only
        j->printOptions[option] = value;
    return TB_OK;
}

int Engine::TbPrint(int job)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    if (!j->run)
        return trace("TbPrint", job, TB_ERR_BUSY);
    if (j->aborted)
        return TB_ERR_USER_ABORTED;
    j->chooseStreaming(*ui_);
    return trace("TbPrint", job, j->run->print());
}

int Engine::TbPrintFields(int job)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    if (!j->run)
        return trace("TbPrintFields", job, TB_ERR_BUSY);
    if (j->aborted)
        return TB_ERR_USER_ABORTED;
    j->chooseStreaming(*ui_);
    return trace("TbPrintFields", job, j->run->printFields());
}

int Engine::TbPrintFieldsEnd(int job)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    if (!j->run)
        return trace("TbPrintFieldsEnd", job, TB_ERR_BUSY);
    if (j->aborted)
        return TB_ERR_USER_ABORTED;
    j->chooseStreaming(*ui_);
    return trace("TbPrintFieldsEnd", job, j->run->printFieldsEnd());
}

int Engine::TbPrintSetBoxTextA(int job, const QString &text, int percent)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    if (!j->run)
        return TB_ERR_BUSY;
    if (j->aborted)
        return TB_ERR_USER_ABORTED;
    j->progressText = text;
    j->progressPercent = std::clamp(percent, 0, 100);
    if (!ui_->updateProgress(text, j->progressPercent)) {
        j->aborted = true;
        return trace("TbPrintSetBoxTextA", job, TB_ERR_USER_ABORTED);
    }
    return TB_OK;
}

int Engine::TbPrintGetCurrentPage(int job)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    return j->run ? j->run->currentPage() : 0;
}

int Engine::TbPrintGetItemsPerPage(int job)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    return j->run ? j->run->itemsPerPage() : 0;
}

int Engine::TbPrintGetItemsPerTable(int job)
{
    return TbPrintGetItemsPerPage(job);
}

int Engine::TbPrintDidMatchFilter(int job)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    return j->run && !j->run->didMatchFilter() ? 0 : 1;
}

int Engine::TbPrintDeclareChartRow(int job, int)
{
    return find(job) ? TB_OK : TB_ERR_BAD_JOB;
}

int Engine::TbPrintGetPrinterInfoA(int job, QString &name, int nameSize, QString &port, int portSize)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    switch (j->destination) {
    case TB_DEST_PREVIEW:
        name = QStringLiteral("Vorschau");
        break;
    case TB_DEST_EXPORT:
        name = QStringLiteral("Export (%1)").arg(j->exportTarget());
        break;
    default:
        name = j->printer;
    }
    port.clear();
    cut(name, nameSize);
    cut(port, portSize);
    return TB_OK;
}

int Engine::TbPrintEnd(int job, int)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    if (!j->run)
        return TB_OK; // the loops end a failed start this way too
    // The progress box, with its cancel button, stays open until the output is written; a run
    // cancelled on its way has written nothing and ends as cancelled.
    int result = TB_ERR_USER_ABORTED;
    if (!j->aborted)
        result = writeRunOutput(*j, *ui_);
    ui_->closeProgress();
    j->run.reset();
    j->stream.reset();
    j->pdf.reset();
    j->preview.reset();
    j->aborted = false;
    j->progressText.clear();
    j->progressPercent = 0;
    j->printOptions[popt::CurrentPage] = 0;
    return trace("TbPrintEnd", job, result);
}

// --- preview and export parameters ---

QString Engine::TbGetErrorTextA(int job)
{
    Job *j = find(job);
    return j ? j->lastError : QString();
}

int Engine::TbPreviewSetTempPathA(int job, const QString &path)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    j->previewPath = path;
    return TB_OK;
}

int Engine::TbPreviewDisplayA(int job, const QString &file, const QString &path, QWidget *parent)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    const QString preview = previewFileName(file, path.isEmpty() ? j->previewPath : path);
    if (!QFile::exists(preview))
        return trace("TbPreviewDisplayA", job, TB_ERR_NO_PREVIEW);
    PreviewGeometry geometry;
    geometry.zoomPercent = int(j->option(opt::PreviewZoom));
    geometry.left = int(j->option(opt::PreviewLeft));
    geometry.top = int(j->option(opt::PreviewTop));
    geometry.width = int(j->option(opt::PreviewWidth));
    geometry.height = int(j->option(opt::PreviewHeight));
    const int handle = job;
    ui_->showPreview(parent, preview, geometry,
                     [this, handle](unsigned message, intptr_t parameter) -> intptr_t {
                         Job *current = find(handle);
                         return current ? current->raise(message, parameter) : 0;
                     });
    return trace("TbPreviewDisplayA", job, TB_OK);
}

int Engine::TbPreviewDeleteFilesA(int job, const QString &file, const QString &path)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    const QString preview = previewFileName(file, path.isEmpty() ? j->previewPath : path);
    if (!QFile::exists(preview) || !QFile::remove(preview))
        return trace("TbPreviewDeleteFilesA", job, TB_ERR_NO_PREVIEW);
    return TB_OK;
}

int Engine::TbXSetParameterA(int job, int, const QString &module, const QString &key, const QString &value)
{
    Job *j = find(job);
    if (!j)
        return TB_ERR_BAD_JOB;
    j->exportParameters[module.toUpper() + u'|' + key] = value;
    return TB_OK;
}

} // namespace tb
