#include "regeln/MonatsSummen.h"

#include <array>

#include "daten/ControlsFrei.h"
#include "daten/DataModule1.h"
#include "dbe/DataSet.h"

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

void MonatsSummenBerechnen(dbe::TDataSet &monate, TMonatsSummen &summen)
{
    summen = TMonatsSummen();
    const int n = monate.RecordCount();
    if (n <= 0)
        return;

    double km = 0, liter = 0;
    std::array<base::Currency, kGeld.size()> geld{};
    {
        ControlsFrei frei(monate);
        dbe::TField *fKm = monate.FieldByName(QStringLiteral("GefKilometer"));
        dbe::TField *fLiter = monate.FieldByName(QStringLiteral("VerbrauchLiter"));
        std::array<dbe::TField *, kGeld.size()> felder{};
        for (size_t i = 0; i < kGeld.size(); ++i)
            felder[i] = monate.FieldByName(QString::fromLatin1(kGeld[i].feld));
        monate.First();
        while (!monate.Eof()) {
            km += fKm->AsFloat();
            liter += fLiter->AsFloat();
            for (size_t i = 0; i < kGeld.size(); ++i)
                geld[i] += felder[i]->AsFloat();
            monate.Next();
        }
    }

    summen.SummeGefKilometer = base::Currency::fromDouble(km);
    summen.SummeVerbrauchLiter = base::Currency::fromDouble(liter);
    summen.SchnittGefKilometer = km / n;
    summen.SchnittVerbrauchLiter = liter / n;
    for (size_t i = 0; i < kGeld.size(); ++i) {
        if (kGeld[i].summe)
            summen.*kGeld[i].summe = geld[i];
        summen.*kGeld[i].schnitt = geld[i] / n;
    }
    // Litres per 100 km from the totals, not the mean of the rows' own values.
    if (summen.SummeGefKilometer > base::Currency())
        summen.SchnittVerbrauchLiterPro100Km =
            summen.SummeVerbrauchLiter.toDouble() / summen.SummeGefKilometer.toDouble() * 100;
}

void MonatsSummenBerechnen()
{
    MonatsSummenBerechnen(DataModule1->TTblMonatKosten, MonatsSummen);
}

} // namespace fleet
