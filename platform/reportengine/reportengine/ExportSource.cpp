#include "reportengine/ExportSource.h"

#include <algorithm>
#include <cmath>

#include <QHash>

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
    // The lines of one object stay together; objects are read by where they start: the top of their
    // first line (a big title and a small date set level have different baselines but one top), left
    // to right among those starting level.
    struct Group {
        double top = 1e300, left = 1e300;
        std::vector<const Primitive *> runs;
    };
    std::vector<Group> groups;
    QHash<QString, size_t> named;
    for (const auto &p : page->items) {
        if (p.kind != Primitive::Kind::Text || p.tableItem || pageOnlyObjects.contains(p.object))
            continue;
        size_t index = groups.size();
        if (!p.object.isEmpty())
            index = named.value(p.object, groups.size());
        if (index == groups.size()) {
            groups.emplace_back();
            if (!p.object.isEmpty())
                named.insert(p.object, index);
        }
        Group &group = groups[index];
        group.runs.push_back(&p);
        group.top = std::min(group.top, p.origin.y() - p.font.sizePt);
        group.left = std::min(group.left, p.origin.x());
    }
    std::stable_sort(groups.begin(), groups.end(),
                     [](const Group &a, const Group &b) { return a.top < b.top; });
    constexpr double kLevelPt = 3;
    for (size_t first = 0; first < groups.size();) {
        size_t end = first + 1;
        while (end < groups.size() && groups[end].top - groups[first].top <= kLevelPt)
            ++end;
        std::stable_sort(groups.begin() + std::ptrdiff_t(first), groups.begin() + std::ptrdiff_t(end),
                         [](const Group &a, const Group &b) { return a.left < b.left; });
        first = end;
    }
    QStringList out;
    const Primitive *previous = nullptr;
    for (Group &group : groups) {
        std::stable_sort(group.runs.begin(), group.runs.end(), [](const Primitive *a, const Primitive *b) {
            if (std::abs(a->origin.y() - b->origin.y()) > 1.0)
                return a->origin.y() < b->origin.y();
            return a->origin.x() < b->origin.x();
        });
        for (const Primitive *p : group.runs) {
            if (previous && std::abs(p->origin.y() - previous->origin.y()) <= 1.0)
                out.last() += joiner + p->text;
            else
                out.append(p->text);
            previous = p;
        }
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
