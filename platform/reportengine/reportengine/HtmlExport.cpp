#include <cmath>

#include <QFileInfo>
#include <QIODevice>

#include "reportengine/Exporters.h"
#include "reportengine/Spool.h"

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

} // namespace

std::vector<QString> pictureFileNames(const QString &htmlFile, size_t count)
{
    std::vector<QString> names;
    const QString base = QFileInfo(htmlFile).completeBaseName();
    for (size_t i = 0; i < count; ++i)
        names.push_back(QStringLiteral("%1-bild%2.png").arg(base).arg(i + 1));
    return names;
}

namespace {

// Base64 in lines of 76 characters, as MIME wants it, passed on to another device as it comes.
class Base64Lines : public QIODevice {
public:
    explicit Base64Lines(QIODevice &out) : out_(out) { open(QIODevice::WriteOnly); }
    // Writes what is left as the last line.
    bool end()
    {
        const bool ok = pending_.isEmpty() || out_.write(pending_.toBase64() + "\r\n") >= 0;
        pending_.clear();
        return ok && !failed_;
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 size) override
    {
        constexpr qsizetype kLineBytes = 57; // 76 characters
        pending_.append(data, size);
        const qsizetype whole = pending_.size() / kLineBytes * kLineBytes;
        for (qsizetype at = 0; at < whole; at += kLineBytes)
            failed_ = failed_ || out_.write(pending_.mid(at, kLineBytes).toBase64() + "\r\n") < 0;
        pending_.remove(0, whole);
        return failed_ ? -1 : size;
    }

private:
    QIODevice &out_;
    QByteArray pending_;
    bool failed_ = false;
};

// Header and footer lines are few and kept; the rows go to the spool. finish() writes the page with
// the table's three parts in their order.
class HtmlExport : public LineExport {
public:
    explicit HtmlExport(const ExportSource &head) : title_(head.title())
    {
        if (head.flag("pageObjects", true)) {
            texts_ = head.pageTexts();
            pictures_ = head.pictures();
        }
    }

    void line(const TableLineRecord &line) override
    {
        QString row = QStringLiteral("<tr>");
        const QLatin1String tag(line.kind == TableLineRecord::Kind::Header ? "th" : "td");
        for (const auto &cell : line.cells)
            row += QStringLiteral("<%1%2>%3</%1>")
                       .arg(tag, QLatin1String(alignClass(cell.align)), escaped(cell.text));
        row += QStringLiteral("</tr>\n");
        if (line.kind == TableLineRecord::Kind::Row) {
            spool_.write(row.toUtf8());
            ++rows_;
        } else {
            (line.kind == TableLineRecord::Kind::Header ? header_ : footer_) += row;
        }
    }

    bool finish(QIODevice &out, const QString &file) override
    {
        return write(out, pictureFileNames(file, pictures_.size()));
    }

    std::vector<std::pair<QString, QByteArray>> besideFiles(const QString &file) const override
    {
        std::vector<std::pair<QString, QByteArray>> files;
        const auto names = pictureFileNames(file, pictures_.size());
        for (size_t i = 0; i < pictures_.size(); ++i)
            files.emplace_back(names[i], pictures_[i].png);
        return files;
    }

    // The page, its pictures referenced as `pictureNames`.
    bool write(QIODevice &device, const std::vector<QString> &pictureNames)
    {
        QString out;
        out += QStringLiteral("<!DOCTYPE html>\n<html lang=\"de\">\n<head>\n<meta charset=\"utf-8\"/>\n");
        out += QStringLiteral("<title>%1</title>\n").arg(escaped(title_));
        out += QStringLiteral(
            "<style>body{font-family:'Liberation Sans',Arial,sans-serif;font-size:10pt}"
            "table{border-collapse:collapse}th,td{border:1px solid #999;padding:2px 6px;vertical-align:top}"
            "th{text-align:left;background:#eee}.r{text-align:right}.c{text-align:center}"
            "tfoot td{font-weight:bold}</style>\n</head>\n<body>\n");
        for (const QString &text : texts_)
            out += QStringLiteral("<p>%1</p>\n").arg(escaped(text));
        for (size_t i = 0; i < pictures_.size() && i < pictureNames.size(); ++i)
            out += QStringLiteral("<p><img src=\"%1\" alt=\"\" width=\"%2\" height=\"%3\"/></p>\n")
                       .arg(escaped(pictureNames[i]))
                       .arg(std::lround(pictures_[i].widthPt * 96 / 72))
                       .arg(std::lround(pictures_[i].heightPt * 96 / 72));
        const bool table = !header_.isEmpty() || rows_ > 0 || !footer_.isEmpty();
        if (table) {
            out += QStringLiteral("<table>\n");
            if (!header_.isEmpty())
                out += QStringLiteral("<thead>\n") + header_ + QStringLiteral("</thead>\n");
            if (rows_ > 0)
                out += QStringLiteral("<tbody>\n");
        }
        bool ok = device.write(out.toUtf8()) >= 0 && spool_.copyTo(device);
        out.clear();
        if (table) {
            if (rows_ > 0)
                out += QStringLiteral("</tbody>\n");
            if (!footer_.isEmpty())
                out += QStringLiteral("<tfoot>\n") + footer_ + QStringLiteral("</tfoot>\n");
            out += QStringLiteral("</table>\n");
        }
        out += QStringLiteral("</body>\n</html>\n");
        return ok && device.write(out.toUtf8()) >= 0;
    }

    const std::vector<ExportSource::Picture> &pictures() const { return pictures_; }
    QString title() const { return title_; }

private:
    QString title_;
    QStringList texts_;
    std::vector<ExportSource::Picture> pictures_;
    QString header_, footer_;
    qint64 rows_ = 0;
    Spool spool_;
};

// The HTML and its pictures as one multipart/related MIME document.
class MhtmlExport : public LineExport {
public:
    explicit MhtmlExport(const ExportSource &head) : html_(head) {}

    void line(const TableLineRecord &line) override { html_.line(line); }

    bool finish(QIODevice &out, const QString &) override
    {
        const QByteArray boundary = "----=_NextPart_karven_export";
        std::vector<QString> names;
        for (size_t i = 0; i < html_.pictures().size(); ++i)
            names.push_back(QStringLiteral("bild%1.png").arg(i + 1));
        QByteArray head;
        head += "MIME-Version: 1.0\r\n";
        head += "Content-Type: multipart/related; boundary=\"" + boundary + "\"; type=\"text/html\"\r\n\r\n";
        head += "--" + boundary + "\r\n";
        head += "Content-Type: text/html; charset=\"utf-8\"\r\n";
        head += "Content-Transfer-Encoding: base64\r\n";
        head += "Content-Location: " + (html_.title() + QStringLiteral(".htm")).toUtf8() + "\r\n\r\n";
        bool ok = out.write(head) >= 0;
        Base64Lines page(out);
        ok = ok && html_.write(page, names) && page.end();
        for (size_t i = 0; ok && i < names.size(); ++i) {
            QByteArray part;
            part += "--" + boundary + "\r\n";
            part += "Content-Type: image/png\r\n";
            part += "Content-Transfer-Encoding: base64\r\n";
            part += "Content-Location: " + names[i].toUtf8() + "\r\n\r\n";
            ok = out.write(part) >= 0;
            Base64Lines picture(out);
            ok = ok && picture.write(html_.pictures()[i].png) >= 0 && picture.end();
        }
        return ok && out.write("--" + boundary + "--\r\n") >= 0;
    }

private:
    HtmlExport html_;
};

} // namespace

std::unique_ptr<LineExport> makeHtmlExport(const ExportSource &head)
{
    return std::make_unique<HtmlExport>(head);
}

std::unique_ptr<LineExport> makeMhtmlExport(const ExportSource &head)
{
    return std::make_unique<MhtmlExport>(head);
}

} // namespace tb
