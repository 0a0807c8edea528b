#pragma once

#include <cstdint>
#include <memory>

#include <QString>

#include "reportengine/EngineTypes.h"

class QWidget;

namespace tb {

// The report engine's function set: the union of what both engine components call. Every call takes
// the job handle first unless it is global; a negative or unknown handle gives TB_ERR_BAD_JOB.
class IEngine {
public:
    virtual ~IEngine() = default;

    // Jobs, options, debug and callbacks.
    virtual int TbJobOpen(int language) = 0;
    virtual int TbJobOpenCopy(int job) = 0;
    virtual int TbJobClose(int job) = 0;
    virtual int TbSetOption(int job, int option, intptr_t value) = 0;
    virtual intptr_t TbGetOption(int job, int option) = 0;
    virtual int TbSetOptionStringA(int job, int option, const QString &text) = 0;
    virtual int TbPrintSetOptionStringA(int job, int option, const QString &text) = 0;
    virtual int TbSetDlgboxMode(int mode) = 0;
    virtual int TbSetDebug(int value) = 0;
    virtual NotificationCallback TbSetNotificationCallback(int job, NotificationCallback callback) = 0;

    // Variables and fields.
    virtual int TbDefineVariableStart(int job) = 0;
    virtual int TbDefineFieldStart(int job) = 0;
    virtual int TbDefineChartFieldStart(int job) = 0;
    virtual int TbDefineVariableA(int job, const QString &name, const QString &contents) = 0;
    virtual int TbDefineFieldA(int job, const QString &name, const QString &contents) = 0;
    virtual int TbDefineFieldExtA(int job, const QString &name, const QString &contents, int type,
                                  int reserved) = 0;
    virtual int TbPrintIsFieldUsedA(int job, const QString &name) = 0;

    // Designer and file selection.
    virtual int TbDefineLayoutA(int job, QWidget *parent, const QString &title, int objectType,
                                const QString &file) = 0;
    virtual int TbSelectFileDlgTitleExA(int job, QWidget *parent, const QString &title, int objectType,
                                        QString &file, int size, int reserved) = 0;
    virtual int TbDesignerProhibitAction(int job, int id) = 0;
    virtual int TbDesignerProhibitFunctionA(int job, const QString &name) = 0;
    virtual int TbDesignerProhibitEditingObjectA(int job, const QString &name) = 0;
    virtual int TbDesignerAddActionA(int job, int id, int flags, const QString &menuText,
                                     const QString &menuHierarchy, const QString &tooltip,
                                     const QString &statusText) = 0;

    // Print runs.
    virtual int TbPrintWithBoxStartA(int job, int objectType, const QString &file, int printFlags,
                                     int boxType, QWidget *parent, const QString &boxTitle) = 0;
    virtual int TbPrintOptionsDialogA(int job, QWidget *parent, const QString &text) = 0;
    virtual int TbPrintGetOption(int job, int option) = 0;
    virtual int TbPrintSetOption(int job, int option, int value) = 0;
    virtual int TbPrint(int job) = 0;
    virtual int TbPrintFields(int job) = 0;
    virtual int TbPrintFieldsEnd(int job) = 0;
    virtual int TbPrintSetBoxTextA(int job, const QString &text, int percent) = 0;
    virtual int TbPrintGetCurrentPage(int job) = 0;
    virtual int TbPrintGetItemsPerPage(int job) = 0;
    virtual int TbPrintGetItemsPerTable(int job) = 0;
    virtual int TbPrintDidMatchFilter(int job) = 0;
    virtual int TbPrintDeclareChartRow(int job, int value) = 0;
    // Name and port are cut to size - 1 characters, as a caller's buffer would be.
    virtual int TbPrintGetPrinterInfoA(int job, QString &name, int nameSize, QString &port, int portSize) = 0;
    virtual int TbPrintEnd(int job, int flags) = 0;

    // Preview and export parameters.
    virtual int TbPreviewSetTempPathA(int job, const QString &path) = 0;
    virtual int TbPreviewDisplayA(int job, const QString &file, const QString &path, QWidget *parent) = 0;
    virtual int TbPreviewDeleteFilesA(int job, const QString &file, const QString &path) = 0;
    virtual int TbXSetParameterA(int job, int type, const QString &module, const QString &key,
                                 const QString &value) = 0;
    // Why the last call of the job failed, in the user's words; empty when it did not say.
    virtual QString TbGetErrorTextA(int job)
    {
        (void)job;
        return QString();
    }
};

// The process-wide engine the components call. Tests install a fake; the program installs the real
// engine at start. Returns the previous one.
IEngine &engine();
std::unique_ptr<IEngine> setEngine(std::unique_ptr<IEngine> engine);

} // namespace tb
