#include "reportengine/PagePainter.h"

#include <cerrno>
#include <filesystem>

#include <fcntl.h>
#include <unistd.h>

#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPaintEngine>
#include <QPainter>
#include <QPdfWriter>
#include <QRandomGenerator>
#include <QSvgRenderer>

#include "reportengine/EngineTypes.h"
#include "reportengine/LaidOutText.h"
#include "reportengine/Layouter.h"
#include "reportengine/PdfInfo.h"
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

namespace {

QRectF boundsOf(const Primitive &p)
{
    switch (p.kind) {
    case Primitive::Kind::Text:
        return p.clip.isNull() ? QRectF(p.origin.x(), p.origin.y() - p.font.sizePt, 0, p.font.sizePt)
                               : p.clip;
    case Primitive::Kind::Line:
        return QRectF(p.p1, p.p2).normalized();
    default:
        return p.rect;
    }
}

void paintPrimitive(QPainter &painter, const Primitive &p, double fontFactor);

} // namespace

void PagePainter::paint(QPainter &painter, const Page &page, double deviceDpi, const PaintNotifier *notifier)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, true);
    const double scale = deviceDpi / 72.0;
    painter.scale(scale, scale);
    // Fonts are given in points of the page; under the scale they must not grow with the device.
    const double fontFactor = 72.0 / painter.device()->logicalDpiY();
    const bool notifyObjects = notifier && notifier->objects && notifier->raise;
    const bool notifyTable = notifier && notifier->tableLines && notifier->raise;
    int pageLine = 0;
    int lineDef = 0;
    for (size_t i = 0; i < page.items.size();) {
        // The primitives of one object stand together; they are announced as one.
        size_t end = i + 1;
        while (end < page.items.size() && !page.items[i].object.isEmpty() &&
               page.items[end].object == page.items[i].object)
            ++end;
        ObjectNotification record;
        if (notifyObjects && !page.items[i].object.isEmpty()) {
            record.name = page.items[i].object;
            record.type = int(page.items[i].kind) + 1;
            record.painter = &painter;
            for (size_t k = i; k < end; ++k)
                record.rect |= boundsOf(page.items[k]);
            if (notifier->raise(msg::Object, reinterpret_cast<intptr_t>(&record)) != 0) {
                i = end;
                continue;
            }
        }
        for (size_t k = i; k < end; ++k) {
            const Primitive &p = page.items[k];
            if (p.kind == Primitive::Kind::TableLine) {
                if (notifyTable) {
                    TableLineNotification line{p.lineType,  &painter, p.rect, pageLine,
                                               p.lineIndex, p.zebra,  p.rect};
                    notifier->raise(msg::TableLine, reinterpret_cast<intptr_t>(&line));
                }
                ++pageLine;
                lineDef = p.lineIndex;
            } else if (p.kind == Primitive::Kind::TableField) {
                if (notifyTable) {
                    TableFieldNotification field{p.lineType, &painter, p.rect, lineDef, p.fieldIndex, p.rect};
                    notifier->raise(msg::TableField, reinterpret_cast<intptr_t>(&field));
                }
            } else {
                paintPrimitive(painter, p, fontFactor);
            }
        }
        if (!record.name.isEmpty()) {
            record.preDraw = false;
            notifier->raise(msg::Object, reinterpret_cast<intptr_t>(&record));
        }
        i = end;
    }
    painter.restore();
}

namespace {

void paintPrimitive(QPainter &painter, const Primitive &p, double fontFactor)
{
    switch (p.kind) {
    case Primitive::Kind::Text: {
        RunFont font = p.font;
        font.sizePt *= fontFactor;
        // A clip that cuts nothing is left out: every clip costs the PDF a path and a graphics state
        // per line. Glyphs may reach a little beyond their advance, hence the margin.
        constexpr double kInkMarginPt = 1;
        const bool clipCuts =
            !p.clip.isNull() &&
            (p.extent.isNull() ||
             !p.clip.adjusted(kInkMarginPt, kInkMarginPt, -kInkMarginPt, -kInkMarginPt).contains(p.extent));
        const bool isolated = clipCuts || painter.hasClipping();
        if (isolated) {
            painter.save();
            if (!p.clip.isNull())
                painter.setClipRect(p.clip);
        }
        // Setting a font resolves it for the device anew, so it is set only when it changes.
        const QFont wanted = TextMeasurer::qfont(font);
        if (painter.font() != wanted)
            painter.setFont(wanted);
        painter.setPen(p.color);
        // A file or printer gets a report's many pages: each distinct text is laid out once for it. A
        // picture on screen paints one page and keeps the painter's own way of placing glyphs.
        if (painter.paintEngine()->type() == QPaintEngine::Pdf) {
            for (const QGlyphRun &run : laidOutText(p.text, painter.font(), painter.device()))
                painter.drawGlyphRun(p.origin, run);
        } else {
            painter.drawText(p.origin, p.text);
        }
        if (isolated)
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
    case Primitive::Kind::TableLine:
    case Primitive::Kind::TableField:
        break;
    }
}

} // namespace

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

namespace {

// A landscape page is the standard paper turned, so printers pick the right paper size.
QPageLayout layoutOf(const Page &page)
{
    const bool landscape = page.sizePt.width() > page.sizePt.height();
    const QSizeF paper = landscape ? page.sizePt.transposed() : page.sizePt;
    return QPageLayout(QPageSize(paper, QPageSize::Point),
                       landscape ? QPageLayout::Landscape : QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

} // namespace

PageSequence::PageSequence(QPagedPaintDevice &device, const PaintNotifier *notifier, int total)
    : device_(device), notifier_(notifier), total_(total)
{
}

PageSequence::~PageSequence()
{
    if (painter_.isActive())
        painter_.end();
}

void PageSequence::announce(unsigned message, bool preDraw, QSizeF size)
{
    PageNotification record;
    record.preDraw = preDraw;
    record.painter = &painter_;
    record.rect = QRectF(QPointF(0, 0), size);
    notifier_->raise(message, reinterpret_cast<intptr_t>(&record));
}

bool PageSequence::add(const Page &page)
{
    if (failed_)
        return false;
    const bool notifyPages = notifier_ && notifier_->pages && notifier_->raise;
    if (painted_ == 0) {
        device_.setPageLayout(layoutOf(page));
        if (!painter_.begin(&device_)) {
            failed_ = true;
            return false;
        }
        if (notifier_ && notifier_->project && notifier_->raise)
            announce(msg::Project, true, page.sizePt);
    } else {
        device_.setPageLayout(layoutOf(page));
        device_.newPage();
    }
    if (notifyPages)
        announce(msg::Page, true, page.sizePt);
    PagePainter::paint(painter_, page, device_.logicalDpiX(), notifier_);
    if (notifyPages)
        announce(msg::Page, false, page.sizePt);
    lastSize_ = page.sizePt;
    ++painted_;
    if (notifier_ && notifier_->pagePainted && !notifier_->pagePainted(painted_, total_)) {
        painter_.end();
        failed_ = true;
        return false;
    }
    return true;
}

bool PageSequence::finish()
{
    if (failed_ || painted_ == 0)
        return false;
    if (notifier_ && notifier_->project && notifier_->raise)
        announce(msg::Project, false, lastSize_);
    return painter_.end();
}

namespace {

std::vector<const Page *> pagesNumbered(const PageModel &model, int first, int last)
{
    std::vector<const Page *> pages;
    for (const auto &page : model.pages)
        if (page.number >= first && page.number <= last)
            pages.push_back(&page);
    return pages;
}

} // namespace

bool PagePainter::paintPages(QPagedPaintDevice &device, const PageModel &model, int first, int last,
                             int copies, const PaintNotifier *notifier)
{
    const std::vector<const Page *> pages = pagesNumbered(model, first, last);
    return paintPages(
        device, int(pages.size()), [&pages](int index) { return pages[size_t(index)]; }, copies, notifier);
}

bool PagePainter::paintPages(QPagedPaintDevice &device, int count, const PageAt &pageAt, int copies,
                             const PaintNotifier *notifier)
{
    if (count <= 0)
        return false;
    PageSequence sequence(device, notifier, count * std::max(1, copies));
    for (int copy = 0; copy < std::max(1, copies); ++copy)
        for (int index = 0; index < count; ++index) {
            const Page *page = pageAt(index);
            if (!page || !sequence.add(*page))
                return false;
        }
    return sequence.finish();
}

namespace {

// The text of a page object of the run's first page, its lines joined.
QString firstPageText(const Page *firstPage, const QLatin1String &object)
{
    QStringList parts;
    if (firstPage)
        for (const auto &p : firstPage->items)
            if (p.kind == Primitive::Kind::Text && !p.tableItem &&
                p.object.compare(object, Qt::CaseInsensitive) == 0)
                parts.append(p.text);
    return parts.join(u' ').simplified();
}

} // namespace

QString PagePainter::documentTitle(const PageModel &model)
{
    return documentTitle(model.pages.empty() ? nullptr : &model.pages.front(), model.projectFile);
}

QString PagePainter::documentTitle(const Page *firstPage, const QString &projectFile)
{
    // The report's own title object on its first page; the project's name where it has none.
    const QString title = firstPageText(firstPage, QLatin1String("Titel"));
    return title.isEmpty() ? QFileInfo(projectFile).completeBaseName() : title;
}

QString PagePainter::documentAuthor(const PageModel &model)
{
    return documentAuthor(model.pages.empty() ? nullptr : &model.pages.front());
}

QString PagePainter::documentAuthor(const Page *firstPage)
{
    return firstPageText(firstPage, QLatin1String("Mandant"));
}

bool PagePainter::finishPdfInfo(const PageModel &model, const QString &file)
{
    return finishPdfInfo(documentTitle(model), documentAuthor(model), file);
}

bool PagePainter::finishPdfInfo(const QString &title, const QString &author, const QString &file)
{
    return author.isEmpty() || setPdfDocumentInfo(file, title, author, QStringLiteral("karvenfp"));
}

bool PagePainter::writePdf(const PageModel &model, const QString &file, int first, int last,
                           const PaintNotifier *notifier)
{
    const std::vector<const Page *> pages = pagesNumbered(model, first, last);
    return writePdf(
        file, int(pages.size()), [&pages](int index) { return pages[size_t(index)]; }, documentTitle(model),
        documentAuthor(model), notifier);
}

bool PagePainter::writePdf(const QString &file, int count, const PageAt &pageAt, const QString &title,
                           const QString &author, const PaintNotifier *notifier)
{
    return replaceOnSuccess(file, [&](const QString &neu) {
        QPdfWriter writer(neu);
        writer.setResolution(1200);
        writer.setCreator(QStringLiteral("karvenfp"));
        writer.setTitle(title);
        return paintPages(writer, count, pageAt, 1, notifier) && finishPdfInfo(title, author, neu);
    });
}

bool replaceOnSuccess(const QString &file, const std::function<bool(const QString &newFile)> &write)
{
    const QFileInfo target(file);
    if (target.isDir() || (target.exists() && !target.isWritable()))
        return false;
    // A free name beside the target, so that the rename never crosses file systems. The file is made
    // as any new file of the user is (the umask decides its mode), and a file it replaces keeps its own.
    QString neu;
    for (int attempt = 0; neu.isEmpty(); ++attempt) {
        if (attempt == 100)
            return false;
        const QString candidate =
            target.absoluteFilePath() +
            QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
        const int fd =
            ::open(QFile::encodeName(candidate).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0) {
            if (errno == EEXIST)
                continue;
            return false;
        }
        ::close(fd);
        neu = candidate;
    }
    if (target.exists())
        QFile::setPermissions(neu, QFile::permissions(target.absoluteFilePath()));
    bool ok = false;
    try {
        ok = write(neu);
    } catch (...) {
        QFile::remove(neu);
        throw;
    }
    std::error_code fehler;
    if (ok)
        std::filesystem::rename(neu.toStdString(), target.absoluteFilePath().toStdString(), fehler);
    if (!ok || fehler) {
        QFile::remove(neu);
        return false;
    }
    return true;
}

} // namespace tb
