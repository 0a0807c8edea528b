#include <gtest/gtest.h>

#include "daten/Aliase.h"
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

} // namespace
