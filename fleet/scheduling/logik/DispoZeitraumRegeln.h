#pragma once

#include <optional>

#include "base/DateTime.h"

// The date and time rules of the period dialog of a new dispatch booking.
namespace fleet::dispo {

// Which dates the stepping buttons raise.
enum class Modus { Beide = 0, Anfangsdatum = 1, Enddatum = 2 };
enum class Schritt { Tag, Woche, Monat, Jahr };

struct Daten {
    base::TDateTime von = 0;
    base::TDateTime bis = 0;
};

// One stepping button: both dates, the start (the end raised to it when now
// before it, never moved back) or the end (month and year as 30 and 365 days).
Daten Erhoehen(Modus modus, Schritt schritt, Daten daten);

// The same-day rule: on one day the end time must come after the start time;
// else the end becomes the start plus one hour, on the next day when that
// passes midnight. Nothing when no correction is due.
struct Ende {
    base::TDateTime datum = 0;
    base::TDateTime uhrzeit = 0;
};
std::optional<Ende> GleicherTagKorrektur(base::TDateTime vonDatum, base::TDateTime bisDatum,
                                         base::TDateTime vonZeit, base::TDateTime bisZeit);

// The time of day of a picker value, rounded to whole seconds.
base::TDateTime Tageszeit(base::TDateTime wert);

} // namespace fleet::dispo
