#include "dbe/Query.h"

#include <sqlite3.h>

#include <algorithm>

#include "dbe/Session.h"
#include "dbe/detail/Cursor.h"
#include "dbe/detail/Database.h"

namespace dbe {

namespace {

[[noreturn]] void openError()
{
    databaseError(QStringLiteral("Diese Operation ist bei einer geöffneten Datenmenge nicht zulässig"));
}

// A value as the storage handed it over (integer, real, text or bytes).
QVariant rawValue(sqlite3_stmt *stmt, int column)
{
    switch (sqlite3_column_type(stmt, column)) {
    case SQLITE_INTEGER:
        return static_cast<qlonglong>(sqlite3_column_int64(stmt, column));
    case SQLITE_FLOAT:
        return sqlite3_column_double(stmt, column);
    case SQLITE_TEXT:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                                 sqlite3_column_bytes(stmt, column));
    case SQLITE_BLOB:
        return QByteArray(static_cast<const char *>(sqlite3_column_blob(stmt, column)),
                          sqlite3_column_bytes(stmt, column));
    default:
        return QVariant();
    }
}

// The layer's type of a column that is no table column: by its declared
// type, else by the storage type of its first value.
FieldType typeOfExpression(const char *declared, const QVariant &firstValue)
{
    const QString decl = QString::fromLatin1(declared ? declared : "").toUpper();
    if (decl.contains(QLatin1String("INT")))
        return FieldType::Integer;
    if (decl.contains(QLatin1String("REAL")) || decl.contains(QLatin1String("FLOA")) ||
        decl.contains(QLatin1String("DOUB")))
        return FieldType::Float;
    if (decl.contains(QLatin1String("BLOB")))
        return FieldType::Blob;
    if (!decl.isEmpty())
        return FieldType::String;
    switch (firstValue.typeId()) {
    case QMetaType::LongLong:
        return FieldType::Integer;
    case QMetaType::Double:
        return FieldType::Float;
    case QMetaType::QByteArray:
        return FieldType::Blob;
    default:
        return FieldType::String;
    }
}

QVariant convertTo(const QVariant &raw, FieldType type)
{
    if (!raw.isValid() || raw.isNull())
        return QVariant();
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        return raw.toString();
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc:
        return raw.toInt();
    case FieldType::Boolean:
        return raw.toLongLong() != 0;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
        return raw.toDouble();
    case FieldType::Graphic:
    case FieldType::Blob:
        return raw.toByteArray();
    }
    return raw;
}

struct Statement {
    sqlite3_stmt *stmt = nullptr;
    ~Statement() { sqlite3_finalize(stmt); }
};

} // namespace

TQuery::TQuery(TSession *session) : TDataSet(session) {}

TQuery::~TQuery()
{
    Close();
}

void TQuery::SetDatabaseName(const QString &name)
{
    if (Active())
        openError();
    databaseName_ = name;
}

void TQuery::SetSQL(const QStringList &lines)
{
    if (Active())
        openError();
    sql_ = lines;
}

std::unique_ptr<detail::Cursor> TQuery::openCursor()
{
    QString text = sql_.join(QLatin1Char('\n')).trimmed();
    while (text.endsWith(QLatin1Char(';')))
        text = text.chopped(1).trimmed();
    if (text.isEmpty())
        databaseError(QStringLiteral("Keine SQL-Anweisung angegeben"));
    if (!text.startsWith(QLatin1String("SELECT"), Qt::CaseInsensitive))
        databaseError(QStringLiteral("Nur SELECT-Abfragen sind erlaubt"));
    detail::Database &db = Session().databaseFor(databaseName_);
    const QByteArray utf8 = text.toUtf8();
    Statement s;
    const char *tail = nullptr;
    if (sqlite3_prepare_v2(db.handle(), utf8.constData(), static_cast<int>(utf8.size()), &s.stmt, &tail) !=
            SQLITE_OK ||
        !s.stmt)
        db.raise(QString());
    if (tail && !QByteArray(tail).trimmed().isEmpty())
        databaseError(QStringLiteral("Nur eine SQL-Anweisung ist erlaubt"));
    if (!sqlite3_stmt_readonly(s.stmt))
        databaseError(QStringLiteral("Nur SELECT-Abfragen sind erlaubt"));

    // The fields of table columns take their column's type before the first row is read, so their
    // values are stored as they will be shown; an expression's type may depend on its values, so
    // its column is typed, and its values converted in place, once all rows are read. Either way
    // the result is held once.
    const int columns = sqlite3_column_count(s.stmt);
    TableDef def;
    def.name = QStringLiteral("Query");
    std::vector<int> expressions;
    for (int c = 0; c < columns; ++c) {
        FieldDef field;
        field.name = QString::fromUtf8(sqlite3_column_name(s.stmt, c));
        const char *table = sqlite3_column_table_name(s.stmt, c);
        const char *origin = sqlite3_column_origin_name(s.stmt, c);
        std::shared_ptr<detail::TableInfo> info = table ? db.table(QString::fromUtf8(table)) : nullptr;
        const int slot = info && origin ? info->fieldIndex(QString::fromUtf8(origin)) : -1;
        if (slot >= 0) {
            const FieldDef &from = info->def.fields[slot];
            field.type = from.type;
            field.size = from.size;
        } else {
            expressions.push_back(c);
        }
        def.fields << field;
    }
    std::vector<bool> typed(static_cast<size_t>(columns), true);
    for (int c : expressions)
        typed[static_cast<size_t>(c)] = false;

    std::vector<Record> rows;
    for (;;) {
        const int rc = sqlite3_step(s.stmt);
        if (rc == SQLITE_DONE)
            break;
        if (rc != SQLITE_ROW)
            db.raise(QString());
        Record r;
        r.rowId = static_cast<qint64>(rows.size()) + 1;
        r.values.resize(columns);
        for (int c = 0; c < columns; ++c)
            r.values[c] = typed[static_cast<size_t>(c)] ? convertTo(rawValue(s.stmt, c), def.fields[c].type)
                                                        : rawValue(s.stmt, c);
        rows.push_back(std::move(r));
    }

    for (int c : expressions) {
        FieldDef &field = def.fields[c];
        QVariant first;
        for (const Record &row : rows)
            if (row.values[c].isValid() && !row.values[c].isNull()) {
                first = row.values[c];
                break;
            }
        field.type = typeOfExpression(sqlite3_column_decltype(s.stmt, c), first);
        if (field.type == FieldType::String) {
            int longest = 1;
            for (const Record &row : rows)
                longest = std::max(longest, static_cast<int>(row.values[c].toString().size()));
            field.size = longest;
        }
        for (Record &row : rows)
            row.values[c] = convertTo(row.values[c], field.type);
    }
    detail::RowsCursorTexts texts;
    texts.driverName = QStringLiteral("QUERY");
    texts.noIndex = QStringLiteral("Abfragen haben keinen Index");
    texts.readOnly = QStringLiteral("Abfrageergebnis kann nicht geändert werden");
    return detail::makeRowsCursor(std::move(def), std::move(rows), std::move(texts));
}

QString QuotedName(const QString &name)
{
    return detail::quoteIdent(name);
}

QString QuotedTableName(const QString &tableName)
{
    return detail::quoteIdent(detail::tableKeyOf(tableName));
}

QString QuotedText(const QString &text)
{
    QString literal = text;
    return QLatin1Char('\'') + literal.replace(QLatin1Char('\''), QStringLiteral("''")) + QLatin1Char('\'');
}

} // namespace dbe
