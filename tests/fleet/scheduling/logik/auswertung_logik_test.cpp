// The fleet evaluations over the data module's tables, without windows.
#include <functional>
#include <tuple>

#include <gtest/gtest.h>

#include "base/GermanFormat.h"
#include "daten/Aliase.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Errors.h"
#include "dbe/Field.h"
#include "dbe/Session.h"
#include "kern_umgebung.h"
#include "logik/Fahrzeugvergleich.h"
#include "logik/FuhrparkKosten.h"
#include "logik/MonatsauswertungAlle.h"
#include "regeln/MonatsSummen.h"
#include "regeln/Monatsauswertung.h"
#include "regeln/fenster_attrappe.h"
#include "termin_umgebung.h"

namespace {

// A small fleet: vehicles with monthly evaluation rows.
class AuswertungTest : public ::testing::Test {
protected:
    termintest::TerminUmgebung u;

    void fahrzeug(const QString &nr, const QString &info = QString())
    {
        kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzStamm.db",
                                {"KfzNr", "Info", "KfzHerstellerKz", "KfzMarke"},
                                {nr, info, "MB", "Sprinter"});
        u.dm().TTblMain.Refresh();
    }
    void monat(const QString &nr, const QString &jahr, int monat, double km, double kosten, double liter)
    {
        kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzMonat.DB",
                                {"KfzNr", "AuswJahr", "AuswMonatNum", "AuswMonatText", "GefKilometer",
                                 "GesamtKosten", "VerbrauchLiter"},
                                {nr, jahr, monat, base::de::monthName(monat), km, kosten, liter});
    }
    // Every field of every row of a result table, as text.
    static QStringList alleFelder(dbe::TTable &t)
    {
        QStringList zeilen;
        for (t.First(); !t.Eof(); t.Next()) {
            QStringList z;
            for (int i = 0; i < t.FieldCount(); ++i) {
                const QVariant v = t.Fields(i)->Value();
                z << (v.typeId() == QMetaType::Double ? QString::number(v.toDouble(), 'g', 17)
                                                      : v.toString());
            }
            zeilen << z.join(";");
        }
        return zeilen;
    }
    QStringList vergleichsZeilen()
    {
        QStringList z;
        dbe::TTable &t = u.dm().TTblAlleFahrzeuge;
        for (t.First(); !t.Eof(); t.Next())
            z << t.FieldByName("KfzNr")->AsString() + ":" + t.FieldByName("DGefKilometer")->AsString() + ":" +
                     t.FieldByName("DGesamtKosten")->AsString() + ":" +
                     t.FieldByName("DVerbrauchLiterPro100Km")->AsString();
        return z;
    }
};

TEST_F(AuswertungTest, ComparisonAveragesPerMonthlyRowAndZerosWithoutRows)
{
    fahrzeug("A-1");
    fahrzeug("B-2");
    fahrzeug("C-3");
    monat("B-2", "2024", 1, 1000, 900, 80);
    monat("B-2", "2024", 2, 500, 600, 45);
    monat("C-3", "2024", 1, 100, 2000, 10);
    u.dm().TTblMain.Locate("KfzNr", "C-3");
    ASSERT_TRUE(fleet::FahrzeugvergleichBerechnen(u.dm()));
    const QStringList z = vergleichsZeilen();
    ASSERT_EQ(z.size(), 3);
    EXPECT_EQ(z[0], "A-1:0:0:0");
    EXPECT_TRUE(z[1].startsWith("B-2:750:750:8,333")) << z[1].toStdString();
    EXPECT_EQ(u.dm().TTblMain.FieldByName("KfzNr")->AsString(), "C-3") << "back on its vehicle";

    // Sorted by the average total cost, smallest first; the next run keeps the order.
    u.dm().TTblAlleFahrzeuge.SetIndexFieldNames(fleet::VergleichSortierungen()[2].indexFelder);
    ASSERT_TRUE(fleet::FahrzeugvergleichBerechnen(u.dm()));
    QStringList reihenfolge;
    for (const QString &zeile : vergleichsZeilen())
        reihenfolge << zeile.section(':', 0, 0);
    EXPECT_EQ(reihenfolge, QStringList({"A-1", "B-2", "C-3"}));
    EXPECT_EQ(fleet::VergleichSortierungen()[3].text, "Gesamtkostem/Km.");
}

TEST_F(AuswertungTest, ComparisonFollowsTheMonthlyTablesFilterAndTheVehicleFilter)
{
    fahrzeug("A-1", "Kühlung");
    fahrzeug("B-2", "Pritsche");
    monat("A-1", "2023", 1, 300, 100, 30);
    monat("A-1", "2024", 1, 100, 100, 10);
    monat("B-2", "2024", 1, 200, 100, 20);
    u.dm().TTblMonatKosten.SetFilter("AuswJahr = '2024'");
    u.dm().TTblMonatKosten.SetFiltered(true);
    u.dm().TTblMain.SetFilter("Info = 'Kühlung'");
    u.dm().TTblMain.SetFiltered(true);
    ASSERT_TRUE(fleet::FahrzeugvergleichBerechnen(u.dm()));
    EXPECT_EQ(vergleichsZeilen(), QStringList({"A-1:100:100:10"}));
}

TEST_F(AuswertungTest, ComparisonWritesNothingWhenTheOldRowsCannotBeRemoved)
{
    fahrzeug("A-1");
    ASSERT_TRUE(fleet::FahrzeugvergleichBerechnen(u.dm()));
    fahrzeug("B-2");
    u.dm().TTblAlleFahrzeuge.Close();
    kerntest::ZweiterArbeitsplatz anderer("offen", fleet::kAliasFuhrparkPriv, "KfzVergl.db");
    ASSERT_TRUE(anderer.bereit());
    EXPECT_FALSE(fleet::FahrzeugvergleichBerechnen(u.dm()));
    EXPECT_FALSE(u.dm().TTblAlleFahrzeuge.Active());
    EXPECT_EQ(
        kerntest::ZweiterArbeitsplatz::einmal("zaehlen", fleet::kAliasFuhrparkPriv, "KfzVergl.db").trimmed(),
        "1");
}

TEST_F(AuswertungTest, FleetCostPeriodsFilterTheMonthlyRows)
{
    using fleet::FuhrparkZeitraum;
    EXPECT_EQ(fleet::FuhrparkZeitraumFilter(FuhrparkZeitraum::Alle, "2005", "März"), "");
    EXPECT_EQ(fleet::FuhrparkZeitraumFilter(FuhrparkZeitraum::Jahr, "2005", "März"), "AuswJahr = 2005");
    EXPECT_EQ(fleet::FuhrparkZeitraumFilter(FuhrparkZeitraum::Monat, "2005", "März"),
              "(AuswJahr = '2005') and (AuswMonatText = 'März')");
    EXPECT_EQ(fleet::AuswertungszeitraumText("", ""), "Auswertungszeitraum: Alle Daten");
    EXPECT_EQ(fleet::AuswertungszeitraumText("", "2005"), "Auswertungszeitraum: Jahr 2005");
    EXPECT_EQ(fleet::AuswertungszeitraumText("März", "2005"), "Auswertungszeitraum: Monat März 2005");
    EXPECT_DOUBLE_EQ(fleet::SchadstoffKg(150, 1234), 185.1);

    fahrzeug("A-1");
    fahrzeug("B-2");
    monat("A-1", "2004", 3, 5000, 5000, 500);
    monat("A-1", "2005", 3, 1234, 1500.5, 100);
    monat("A-1", "2005", 4, 1000, 1000, 90);
    {
        dbe::TTable t(&u.session());
        t.SetDatabaseName(fleet::kAliasFuhrpark);
        t.SetTableName("KfzStamm.db");
        t.Open();
        ASSERT_TRUE(t.Locate("KfzNr", "A-1"));
        t.Edit();
        t.FieldByName("Schadstoff")->SetAsFloat(150);
        t.Post();
        u.dm().TTblMain.Refresh();
    }
    struct Fall {
        FuhrparkZeitraum zeitraum;
        const char *km;
        const char *kosten;
    } faelle[] = {{FuhrparkZeitraum::Alle, "7234", "7500,5"},
                  {FuhrparkZeitraum::Jahr, "2234", "2500,5"},
                  {FuhrparkZeitraum::Monat, "1234", "1500,5"}};
    for (const Fall &f : faelle) {
        fleet::TFuhrparkSummen s;
        fleet::FuhrparkKostenBerechnen(u.dm(), fleet::FuhrparkZeitraumFilter(f.zeitraum, "2005", "März"), s);
        EXPECT_EQ(base::de::formatGeneral(s.Km.toDouble()), f.km);
        EXPECT_EQ(base::de::formatGeneral(s.Gesamt.toDouble()), f.kosten);
        EXPECT_EQ(s.Fix, s.Gesamt) << "no variable costs in these rows";
    }
    dbe::TTable &e = u.dm().TTblFuhrparkKosten;
    ASSERT_EQ(e.RecordCount(), 2);
    e.First();
    EXPECT_EQ(e.FieldByName("KfzNr")->AsString(), "A-1");
    EXPECT_DOUBLE_EQ(e.FieldByName("Schadstoff")->AsFloat(), 185.1);
    e.Next();
    EXPECT_EQ(e.FieldByName("KfzNr")->AsString(), "B-2");
    EXPECT_EQ(e.FieldByName("GesamtKosten")->AsFloat(), 0.0);
    EXPECT_EQ(e.FieldByName("GefKilometer")->AsFloat(), 0.0);
}

TEST_F(AuswertungTest, FleetCostsLeaveTheMonthlyFilterAsItWasAlsoOnFailure)
{
    fahrzeug("A-1");
    fahrzeug("B-2");
    fahrzeug("C-3");
    monat("A-1", "2005", 3, 100, 100, 10);
    monat("C-3", "2005", 3, 100, 100, 10);
    dbe::TTable &monate = u.dm().TTblMonatKosten;
    monate.SetFilter("AuswJahr = '2004'");
    monate.SetFiltered(true);
    u.dm().TTblMain.Locate("KfzNr", "C-3");
    fleet::TFuhrparkSummen s;
    fleet::FuhrparkKostenBerechnen(u.dm(), "AuswJahr = 2005", s);
    EXPECT_EQ(monate.Filter(), "AuswJahr = '2004'");
    EXPECT_TRUE(monate.Filtered());

    u.dm().TTblFuhrparkKosten.BeforePost = [](dbe::TDataSet &t) {
        if (t.FieldByName("KfzNr")->AsString() == "B-2")
            throw dbe::EDatabaseError("Schreibfehler");
    };
    monate.SetFiltered(false);
    EXPECT_THROW(fleet::FuhrparkKostenBerechnen(u.dm(), "AuswJahr = 2005", s), dbe::EDatabaseError);
    u.dm().TTblFuhrparkKosten.BeforePost = nullptr;
    EXPECT_EQ(monate.Filter(), "AuswJahr = '2004'");
    EXPECT_FALSE(monate.Filtered());
    EXPECT_EQ(s.Km.toDouble(), 100) << "the totals reached before the failure";
    EXPECT_EQ(u.dm().TTblMain.FieldByName("KfzNr")->AsString(), "C-3");
    EXPECT_TRUE(u.dm().TTblFuhrparkKosten.Active());
}

// The fleet costs and the comparison read every vehicle's monthly rows at once
// where the monthly table has no record filter; the figures are those of the
// walk over each vehicle's rows, field by field, for every period.
TEST_F(AuswertungTest, FleetCostsAndComparisonReadAtOnceGiveWhatTheWalkGives)
{
    for (const char *nr : {"A-1", "B-2", "C-3", "D-4"})
        fahrzeug(nr, QStringLiteral("Info ") + nr);
    // Sums whose order and rounding matter: thirds, a cent split, large and small.
    monat("A-1", "2004", 3, 5000.125, 1000.0 / 3, 500.5);
    monat("A-1", "2005", 3, 1234.5, 1500.555, 100.25);
    monat("A-1", "2005", 4, 0.1, 0.0001, 0.3);
    monat("A-1", "2005", 5, 0.2, 2000.0 / 3, 0.7);
    monat("C-3", "2005", 3, 333.333, 0.005, 12.345);
    monat("C-3", "2005", 12, 1e6, 99999.99, 0.01);
    monat("D-4", "2006", 3, 10, 10, 1);
    monat("X-9", "2005", 3, 777, 777, 77); // no such vehicle: counts nowhere
    kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzStamm.db",
                            {"KfzNr", "Info", "Gruppe", "Kostenstelle", "Schadstoff"},
                            {"E-5", "Info E-5", "Gruppe 1", "4711", 151.5});
    kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzMonat.DB",
                            {"KfzNr", "AuswJahr", "AuswMonatNum", "AuswMonatText", "GefKilometer",
                             "ReparaturKosten", "PflegeKosten", "Ertrag"},
                            {"E-5", "2005", 3, "März", 1234.5, 0.015, 12.5, 300.333});
    u.dm().TTblMain.Refresh();
    u.dm().TTblMain.Locate("KfzNr", "B-2");
    u.dm().TTblMonatKosten.Refresh();

    dbe::TTable &monate = u.dm().TTblMonatKosten;
    const auto einmalUndGewandert = [&](const std::function<void()> &lauf, dbe::TTable &ergebnis) {
        monate.SetFiltered(false);
        lauf();
        const QStringList aufEinmal = alleFelder(ergebnis);
        // A record filter letting every row through cannot be read by a statement: the walk.
        monate.OnFilterRecord = [](dbe::TDataSet &, bool &accept) { accept = true; };
        monate.SetFiltered(true);
        lauf();
        monate.SetFiltered(false);
        monate.OnFilterRecord = nullptr;
        return std::make_pair(aufEinmal, alleFelder(ergebnis));
    };
    using fleet::FuhrparkZeitraum;
    for (const auto &[zeitraum, jahr, monatText] :
         std::vector<std::tuple<FuhrparkZeitraum, QString, QString>>{
             {FuhrparkZeitraum::Alle, "", ""},
             {FuhrparkZeitraum::Jahr, "2005", ""},
             {FuhrparkZeitraum::Monat, "2005", "März"},
             {FuhrparkZeitraum::Jahr, "1999", ""}}) {
        fleet::TFuhrparkSummen einmal, gewandert;
        bool erster = true;
        const auto [aufEinmal, walk] = einmalUndGewandert(
            [&] {
                fleet::FuhrparkKostenBerechnen(u.dm(),
                                               fleet::FuhrparkZeitraumFilter(zeitraum, jahr, monatText),
                                               erster ? einmal : gewandert);
                erster = false;
            },
            u.dm().TTblFuhrparkKosten);
        const QString fall = fleet::FuhrparkZeitraumFilter(zeitraum, jahr, monatText);
        ASSERT_EQ(aufEinmal.size(), 5) << fall.toStdString();
        EXPECT_EQ(aufEinmal, walk) << fall.toStdString();
        const auto summen = [](const fleet::TFuhrparkSummen &s) {
            return std::vector<double>{
                s.Gesamt.toDouble(), s.Var.toDouble(), s.Fix.toDouble(),    s.Reparatur.toDouble(),
                s.Pflege.toDouble(), s.Km.toDouble(),  s.Ertrag.toDouble(), s.Liter,
                s.Schadstoff};
        };
        EXPECT_EQ(summen(einmal), summen(gewandert)) << fall.toStdString();
        if (zeitraum == FuhrparkZeitraum::Monat) {
            EXPECT_DOUBLE_EQ(einmal.Km.toDouble(), 2802.333) << "X-9 and other months left out";
            EXPECT_DOUBLE_EQ(einmal.Schadstoff, 187.027) << "151.5 g/km over E-5's 1234.5 km";
        }
    }
    EXPECT_EQ(u.dm().TTblMain.FieldByName("KfzNr")->AsString(), "B-2");

    const auto [aufEinmal, walk] = einmalUndGewandert(
        [&] { ASSERT_TRUE(fleet::FahrzeugvergleichBerechnen(u.dm())); }, u.dm().TTblAlleFahrzeuge);
    ASSERT_EQ(aufEinmal.size(), 5);
    EXPECT_EQ(aufEinmal, walk);
    EXPECT_TRUE(aufEinmal[0].startsWith("A-1;Info A-1;")) << aufEinmal[0].toStdString();
    EXPECT_EQ(u.dm().TTblMain.FieldByName("KfzNr")->AsString(), "B-2");
}

// Every evaluation walks the vehicles with only the details it reads following;
// the others stay put during the walk and follow the vehicle again afterwards,
// also when the walk fails. The result rows are committed when the run ends,
// those posted before a failure as well.
TEST_F(AuswertungTest, DetailsNotReadStayPutDuringTheWalkAndFollowAgain)
{
    for (const char *nr : {"A-1", "B-2", "C-3", "D-4", "E-5", "F-6", "G-7", "H-8"}) {
        fahrzeug(nr);
        kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzReif.db", {"KfzNr"}, {nr});
        monat(nr, "2024", 3, 100, 100, 10);
    }
    dbe::TTable &reifen = u.dm().TTblReifen;
    reifen.Refresh();
    u.dm().TTblMain.Locate("KfzNr", "C-3");
    int bewegt = 0;
    reifen.AfterScroll = [&bewegt](dbe::TDataSet &) { ++bewegt; };
    dbe::TTable monatErgebnis(&u.session());
    monatErgebnis.SetDatabaseName(fleet::kAliasFuhrparkPriv);
    monatErgebnis.SetTableName("MoAusPrv.DB");
    fleet::TFuhrparkSummen s;
    const struct {
        const char *name;
        std::function<void()> lauf;
    } laeufe[] = {
        {"Vergleich", [&] { ASSERT_TRUE(fleet::FahrzeugvergleichBerechnen(u.dm())); }},
        {"Fuhrparkkosten", [&] { fleet::FuhrparkKostenBerechnen(u.dm(), "AuswJahr = 2024", s); }},
        {"Monat alle",
         [&] { ASSERT_TRUE(fleet::MonatsauswertungAlleBerechnen(u.dm(), monatErgebnis, 2024, 3, "März")); }},
    };
    for (const auto &l : laeufe) {
        bewegt = 0;
        l.lauf();
        EXPECT_LE(bewegt, 2) << l.name << ": unlinked and linked again, no move per vehicle";
        EXPECT_EQ(reifen.MasterSource(), &u.dm().TDataSrcMain) << l.name;
        EXPECT_FALSE(reifen.ControlsDisabled()) << l.name;
        EXPECT_EQ(reifen.RecordCount(), 1) << l.name;
        EXPECT_EQ(reifen.FieldByName("KfzNr")->AsString(), "C-3") << l.name;
    }
    EXPECT_EQ(u.dm().TTblAlleFahrzeuge.RecordCount(), 8);
    EXPECT_EQ(u.dm().TTblFuhrparkKosten.RecordCount(), 8);
    EXPECT_EQ(monatErgebnis.RecordCount(), 8);
    EXPECT_EQ(s.Km.toDouble(), 800);

    u.dm().TTblFuhrparkKosten.BeforePost = [](dbe::TDataSet &t) {
        if (t.FieldByName("KfzNr")->AsString() == "E-5")
            throw dbe::EDatabaseError("Schreibfehler");
    };
    EXPECT_THROW(fleet::FuhrparkKostenBerechnen(u.dm(), "AuswJahr = 2024", s), dbe::EDatabaseError);
    u.dm().TTblFuhrparkKosten.BeforePost = nullptr;
    EXPECT_EQ(reifen.MasterSource(), &u.dm().TDataSrcMain);
    EXPECT_FALSE(reifen.ControlsDisabled());
    EXPECT_EQ(reifen.FieldByName("KfzNr")->AsString(), "C-3");
    EXPECT_FALSE(u.session().InTransaction(fleet::kAliasFuhrparkPriv));
    EXPECT_EQ(
        kerntest::ZweiterArbeitsplatz::einmal("zaehlen", fleet::kAliasFuhrparkPriv, "KfzFuKst.db").trimmed(),
        "4")
        << "the rows before the failure, seen by another workstation";
}

// Cost records with odometer readings: February 10.000 km, March 10.500 and
// 11.200 km with a repair; B-2 has none.
class MonatAlleTest : public AuswertungTest {
protected:
    dbe::TTable ergebnis{&u.session()};

    void SetUp() override
    {
        fahrzeug("A-1");
        fahrzeug("B-2");
        fahrzeug("C-3");
        kosten("A-1", base::encodeDate(2024, 2, 15), 10000, 0);
        kosten("A-1", base::encodeDate(2024, 3, 10), 10500, 250.75);
        kosten("A-1", base::encodeDate(2024, 3, 20), 11200, 0);
        kosten("C-3", base::encodeDate(2024, 3, 5), 0, 99);
        u.dm().TTblVarKosten.Refresh();
        ergebnis.SetDatabaseName(fleet::kAliasFuhrparkPriv);
        ergebnis.SetTableName("MoAusPrv.DB");
    }
    void kosten(const QString &nr, base::TDateTime datum, double km, double reparatur)
    {
        static int beleg = 0;
        kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzVar.db",
                                {"KfzNr", "BelegDatum", "BelegNummer", "Mwst", "ReparaturKosten"},
                                {nr, datum, QString::number(++beleg), km, reparatur});
    }
    QStringList ergebnisZeilen() { return alleFelder(ergebnis); }
    QStringList gespeichert()
    {
        dbe::TTable t(&u.session());
        t.SetDatabaseName(fleet::kAliasFuhrpark);
        t.SetTableName("KfzMonat.DB");
        t.Open();
        QStringList z;
        for (t.First(); !t.Eof(); t.Next())
            z << t.FieldByName("KfzNr")->AsString() + ":" + t.FieldByName("AuswMonatText")->AsString() + ":" +
                     t.FieldByName("GefKilometer")->AsString();
        return z;
    }
};

TEST_F(MonatAlleTest, OneRowPerVehicleWithTotalsAndTheRowsWithoutValues)
{
    u.dm().TTblMain.Locate("KfzNr", "B-2");
    ASSERT_TRUE(fleet::MonatsauswertungAlleBerechnen(u.dm(), ergebnis, 2024, 3, "März"));
    ASSERT_EQ(ergebnis.RecordCount(), 3);
    EXPECT_EQ(u.dm().TTblMain.FieldByName("KfzNr")->AsString(), "B-2");
    EXPECT_EQ(fleet::MonatsauswertungErgebnis.KfzNr, "C-3") << "the last run is the shared result";
    ergebnis.First();
    EXPECT_EQ(ergebnis.FieldByName("KfzNr")->AsString(), "A-1");
    EXPECT_EQ(ergebnis.FieldByName("AuswJahr")->AsString(), "2024");
    EXPECT_EQ(ergebnis.FieldByName("AuswMonatText")->AsString(), "März");
    EXPECT_EQ(ergebnis.FieldByName("GefKilometer")->AsFloat(), 1200);
    EXPECT_EQ(ergebnis.FieldByName("GesamtVarKosten")->AsFloat(), 250.75);
    const fleet::TMonatsAlleSummen s = fleet::MonatsAlleSummenBerechnen(ergebnis);
    EXPECT_EQ(s.Km, 1200);
    EXPECT_EQ(s.Var.toDouble(), 250.75 + 99);
    EXPECT_EQ(ergebnis.FieldByName("KfzNr")->AsString(), "A-1") << "the totals end on the first row";

    EXPECT_FALSE(fleet::MonatsZeileOhneWerte(1200, base::Currency::fromDouble(250.75)));
    EXPECT_TRUE(fleet::MonatsZeileOhneWerte(0.4, base::Currency::fromDouble(250.75)));
    EXPECT_TRUE(fleet::MonatsZeileOhneWerte(1200, base::Currency()));
}

// The vehicle table's rules (the main window's monthly sums and pages) do not
// run for the vehicles evaluated, with the costs read for all vehicles at once
// or, under a filter of the cost view, walked vehicle by vehicle; afterwards
// the monthly sums are the current vehicle's.
TEST_F(MonatAlleTest, TheMainWindowsMonthlySumsStayUnrunDuringTheRunAndAreRightAfter)
{
    monat("A-1", "2024", 1, 1000, 900, 80);
    monat("B-2", "2024", 1, 200, 300, 20);
    monat("B-2", "2024", 2, 250, 350, 25);
    monat("C-3", "2024", 2, 7000, 5000, 600);
    dbe::TTable &main = u.dm().TTblMain;
    main.Locate("KfzNr", "B-2");
    dbe::TTable &var = u.dm().TTblVarKosten;
    // Read at once, the vehicle table does not move and the sums stay the
    // current vehicle's; walked, the rules run once at the end, for it.
    const struct {
        const char *fall;
        bool gefiltert;
        double kmDanach;
    } faelle[] = {{"costs read at once", false, -1}, {"filtered cost view", true, 450}};
    for (const auto &f : faelle) {
        var.OnFilterRecord = [](dbe::TDataSet &, bool &accept) { accept = true; };
        var.SetFiltered(f.gefiltert);
        fleettest::FensterAttrappe fenster;
        fleet::MonatsSummen = fleet::TMonatsSummen();
        fleet::MonatsSummen.SummeGefKilometer = base::Currency::fromDouble(-1); // a mark no run leaves
        int schritte = 0;
        bool gelaufen = false;
        ASSERT_TRUE(fleet::MonatsauswertungAlleBerechnen(u.dm(), ergebnis, 2024, 3, "März", [&] {
            ++schritte;
            gelaufen = gelaufen || !fenster.aufrufe.isEmpty() ||
                       fleet::MonatsSummen.SummeGefKilometer != base::Currency::fromDouble(-1);
        })) << f.fall;
        EXPECT_EQ(schritte, 3) << f.fall;
        EXPECT_FALSE(gelaufen) << f.fall << ": the main window's rules ran for a vehicle passed";
        EXPECT_EQ(main.FieldByName("KfzNr")->AsString(), "B-2") << f.fall;
        EXPECT_EQ(fleet::MonatsSummen.SummeGefKilometer.toDouble(), f.kmDanach) << f.fall;
        if (f.gefiltert) {
            EXPECT_EQ(fleet::MonatsSummen.SummeGesamtKosten.toDouble(), 650) << f.fall;
        }
        EXPECT_EQ(u.dm().TTblMonatKosten.RecordCount(), 2) << f.fall << ": B-2's monthly rows follow again";
        EXPECT_EQ(ergebnis.RecordCount(), 3) << f.fall;
    }
    var.SetFiltered(false);
    var.OnFilterRecord = nullptr;
}

// The month's rows read for all vehicles at once give what the walk over each
// vehicle's cost rows gives, field by field: readings before the month (a blank
// date among them, one higher than the month's), rows after it, two receipts of
// one day, a vehicle without rows, a month of another year; in tours mode the
// tours' km and revenue.
TEST_F(MonatAlleTest, TheMonthReadAtOnceGivesWhatTheWalkOverEveryVehicleGives)
{
    fahrzeug("D-4");
    fahrzeug("E-5");
    kosten("A-1", base::encodeDate(2024, 4, 2), 99000, 10);   // after the month: ignored
    kosten("A-1", base::encodeDate(2023, 3, 9), 9000, 77.77); // March of another year
    kosten("E-5", base::encodeDate(2024, 1, 9), 50000, 0);    // before, higher than in the month
    kosten("D-4", 0, 300, 0);                                 // blank date: before the month
    kosten("D-4", base::encodeDate(2024, 3, 31), 900, 12.5);
    kosten("D-4", base::encodeDate(2024, 3, 31), 650, 0.01); // same day, the next receipt
    kosten("E-5", base::encodeDate(2024, 3, 1), 4000.5, 0.1);
    kosten("E-5", base::encodeDate(2024, 3, 15), 4500.5, 0.2);
    for (const auto &[nr, tag, km, ertrag] : std::vector<std::tuple<QString, int, double, double>>{
             {"A-1", 3, 120.5, 99.99}, {"A-1", 20, 0, 10}, {"C-3", 31, 300, 0.05}, {"E-5", 28, 45, 1}})
        kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzTour.db",
                                {"KfzNr", "Datum", "Tour", "GefahrenKm", "Ertrag"},
                                {nr, base::encodeDate(2024, 3, tag), QString::number(tag), km, ertrag});
    kerntest::zeileAnfuegen(u.session(), fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr", "Steuer", "AFA"},
                            {"F-6", 1200, 600.06});
    u.dm().TTblMain.Refresh();
    u.dm().TTblVarKosten.Refresh();
    u.dm().TTblTouren.Refresh();
    dbe::TTable &var = u.dm().TTblVarKosten;
    for (const bool touren : {false, true}) {
        fleet::TourenModus = touren;
        var.SetFiltered(false);
        ASSERT_TRUE(fleet::MonatsauswertungAlleBerechnen(u.dm(), ergebnis, 2024, 3, "März"));
        const QStringList aufEinmal = ergebnisZeilen();
        var.OnFilterRecord = [](dbe::TDataSet &, bool &accept) { accept = true; };
        var.SetFiltered(true);
        ASSERT_TRUE(fleet::MonatsauswertungAlleBerechnen(u.dm(), ergebnis, 2024, 3, "März"));
        var.SetFiltered(false);
        var.OnFilterRecord = nullptr;
        EXPECT_EQ(aufEinmal, ergebnisZeilen()) << "tours mode " << touren;
        ASSERT_EQ(aufEinmal.size(), 6);
        if (!touren) {
            ergebnis.First();
            ergebnis.MoveBy(3);
            EXPECT_EQ(ergebnis.FieldByName("KfzNr")->AsString(), "D-4");
            EXPECT_EQ(ergebnis.FieldByName("GefKilometer")->AsFloat(), 600) << "900 - 300 of the blank date";
            ergebnis.Next();
            EXPECT_EQ(ergebnis.FieldByName("GefKilometer")->AsFloat(), 0) << "E-5: below the reading before";
        }
    }
    fleet::TourenModus = false;
}

TEST_F(MonatAlleTest, WarningsByTheTotalsAsTheLabelsShowThem)
{
    const QString beide = fleet::MonatsAlleWarnung("0", "0,00");
    EXPECT_TRUE(beide.contains("gefahrene Kilometer noch var. Kosten"));
    EXPECT_EQ(fleet::MonatsAlleWarnung("0", "0,004"), beide);
    EXPECT_TRUE(fleet::MonatsAlleWarnung("1200", "0,00")
                    .startsWith("Für diesen Monat konnten bei keinem Fahrzeug var. Kosten ermittelt werden"));
    EXPECT_TRUE(
        fleet::MonatsAlleWarnung("0", "349,75")
            .startsWith("Für diesen Monat konnten bei keinem Fahrzeug gefahrene Kilometer ermittelt"));
    EXPECT_TRUE(fleet::MonatsAlleWarnung("1200", "349,75").isEmpty());
    EXPECT_EQ(fleet::KostenSprungFilter("2005", "März"), "(Jahr = '2005') and (Monat = 'März')");
}

TEST_F(MonatAlleTest, SaveReplacesExactlyTheStoredRowsAllOrNone)
{
    monat("B-2", "2024", 3, 777, 1, 1); // stored before: replaced
    monat("B-2", "2024", 2, 555, 1, 1); // another month: kept
    ASSERT_TRUE(fleet::MonatsauswertungAlleBerechnen(u.dm(), ergebnis, 2024, 3, "März"));
    dbe::TTable &ziel = u.dm().TTblVar1;
    ziel.SetTableName("KfzMonat.db");
    ziel.Open();
    EXPECT_EQ(fleet::GespeicherteMonate(ziel, ergebnis), 1);

    // A failure after the stored row was deleted leaves the table as it was.
    const QStringList vorher = gespeichert();
    ziel.BeforePost = [](dbe::TDataSet &t) {
        if (t.FieldByName("KfzNr")->AsString() == "B-2")
            throw dbe::EDatabaseError("Schreibfehler");
    };
    EXPECT_THROW(fleet::MonateSpeichern(ziel, ergebnis), dbe::EDatabaseError);
    ziel.Cancel();
    ziel.BeforePost = nullptr;
    ziel.Close();
    EXPECT_EQ(gespeichert(), vorher);

    ziel.Open();
    fleet::MonateSpeichern(ziel, ergebnis);
    ziel.Close();
    EXPECT_EQ(gespeichert(), QStringList({"A-1:März:1200", "B-2:Februar:555", "B-2:März:0", "C-3:März:0"}));
}

} // namespace
