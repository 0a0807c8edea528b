#include <gtest/gtest.h>

#include "daten/Aliase.h"
#include "dbe/DataSource.h"
#include "dbe/Field.h"
#include "dbe/Table.h"
#include "kern_umgebung.h"
#include "regeln/MonatsSummen.h"

namespace {

using base::Currency;

struct Monat {
    const char *jahr;
    double monat, km, liter, literPro100Km, gesamt, reparatur, wartung, reifen, ertrag;
};

struct Fall {
    const char *name;
    QList<Monat> monate;
    QString filter;
    // Expected: totals and averages.
    Currency summeKm;
    double schnittKm;
    Currency summeLiter;
    double schnittLiter, literPro100Km;
    Currency summeGesamt, schnittGesamt, schnittReparatur, schnittWartung, schnittReifen, summeErtrag;
};

Currency c(double v)
{
    return Currency::fromDouble(v);
}

class MonatsSummen : public ::testing::TestWithParam<Fall> {};

TEST_P(MonatsSummen, SumsAndAveragesOfTheVisibleRows)
{
    const Fall &f = GetParam();
    kerntest::Umgebung umgebung;
    for (const Monat &m : f.monate)
        kerntest::zeileAnfuegen(umgebung.session(), fleet::kAliasFuhrpark, "KfzMonat.DB",
                                {"KfzNr", "AuswJahr", "AuswMonatNum", "GefKilometer", "VerbrauchLiter",
                                 "VerbrauchLiterPro100Km", "GesamtKosten", "ReparaturKosten", "WartungKosten",
                                 "ReifenKosten", "Ertrag"},
                                {"A-1", m.jahr, m.monat, m.km, m.liter, m.literPro100Km, m.gesamt,
                                 m.reparatur, m.wartung, m.reifen, m.ertrag});
    dbe::TTable monate(&umgebung.session());
    monate.SetDatabaseName(fleet::kAliasFuhrpark);
    monate.SetTableName("KfzMonat.DB");
    monate.Open();
    if (!f.filter.isEmpty()) {
        monate.SetFilter(f.filter);
        monate.SetFiltered(true);
    }
    fleet::TMonatsSummen s;
    s.SummeErtrag = Currency::fromInt(99); // every member starts from zero
    fleet::MonatsSummenBerechnen(monate, s);

    EXPECT_EQ(s.SummeGefKilometer, f.summeKm);
    EXPECT_DOUBLE_EQ(s.SchnittGefKilometer, f.schnittKm);
    EXPECT_EQ(s.SummeVerbrauchLiter, f.summeLiter);
    EXPECT_DOUBLE_EQ(s.SchnittVerbrauchLiter, f.schnittLiter);
    EXPECT_NEAR(s.SchnittVerbrauchLiterPro100Km, f.literPro100Km, 1e-9);
    EXPECT_EQ(s.SummeGesamtKosten, f.summeGesamt);
    EXPECT_EQ(s.SchnittGesamtKosten, f.schnittGesamt);
    EXPECT_EQ(s.SchnittReparaturKosten, f.schnittReparatur);
    EXPECT_EQ(s.SchnittWartungKosten, f.schnittWartung);
    EXPECT_EQ(s.SchnittReifenKosten, f.schnittReifen);
    EXPECT_EQ(s.SummeErtrag, f.summeErtrag);
    EXPECT_FALSE(monate.ControlsDisabled());
    // The table is left on the last row it shows.
    if (!f.monate.isEmpty()) {
        dbe::TTable letzte(&umgebung.session());
        letzte.SetDatabaseName(fleet::kAliasFuhrpark);
        letzte.SetTableName("KfzMonat.DB");
        letzte.Open();
        letzte.SetFilter(f.filter);
        letzte.SetFiltered(!f.filter.isEmpty());
        letzte.Last();
        EXPECT_TRUE(monate.Eof());
        for (const char *feld : {"AuswJahr", "AuswMonatNum"})
            EXPECT_EQ(monate.FieldByName(feld)->AsString(), letzte.FieldByName(feld)->AsString());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, MonatsSummen,
    ::testing::Values(Fall{"KeineZeilen", {}, {}, {}, 0, {}, 0, 0, {}, {}, {}, {}, {}, {}},
                      // 125 l over 1500 km: 8.33 l/100 km, not the mean 9.5 of the rows' own values.
                      Fall{"ZweiMonate",
                           {{"2024", 1, 1000, 80, 8, 300.10, 0, 0, 0, 50},
                            {"2024", 2, 500, 45, 11, 199.90, 0, 0, 0, 25}},
                           {},
                           c(1500),
                           750,
                           c(125),
                           62.5,
                           125.0 / 1500 * 100,
                           c(500),
                           c(250),
                           {},
                           {},
                           {},
                           c(75)},
                      Fall{"OhneKilometer",
                           {{"2024", 1, 0, 20, 0, 10, 0, 0, 0, 0}},
                           {},
                           {},
                           0,
                           c(20),
                           20,
                           0,
                           c(10),
                           c(10),
                           {},
                           {},
                           {},
                           {}},
                      Fall{"JahresFilter",
                           {{"2023", 12, 700, 70, 10, 1000, 0, 0, 0, 0},
                            {"2024", 1, 1000, 80, 8, 300, 0, 0, 0, 0},
                            {"2024", 2, 500, 45, 9, 200, 0, 0, 0, 0}},
                           "AuswJahr = '2024'",
                           c(1500),
                           750,
                           c(125),
                           62.5,
                           125.0 / 1500 * 100,
                           c(500),
                           c(250),
                           {},
                           {},
                           {},
                           {}},
                      // Averages rounded to 1/10000 with ties to even: 3/2 units -> 2, 1/2 -> 0, 5/2 -> 2.
                      Fall{"RundungHalbZurGeraden",
                           {{"2024", 1, 1, 0, 0, 0, 0.0001, 0.0001, 0.0004, 0},
                            {"2024", 2, 0, 0, 0, 0, 0.0002, 0, 0.0001, 0}},
                           {},
                           c(1),
                           0.5,
                           {},
                           0,
                           0,
                           {},
                           {},
                           Currency::fromUnits(2),
                           Currency::fromUnits(0),
                           Currency::fromUnits(2),
                           {}}),
    [](const ::testing::TestParamInfo<Fall> &info) { return std::string(info.param.name); });

// As a detail of the vehicles: only the current vehicle's rows count, and a
// change not yet saved is saved and counted.
TEST(MonatsSummenDetail, OnlyTheCurrentVehiclesRowsWithTheirPendingChange)
{
    kerntest::Umgebung umgebung;
    dbe::TSession &session = umgebung.session();
    const struct {
        const char *kfz, *jahr;
        double monat, km, ertrag;
    } zeilen[] = {{"A-1", "2024", 1, 1000, 100.5}, {"A-1", "2024", 2, 500, 0.25},
                  {"A-10", "2024", 1, 7000, 9},    {"B-2", "2023", 12, 300, 1000.01},
                  {"B-2", "2024", 1, 200, 2000},   {"B-2", "2024", 2, 100, 3}};
    for (const auto &z : zeilen)
        kerntest::zeileAnfuegen(session, fleet::kAliasFuhrpark, "KfzMonat.DB",
                                {"KfzNr", "AuswJahr", "AuswMonatNum", "GefKilometer", "Ertrag"},
                                {z.kfz, z.jahr, z.monat, z.km, z.ertrag});
    for (const char *kfz : {"A-1", "A-10", "B-2"})
        kerntest::zeileAnfuegen(session, fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr"}, {kfz});
    dbe::TTable stamm(&session);
    stamm.SetDatabaseName(fleet::kAliasFuhrpark);
    stamm.SetTableName("KfzStamm.db");
    stamm.Open();
    dbe::TDataSource quelle(&stamm);
    dbe::TTable monate(&session);
    monate.SetDatabaseName(fleet::kAliasFuhrpark);
    monate.SetTableName("KfzMonat.DB");
    monate.SetIndexFieldNames("KfzNr;AuswJahr;AuswMonatNum;AuswMonatText");
    monate.SetMasterSource(&quelle);
    monate.SetMasterFields("KfzNr");
    monate.Open();

    QStringList ergebnis;
    for (stamm.First(); !stamm.Eof(); stamm.Next()) {
        fleet::TMonatsSummen s;
        fleet::MonatsSummenBerechnen(monate, s);
        ergebnis << QStringLiteral("%1 %2 %3 %4")
                        .arg(stamm.FieldByName("KfzNr")->AsString(), s.SummeGefKilometer.toString(0),
                             s.SummeErtrag.toString(2), QString::number(s.SchnittGefKilometer));
    }
    EXPECT_EQ(ergebnis.join(" | "), "A-1 1500 100,75 750 | A-10 7000 9,00 7000 | B-2 600 3003,01 200");

    // B-2 is current; its first month changed but not saved.
    monate.First();
    monate.Edit();
    monate.FieldByName("GefKilometer")->SetAsFloat(1200);
    fleet::TMonatsSummen s;
    fleet::MonatsSummenBerechnen(monate, s);
    EXPECT_EQ(monate.State(), dbe::TDataSetState::dsBrowse);
    EXPECT_EQ(s.SummeGefKilometer, Currency::fromInt(1500));
    EXPECT_DOUBLE_EQ(s.SchnittGefKilometer, 500);
}

// A table without rows keeps the new row it is in the middle of.
TEST(MonatsSummenDetail, ANewRowOfAnEmptyTableStaysUnsaved)
{
    kerntest::Umgebung umgebung;
    dbe::TTable monate(&umgebung.session());
    monate.SetDatabaseName(fleet::kAliasFuhrpark);
    monate.SetTableName("KfzMonat.DB");
    monate.Open();
    monate.Append();
    monate.FieldByName("KfzNr")->SetAsString("A-1");
    monate.FieldByName("GefKilometer")->SetAsFloat(800);
    fleet::TMonatsSummen s;
    fleet::MonatsSummenBerechnen(monate, s);
    EXPECT_EQ(monate.State(), dbe::TDataSetState::dsInsert);
    EXPECT_EQ(s.SummeGefKilometer, Currency());
    monate.Cancel();
    EXPECT_EQ(monate.RecordCount(), 0);
}

} // namespace
