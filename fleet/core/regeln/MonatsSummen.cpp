#include "regeln/MonatsSummen.h"

#include <array>

#include "daten/ControlsFrei.h"
#include "daten/DataModule1.h"
#include "dbe/DataSet.h"
#include "dbe/FieldTotals.h"

namespace fleet {

TMonatsSummen MonatsSummen;

namespace {

// The money quantities, each with its total and its average.
struct Geldgroesse {
    const char *feld;
    base::Currency TMonatsSummen::*summe;
    base::Currency TMonatsSummen::*schnitt;
};

const std::array<Geldgroesse, 13> kGeld{{
    {"GesamtKosten", &TMonatsSummen::SummeGesamtKosten, &TMonatsSummen::SchnittGesamtKosten},
    {"GesamtKostenProKm", nullptr, &TMonatsSummen::SchnittGesamtKostenProKm},
    {"VerbrauchKosten", &TMonatsSummen::SummeVerbrauchKosten, &TMonatsSummen::SchnittVerbrauchKosten},
    {"ReparaturKosten", &TMonatsSummen::SummeReparaturKosten, &TMonatsSummen::SchnittReparaturKosten},
    {"WartungKosten", &TMonatsSummen::SummeWartungKosten, &TMonatsSummen::SchnittWartungKosten},
    {"UntersuchungKosten", &TMonatsSummen::SummeUntersuchungKosten,
     &TMonatsSummen::SchnittUntersuchungKosten},
    {"ReifenKosten", &TMonatsSummen::SummeReifenKosten, &TMonatsSummen::SchnittReifenKosten},
    {"SonstigeKosten", &TMonatsSummen::SummeSonstigeKosten, &TMonatsSummen::SchnittSonstigeKosten},
    {"Sonstige2Kosten", &TMonatsSummen::SummeSonstige2Kosten, &TMonatsSummen::SchnittSonstige2Kosten},
    {"Sonstige3Kosten", &TMonatsSummen::SummeSonstige3Kosten, &TMonatsSummen::SchnittSonstige3Kosten},
    {"Sonstige4Kosten", &TMonatsSummen::SummeSonstige4Kosten, &TMonatsSummen::SchnittSonstige4Kosten},
    {"PflegeKosten", &TMonatsSummen::SummePflegeKosten, &TMonatsSummen::SchnittPflegeKosten},
    {"Ertrag", &TMonatsSummen::SummeErtrag, &TMonatsSummen::SchnittErtrag},
}};

} // namespace

const QStringList &MonatsSummenFelder()
{
    // Kilometres and litres first, then the money quantities in their order.
    static const QStringList kFelder = [] {
        QStringList f{QStringLiteral("GefKilometer"), QStringLiteral("VerbrauchLiter")};
        for (const Geldgroesse &g : kGeld)
            f << QString::fromLatin1(g.feld);
        return f;
    }();
    return kFelder;
}

void MonatsSummenAusSummen(const dbe::TFieldTotals &t, TMonatsSummen &summen)
{
    summen = TMonatsSummen();
    const int n = t.count;
    if (n <= 0)
        return;

    const double km = t.sums[0], liter = t.sums[1];
    summen.SummeGefKilometer = base::Currency::fromDouble(km);
    summen.SummeVerbrauchLiter = base::Currency::fromDouble(liter);
    summen.SchnittGefKilometer = km / n;
    summen.SchnittVerbrauchLiter = liter / n;
    for (size_t i = 0; i < kGeld.size(); ++i) {
        const base::Currency geld = t.amounts[i + 2];
        if (kGeld[i].summe)
            summen.*kGeld[i].summe = geld;
        summen.*kGeld[i].schnitt = geld / n;
    }
    // Litres per 100 km from the totals, not the mean of the rows' own values.
    if (summen.SummeGefKilometer > base::Currency())
        summen.SchnittVerbrauchLiterPro100Km =
            summen.SummeVerbrauchLiter.toDouble() / summen.SummeGefKilometer.toDouble() * 100;
}

void MonatsSummenBerechnen(dbe::TDataSet &monate, TMonatsSummen &summen)
{
    summen = TMonatsSummen();
    // A table without rows keeps a change it is in the middle of.
    const dbe::TDataSetState zustand = monate.State();
    if ((zustand == dbe::TDataSetState::dsEdit || zustand == dbe::TDataSetState::dsInsert) &&
        monate.RecordCount() <= 0)
        return;
    dbe::TFieldTotals t;
    {
        ControlsFrei frei(monate);
        // A pending change is saved first, as a walk over the rows would; added up in the table's
        // order (the same sums as row by row), and the walk ends on the last row: callers may rely
        // on it.
        t = monate.SumFieldsToLast(MonatsSummenFelder());
    }
    MonatsSummenAusSummen(t, summen);
}

void MonatsSummenBerechnen()
{
    MonatsSummenBerechnen(DataModule1->TTblMonatKosten, MonatsSummen);
}

} // namespace fleet
