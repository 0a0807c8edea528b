#include "daten/Aliase.h"
#include "daten/schema/FeldBausteine.h"
#include "daten/schema/KatalogTeile.h"

// Tables shared by every client (alias FuhrpkMand): the general settings record
// and the client list, whose key is its display order.
namespace fleet::schema {

namespace {

void texte(QList<dbe::FieldDef> &f, std::initializer_list<const char *> names, int size = 30)
{
    for (const char *n : names)
        f << text(QString::fromLatin1(n), size);
}

void flags(QList<dbe::FieldDef> &f, std::initializer_list<const char *> names, const char *suffix)
{
    for (const char *n : names)
        f << logical(QString::fromLatin1(n) + QString::fromLatin1(suffix));
}

dbe::TableDef einstellungenAllgemein()
{
    QList<dbe::FieldDef> f;
    texte(f, {"Textfeld1", "Textfeld2"});
    numbered(f, "Textfeld", 6, 18, [](const QString &n) { return text(n, 30); });
    f << logical("LeasingfelderSichtbar") << logical("Boolfeld1") << smallInt("AnzahlSichtbFreifelder")
      << text("MitHeader", 10);
    for (const char *n :
         {"TUEVTIntervall", "ASUTIntervall", "InspektionTDatumIntervall", "KlInspektionTIntervall",
          "GrInspektionTIntervall", "Vignette1TIntervall", "Vignette2TIntervall"})
        f << num(QString::fromLatin1(n));
    numbered(f, "FrTermin", 1, 14, num, "TIntervall");
    numbered(f, "Numfeld", 1, 5, integer);
    texte(f, {"NameSonstigeKosten", "NameSonstige2Kosten", "NameSonstige3Kosten", "NameSonstige4Kosten",
              "NameKostenHaftpflicht", "NameKostenKasko", "NameKostenSteuer", "NameKostenSonstige",
              "NameKostenAFA", "NameKostenZinsen", "NameKostenLeasing", "NameKostenGewKapSt"});
    for (const char *page : {"VarKosten", "Touren", "Historie", "Dispo"})
        numbered(f, QStringLiteral("Name") + page + "Bemerkung", 1, 3,
                 [](const QString &n) { return text(n, 30); });
    texte(
        f,
        {"NameKfzNr",     "NameInfo",          "NameKmStand",      "NameGruppe",           "NameKostenstelle",
         "NamePkwNummer", "NameHerstellerKz",  "NameMarke",        "NameBaujahr",          "NameHubraum",
         "NameKWPS",      "NameAufbau",        "NameFarbe",        "NameKaufLeasingdatum", "NameZulassung",
         "NameVersPolNr", "NameFahrgestellnr", "NameAnschaffwert", "NameZinssatz",         "NameFahrer",
         "NameFahrerNr",  "NameFahrerKz",      "NameBesitzerKz",   "NameSchadstoff"});
    flags(f, {"Kennzeichen",   "Info",         "Gruppe",    "KstStelle",  "PkwNummer",
              "HerstellerKz",  "Marke",        "Baujahr",   "Hubraum",    "KW",
              "Aufbau",        "Farbe",        "Kaufdatum", "VersPolNr",  "Zulassung",
              "Fahrgestellnr", "Anschaffwert", "Zinssatz",  "Fahrername", "FahrerNr",
              "FahrerKz",      "BesitzerKz",   "KmStand"},
          "Sichtbar");
    flags(f, {"Kennzeichen",   "Info",         "Gruppe",    "Kststelle",  "PkwNummer",
              "HerstellerKz",  "Marke",        "Baujahr",   "Hubraum",    "KW",
              "Aufbau",        "Farbe",        "Kaufdatum", "VersPolNr",  "Zulassung",
              "Fahrgestellnr", "Anschaffwert", "Zinssatz",  "FahrerName", "FahrerNr",
              "FahrerKz",      "BesitzerKz",   "KmStand"},
          "Markiert");
    texte(f, {"NameInspTermin", "NameKlInspTermin", "NameGrInspTermin", "NameVignette1Termin",
              "NameVignette2Termin"});
    numbered(f, "NameFreitermin", 1, 14, [](const QString &n) { return text(n, 30); });
    numbered(f, "NameTInfoFreifeld", 1, 4, [](const QString &n) { return text(n, 30); });
    // Free field 10's caption is stored as "NameFreifeld100".
    numbered(f, "NameFreifeld", 1, 9, [](const QString &n) { return text(n, 30); });
    f << text("NameFreifeld100", 30);
    numbered(f, "NameFreifeld", 11, 20, [](const QString &n) { return text(n, 30); });
    f << text("TankDateiTyp", 30) << integer("BildLetzterSortwert");
    return table("Kfzsyste.DB", kAliasFuhrpkMand, f, {});
}

dbe::TableDef mandantenListe()
{
    QList<dbe::FieldDef> f{smallInt("Reihenfolge"), text("Mandant", 10), integer("AnzahlFahrzeuge")};
    texte(f, {"Name1", "Name2", "Name3", "Strasse"});
    f << text("Land", 5) << text("Plz", 10);
    texte(f, {"Ort", "Telefon", "Fax", "Mobil"});
    texte(f, {"Internet", "Bemerkung1", "Bemerkung2", "Bemerkung3"}, 50);
    f << text("Verzeichnis", 30) << integer("Filter");
    return table("Mandant.db", kAliasFuhrpkMand, f, {"Reihenfolge"});
}

} // namespace

QList<dbe::TableDef> mandanten()
{
    return {einstellungenAllgemein(), mandantenListe()};
}

} // namespace fleet::schema
