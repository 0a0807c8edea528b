#include <QFileInfo>
#include <QXmlStreamWriter>

#include "reportengine/Exporters.h"

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
} // namespace

QByteArray exportXml(const ExportSource &source)
{
    QByteArray bytes;
    qsizetype replaced = 0;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("report"));
    xml.writeAttribute(QStringLiteral("project"),
                       xmlText(QFileInfo(source.model.projectFile).fileName(), replaced));
    for (const TableLineRecord *line : source.lines()) {
        xml.writeStartElement(line->kind == TableLineRecord::Kind::Header   ? QStringLiteral("header")
                              : line->kind == TableLineRecord::Kind::Footer ? QStringLiteral("footer")
                                                                            : QStringLiteral("row"));
        for (const auto &cell : line->cells) {
            xml.writeStartElement(QStringLiteral("cell"));
            if (cell.type != Value::Kind::Text) {
                xml.writeAttribute(QStringLiteral("type"), QLatin1String(typeName(cell.type)));
                if (cell.type != Value::Kind::Null)
                    xml.writeAttribute(QStringLiteral("value"), QString::number(cell.number, 'g', 15));
            }
            xml.writeCharacters(xmlText(cell.text, replaced));
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    if (replaced > 0)
        qCWarning(lcExport) << "XML:" << replaced << "characters XML does not allow written as U+FFFD";
    return bytes;
}

} // namespace tb
