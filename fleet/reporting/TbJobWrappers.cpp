#include "TbJobWrappers.h"

#include "reportengine/IEngine.h"

namespace reporting {

tb::NotificationCallback TTbJobWrappers::SetNotificationCallback(tb::NotificationCallback callback)
{
    return tb::engine().TbSetNotificationCallback(job_, callback);
}

int TTbJobWrappers::DefineFieldStart()
{
    return tb::engine().TbDefineFieldStart(job_);
}

int TTbJobWrappers::DefineVariable(const QString &name, const QString &contents)
{
    return tb::engine().TbDefineVariableA(job_, name, contents);
}

int TTbJobWrappers::DefineVariableStart()
{
    return tb::engine().TbDefineVariableStart(job_);
}

int TTbJobWrappers::PreviewSetTempPath(const QString &path)
{
    return tb::engine().TbPreviewSetTempPathA(job_, path);
}

int TTbJobWrappers::PreviewDeleteFiles(const QString &file, const QString &path)
{
    return tb::engine().TbPreviewDeleteFilesA(job_, file, path);
}

int TTbJobWrappers::PreviewDisplay(const QString &file, const QString &path, QWidget *window)
{
    return tb::engine().TbPreviewDisplayA(job_, file, path, window);
}

int TTbJobWrappers::PrintPage()
{
    return tb::engine().TbPrint(job_);
}

int TTbJobWrappers::PrintFieldsEnd()
{
    return tb::engine().TbPrintFieldsEnd(job_);
}

int TTbJobWrappers::PrintFields()
{
    return tb::engine().TbPrintFields(job_);
}

int TTbJobWrappers::PrintGetOption(int number)
{
    return tb::engine().TbPrintGetOption(job_, number);
}

int TTbJobWrappers::PrintGetPrinterInfo(QString &nameBuffer, int nameSize, QString &portBuffer, int portSize)
{
    return tb::engine().TbPrintGetPrinterInfoA(job_, nameBuffer, nameSize, portBuffer, portSize);
}

int TTbJobWrappers::PrintOptionsDialog(QWidget *window, const QString &text)
{
    return tb::engine().TbPrintOptionsDialogA(job_, window, text);
}

int TTbJobWrappers::PrintSetBoxText(const QString &text, int percent)
{
    return tb::engine().TbPrintSetBoxTextA(job_, text, percent);
}

int TTbJobWrappers::SetOption(int number, intptr_t value)
{
    return tb::engine().TbSetOption(job_, number, value);
}

intptr_t TTbJobWrappers::GetOption(int number)
{
    return tb::engine().TbGetOption(job_, number);
}

int TTbJobWrappers::SetDlgboxMode(int mode)
{
    return tb::engine().TbSetDlgboxMode(mode);
}

} // namespace reporting
