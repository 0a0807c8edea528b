#include "reportengine/PageModel.h"

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
    for (quint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        Page page;
        qint32 number = 0;
        quint32 items = 0;
        s >> number >> page.sizePt >> items;
        page.number = number;
        for (quint32 j = 0; j < items && s.status() == QDataStream::Ok; ++j) {
            Primitive p;
            qint8 kind = 0;
            s >> kind >> p.object >> p.text >> p.font >> p.origin >> p.clip >> p.color >> p.p1 >> p.p2 >>
                p.rect >> p.penWidth >> p.fill >> p.image >> p.keepAspect;
            p.kind = Primitive::Kind(kind);
            page.items.push_back(std::move(p));
        }
        m.pages.push_back(std::move(page));
    }
    s >> count;
    for (quint32 i = 0; i < count && s.status() == QDataStream::Ok; ++i) {
        TableLineRecord line;
        qint8 kind = 0;
        qint32 page = 0;
        quint32 cells = 0;
        s >> kind >> page >> cells;
        line.kind = TableLineRecord::Kind(kind);
        line.page = page;
        for (quint32 j = 0; j < cells && s.status() == QDataStream::Ok; ++j) {
            TableCellRecord cell;
            qint8 type = 0;
            s >> cell.text >> type >> cell.number >> cell.widthPt;
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
