#pragma once

#include <QList>

#include "dbe/Schema.h"

// The catalogue's parts, one per concern; joined by SchemaKatalog().
namespace fleet::schema {

QList<dbe::TableDef> fahrzeugStamm();      // KfzStamm.db
QList<dbe::TableDef> fahrzeugDetails();    // per-vehicle detail tables (alias Fuhrpark)
QList<dbe::TableDef> nachschlagTabellen(); // lookup and help tables, drivers, fuel-import types
QList<dbe::TableDef> arbeitsplatz();       // alias FuhrparkPriv
QList<dbe::TableDef> mandanten();          // alias FuhrpkMand

} // namespace fleet::schema
