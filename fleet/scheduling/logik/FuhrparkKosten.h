#pragma once

#include <functional>

#include <QString>

#include "base/Currency.h"

namespace fleet {

class TDataModule1;

// The period choice of the fleet costs: 0 "Alle", 1 "Jahr", 2 "Monat".
enum class FuhrparkZeitraum { Alle = 0, Jahr = 1, Monat = 2 };

// The monthly table's filter for the period ("" for all data).
QString FuhrparkZeitraumFilter(FuhrparkZeitraum zeitraum, const QString &jahr, const QString &monat);
// "Auswertungszeitraum: ..." for a month and year, a year alone, or neither.
QString AuswertungszeitraumText(const QString &monat, const QString &jahr);
// Pollutant in kg from grams per km and km, rounded to three decimals.
double SchadstoffKg(double grammProKm, double km);

// The fleet totals: money and km in the currency type, litres and pollutant
// floating point. Fixed costs are the total less the variable costs.
struct TFuhrparkSummen {
    base::Currency Gesamt, Var, Fix, Verbrauch, Reparatur, Wartung, Untersuchung, Reifen, Pflege, Sonstige,
        Sonstige2, Sonstige3, Sonstige4, Km, Ertrag;
    double Liter = 0;
    double Schadstoff = 0;
};

// Rebuilds KfzFuKst.db (TTblFuhrparkKosten) with one row of period totals per
// vehicle of the vehicle table and sums the fleet totals into `summen`. The
// monthly table's filter and the vehicle table's position are as before
// afterwards, also when a step fails; the failure then goes to the caller
// with `summen` holding what was summed.
// `schritt` runs once per vehicle.
void FuhrparkKostenBerechnen(TDataModule1 &dm, const QString &zeitraumFilter, TFuhrparkSummen &summen,
                             const std::function<void()> &schritt = {});

} // namespace fleet
