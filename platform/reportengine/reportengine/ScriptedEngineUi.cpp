#include "reportengine/ScriptedEngineUi.h"

#include "reportengine/designer/DesignerWindow.h"

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

namespace {

class ScriptedPrompts : public DesignerPrompts {
public:
    ScriptedPrompts(ScriptedEngineUi::Script &script, ScriptedEngineUi::Record &record)
        : script_(script), record_(record)
    {
    }
    Answer askSave(QWidget *, const QString &question) override
    {
        record_.designerQuestions.append(question);
        if (script_.saveAnswers.empty())
            return Answer::No;
        const int answer = script_.saveAnswers.front();
        script_.saveAnswers.pop_front();
        return answer == 0 ? Answer::Yes : answer == 1 ? Answer::No : Answer::Cancel;
    }
    void error(QWidget *, const QString &text) override { record_.designerErrors.append(text); }

private:
    ScriptedEngineUi::Script &script_;
    ScriptedEngineUi::Record &record_;
};

} // namespace

void ScriptedEngineUi::runDesigner(QWidget *parent, DesignerSession &session)
{
    record.designerCaptions.append(session.caption);
    ScriptedPrompts prompts(script, record);
    DesignerWindow window(session, prompts, parent);
    window.resize(1280, 860);
    if (script.onDesigner)
        script.onDesigner(window);
    if (!window.isFinished()) {
        record.designerLeftOpen = true;
        script.saveAnswers.clear();
        window.requestClose();
    }
}

} // namespace tb
