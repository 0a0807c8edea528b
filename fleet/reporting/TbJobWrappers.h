#pragma once

#include <cstdint>

#include <QString>

#include "reportengine/EngineTypes.h"

class QWidget;

namespace reporting {

// The engine job a component owns and the wrappers both component versions share: each passes the job
// handle to the engine and returns the engine's code unchanged.
class TTbJobWrappers {
public:
    int hTbJob() const { return job_; }

    tb::NotificationCallback SetNotificationCallback(tb::NotificationCallback callback);
    int DefineFieldStart();
    int DefineVariable(const QString &name, const QString &contents);
    int DefineVariableStart();
    int PreviewSetTempPath(const QString &path);
    int PreviewDeleteFiles(const QString &file, const QString &path);
    int PreviewDisplay(const QString &file, const QString &path, QWidget *window);
    int PrintPage();
    int PrintFieldsEnd();
    int PrintFields();
    int PrintGetOption(int number);
    int PrintGetPrinterInfo(QString &nameBuffer, int nameSize, QString &portBuffer, int portSize);
    int PrintOptionsDialog(QWidget *window, const QString &text);
    int PrintSetBoxText(const QString &text, int percent);
    int SetOption(int number, intptr_t value);
    intptr_t GetOption(int number);
    int SetDlgboxMode(int mode);

protected:
    ~TTbJobWrappers() = default;

    int job_ = -1;
};

} // namespace reporting
