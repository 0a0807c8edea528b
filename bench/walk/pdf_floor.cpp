#include "pdf_floor.h"

#include <QFont>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "process_usage.h"

namespace {

QPageSize pageSize(const tb::Page &page)
{
    return QPageSize(page.sizePt.isValid() ? page.sizePt : QSizeF(595, 842), QPageSize::Point);
}

} // namespace

double PdfFloorCpuSeconds(const std::vector<tb::Page> &pages, const QString &file)
{
    const double start = testsupport::cpuSeconds();
    if (pages.empty())
        return 0;
    QPdfWriter writer(file);
    writer.setResolution(72); // device units are points, as the pages are
    writer.setPageSize(pageSize(pages.front()));
    QPainter painter(&writer);
    bool first = true;
    for (const tb::Page &page : pages) {
        if (!first) {
            writer.setPageSize(pageSize(page));
            writer.newPage();
        }
        first = false;
        for (const tb::Primitive &p : page.items) {
            if (p.kind != tb::Primitive::Kind::Text)
                continue;
            QFont font(p.font.family);
            font.setPointSizeF(p.font.sizePt);
            font.setBold(p.font.bold);
            font.setItalic(p.font.italic);
            painter.setFont(font);
            painter.drawText(p.origin, p.text);
        }
    }
    painter.end();
    return testsupport::cpuSeconds() - start;
}
