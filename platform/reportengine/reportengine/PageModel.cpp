#include "reportengine/PageModel.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>

#include "reportengine/PreviewFormat.h"

namespace tb {

bool PageModel::write(QIODevice &device) const
{
    QDataStream s(&device);
    preview::prepare(s);
    preview::writeHeader(s, projectFile, quint32(pages.size()));
    std::vector<qint64> offsets;
    offsets.reserve(pages.size());
    QByteArray bytes;
    for (const auto &page : pages) {
        offsets.push_back(device.pos());
        bytes.clear();
        preview::appendPage(bytes, page);
        if (device.write(bytes) != bytes.size())
            return false;
    }
    s << quint32(table.size());
    for (const auto &line : table)
        preview::writeTableLine(s, line);
    preview::writeIndex(s, offsets, device.pos());
    return s.status() == QDataStream::Ok;
}

bool PageModel::read(QIODevice &device, PageModel &model)
{
    QDataStream s(&device);
    preview::prepare(s);
    PageModel m;
    quint32 count = 0;
    if (!preview::readHeader(s, m.projectFile, count))
        return false;
    m.pages.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        Page page;
        if (!preview::readPage(s, device, page))
            return false;
        m.pages.push_back(std::move(page));
    }
    s >> count;
    if (s.status() != QDataStream::Ok || !preview::plausibleCount(device, count, 9))
        return false;
    for (quint32 i = 0; i < count; ++i) {
        TableLineRecord line;
        if (!preview::readTableLine(s, device, line))
            return false;
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
