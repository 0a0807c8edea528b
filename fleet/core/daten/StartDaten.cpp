#include "daten/StartDaten.h"

#include <QtGlobal>

namespace fleet::startdaten {

namespace {

void alle(Zeile &z, std::initializer_list<const char *> felder, const char *suffix, const QVariant &wert)
{
    for (const char *f : felder)
        z.append({QString::fromLatin1(f) + QString::fromLatin1(suffix), wert});
}

// Windows colour values as stored: system colours (0x80000000 + index) keep
// their bit pattern as a negative 32-bit integer.
QVariant farbe(quint32 wert)
{
    return static_cast<qint32>(wert);
}

} // namespace

Zeile EinstellungenAllgemein()
{
    Zeile z{
        {"Textfeld1", "Touren"},
        {"Textfeld2", "Standard"},
        {"Textfeld14", "D"},
        {"Textfeld15", "W"},
        {"LeasingfelderSichtbar", true},
        {"Boolfeld1", false},
        // The choice offers 0 to 15; 15 shows every free field.
        {"AnzahlSichtbFreifelder", 15},
        {"MitHeader", QString()},
        {"BildLetzterSortwert", 0},
        {"NameSonstigeKosten", "Sonstige"},
        {"NameSonstige2Kosten", "Sonstige2"},
        {"NameSonstige3Kosten", "Sonstige3"},
        {"NameSonstige4Kosten", "Sonstige4"},
        {"NameKostenKasko", "Kasko"},
        {"NameKostenHaftpflicht", "Haftplicht"},
        {"NameKostenSteuer", "Steuer"},
        {"NameKostenSonstige", "Sonstige"},
        {"NameKostenAFA", "AFA"},
        {"NameKostenZinsen", "Zinsen"},
        {"NameKostenLeasing", "Leasing"},
        {"NameKostenGewKapSt", "Gew.Kap.St."},
        {"NameKfzNr", "Kfz.-Nr./Kennzeichen"},
        {"NameInfo", "Info"},
        {"NameKmStand", "Km.Stand"},
        {"NameGruppe", "Gruppe"},
        {"NameKostenstelle", "Kostenstelle/Standort"},
        {"NamePkwNummer", "PkwNummer"},
        {"NameFahrer", "FahrerName"},
        {"NameFahrerNr", "FahrerNr."},
        {"NameFahrerKz", "FahrerKz."},
        {"NameBesitzerKz", "BesitzerKz."},
        {"NameMarke", "Marke"},
        {"NameHerstellerKz", "HerstellerKz"},
        {"NameBaujahr", "Baujahr"},
        {"NameHubraum", "Hubraum"},
        {"NameKWPS", "KW/PS"},
        {"NameAufbau", "Aufbau"},
        {"NameZulassung", "Zulassung"},
        {"NameVersPolNr", "VersPolNr."},
        {"NameFahrgestellnr", "Fahrgestellnummer"},
        {"NameAnschaffwert", "Anschaff.wert"},
        {"NameZinssatz", "Zinssatz"},
        {"NameKaufLeasingdatum", "Kaufdatum"},
        {"NameFarbe", "Farbe"},
        {"NameSchadstoff", "Schadstoff"},
    };
    alle(z, {"Kennzeichen",   "Info",         "Gruppe",    "KstStelle",  "PkwNummer",
             "HerstellerKz",  "Marke",        "Baujahr",   "Hubraum",    "KW",
             "Aufbau",        "Farbe",        "Kaufdatum", "VersPolNr",  "Zulassung",
             "Fahrgestellnr", "Anschaffwert", "Zinssatz",  "Fahrername", "FahrerNr",
             "FahrerKz",      "BesitzerKz",   "KmStand"},
         "Sichtbar", true);
    alle(z, {"Kennzeichen",   "Info",         "Gruppe",    "Kststelle",  "PkwNummer",
             "HerstellerKz",  "Marke",        "Baujahr",   "Hubraum",    "KW",
             "Aufbau",        "Farbe",        "Kaufdatum", "VersPolNr",  "Zulassung",
             "Fahrgestellnr", "Anschaffwert", "Zinssatz",  "FahrerName", "FahrerNr",
             "FahrerKz",      "BesitzerKz",   "KmStand"},
         "Markiert", false);
    return z;
}

Zeile EinstellungenArbeitsplatz()
{
    Zeile z{
        {"Rights", "S"},
        {"NurEigeneDispoAendern", false},
        {"Schreibschutz", false},
        {"Freifeld1", true},
        {"FarbeKopfzeileFeldSchrift", farbe(0x00000000)},
        {"FarbeKopfzeileFeldHinterg", farbe(0x80000014)},
        {"FarbeKopfzeilePanel", farbe(0x00C0C0C0)},
        {"FarbeStammdatenFormular", farbe(0x8000000F)},
        {"FarbeStammdatenFeld", farbe(0x80000005)},
        {"FarbeStammdatenSchrift", farbe(0x80000008)},
        {"FarbeStammdatenMarkiert", farbe(0x00FFFF00)},
        {"FarbenSindDefault", true},
    };
    alle(z,
         {"Stammdaten", "Memo", "Touren", "VarKosten", "Monatsauswertung", "Monatsuebersicht",
          "Reifenverwaltung", "Historie", "Disposition", "Terminverwaltung", "Fahrer-Stammdaten"},
         "Zeigen", true);
    alle(z,
         {"TUEVTermin", "AUTermin", "InspektionTermin", "KlInspektionTermin", "GrInspektionTermin",
          "Vignette1Termin", "Vignette2Termin"},
         "Zeigen", true);
    for (int i = 1; i <= 14; ++i)
        z.append({QStringLiteral("Freitermin%1Zeigen").arg(i), true});
    return z;
}

QString MandantVerzeichnis(int nummer)
{
    return nummer == 1 ? QStringLiteral("Datenbk") : QStringLiteral("Datenbk%1").arg(nummer);
}

QList<Zeile> Mandanten()
{
    QList<Zeile> zeilen;
    for (int i = 1; i <= 20; ++i) {
        zeilen << Zeile{{"Reihenfolge", i},
                        {"Mandant", QStringLiteral("Mandant%1").arg(i)},
                        {"AnzahlFahrzeuge", 0},
                        {"Verzeichnis", MandantVerzeichnis(i)}};
    }
    return zeilen;
}

QList<Zeile> TerminKennzeichen()
{
    QStringList codes{"TUV", "ASU", "I", "KLI", "GRI", "VI1", "VI2"};
    for (int i = 1; i <= 14; ++i)
        codes << QStringLiteral("FT%1").arg(i);
    QList<Zeile> zeilen;
    for (const QString &c : codes)
        zeilen << Zeile{{"TerminKennzeichen", c}};
    return zeilen;
}

QList<Zeile> HilfeThemen()
{
    const QString ersteSchritte = QStringLiteral(
        "Erste Schritte\r\n"
        "\r\n"
        "1. Fahrzeug anlegen: Legen Sie mit dem Knopf \"Neues Fahrzeug anlegen\" ein Fahrzeug an, geben Sie "
        "das Kennzeichen und die Stammdaten ein und speichern Sie mit \"Neues Fahrzeug/Änderungen "
        "speichern\". "
        "Das Kennzeichen kann nur bei einem neuen Fahrzeug eingegeben werden.\r\n"
        "\r\n"
        "2. Einstellungen: Im Einstellungen-Formular legen Sie die Terminintervalle, die Vorwarnzeiten, "
        "die Feldbezeichnungen und die Rechte dieses Arbeitsplatzes fest. Geänderte Einstellungen werden "
        "nach "
        "einem Neustart des Programms wirksam.\r\n"
        "\r\n"
        "3. Laufende Daten: Touren, variable Kosten, Reifen, Historie, Schäden, Dokumente und Dispositionen "
        "erfassen Sie auf den Seiten des Hauptformulars; sie gehören immer zum gerade gezeigten Fahrzeug.\r\n"
        "\r\n"
        "4. Termine: Jedes Fahrzeug hat bis zu 21 Termine nach Datum oder Kilometerstand. Die "
        "Terminverwaltung "
        "zeigt fällige und überfällige Termine; über das Kontextmenü eines Terminfeldes schreiben Sie einen "
        "erledigten Termin um sein Intervall fort.\r\n"
        "\r\n"
        "5. Auswertungen: Die Monatsauswertung berechnet Kilometer, Verbrauch und Kosten eines Fahrzeugs für "
        "einen Monat; daneben gibt es die Fuhrparkkosten, den Fahrzeugvergleich und die Tourenauswertung.\r\n"
        "\r\n"
        "6. Mandanten: Bis zu 20 Mandanten haben jeweils einen eigenen Datenbestand. Im Mandanten-Formular "
        "wechseln Sie den Mandanten.");
    const QString briefe = QStringLiteral(
        "Briefe schreiben\r\n"
        "\r\n"
        "Im Textformular schreiben Sie Briefe und speichern sie als RTF-Datei (mit Formatierung) oder als "
        "TXT-Datei (reiner Text).\r\n"
        "\r\n"
        "Platzhalter werden mit den Daten eines Fahrers oder Fahrzeugs gefüllt. Ein Platzhalter beginnt mit "
        "\"<Fahrer/\" oder \"<Fahrzeug/\", danach folgt der Feldname, und er endet mit \">\", zum Beispiel "
        "<Fahrzeug/KfzNr> für das Kennzeichen oder <Fahrer/Name> für den Namen des Fahrers.");
    return {Zeile{{"Thema", 1}, {"Hilfe", ersteSchritte}}, Zeile{{"Thema", 2}, {"Hilfe", briefe}}};
}

} // namespace fleet::startdaten
