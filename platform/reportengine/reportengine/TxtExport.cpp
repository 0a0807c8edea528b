#include <QStringEncoder>

#include "reportengine/Exporters.h"

namespace tb {

namespace {
QString quoted(const QString &text, const QString &separator)
{
    const bool needs = (!separator.isEmpty() && text.contains(separator)) || text.contains(u'"') ||
                       text.contains(u'\n') || text.contains(u'\r');
    if (!needs)
        return text;
    return u'"' + QString(text).replace(QStringLiteral("\""), QStringLiteral("\"\"")) + u'"';
}

// One line in the encoding; a character it cannot hold becomes "?" and is counted.
QByteArray encodeLine(const QByteArray &encoding, QStringView line, qsizetype &replaced)
{
    QStringEncoder whole(encoding.constData());
    QByteArray bytes = whole.encode(line);
    if (!whole.hasError())
        return bytes;
    bytes.clear();
    for (qsizetype i = 0; i < line.size();) {
        const qsizetype n =
            line[i].isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate() ? 2 : 1;
        QStringEncoder one(encoding.constData());
        const QByteArray b = one.encode(line.mid(i, n));
        if (one.hasError()) {
            bytes += '?';
            ++replaced;
        } else {
            bytes += b;
        }
        i += n;
    }
    return bytes;
}
} // namespace

QByteArray exportTxt(const ExportSource &source, bool *ok)
{
    const QString separator = source.text("separator", QStringLiteral("\t"));
    const QString lineEnd = source.text("lineEnd", QStringLiteral("\r\n"));
    const bool header = source.flag("header", true);
    const QByteArray encoding = source.text("encoding", QStringLiteral("UTF-8")).toLatin1();
    const bool valid = QStringEncoder(encoding.constData()).isValid();
    if (ok)
        *ok = valid;
    if (!valid)
        return {};
    QByteArray bytes;
    qsizetype replaced = 0;
    for (const TableLineRecord *line : source.lines()) {
        if (line->kind == TableLineRecord::Kind::Header && !header)
            continue;
        QStringList cells;
        for (const auto &cell : line->cells)
            cells.append(quoted(cell.text, separator));
        bytes += encodeLine(encoding, QString(cells.join(separator) + lineEnd), replaced);
    }
    if (replaced > 0)
        qCWarning(lcExport) << "TXT:" << replaced << "characters not in" << encoding << "written as '?'";
    return bytes;
}

} // namespace tb
