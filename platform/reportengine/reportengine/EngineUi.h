#pragma once

#include <cstdint>
#include <functional>

#include <QString>
#include <QStringList>

class QWidget;

namespace tb {

struct DesignerSession;

// What the options dialog shows and what it gives back.
struct PrintOptionsRequest {
    QString text;            // for example "Drucke\nCa. 3 Seite(n)"
    bool printerRun = false; // offer the printer choice
    bool showRange = false;  // print option 14
    QStringList printers;    // the installed printers and the "PDF-Datei" pseudo-printer
    // In: current values; out: the user's choice.
    QString printer;
    QString pdfFile; // target of the "PDF-Datei" pseudo-printer
    int copies = 1;
    int firstPage = 1;
    int lastPage = 32767; // 32767 = to the end
};

// Zoom and geometry of the preview window (options 25-29); non-positive = the window's choice.
struct PreviewGeometry {
    int zoomPercent = 0;
    int left = -1, top = -1, width = 0, height = 0;
};

// Message callback of the preview window for its buttons: (message, parameter) -> result.
using PreviewNotifier = std::function<intptr_t(unsigned message, intptr_t parameter)>;

// Every dialog and window the engine shows. The program uses the Qt implementation; tests script it.
class EngineUi {
public:
    virtual ~EngineUi() = default;

    // The progress box of a print run (application-modal over the parent).
    virtual void openProgress(QWidget *parent, const QString &title, int boxType) = 0;
    // Shows the text and percentage, lets pending events run; false once Cancel was pressed.
    virtual bool updateProgress(const QString &text, int percent) = 0;
    virtual void closeProgress() = 0;

    // The print options dialog; false when cancelled.
    virtual bool printOptions(QWidget *parent, PrintOptionsRequest &request) = 0;
    // Shows the preview file modally; returns after the window is closed.
    virtual void showPreview(QWidget *parent, const QString &previewFile, const PreviewGeometry &geometry,
                             const PreviewNotifier &notify) = 0;
    // A file dialog: `filter` such as "Listen (*.lst)"; `save` asks for a file to write. False when
    // cancelled.
    virtual bool selectFile(QWidget *parent, const QString &title, const QString &filter, bool save,
                            QString &file) = 0;
    // An error or notice of the engine.
    virtual void message(QWidget *parent, const QString &title, const QString &text) = 0;
    // Opens a written export file with the desktop's viewer.
    virtual void openDocument(const QString &file) = 0;
    // Runs the layout designer on the session's project, application-modal over the parent; returns
    // when the user closed it.
    virtual void runDesigner(QWidget *parent, DesignerSession &session) = 0;
};

// Name of the pseudo-printer that writes a PDF file.
QString pdfPseudoPrinterName();

} // namespace tb
