// Two scans of the dispatch forms against the plain SQLite statements that
// read the same rows, on a generated fleet:
//  - FreeVehicles: the free-vehicles list for the month view of July 2024
//    (the copy of the bookings, the booked set, the rows of the free vehicles
//    with their six columns) against one query for the vehicles without a
//    booking in that month;
//  - ChartFill: the chart's fill of 2,000 bookings (the scratch table opened
//    on the filtered bookings, one bar per booking) against the SELECT of the
//    same rows in the same order.
//   dispo_ff_bench [--scale=F] [benchmark options]
// F = 1: 10,000 vehicles and 20,000 bookings (two per vehicle, in January and
// July); every third vehicle loses its July booking, so a third is free.
#include <memory>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QDir>

#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/Hilfstabellen.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "fleet_generator.h"
#include "logik/DispoFFDaten.h"
#include "logik/DispoGrafikDaten.h"
#include "ratio_reporter.h"
#include "regeln/DispoSicht.h"
#include "termin_umgebung.h"

namespace {

struct Bench {
    std::unique_ptr<termintest::TerminUmgebung> u;
    sqlite3 *db = nullptr;
    QString monatsFilter;
    base::TDateTime erster = 0, letzter = 0;
};
Bench *bench = nullptr;

// The January bookings of the first 2,000 vehicles: 2,000 at full size.
const QString kGrafikFilter = QStringLiteral("(Kfznr < 'K-02000') and (DatumVon < '01.07.2024')");

sqlite3_stmt *vorbereiten(const char *sql)
{
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(bench->db, sql, -1, &s, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(bench->db));
        std::abort();
    }
    return s;
}

int freieFahrzeugeSqlite()
{
    sqlite3_stmt *s = vorbereiten(
        "SELECT s.KfzNr, s.Info, s.Gruppe, s.Kostenstelle, s.KfzHerstellerKz, s.KfzMarke FROM kfzstamm s "
        "WHERE NOT EXISTS (SELECT 1 FROM kfzdispo d WHERE d.Kfznr = s.KfzNr AND d.DatumVon <= ?2 AND "
        "d.DatumBis >= ?1) ORDER BY s.KfzNr");
    sqlite3_bind_double(s, 1, bench->erster);
    sqlite3_bind_double(s, 2, bench->letzter);
    int zeilen = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        ++zeilen;
        for (int c = 0; c < 6; ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(s, c));
    }
    sqlite3_finalize(s);
    return zeilen;
}

int freieFahrzeugeSchicht()
{
    fleet::TDataModule1 &dm = bench->u->dm();
    return int(
        fleet::dispo::FahrzeugeErmitteln(dm.TTblMain, dm.TTblDispo, dm.TTblVar1, fleet::dispo::kFFFreie)
            .zeilen.size());
}

int grafikSqlite()
{
    sqlite3_stmt *s = vorbereiten(
        "SELECT Kfznr, DatumUhrzeitVon, DatumUhrzeitBis FROM kfzdispo WHERE Kfznr < "
        "'K-02000' AND DatumVon < 45474 ORDER BY Kfznr, DatumVon, DatumBis, UhrzeitVon, UhrzeitBis");
    int zeilen = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        ++zeilen;
        benchmark::DoNotOptimize(sqlite3_column_text(s, 0));
        benchmark::DoNotOptimize(sqlite3_column_double(s, 1) + sqlite3_column_double(s, 2));
    }
    sqlite3_finalize(s);
    return zeilen;
}

int grafikSchicht()
{
    fleet::TDataModule1 &dm = bench->u->dm();
    dbe::TTable &kopie = dm.TTblVar1;
    kopie.SetDatabaseName(dm.TTblDispo.DatabaseName());
    kopie.SetTableName(dm.TTblDispo.TableName());
    kopie.SetFilter(kGrafikFilter);
    kopie.SetFiltered(true);
    kopie.Open();
    const int balken = int(fleet::dispo::GrafikFuellen(kopie).balken.size());
    fleet::HilfstabellenZuruecksetzen();
    return balken;
}

void FreeVehicles_ours(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(freieFahrzeugeSchicht());
}

void FreeVehicles_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(freieFahrzeugeSqlite());
}

void ChartFill_ours(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(grafikSchicht());
}

void ChartFill_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(grafikSqlite());
}

} // namespace

BENCHMARK(FreeVehicles_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(FreeVehicles_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(ChartFill_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(ChartFill_sqlite)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const double scale = TakeScaleArgument(argc, argv);
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    Bench b;
    bench = &b;
    b.u = std::make_unique<termintest::TerminUmgebung>();
    const int fahrzeuge = std::max(20, static_cast<int>(10000 * scale));
    const int buchungen = 2 * fahrzeuge;
    const QString verzeichnis = b.u->session().DirectoryOf(fleet::kAliasFuhrpark);
    fillDispatch(verzeichnis, fahrzeuge, buchungen);
    sqlite3_open(QDir(verzeichnis).filePath(QStringLiteral("dbe.sqlite")).toUtf8().constData(), &b.db);
    sqlite3_busy_timeout(b.db, 5000);
    sqlite3_exec(b.db,
                 "DELETE FROM kfzdispo WHERE DatumVon >= 45474 AND CAST(substr(Kfznr, 3) AS INTEGER) % 3 = 0",
                 nullptr, nullptr, nullptr);

    // The dispatch page's month view; its master link stays, the scan ignores it.
    fleet::DispoSichtDaten sicht;
    sicht.modus = 2;
    sicht.jahr = QStringLiteral("2024");
    sicht.monat = QStringLiteral("Juli");
    const auto monat = fleet::DispoMonatAus(sicht.jahr, sicht.monat);
    b.erster = monat->ersterTag;
    b.letzter = monat->letzterTag;
    fleet::TDataModule1 &dm = b.u->dm();
    dm.TTblMain.Refresh();
    dm.TTblDispo.SetFilter(fleet::DispoFilterText(sicht));
    dm.TTblDispo.SetFiltered(true);

    // Both sides must read the same rows, or the ratio means nothing.
    const int frei = freieFahrzeugeSchicht(), freiSql = freieFahrzeugeSqlite();
    const int balken = grafikSchicht(), balkenSql = grafikSqlite();
    std::printf("fleet: %d vehicles, %d bookings; free in July: ours %d, SQLite %d; chart bars: ours %d, "
                "SQLite %d\n",
                fahrzeuge, buchungen, frei, freiSql, balken, balkenSql);
    if (frei != freiSql || balken != balkenSql)
        return 1;
    RatioReporter reporter("ours", "ratio dispatch forms / SQLite select, CPU time:");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    sqlite3_close(b.db);
    b.u.reset();
    bench = nullptr;
    return 0;
}
