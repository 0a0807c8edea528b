#include <QDate>
#include <QDateTime>
#include <QTime>

#include "base/DateTime.h"
#include "dbe/Errors.h"
#include "dbe/detail/Cursor.h"
#include "dbe/textfile/TextTable.h"

namespace dbe::detail {

namespace {

QVariant convert(const QVariant &v)
{
    switch (v.typeId()) {
    case QMetaType::QDate:
        return base::fromQDate(v.toDate());
    case QMetaType::QTime:
        return base::fromQTime(v.toTime());
    case QMetaType::QDateTime:
        return base::fromQDateTime(v.toDateTime());
    default:
        return v;
    }
}

} // namespace

// A text file read through its schema: read-only, in file order. The file is
// read once when the cursor opens (these files are small import files).
std::unique_ptr<Cursor> makeTextCursor(const QString &directory, const QString &fileName)
{
    TableDef def;
    std::vector<Record> rows;
    try {
        textfile::TextTable table(directory, fileName);
        def.name = fileName;
        for (const textfile::TextFieldDef &f : table.schema().fields) {
            FieldDef d;
            d.name = f.name;
            d.type = f.type;
            d.size = f.type == FieldType::String ? f.width : 0;
            def.fields << d;
        }
        const int n = table.fieldCount();
        while (table.next()) {
            Record r;
            r.rowId = table.recordNumber();
            r.values.resize(n);
            for (int i = 0; i < n; ++i)
                r.values[i] = convert(table.value(i + 1));
            rows.push_back(std::move(r));
        }
    } catch (const textfile::TextTableError &e) {
        engineError(ErrorCode::Schema, e.message());
    }
    RowsCursorTexts texts;
    texts.driverName = QStringLiteral("ASCIIDRV");
    texts.noIndex = QStringLiteral("Textdateien haben keinen Index");
    texts.readOnly = QStringLiteral("Textdateien können nur gelesen werden");
    return makeRowsCursor(std::move(def), std::move(rows), std::move(texts));
}

} // namespace dbe::detail
