#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

#include <QHash>
#include <QString>

#include "regeln/Monatsauswertung.h"

namespace dbe {
class TDataSet;
class TTable;
} // namespace dbe

namespace fleet {

// The cursors as the evaluation reads them: from the first to the last row,
// controls frozen meanwhile and released however the walk ends; the cursor
// stays on its last row.
std::vector<KostenZeile> KostenZeilenLesen(dbe::TDataSet &kosten);
std::vector<TourZeile> TourZeilenLesen(dbe::TDataSet &touren);
// The nine annual amounts of the current master row.
std::array<double, kStammBetraege> StammbetraegeLesen(dbe::TDataSet &stamm);

// Whether what the cursors show of a month can be read for every vehicle at
// once: each shows exactly the rows of its master's vehicle, with no filter
// text, record filter or filter tree of its own, and the costs are in date
// order. `touren` is null outside tours mode.
bool MonatsEingabenLesbar(const dbe::TTable &kosten, const dbe::TTable *touren);

// What the monthly evaluation reads of every vehicle for one month, read with
// one statement per table instead of walking each vehicle's rows, by vehicle
// number. The costs of the month come in the cost cursor's order, led by one
// row before the month that carries the highest odometer reading of the rows
// the cursor shows before them (all the odometer rule reads of those); the
// tours of the month in the tour cursor's order. For cursors that
// MonatsEingabenLesbar accepts; a pending change is saved first, as a walk
// over the rows would save it.
struct MonatsEingaben {
    QHash<QString, std::vector<KostenZeile>> Kosten;
    QHash<QString, std::vector<TourZeile>> Touren;
};
MonatsEingaben MonatsEingabenLesen(dbe::TTable &kosten, dbe::TTable *touren, int jahr, int monat);

// "Januar" … "Dezember"; empty outside 1..12.
QString Monatsname(int monat);

// Saves the result into KfzMonat.DB. `sperre` is the table whose whole-table
// write lock keeps other workstations out (TTblMonatKosten); `alle` is an open,
// unfiltered cursor on the same table, so that a stored month of any year is
// found. When the result was computed for another vehicle or period than
// `kfzNr`, `jahr`, `monat`, `neuBerechnen` computes it again first. The old row
// is replaced in one transaction: a failing insert keeps it. Errors of the
// write go on to the caller; the lock is released on every path.
void MonatsauswertungSpeichern(dbe::TTable &sperre, dbe::TTable &alle, const QString &kfzNr,
                               std::uint16_t jahr, std::uint16_t monat,
                               const std::function<void()> &neuBerechnen);

} // namespace fleet
