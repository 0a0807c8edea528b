#pragma once

#include "base/DateTime.h"

namespace fleet {

// The defaults of a new cost record and a new tour of the current vehicle,
// read from its last row in key order through the scratch table TTblVar.
// On any failure (the scratch table lent elsewhere, a table that cannot be
// opened) the result is false and the date today, the reading 0. The
// scratch tables are reset on every path.

// The receipt date of the vehicle's last cost record; today when there is none.
bool LetztesBelegDatum(base::TDateTime &datum);
// The arrival reading and date of the vehicle's last tour; 0 and today when
// there is none.
bool LetzteTourDaten(int &ankunftKm, base::TDateTime &datum);

} // namespace fleet
