#pragma once

#include <map>
#include <memory>

#include "reportengine/EngineUi.h"
#include "reportengine/IEngine.h"
#include "reportengine/ProjectStore.h"

namespace tb {

class Job;

// Our report engine: the job registry and the print runs behind the function set.
class Engine : public IEngine {
public:
    Engine(std::unique_ptr<EngineUi> ui, std::unique_ptr<ProjectStore> store = nullptr);
    ~Engine() override;

    EngineUi &ui() { return *ui_; }
    // Fixes "today" for the expression language (tests); 0 = the clock.
    void setNow(double dayCount) { now_ = dayCount; }

    int TbJobOpen(int language) override;
    int TbJobOpenCopy(int job) override;
    int TbJobClose(int job) override;
    int TbSetOption(int job, int option, intptr_t value) override;
    intptr_t TbGetOption(int job, int option) override;
    int TbSetOptionStringA(int job, int option, const QString &text) override;
    int TbPrintSetOptionStringA(int job, int option, const QString &text) override;
    int TbSetDlgboxMode(int mode) override;
    int TbSetDebug(int value) override;
    NotificationCallback TbSetNotificationCallback(int job, NotificationCallback callback) override;

    int TbDefineVariableStart(int job) override;
    int TbDefineFieldStart(int job) override;
    int TbDefineChartFieldStart(int job) override;
    int TbDefineVariableA(int job, const QString &name, const QString &contents) override;
    int TbDefineFieldA(int job, const QString &name, const QString &contents) override;
    int TbDefineFieldExtA(int job, const QString &name, const QString &contents, int type,
                          int reserved) override;
    int TbPrintIsFieldUsedA(int job, const QString &name) override;

    int TbDefineLayoutA(int job, QWidget *parent, const QString &title, int objectType,
                        const QString &file) override;
    int TbSelectFileDlgTitleExA(int job, QWidget *parent, const QString &title, int objectType, QString &file,
                                int size, int reserved) override;
    int TbDesignerProhibitAction(int job, int id) override;
    int TbDesignerProhibitFunctionA(int job, const QString &name) override;
    int TbDesignerProhibitEditingObjectA(int job, const QString &name) override;
    int TbDesignerAddActionA(int job, int id, int flags, const QString &menuText,
                             const QString &menuHierarchy, const QString &tooltip,
                             const QString &statusText) override;

    int TbPrintWithBoxStartA(int job, int objectType, const QString &file, int printFlags, int boxType,
                             QWidget *parent, const QString &boxTitle) override;
    int TbPrintOptionsDialogA(int job, QWidget *parent, const QString &text) override;
    int TbPrintGetOption(int job, int option) override;
    int TbPrintSetOption(int job, int option, int value) override;
    int TbPrint(int job) override;
    int TbPrintFields(int job) override;
    int TbPrintFieldsEnd(int job) override;
    int TbPrintSetBoxTextA(int job, const QString &text, int percent) override;
    int TbPrintGetCurrentPage(int job) override;
    int TbPrintGetItemsPerPage(int job) override;
    int TbPrintGetItemsPerTable(int job) override;
    int TbPrintDidMatchFilter(int job) override;
    int TbPrintDeclareChartRow(int job, int value) override;
    int TbPrintGetPrinterInfoA(int job, QString &name, int nameSize, QString &port, int portSize) override;
    int TbPrintEnd(int job, int flags) override;

    int TbPreviewSetTempPathA(int job, const QString &path) override;
    int TbPreviewDisplayA(int job, const QString &file, const QString &path, QWidget *parent) override;
    int TbPreviewDeleteFilesA(int job, const QString &file, const QString &path) override;
    int TbXSetParameterA(int job, int type, const QString &module, const QString &key,
                         const QString &value) override;
    QString TbGetErrorTextA(int job) override;

    // The preview file a preview run of `project` writes into `directory` (empty = temporary directory).
    static QString previewFileName(const QString &project, const QString &directory);

private:
    Job *find(int job);
    int trace(const char *function, int job, int result) const;

    std::unique_ptr<EngineUi> ui_;
    std::unique_ptr<ProjectStore> store_;
    std::map<int, std::unique_ptr<Job>> jobs_;
    std::map<int, intptr_t> globalOptions_;
    int nextHandle_ = 1;
    int debug_ = 0;
    int dialogMode_ = 0;
    double now_ = 0;
};

} // namespace tb
