#include "dbe/textfile/TextSchema.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>

#include "dbe/textfile/TextTableError.h"

namespace dbe::textfile {

namespace {

class SchemaParser {
public:
    explicit SchemaParser(const QString &fileName) : fileName_(QFileInfo(fileName).fileName()) {}

    [[noreturn]] void fail(int line, const QString &what) const
    {
        throw TextTableError(
            QStringLiteral("Schemadatei %1, Zeile %2: %3").arg(fileName_).arg(line).arg(what), fileName_,
            line);
    }

    TextSchema parse(const QByteArray &content)
    {
        TextSchema schema;
        QMap<int, TextFieldDef> fields;
        QMap<int, int> fieldLines;
        bool inSection = false;
        bool fileTypeSeen = false;
        const QList<QByteArray> lines = content.split('\n');
        for (int i = 0; i < lines.size(); ++i) {
            const int lineNo = i + 1;
            // Schema files are plain ASCII apart from field names; read them as 1252.
            const QString line = decode(lines[i], CodePage::Windows1252).trimmed();
            if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line == QLatin1String("\x1a"))
                continue;
            if (line.startsWith(QLatin1Char('['))) {
                if (!line.endsWith(QLatin1Char(']')) || line.size() < 3)
                    fail(lineNo, QStringLiteral("Abschnittsname unvollständig"));
                if (inSection)
                    fail(lineNo, QStringLiteral("mehr als ein Abschnitt"));
                schema.section = line.mid(1, line.size() - 2).trimmed();
                inSection = true;
                continue;
            }
            if (!inSection)
                fail(lineNo, QStringLiteral("Eintrag vor dem Abschnittsnamen"));
            const qsizetype eq = line.indexOf(QLatin1Char('='));
            if (eq <= 0)
                fail(lineNo, QStringLiteral("\"=\" fehlt"));
            const QString key = line.left(eq).trimmed().toUpper();
            const QString value = line.mid(eq + 1).trimmed();
            if (key == QLatin1String("FILETYPE")) {
                const QString kind = value.toUpper();
                if (kind == QLatin1String("FIXED"))
                    schema.kind = TextSchema::Kind::Fixed;
                else if (kind == QLatin1String("VARYING") || kind == QLatin1String("DELIMITED"))
                    schema.kind = TextSchema::Kind::Delimited;
                else
                    fail(lineNo, QStringLiteral("unbekannter Dateityp \"%1\"").arg(value));
                fileTypeSeen = true;
            } else if (key == QLatin1String("CHARSET")) {
                schema.codePage = codePageOf(value, lineNo);
            } else if (key == QLatin1String("SEPARATOR")) {
                schema.separator = singleCharacter(value, lineNo);
            } else if (key == QLatin1String("DELIMITER")) {
                schema.delimiter = singleCharacter(value, lineNo);
            } else if (key.startsWith(QLatin1String("FIELD"))) {
                bool ok = false;
                const int number = key.mid(5).toInt(&ok);
                if (!ok || number < 1)
                    fail(lineNo, QStringLiteral("unbekannter Eintrag \"%1\"").arg(line.left(eq).trimmed()));
                if (fields.contains(number))
                    fail(lineNo, QStringLiteral("Feld %1 doppelt").arg(number));
                fields.insert(number, fieldOf(value, lineNo));
                fieldLines.insert(number, lineNo);
            } else {
                fail(lineNo, QStringLiteral("unbekannter Eintrag \"%1\"").arg(line.left(eq).trimmed()));
            }
        }
        const int lastLine = static_cast<int>(lines.size());
        if (!inSection)
            fail(lastLine, QStringLiteral("Abschnitt fehlt"));
        if (!fileTypeSeen)
            fail(lastLine, QStringLiteral("FILETYPE fehlt"));
        if (fields.isEmpty())
            fail(lastLine, QStringLiteral("keine Felder"));
        int expected = 1;
        for (auto it = fields.cbegin(); it != fields.cend(); ++it, ++expected) {
            if (it.key() != expected)
                fail(fieldLines.value(it.key()), QStringLiteral("Feld %1 fehlt").arg(expected));
            for (const TextFieldDef &earlier : std::as_const(schema.fields))
                if (earlier.name.compare(it->name, Qt::CaseInsensitive) == 0)
                    fail(fieldLines.value(it.key()), QStringLiteral("Feldname \"%1\" doppelt").arg(it->name));
            schema.fields.append(*it);
        }
        if (schema.kind == TextSchema::Kind::Delimited && schema.separator == schema.delimiter)
            fail(lastLine, QStringLiteral("Trennzeichen und Begrenzer gleich"));
        return schema;
    }

private:
    CodePage codePageOf(const QString &value, int lineNo) const
    {
        const QString name = value.toLower();
        // The desktop engines' DOS character sets; the Windows ones start with "ansi".
        if (name.startsWith(QLatin1String("ansi")) || name == QLatin1String("windows") ||
            name == QLatin1String("1252") || name == QLatin1String("cp1252"))
            return CodePage::Windows1252;
        if (name == QLatin1String("ascii") || name == QLatin1String("intl") ||
            name == QLatin1String("intl850") || name == QLatin1String("ascii850") ||
            name == QLatin1String("850") || name == QLatin1String("cp850") || name == QLatin1String("oem"))
            return CodePage::Dos850;
        fail(lineNo, QStringLiteral("unbekannter Zeichensatz \"%1\"").arg(value));
    }

    char singleCharacter(const QString &value, int lineNo) const
    {
        // The character may stand alone or in quotes: , or ",". A blank or a
        // tab as separator must be written in quotes or as TAB.
        QString c = value;
        if (c.size() == 3 && c.front() == c.back() &&
            (c.front() == QLatin1Char('"') || c.front() == QLatin1Char('\'')))
            c = c.mid(1, 1);
        if (c.compare(QLatin1String("TAB"), Qt::CaseInsensitive) == 0)
            c = QStringLiteral("\t");
        if (c.size() != 1 || c.front().unicode() >= 0x80)
            fail(lineNo, QStringLiteral("ein einzelnes Zeichen erwartet, nicht \"%1\"").arg(value));
        return static_cast<char>(c.front().unicode());
    }

    TextFieldDef fieldOf(const QString &value, int lineNo) const
    {
        const QStringList parts = value.split(QLatin1Char(','));
        if (parts.size() != 5)
            fail(lineNo, QStringLiteral("Feld erwartet als Name,Typ,Breite,Dezimalstellen,Position"));
        TextFieldDef field;
        field.name = parts[0].trimmed();
        if (field.name.isEmpty())
            fail(lineNo, QStringLiteral("Feldname fehlt"));
        const QString type = parts[1].trimmed().toUpper();
        if (type == QLatin1String("CHAR"))
            field.type = FieldType::String;
        else if (type == QLatin1String("NUMBER") || type == QLatin1String("FLOAT"))
            field.type = FieldType::Float;
        else if (type == QLatin1String("LONGINT"))
            field.type = FieldType::Integer;
        else if (type == QLatin1String("SHORT"))
            field.type = FieldType::SmallInt;
        else if (type == QLatin1String("BOOL"))
            field.type = FieldType::Boolean;
        else if (type == QLatin1String("DATE"))
            field.type = FieldType::Date;
        else if (type == QLatin1String("TIME"))
            field.type = FieldType::Time;
        else if (type == QLatin1String("TIMESTAMP"))
            field.type = FieldType::DateTime;
        else
            fail(lineNo, QStringLiteral("unbekannter Feldtyp \"%1\"").arg(parts[1].trimmed()));
        field.width = number(parts[2], lineNo, QStringLiteral("Breite"));
        field.decimals = number(parts[3], lineNo, QStringLiteral("Dezimalstellen"));
        field.offset = number(parts[4], lineNo, QStringLiteral("Position"));
        if (field.width < 1)
            fail(lineNo, QStringLiteral("Breite muss größer als 0 sein"));
        return field;
    }

    int number(const QString &text, int lineNo, const QString &what) const
    {
        bool ok = false;
        const int n = text.trimmed().toInt(&ok);
        if (!ok || n < 0)
            fail(lineNo, QStringLiteral("%1 \"%2\" ist keine Zahl").arg(what, text.trimmed()));
        return n;
    }

    QString fileName_;
};

} // namespace

TextSchema TextSchema::parse(const QByteArray &content, const QString &fileName)
{
    return SchemaParser(fileName).parse(content);
}

TextSchema TextSchema::load(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw TextTableError(QStringLiteral("Schemadatei %1 nicht gefunden").arg(path), path);
    return parse(file.readAll(), path);
}

} // namespace dbe::textfile
