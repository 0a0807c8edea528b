// The fleet evaluations as the program runs them over the data module (the
// vehicle table walked with its detail tables following), against plain
// SQLite queries computing the same sums grouped by vehicle. Prints the ratio
// per pair.
//  - FleetCostsYear: the fleet costs of one year (one row of period totals per
//    vehicle written to the result table, and the fleet totals).
//  - Comparison: the vehicle comparison (monthly averages per vehicle).
//  - AllVehiclesMonth: the monthly evaluation of every vehicle for one month,
//    with the totals under it.
//   evaluations_bench [--scale=F] [benchmark options]   (F = 1: 10,000 vehicles, 12 monthly rows each)
#include <cmath>
#include <cstdio>
#include <memory>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QCoreApplication>

#include "base/DateTime.h"
#include "bench_fleet.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/ErsterStart.h"
#include "daten/schema/Katalog.h"
#include "dbe/Field.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "fleet_generator.h"
#include "logik/Fahrzeugvergleich.h"
#include "logik/FuhrparkKosten.h"
#include "logik/MonatsauswertungAlle.h"

namespace {

const QString kJahr = QStringLiteral("2022");
constexpr int kMonat = 3;
const QString kMonatText = QStringLiteral("März");

struct Umgebung {
    BenchFleet *bench = nullptr;
    fleet::TDataModule1 *dm = nullptr;
    dbe::TTable *monatsErgebnis = nullptr;
    double monatsAnfang = 0, monatsEnde = 0; // [Anfang, Ende)
};
Umgebung *u = nullptr;

// The figures both sides compare: a row count and a few totals.
struct Summen {
    int zeilen = 0;
    double a = 0, b = 0, c = 0, d = 0;
};

bool gleich(const char *was, const Summen &ours, const Summen &plain)
{
    std::printf("%s: ours %d rows, %.4f / %.4f / %.4f / %.4f; SQLite %d rows, %.4f / %.4f / %.4f / %.4f\n",
                was, ours.zeilen, ours.a, ours.b, ours.c, ours.d, plain.zeilen, plain.a, plain.b, plain.c,
                plain.d);
    // Per vehicle the program keeps money to four decimals: allow that much per row.
    const double toleranz = 0.0001 * std::max(1, plain.zeilen);
    const auto nah = [&](double x, double y) {
        return std::fabs(x - y) <= std::max(toleranz, 1e-9 * std::fabs(y));
    };
    return ours.zeilen == plain.zeilen && ours.zeilen > 0 && ours.b > 0 && nah(ours.a, plain.a) &&
           nah(ours.b, plain.b) && nah(ours.c, plain.c) && nah(ours.d, plain.d);
}

double spalte(sqlite3_stmt *s, int i)
{
    return sqlite3_column_double(s, i);
}

// ---- fleet costs of a year: km, total costs, variable costs, pollutant

Summen fuhrparkKostenOurs()
{
    fleet::TFuhrparkSummen s;
    fleet::FuhrparkKostenBerechnen(
        *u->dm, fleet::FuhrparkZeitraumFilter(fleet::FuhrparkZeitraum::Jahr, kJahr, QString()), s);
    return {u->dm->TTblFuhrparkKosten.RecordCount(), s.Km.toDouble(), s.Gesamt.toDouble(), s.Var.toDouble(),
            s.Schadstoff};
}

Summen fuhrparkKostenSqlite()
{
    sqlite3_stmt *q = u->bench->Prepare(
        "SELECT s.KfzNr, s.Schadstoff, SUM(m.GefKilometer), SUM(m.GesamtKosten), SUM(m.VerbrauchKosten), "
        "SUM(m.ReparaturKosten), SUM(m.WartungKosten), SUM(m.UntersuchungKosten), SUM(m.ReifenKosten), "
        "SUM(m.PflegeKosten), SUM(m.SonstigeKosten), SUM(m.Sonstige2Kosten), SUM(m.Sonstige3Kosten), "
        "SUM(m.Sonstige4Kosten), SUM(m.Ertrag), SUM(m.VerbrauchLiter) "
        "FROM kfzstamm s LEFT JOIN kfzmonat m ON m.KfzNr = s.KfzNr AND m.AuswJahr = ?1 "
        "GROUP BY s.KfzNr ORDER BY s.KfzNr");
    const QByteArray jahr = kJahr.toUtf8();
    sqlite3_bind_text(q, 1, jahr.constData(), static_cast<int>(jahr.size()), SQLITE_TRANSIENT);
    Summen r;
    double ertrag = 0, liter = 0;
    while (sqlite3_step(q) == SQLITE_ROW) {
        ++r.zeilen;
        const double km = spalte(q, 2);
        r.a += km;
        r.b += spalte(q, 3);
        for (int c = 4; c <= 13; ++c)
            r.c += spalte(q, c);
        r.d += std::round(spalte(q, 1) * km / 1000.0 * 1000) / 1000;
        ertrag += spalte(q, 14);
        liter += spalte(q, 15);
    }
    sqlite3_finalize(q);
    benchmark::DoNotOptimize(ertrag + liter);
    return r;
}

// ---- comparison: averages per vehicle of km, total costs and litres per 100 km

Summen vergleichOursZeilen()
{
    Summen r;
    dbe::TTable &t = u->dm->TTblAlleFahrzeuge;
    for (t.First(); !t.Eof(); t.Next()) {
        ++r.zeilen;
        r.a += t.FieldByName(QStringLiteral("DGefKilometer"))->AsFloat();
        r.b += t.FieldByName(QStringLiteral("DGesamtKosten"))->AsFloat();
        r.c += t.FieldByName(QStringLiteral("DVerbrauchKosten"))->AsFloat();
        r.d += t.FieldByName(QStringLiteral("DVerbrauchLiterPro100Km"))->AsFloat();
    }
    return r;
}

bool vergleichOurs()
{
    return fleet::FahrzeugvergleichBerechnen(*u->dm);
}

Summen vergleichSqlite()
{
    sqlite3_stmt *q = u->bench->Prepare(
        "SELECT s.KfzNr, COUNT(m.KfzNr), AVG(m.GefKilometer), AVG(m.GesamtKosten), AVG(m.GesamtKostenProKm), "
        "AVG(m.VerbrauchLiter), AVG(m.VerbrauchKosten), SUM(m.VerbrauchLiter), SUM(m.GefKilometer) "
        "FROM kfzstamm s LEFT JOIN kfzmonat m ON m.KfzNr = s.KfzNr GROUP BY s.KfzNr ORDER BY s.KfzNr");
    Summen r;
    double proKm = 0, liter = 0;
    while (sqlite3_step(q) == SQLITE_ROW) {
        ++r.zeilen;
        r.a += spalte(q, 2);
        r.b += spalte(q, 3);
        proKm += spalte(q, 4);
        liter += spalte(q, 5);
        r.c += spalte(q, 6);
        const double km = spalte(q, 8);
        if (km > 0)
            r.d += spalte(q, 7) / km * 100;
    }
    sqlite3_finalize(q);
    benchmark::DoNotOptimize(proKm + liter);
    return r;
}

// ---- every vehicle's evaluation of one month: km, total, fixed and variable costs

Summen monatAlleOurs()
{
    if (!fleet::MonatsauswertungAlleBerechnen(*u->dm, *u->monatsErgebnis, std::uint16_t(kJahr.toInt()),
                                              std::uint16_t(kMonat), kMonatText)) {
        std::fprintf(stderr, "MoAusPrv.DB could not be emptied\n");
        std::abort();
    }
    const fleet::TMonatsAlleSummen s = fleet::MonatsAlleSummenBerechnen(*u->monatsErgebnis);
    return {u->monatsErgebnis->RecordCount(), s.Km, s.Gesamt.toDouble(), s.Fix.toDouble(), s.Var.toDouble()};
}

// The month's cost sums per vehicle, the highest reading before the month and
// the first one in it, joined onto the vehicles with their annual amounts.
Summen monatAlleSqlite()
{
    sqlite3_stmt *q = u->bench->Prepare(
        "WITH monat AS (SELECT KfzNr, SUM(\"Benzin/Liter\") AS liter, "
        "  TOTAL(\"Benzin/Preis\") + TOTAL(ReparaturKosten) + TOTAL(WartungKosten) + "
        "  TOTAL(UntersuchungKosten) + TOTAL(ReifenKosten) + TOTAL(PflegeKosten) + TOTAL(SonstigeKosten) + "
        "  TOTAL(Sonstige2Kosten) + TOTAL(Sonstige3Kosten) + TOTAL(Sonstige4Kosten) AS var, "
        "  MAX(Mwst) AS m FROM kfzvar WHERE BelegDatum >= ?1 AND BelegDatum < ?2 GROUP BY KfzNr), "
        "vorher AS (SELECT KfzNr, MAX(Mwst) AS a FROM kfzvar WHERE BelegDatum < ?1 GROUP BY KfzNr), "
        "erster AS (SELECT KfzNr, Mwst AS f FROM (SELECT KfzNr, Mwst, ROW_NUMBER() OVER "
        "  (PARTITION BY KfzNr ORDER BY BelegDatum, BelegNummer) AS n FROM kfzvar "
        "  WHERE BelegDatum >= ?1 AND BelegDatum < ?2) WHERE n = 1) "
        "SELECT s.KfzNr, s.HaftpflNettoBetrag, s.KaskoNettoBetrag, s.Steuer, s.KfzSonstiges, s.AFA, "
        "s.Zinsen, "
        "  s.Vermoegenssteuer, s.GewKapSteuer, s.Restbuchwert, monat.var, monat.m, vorher.a, erster.f, "
        "  monat.liter "
        "FROM kfzstamm s LEFT JOIN monat ON monat.KfzNr = s.KfzNr LEFT JOIN vorher ON vorher.KfzNr = s.KfzNr "
        "LEFT JOIN erster ON erster.KfzNr = s.KfzNr ORDER BY s.KfzNr");
    sqlite3_bind_double(q, 1, u->monatsAnfang);
    sqlite3_bind_double(q, 2, u->monatsEnde);
    Summen r;
    double liter = 0;
    while (sqlite3_step(q) == SQLITE_ROW) {
        ++r.zeilen;
        double fix = 0;
        for (int c = 1; c <= 9; ++c) {
            const double jahr = spalte(q, c);
            if (jahr > 0)
                fix += std::round(jahr / 12 * 10000) / 10000;
        }
        const double var = spalte(q, 10);
        const double m = std::nearbyint(spalte(q, 11)), a = std::nearbyint(spalte(q, 12)),
                     f = std::nearbyint(spalte(q, 13));
        const double km = m > 0 && a > 0 ? m - a : m > 0 && f > 0 ? m - f : 0;
        r.a += std::max(0.0, km);
        r.b += fix + var;
        r.c += fix;
        r.d += var;
        liter += spalte(q, 14);
    }
    sqlite3_finalize(q);
    benchmark::DoNotOptimize(liter);
    return r;
}

void FleetCostsYear_ours(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(fuhrparkKostenOurs().b);
}
void FleetCostsYear_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(fuhrparkKostenSqlite().b);
}
void Comparison_ours(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(vergleichOurs());
}
void Comparison_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(vergleichSqlite().b);
}
void AllVehiclesMonth_ours(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(monatAlleOurs().b);
}
void AllVehiclesMonth_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(monatAlleSqlite().b);
}

} // namespace

// One run each: a run at full size writes 10,000 result rows.
BENCHMARK(FleetCostsYear_ours)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(FleetCostsYear_sqlite)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Comparison_ours)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(Comparison_sqlite)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(AllVehiclesMonth_ours)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(AllVehiclesMonth_sqlite)->Unit(benchmark::kMillisecond)->Iterations(1);

int main(int argc, char **argv)
{
    const double scale = StartBenchmarks(argc, argv);
    QCoreApplication app(argc, argv);
    BenchFleet f;
    f.UseAsMachine();
    {
        dbe::TSession session;
        fleet::ErsterStartEinrichten(session);
    }
    FleetDirectorySize size = FleetDirectorySize::scaled(scale);
    size.monthsPerVehicle = 12; // the year 2022
    const long long zeilen =
        generateFleetDirectory(f.path(), size, fleet::KatalogDesAlias(fleet::kAliasFuhrpark));
    std::printf("fleet: %d vehicles, %d monthly rows, %d costs each, %lld rows in %s\n", size.vehicles,
                size.monthsPerVehicle, size.costsPerVehicle, zeilen, f.base().c_str());
    f.Open();

    fleet::TDataModule1 dm;
    fleet::DataModule1 = &dm;
    dbe::TTable ergebnis(&dm.TTblMain.Session());
    ergebnis.SetDatabaseName(fleet::kAliasFuhrparkPriv);
    ergebnis.SetTableName(QStringLiteral("MoAusPrv.DB"));
    Umgebung umgebung{&f, &dm, &ergebnis, base::encodeDate(kJahr.toInt(), kMonat, 1),
                      base::encodeDate(kJahr.toInt(), kMonat + 1, 1)};
    u = &umgebung;

    // Both sides must compute the same figures, or the ratio means nothing.
    const bool einig =
        gleich("fleet costs 2022 (km, total, variable, pollutant)", fuhrparkKostenOurs(),
               fuhrparkKostenSqlite()) &&
        vergleichOurs() &&
        gleich("comparison (km, total, fuel costs, l/100 km)", vergleichOursZeilen(), vergleichSqlite()) &&
        gleich("all vehicles March 2022 (km, total, fixed, variable)", monatAlleOurs(), monatAlleSqlite());
    if (einig)
        RunBenchmarksWithRatios("ours", "ratio evaluation / SQLite sums, CPU time:");
    else
        std::fprintf(stderr, "the two ways disagree\n");
    u = nullptr;
    fleet::DataModule1 = nullptr;
    return einig ? 0 : 1;
}
