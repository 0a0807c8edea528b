// One month's evaluation of every vehicle, as the program computes it (the
// vehicle's cost and tour rows read through the database layer's linked
// cursors, then the evaluation), against plain SQLite queries that compute
// the same monthly sums. Prints the ratio per mode.
// Then the monthly totals of every vehicle (its stored monthly evaluations
// added up and averaged, as the fleet costs and the vehicle comparison do it:
// their walk over the vehicles, the monthly rows linked to the vehicle)
// against plain SQLite SUMs over the same rows.
//   monthly_evaluation_bench [--scale=F] [benchmark options]
//   (F = 1: 10,000 vehicles, 360,000 monthly rows)
#include <cmath>
#include <cstdio>
#include <memory>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include "base/DateTime.h"
#include "bench_fleet.h"
#include "daten/schema/Katalog.h"
#include "dbe/DataSource.h"
#include "dbe/Field.h"
#include "dbe/Table.h"
#include "fleet_generator.h"
#include "logik/FahrzeugDurchlauf.h"
#include "regeln/MonatsSummen.h"
#include "regeln/Monatsauswertung.h"
#include "regeln/MonatsauswertungDaten.h"

namespace {

struct Fleet {
    BenchFleet bench;
    int jahr = 0, monat = 0;
    double monatsAnfang = 0, monatsEnde = 0; // [Anfang, Ende)
};
Fleet *flotte = nullptr;

std::unique_ptr<dbe::TTable> openTable(const char *name, const char *indexFields = "")
{
    return flotte->bench.OpenTable(name, indexFields);
}

sqlite3_stmt *prepare(const char *sql)
{
    return flotte->bench.Prepare(sql);
}

// ---- the program's way: linked cursors, rows read, evaluation computed

double totalCostsOurs(bool touren, int maxVehicles)
{
    auto stamm = openTable("KfzStamm.db");
    dbe::TDataSource quelle(stamm.get());
    auto kosten = openTable("KfzVar.db", "KfzNr");
    auto tourTabelle = openTable("KfzTour.db", "KfzNr");
    for (dbe::TTable *d : {kosten.get(), tourTabelle.get()}) {
        d->SetMasterSource(&quelle);
        d->SetMasterFields(QStringLiteral("KfzNr"));
    }
    double summe = 0;
    int n = 0;
    for (stamm->First(); !stamm->Eof() && n < maxVehicles; stamm->Next(), ++n) {
        fleet::MonatsauswertungEingabe e;
        e.KfzNr = stamm->FieldByName(QStringLiteral("KfzNr"))->AsString();
        e.Jahr = static_cast<std::uint16_t>(flotte->jahr);
        e.Monat = static_cast<std::uint16_t>(flotte->monat);
        e.TourenModus = touren;
        e.Stammbetraege = fleet::StammbetraegeLesen(*stamm);
        e.Kosten = fleet::KostenZeilenLesen(*kosten);
        if (touren)
            e.Touren = fleet::TourZeilenLesen(*tourTabelle);
        const fleet::MonatsauswertungAusgang aus = fleet::MonatsauswertungBerechnen(e);
        summe +=
            aus.Ergebnis.GesamtKosten.toDouble() + aus.Ergebnis.GefKilometer + aus.Ergebnis.Ertrag.toDouble();
    }
    return summe;
}

// ---- plain SQLite: the month's sums per vehicle by aggregate queries

double totalCostsSqlite(bool touren, int maxVehicles)
{
    sqlite3_stmt *stamm =
        prepare("SELECT KfzNr, HaftpflNettoBetrag, KaskoNettoBetrag, Steuer, KfzSonstiges, AFA, "
                "Zinsen, Vermoegenssteuer, GewKapSteuer, Restbuchwert FROM kfzstamm ORDER BY KfzNr");
    sqlite3_stmt *monat =
        prepare("SELECT COUNT(*), SUM(\"Benzin/Liter\"), SUM(\"Benzin/Preis\"), SUM(ReparaturKosten), "
                "SUM(WartungKosten), "
                "SUM(UntersuchungKosten), SUM(ReifenKosten), SUM(PflegeKosten), SUM(SonstigeKosten), "
                "SUM(Sonstige2Kosten), SUM(Sonstige3Kosten), SUM(Sonstige4Kosten), MAX(Mwst) "
                "FROM kfzvar WHERE KfzNr = ?1 AND BelegDatum >= ?2 AND BelegDatum < ?3");
    sqlite3_stmt *vorher = prepare("SELECT MAX(Mwst) FROM kfzvar WHERE KfzNr = ?1 AND BelegDatum < ?2");
    sqlite3_stmt *erster = prepare("SELECT Mwst FROM kfzvar WHERE KfzNr = ?1 AND BelegDatum >= ?2 AND "
                                   "BelegDatum < ?3 ORDER BY BelegDatum, BelegNummer LIMIT 1");
    sqlite3_stmt *tour = prepare("SELECT COUNT(*), SUM(GefahrenKm), SUM(Ertrag) FROM kfztour "
                                 "WHERE KfzNr = ?1 AND Datum >= ?2 AND Datum < ?3");
    auto binden = [](sqlite3_stmt *s, const unsigned char *nr, int laenge, bool ende) {
        sqlite3_reset(s);
        sqlite3_bind_text(s, 1, reinterpret_cast<const char *>(nr), laenge, SQLITE_TRANSIENT);
        sqlite3_bind_double(s, 2, flotte->monatsAnfang);
        if (ende)
            sqlite3_bind_double(s, 3, flotte->monatsEnde);
    };
    double summe = 0;
    for (int n = 0; n < maxVehicles && sqlite3_step(stamm) == SQLITE_ROW; ++n) {
        const unsigned char *nr = sqlite3_column_text(stamm, 0);
        const int laenge = sqlite3_column_bytes(stamm, 0);
        double fix = 0;
        for (int c = 1; c <= 9; ++c) {
            const double jahr = sqlite3_column_double(stamm, c);
            if (jahr > 0)
                fix += std::round(jahr / 12 * 10000) / 10000;
        }
        binden(monat, nr, laenge, true);
        sqlite3_step(monat);
        double var = 0;
        for (int c = 2; c <= 11; ++c)
            var += sqlite3_column_double(monat, c);
        double km = 0, ertrag = 0;
        if (touren) {
            binden(tour, nr, laenge, true);
            sqlite3_step(tour);
            km = sqlite3_column_double(tour, 1);
            ertrag = sqlite3_column_double(tour, 2);
        } else {
            const double m = sqlite3_column_double(monat, 12);
            binden(vorher, nr, laenge, false);
            sqlite3_step(vorher);
            const double a = sqlite3_column_double(vorher, 0);
            binden(erster, nr, laenge, true);
            const double f = sqlite3_step(erster) == SQLITE_ROW ? sqlite3_column_double(erster, 0) : 0;
            km = m > 0 && a > 0 ? m - a : m > 0 && f > 0 ? m - f : 0;
            km = std::max(0.0, km);
        }
        summe += var + fix + km + ertrag;
    }
    for (sqlite3_stmt *s : {stamm, monat, vorher, erster, tour})
        sqlite3_finalize(s);
    return summe;
}

void MonthOdometer_ours(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(totalCostsOurs(false, 1 << 30));
}
void MonthOdometer_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(totalCostsSqlite(false, 1 << 30));
}
void MonthTours_ours(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(totalCostsOurs(true, 1 << 30));
}
void MonthTours_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(totalCostsSqlite(true, 1 << 30));
}

// ---- monthly totals of every vehicle

// Three years of stored monthly evaluations per vehicle, written with plain SQL.
void monatsZeilenSchreiben()
{
    char *fehler = nullptr;
    const char *sql =
        "WITH RECURSIVE j(n) AS (SELECT 0 UNION ALL SELECT n + 1 FROM j WHERE n < 35), "
        "s AS (SELECT rowid AS v, KfzNr FROM kfzstamm) "
        "INSERT INTO kfzmonat (KfzNr, AuswJahr, AuswMonatNum, AuswMonatText, GefKilometer, GesamtKosten, "
        "GesamtKostenProKm, VerbrauchLiter, VerbrauchKosten, VerbrauchLiterPro100Km, ReparaturKosten, "
        "WartungKosten, UntersuchungKosten, ReifenKosten, PflegeKosten, SonstigeKosten, Sonstige2Kosten, "
        "Sonstige3Kosten, Sonstige4Kosten, Ertrag) "
        "SELECT KfzNr, CAST(2022 + n / 12 AS TEXT), n % 12 + 1, 'Monat ' || (n % 12 + 1), "
        "1500 + (v * 13 + n * 7) % 900, 1234.56 + (n % 7) * 35.5 + (v + n) % 5 * 9.9, 0.83, "
        "(1500 + (v * 13 + n * 7) % 900) * 0.085, 212.47, 8.5, (n % 7) * 35.5, (n % 11) * 12.25, 0, "
        "(v % 4) * 0.0001, (v + n) % 5 * 9.9, 1234.56, 0, 0, 0, 2500 + (v + n) % 700 "
        "FROM s, j ORDER BY KfzNr, n";
    if (sqlite3_exec(flotte->bench.db(), sql, nullptr, nullptr, &fehler) != SQLITE_OK) {
        std::fprintf(stderr, "monthly rows: %s\n", fehler);
        std::abort();
    }
}

double monatsSummenOurs()
{
    auto stamm = openTable("KfzStamm.db");
    dbe::TDataSource quelle(stamm.get());
    auto monate = openTable("KfzMonat.DB", "KfzNr;AuswJahr;AuswMonatNum;AuswMonatText");
    monate->SetMasterSource(&quelle);
    monate->SetMasterFields(QStringLiteral("KfzNr"));
    double summe = 0;
    // The walk of the fleet costs and the vehicle comparison.
    fleet::FahrzeugeDurchlaufen(*stamm, {monate.get()}, [&] {
        fleet::TMonatsSummen s;
        fleet::MonatsSummenBerechnen(*monate, s);
        summe += s.SummeGesamtKosten.toDouble() + s.SummeGefKilometer.toDouble() + s.SummeErtrag.toDouble() +
                 s.SchnittVerbrauchLiterPro100Km;
    });
    return summe;
}

// The same sums by aggregate queries, vehicle by vehicle.
double monatsSummenSqlite()
{
    sqlite3_stmt *stamm = prepare("SELECT KfzNr FROM kfzstamm ORDER BY KfzNr");
    sqlite3_stmt *monat = prepare(
        "SELECT COUNT(*), SUM(GefKilometer), SUM(VerbrauchLiter), SUM(GesamtKosten), SUM(GesamtKostenProKm), "
        "SUM(VerbrauchKosten), SUM(ReparaturKosten), SUM(WartungKosten), SUM(UntersuchungKosten), "
        "SUM(ReifenKosten), SUM(SonstigeKosten), SUM(Sonstige2Kosten), SUM(Sonstige3Kosten), "
        "SUM(Sonstige4Kosten), SUM(PflegeKosten), SUM(Ertrag) FROM kfzmonat WHERE KfzNr = ?1");
    double summe = 0;
    while (sqlite3_step(stamm) == SQLITE_ROW) {
        sqlite3_reset(monat);
        sqlite3_bind_text(monat, 1, reinterpret_cast<const char *>(sqlite3_column_text(stamm, 0)),
                          sqlite3_column_bytes(stamm, 0), SQLITE_TRANSIENT);
        if (sqlite3_step(monat) != SQLITE_ROW || sqlite3_column_int(monat, 0) == 0)
            continue;
        const double km = std::round(sqlite3_column_double(monat, 1) * 10000) / 10000;
        const double liter = std::round(sqlite3_column_double(monat, 2) * 10000) / 10000;
        summe += sqlite3_column_double(monat, 3) + km + sqlite3_column_double(monat, 15) +
                 (km > 0 ? liter / km * 100 : 0);
    }
    sqlite3_finalize(stamm);
    sqlite3_finalize(monat);
    return summe;
}

void MonthTotals_ours(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(monatsSummenOurs());
}
void MonthTotals_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(monatsSummenSqlite());
}

} // namespace

BENCHMARK(MonthTotals_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(MonthTotals_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(MonthOdometer_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(MonthOdometer_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(MonthTours_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(MonthTours_sqlite)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    const double scale = StartBenchmarks(argc, argv);
    Fleet f;
    flotte = &f;
    const FleetSize size = FleetSize::scaled(scale);
    std::printf("fleet: %d vehicles, %d costs, %d tours in %s\n", size.vehicles, size.costs, size.tours,
                f.bench.base().c_str());
    QList<dbe::TableDef> katalog;
    for (const char *t : {"KfzStamm.db", "KfzVar.db", "KfzTour.db", "KfzMonat.DB"})
        katalog << *fleet::KatalogTabelle(QString::fromLatin1(t));
    generateFleet(f.bench.path(), size, katalog);
    f.bench.Open();
    monatsZeilenSchreiben();
    // The month of the generator's tenth day: costs before, in and after it.
    int tag = 0;
    base::decodeDate(45010, f.jahr, f.monat, tag);
    f.monatsAnfang = base::encodeDate(f.jahr, f.monat, 1);
    f.monatsEnde =
        f.monat == 12 ? base::encodeDate(f.jahr + 1, 1, 1) : base::encodeDate(f.jahr, f.monat + 1, 1);
    // Both ways must agree before their times mean anything.
    for (bool touren : {false, true}) {
        const double ours = totalCostsOurs(touren, 50), plain = totalCostsSqlite(touren, 50);
        std::printf("check %s: %.2f / %.2f\n", touren ? "tours" : "odometer", ours, plain);
        if (std::abs(ours - plain) > 0.01 * 50 || ours <= 0) {
            std::fprintf(stderr, "the two ways disagree\n");
            return 1;
        }
    }
    {
        const double ours = monatsSummenOurs(), plain = monatsSummenSqlite();
        std::printf("check monthly totals: %.2f / %.2f\n", ours, plain);
        if (std::abs(ours - plain) > 1e-6 * std::abs(plain) || ours <= 0) {
            std::fprintf(stderr, "the two ways disagree\n");
            return 1;
        }
    }
    RunBenchmarksWithRatios("ours", "ratio evaluation / SQLite sums, CPU time:");
    flotte = nullptr;
    return 0;
}
