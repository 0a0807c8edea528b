#pragma once

#include <QString>

#include "reportengine/PageModel.h"

class QPainter;
class QPagedPaintDevice;
class QImage;

namespace tb {

// Paints laid-out pages; the painter backend of printer, PDF and preview.
class PagePainter {
public:
    // Paints one page on a painter whose device has the given resolution (dots per inch).
    static void paint(QPainter &painter, const Page &page, double deviceDpi);
    // Renders a page into an image at `dpi` (white paper).
    static QImage render(const Page &page, double dpi);
    // Paints the pages numbered first..last (`copies` times) on a PDF writer or printer; false
    // when the device cannot be painted on.
    static bool paintPages(QPagedPaintDevice &device, const PageModel &model, int first, int last,
                           int copies);
    // Writes the pages first..last as a PDF file.
    static bool writePdf(const PageModel &model, const QString &file, int first, int last);
};

} // namespace tb
