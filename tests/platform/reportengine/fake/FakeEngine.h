#pragma once

#include <deque>
#include <functional>
#include <map>
#include <vector>

#include <QString>
#include <QStringList>

#include "reportengine/IEngine.h"

namespace tb::testing {

// A recording, scripted engine for the tests of the engine's callers. Every call is recorded as
// "Function(arg, arg, ...)"; options are stored and read back per job; each function answers the
// next scripted result for its name, else 0 (job opens answer new handles).
class FakeEngine : public IEngine {
public:
    std::vector<QString> calls;
    std::map<QString, std::deque<int>> results; // function name -> answers in order
    std::map<int, int> openAnswers;             // language -> TbJobOpen result (once each)
    std::map<std::pair<int, int>, intptr_t> options;
    // Print options per job, read back unless TbPrintGetOption has scripted answers; a successful
    // TbPrint counts the current page (18) up.
    std::map<std::pair<int, int>, int> printOptions;
    // Called by TbPrintOptionsDialogA with the job, as if the user had chosen (for example a page range).
    std::function<void(int job)> onPrintOptionsDialog;
    // Names the loaded project refers to: TbPrintIsFieldUsedA answers 1 for them unless scripted.
    QStringList usedNames;
    std::map<int, NotificationCallback> callbacks;
    int nextHandle = 1;
    int debug = 0;
    int dialogMode = 0;

    // Calls whose text starts with `prefix`, in order.
    QStringList callsStartingWith(const QString &prefix) const;
    void clearCalls() { calls.clear(); }
    // Raises a notification through the job's callback as the engine would.
    intptr_t notify(int job, unsigned message, intptr_t parameter);

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

private:
    int record(const char *function, const QStringList &args);
};

} // namespace tb::testing
