#include <cmath>

#include <QFileInfo>

#include "reportengine/Exporters.h"

namespace tb {

namespace {

QString escaped(const QString &text)
{
    QString out = text.toHtmlEscaped();
    out.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    out.replace(u'\n', QStringLiteral("<br/>"));
    return out;
}

const char *alignClass(int align)
{
    return align == 2 ? " class=\"r\"" : align == 1 ? " class=\"c\"" : "";
}

void writeLines(QString &out, const std::vector<const TableLineRecord *> &lines, TableLineRecord::Kind kind,
                const char *section, const char *cellTag)
{
    bool open = false;
    for (const TableLineRecord *line : lines) {
        if (line->kind != kind)
            continue;
        if (!open)
            out += QStringLiteral("<%1>\n").arg(QLatin1String(section));
        open = true;
        out += QStringLiteral("<tr>");
        for (const auto &cell : line->cells)
            out +=
                QStringLiteral("<%1%2>%3</%1>")
                    .arg(QLatin1String(cellTag), QLatin1String(alignClass(cell.align)), escaped(cell.text));
        out += QStringLiteral("</tr>\n");
    }
    if (open)
        out += QStringLiteral("</%1>\n").arg(QLatin1String(section));
}

} // namespace

std::vector<QString> pictureFileNames(const QString &htmlFile, size_t count)
{
    std::vector<QString> names;
    const QString base = QFileInfo(htmlFile).completeBaseName();
    for (size_t i = 0; i < count; ++i)
        names.push_back(QStringLiteral("%1-bild%2.png").arg(base).arg(i + 1));
    return names;
}

QByteArray exportHtml(const ExportSource &source, const std::vector<QString> &pictureNames)
{
    QString out;
    out += QStringLiteral("<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\"/>\n");
    out += QStringLiteral("<title>%1</title>\n").arg(escaped(source.title()));
    out += QStringLiteral(
        "<style>body{font-family:'Liberation Sans',Arial,sans-serif;font-size:10pt}"
        "table{border-collapse:collapse}th,td{border:1px solid #999;padding:2px 6px;vertical-align:top}"
        "th{text-align:left;background:#eee}.r{text-align:right}.c{text-align:center}"
        "tfoot td{font-weight:bold}</style>\n</head>\n<body>\n");
    if (source.flag("pageObjects", true)) {
        for (const QString &text : source.pageTexts())
            out += QStringLiteral("<p>%1</p>\n").arg(escaped(text));
        const auto pictures = source.pictures();
        for (size_t i = 0; i < pictures.size() && i < pictureNames.size(); ++i)
            out += QStringLiteral("<p><img src=\"%1\" alt=\"\" width=\"%2\" height=\"%3\"/></p>\n")
                       .arg(escaped(pictureNames[i]))
                       .arg(std::lround(pictures[i].widthPt * 96 / 72))
                       .arg(std::lround(pictures[i].heightPt * 96 / 72));
    }
    const auto lines = source.lines();
    if (!lines.empty()) {
        out += QStringLiteral("<table>\n");
        writeLines(out, lines, TableLineRecord::Kind::Header, "thead", "th");
        writeLines(out, lines, TableLineRecord::Kind::Row, "tbody", "td");
        writeLines(out, lines, TableLineRecord::Kind::Footer, "tfoot", "td");
        out += QStringLiteral("</table>\n");
    }
    out += QStringLiteral("</body>\n</html>\n");
    return out.toUtf8();
}

QByteArray exportMhtml(const ExportSource &source)
{
    const QByteArray boundary = "----=_NextPart_karven_export";
    const auto pictures =
        source.flag("pageObjects", true) ? source.pictures() : std::vector<ExportSource::Picture>{};
    std::vector<QString> names;
    for (size_t i = 0; i < pictures.size(); ++i)
        names.push_back(QStringLiteral("bild%1.png").arg(i + 1));
    auto base64Lines = [](const QByteArray &data) {
        const QByteArray encoded = data.toBase64();
        QByteArray out;
        for (qsizetype i = 0; i < encoded.size(); i += 76)
            out += encoded.mid(i, 76) + "\r\n";
        return out;
    };
    QByteArray out;
    out += "MIME-Version: 1.0\r\n";
    out += "Content-Type: multipart/related; boundary=\"" + boundary + "\"; type=\"text/html\"\r\n\r\n";
    out += "--" + boundary + "\r\n";
    out += "Content-Type: text/html; charset=\"utf-8\"\r\n";
    out += "Content-Transfer-Encoding: base64\r\n";
    out += "Content-Location: " + (source.title() + QStringLiteral(".htm")).toUtf8() + "\r\n\r\n";
    out += base64Lines(exportHtml(source, names));
    for (size_t i = 0; i < pictures.size(); ++i) {
        out += "--" + boundary + "\r\n";
        out += "Content-Type: image/png\r\n";
        out += "Content-Transfer-Encoding: base64\r\n";
        out += "Content-Location: " + names[i].toUtf8() + "\r\n\r\n";
        out += base64Lines(pictures[i].png);
    }
    out += "--" + boundary + "--\r\n";
    return out;
}

} // namespace tb
