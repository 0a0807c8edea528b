#pragma once

#include <cstdint>
#include <functional>

#include <QString>

#include "base/Currency.h"

namespace dbe {
class TDataSet;
class TTable;
} // namespace dbe

namespace fleet {

class TDataModule1;

// Runs the monthly evaluation of one vehicle for every vehicle of the vehicle
// table (its order and filter) and appends one row per vehicle to
// `ergebnis` (MoAusPrv.DB), which it empties first; false, with nothing
// written, when it cannot be emptied. Each run leaves its result in the
// shared result record. The costs and tours of the month are read for all
// vehicles at once and the vehicles through a cursor of their own, so the
// vehicle table does not move and its rules (the main window's monthly sums)
// do not run; only a filtered cost or tour view is walked vehicle by vehicle,
// with those rules held off. The result table's controls are frozen while
// rows are appended. `schritt` runs once per vehicle; `geoeffnet` as soon as
// the emptied table is open again, before any row is written (its fields are
// new then: the caller sets their titles and visibility).
bool MonatsauswertungAlleBerechnen(TDataModule1 &dm, dbe::TTable &ergebnis, std::uint16_t jahr,
                                   std::uint16_t monat, const QString &monatText,
                                   const std::function<void()> &schritt = {},
                                   const std::function<void()> &geoeffnet = {});

// The totals over the rows; the walk ends on the first row.
struct TMonatsAlleSummen {
    double Km = 0;
    base::Currency Gesamt, Fix, Var, Ertrag;
    double Liter = 0;
};
TMonatsAlleSummen MonatsAlleSummenBerechnen(dbe::TDataSet &ergebnis);

// The warning for totals as their labels show them (a km total below 0,5 and
// a variable-cost total below 0,005 count as none); empty when both are there.
QString MonatsAlleWarnung(const QString &kmText, const QString &varKostenText);

// A row without driven kilometres (as a whole number) or without variable costs.
bool MonatsZeileOhneWerte(double gefKilometer, base::Currency varKosten);

// How many of the rows are stored in KfzMonat.DB already (same vehicle, year,
// month number and month name). `ziel` is open on KfzMonat.DB.
int GespeicherteMonate(dbe::TTable &ziel, dbe::TDataSet &ergebnis);

// Replaces or inserts every row in KfzMonat.DB in one transaction, without
// the fixed and variable cost totals: all rows or none. Failures go to the
// caller after the rollback.
void MonateSpeichern(dbe::TTable &ziel, dbe::TDataSet &ergebnis);

// The variable costs' filter of the jump to a vehicle's month.
QString KostenSprungFilter(const QString &jahr, const QString &monat);

} // namespace fleet
