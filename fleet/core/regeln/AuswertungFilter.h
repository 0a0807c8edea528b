#pragma once

#include <QString>

namespace fleet {

// The main window's vehicle filter as the fleet evaluations name it: the
// filter's caption ("Gruppe") and the current vehicle's value of that field.
// Both empty when the evaluation runs over all vehicles.
extern QString AuswertungFilterName;
extern QString AuswertungFilterWert;

// "<name> = <value>", empty without a name.
QString AuswertungFilterText();

} // namespace fleet
