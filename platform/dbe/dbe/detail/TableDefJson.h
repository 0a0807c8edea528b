#pragma once

#include <QByteArray>

#include "dbe/Schema.h"

// A table's definition as the storage's catalogue keeps it: one JSON object per table.
namespace dbe::detail {

QByteArray tableDefToJson(const TableDef &def);

// The definition in a catalogue entry; any bytes are read (what is no definition gives an empty
// one, and unknown keys are passed over). Entries as tableDefToJson writes them are read directly;
// anything else goes through the general JSON reading, with the same result.
TableDef tableDefFromJson(const QByteArray &json);

// The direct reading alone: false (out undefined) for an entry it leaves to the general reading.
bool readTableDefDirectly(const QByteArray &json, TableDef &out);
// The general reading alone, through a JSON document.
TableDef readTableDefFromDocument(const QByteArray &json);

} // namespace dbe::detail
