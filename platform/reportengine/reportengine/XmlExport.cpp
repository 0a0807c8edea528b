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
} // namespace

QByteArray exportXml(const ExportSource &source)
{
    QByteArray bytes;
    QXmlStreamWriter xml(&bytes);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("report"));
    xml.writeAttribute(QStringLiteral("project"), QFileInfo(source.model.projectFile).fileName());
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
            xml.writeCharacters(cell.text);
            xml.writeEndElement();
        }
        xml.writeEndElement();
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return bytes;
}

} // namespace tb
