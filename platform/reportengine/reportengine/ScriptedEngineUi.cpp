#include "reportengine/ScriptedEngineUi.h"

namespace tb {

void ScriptedEngineUi::openProgress(QWidget *, const QString &, int)
{
    ++record.progressOpened;
    updates_ = 0;
}

bool ScriptedEngineUi::updateProgress(const QString &text, int percent)
{
    ++updates_;
    record.progressTexts.append(text);
    record.percents.append(percent);
    return !(script.cancelAtProgress > 0 && updates_ >= script.cancelAtProgress);
}

void ScriptedEngineUi::closeProgress()
{
    ++record.progressClosed;
}

bool ScriptedEngineUi::printOptions(QWidget *, PrintOptionsRequest &request)
{
    record.optionsTexts.append(request.text);
    record.lastOptions = request;
    if (!script.acceptOptions)
        return false;
    if (script.printer) {
        request.printer = *script.printer;
        request.pdfFile = script.pdfFile;
    }
    if (script.copies)
        request.copies = *script.copies;
    if (script.firstPage)
        request.firstPage = *script.firstPage;
    if (script.lastPage)
        request.lastPage = *script.lastPage;
    return true;
}

void ScriptedEngineUi::showPreview(QWidget *, const QString &previewFile, const PreviewGeometry &geometry,
                                   const PreviewNotifier &notify)
{
    record.previews.append(previewFile);
    record.lastGeometry = geometry;
    if (script.onPreview)
        script.onPreview(previewFile, notify);
}

bool ScriptedEngineUi::selectFile(QWidget *, const QString &, const QString &filter, bool, QString &file)
{
    record.fileDialogs.append(filter);
    if (!script.fileAnswer)
        return false;
    file = *script.fileAnswer;
    return true;
}

void ScriptedEngineUi::message(QWidget *, const QString &, const QString &text)
{
    record.messages.append(text);
}

void ScriptedEngineUi::openDocument(const QString &file)
{
    record.opened.append(file);
}

} // namespace tb
