#include "reportengine/PreviewFormat.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include <QDataStream>
#include <QIODevice>
#include <QtEndian>

namespace tb::preview {

namespace {

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

namespace {

// The bytes a QDataStream of the file's version gives for each value, appended without a device
// in between: a page holds thousands of values, and a stream's device costs a call for each.
class Encoder {
public:
    explicit Encoder(QByteArray &out) : out_(out) {}

    void i8(qint8 v) { out_.append(char(v)); }
    void boolean(bool v) { i8(v ? 1 : 0); }
    void u16(quint16 v) { put(v); }
    void i32(qint32 v) { put(v); }
    void u32(quint32 v) { put(v); }
    void f64(double v)
    {
        quint64 bits = 0;
        std::memcpy(&bits, &v, sizeof bits);
        put(bits);
    }
    void point(QPointF p)
    {
        f64(p.x());
        f64(p.y());
    }
    void size(QSizeF s)
    {
        f64(s.width());
        f64(s.height());
    }
    void rect(const QRectF &r)
    {
        f64(r.x());
        f64(r.y());
        f64(r.width());
        f64(r.height());
    }
    void string(const QString &s)
    {
        if (s.isNull()) {
            u32(0xffffffff);
            return;
        }
        u32(quint32(s.size() * 2));
        const qsizetype at = out_.size();
        out_.resize(at + s.size() * 2);
        qToBigEndian<quint16>(s.utf16(), s.size(), out_.data() + at);
    }
    void bytes(const QByteArray &b)
    {
        if (b.isNull()) {
            u32(0xffffffff);
            return;
        }
        u32(quint32(b.size()));
        out_.append(b);
    }
    // Plain RGB and the invalid colour directly; any other spec as Qt streams it.
    void color(const QColor &c)
    {
        static const QByteArray invalid = streamed(QColor());
        if (c.spec() == QColor::Rgb) {
            const QRgba64 v = c.rgba64();
            if (c == QColor::fromRgba64(v)) { // the unused fifth part is 0
                i8(qint8(QColor::Rgb));
                for (const quint16 part : {v.alpha(), v.red(), v.green(), v.blue(), quint16(0)})
                    u16(part);
                return;
            }
        } else if (c == QColor()) {
            out_.append(invalid);
            return;
        }
        out_.append(streamed(c));
    }
    void font(const RunFont &f)
    {
        string(f.family);
        f64(f.sizePt);
        boolean(f.bold);
        boolean(f.italic);
        boolean(f.underline);
    }

private:
    template <typename T> void put(T v)
    {
        char b[sizeof(T)];
        qToBigEndian(v, b);
        out_.append(b, sizeof(T));
    }
    static QByteArray streamed(const QColor &c)
    {
        QByteArray bytes;
        QDataStream s(&bytes, QIODevice::WriteOnly);
        prepare(s);
        s << c;
        return bytes;
    }

    QByteArray &out_;
};

} // namespace

void appendPage(QByteArray &out, const Page &page)
{
    // The table's line and cell marks serve the painting notifications of a run; a preview gives
    // none, so it keeps only what paints.
    const auto marks = [](const Primitive &p) {
        return p.kind == Primitive::Kind::TableLine || p.kind == Primitive::Kind::TableField;
    };
    Encoder e(out);
    e.i32(page.number);
    e.size(page.sizePt);
    e.u32(quint32(page.items.size() - size_t(std::count_if(page.items.begin(), page.items.end(), marks))));
    for (const auto &p : page.items) {
        if (marks(p))
            continue;
        e.i8(qint8(p.kind));
        e.string(p.object);
        e.string(p.text);
        e.font(p.font);
        e.point(p.origin);
        e.rect(p.clip);
        e.color(p.color);
        e.point(p.p1);
        e.point(p.p2);
        e.rect(p.rect);
        e.f64(p.penWidth);
        e.color(p.fill);
        e.bytes(p.image);
        e.boolean(p.keepAspect);
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
