#include <QStringEncoder>

#include "reportengine/Exporters.h"
#include "reportengine/Spool.h"

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
class TxtExport : public LineExport {
public:
    explicit TxtExport(const ExportSource &head)
        : separator_(head.text("separator", QStringLiteral("\t"))),
          lineEnd_(head.text("lineEnd", QStringLiteral("\r\n"))), header_(head.flag("header", true)),
          encoding_(head.text("encoding", QStringLiteral("UTF-8")).toLatin1()),
          valid_(QStringEncoder(encoding_.constData()).isValid())
    {
    }

    void line(const TableLineRecord &line) override
    {
        if (!valid_ || (line.kind == TableLineRecord::Kind::Header && !header_))
            return;
        QStringList cells;
        for (const auto &cell : line.cells)
            cells.append(quoted(cell.text, separator_));
        spool_.write(encodeLine(encoding_, QString(cells.join(separator_) + lineEnd_), replaced_));
    }

    bool finish(QIODevice &out, const QString &) override
    {
        if (!valid_)
            return false;
        if (replaced_ > 0)
            qCWarning(lcExport) << "TXT:" << replaced_ << "characters not in" << encoding_
                                << "written as '?'";
        return spool_.copyTo(out);
    }

private:
    const QString separator_, lineEnd_;
    const bool header_;
    const QByteArray encoding_;
    const bool valid_;
    qsizetype replaced_ = 0;
    Spool spool_;
};

} // namespace

std::unique_ptr<LineExport> makeTxtExport(const ExportSource &head)
{
    return std::make_unique<TxtExport>(head);
}

QByteArray exportTxt(const ExportSource &source, bool *ok)
{
    TxtExport writer(source);
    return exportThrough(writer, source, ok);
}

} // namespace tb
