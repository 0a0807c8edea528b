#include "reportengine/ExportSource.h"

#include <algorithm>
#include <cmath>

#include <QBuffer>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include "reportengine/Layouter.h"

namespace tb {

namespace {
constexpr double kPictureDpi = 150;

const Page *firstChosenPage(const ExportSource &source)
{
    for (const auto &page : source.model.pages)
        if (page.number >= source.firstPage && page.number <= source.lastPage)
            return &page;
    return nullptr;
}
} // namespace

std::vector<const TableLineRecord *> ExportSource::lines() const
{
    std::vector<const TableLineRecord *> out;
    int headerPage = 0;
    for (const auto &line : model.table) {
        if (line.page < firstPage || line.page > lastPage)
            continue;
        if (line.kind == TableLineRecord::Kind::Header) {
            if (headerPage == 0)
                headerPage = line.page;
            if (line.page != headerPage)
                continue; // repeated on every page; a data file wants it once
        }
        out.push_back(&line);
    }
    // Header lines of a later page (delayed headers) still go first.
    std::stable_partition(out.begin(), out.end(),
                          [](const TableLineRecord *l) { return l->kind == TableLineRecord::Kind::Header; });
    return out;
}

QStringList ExportSource::pageTexts(const QString &joiner) const
{
    const Page *page = firstChosenPage(*this);
    if (!page)
        return {};
    std::vector<const Primitive *> runs;
    for (const auto &p : page->items)
        if (p.kind == Primitive::Kind::Text && !p.tableItem)
            runs.push_back(&p);
    std::stable_sort(runs.begin(), runs.end(), [](const Primitive *a, const Primitive *b) {
        if (std::abs(a->origin.y() - b->origin.y()) > 1.0)
            return a->origin.y() < b->origin.y();
        return a->origin.x() < b->origin.x();
    });
    QStringList out;
    double baseline = -1e9;
    for (const Primitive *p : runs) {
        if (!out.isEmpty() && std::abs(p->origin.y() - baseline) <= 1.0)
            out.last() += joiner + p->text;
        else
            out.append(p->text);
        baseline = p->origin.y();
    }
    return out;
}

std::vector<ExportSource::Picture> ExportSource::pictures() const
{
    std::vector<Picture> out;
    const Page *page = firstChosenPage(*this);
    if (!page)
        return out;
    for (const auto &p : page->items) {
        if (p.kind != Primitive::Kind::Image || p.tableItem)
            continue;
        const QByteArray png = pictureAsPng(p.image, p.rect.width(), p.rect.height());
        if (!png.isEmpty())
            out.push_back({png, p.rect.width(), p.rect.height()});
    }
    return out;
}

bool ExportSource::flag(const char *key, bool fallback) const
{
    const QJsonValue value = settings.value(QLatin1String(key));
    return value.isBool() ? value.toBool() : fallback;
}

QString ExportSource::text(const char *key, const QString &fallback) const
{
    const QJsonValue value = settings.value(QLatin1String(key));
    return value.isString() ? value.toString() : fallback;
}

QString ExportSource::title() const
{
    return QFileInfo(model.projectFile).completeBaseName();
}

QByteArray pictureAsPng(const QByteArray &bytes, double widthPt, double heightPt)
{
    const QString kind = sniffImage(bytes);
    QImage image;
    if (kind == QLatin1String("svg")) {
        QSvgRenderer renderer(bytes);
        if (!renderer.isValid())
            return {};
        const QSize size(std::max(1, int(std::lround(widthPt / 72 * kPictureDpi))),
                         std::max(1, int(std::lround(heightPt / 72 * kPictureDpi))));
        image = QImage(size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::white);
        QPainter painter(&image);
        renderer.setAspectRatioMode(Qt::KeepAspectRatio);
        renderer.render(&painter);
    } else if (kind == QLatin1String("png")) {
        return bytes;
    } else if (kind == QLatin1String("jpeg")) {
        image.loadFromData(bytes, "JPEG");
    }
    if (image.isNull())
        return {};
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

} // namespace tb
