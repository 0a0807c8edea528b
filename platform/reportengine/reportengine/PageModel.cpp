#include "reportengine/PageModel.h"

#include <cmath>

#include <QDataStream>
#include <QFile>
#include <QSaveFile>

namespace tb {

namespace {

constexpr quint32 kMagic = 0x54425056; // "TBPV"
constexpr quint16 kVersion = 1;

QDataStream &operator<<(QDataStream &s, const RunFont &f)
{
    return s << f.family << f.sizePt << f.bold << f.italic << f.underline;
}

QDataStream &operator>>(QDataStream &s, RunFont &f)
{
    return s >> f.family >> f.sizePt >> f.bold >> f.italic >> f.underline;
}

} // namespace

bool PageModel::write(QIODevice &device) const
{
    QDataStream s(&device);
    s.setVersion(QDataStream::Qt_6_4);
    s << kMagic << kVersion << projectFile << quint32(pages.size());
    for (const auto &page : pages) {
        s << qint32(page.number) << page.sizePt << quint32(page.items.size());
        for (const auto &p : page.items) {
            s << qint8(p.kind) << p.object << p.text << p.font << p.origin << p.clip << p.color << p.p1
              << p.p2 << p.rect << p.penWidth << p.fill << p.image << p.keepAspect;
        }
    }
    s << quint32(table.size());
    for (const auto &line : table) {
        s << qint8(line.kind) << qint32(line.page) << quint32(line.cells.size());
        for (const auto &cell : line.cells)
            s << cell.text << qint8(cell.type) << cell.number << cell.widthPt;
    }
    return s.status() == QDataStream::Ok;
}

namespace {

// A preview file is outside input: every count, colour, size and kind is checked before it is used,
// and a damaged file is refused whole.
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

// A colour as the stream holds it; its spec is checked before Qt turns it into an enum.
bool readColor(QDataStream &s, QColor &color)
{
    qint8 spec = 0;
    quint16 parts[5] = {};
    s >> spec;
    for (quint16 &part : parts)
        s >> part;
    if (s.status() != QDataStream::Ok || spec < qint8(QColor::Invalid) || spec > qint8(QColor::ExtendedRgb))
        return false;
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

// A count of records of at least `minBytes` each that the rest of the device can hold.
bool plausibleCount(const QIODevice &device, quint32 count, qint64 minBytes)
{
    return qint64(count) <= device.bytesAvailable() / minBytes + 1;
}

} // namespace

bool PageModel::read(QIODevice &device, PageModel &model)
{
    QDataStream s(&device);
    s.setVersion(QDataStream::Qt_6_4);
    quint32 magic = 0, count = 0;
    quint16 version = 0;
    s >> magic >> version;
    if (magic != kMagic || version != kVersion)
        return false;
    PageModel m;
    s >> m.projectFile >> count;
    if (s.status() != QDataStream::Ok || !plausibleCount(device, count, 24))
        return false;
    for (quint32 i = 0; i < count; ++i) {
        Page page;
        qint32 number = 0;
        quint32 items = 0;
        s >> number >> page.sizePt >> items;
        if (s.status() != QDataStream::Ok || !std::isfinite(page.sizePt.width()) ||
            !std::isfinite(page.sizePt.height()) || page.sizePt.width() <= 0 || page.sizePt.height() <= 0 ||
            page.sizePt.width() > kMaxPageSide || page.sizePt.height() > kMaxPageSide ||
            !plausibleCount(device, items, 100))
            return false;
        page.number = number;
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
                !finite(p.penWidth, 1000) || p.penWidth < 0 || !finite(p.font.sizePt, 1000) ||
                p.font.sizePt < 0)
                return false;
            p.kind = Primitive::Kind(kind);
            page.items.push_back(std::move(p));
        }
        m.pages.push_back(std::move(page));
    }
    s >> count;
    if (s.status() != QDataStream::Ok || !plausibleCount(device, count, 9))
        return false;
    for (quint32 i = 0; i < count; ++i) {
        TableLineRecord line;
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
        m.table.push_back(std::move(line));
    }
    if (s.status() != QDataStream::Ok)
        return false;
    model = std::move(m);
    return true;
}

bool PageModel::writeFile(const QString &file) const
{
    QSaveFile out(file);
    return out.open(QIODevice::WriteOnly) && write(out) && out.commit();
}

bool PageModel::readFile(const QString &file, PageModel &model)
{
    QFile in(file);
    return in.open(QIODevice::ReadOnly) && read(in, model);
}

} // namespace tb
