#pragma once

#include "base/Currency.h"

#include <QStringList>

namespace dbe {
class TDataSet;
struct TFieldTotals;
} // namespace dbe

namespace fleet {

// Totals and per-month averages over the monthly evaluation rows of a
// vehicle. Money in the currency type; kilometres and litres as fixed-point
// totals and floating-point averages.
struct TMonatsSummen {
    base::Currency SummeGefKilometer;
    double SchnittGefKilometer = 0;
    base::Currency SummeGesamtKosten, SchnittGesamtKosten;
    base::Currency SchnittGesamtKostenProKm;
    base::Currency SummeVerbrauchLiter;
    double SchnittVerbrauchLiter = 0;
    base::Currency SummeVerbrauchKosten, SchnittVerbrauchKosten;
    double SchnittVerbrauchLiterPro100Km = 0;
    base::Currency SummeReparaturKosten, SchnittReparaturKosten;
    base::Currency SummeWartungKosten, SchnittWartungKosten;
    base::Currency SummeUntersuchungKosten, SchnittUntersuchungKosten;
    base::Currency SummeReifenKosten, SchnittReifenKosten;
    base::Currency SummeSonstigeKosten, SchnittSonstigeKosten;
    base::Currency SummeSonstige2Kosten, SchnittSonstige2Kosten;
    base::Currency SummeSonstige3Kosten, SchnittSonstige3Kosten;
    base::Currency SummeSonstige4Kosten, SchnittSonstige4Kosten;
    base::Currency SummePflegeKosten, SchnittPflegeKosten;
    base::Currency SummeErtrag, SchnittErtrag;
};

// The last result, read by the overview page, the lease-end forecast and the
// fleet evaluations.
extern TMonatsSummen MonatsSummen;

// Sums exactly the rows the table shows (the caller sets its filter first),
// reading only the summed fields of the stored rows and the last row in full,
// and leaves it on its last row. The table's controls are frozen while it reads.
// An error while reading goes on to the caller; the members are then 0.
void MonatsSummenBerechnen(dbe::TDataSet &monate, TMonatsSummen &summen);

// The fields the sums add up, in the order MonatsSummenAusSummen takes them.
const QStringList &MonatsSummenFelder();
// The sums and averages from the totals of those fields over a vehicle's rows.
void MonatsSummenAusSummen(const dbe::TFieldTotals &totale, TMonatsSummen &summen);

// Over TTblMonatKosten of the data module, into MonatsSummen.
void MonatsSummenBerechnen();

} // namespace fleet
