#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <vector>

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
