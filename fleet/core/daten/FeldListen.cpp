#include "daten/FeldListen.h"

#include "dbe/Table.h"

namespace fleet::feldlisten {

namespace {

Feld f(const char *name, const char *beschriftung = "", const char *format = "")
{
    return Feld{QString::fromUtf8(name), QString::fromUtf8(beschriftung), QString::fromUtf8(format), true};
}

Feld versteckt(const char *name, const char *beschriftung = "")
{
    Feld feld = f(name, beschriftung);
    feld.sichtbar = false;
    return feld;
}

void nummeriert(QList<Feld> &liste, const QString &prefix, int von, int bis,
                const QString &suffix = QString())
{
    for (int i = von; i <= bis; ++i)
        liste << Feld{prefix + QString::number(i) + suffix, QString(), QString(), true};
}

} // namespace

QList<Feld> Stamm()
{
    QList<Feld> l{f("KfzNr", "Kennzeichen"),
                  f("Info"),
                  f("Gruppe"),
                  f("PkwNummer"),
                  f("VersPolNr"),
                  f("FahrerName"),
                  f("FahrerNr"),
                  f("FahrerKz"),
                  f("BesitzerKz"),
                  f("Kostenstelle", "Kostenstelle/Standort"),
                  f("KfzMarke"),
                  f("KfzHerstellerKz"),
                  f("KfzBaujahr"),
                  f("KfzHubraum"),
                  f("KfzKW/PS"),
                  f("KfzAufbau"),
                  f("KfzFarbe", "Farbe"),
                  f("KfzZulassung"),
                  f("KfzKmStand", "KmStand"),
                  f("KfzTUEVTermin", "TÜV"),
                  f("KfzASUTermin", "AU"),
                  f("KfzInspektTermin"),
                  f("KfzVignetteTermin1"),
                  f("KfzVignetteTermin2"),
                  f("KfzFreierTermin1"),
                  f("KfzFreierTermin2"),
                  f("KfzFreierTermin3"),
                  f("KfzKlInspektionTermin"),
                  f("KfzGrInspektionTermin"),
                  f("KfzSonstiges", "", "#####0.00"),
                  f("Anschaffungswert", "", "######0.00"),
                  f("Restbuchwert", "Fahrer", "######0.00"),
                  f("HaftpflNettoBetrag", "", "#####0.00"),
                  f("KaskoNettoBetrag", "", "#####0.00"),
                  f("Steuer", "", "#####0.00"),
                  f("Vermoegenssteuer", "Leasing", "#####0.00"),
                  f("GewKapSteuer", "", "#####0.00"),
                  f("AFA", "", "#####0.00"),
                  f("Zinssatz"),
                  f("Zinsen", "", "#####0.00"),
                  f("Memo")};
    nummeriert(l, "Freifeld", 1, 5);
    l << f("Freifeld51");
    nummeriert(l, "Freifeld", 6, 20);
    l << f("FreifeldNum1", "Ls.Dauer/Mon.") << f("FreifeldNum2") << f("FreifeldNum3")
      << f("FreifeldWae1", "Kostenpausch./Km.", "#####0.00") << f("FreifeldWae2")
      << f("FreifeldDatum1", "LeasingBeginn") << f("FreifeldDatum2", "LeasingEnde")
      << f("FreifeldDatum3", "Kaufdatum");
    nummeriert(l, "FreierTermin", 4, 14);
    l << f("NameLeasingges", "Name/Leasinggesellschaft") << f("Schadstoff");
    return l;
}

QList<Feld> Touren()
{
    return {versteckt("KfzNr", "Kennzeichen"),
            f("Datum", "Datum/Von"),
            f("DatumBis", "Datum/Bis"),
            f("Tour"),
            versteckt("FahrerName"),
            f("FahrerNameDummy", "FahrerName"),
            f("Kostenstelle"),
            f("AbfahrtKm", "Abfahrt/Km"),
            f("AnkunftKm", "Ankunft/Km"),
            f("GefahrenKm", "Gefahren/Km"),
            f("PalettenPlus", "Paletten/Plus"),
            f("PalettenMinus", "Paletten/Minus"),
            f("Ertrag", "", "########0.00"),
            f("Reserve3", "Rech.Betrag", "########0.00"),
            f("Bemerkungen", "Bemerkung1"),
            f("Bemerkung2"),
            f("Bemerkung3")};
}

QList<Feld> VarKosten()
{
    return {versteckt("KfzNr"),
            f("BelegDatum"),
            f("BelegNummer"),
            f("PersonalNummer"),
            f("Mwst", "Km.Stand", "#########0"),
            versteckt("TerminKz"),
            f("TerminKzDummy", "TerminKz"),
            f("Benzin/Liter", "Verbrauch/Liter", "#########0.00"),
            f("Benzin/Preis", "Verbrauch", "#########0.00"),
            f("ReparaturKosten", "Reparatur", "#########0.00"),
            f("WartungKosten", "Wartung", "#########0.00"),
            f("UntersuchungKosten", "Untersuch.", "#########0.00"),
            f("ReifenKosten", "Reifen", "#########0.00"),
            f("PflegeKosten", "Pflege", "#########0.00"),
            f("SonstigeKosten", "Sonstige", "#########0.00"),
            f("Sonstige2Kosten", "Sonstige2", "#########0.00"),
            f("Sonstige3Kosten", "Sonstige3", "#########0.00"),
            f("Sonstige4Kosten", "Sonstige4", "#########0.00"),
            versteckt("Monat"),
            versteckt("Jahr"),
            f("Bemerkungen", "Bemerkung1"),
            f("Bemerkung2"),
            f("Bemerkung3")};
}

QList<Feld> MonatKosten()
{
    return {versteckt("KfzNr"),
            f("AuswJahr", "Jahr"),
            versteckt("AuswMonatNum"),
            f("AuswMonatText", "Monat"),
            f("GefKilometer", "Gef. Km.", "######0"),
            f("GesamtKosten", "Gesamtkosten", "#######0.00"),
            f("GesamtKostenProKm", "Ges.Kosten/Km", "#####0.00"),
            f("VerbrauchLiter", "Verbrauch/L.", "#####0.00"),
            f("VerbrauchKosten", "Verbrauch", "#######0.00"),
            f("VerbrauchLiterPro100Km", "Verbrauch/100Km", "#####0.00"),
            f("ReparaturKosten", "Reparatur", "#######0.00"),
            f("WartungKosten", "Wartung", "#######0.00"),
            f("UntersuchungKosten", "Untersuch.", "#######0.00"),
            f("ReifenKosten", "Reifen", "#######0.00"),
            f("PflegeKosten", "Pflege", "#######0.00"),
            f("SonstigeKosten", "Sonstige", "#######0.00"),
            f("Sonstige2Kosten", "Sonstige2", "#######0.00"),
            f("Sonstige3Kosten", "Sonstige3", "#######0.00"),
            f("Sonstige4Kosten", "Sonstige4", "#######0.00"),
            f("Ertrag", "", "#######0.00")};
}

QList<Feld> AlleFahrzeuge()
{
    return {f("KfzNr", "Kennzeichen"),
            f("Info"),
            f("Hersteller"),
            f("Typ"),
            f("DGefKilometer", "D.Gef.Km.", "######0"),
            f("DGesamtkosten", "D.Gesamtkosten", "######0.00"),
            f("DGesamtKostenProKm", "D.Ges.kosten/Km", "######0.00"),
            f("DVerbrauchLiter", "D.Verbrauch/L.", "######0.00"),
            f("DVerbrauchKosten", "D.Verbrauch/Kst.", "######0.00"),
            f("DVerbrauchLiterPro100Km", "D.Verbrauch/L./100Km", "######0.00")};
}

QList<Feld> Termine()
{
    QList<Feld> l{f("KfzNr", "Kennzeichen"),
                  f("Info"),
                  f("KfzKmStand", "Km. Stand"),
                  f("TUEVTermin", "HU"),
                  f("ASUTermin", "AU"),
                  f("InspektionTermin", "Inspektion"),
                  f("Vignette1Termin", "Vignette1"),
                  f("Vignette2Termin", "Vignette2"),
                  f("KlInspektionTermin", "Kl.Inspektion"),
                  f("GrInspektionTermin", "Gr.Inspektion")};
    nummeriert(l, "FreierTermin", 1, 14);
    QList<Feld> merker;
    for (const char *art : {"TUEVTermin", "ASUTermin", "InspektionTermin", "Vignette1Termin",
                            "Vignette2Termin", "KlInspektionTermin", "GrInspektionTermin"})
        merker << Feld{QString::fromLatin1(art) + "Info", QString(), QString(), false};
    for (int i = 1; i <= 14; ++i)
        merker << Feld{QStringLiteral("FreierTermin%1Info").arg(i), QString(), QString(), false};
    return l + merker;
}

QList<Feld> FuhrparkKosten()
{
    return {f("KfzNr", "Kennzeichen"),
            f("Info"),
            f("Gruppe"),
            f("Kostenstelle", "Kostenstelle/Standort"),
            f("GesamtKosten", "Gesamt", "########0.00"),
            f("VerbrauchKosten", "Verbrauch", "########0.00"),
            f("ReparaturKosten", "Reparatur", "########0.00"),
            f("WartungKosten", "Wartung", "########0.00"),
            f("UntersuchungKosten", "Untersuchung", "########0.00"),
            f("ReifenKosten", "Reifen", "########0.00"),
            f("PflegeKosten", "Pflege", "########0.00"),
            f("SonstigeKosten", "Sonstige", "########0.00"),
            f("Sonstige2Kosten", "", "########0.00"),
            f("Sonstige3Kosten", "", "########0.00"),
            f("Sonstige4Kosten", "", "########0.00"),
            f("GefKilometer", "Gef. Km.", "########0"),
            f("VerbrauchLiter", "Verbrauch/L.", "#########0.00"),
            f("DVerbrauchLiter", "D.Verbrauch/L.", "#########0.00"),
            f("DVerbrauchLiter100Km", "D.Verbrauch/L./100Km", "##########0.00"),
            f("Ertrag", "", "########0.00"),
            f("Schadstoff")};
}

QList<Feld> Historie()
{
    return {versteckt("KfzNr"),
            f("Datum"),
            f("Reserve4", "Km.Stand", "#########0"),
            f("Kosten", "", "########0.00"),
            f("Info", "Bemerkung1"),
            f("Reserve1", "Bemerkung2"),
            f("Reserve2", "Bemerkung3")};
}

QList<Feld> Dispo()
{
    return {f("AngelegtVon", "Inhaber"),
            versteckt("Kfznr", "Kennzeichen"),
            f("DatumVon", "Datum/Von"),
            f("DatumBis", "Datum/Bis"),
            f("UhrzeitVon", "Uhrzeit/Von"),
            f("UhrzeitBis", "Uhrzeit/Bis"),
            f("Tour"),
            versteckt("FahrerName"),
            f("FahrerNameDummy", "FahrerName"),
            versteckt("FahrerKz"),
            versteckt("FahrerNr"),
            f("Kostenstelle"),
            f("Bemerkung1"),
            f("Bemerkung2"),
            f("Bemerkung3"),
            versteckt("TagdesMonatsVon"),
            versteckt("MonatVon"),
            versteckt("JahrVon"),
            versteckt("TagdesMonatsBis"),
            versteckt("MonatBis"),
            versteckt("JahrBis"),
            versteckt("DatumUhrzeitVon"),
            versteckt("DatumUhrzeitBis"),
            versteckt("KfzIndex=0"),
            versteckt("KfzIndex")};
}

QList<Feld> Bild()
{
    return {versteckt("Kfznr"), versteckt("Reihenfolge"), f("Bemerkung"), f("Bildpfad", "Bild Datenpfad")};
}

QList<Feld> Schadensmanagement()
{
    return {versteckt("KfzNr"),
            f("Bearbeitungsnummer"),
            f("Datum"),
            f("KmStand", "Km.Stand", "#########0"),
            f("Kosten", "", "########0.00"),
            f("Info1"),
            f("Info2"),
            f("Info3"),
            f("Dokumentenpfad", "Dokument/Bild")};
}

QList<Feld> Mandanten()
{
    return {versteckt("Reihenfolge"),
            f("Mandant"),
            f("AnzahlFahrzeuge", "Fahrzeuge"),
            f("Name1", "Name"),
            f("Name2", "Name 2"),
            f("Name3", "Name 3"),
            f("Strasse"),
            f("Land"),
            f("Plz"),
            f("Ort"),
            f("Telefon"),
            f("Fax"),
            f("Mobil"),
            f("Internet"),
            f("Bemerkung1"),
            f("Bemerkung2"),
            f("Bemerkung3"),
            versteckt("Verzeichnis"),
            versteckt("Filter")};
}

QList<Feld> Leasinggesellschaften()
{
    return {f("Name1", "Leasinggesellschaft")};
}

void anlegen(dbe::TTable &tabelle, const QList<Feld> &felder,
             const std::function<dbe::TField *(const Feld &)> &lookupAnlegen)
{
    for (const Feld &feld : felder) {
        dbe::TField *field =
            feld.name.endsWith(QLatin1String("Dummy")) ? lookupAnlegen(feld) : tabelle.AddField(feld.name);
        if (!feld.beschriftung.isEmpty())
            field->SetDisplayLabel(feld.beschriftung);
        if (!feld.format.isEmpty())
            field->SetDisplayFormat(feld.format);
        field->SetVisible(feld.sichtbar);
    }
}

} // namespace fleet::feldlisten
