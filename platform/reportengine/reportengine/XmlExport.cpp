#include <QFileInfo>
#include <QXmlStreamWriter>

#include "reportengine/Exporters.h"
#include "reportengine/Spool.h"

namespace tb {

namespace {
const char *typeName(Value::Kind kind)
{
    switch (kind) {
    case Value::Kind::Null:
        return "null";
    case Value::Kind::Number:
        return "number";
    case Value::Kind::Date:
        return "date";
    case Value::Kind::Bool:
        return "bool";
    case Value::Kind::Text:
        break;
    }
    return "text";
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
    explicit XmlExport(const ExportSource &head) : xml_(&spool_.device())
    {
        xml_.setAutoFormatting(true);
        xml_.writeStartDocument();
        xml_.writeStartElement(QStringLiteral("report"));
        xml_.writeAttribute(QStringLiteral("project"),
                            xmlText(QFileInfo(head.model.projectFile).fileName(), replaced_));
    }

    void line(const TableLineRecord &line) override
    {
        xml_.writeStartElement(line.kind == TableLineRecord::Kind::Header   ? QStringLiteral("header")
                               : line.kind == TableLineRecord::Kind::Footer ? QStringLiteral("footer")
                                                                            : QStringLiteral("row"));
        for (const auto &cell : line.cells) {
            xml_.writeStartElement(QStringLiteral("cell"));
            if (cell.type != Value::Kind::Text) {
                xml_.writeAttribute(QStringLiteral("type"), QLatin1String(typeName(cell.type)));
                if (cell.type != Value::Kind::Null)
                    xml_.writeAttribute(QStringLiteral("value"), QString::number(cell.number, 'g', 15));
            }
            xml_.writeCharacters(xmlText(cell.text, replaced_));
            xml_.writeEndElement();
        }
        xml_.writeEndElement();
    }

    bool finish(QIODevice &out, const QString &) override
    {
        xml_.writeEndElement();
        xml_.writeEndDocument();
        if (replaced_ > 0)
            qCWarning(lcExport) << "XML:" << replaced_ << "characters XML does not allow written as U+FFFD";
        return !xml_.hasError() && spool_.copyTo(out);
    }

private:
    Spool spool_;
    qsizetype replaced_ = 0;
    QXmlStreamWriter xml_;
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
