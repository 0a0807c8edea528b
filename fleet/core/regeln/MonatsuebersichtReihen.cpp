#include "regeln/MonatsuebersichtReihen.h"

#include <cmath>

#include "daten/ControlsFrei.h"
#include "dbe/DataSet.h"
#include "dbe/Field.h"

namespace fleet {

namespace {

// The field of each series; Mittelwert has none.
const char *const kReihenFelder[kMonatsuebersichtReihen] = {
    "Ertrag",          nullptr,          "GesamtKosten",       "VerbrauchKosten",
    "ReparaturKosten", "WartungKosten",  "UntersuchungKosten", "ReifenKosten",
    "PflegeKosten",    "SonstigeKosten", "Sonstige2Kosten",    "Sonstige3Kosten",
    "Sonstige4Kosten"};

} // namespace

std::vector<MonatsuebersichtPunkt> MonatsuebersichtPunkteLesen(dbe::TDataSet &monate)
{
    std::vector<MonatsuebersichtPunkt> punkte;
    if (!monate.Active())
        return punkte;
    ControlsFrei frei(monate);
    const bool leer = monate.IsEmpty();
    const dbe::TBookmark stelle = leer ? dbe::TBookmark() : monate.GetBookmark();
    dbe::TField *jahr = monate.FieldByName(QStringLiteral("AuswJahr"));
    dbe::TField *monatNum = monate.FieldByName(QStringLiteral("AuswMonatNum"));
    dbe::TField *monatText = monate.FieldByName(QStringLiteral("AuswMonatText"));
    std::array<dbe::TField *, kMonatsuebersichtReihen> felder{};
    for (int i = 0; i < kMonatsuebersichtReihen; ++i)
        if (kReihenFelder[i])
            felder[i] = monate.FieldByName(QString::fromLatin1(kReihenFelder[i]));
    monate.First();
    while (!monate.Eof()) {
        MonatsuebersichtPunkt p;
        p.AuswJahr = jahr->AsString();
        const double num = monatNum->AsFloat();
        p.AuswMonatNum = std::isfinite(num) ? QString::number(std::llround(num)) : QString();
        p.AuswMonatText = monatText->AsString();
        for (int i = 0; i < kMonatsuebersichtReihen; ++i)
            if (felder[i])
                p.Werte[i] = felder[i]->AsFloat();
        punkte.push_back(p);
        monate.Next();
    }
    if (!leer && monate.BookmarkValid(stelle))
        monate.GotoBookmark(stelle);
    MittelwertSetzen(punkte);
    return punkte;
}

void MittelwertSetzen(std::vector<MonatsuebersichtPunkt> &punkte)
{
    if (punkte.empty())
        return;
    double summe = 0;
    for (const MonatsuebersichtPunkt &p : punkte)
        summe += p.Werte[ReiheGesamt];
    const double mittel = summe / static_cast<double>(punkte.size());
    for (MonatsuebersichtPunkt &p : punkte)
        p.Werte[ReiheMittelwert] = mittel;
}

} // namespace fleet
