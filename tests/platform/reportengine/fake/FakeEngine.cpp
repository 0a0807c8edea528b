#include "FakeEngine.h"

namespace tb::testing {

namespace {
QString n(intptr_t v)
{
    return QString::number(qlonglong(v));
}
} // namespace

int FakeEngine::record(const char *function, const QStringList &args)
{
    const QString name = QString::fromLatin1(function);
    calls.push_back(name + u'(' + args.join(QStringLiteral(", ")) + u')');
    auto it = results.find(name);
    if (it == results.end() || it->second.empty())
        return 0;
    const int result = it->second.front();
    it->second.pop_front();
    return result;
}

QStringList FakeEngine::callsStartingWith(const QString &prefix) const
{
    QStringList out;
    for (const auto &c : calls)
        if (c.startsWith(prefix))
            out.append(c);
    return out;
}

intptr_t FakeEngine::notify(int job, unsigned message, intptr_t parameter)
{
    const auto it = callbacks.find(job);
    if (it == callbacks.end() || !it->second)
        return 0;
    return it->second(message, parameter, TbGetOption(job, 7));
}

int FakeEngine::TbJobOpen(int language)
{
    record("TbJobOpen", {n(language)});
    const auto it = openAnswers.find(language);
    if (it != openAnswers.end()) {
        const int answer = it->second;
        openAnswers.erase(it);
        return answer;
    }
    return nextHandle++;
}

int FakeEngine::TbJobOpenCopy(int job)
{
    record("TbJobOpenCopy", {n(job)});
    return nextHandle++;
}

int FakeEngine::TbJobClose(int job)
{
    return record("TbJobClose", {n(job)});
}

int FakeEngine::TbSetOption(int job, int option, intptr_t value)
{
    options[{job, option}] = value;
    return record("TbSetOption", {n(job), n(option), n(value)});
}

intptr_t FakeEngine::TbGetOption(int job, int option)
{
    const auto it = options.find({job, option});
    return it == options.end() ? 0 : it->second;
}

int FakeEngine::TbSetOptionStringA(int job, int option, const QString &text)
{
    return record("TbSetOptionStringA", {n(job), n(option), text});
}

int FakeEngine::TbPrintSetOptionStringA(int job, int option, const QString &text)
{
    return record("TbPrintSetOptionStringA", {n(job), n(option), text});
}

int FakeEngine::TbSetDlgboxMode(int mode)
{
    dialogMode = mode;
    return record("TbSetDlgboxMode", {n(mode)});
}

int FakeEngine::TbSetDebug(int value)
{
    debug = value;
    return record("TbSetDebug", {n(value)});
}

NotificationCallback FakeEngine::TbSetNotificationCallback(int job, NotificationCallback callback)
{
    record("TbSetNotificationCallback", {n(job)});
    NotificationCallback previous = callbacks[job];
    callbacks[job] = callback;
    return previous;
}

int FakeEngine::TbDefineVariableStart(int job)
{
    return record("TbDefineVariableStart", {n(job)});
}

int FakeEngine::TbDefineFieldStart(int job)
{
    return record("TbDefineFieldStart", {n(job)});
}

int FakeEngine::TbDefineChartFieldStart(int job)
{
    return record("TbDefineChartFieldStart", {n(job)});
}

int FakeEngine::TbDefineVariableA(int job, const QString &name, const QString &contents)
{
    return record("TbDefineVariableA", {n(job), name, contents});
}

int FakeEngine::TbDefineFieldA(int job, const QString &name, const QString &contents)
{
    return record("TbDefineFieldA", {n(job), name, contents});
}

int FakeEngine::TbDefineFieldExtA(int job, const QString &name, const QString &contents, int type,
                                  int reserved)
{
    return record("TbDefineFieldExtA", {n(job), name, contents, n(type), n(reserved)});
}

int FakeEngine::TbPrintIsFieldUsedA(int job, const QString &name)
{
    const bool scripted = results.count(QStringLiteral("TbPrintIsFieldUsedA")) &&
                          !results[QStringLiteral("TbPrintIsFieldUsedA")].empty();
    const int answer = record("TbPrintIsFieldUsedA", {n(job), name});
    return scripted ? answer : (usedNames.contains(name) ? 1 : 0);
}

int FakeEngine::TbDefineLayoutA(int job, QWidget *, const QString &title, int objectType, const QString &file)
{
    return record("TbDefineLayoutA", {n(job), title, n(objectType), file});
}

int FakeEngine::TbSelectFileDlgTitleExA(int job, QWidget *, const QString &title, int objectType,
                                        QString &file, int size, int reserved)
{
    return record("TbSelectFileDlgTitleExA", {n(job), title, n(objectType), file, n(size), n(reserved)});
}

int FakeEngine::TbDesignerProhibitAction(int job, int id)
{
    return record("TbDesignerProhibitAction", {n(job), n(id)});
}

int FakeEngine::TbDesignerProhibitFunctionA(int job, const QString &name)
{
    return record("TbDesignerProhibitFunctionA", {n(job), name});
}

int FakeEngine::TbDesignerProhibitEditingObjectA(int job, const QString &name)
{
    return record("TbDesignerProhibitEditingObjectA", {n(job), name});
}

int FakeEngine::TbDesignerAddActionA(int job, int id, int flags, const QString &menuText,
                                     const QString &menuHierarchy, const QString &tooltip,
                                     const QString &statusText)
{
    return record("TbDesignerAddActionA",
                  {n(job), n(id), n(flags), menuText, menuHierarchy, tooltip, statusText});
}

int FakeEngine::TbPrintWithBoxStartA(int job, int objectType, const QString &file, int printFlags,
                                     int boxType, QWidget *, const QString &boxTitle)
{
    return record("TbPrintWithBoxStartA", {n(job), n(objectType), file, n(printFlags), n(boxType), boxTitle});
}

int FakeEngine::TbPrintOptionsDialogA(int job, QWidget *, const QString &text)
{
    if (onPrintOptionsDialog)
        onPrintOptionsDialog(job);
    return record("TbPrintOptionsDialogA", {n(job), text});
}

int FakeEngine::TbPrintGetOption(int job, int option)
{
    const bool scripted = results.count(QStringLiteral("TbPrintGetOption")) &&
                          !results[QStringLiteral("TbPrintGetOption")].empty();
    const int answer = record("TbPrintGetOption", {n(job), n(option)});
    if (scripted)
        return answer;
    const auto it = printOptions.find({job, option});
    return it == printOptions.end() ? 0 : it->second;
}

int FakeEngine::TbPrintSetOption(int job, int option, int value)
{
    printOptions[{job, option}] = value;
    return record("TbPrintSetOption", {n(job), n(option), n(value)});
}

int FakeEngine::TbPrint(int job)
{
    const int result = record("TbPrint", {n(job)});
    if (result == 0)
        ++printOptions[{job, 18}];
    return result;
}

int FakeEngine::TbPrintFields(int job)
{
    return record("TbPrintFields", {n(job)});
}

int FakeEngine::TbPrintFieldsEnd(int job)
{
    return record("TbPrintFieldsEnd", {n(job)});
}

int FakeEngine::TbPrintSetBoxTextA(int job, const QString &text, int percent)
{
    return record("TbPrintSetBoxTextA", {n(job), text, n(percent)});
}

int FakeEngine::TbPrintGetCurrentPage(int job)
{
    // Unless scripted, the page the run's TbPrint calls have reached (print option 18).
    const bool scripted = results.count(QStringLiteral("TbPrintGetCurrentPage")) &&
                          !results[QStringLiteral("TbPrintGetCurrentPage")].empty();
    const int answer = record("TbPrintGetCurrentPage", {n(job)});
    if (scripted)
        return answer;
    const auto it = printOptions.find({job, 18});
    return it == printOptions.end() ? 0 : it->second;
}

int FakeEngine::TbPrintGetItemsPerPage(int job)
{
    return record("TbPrintGetItemsPerPage", {n(job)});
}

int FakeEngine::TbPrintGetItemsPerTable(int job)
{
    return record("TbPrintGetItemsPerTable", {n(job)});
}

int FakeEngine::TbPrintDidMatchFilter(int job)
{
    return record("TbPrintDidMatchFilter", {n(job)});
}

int FakeEngine::TbPrintDeclareChartRow(int job, int value)
{
    return record("TbPrintDeclareChartRow", {n(job), n(value)});
}

int FakeEngine::TbPrintGetPrinterInfoA(int job, QString &name, int nameSize, QString &port, int portSize)
{
    name = QStringLiteral("Fake");
    port.clear();
    return record("TbPrintGetPrinterInfoA", {n(job), n(nameSize), n(portSize)});
}

int FakeEngine::TbPrintEnd(int job, int flags)
{
    return record("TbPrintEnd", {n(job), n(flags)});
}

int FakeEngine::TbPreviewSetTempPathA(int job, const QString &path)
{
    return record("TbPreviewSetTempPathA", {n(job), path});
}

int FakeEngine::TbPreviewDisplayA(int job, const QString &file, const QString &path, QWidget *)
{
    return record("TbPreviewDisplayA", {n(job), file, path});
}

int FakeEngine::TbPreviewDeleteFilesA(int job, const QString &file, const QString &path)
{
    return record("TbPreviewDeleteFilesA", {n(job), file, path});
}

int FakeEngine::TbXSetParameterA(int job, int type, const QString &module, const QString &key,
                                 const QString &value)
{
    return record("TbXSetParameterA", {n(job), n(type), module, key, value});
}

} // namespace tb::testing
