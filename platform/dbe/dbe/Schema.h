#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

// The schema catalogue: what tables exist, with their fields, keys and
// indexes. The catalogue is data of the program that uses the layer; the layer
// creates a missing table from it when the table is first opened.
namespace dbe {

enum class FieldType {
    String,   // text(n); assignment cuts to n characters
    SmallInt, // 16-bit integer
    Integer,  // 32-bit integer
    AutoInc,  // 32-bit integer numbered by the engine
    Float,    // floating point
    Currency, // floating-point money field
    Date,
    Time,
    DateTime,
    Boolean,
    Memo,    // long text
    Graphic, // picture blob
    Blob,    // binary blob
};

struct FieldDef {
    QString name;
    FieldType type = FieldType::String;
    int size = 0; // characters for String, 0 otherwise
    bool required = false;
    // Validity checks (empty = none), compared in the field's type.
    QVariant minValue;
    QVariant maxValue;
    QVariant defaultValue;
    // A table lookup: the field's values come from the first field of
    // lookupTable. lookupType 0 declares none; 4 also takes over every field
    // of the same name from the chosen row.
    int lookupType = 0;
    QString lookupTable;
};

enum IndexOption : unsigned {
    ixPrimary = 1,
    ixUnique = 2,
    ixDescending = 4,
    ixCaseInsensitive = 8,
};

struct IndexDef {
    QString name; // empty for the primary index
    QStringList fields;
    unsigned options = 0;
};

// Whether two field (or table) names are the same in any case. Names of different length never are,
// nor names whose first letters (plain ASCII) differ in any case: those tests first spare the
// comparison of nearly every other name of a table.
inline bool sameName(const QString &a, const QString &b)
{
    if (a.size() != b.size())
        return false;
    if (a.isEmpty() || a == b)
        return true;
    const char16_t x = a.front().unicode(), y = b.front().unicode();
    if (x < 128 && y < 128 && (x | 0x20) != (y | 0x20))
        return false;
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

struct TableDef {
    QString name;  // file name as the program names it, e.g. "KfzStamm.db"
    QString alias; // the alias whose directory holds it (used to create it at first start)
    QList<FieldDef> fields;
    QStringList primaryKey;  // empty: no primary key (rows kept in insertion order)
    QList<IndexDef> indexes; // named secondary indexes
};

} // namespace dbe
