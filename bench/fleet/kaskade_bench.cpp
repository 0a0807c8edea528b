// Deleting a vehicle with about 1,000 detail rows through the program's
// cascade (locks, the detail rows table by table, the bookings through the
// window's table, the vehicle row, one transaction) against plain DELETE
// statements of the same rows in one transaction, on a generated client
// directory. The vehicle and its rows are written back between the rounds,
// outside the measurement.
//   kaskade_bench [--scale=F] [benchmark options]   (F = 1: 1,000 vehicles)
#include <cstdio>

#include <sqlite3.h>

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include "bench_fleet.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/ErsterStart.h"
#include "daten/schema/Katalog.h"
#include "dbe/Session.h"
#include "fleet_generator.h"

namespace {

BenchFleet *flotte = nullptr;

// The vehicle's tables; every one names the vehicle in a column "KfzNr" (any case).
const char *const kTabellen[] = {"kfztour",  "kfzvar",  "kfzmonat", "kfzreif",       "kfzhisto",
                                 "kfzschad", "kfzbild", "kfzdispo", "kfztermininfo", "kfzstamm"};
const char *const kOpfer = "K-00000";

void ausfuehren(const QByteArray &sql)
{
    char *fehler = nullptr;
    if (sqlite3_exec(flotte->db(), sql.constData(), nullptr, nullptr, &fehler) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql.constData(), fehler);
        std::abort();
    }
}

// Copies of the vehicle's rows in temporary tables, written back before each round.
void vorlagenAnlegen()
{
    for (const char *t : kTabellen)
        ausfuehren(QByteArray("CREATE TEMP TABLE vorlage_") + t + " AS SELECT * FROM main." + t +
                   " WHERE KfzNr = '" + kOpfer + "'");
}

void zurueckschreiben()
{
    ausfuehren("BEGIN");
    for (const char *t : kTabellen)
        ausfuehren(QByteArray("INSERT INTO main.") + t + " SELECT * FROM vorlage_" + t);
    ausfuehren("COMMIT");
}

long long zeilenDesOpfers()
{
    long long n = 0;
    for (const char *t : kTabellen) {
        sqlite3_stmt *s =
            flotte->Prepare((QByteArray("SELECT COUNT(*) FROM main.") + t + " WHERE KfzNr = ?1").constData());
        sqlite3_bind_text(s, 1, kOpfer, -1, SQLITE_STATIC);
        sqlite3_step(s);
        n += sqlite3_column_int64(s, 0);
        sqlite3_finalize(s);
    }
    return n;
}

bool programmLoescht(fleet::TDataModule1 &dm)
{
    dm.TTblMain.Refresh();
    if (!dm.TTblMain.Locate(QStringLiteral("KfzNr"), QString::fromLatin1(kOpfer)))
        return false;
    dm.TTblMain.Delete();
    return true;
}

void Cascade_ours(benchmark::State &state)
{
    fleet::TDataModule1 dm;
    fleet::DataModule1 = &dm;
    for (auto _ : state) {
        state.PauseTiming();
        zurueckschreiben();
        state.ResumeTiming();
        if (!programmLoescht(dm))
            state.SkipWithError("the vehicle is not there");
    }
    fleet::DataModule1 = nullptr;
}

void Cascade_sqlite(benchmark::State &state)
{
    std::vector<sqlite3_stmt *> loeschen;
    for (const char *t : kTabellen)
        loeschen.push_back(
            flotte->Prepare((QByteArray("DELETE FROM main.") + t + " WHERE KfzNr = ?1").constData()));
    for (auto _ : state) {
        state.PauseTiming();
        zurueckschreiben();
        state.ResumeTiming();
        ausfuehren("BEGIN");
        for (sqlite3_stmt *s : loeschen) {
            sqlite3_bind_text(s, 1, kOpfer, -1, SQLITE_STATIC);
            sqlite3_step(s);
            sqlite3_reset(s);
        }
        ausfuehren("COMMIT");
    }
    for (sqlite3_stmt *s : loeschen)
        sqlite3_finalize(s);
}

} // namespace

BENCHMARK(Cascade_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(Cascade_sqlite)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    const double scale = StartBenchmarks(argc, argv);
    QCoreApplication app(argc, argv);
    BenchFleet f;
    flotte = &f;
    f.UseAsMachine();
    {
        dbe::TSession session;
        fleet::ErsterStartEinrichten(session);
    }
    FleetDirectorySize size;
    size.vehicles = std::max(20, static_cast<int>(1000 * scale));
    size.toursPerVehicle = 250;
    size.costsPerVehicle = 250;
    size.monthsPerVehicle = 200;
    size.bookingsPerVehicle = 150;
    size.notesPerVehicle = 100;
    generateFleetDirectory(f.path(), size, fleet::KatalogDesAlias(fleet::kAliasFuhrpark));
    f.Open();
    vorlagenAnlegen();
    const long long zeilen = zeilenDesOpfers();
    std::printf("fleet: %d vehicles; the deleted one has %lld rows with its own, in %s\n", size.vehicles,
                zeilen, f.base().c_str());
    // The program's way must delete every row before its time means anything.
    {
        fleet::TDataModule1 dm;
        fleet::DataModule1 = &dm;
        const bool geloescht = programmLoescht(dm);
        fleet::DataModule1 = nullptr;
        if (!geloescht || zeilenDesOpfers() != 0) {
            std::fprintf(stderr, "the cascade left %lld rows\n", zeilenDesOpfers());
            return 1;
        }
    }
    RunBenchmarksWithRatios("ours", "ratio cascade / plain DELETE statements, CPU time:");
    flotte = nullptr;
    return 0;
}
