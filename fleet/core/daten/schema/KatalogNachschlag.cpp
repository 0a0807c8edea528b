#include "daten/Aliase.h"
#include "daten/schema/FeldBausteine.h"
#include "daten/schema/KatalogTeile.h"

// Lookup tables carry one text column, which is their key. The tyre-type table's
// column is "Reifentyp", the help table's key is the topic number "Thema".
namespace fleet::schema {

namespace {

dbe::TableDef fahrer()
{
    QList<dbe::FieldDef> f{text("Name", 30),    text("Nummer", 10),   text("Kennzeichen", 10),
                           text("Vorname", 20), text("Strasse", 30),  text("Plz", 10),
                           text("Ort", 30),     date("Geburtsdatum"), text("Telefon", 30),
                           text("Fax", 30),     text("Mobil", 30),    text("FscheinKlassenAllgemein", 50)};
    numbered(f, "FscheinKlassen", 1, 5, [](const QString &n) { return text(n, 30); });
    numbered(f, "FscheinKlassen", 6, 10, [](const QString &n) { return text(n, 15); });
    numbered(f, "GueltigBis", 1, 10, date);
    numbered(f, "Beschraenkungen", 1, 10, [](const QString &n) { return text(n, 30); });
    f << text("FscheinNummer", 30) << text("FscheinBehoerde", 30) << date("FscheinDatum")
      << date("FscheinVorlage");
    // 50 free fields: 1-10 numbers, 11-20 texts, 21-30 dates, 31-40 logicals,
    // 41-50 texts. The driver data module shows only 11-18; the letters read all.
    numbered(f, "Freifeld", 1, 10, num);
    numbered(f, "Freifeld", 11, 20, [](const QString &n) { return text(n, 30); });
    numbered(f, "Freifeld", 21, 30, date);
    numbered(f, "Freifeld", 31, 40, logical);
    numbered(f, "Freifeld", 41, 50, [](const QString &n) { return text(n, 30); });
    f << memo("Memo");
    return table("KfzFahrer.DB", kAliasFuhrpark, f, {"Name"});
}

dbe::TableDef fahrerHistorie()
{
    QList<dbe::FieldDef> f{text("Name", 30), date("DatumVon"), date("DatumBis"), num("Betrag"),
                           text("Info", 255)};
    return table("KfzFaHis.db", kAliasFuhrpark, f, {"Name", "DatumVon", "DatumBis"});
}

// One row per fuel-file type; the cost category of each product group must lie
// between 1 and 10.
dbe::TableDef tankdateiTypen()
{
    QList<dbe::FieldDef> f{text("TankdateiTyp", 30), text("Satzart", 10), text("Datumsformat", 10),
                           logical("NettoKostenZuordnen")};
    numbered(f, "Warengruppe", 1, 20, [](const QString &n) { return text(n, 10); });
    numbered(f, "Varkosten", 1, 20, [](const QString &n) {
        dbe::FieldDef d = smallInt(n);
        d.minValue = 1;
        d.maxValue = 10;
        return d;
    });
    return table("TKonfig.DB", kAliasFuhrpark, f, {"TankdateiTyp"});
}

} // namespace

QList<dbe::TableDef> nachschlagTabellen()
{
    return {
        table("KfzGruppe.db", kAliasFuhrpark, {text("Gruppe", 30)}, {"Gruppe"}),
        table("KfzStort.db", kAliasFuhrpark, {text("Standort", 30)}, {"Standort"}),
        table("LeasGes.db", kAliasFuhrpark, {text("Name1", 50)}, {"Name1"}),
        table("ReifTyp.DB", kAliasFuhrpark, {text("Reifentyp", 30)}, {"Reifentyp"}),
        table("TerminKz.DB", kAliasFuhrpark, {text("TerminKennzeichen", 4)}, {"TerminKennzeichen"}),
        table("HILFE.DB", kAliasFuhrpark, {smallInt("Thema"), memo("Hilfe")}, {"Thema"}),
        fahrer(),
        fahrerHistorie(),
        tankdateiTypen(),
    };
}

} // namespace fleet::schema
