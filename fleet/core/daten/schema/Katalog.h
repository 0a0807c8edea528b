#pragma once

#include <QList>
#include <QString>

#include "dbe/Schema.h"

// The schema catalogue of every table the fleet program uses, in all three
// aliases. The database layer creates a missing table from it.
namespace fleet {

const QList<dbe::TableDef> &SchemaKatalog();

// The catalogue entry of a table file, matched without regard to case and with
// or without its extension; nullptr when the program has no such table.
const dbe::TableDef *KatalogTabelle(const QString &tableName);

// The tables that live under one alias.
QList<dbe::TableDef> KatalogDesAlias(const QString &alias);

} // namespace fleet
