// The tour dialog's texts and the tour sums, without windows.
#include <gtest/gtest.h>

#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "dbe/Field.h"
#include "dbe/Session.h"
#include "kern_umgebung.h"
#include "logik/TourDialogDaten.h"
#include "logik/TourSummen.h"
#include "termin_umgebung.h"

using base::encodeDate;
using fleet::TourDialogTexte;
using fleet::TTourZwischenablage;

namespace {

TTourZwischenablage kopierteTour()
{
    TTourZwischenablage a;
    a.Kfznr = "M-KV 100";
    a.Datum = encodeDate(2024, 3, 5);
    a.Tour = "Nord";
    a.FahrerName = "meier";
    a.Kostenstelle = "Vertrieb Süd";
    a.AbfahrtKm = 1000;
    a.AnkunftKm = 1250;
    a.GefahrenKm = 250;
    a.PalettenPlus = 4;
    a.PalettenMinus = 2;
    a.Ertrag = "1234,5";
    a.Bemerkungen = "Kühlware";
    return a;
}

TEST(TourDialog, LoadShowsTheClipboardAsTheDialogWantsIt)
{
    TTourZwischenablage a = kopierteTour();
    TourDialogTexte t = fleet::TourZwischenspeicherLaden(a);
    EXPECT_EQ(t.DatumVon, a.Datum);
    EXPECT_EQ(t.DatumBis, a.Datum) << "no end date: the picker shows the date";
    EXPECT_EQ(t.GefahrenKm, "250");
    EXPECT_EQ(t.Ertrag, "1234,50");
    EXPECT_TRUE(t.AbfahrtKm.isEmpty() && t.AnkunftKm.isEmpty() && t.PalettenPlus.isEmpty() &&
                t.PalettenMinus.isEmpty());
    EXPECT_EQ(t.FahrerName, "meier");
    EXPECT_EQ(t.Bemerkungen, "Kühlware");

    a.DatumBis = encodeDate(2024, 3, 7);
    a.GefahrenKm = 12.5;
    a.Ertrag = "kein Betrag";
    t = fleet::TourZwischenspeicherLaden(a);
    EXPECT_EQ(t.DatumBis, a.DatumBis);
    EXPECT_EQ(t.GefahrenKm, "12,5");
    EXPECT_TRUE(t.Ertrag.isEmpty());
}

TEST(TourDialog, StoreTakesOnlyWhatTheEditsHold)
{
    struct Fall {
        const char *name;
        std::function<void(TourDialogTexte &)> eingabe;
        std::function<void(const TTourZwischenablage &)> pruefen;
    };
    const std::vector<Fall> faelle{
        {"pallets 12 stored", [](TourDialogTexte &t) { t.PalettenPlus = "12"; },
         [](const TTourZwischenablage &a) { EXPECT_EQ(a.PalettenPlus, 12); }},
        {"pallets 1,5 keep the clipboard's", [](TourDialogTexte &t) { t.PalettenMinus = "1,5"; },
         [](const TTourZwischenablage &a) { EXPECT_EQ(a.PalettenMinus, 2); }},
        {"empty driven km keep the copied", [](TourDialogTexte &t) { t.GefahrenKm.clear(); },
         [](const TTourZwischenablage &a) { EXPECT_EQ(a.GefahrenKm, 250); }},
        {"typed readings go in",
         [](TourDialogTexte &t) {
             t.AbfahrtKm = "2000";
             t.AnkunftKm = "2100,5";
         },
         [](const TTourZwischenablage &a) {
             EXPECT_EQ(a.AbfahrtKm, 2000);
             EXPECT_EQ(a.AnkunftKm, 2100.5);
         }},
        {"empty readings keep the copied", [](TourDialogTexte &) {},
         [](const TTourZwischenablage &a) {
             EXPECT_EQ(a.AbfahrtKm, 1000);
             EXPECT_EQ(a.AnkunftKm, 1250);
         }},
        {"empty revenue keeps the copied", [](TourDialogTexte &t) { t.Ertrag.clear(); },
         [](const TTourZwischenablage &a) { EXPECT_EQ(a.Ertrag, "1234,5"); }},
        {"texts go in also when empty",
         [](TourDialogTexte &t) {
             t.Tour.clear();
             t.FahrerName.clear();
         },
         [](const TTourZwischenablage &a) {
             EXPECT_TRUE(a.Tour.isEmpty());
             EXPECT_TRUE(a.FahrerName.isEmpty());
         }},
        {"the 'bis' date goes in when set", [](TourDialogTexte &t) { t.DatumBis = encodeDate(2024, 3, 9); },
         [](const TTourZwischenablage &a) { EXPECT_EQ(a.DatumBis, encodeDate(2024, 3, 9)); }},
        {"no 'bis' date leaves the clipboard's", [](TourDialogTexte &t) { t.DatumBis = 0; },
         [](const TTourZwischenablage &a) { EXPECT_EQ(a.DatumBis, 0); }},
    };
    for (const Fall &f : faelle) {
        SCOPED_TRACE(f.name);
        TTourZwischenablage a = kopierteTour();
        TourDialogTexte t = fleet::TourZwischenspeicherLaden(a);
        f.eingabe(t);
        fleet::TourZwischenspeicherSchreiben(t, a);
        f.pruefen(a);
    }
}

TEST(TourDialog, ClipboardCheckCodes)
{
    const TTourZwischenablage vorher = fleet::TourZwischenablage;
    struct Fall {
        base::TDateTime datum;
        double km;
        int code;
    } faelle[] = {{encodeDate(2024, 1, 2), 10, 0}, {0, 10, 1}, {encodeDate(2024, 1, 2), 0, 2}, {0, 0, 3}};
    for (const Fall &f : faelle) {
        fleet::TourZwischenablage.Datum = f.datum;
        fleet::TourZwischenablage.GefahrenKm = f.km;
        int code = -1;
        EXPECT_EQ(fleet::TourZwischenablagePruefen(code), f.code == 0);
        EXPECT_EQ(code, f.code);
    }
    fleet::TourZwischenablage = vorher;
}

TEST(TourDialog, DriverListFromTheDriverTable)
{
    termintest::TerminUmgebung u;
    for (const char *name : {"Schulz", "Meier", "Özdemir"})
        kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzFahrer.DB", {"Name"},
                                {QString::fromUtf8(name)});
    const QStringList liste = fleet::TourFahrerListe(&u.session());
    EXPECT_EQ(liste, QStringList({"", "Meier", "Schulz", "Özdemir"}));
    EXPECT_EQ(fleet::TourFahrerIndex(liste, "meier"), 1);
    EXPECT_EQ(fleet::TourFahrerIndex(liste, "Weber"), -1);
    EXPECT_FALSE(u.dm().TTblVar.Active());
}

// Tours and vehicles in a fresh home; the tour table detached from the
// current vehicle as the evaluation sees it.
class TourSummenTest : public ::testing::Test {
protected:
    termintest::TerminUmgebung u;

    void SetUp() override
    {
        u.dm().TTblTouren.SetMasterSource(nullptr);
        u.dm().TTblTouren.SetMasterFields({});
    }
    void fahrzeug(const QString &nr, double satz)
    {
        kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr", "FreifeldWae1"},
                                {nr, satz});
    }
    void tour(const QString &nr, int tag, double km, const QVariant &ertrag = QVariant())
    {
        kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzTour.db",
                                {"KfzNr", "Datum", "Tour", "GefahrenKm", "Ertrag"},
                                {nr, encodeDate(2024, 3, tag), QStringLiteral("T%1").arg(tag), km, ertrag});
    }
    fleet::TourSummen alle(fleet::KmSatzQuelle *saetze)
    {
        dbe::TTable &t = u.dm().TTblTouren;
        t.Refresh();
        fleet::TourSummierer s(saetze);
        fleet::TourSummenAlle(t, s, {});
        return s.Summen();
    }
};

// Counts the rate look-ups and fails for one vehicle.
class ZaehlendeSaetze : public fleet::KmSatzQuelle {
public:
    explicit ZaehlendeSaetze(fleet::KmSatzQuelle &echt) : echt_(echt) {}
    QStringList gelesen;
    QString fehlerBei;
    std::optional<double> KmSatz(const QString &kfz) override
    {
        gelesen << kfz;
        if (kfz == fehlerBei)
            throw std::runtime_error("Lesefehler");
        return echt_.KmSatz(kfz);
    }

private:
    fleet::KmSatzQuelle &echt_;
};

TEST_F(TourSummenTest, SumsAllToursWithOneRateLookUpPerVehicle)
{
    fahrzeug("A-1", 0.35);
    fahrzeug("B-2", 1.5);
    tour("A-1", 1, 100, 1000.5);
    tour("A-1", 2, 200, 250);
    tour("B-2", 3, 10);
    fleet::KfzStammKmSaetze stamm(&u.session());
    ZaehlendeSaetze saetze(stamm);
    const fleet::TourSummen s = alle(&saetze);
    EXPECT_EQ(s.Anzahl, 3);
    EXPECT_DOUBLE_EQ(s.Km, 310);
    EXPECT_DOUBLE_EQ(s.Ertrag, 1250.5);
    EXPECT_NEAR(s.Kosten, 105 + 15, 1e-9);
    EXPECT_FALSE(s.KostenNichtVerfuegbar);
    EXPECT_EQ(saetze.gelesen, QStringList({"A-1", "B-2"}));
}

TEST_F(TourSummenTest, ATourOfADeletedVehicleCostsNothingAndKeepsTheOthers)
{
    fahrzeug("A-1", 0.35);
    fahrzeug("C-3", 2);
    tour("A-1", 1, 100);
    tour("B-2", 2, 500); // vehicle gone from the master
    tour("B-2", 3, 500);
    tour("C-3", 4, 10);
    fleet::KfzStammKmSaetze stamm(&u.session());
    const fleet::TourSummen s = alle(&stamm);
    EXPECT_EQ(s.Anzahl, 4);
    EXPECT_DOUBLE_EQ(s.Km, 1110);
    EXPECT_NEAR(s.Kosten, 35 + 20, 1e-9);
}

TEST_F(TourSummenTest, UnreadableRatesGiveNotAvailableAndTheOtherSums)
{
    fahrzeug("A-1", 0.35);
    fahrzeug("B-2", 1);
    tour("A-1", 1, 100, 10);
    tour("B-2", 2, 200, 20);
    fleet::KfzStammKmSaetze stamm(&u.session());
    ZaehlendeSaetze saetze(stamm);
    saetze.fehlerBei = "B-2";
    fleet::TourSummen s = alle(&saetze);
    EXPECT_TRUE(s.KostenNichtVerfuegbar);
    EXPECT_EQ(s.Anzahl, 2);
    EXPECT_DOUBLE_EQ(s.Km, 300);
    EXPECT_DOUBLE_EQ(s.Ertrag, 30);

    s = alle(nullptr); // the master could not be opened
    EXPECT_TRUE(s.KostenNichtVerfuegbar);
    EXPECT_DOUBLE_EQ(s.Km, 300);
}

TEST_F(TourSummenTest, AVehicleMasterHeldExclusivelyElsewhereCannotGiveRates)
{
    u.dm().TTblMain.Close();
    kerntest::ZweiterArbeitsplatz anderer("exklusiv", fleet::kAliasFuhrpark, "KfzStamm.db");
    ASSERT_TRUE(anderer.bereit());
    EXPECT_ANY_THROW(fleet::KfzStammKmSaetze{&u.session()});
}

TEST_F(TourSummenTest, TheWalkReturnsToTheCurrentTourAndTheMarkedWalkStopsAtAGoneMark)
{
    fahrzeug("A-1", 1);
    for (int tag = 1; tag <= 4; ++tag)
        tour("A-1", tag, tag * 10);
    dbe::TTable &t = u.dm().TTblTouren;
    t.Refresh();
    t.Locate("Tour", "T3");
    fleet::KfzStammKmSaetze stamm(&u.session());
    fleet::TourSummierer alle(&stamm);
    fleet::TourSummenAlle(t, alle, {});
    EXPECT_EQ(t.FieldByName("Tour")->AsString(), "T3");

    // Marks on T2 and T4, then a third that is gone.
    fleet::TourSummierer markiert(&stamm);
    int schritte = 0;
    fleet::TourSummenMarkiert(
        t, 3,
        [&t](int i) {
            if (i == 2)
                throw std::runtime_error("Datensatz nicht gefunden");
            t.Locate("Tour", i == 0 ? "T2" : "T4");
        },
        markiert, [&schritte] { ++schritte; });
    EXPECT_EQ(markiert.Summen().Anzahl, 2);
    EXPECT_DOUBLE_EQ(markiert.Summen().Kosten, 60);
    EXPECT_EQ(schritte, 3);
    EXPECT_EQ(t.FieldByName("Tour")->AsString(), "T4");
}

} // namespace
