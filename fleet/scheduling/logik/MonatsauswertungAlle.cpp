#include "logik/MonatsauswertungAlle.h"

#include <cmath>

#include "base/GermanFormat.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "daten/SichtLesen.h"
#include "daten/TabellenRoutinen.h"
#include "dbe/Field.h"
#include "dbe/ReadScope.h"
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
                                   const std::function<void()> &schritt,
                                   const std::function<void()> &geoeffnet)
{
    if (!TabelleLeeren(ergebnis))
        return false;
    if (!ergebnis.Active())
        ergebnis.Open();
    if (geoeffnet)
        geoeffnet();
    // Frozen only now: the emptying closes and reopens the table, which its
    // grid must hear of.
    ergebnis.DisableControls();
    struct Frei {
        dbe::TTable &t;
        ~Frei() { t.EnableControls(); }
    } frei{ergebnis};
    const QString jahrText = QString::number(jahr);
    ErgebnisTransaktion transaktion(ergebnis);
    const auto zeileSchreiben = [&](const MonatsauswertungEingabe &e) {
        if (schritt)
            schritt();
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
    };
    MonatsauswertungEingabe e;
    e.Jahr = jahr;
    e.Monat = monat;
    e.TourenModus = TourenModus;
    dbe::TTable *touren = TourenModus ? &dm.TTblTouren : nullptr;
    if (MonatsEingabenLesbar(dm.TTblVarKosten, touren)) {
        // The month's rows of every vehicle at once, the vehicles through a
        // cursor of their own: the vehicle table stays where it is.
        MonatsEingaben daten = MonatsEingabenLesen(dm.TTblVarKosten, touren, jahr, monat);
        QStringList felder{QStringLiteral("KfzNr")};
        for (const char *f : kStammFelder)
            felder << QString::fromLatin1(f);
        const dbe::TReadScope lesen(dm.TTblMain);
        SichtLesen(dm.TTblMain, felder, [&](const std::vector<QVariant> &fahrzeug) {
            e.KfzNr = fahrzeug[0].toString();
            for (int i = 0; i < kStammBetraege; ++i)
                e.Stammbetraege[i] = fahrzeug[i + 1].toDouble();
            e.Kosten = daten.Kosten.take(e.KfzNr);
            e.Touren = daten.Touren.take(e.KfzNr);
            zeileSchreiben(e);
        });
    } else {
        // A filtered cost or tour view: its rows as the cursor shows them.
        std::vector<dbe::TDataSet *> gelesen{&dm.TTblVarKosten};
        if (touren)
            gelesen.push_back(touren);
        FahrzeugeDurchlaufen(dm.TTblMain, gelesen, [&] {
            e.KfzNr = feld(dm.TTblMain, "KfzNr")->AsString();
            e.Stammbetraege = StammbetraegeLesen(dm.TTblMain);
            e.Kosten = KostenZeilenLesen(dm.TTblVarKosten);
            if (touren)
                e.Touren = TourZeilenLesen(*touren);
            zeileSchreiben(e);
        });
    }
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
