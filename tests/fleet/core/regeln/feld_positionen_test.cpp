#include <gtest/gtest.h>

#include <algorithm>

#include <QRegularExpression>

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "detail_umgebung.h"
#include "regeln/FeldPositionen.h"

namespace {

using fleet::FeldPositionenLaden;
using fleet::FeldPositionenSpeichern;

QStringList reihenfolge(const dbe::TDataSet &d)
{
    QStringList namen;
    for (int i = 0; i < d.FieldCount(); ++i)
        namen << d.Fields(i)->FieldName();
    return namen;
}

void ordnen(dbe::TDataSet &d, const QStringList &namen)
{
    for (int i = 0; i < namen.size(); ++i)
        d.MoveField(d.FieldByName(namen[i]), i);
    ASSERT_EQ(reihenfolge(d), namen);
}

class FeldPositionen : public ::testing::Test {
protected:
    fleet::TDataModule1 &dm() { return *m.dm; }
    // The stored records of a TabKz as "FeldName=FeldPosNeu".
    QStringList gespeichert(const QString &tabKz)
    {
        dbe::TTable t(&m.session());
        t.SetDatabaseName(fleet::kAliasFuhrparkPriv);
        t.SetTableName("FeldPos.db");
        t.Open();
        QStringList zeilen;
        for (t.First(); !t.Eof(); t.Next()) {
            if (t.FieldByName("TabKz")->AsString() == tabKz)
                zeilen << t.FieldByName("FeldName")->AsString() + "=" +
                              t.FieldByName("FeldPosNeu")->AsString();
        }
        return zeilen;
    }

    detailtest::Mandant m;
};

TEST_F(FeldPositionen, StoredOrderComesBackForEveryPermutation)
{
    const QStringList eigene{"KfzNr", "Datum", "Reserve4", "Kosten", "Info", "Reserve1", "Reserve2"};
    const QStringList alphabetisch{"Datum", "Info", "KfzNr", "Kosten", "Reserve1", "Reserve2", "Reserve4"};
    QStringList umgekehrt = eigene;
    std::reverse(umgekehrt.begin(), umgekehrt.end());
    struct Fall {
        const char *name;
        QStringList start, gespeichert;
    };
    const Fall faelle[] = {
        // Names A < B < C < D shown as A, B, C, D and saved as D, C, A, B.
        {"D C A B", alphabetisch, {"Kosten", "KfzNr", "Datum", "Info", "Reserve1", "Reserve2", "Reserve4"}},
        {"reversed", eigene, umgekehrt},
        {"back to the table's own", umgekehrt, eigene},
        {"one field far forward",
         eigene,
         {"Reserve1", "Datum", "Reserve4", "Kosten", "Info", "KfzNr", "Reserve2"}},
        {"two swapped", eigene, {"KfzNr", "Info", "Datum", "Kosten", "Reserve4", "Reserve1", "Reserve2"}},
        {"unchanged", eigene, eigene},
    };
    dbe::TTable &historie = dm().TTblHistorie;
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        ordnen(historie, f.gespeichert);
        ASSERT_TRUE(FeldPositionenSpeichern("Histo"));
        ordnen(historie, f.start);
        ASSERT_TRUE(FeldPositionenLaden("Histo"));
        EXPECT_EQ(reihenfolge(historie), f.gespeichert);
    }
}

TEST_F(FeldPositionen, FirstSaveRecordsEveryFieldLaterSavesOnlyTheRecordedOnes)
{
    ASSERT_TRUE(gespeichert("Main").isEmpty());
    ASSERT_TRUE(FeldPositionenSpeichern("Main"));
    const QStringList main = gespeichert("Main");
    EXPECT_EQ(main.size(), dm().TTblMain.FieldCount());
    EXPECT_TRUE(main.contains("KfzNr=0"));
    EXPECT_TRUE(main.contains("KfzKW/PS=" + QString::number(dm().TTblMain.FieldByName("KfzKW/PS")->Index())));

    // A field without a record gets none when the others are updated.
    dbe::TTable &dispo = dm().TTblDispo;
    ASSERT_TRUE(FeldPositionenSpeichern("Dispo"));
    {
        dbe::TTable t(&m.session());
        t.SetDatabaseName(fleet::kAliasFuhrparkPriv);
        t.SetTableName("FeldPos.db");
        t.Open();
        ASSERT_TRUE(t.Locate("TabKz;FeldName", QVariantList{"Dispo", "Tour"}));
        t.Delete();
    }
    dispo.MoveField(dispo.FieldByName("Tour"), 0);
    dispo.MoveField(dispo.FieldByName("Bemerkung1"), 1);
    ASSERT_TRUE(FeldPositionenSpeichern("Dispo"));
    const QStringList gespeichertDispo = gespeichert("Dispo");
    EXPECT_EQ(gespeichertDispo.size(), dispo.FieldCount() - 1);
    EXPECT_TRUE(gespeichertDispo.filter(QRegularExpression("^Tour=")).isEmpty());
    EXPECT_TRUE(gespeichertDispo.contains("Bemerkung1=1"));
    EXPECT_TRUE(gespeichertDispo.contains("AngelegtVon=2"));
    EXPECT_EQ(gespeichert("Main"), main) << "other TabKz untouched";
}

TEST_F(FeldPositionen, NothingWhileTheScratchTableIsLentAndItIsResetAfterUse)
{
    dbe::TTable &var = dm().TTblVar;
    var.SetTableName("KfzStamm.db");
    var.Open();
    const QStringList vorher = reihenfolge(dm().TTblTouren);
    EXPECT_FALSE(FeldPositionenSpeichern("Touren"));
    EXPECT_FALSE(FeldPositionenLaden("Touren"));
    EXPECT_TRUE(var.Active()) << "the borrower keeps it";
    EXPECT_TRUE(gespeichert("Touren").isEmpty());
    var.Close();

    // The other scratch table may be lent meanwhile: it is left alone.
    dm().TTblVar1.SetTableName("KfzStamm.db");
    dm().TTblVar1.Open();
    EXPECT_TRUE(FeldPositionenSpeichern("Touren"));
    EXPECT_TRUE(FeldPositionenLaden("Touren"));
    EXPECT_TRUE(FeldPositionenLaden("Unbekannt"));
    EXPECT_EQ(reihenfolge(dm().TTblTouren), vorher);
    EXPECT_FALSE(var.Active());
    EXPECT_EQ(var.DatabaseName(), fleet::kAliasFuhrpark);
    EXPECT_TRUE(dm().TTblVar1.Active());
}

TEST_F(FeldPositionen, GridColumnIsSelectedByExactFieldName)
{
    ui::DBGrid &grid = *m.fenster->Grid("DBGridDispo");
    const auto auswaehlen = [&](const QString &name) {
        EXPECT_TRUE(fleet::GridSpalteWaehlen(grid, name));
        return m.fenster->gewaehlteSpalte("DBGridDispo");
    };
    kerntest::zeileAnfuegen(m.session(), fleet::kAliasFuhrpark, "KfzDispo.DB", {"Kfznr", "DatumVon"},
                            {"A-1", base::encodeDate(2024, 3, 4)});
    dm().TTblDispo.Refresh();
    EXPECT_EQ(auswaehlen("Tour"), "Tour");
    EXPECT_EQ(auswaehlen("UhrzeitVon"), "UhrzeitVon");
    // Names no column shows leave the selection where it is.
    EXPECT_EQ(auswaehlen("Kfznr"), "UhrzeitVon") << "hidden in the grid";
    EXPECT_EQ(auswaehlen("uhrzeitbis"), "UhrzeitVon");
    EXPECT_EQ(auswaehlen("GibtEsNicht"), "UhrzeitVon");
}

} // namespace
