#pragma once

#include <optional>

#include <QList>
#include <QString>

#include "base/DateTime.h"

namespace dbe {
class TTable;
}

// The collision test of dispatch bookings: a vehicle cannot be in two places
// at once.
namespace fleet {

// A booking's period and the identity of its stored row (0 while it is not
// stored yet).
struct DispoBuchung {
    qint64 zeile = 0;
    base::TDateTime DatumVon = 0;
    base::TDateTime DatumBis = 0;
    base::TDateTime UhrzeitVon = 0;
    base::TDateTime UhrzeitBis = 0;
};

// The first of `andere` whose period overlaps that of `buchung`: one begins
// or ends strictly inside the other, or `buchung` encloses it. Periods that
// only touch do not overlap. The stored row of `buchung` itself is skipped.
// Periods are compared to the millisecond.
std::optional<DispoBuchung> DispoKollisionSuchen(const DispoBuchung &buchung,
                                                 const QList<DispoBuchung> &andere);

// The stored bookings of a vehicle (exact registration text), read on a
// cursor of its own over the table behind `dispo`, so that neither `dispo`
// nor the scratch tables move. Raises when they cannot be read.
QList<DispoBuchung> DispoBuchungenLesen(const dbe::TTable &dispo, const QString &kfzNr);

// The test of the post rule for the booking in row `eigeneZeile` (0 for a
// new one) of vehicle `kfzNr`: true when another booking collides; the four
// values then hold that booking's. Raises when the test cannot run.
bool DispoKollisionPruefen(const dbe::TTable &dispo, const QString &kfzNr, qint64 eigeneZeile,
                           base::TDateTime &DatumVon, base::TDateTime &DatumBis, base::TDateTime &UhrzeitBis,
                           base::TDateTime &UhrzeitVon);

} // namespace fleet
