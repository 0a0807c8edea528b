#include "dbe/textfile/TextTable.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "base/GermanFormat.h"

namespace dbe::textfile {

namespace {

// The entry of a directory whose name equals name without regard to case
// (the exact name first); empty when there is none.
QString findEntry(const QString &directory, const QString &name)
{
    const QDir dir(directory);
    if (dir.exists(name))
        return dir.filePath(name);
    const QStringList entries = dir.entryList(QDir::Files | QDir::Hidden);
    for (const QString &entry : entries)
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return dir.filePath(entry);
    return {};
}

QVariant convertValue(QStringView raw, FieldType type)
{
    const QStringView text = raw.trimmed();
    if (text.isEmpty())
        return {};
    switch (type) {
    case FieldType::String: {
        QStringView kept = raw;
        while (!kept.isEmpty() && kept.back().isSpace())
            kept.chop(1);
        return kept.toString();
    }
    case FieldType::Float: {
        QString number = text.toString();
        if (!number.contains(QLatin1Char('.')))
            number.replace(QLatin1Char(','), QLatin1Char('.'));
        bool ok = false;
        const double value = number.toDouble(&ok);
        return ok ? QVariant(value) : QVariant();
    }
    case FieldType::Integer:
    case FieldType::SmallInt: {
        bool ok = false;
        const int value = text.toInt(&ok);
        if (!ok || (type == FieldType::SmallInt && (value < -32768 || value > 32767)))
            return {};
        return value;
    }
    case FieldType::Boolean: {
        const QString upper = text.toString().toUpper();
        if (upper == QLatin1String("T") || upper == QLatin1String("Y") || upper == QLatin1String("J"))
            return true;
        if (upper == QLatin1String("F") || upper == QLatin1String("N"))
            return false;
        const auto value = base::de::parseBool(text.toString());
        return value ? QVariant(*value) : QVariant();
    }
    case FieldType::Date: {
        const auto value = base::de::parseDate(text.toString());
        return value ? QVariant(base::toQDate(*value)) : QVariant();
    }
    case FieldType::Time: {
        const auto value = base::de::parseTime(text.toString());
        return value ? QVariant(base::toQTime(*value)) : QVariant();
    }
    case FieldType::DateTime: {
        const auto value = base::de::parseDateTime(text.toString());
        return value ? QVariant(base::toQDateTime(*value)) : QVariant();
    }
    default:
        return {};
    }
}

// Splits a separated line; a value in delimiters may hold the separator, and
// a doubled delimiter inside stands for one.
QList<QStringView> splitDelimited(QStringView line, QChar separator, QChar delimiter,
                                  QList<QString> &unquoted)
{
    QList<QStringView> parts;
    unquoted.clear();
    qsizetype pos = 0;
    while (pos <= line.size()) {
        // Blanks before an opening delimiter are not part of the value.
        qsizetype start = pos;
        while (start < line.size() && line[start] == QLatin1Char(' ') && separator != QLatin1Char(' '))
            ++start;
        if (start < line.size() && line[start] == delimiter) {
            QString value;
            qsizetype i = start + 1;
            while (i < line.size()) {
                if (line[i] == delimiter) {
                    if (i + 1 < line.size() && line[i + 1] == delimiter) {
                        value += delimiter;
                        i += 2;
                        continue;
                    }
                    break;
                }
                value += line[i++];
            }
            unquoted.append(value);
            parts.append(QStringView(unquoted.back()));
            const qsizetype next = line.indexOf(separator, i);
            if (next < 0)
                break;
            pos = next + 1;
        } else {
            const qsizetype next = line.indexOf(separator, pos);
            if (next < 0) {
                parts.append(line.mid(pos));
                break;
            }
            parts.append(line.mid(pos, next - pos));
            pos = next + 1;
        }
    }
    return parts;
}

} // namespace

struct TextTable::State {
    TextSchema schema;
    QString filePath;
    QString schemaPath;
    QString content;                              // the whole file, decoded
    QList<std::pair<qsizetype, qsizetype>> lines; // start and length in content
    int current = -1;
    QList<QVariant> values;
    QList<QString> unquoted; // storage for delimited values with doubled quotes
};

TextTable::TextTable(const QString &directory, const QString &fileName) : d_(std::make_unique<State>())
{
    d_->filePath = findEntry(directory, fileName);
    if (d_->filePath.isEmpty())
        throw TextTableError(
            QStringLiteral("Textdatei %1 nicht gefunden").arg(QDir(directory).filePath(fileName)), fileName);
    d_->schemaPath = findSchemaFile(directory, fileName);
    if (d_->schemaPath.isEmpty()) {
        const QString expected = QFileInfo(fileName).completeBaseName() + QStringLiteral(".SCH");
        throw TextTableError(
            QStringLiteral("Schemadatei %1 nicht gefunden").arg(QDir(directory).filePath(expected)),
            expected);
    }
    d_->schema = TextSchema::load(d_->schemaPath);

    QFile file(d_->filePath);
    if (!file.open(QIODevice::ReadOnly))
        throw TextTableError(QStringLiteral("Textdatei %1 kann nicht gelesen werden").arg(d_->filePath),
                             d_->filePath);
    QByteArray bytes = file.readAll();
    // A DOS end-of-file mark ends the text.
    const qsizetype eof = bytes.indexOf('\x1a');
    if (eof >= 0)
        bytes.truncate(eof);
    // Both code pages are single-byte, so character positions are byte positions.
    d_->content = decode(bytes, d_->schema.codePage);

    qsizetype start = 0;
    const QString &text = d_->content;
    while (start < text.size()) {
        qsizetype end = text.indexOf(QLatin1Char('\n'), start);
        const qsizetype next = end < 0 ? text.size() : end + 1;
        if (end < 0)
            end = text.size();
        qsizetype length = end - start;
        if (length > 0 && text[start + length - 1] == QLatin1Char('\r'))
            --length;
        d_->lines.append({start, length});
        start = next;
    }
    // Trailing empty lines are no records.
    while (!d_->lines.isEmpty() && d_->lines.back().second == 0)
        d_->lines.removeLast();
    d_->values.resize(d_->schema.fields.size());
}

TextTable::~TextTable() = default;
TextTable::TextTable(TextTable &&) noexcept = default;
TextTable &TextTable::operator=(TextTable &&) noexcept = default;

const TextSchema &TextTable::schema() const
{
    return d_->schema;
}

const QString &TextTable::filePath() const
{
    return d_->filePath;
}

const QString &TextTable::schemaPath() const
{
    return d_->schemaPath;
}

int TextTable::fieldCount() const
{
    return static_cast<int>(d_->schema.fields.size());
}

int TextTable::fieldNumber(const QString &name) const
{
    for (int i = 0; i < d_->schema.fields.size(); ++i)
        if (d_->schema.fields[i].name.compare(name, Qt::CaseInsensitive) == 0)
            return i + 1;
    return 0;
}

bool TextTable::next()
{
    if (d_->current + 1 >= d_->lines.size()) {
        d_->current = static_cast<int>(d_->lines.size());
        d_->values.fill(QVariant());
        return false;
    }
    ++d_->current;
    const auto [start, length] = d_->lines[d_->current];
    const QStringView line = QStringView(d_->content).mid(start, length);
    const QList<TextFieldDef> &fields = d_->schema.fields;
    if (d_->schema.kind == TextSchema::Kind::Fixed) {
        for (int i = 0; i < fields.size(); ++i) {
            const TextFieldDef &f = fields[i];
            const QStringView raw = f.offset < line.size() ? line.mid(f.offset, f.width) : QStringView();
            d_->values[i] = convertValue(raw, f.type);
        }
    } else {
        const QList<QStringView> parts = splitDelimited(line, QLatin1Char(d_->schema.separator),
                                                        QLatin1Char(d_->schema.delimiter), d_->unquoted);
        for (int i = 0; i < fields.size(); ++i)
            d_->values[i] = i < parts.size() ? convertValue(parts[i], fields[i].type) : QVariant();
    }
    return true;
}

void TextTable::rewind()
{
    d_->current = -1;
    d_->values.fill(QVariant());
}

int TextTable::recordNumber() const
{
    return d_->current >= 0 && d_->current < d_->lines.size() ? d_->current + 1 : 0;
}

QVariant TextTable::value(int fieldNo) const
{
    if (fieldNo < 1 || fieldNo > d_->values.size())
        return {};
    return d_->values[fieldNo - 1];
}

QVariant TextTable::value(const QString &name) const
{
    const int no = fieldNumber(name);
    if (no == 0)
        throw TextTableError(QStringLiteral("Feld %1 nicht gefunden").arg(name), d_->filePath);
    return value(no);
}

bool TextTable::isBlank(int fieldNo) const
{
    return value(fieldNo).isNull();
}

QString TextTable::findSchemaFile(const QString &directory, const QString &fileName)
{
    return findEntry(directory, QFileInfo(fileName).completeBaseName() + QStringLiteral(".SCH"));
}

} // namespace dbe::textfile
