#include "logik/MonatsauswertungAlle.h"

#include <cmath>

#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Field.h"
#include "dbe/Session.h"
#include "logik/ErgebnisTransaktion.h"
#include "logik/FahrzeugDurchlauf.h"
#include "regeln/Monatsauswertung.h"
#include "regeln/MonatsauswertungDaten.h"

namespace fleet {

namespace {

dbe::TField *feld(dbe::TDataSet &t, const char *name)
{
    return t.FieldByName(QString::fromLatin1(name));
}

const char *const kGespeicherteFelder[] = {
    "KfzNr",           "AuswJahr",          "AuswMonatNum",       "AuswMonatText",   "GefKilometer",
    "GesamtKosten",    "GesamtKostenProKm", "VerbrauchLiter",     "VerbrauchKosten", "VerbrauchLiterPro100Km",
    "ReparaturKosten", "WartungKosten",     "UntersuchungKosten", "ReifenKosten",    "SonstigeKosten",
    "PflegeKosten",    "Sonstige2Kosten",   "Sonstige3Kosten",    "Sonstige4Kosten", "Ertrag"};

QVariantList schluessel(dbe::TDataSet &zeile)
{
    return {feld(zeile, "KfzNr")->Value(), feld(zeile, "AuswJahr")->Value(),
            feld(zeile, "AuswMonatNum")->Value(), feld(zeile, "AuswMonatText")->Value()};
}

} // namespace

bool MonatsauswertungAlleBerechnen(TDataModule1 &dm, dbe::TTable &ergebnis, std::uint16_t jahr,
                                   std::uint16_t monat, const QString &monatText,
                                   const std::function<void()> &schritt)
{
    if (!TabelleLeeren(ergebnis))
        return false;
    if (!ergebnis.Active())
        ergebnis.Open();
    // Frozen only now: the emptying closes and reopens the table, which its
    // grid must hear of.
    ergebnis.DisableControls();
    struct Frei {
        dbe::TTable &t;
        ~Frei() { t.EnableControls(); }
    } frei{ergebnis};
    const QString jahrText = QString::number(jahr);
    ErgebnisTransaktion transaktion(ergebnis);
    std::vector<const dbe::TDataSet *> gelesen{&dm.TTblVarKosten};
    if (TourenModus)
        gelesen.push_back(&dm.TTblTouren);
    FahrzeugeDurchlaufen(dm.TTblMain, gelesen, [&] {
        if (schritt)
            schritt();
        MonatsauswertungEingabe e;
        e.KfzNr = feld(dm.TTblMain, "KfzNr")->AsString();
        e.Jahr = jahr;
        e.Monat = monat;
        e.TourenModus = TourenModus;
        e.Stammbetraege = StammbetraegeLesen(dm.TTblMain);
        e.Kosten = KostenZeilenLesen(dm.TTblVarKosten);
        if (e.TourenModus)
            e.Touren = TourZeilenLesen(dm.TTblTouren);
        const TMonatsauswertungErgebnis r = MonatsauswertungBerechnen(e).Ergebnis;
        MonatsauswertungErgebnis = r;
        ergebnis.Append();
        feld(ergebnis, "KfzNr")->SetAsString(e.KfzNr);
        feld(ergebnis, "AuswJahr")->SetAsString(jahrText);
        feld(ergebnis, "AuswMonatNum")->SetAsFloat(monat);
        feld(ergebnis, "AuswMonatText")->SetAsString(monatText);
        feld(ergebnis, "GefKilometer")->SetAsFloat(r.GefKilometer);
        feld(ergebnis, "VerbrauchLiter")->SetAsFloat(r.VerbrauchLiter);
        feld(ergebnis, "VerbrauchLiterPro100Km")->SetAsFloat(r.VerbrauchLiterPro100Km);
        const std::pair<const char *, base::Currency> geld[] = {{"GesamtKosten", r.GesamtKosten},
                                                                {"GesamtKostenProKm", r.GesamtKostenProKm},
                                                                {"GesamtFixKosten", r.FixKosten},
                                                                {"GesamtVarKosten", r.VarKosten},
                                                                {"VerbrauchKosten", r.VerbrauchKosten},
                                                                {"ReparaturKosten", r.ReparaturKosten},
                                                                {"WartungKosten", r.WartungKosten},
                                                                {"UntersuchungKosten", r.UntersuchungKosten},
                                                                {"ReifenKosten", r.ReifenKosten},
                                                                {"PflegeKosten", r.PflegeKosten},
                                                                {"SonstigeKosten", r.SonstigeKosten},
                                                                {"Sonstige2Kosten", r.Sonstige2Kosten},
                                                                {"Sonstige3Kosten", r.Sonstige3Kosten},
                                                                {"Sonstige4Kosten", r.Sonstige4Kosten},
                                                                {"Ertrag", r.Ertrag}};
        for (const auto &[name, wert] : geld)
            feld(ergebnis, name)->SetAsCurrency(wert);
        ergebnis.Post();
    });
    transaktion.Abschliessen();
    ergebnis.First();
    return true;
}

TMonatsAlleSummen MonatsAlleSummenBerechnen(dbe::TDataSet &ergebnis)
{
    TMonatsAlleSummen s;
    ergebnis.DisableControls();
    struct Frei {
        dbe::TDataSet &t;
        ~Frei()
        {
            t.First();
            t.EnableControls();
        }
    } frei{ergebnis};
    for (ergebnis.First(); !ergebnis.Eof(); ergebnis.Next()) {
        s.Km += feld(ergebnis, "GefKilometer")->AsFloat();
        s.Gesamt += feld(ergebnis, "GesamtKosten")->AsCurrency();
        s.Fix += feld(ergebnis, "GesamtFixKosten")->AsCurrency();
        s.Var += feld(ergebnis, "GesamtVarKosten")->AsCurrency();
        s.Liter += feld(ergebnis, "VerbrauchLiter")->AsFloat();
        s.Ertrag += feld(ergebnis, "Ertrag")->AsCurrency();
    }
    return s;
}

QString MonatsAlleWarnung(const QString &kmText, const QString &varKostenText)
{
    const bool ohneKm = std::abs(base::de::parseValueFloat(kmText).value_or(0)) < 0.5;
    const bool ohneKosten = std::abs(base::de::parseValueFloat(varKostenText).value_or(0)) < 0.005;
    if (ohneKm && ohneKosten)
        return QStringLiteral(
            "Für diesen Monat konnten bei keinem Fahrzeug gefahrene Kilometer noch var. Kosten "
            "ermittelt werden - bitte überprüfen und ändern Sie gegebenenfalls "
            "Auswertungsmonat und Auswertungsjahr..");
    if (ohneKosten)
        return QStringLiteral(
            "Für diesen Monat konnten bei keinem Fahrzeug var. Kosten ermittelt werden - bitte "
            "überprüfen Sie die zugehörigen Kosten oder überprüfen und ändern Sie "
            "gegebenenfalls Auswertungsmonat und Auswertungsjahr..");
    if (ohneKm)
        return QStringLiteral(
            "Für diesen Monat konnten bei keinem Fahrzeug gefahrene Kilometer ermittelt werden - "
            "bitte überprüfen Sie die zugehörigen Kosten auf eingegebene Kilometerstände (bzw. "
            "die Touren, wenn Sie mit Touren arbeiten) oder ändern Sie gegebenenfalls "
            "Auswertungsmonat und Auswertungsjahr..");
    return {};
}

bool MonatsZeileOhneWerte(double gefKilometer, base::Currency varKosten)
{
    return std::llround(gefKilometer) == 0 || varKosten == base::Currency();
}

int GespeicherteMonate(dbe::TTable &ziel, dbe::TDataSet &ergebnis)
{
    int anzahl = 0;
    for (ergebnis.First(); !ergebnis.Eof(); ergebnis.Next())
        if (ziel.FindKey(schluessel(ergebnis)))
            ++anzahl;
    return anzahl;
}

void MonateSpeichern(dbe::TTable &ziel, dbe::TDataSet &ergebnis)
{
    {
        dbe::TTransaction transaktion(ziel.Session(), ziel.DatabaseName());
        for (ergebnis.First(); !ergebnis.Eof(); ergebnis.Next()) {
            if (ziel.FindKey(schluessel(ergebnis)))
                ziel.Delete();
            ziel.Append();
            for (const char *name : kGespeicherteFelder)
                feld(ziel, name)->SetValue(feld(ergebnis, name)->Value());
            ziel.Post();
        }
        transaktion.Commit();
    }
    ergebnis.First();
}

QString KostenSprungFilter(const QString &jahr, const QString &monat)
{
    return QStringLiteral("(Jahr = '%1') and (Monat = '%2')").arg(jahr, monat);
}

} // namespace fleet
