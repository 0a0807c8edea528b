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
} // namespace

QByteArray exportTxt(const ExportSource &source, bool *ok)
{
    const QString separator = source.text("separator", QStringLiteral("\t"));
    const QString lineEnd = source.text("lineEnd", QStringLiteral("\r\n"));
    const bool header = source.flag("header", true);
    QStringEncoder encoder(source.text("encoding", QStringLiteral("UTF-8")).toLatin1().constData());
    if (ok)
        *ok = encoder.isValid();
    if (!encoder.isValid())
        return {};
    QString out;
    for (const TableLineRecord *line : source.lines()) {
        if (line->kind == TableLineRecord::Kind::Header && !header)
            continue;
        QStringList cells;
        for (const auto &cell : line->cells)
            cells.append(quoted(cell.text, separator));
        out += cells.join(separator) + lineEnd;
    }
    QByteArray bytes = encoder.encode(out);
    if (ok)
        *ok = !encoder.hasError();
    return bytes;
}

} // namespace tb
