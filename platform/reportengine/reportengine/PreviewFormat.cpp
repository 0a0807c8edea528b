#include "reportengine/PreviewFormat.h"

#include <cmath>

#include <QDataStream>
#include <QIODevice>

namespace tb::preview {

namespace {

QDataStream &operator<<(QDataStream &s, const RunFont &f)
{
    return s << f.family << f.sizePt << f.bold << f.italic << f.underline;
}

QDataStream &operator>>(QDataStream &s, RunFont &f)
{
    return s >> f.family >> f.sizePt >> f.bold >> f.italic >> f.underline;
}

// A preview file is outside input: every count, colour, size and kind is checked before it is used,
// and a damaged record is refused whole.
constexpr double kMaxCoordinate = 1e6; // points, far beyond any paper
constexpr double kMaxPageSide = 14400; // 200 inches

bool finite(double v, double limit = kMaxCoordinate)
{
    return std::isfinite(v) && std::abs(v) <= limit;
}

bool finite(QPointF p)
{
    return finite(p.x()) && finite(p.y());
}

bool finite(const QRectF &r)
{
    return finite(r.x()) && finite(r.y()) && finite(r.width()) && finite(r.height());
}

// A colour as the stream holds it; its spec is checked before Qt turns it into an enum. Plain RGB,
// what the engine writes, is taken directly; any other goes through Qt's own reading.
bool readColor(QDataStream &s, QColor &color)
{
    qint8 spec = 0;
    quint16 parts[5] = {};
    s >> spec;
    for (quint16 &part : parts)
        s >> part;
    if (s.status() != QDataStream::Ok || spec < qint8(QColor::Invalid) || spec > qint8(QColor::ExtendedRgb))
        return false;
    if (spec == qint8(QColor::Rgb) && parts[4] == 0) {
        color = QColor::fromRgba64(parts[1], parts[2], parts[3], parts[0]);
        return true;
    }
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(s.version());
    out << spec;
    for (const quint16 part : parts)
        out << part;
    QDataStream in(bytes);
    in.setVersion(s.version());
    in >> color;
    return in.status() == QDataStream::Ok;
}

} // namespace

void prepare(QDataStream &stream)
{
    stream.setVersion(QDataStream::Qt_6_4);
}

void writeHeader(QDataStream &s, const QString &projectFile, quint32 pages)
{
    s << kMagic << kVersion << projectFile << pages;
}

void writePage(QDataStream &s, const Page &page)
{
    s << qint32(page.number) << page.sizePt << quint32(page.items.size());
    for (const auto &p : page.items) {
        s << qint8(p.kind) << p.object << p.text << p.font << p.origin << p.clip << p.color << p.p1 << p.p2
          << p.rect << p.penWidth << p.fill << p.image << p.keepAspect;
    }
}

void writeTableLine(QDataStream &s, const TableLineRecord &line)
{
    s << qint8(line.kind) << qint32(line.page) << quint32(line.cells.size());
    for (const auto &cell : line.cells)
        s << cell.text << qint8(cell.type) << cell.number << cell.widthPt;
}

void writeIndex(QDataStream &s, const std::vector<qint64> &pageOffsets, qint64 indexOffset)
{
    s << kIndexMagic << quint32(pageOffsets.size());
    for (const qint64 offset : pageOffsets)
        s << offset;
    s << indexOffset << kIndexMagic;
}

bool plausibleCount(const QIODevice &device, quint32 count, qint64 minBytes)
{
    return qint64(count) <= device.bytesAvailable() / minBytes + 1;
}

bool readHeader(QDataStream &s, QString &projectFile, quint32 &pages)
{
    quint32 magic = 0;
    quint16 version = 0;
    s >> magic >> version;
    if (magic != kMagic || version != kVersion)
        return false;
    s >> projectFile >> pages;
    return s.status() == QDataStream::Ok && plausibleCount(*s.device(), pages, 24);
}

bool readPage(QDataStream &s, const QIODevice &device, Page &page)
{
    qint32 number = 0;
    quint32 items = 0;
    s >> number >> page.sizePt >> items;
    if (s.status() != QDataStream::Ok || !std::isfinite(page.sizePt.width()) ||
        !std::isfinite(page.sizePt.height()) || page.sizePt.width() <= 0 || page.sizePt.height() <= 0 ||
        page.sizePt.width() > kMaxPageSide || page.sizePt.height() > kMaxPageSide ||
        !plausibleCount(device, items, 100))
        return false;
    page.number = number;
    page.items.reserve(page.items.size() + items);
    for (quint32 j = 0; j < items; ++j) {
        Primitive p;
        qint8 kind = 0;
        s >> kind >> p.object >> p.text >> p.font >> p.origin >> p.clip;
        if (!readColor(s, p.color))
            return false;
        s >> p.p1 >> p.p2 >> p.rect >> p.penWidth;
        if (!readColor(s, p.fill))
            return false;
        s >> p.image >> p.keepAspect;
        if (s.status() != QDataStream::Ok || kind < 0 || kind > qint8(Primitive::Kind::TableField) ||
            !finite(p.origin) || !finite(p.clip) || !finite(p.p1) || !finite(p.p2) || !finite(p.rect) ||
            !finite(p.penWidth, 1000) || p.penWidth < 0 || !finite(p.font.sizePt, 1000) || p.font.sizePt < 0)
            return false;
        p.kind = Primitive::Kind(kind);
        page.items.push_back(std::move(p));
    }
    return true;
}

bool readTableLine(QDataStream &s, const QIODevice &device, TableLineRecord &line)
{
    qint8 kind = 0;
    qint32 page = 0;
    quint32 cells = 0;
    s >> kind >> page >> cells;
    if (s.status() != QDataStream::Ok || kind < 0 || kind > qint8(TableLineRecord::Kind::Footer) ||
        !plausibleCount(device, cells, 21))
        return false;
    line.kind = TableLineRecord::Kind(kind);
    line.page = page;
    for (quint32 j = 0; j < cells; ++j) {
        TableCellRecord cell;
        qint8 type = 0;
        s >> cell.text >> type >> cell.number >> cell.widthPt;
        if (s.status() != QDataStream::Ok || type < 0 || type > qint8(Value::Kind::Bool) ||
            !finite(cell.widthPt))
            return false;
        cell.type = Value::Kind(type);
        line.cells.push_back(std::move(cell));
    }
    return true;
}

bool readIndex(QIODevice &device, quint32 pages, qint64 firstPage, std::vector<qint64> &offsets)
{
    constexpr qint64 kTrailer = 12; // index offset and magic
    const qint64 size = device.size();
    if (size < firstPage + kTrailer + 8 || !device.seek(size - kTrailer))
        return false;
    QDataStream s(&device);
    prepare(s);
    qint64 indexOffset = 0;
    quint32 magic = 0, count = 0;
    s >> indexOffset >> magic;
    if (s.status() != QDataStream::Ok || magic != kIndexMagic || indexOffset < firstPage ||
        indexOffset + 8 + 8 * qint64(pages) + kTrailer != size || !device.seek(indexOffset))
        return false;
    s >> magic >> count;
    if (s.status() != QDataStream::Ok || magic != kIndexMagic || count != pages)
        return false;
    std::vector<qint64> read(count);
    for (qint64 &offset : read)
        s >> offset;
    if (s.status() != QDataStream::Ok)
        return false;
    for (size_t i = 0; i < read.size(); ++i)
        if ((i == 0 ? read[i] != firstPage : read[i] <= read[i - 1]) || read[i] >= indexOffset)
            return false;
    offsets = std::move(read);
    return true;
}

} // namespace tb::preview
