#pragma once

#include <map>
#include <memory>
#include <vector>

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include "reportengine/EngineTypes.h"
#include "reportengine/PrintRun.h"
#include "reportengine/StreamedExport.h"
#include "reportengine/StreamedPdf.h"
#include "reportengine/StreamedPreview.h"
#include "reportengine/Value.h"

class QWidget;

namespace tb {

class EngineUi;

// Defined variables or fields in definition order; a redefinition replaces the value in place.
class NameList {
public:
    struct Entry {
        QString name;
        Value value;
    };
    void clear();
    void define(const QString &name, const Value &value, bool caseSensitive);
    const Value *find(const QString &name, bool caseSensitive) const;
    const std::vector<Entry> &entries() const { return entries_; }

private:
    std::vector<Entry> entries_;
    QHash<QString, int> index_;
};

struct DesignerAction {
    int id = 0;
    int flags = 0;
    QString menuText, menuHierarchy, tooltip, statusText;
};

// One engine job: options, definitions, callback, designer settings and the print run in progress.
class Job : public RunHost {
public:
    explicit Job(int handle, int language) : handle(handle), language(language) {}

    int handle;
    int language;
    std::map<int, intptr_t> options;
    std::map<int, QString> optionStrings;
    std::map<int, QString> printOptionStrings;
    std::map<int, int> printOptions;
    std::map<QString, QString> exportParameters; // "module|key" -> value
    QString lastError;                           // why the last start failed
    NotificationCallback callback = nullptr;
    NameList variables;
    NameList fields;
    QStringList chartFields;
    QStringList dictionary;
    std::vector<int> prohibitedActions;
    QStringList prohibitedFunctions;
    QStringList lockedObjects;
    std::vector<DesignerAction> designerActions;
    QString previewPath;
    QSet<QString> usedNames; // keys of the names the last loaded project refers to

    // The run in progress, and its data export, PDF or preview when that goes as a stream (the run
    // writes into it, so it outlives the run).
    std::unique_ptr<StreamedExport> stream;
    std::unique_ptr<StreamedPdf> pdf;
    std::unique_ptr<StreamedPreview> preview;
    std::unique_ptr<PrintRun> run;
    int destination = TB_DEST_PRINTER;
    bool aborted = false;
    // What the run's loop last showed in the progress box.
    QString progressText;
    int progressPercent = 0;
    QString printer;
    QString pdfFile;

    intptr_t option(int number) const;
    // Before the run's first page: a data export whose lines can go straight to the file does so, a
    // PDF is painted and a preview written page by page as the run goes.
    void chooseStreaming(EngineUi &ui);
    bool caseSensitive() const { return option(opt::VarsCaseSensitive) != 0; }
    // The name as definitions and lookups key it (translated under option 51, folded under option 46).
    QString keyOf(const QString &name) const;
    QString definedName(const QString &name) const;
    intptr_t raise(unsigned message, intptr_t parameter);
    QString exportParameter(const QString &module, const QString &key) const;
    QString exportTarget() const;

    // RunHost
    std::optional<Value> lookup(const QString &name) const override;
    void notify(unsigned message, intptr_t parameter) override { raise(message, parameter); }
    bool delayTableHeader() const override { return option(opt::DelayTableHeader) != 0; }
    double now() const override { return now_; }
    void setNow(double now) { now_ = now; }

private:
    double now_ = 0;
};

// The value an option has before anyone sets it (the components' creation values).
intptr_t defaultOption(int number);

} // namespace tb
