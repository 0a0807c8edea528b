#include <gtest/gtest.h>

#include <QSet>

#include "daten/Aliase.h"
#include "daten/schema/Katalog.h"

namespace {

using fleet::KatalogTabelle;
using fleet::SchemaKatalog;

const dbe::FieldDef *feld(const dbe::TableDef &t, const QString &name)
{
    for (const dbe::FieldDef &f : t.fields)
        if (f.name.compare(name, Qt::CaseInsensitive) == 0)
            return &f;
    return nullptr;
}

TEST(SchemaKatalog, HoldsEveryTableUnderItsAlias)
{
    struct Erwartet {
        const char *tabelle;
        const QString &alias;
    };
    const Erwartet tabellen[] = {
        {"KfzStamm.db", fleet::kAliasFuhrpark},      {"KfzTour.db", fleet::kAliasFuhrpark},
        {"KfzVar.db", fleet::kAliasFuhrpark},        {"KfzMonat.DB", fleet::kAliasFuhrpark},
        {"KfzReif.db", fleet::kAliasFuhrpark},       {"KfzHisto.db", fleet::kAliasFuhrpark},
        {"KfzSchad.db", fleet::kAliasFuhrpark},      {"KfzBild.DB", fleet::kAliasFuhrpark},
        {"KfzDispo.DB", fleet::kAliasFuhrpark},      {"KfzFahrer.DB", fleet::kAliasFuhrpark},
        {"KfzFaHis.db", fleet::kAliasFuhrpark},      {"KfzGruppe.db", fleet::kAliasFuhrpark},
        {"KfzStort.db", fleet::kAliasFuhrpark},      {"LeasGes.db", fleet::kAliasFuhrpark},
        {"ReifTyp.DB", fleet::kAliasFuhrpark},       {"TerminKz.DB", fleet::kAliasFuhrpark},
        {"KfzTerminInfo.db", fleet::kAliasFuhrpark}, {"HILFE.DB", fleet::kAliasFuhrpark},
        {"TKonfig.DB", fleet::kAliasFuhrpark},       {"TImport.db", fleet::kAliasFuhrparkPriv},
        {"Kfzsyste.DB", fleet::kAliasFuhrpkMand},    {"Kfzsyspr.DB", fleet::kAliasFuhrparkPriv},
        {"Mandant.db", fleet::kAliasFuhrpkMand},     {"KfzFuKst.db", fleet::kAliasFuhrparkPriv},
        {"KfzVergl.db", fleet::kAliasFuhrparkPriv},  {"MoAusPrv.DB", fleet::kAliasFuhrparkPriv},
        {"Termine.DB", fleet::kAliasFuhrparkPriv},   {"FeldPos.db", fleet::kAliasFuhrparkPriv},
    };
    EXPECT_EQ(SchemaKatalog().size(), std::size(tabellen));
    for (const Erwartet &e : tabellen) {
        const dbe::TableDef *t = KatalogTabelle(QString::fromLatin1(e.tabelle));
        ASSERT_NE(t, nullptr) << e.tabelle;
        EXPECT_EQ(t->alias, e.alias) << e.tabelle;
    }
}

TEST(SchemaKatalog, FindsTablesWithoutRegardToCaseOrExtension)
{
    const dbe::TableDef *stamm = KatalogTabelle("KfzStamm.db");
    ASSERT_NE(stamm, nullptr);
    EXPECT_EQ(KatalogTabelle("KFZSTAMM.DB"), stamm);
    EXPECT_EQ(KatalogTabelle("kfzstamm"), stamm);
    EXPECT_EQ(KatalogTabelle("Feldpos.db"), KatalogTabelle("FeldPos.db"));
    EXPECT_EQ(KatalogTabelle("KfzStammX.db"), nullptr);
    EXPECT_EQ(fleet::KatalogDesAlias("fuhrpkmand").size(), 2);
}

// Every key and index names fields of its table, names are unique without
// regard to case, and every text field has a size.
TEST(SchemaKatalog, IsConsistent)
{
    for (const dbe::TableDef &t : SchemaKatalog()) {
        QSet<QString> namen;
        for (const dbe::FieldDef &f : t.fields) {
            EXPECT_FALSE(namen.contains(f.name.toLower()))
                << t.name.toStdString() << " " << f.name.toStdString();
            namen.insert(f.name.toLower());
            if (f.type == dbe::FieldType::String) {
                EXPECT_GT(f.size, 0) << t.name.toStdString() << " " << f.name.toStdString();
            }
        }
        for (const QString &k : t.primaryKey)
            EXPECT_NE(feld(t, k), nullptr) << t.name.toStdString() << " key " << k.toStdString();
        for (const dbe::IndexDef &ix : t.indexes) {
            EXPECT_FALSE(ix.name.isEmpty()) << t.name.toStdString();
            for (const QString &k : ix.fields)
                EXPECT_NE(feld(t, k), nullptr) << t.name.toStdString() << " index " << k.toStdString();
        }
    }
}

TEST(SchemaKatalog, KeysTheRulesRelyOn)
{
    struct Schluessel {
        const char *tabelle;
        QStringList felder;
    };
    const Schluessel schluessel[] = {
        {"KfzStamm.db", {"KfzNr"}},
        {"KfzTour.db", {"KfzNr", "Datum", "DatumBis", "Tour", "FahrerName", "Kostenstelle"}},
        {"KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer"}},
        {"KfzMonat.DB", {"KfzNr", "AuswJahr", "AuswMonatNum", "AuswMonatText"}},
        {"KfzDispo.DB", {"Kfznr", "DatumVon", "DatumBis", "UhrzeitVon", "UhrzeitBis"}},
        {"KfzBild.DB", {"Kfznr", "Reihenfolge"}},
        {"KfzTerminInfo.db", {"Kfznr", "TerminName", "TerminWert"}},
        {"FeldPos.db", {"TabKz", "FeldName"}},
        {"Mandant.db", {"Reihenfolge"}},
        {"KfzFahrer.DB", {"Name"}},
        {"TKonfig.DB", {"TankdateiTyp"}},
        {"KfzHisto.db", {"KfzNr", "Datum", "Info"}},
        {"KfzSchad.db", {"KfzNr", "Datum", "Bearbeitungsnummer"}},
    };
    for (const Schluessel &s : schluessel) {
        const dbe::TableDef *t = KatalogTabelle(QString::fromLatin1(s.tabelle));
        ASSERT_NE(t, nullptr) << s.tabelle;
        EXPECT_EQ(t->primaryKey, s.felder) << s.tabelle;
    }
    const dbe::TableDef *notizen = KatalogTabelle("KfzTerminInfo.db");
    ASSERT_EQ(notizen->indexes.size(), 1);
    EXPECT_EQ(notizen->indexes.first().name, QStringLiteral("Termin_Sort"));
    EXPECT_TRUE(KatalogTabelle("Kfzsyste.DB")->primaryKey.isEmpty());
}

TEST(SchemaKatalog, FieldTypesWhereThePiecesDisagree)
{
    const dbe::TableDef *stamm = KatalogTabelle("KfzStamm.db");
    EXPECT_EQ(feld(*stamm, "KfzKmStand")->type, dbe::FieldType::Float);
    EXPECT_NE(feld(*stamm, "KfzKW/PS"), nullptr);
    const dbe::TableDef *fahrer = KatalogTabelle("KfzFahrer.DB");
    EXPECT_EQ(fahrer->fields.size(), 97);
    EXPECT_EQ(feld(*fahrer, "Freifeld1")->type, dbe::FieldType::Float);
    EXPECT_EQ(feld(*fahrer, "Freifeld15")->type, dbe::FieldType::String);
    EXPECT_EQ(feld(*fahrer, "Freifeld25")->type, dbe::FieldType::Date);
    EXPECT_EQ(feld(*fahrer, "Freifeld35")->type, dbe::FieldType::Boolean);
    EXPECT_EQ(feld(*fahrer, "Freifeld50")->type, dbe::FieldType::String);
    const dbe::TableDef *termine = KatalogTabelle("Termine.DB");
    EXPECT_EQ(termine->fields.size(), 45);
    EXPECT_EQ(termine->indexes.size(), 21);
    const dbe::FieldDef *varkosten = feld(*KatalogTabelle("TKonfig.DB"), "Varkosten20");
    ASSERT_NE(varkosten, nullptr);
    EXPECT_EQ(varkosten->minValue.toInt(), 1);
    EXPECT_EQ(varkosten->maxValue.toInt(), 10);
    EXPECT_EQ(KatalogTabelle("MoAusPrv.DB")->fields.size(), 22);
    EXPECT_EQ(KatalogTabelle("Mandant.db")->fields.size(), 19);
}

} // namespace
