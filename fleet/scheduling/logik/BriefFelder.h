#pragma once

#include <QString>
#include <QStringList>

// What a letter can hold of a vehicle and a driver: the persistent field lists
// of the letter editor's two tables, its variable list and the value items of
// its popup menu.
namespace fleet::brief {

// KfzStamm.db as the letters see it: 58 fields in this order.
QStringList FahrzeugFelder();
// KfzFahrer.DB as the letters see it: 97 fields in this order.
QStringList FahrerFelder();

enum class Tabelle { Fahrzeug, Fahrer };

// The value items: (menu item, caption, table, field inserted). The form
// declares one handler per line, named after the item with "Click".
#define FLEET_BRIEF_WERTPUNKTE(X)                                                                            \
    X(Kennzeichen2, "Kennzeichen", Fahrzeug, "Kfznr")                                                        \
    X(Info2, "Info", Fahrzeug, "Info")                                                                       \
    X(Gruppe2, "Gruppe", Fahrzeug, "Gruppe")                                                                 \
    X(KostenstStandort2, "Kostenst./Standort", Fahrzeug, "Kostenstelle")                                     \
    X(PkwNummer1, "PkwNummer", Fahrzeug, "PkwNummer")                                                        \
    X(FahrerName1, "FahrerName", Fahrzeug, "FahrerName")                                                     \
    X(FahrerNr2, "FahrerNr.", Fahrzeug, "FahrerNr")                                                          \
    X(FahrerKz2, "FahrerKz.", Fahrzeug, "FahrerKz")                                                          \
    X(BesitzerKz1, "BesitzerKz.", Fahrzeug, "BesitzerKz")                                                    \
    X(Marke1, "Marke", Fahrzeug, "KfzMarke")                                                                 \
    X(HerstellerKz1, "HerstellerKz.", Fahrzeug, "KfzHerstellerKz")                                           \
    X(Baujahr1, "Baujahr", Fahrzeug, "KfzBaujahr")                                                           \
    X(Hubraum1, "Hubraum", Fahrzeug, "KfzHubraum")                                                           \
    X(KwPS1, "Kw/PS", Fahrzeug, "KfzKW/PS")                                                                  \
    X(Aufbau1, "Aufbau", Fahrzeug, "KfzAufbau")                                                              \
    X(Zulassung1, "Zulassung", Fahrzeug, "KfzZulassung")                                                     \
    X(KmStand1, "KmStand", Fahrzeug, "KfzKmStand")                                                           \
    X(VersPolNr1, "Vers.Pol.Nr.", Fahrzeug, "VersPolNr")                                                     \
    X(FahrgestellNr1, "FahrgestellNr.", Fahrzeug, "Freifeld5")                                               \
    X(Anschafffwert1, "Anschafff.wert", Fahrzeug, "Anschaffungswert")                                        \
    X(Zinssatz1, "Zinssatz", Fahrzeug, "Zinssatz")                                                           \
    X(KaufLeasDat1, "Kauf/Leas.Dat.", Fahrzeug, "FreifeldDatum1")                                            \
    X(Freifeld12, "Freifeld1", Fahrzeug, "Freifeld1")                                                        \
    X(Freifeld22, "Freifeld2", Fahrzeug, "Freifeld2")                                                        \
    X(Freifeld32, "Freifeld3", Fahrzeug, "Freifeld3")                                                        \
    X(Freifeld42, "Freifeld4", Fahrzeug, "Freifeld4")                                                        \
    X(Name1, "Name", Fahrer, "Name")                                                                         \
    X(Vorname1, "Vorname", Fahrer, "Vorname")                                                                \
    X(Strasse1, "Strasse", Fahrer, "Strasse")                                                                \
    X(Plz1, "Plz.", Fahrer, "Plz")                                                                           \
    X(Ort1, "Ort", Fahrer, "Ort")                                                                            \
    X(Telefon1, "Telefon", Fahrer, "Telefon")                                                                \
    X(Fax1, "Fax", Fahrer, "Fax")                                                                            \
    X(Mobil1, "Mobil", Fahrer, "Mobil")                                                                      \
    X(GebDatum1, "Geb.Datum", Fahrer, "Geburtsdatum")                                                        \
    X(FahrerNr1, "FahrerNr.", Fahrer, "Nummer")                                                              \
    X(FahrerKz1, "FahrerKz.", Fahrer, "Kennzeichen")                                                         \
    X(FscheinKlassen1, "FscheinKlassen", Fahrer, "FScheinKlassenAllgemein")                                  \
    X(FscheinNummer1, "FscheinNummer", Fahrer, "FScheinNummer")                                              \
    X(FscheinBehrde1, "FscheinBehörde", Fahrer, "FScheinBehoerde")                                           \
    X(FscheinDatum1, "FscheinDatum", Fahrer, "FScheinDatum")                                                 \
    X(FscheinVorlage1, "FscheinVorlage", Fahrer, "FScheinVorlage")                                           \
    X(Freifeld11, "Freifeld1", Fahrer, "Freifeld11")                                                         \
    X(Freifeld21, "Freifeld2", Fahrer, "Freifeld12")                                                         \
    X(Freifeld31, "Freifeld3", Fahrer, "Freifeld13")                                                         \
    X(Freifeld41, "Freifeld4", Fahrer, "Freifeld14")                                                         \
    X(Freifeld51, "Freifeld5", Fahrer, "Freifeld15")                                                         \
    X(Freifeld61, "Freifeld6", Fahrer, "Freifeld16")                                                         \
    X(Freifeld71, "Freifeld7", Fahrer, "Freifeld17")                                                         \
    X(Freifeld81, "Freifeld8", Fahrer, "Freifeld18")

struct Wertpunkt {
    const char *name; // the menu item
    QString beschriftung;
    Tabelle tabelle;
    QString feld;
};

// The 50 value items in menu order, 26 of the vehicle, then 24 of the driver.
const QList<Wertpunkt> &Wertpunkte();

} // namespace fleet::brief
