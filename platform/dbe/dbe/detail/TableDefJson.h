#pragma once

#include <QByteArray>

#include "dbe/Schema.h"

// A table's definition as the storage's catalogue keeps it: one JSON object per table.
namespace dbe::detail {

QByteArray tableDefToJson(const TableDef &def);

// The definition in a catalogue entry; any bytes are read (what is no definition gives an empty
// one, and unknown keys are passed over).
TableDef tableDefFromJson(const QByteArray &json);

} // namespace dbe::detail
