#include "reportengine/PagePainter.h"

#include <QFile>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgRenderer>

#include "reportengine/Layouter.h"
#include "reportengine/TextMeasurer.h"

namespace tb {

namespace {

QRectF fitted(const QRectF &frame, QSizeF natural, bool keepAspect)
{
    if (!keepAspect || natural.isEmpty())
        return frame;
    natural.scale(frame.size(), Qt::KeepAspectRatio);
    return QRectF(frame.center().x() - natural.width() / 2, frame.center().y() - natural.height() / 2,
                  natural.width(), natural.height());
}

void paintImage(QPainter &painter, const Primitive &p)
{
    const QString kind = sniffImage(p.image);
    if (kind == QLatin1String("svg")) {
        QSvgRenderer renderer(p.image);
        if (renderer.isValid())
            renderer.render(&painter, fitted(p.rect, renderer.defaultSize(), p.keepAspect));
        return;
    }
    QImage image;
    if (!kind.isEmpty() && image.loadFromData(p.image))
        painter.drawImage(fitted(p.rect, image.size(), p.keepAspect), image);
}

} // namespace

void PagePainter::paint(QPainter &painter, const Page &page, double deviceDpi)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const double scale = deviceDpi / 72.0;
    painter.scale(scale, scale);
    // Fonts are given in points of the page; under the scale they must not grow with the device.
    const double fontFactor = 72.0 / painter.device()->logicalDpiY();
    for (const auto &p : page.items) {
        switch (p.kind) {
        case Primitive::Kind::Text: {
            RunFont font = p.font;
            font.sizePt *= fontFactor;
            painter.save();
            if (!p.clip.isNull())
                painter.setClipRect(p.clip);
            painter.setFont(TextMeasurer::qfont(font));
            painter.setPen(p.color);
            painter.drawText(p.origin, p.text);
            painter.restore();
            break;
        }
        case Primitive::Kind::Line:
            painter.setPen(QPen(p.color, p.penWidth, Qt::SolidLine, Qt::FlatCap));
            painter.drawLine(p.p1, p.p2);
            break;
        case Primitive::Kind::Rect:
            if (p.fill.isValid())
                painter.fillRect(p.rect, p.fill);
            if (p.penWidth > 0) {
                painter.setPen(QPen(p.color, p.penWidth));
                painter.setBrush(Qt::NoBrush);
                painter.drawRect(p.rect);
            }
            break;
        case Primitive::Kind::Image:
            paintImage(painter, p);
            break;
        }
    }
    painter.restore();
}

QImage PagePainter::render(const Page &page, double dpi)
{
    const QSize size(int(page.sizePt.width() * dpi / 72.0 + 0.5),
                     int(page.sizePt.height() * dpi / 72.0 + 0.5));
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.setDotsPerMeterX(int(dpi / 0.0254 + 0.5));
    image.setDotsPerMeterY(int(dpi / 0.0254 + 0.5));
    image.fill(Qt::white);
    QPainter painter(&image);
    paint(painter, page, dpi);
    return image;
}

bool PagePainter::paintPages(QPagedPaintDevice &device, const PageModel &model, int first, int last,
                             int copies)
{
    std::vector<const Page *> pages;
    for (const auto &page : model.pages)
        if (page.number >= first && page.number <= last)
            pages.push_back(&page);
    if (pages.empty())
        return false;
    auto layoutOf = [](const Page &page) {
        return QPageLayout(QPageSize(page.sizePt, QPageSize::Point), QPageLayout::Portrait,
                           QMarginsF(0, 0, 0, 0));
    };
    device.setPageLayout(layoutOf(*pages.front()));
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    bool firstPage = true;
    for (int copy = 0; copy < std::max(1, copies); ++copy) {
        for (const Page *page : pages) {
            if (!firstPage) {
                device.setPageLayout(layoutOf(*page));
                device.newPage();
            }
            firstPage = false;
            paint(painter, *page, device.logicalDpiX());
        }
    }
    return painter.end();
}

bool PagePainter::writePdf(const PageModel &model, const QString &file, int first, int last)
{
    {
        QFile probe(file);
        if (!probe.open(QIODevice::WriteOnly))
            return false;
    }
    QPdfWriter writer(file);
    writer.setResolution(1200);
    writer.setCreator(QStringLiteral("karvenfp"));
    writer.setTitle(model.projectFile);
    return paintPages(writer, model, first, last, 1);
}

} // namespace tb
