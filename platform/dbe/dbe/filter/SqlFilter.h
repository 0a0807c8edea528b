#pragma once

#include <QString>
#include <QStringList>
#include <QVariantList>

#include "dbe/Schema.h"

struct sqlite3;

namespace dbe::filter {

class FilterText;
class FilterTree;

// A filter said in SQL over a table's columns: a condition with the values its '?' take in order
// (each a QString or a double). An exact condition selects precisely the rows the filter accepts,
// by the same rules (blank equals blank, blanks fail other comparisons, code-point order, dates by
// their day, the number-against-text rule). A condition that is not exact only leaves out rows the
// filter refuses, so the rows it keeps still go through the filter; an empty one leaves out nothing.
struct SqlCondition {
    QString sql;
    QVariantList values;
    bool exact = true;
};

// `columns` holds the quoted column of each field (index fieldNo - 1) of `def`. Filters too large for
// one statement come back empty and not exact.
SqlCondition toSql(const FilterText &filter, const TableDef &def, const QStringList &columns);
SqlCondition toSql(const FilterTree &tree, const TableDef &def, const QStringList &columns);
// Adds a condition that must hold as well.
void conjoin(SqlCondition &into, const SqlCondition &more);

// Registers on a connection the functions the conditions use that SQLite lacks: dbe_number(text)
// (a text read as a number, null when it is none) and dbe_prefix(text, prefix, mode) (a text's
// beginning or whole, ignoring case by the Unicode rules when mode has bit 1, the whole text when bit 2).
void registerSqlFunctions(sqlite3 *db);

} // namespace dbe::filter
