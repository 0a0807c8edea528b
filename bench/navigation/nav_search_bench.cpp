// The value search of the navigation set against the plain SQLite query that
// finds the same row, on a generated fleet. Prints the ratio search / SQLite.
//   nav_search_bench [--scale=F] [benchmark options]   (F = 1: 10,000 vehicles)
// Vehicle numbers are "K-00042": typing "a" finds nothing (the whole table
// is read), typing "k" finds the first vehicle.
#include <memory>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include "bench_fleet.h"
#include "dbe/Table.h"
#include "fleet_generator.h"
#include "navigation/erweiterung/TableDefs.h"

namespace {

BenchFleet *fleet = nullptr;

std::unique_ptr<dbe::TTable> openVehicles()
{
    return fleet->OpenTable("KfzStamm.db");
}

// The first row in index order whose field begins with the text, any case.
void firstRowSqlite(benchmark::State &state, const char *sql, const char *text)
{
    sqlite3_stmt *s = fleet->Prepare(sql);
    for (auto _ : state) {
        sqlite3_reset(s);
        sqlite3_bind_text(s, 1, text, -1, SQLITE_STATIC);
        if (sqlite3_step(s) == SQLITE_ROW)
            for (int c = 0; c < sqlite3_column_count(s); ++c)
                benchmark::DoNotOptimize(sqlite3_column_text(s, c));
    }
    sqlite3_finalize(s);
}

// Incremental search as typed: the text with ".." behind, from the first record.
void incremental(benchmark::State &state, const char *typed)
{
    auto t = openVehicles();
    nav::TTableDefs defs(nullptr, nullptr, t.get());
    const QString text = QString::fromUtf8(typed) + QStringLiteral("..");
    for (auto _ : state) {
        t->First();
        benchmark::DoNotOptimize(
            defs.SearchValue(QStringLiteral("KfzNr"), text, false, true, true, true, true));
    }
}

constexpr const char *kPrefixSql =
    "SELECT rowid, * FROM kfzstamm WHERE KfzNr LIKE ?1 || '%' ORDER BY KfzNr, rowid LIMIT 1";

void IncA_search(benchmark::State &s)
{
    incremental(s, "a");
}
void IncA_sqlite(benchmark::State &s)
{
    firstRowSqlite(s, kPrefixSql, "a");
}
void IncAB_search(benchmark::State &s)
{
    incremental(s, "ab");
}
void IncAB_sqlite(benchmark::State &s)
{
    firstRowSqlite(s, kPrefixSql, "ab");
}
void IncABDash_search(benchmark::State &s)
{
    incremental(s, "ab-");
}
void IncABDash_sqlite(benchmark::State &s)
{
    firstRowSqlite(s, kPrefixSql, "ab-");
}
void IncK_search(benchmark::State &s)
{
    incremental(s, "k");
}
void IncK_sqlite(benchmark::State &s)
{
    firstRowSqlite(s, kPrefixSql, "k");
}
void IncK0_search(benchmark::State &s)
{
    incremental(s, "k-0");
}
void IncK0_sqlite(benchmark::State &s)
{
    firstRowSqlite(s, kPrefixSql, "k-0");
}

// A value without a hit in a field that no index leads.
void NoHit_search(benchmark::State &state)
{
    auto t = openVehicles();
    nav::TTableDefs defs(nullptr, nullptr, t.get());
    for (auto _ : state)
        benchmark::DoNotOptimize(defs.SearchValue(QStringLiteral("Info"), QStringLiteral("nirgends"), true,
                                                  true, false, true, true));
}
void NoHit_sqlite(benchmark::State &s)
{
    firstRowSqlite(s, "SELECT rowid, * FROM kfzstamm WHERE Info LIKE ?1 LIMIT 1", "nirgends");
}

} // namespace

BENCHMARK(IncA_search)->Unit(benchmark::kMillisecond);
BENCHMARK(IncA_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(IncAB_search)->Unit(benchmark::kMillisecond);
BENCHMARK(IncAB_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(IncABDash_search)->Unit(benchmark::kMillisecond);
BENCHMARK(IncABDash_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(IncK_search)->Unit(benchmark::kMicrosecond);
BENCHMARK(IncK_sqlite)->Unit(benchmark::kMicrosecond);
BENCHMARK(IncK0_search)->Unit(benchmark::kMicrosecond);
BENCHMARK(IncK0_sqlite)->Unit(benchmark::kMicrosecond);
BENCHMARK(NoHit_search)->Unit(benchmark::kMillisecond);
BENCHMARK(NoHit_sqlite)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    const double scale = StartBenchmarks(argc, argv);
    BenchFleet f;
    fleet = &f;
    FleetSize size = FleetSize::scaled(scale);
    size.costs = 0; // only the vehicles are searched
    size.tours = 0;
    std::printf("fleet: %d vehicles in %s\n", size.vehicles, f.base().c_str());
    generateFleet(f.path(), size);
    f.Open();
    RunBenchmarksWithRatios("search", "ratio search / SQLite, CPU time:");
    fleet = nullptr;
    return 0;
}
