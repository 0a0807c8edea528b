#include <cmath>

#include <QDateTime>
#include <QFileInfo>
#include <QHash>
#include <QXmlStreamWriter>

#include "reportengine/Exporters.h"
#include "reportengine/Spool.h"

namespace tb {

namespace {

// A number as XML Schema writes a decimal: a point, no exponent, no trailing zeros.
QString xmlDecimal(double value)
{
    if (!std::isfinite(value))
        return QString();
    QString text = QString::number(value, 'f', 10);
    while (text.contains(u'.') && (text.endsWith(u'0') || text.endsWith(u'.')))
        text.chop(1);
    return text == QLatin1String("-0") ? QStringLiteral("0") : text;
}

// A day count as an ISO 8601 date, with the time where it has one.
QString isoDate(double days)
{
    const QDateTime moment = QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC)
                                 .addMSecs(qint64(std::llround(days * 86400000.0)));
    return moment.time() == QTime(0, 0) ? moment.date().toString(Qt::ISODate)
                                        : moment.toString(QStringLiteral("yyyy-MM-ddTHH:mm:ss"));
}

// A caption as an element name: what XML does not allow in a name becomes "_".
QString elementName(const QString &caption, qsizetype column)
{
    QString name;
    for (const QChar c : caption.trimmed()) {
        const bool allowed = c.isLetterOrNumber() || c == u'_' || c == u'-' || c == u'.';
        name += allowed ? c : QChar(u'_');
    }
    while (name.contains(QLatin1String("__")))
        name.replace(QLatin1String("__"), QLatin1String("_"));
    while (name.size() > 1 && name.endsWith(u'_'))
        name.chop(1);
    if (name.isEmpty() || name == QLatin1String("_"))
        return QStringLiteral("Feld%1").arg(column + 1);
    if (!name[0].isLetter() && name[0] != u'_')
        name.prepend(u'_');
    if (name.startsWith(QLatin1String("xml"), Qt::CaseInsensitive))
        name.prepend(u'_'); // names beginning with "xml" are reserved
    return name;
}

// The text with every character XML 1.0 forbids replaced by U+FFFD; counts them.
QString xmlText(const QString &text, qsizetype &replaced)
{
    QString out = text;
    for (QChar &c : out) {
        const char16_t u = c.unicode();
        if ((u < 0x20 && u != 0x09 && u != 0x0A && u != 0x0D) || u == 0xFFFE || u == 0xFFFF) {
            c = QChar(QChar::ReplacementCharacter);
            ++replaced;
        }
    }
    // Lone surrogates are not characters either.
    for (qsizetype i = 0; i < out.size(); ++i) {
        const QChar c = out[i];
        if (c.isHighSurrogate() && i + 1 < out.size() && out[i + 1].isLowSurrogate()) {
            ++i;
        } else if (c.isSurrogate()) {
            out[i] = QChar(QChar::ReplacementCharacter);
            ++replaced;
        }
    }
    return out;
}

class XmlExport : public LineExport {
public:
    explicit XmlExport(const ExportSource &head)
        : displayText_(head.flag("displayText", false)), xml_(&spool_.device())
    {
        xml_.setAutoFormatting(true);
        xml_.writeStartDocument();
        xml_.writeStartElement(QStringLiteral("report"));
        xml_.writeAttribute(QStringLiteral("project"),
                            xmlText(QFileInfo(head.model.projectFile).fileName(), replaced_));
    }

    void line(const TableLineRecord &line) override
    {
        if (line.kind == TableLineRecord::Kind::Header) {
            // The captions name the fields of the lines below them: header line n, row line n.
            if (!inHeader_)
                captions_.clear();
            inHeader_ = true;
            QStringList names;
            for (qsizetype i = 0; i < qsizetype(line.cells.size()); ++i)
                names << line.cells[size_t(i)].text;
            captions_.push_back(names);
            return;
        }
        inHeader_ = false;
        const bool footer = line.kind == TableLineRecord::Kind::Footer;
        const bool starts = footer ? previous_ != TableLineRecord::Kind::Footer
                                   : line.startsRecord || previous_ != TableLineRecord::Kind::Row;
        if (starts) {
            closeRecord();
            xml_.writeStartElement(footer ? QStringLiteral("footer") : QStringLiteral("record"));
            open_ = true;
            lineInRecord_ = 0;
            used_.clear();
        }
        previous_ = line.kind;
        const QStringList captions = lineInRecord_ < captions_.size() ? captions_[lineInRecord_]
                                     : captions_.isEmpty()            ? QStringList()
                                                                      : captions_.front();
        for (qsizetype i = 0; i < qsizetype(line.cells.size()); ++i)
            field(line.cells[size_t(i)], captions.value(i), i);
        ++lineInRecord_;
    }

    bool finish(QIODevice &out, const QString &) override
    {
        closeRecord();
        xml_.writeEndElement();
        xml_.writeEndDocument();
        if (replaced_ > 0)
            qCWarning(lcExport) << "XML:" << replaced_ << "characters XML does not allow written as U+FFFD";
        return !xml_.hasError() && spool_.copyTo(out);
    }

private:
    void closeRecord()
    {
        if (open_)
            xml_.writeEndElement();
        open_ = false;
    }

    // One field of a record: an element named by its caption holding the value as XML reads it.
    void field(const TableCellRecord &cell, const QString &caption, qsizetype column)
    {
        if (caption.trimmed().isEmpty() && cell.text.isEmpty())
            return; // a spacer under an empty caption
        QString name = elementName(caption, column);
        const int seen = used_[name]++;
        if (seen > 0)
            name += QStringLiteral("_%1").arg(seen + 1);
        xml_.writeStartElement(name);
        QString value;
        switch (cell.type) {
        case Value::Kind::Null:
            break;
        case Value::Kind::Text:
            value = cell.text;
            break;
        case Value::Kind::Number:
            value = xmlDecimal(cell.number);
            break;
        case Value::Kind::Date:
            value = isoDate(cell.number);
            break;
        case Value::Kind::Bool:
            value = cell.number != 0 ? QStringLiteral("true") : QStringLiteral("false");
            break;
        }
        if (displayText_ && cell.type != Value::Kind::Text && cell.type != Value::Kind::Null)
            xml_.writeAttribute(QStringLiteral("text"), xmlText(cell.text, replaced_));
        xml_.writeCharacters(xmlText(value, replaced_));
        xml_.writeEndElement();
    }

    bool displayText_ = false;
    Spool spool_;
    qsizetype replaced_ = 0;
    QXmlStreamWriter xml_;
    QList<QStringList> captions_;
    bool inHeader_ = false;
    bool open_ = false;
    TableLineRecord::Kind previous_ = TableLineRecord::Kind::Header;
    qsizetype lineInRecord_ = 0;
    QHash<QString, int> used_;
};

} // namespace

std::unique_ptr<LineExport> makeXmlExport(const ExportSource &head)
{
    return std::make_unique<XmlExport>(head);
}

QByteArray exportXml(const ExportSource &source)
{
    XmlExport writer(source);
    return exportThrough(writer, source);
}

} // namespace tb
