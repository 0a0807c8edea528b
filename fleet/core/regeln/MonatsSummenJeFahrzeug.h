#pragma once

#include <QHash>
#include <QString>

#include "regeln/MonatsSummen.h"

namespace dbe {
class TTable;
} // namespace dbe

namespace fleet {

// Whether the monthly table shows exactly the rows of its master's vehicle,
// with no filter text, record filter or filter tree of its own, ordered by
// vehicle first: then MonatsSummenJeFahrzeug gives what MonatsSummenBerechnen
// gives on it for each vehicle.
bool MonatsSummenJeFahrzeugLesbar(const dbe::TTable &monate);

// The monthly sums of every vehicle at once, by vehicle number, over the rows
// of the monthly table's storage that `filter` (the tables' filter text, empty
// for all) lets through, added up in the table's order as
// MonatsSummenBerechnen adds them. A vehicle without such rows is missing. A
// pending change of `monate` is saved first.
QHash<QString, TMonatsSummen> MonatsSummenJeFahrzeug(dbe::TTable &monate, const QString &filter);

} // namespace fleet
