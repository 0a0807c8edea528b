// Which vehicles are free in the dispatch page's visible period, and the
// order of the free-vehicles list.
#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "dbe/Field.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "kern_umgebung.h"
#include "logik/DispoFFDaten.h"
#include "regeln/DispoSicht.h"
#include "termin_umgebung.h"

using namespace fleet::dispo;
using base::encodeDate;

namespace {

void fahrzeug(termintest::TerminUmgebung &u, const QString &kfz, const QString &gruppe)
{
    kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzStamm.db",
                            {"KfzNr", "Info", "Gruppe", "Kostenstelle", "KfzHerstellerKz", "KfzMarke"},
                            {kfz, "Info " + kfz, gruppe, "Köln-Süd", "MB", "Sprinter"});
}

void buchung(termintest::TerminUmgebung &u, const QString &kfz, base::TDateTime von, base::TDateTime bis)
{
    kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzDispo.DB",
                            {"Kfznr", "DatumVon", "DatumBis", "DatumUhrzeitVon", "DatumUhrzeitBis"},
                            {kfz, von, bis, von + 0.25, bis + 0.75});
}

QStringList kennzeichen(const QList<QStringList> &zeilen)
{
    QStringList k;
    for (const QStringList &z : zeilen)
        k << z.first();
    return k;
}

class FreieFahrzeuge : public ::testing::Test {
protected:
    termintest::TerminUmgebung u;

    void SetUp() override
    {
        for (const char *kfz : {"B-FR 1", "B-FR 2", "B-FR 3", "B-FR 4", "B-FR 5", "B-FR 6", "AB-1", "ab-1"})
            fahrzeug(u, kfz, QString::fromLatin1(kfz).endsWith('1') ? "Kühlung" : "Stückgut");
        buchung(u, "B-FR 1", encodeDate(2024, 2, 1), encodeDate(2024, 2, 29));  // ends the day before March
        buchung(u, "B-FR 2", encodeDate(2024, 3, 31), encodeDate(2024, 4, 2));  // starts on its last day
        buchung(u, "B-FR 3", encodeDate(2024, 2, 28), encodeDate(2024, 3, 1));  // ends on its first day
        buchung(u, "B-FR 4", encodeDate(2024, 2, 15), encodeDate(2024, 4, 15)); // spans it
        buchung(u, "B-FR 6", encodeDate(2024, 1, 10), encodeDate(2024, 1, 12)); // two, both outside
        buchung(u, "B-FR 6", encodeDate(2024, 4, 5), encodeDate(2024, 4, 6));
        buchung(u, "ab-1", encodeDate(2024, 3, 10), encodeDate(2024, 3, 11)); // not "AB-1"
        u.dm().TTblMain.Refresh();
        u.dm().TTblDispo.Refresh();
    }

    // The dispatch table as the page's view leaves it; its master link to the
    // current vehicle stays, the scan must not take it over.
    void sicht(int modus, base::TDateTime von, base::TDateTime bis)
    {
        fleet::DispoSichtDaten s;
        s.modus = modus;
        s.von = von;
        s.bis = bis;
        s.jahr = "2024";
        s.monat = "März";
        dbe::TTable &dispo = u.dm().TTblDispo;
        dispo.SetFilter(fleet::DispoFilterText(s));
        dispo.SetFiltered(modus != 0);
    }
};

TEST_F(FreieFahrzeuge, ABookingInTheVisiblePeriodMakesItsVehicleBusy)
{
    struct Fall {
        const char *name;
        int modus;
        base::TDateTime von, bis;
        QStringList frei;
    };
    const Fall faelle[] = {
        {"month: edges and spanning count", 2, 0, 0, {"AB-1", "B-FR 1", "B-FR 5", "B-FR 6"}},
        {"period",
         1,
         encodeDate(2024, 3, 10),
         encodeDate(2024, 3, 20),
         {"AB-1", "B-FR 1", "B-FR 2", "B-FR 3", "B-FR 5", "B-FR 6"}},
        {"day", 3, encodeDate(2024, 3, 1), 0, {"AB-1", "B-FR 1", "B-FR 2", "B-FR 5", "B-FR 6", "ab-1"}},
        {"all bookings", 0, 0, 0, {"AB-1", "B-FR 5"}},
    };
    dbe::TTable &main = u.dm().TTblMain;
    main.Locate("KfzNr", QString("B-FR 4"));
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        sicht(f.modus, f.von, f.bis);
        int anfang = -1, schritte = 0;
        const FFErmittlung e = FahrzeugeErmitteln(main, u.dm().TTblDispo, u.dm().TTblVar1, kFFFreie,
                                                  {[&](int n) { anfang = n; }, [&] { ++schritte; }});
        EXPECT_EQ(e.stand, FFStand::Fertig);
        EXPECT_EQ(kennzeichen(e.zeilen), f.frei);
        EXPECT_EQ(anfang, 8);
        EXPECT_EQ(schritte, 8);
        EXPECT_FALSE(u.dm().TTblVar1.Active());
        EXPECT_FALSE(u.dm().TTblVar1.Filtered());
        EXPECT_EQ(main.FieldByName("KfzNr")->AsString(), "B-FR 4");
    }
}

TEST_F(FreieFahrzeuge, AllVehiclesModeMarksTheFreeOnesAndTheVehicleFilterLimitsTheList)
{
    sicht(2, 0, 0);
    dbe::TTable &main = u.dm().TTblMain;
    FFErmittlung e = FahrzeugeErmitteln(main, u.dm().TTblDispo, u.dm().TTblVar1, kFFAlle);
    ASSERT_EQ(e.zeilen.size(), 8);
    EXPECT_EQ(e.zeilen[0], QStringList({"AB-1", "Info AB-1", "Kühlung", "Köln-Süd", "MB", "Sprinter", "X"}));
    QStringList frei;
    for (const QStringList &z : e.zeilen)
        frei << z.first() + "=" + z[6];
    EXPECT_EQ(frei, QStringList({"AB-1=X", "B-FR 1=X", "B-FR 2= ", "B-FR 3= ", "B-FR 4= ", "B-FR 5=X",
                                 "B-FR 6=X", "ab-1= "}));

    // The vehicle filter: only the vehicles that pass it are listed.
    main.SetFilter("Gruppe = 'Kühlung'");
    main.SetFiltered(true);
    e = FahrzeugeErmitteln(main, u.dm().TTblDispo, u.dm().TTblVar1, kFFFreie);
    EXPECT_EQ(kennzeichen(e.zeilen), QStringList({"AB-1", "B-FR 1"}));
    e = FahrzeugeErmitteln(main, u.dm().TTblDispo, u.dm().TTblVar1, kFFAlle);
    EXPECT_EQ(kennzeichen(e.zeilen), QStringList({"AB-1", "B-FR 1", "ab-1"}));
}

TEST_F(FreieFahrzeuge, TheCopyTakesNeitherTheRecordFilterNorTheMasterLink)
{
    sicht(2, 0, 0);
    dbe::TTable &dispo = u.dm().TTblDispo;
    ASSERT_NE(dispo.MasterSource(), nullptr);
    dispo.OnFilterRecord = [](dbe::TDataSet &, bool &accept) { accept = false; };
    dispo.Refresh();
    const FFErmittlung e = FahrzeugeErmitteln(u.dm().TTblMain, dispo, u.dm().TTblVar1, kFFFreie);
    EXPECT_EQ(kennzeichen(e.zeilen), QStringList({"AB-1", "B-FR 1", "B-FR 5", "B-FR 6"}));
    EXPECT_FALSE(u.dm().TTblVar1.OnFilterRecord);
}

TEST_F(FreieFahrzeuge, ABusyScratchTableIsLeftAloneAndAFailedOpenGivesNoRows)
{
    dbe::TTable &kopie = u.dm().TTblVar1;
    kopie.SetTableName("KfzStamm.db");
    kopie.Open();
    FFErmittlung e = FahrzeugeErmitteln(u.dm().TTblMain, u.dm().TTblDispo, kopie, kFFFreie);
    EXPECT_EQ(e.stand, FFStand::Belegt);
    EXPECT_TRUE(e.zeilen.isEmpty());
    EXPECT_TRUE(kopie.Active());
    kopie.Close();

    // Bookings the copy cannot open.
    dbe::TTable fehlt(&u.session());
    fehlt.SetDatabaseName(fleet::kAliasFuhrpark);
    fehlt.SetTableName("KfzDispoFehlt.DB");
    e = FahrzeugeErmitteln(u.dm().TTblMain, fehlt, kopie, kFFAlle);
    EXPECT_EQ(e.stand, FFStand::NichtGeoeffnet);
    EXPECT_FALSE(e.fehler.isEmpty());
    EXPECT_TRUE(e.zeilen.isEmpty());
    EXPECT_FALSE(kopie.Active());
    EXPECT_FALSE(kopie.Filtered());
}

TEST(FreieFahrzeugeListe, SortsCaseInsensitivelyUnderGermanRulesWithTiesByTheWholeRow)
{
    const QList<QStringList> zeilen{
        {"M-3", "", "kühlung"}, {"M-1", "", "Kühlung"},  {"M-2", "", "Ausflug"},
        {"m-0", "", "KÜHLUNG"}, {"Ä-9", "", "Zentrale"}, {"A-8", "", "Ölwechsel"},
    };
    struct Fall {
        int spalte;
        QStringList reihenfolge;
    };
    const Fall faelle[] = {
        {2, {"M-2", "m-0", "M-1", "M-3", "A-8", "Ä-9"}},
        {0, {"A-8", "Ä-9", "m-0", "M-1", "M-2", "M-3"}},
        {1, {"A-8", "Ä-9", "m-0", "M-1", "M-2", "M-3"}}, // all equal: by the whole row
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.spalte);
        QList<QStringList> z = zeilen;
        FFSortieren(z, f.spalte);
        EXPECT_EQ(kennzeichen(z), f.reihenfolge);
    }
}

} // namespace
