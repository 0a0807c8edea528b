#pragma once

#include <deque>
#include <optional>

#include <QStringList>

#include "reportengine/EngineUi.h"

namespace tb {

class DesignerWindow;

// The engine's dialogs answered by a script, for tests: the options dialog takes preset values or
// is cancelled, Cancel is pressed in the progress box at the k-th update, file dialogs answer a file.
// Everything shown is recorded.
class ScriptedEngineUi : public EngineUi {
public:
    struct Script {
        bool acceptOptions = true;
        std::optional<QString> printer; // else the engine's choice stays
        QString pdfFile;
        std::optional<int> copies, firstPage, lastPage;
        int cancelAtProgress = 0;          // press Cancel at this update (1-based), 0 = never
        std::optional<QString> fileAnswer; // nothing = the file dialog is cancelled
        // Called while the preview "window" is open, with the file it shows.
        std::function<void(const QString &file, const PreviewNotifier &notify)> onPreview;
        // Called while the designer is open (offscreen); the window is closed after it without
        // saving when the script left it open.
        std::function<void(DesignerWindow &window)> onDesigner;
        // Answers to "Änderungen … speichern?" in turn: 0 Ja, 1 Nein, 2 Abbrechen (none left: Nein).
        std::deque<int> saveAnswers;
    };

    struct Record {
        int progressOpened = 0;
        int progressClosed = 0;
        QStringList progressTexts;
        QList<int> percents;
        QStringList optionsTexts;
        PrintOptionsRequest lastOptions;
        QStringList previews;
        PreviewGeometry lastGeometry;
        QStringList messages;
        QStringList fileDialogs; // filters
        QStringList opened;
        QStringList designerCaptions;
        QStringList designerQuestions;
        QStringList designerErrors;
        bool designerLeftOpen = false; // the script did not close the designer
    };

    Script script;
    Record record;

    void openProgress(QWidget *parent, const QString &title, int boxType) override;
    bool updateProgress(const QString &text, int percent) override;
    void closeProgress() override;
    bool printOptions(QWidget *parent, PrintOptionsRequest &request) override;
    void showPreview(QWidget *parent, const QString &previewFile, const PreviewGeometry &geometry,
                     const PreviewNotifier &notify) override;
    bool selectFile(QWidget *parent, const QString &title, const QString &filter, bool save,
                    QString &file) override;
    void message(QWidget *parent, const QString &title, const QString &text) override;
    void openDocument(const QString &file) override;
    void runDesigner(QWidget *parent, DesignerSession &session) override;

private:
    int updates_ = 0;
};

} // namespace tb
