#pragma once

#include <cstdint>
#include <functional>

#include <QPainter>
#include <QString>

#include "reportengine/PageModel.h"

class QPagedPaintDevice;
class QImage;

namespace tb {

// Who hears about painting: the job's callback for the object, page and project messages.
struct PaintNotifier {
    std::function<intptr_t(unsigned message, intptr_t parameter)> raise;
    bool objects = false;
    bool pages = false;
    bool project = false;
    bool tableLines = false; // user-defined table colouring: lines and cells are announced
    // After each painted page (counted over all copies): false stops the painting (Cancel pressed).
    std::function<bool(int painted, int total)> pagePainted;
};

// Paints laid-out pages; the painter backend of printer, PDF and preview.
class PagePainter {
public:
    // Paints one page on a painter whose device has the given resolution (dots per inch). Object
    // notifications carry the object's bounds in points; a non-zero pre-draw answer skips it.
    static void paint(QPainter &painter, const Page &page, double deviceDpi,
                      const PaintNotifier *notifier = nullptr);
    // Renders a page into an image at `dpi` (white paper).
    static QImage render(const Page &page, double dpi);
    // Paints the pages numbered first..last (`copies` times) on a PDF writer or printer; false
    // when the device cannot be painted on or the notifier's pagePainted stopped it.
    static bool paintPages(QPagedPaintDevice &device, const PageModel &model, int first, int last, int copies,
                           const PaintNotifier *notifier = nullptr);
    // The same for `count` pages handed over one at a time by `pageAt` (0-based; null stops it as
    // a failure).
    using PageAt = std::function<const Page *(int index)>;
    static bool paintPages(QPagedPaintDevice &device, int count, const PageAt &pageAt, int copies,
                           const PaintNotifier *notifier = nullptr);
    // The document title of a run: the text of the "Titel" object of its first page, else the
    // project's name.
    static QString documentTitle(const PageModel &model);
    static QString documentTitle(const Page *firstPage, const QString &projectFile);
    // The document's author: the text of its "Mandant" object (the client's name), empty without one.
    static QString documentAuthor(const PageModel &model);
    static QString documentAuthor(const Page *firstPage);
    // Gives a written PDF its author where the run names one (title and creator with it); true when
    // there is none to give.
    static bool finishPdfInfo(const PageModel &model, const QString &file);
    static bool finishPdfInfo(const QString &title, const QString &author, const QString &file);
    // Writes the pages first..last as a PDF file; a failed run leaves an earlier file as it was.
    static bool writePdf(const PageModel &model, const QString &file, int first, int last,
                         const PaintNotifier *notifier = nullptr);
    // The same for `count` pages handed over one at a time, with the document's title and author.
    static bool writePdf(const QString &file, int count, const PageAt &pageAt, const QString &title,
                         const QString &author, const PaintNotifier *notifier = nullptr);
};

// Paints pages one after the other on a printer or PDF writer as they come, each on paper of its
// own size, with the project and page notifications; the painter is begun with the first page.
class PageSequence {
public:
    // `total` is the number of pages to come, for the progress (0 when not known in advance).
    PageSequence(QPagedPaintDevice &device, const PaintNotifier *notifier, int total = 0);
    ~PageSequence();
    PageSequence(const PageSequence &) = delete;
    PageSequence &operator=(const PageSequence &) = delete;

    // False when the device cannot be painted on or the notifier's pagePainted stopped it; every
    // later page is refused then.
    bool add(const Page &page);
    // Ends the painting; false when no page was painted, an add failed or the device failed.
    bool finish();
    int painted() const { return painted_; }
    // The device could not be painted on, or the painting was stopped.
    bool failed() const { return failed_; }

private:
    void announce(unsigned message, bool preDraw, QSizeF size);

    QPagedPaintDevice &device_;
    const PaintNotifier *notifier_;
    QPainter painter_;
    int total_ = 0;
    int painted_ = 0;
    bool failed_ = false;
    QSizeF lastSize_;
};

// Lets `write` fill a new file beside `file` and puts it in that place only when `write` succeeds;
// otherwise the new file goes and an earlier `file` stays byte for byte. False when the place
// cannot be written or `write` fails.
bool replaceOnSuccess(const QString &file, const std::function<bool(const QString &newFile)> &write);

} // namespace tb
