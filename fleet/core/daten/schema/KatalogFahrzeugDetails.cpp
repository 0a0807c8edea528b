#include "daten/Aliase.h"
#include "daten/schema/FeldBausteine.h"
#include "daten/schema/KatalogTeile.h"

// Keys of the detail tables. Where the tables' own declarations name no key,
// these were chosen:
// - KfzVar.db: KfzNr;BelegDatum;BelegNummer - one receipt number per vehicle and
//   day; the cost walk of the monthly evaluation relies on this order.
// - KfzHisto.db: KfzNr;Datum;Info - the smallest key under which copying the
//   same cost record into the history twice is a duplicate (same date, same
//   remark), while several entries of one day with different remarks are kept.
// - KfzSchad.db: KfzNr;Datum;Bearbeitungsnummer - two damage records of one
//   vehicle with the same date and case number are the duplicate the damage page
//   warns about; different case numbers on one day are kept. Date first, so the
//   page lists the damages in time order.
// - KfzBild.DB: Kfznr;Reihenfolge, unique, so that swapping two entries' order
//   numbers can never leave two entries on one place.
// - KfzReif.db: KfzNr - one tyre record per vehicle.
// - KfzTerminInfo.db: Kfznr;TerminName;TerminWert, unique (one note per due
//   occurrence); "Termin_Sort" orders the notes by agreed workshop date.
namespace fleet::schema {

namespace {

dbe::TableDef touren()
{
    QList<dbe::FieldDef> f{text("KfzNr", 10),        date("Datum"),
                           date("DatumBis"),         text("Tour", 10),
                           text("FahrerName", 30),   text("Kostenstelle", 30),
                           num("AbfahrtKm"),         num("AnkunftKm"),
                           num("GefahrenKm"),        num("Ertrag"),
                           text("Bemerkungen", 255), text("Bemerkung2", 50),
                           text("Bemerkung3", 50),   text("Reserve1", 30),
                           text("Reserve2", 30),     num("Reserve3"),
                           num("Reserve4"),          date("Reserve5"),
                           date("Reserve6"),         logical("Reserve7"),
                           logical("Reserve8"),      num("PalettenPlus"),
                           num("PalettenMinus")};
    return table("KfzTour.db", kAliasFuhrpark, f,
                 {"KfzNr", "Datum", "DatumBis", "Tour", "FahrerName", "Kostenstelle"});
}

dbe::TableDef variableKosten()
{
    QList<dbe::FieldDef> f{text("KfzNr", 10),
                           date("BelegDatum"),
                           text("BelegNummer", 10),
                           text("PersonalNummer", 10),
                           num("Mwst"),
                           text("TerminKz", 4),
                           num("Benzin/Liter"),
                           num("Benzin/Preis"),
                           num("ReparaturKosten"),
                           num("WartungKosten"),
                           num("UntersuchungKosten"),
                           num("ReifenKosten"),
                           num("PflegeKosten"),
                           num("SonstigeKosten"),
                           num("Sonstige2Kosten"),
                           num("Sonstige3Kosten"),
                           num("Sonstige4Kosten"),
                           text("Monat", 10),
                           text("Jahr", 4),
                           text("Bemerkungen", 255),
                           text("Bemerkung2", 50),
                           text("Bemerkung3", 50)};
    return table("KfzVar.db", kAliasFuhrpark, f, {"KfzNr", "BelegDatum", "BelegNummer"});
}

dbe::TableDef monatsAuswertung()
{
    QList<dbe::FieldDef> f{text("KfzNr", 10),           text("AuswJahr", 4),
                           num("AuswMonatNum"),         text("AuswMonatText", 10),
                           num("GefKilometer"),         money("GesamtKosten"),
                           money("GesamtKostenProKm"),  num("VerbrauchLiter"),
                           money("VerbrauchKosten"),    num("VerbrauchLiterPro100Km"),
                           money("ReparaturKosten"),    money("WartungKosten"),
                           money("UntersuchungKosten"), money("ReifenKosten"),
                           money("PflegeKosten"),       money("SonstigeKosten"),
                           money("Sonstige2Kosten"),    money("Sonstige3Kosten"),
                           money("Sonstige4Kosten"),    money("Ertrag")};
    return table("KfzMonat.DB", kAliasFuhrpark, f, {"KfzNr", "AuswJahr", "AuswMonatNum", "AuswMonatText"});
}

dbe::TableDef reifen()
{
    QList<dbe::FieldDef> f{text("KfzNr", 10), text("ZurZeitMontiert", 1)};
    for (const char *season : {"So", "Wi"}) {
        for (int axle = 1; axle <= 7; ++axle) {
            const QString a = QStringLiteral("Achse") + QString::number(axle);
            f << text(a + "Reifentyp" + season, 30) << num(a + "ReifenProfilMM" + season)
              << text(a + "ReifenBemerkung" + season, 50) << num(a + "ReifenKm" + season)
              << date(a + "ReifenLinksDatum" + season);
        }
    }
    // Summer size and price; the winter ones live in Reserve1 and Reserve2.
    f << text("Reifengroesse", 30) << num("Reifenpreis") << text("Reserve1", 30) << num("Reserve2");
    return table("KfzReif.db", kAliasFuhrpark, f, {"KfzNr"});
}

dbe::TableDef historie()
{
    QList<dbe::FieldDef> f{text("KfzNr", 10), date("Datum"),        num("Reserve4"),     num("Kosten"),
                           text("Info", 255), text("Reserve1", 30), text("Reserve2", 30)};
    return table("KfzHisto.db", kAliasFuhrpark, f, {"KfzNr", "Datum", "Info"});
}

dbe::TableDef schaeden()
{
    QList<dbe::FieldDef> f{text("KfzNr", 10),
                           text("Bearbeitungsnummer", 30),
                           date("Datum"),
                           num("KmStand"),
                           num("Kosten"),
                           text("Info1", 50),
                           text("Info2", 50),
                           text("Info3", 50),
                           text("Dokumentenpfad", 255)};
    return table("KfzSchad.db", kAliasFuhrpark, f, {"KfzNr", "Datum", "Bearbeitungsnummer"});
}

dbe::TableDef bilder()
{
    QList<dbe::FieldDef> f{text("Kfznr", 10), integer("Reihenfolge"), text("Bemerkung", 100),
                           text("Bildpfad", 255)};
    return table("KfzBild.DB", kAliasFuhrpark, f, {"Kfznr", "Reihenfolge"});
}

dbe::TableDef disposition()
{
    QList<dbe::FieldDef> f{text("AngelegtVon", 20),
                           text("Kfznr", 10),
                           date("DatumVon"),
                           date("DatumBis"),
                           time("UhrzeitVon"),
                           time("UhrzeitBis"),
                           text("Tour", 10),
                           text("FahrerName", 30),
                           text("FahrerKz", 10),
                           text("FahrerNr", 10),
                           text("Kostenstelle", 30),
                           text("Bemerkung1", 50),
                           text("Bemerkung2", 50),
                           text("Bemerkung3", 50),
                           text("TagdesMonatsVon", 2),
                           text("MonatVon", 10),
                           text("JahrVon", 4),
                           text("TagdesMonatsBis", 2),
                           text("MonatBis", 10),
                           text("JahrBis", 4),
                           dateTime("DatumUhrzeitVon"),
                           dateTime("DatumUhrzeitBis"),
                           integer("KfzIndex=0"),
                           integer("KfzIndex")};
    return table("KfzDispo.DB", kAliasFuhrpark, f,
                 {"Kfznr", "DatumVon", "DatumBis", "UhrzeitVon", "UhrzeitBis"});
}

dbe::TableDef terminNotizen()
{
    QList<dbe::FieldDef> f{
        text("Kfznr", 10),       text("TerminName", 40),   text("TerminWert", 30),        memo("TerminInfo"),
        integer("TerminStatus"), date("TerminVereinbart"), text("UhrzeitVereinbart", 10), date("TerminBis"),
        text("UhrzeitBis", 10)};
    numbered(f, "Freifeld", 1, 4, [](const QString &n) { return text(n, 50); });
    return table("KfzTerminInfo.db", kAliasFuhrpark, f, {"Kfznr", "TerminName", "TerminWert"},
                 {index("Termin_Sort", {"TerminVereinbart"})});
}

} // namespace

QList<dbe::TableDef> fahrzeugDetails()
{
    return {touren(),   variableKosten(), monatsAuswertung(), reifen(),       historie(),
            schaeden(), bilder(),         disposition(),      terminNotizen()};
}

} // namespace fleet::schema
