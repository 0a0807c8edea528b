// The dispatch utilisation for all vehicles in a month view against one plain
// SQLite query computing the same clipped sum of hours, on a generated fleet
// (10,000 vehicles, 200,000 bookings at full size) whose tables the fleet's
// catalogue made.
#include <cstdlib>
#include <string>

#include <sqlite3.h>

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include "base/DateTime.h"
#include "bench_fleet.h"
#include "daten/DataModule1.h"
#include "daten/ErsterStart.h"
#include "dbe/Session.h"
#include "fleet_generator.h"
#include "regeln/DispoAuslastung.h"

namespace {

BenchFleet *flotte = nullptr;

const base::TDateTime kVon = base::encodeDate(2024, 3, 1), kBis = base::encodeDate(2024, 3, 31);

void Utilisation_layer(benchmark::State &state)
{
    fleet::TDataModule1 dm;
    fleet::DataModule1 = &dm;
    dm.TTblDispo.SetMasterSource(nullptr);
    dm.TTblDispo.SetMasterFields(QString());
    dm.TTblDispo.SetFilter(QStringLiteral("(DatumVon <= '31.03.2024') and (DatumBis >= '01.03.2024')"));
    dm.TTblDispo.SetFiltered(true);
    fleet::DispoAuslastungLage lage;
    lage.sicht = {2, kVon, kBis, kVon, QStringLiteral("2024"), QStringLiteral("März")};
    lage.fahrzeugAuswahl = 1;
    for (auto _ : state) {
        fleet::DispoAuslastungBerechnen(lage);
        benchmark::DoNotOptimize(fleet::DispoAuslastungText);
    }
    state.SetLabel(fleet::DispoAuslastungText.toStdString() + " %");
    fleet::DataModule1 = nullptr;
}

void Utilisation_sqlite(benchmark::State &state)
{
    sqlite3_stmt *s = flotte->Prepare(
        "SELECT SUM(MAX(0, MIN(DatumBis + UhrzeitBis, ?2 + 1) - MAX(DatumVon + UhrzeitVon, ?1))) * 24,"
        " (SELECT COUNT(*) FROM kfzstamm) FROM kfzdispo WHERE DatumVon <= ?2 AND DatumBis >= ?1");
    std::string prozent;
    for (auto _ : state) {
        sqlite3_bind_double(s, 1, kVon);
        sqlite3_bind_double(s, 2, kBis);
        sqlite3_step(s);
        const double stunden = 744.0 * sqlite3_column_int(s, 1);
        prozent = std::to_string(std::lround(100.0 / stunden * sqlite3_column_double(s, 0)));
        sqlite3_reset(s);
    }
    sqlite3_finalize(s);
    state.SetLabel(prozent + " %");
}

} // namespace

BENCHMARK(Utilisation_layer)->Unit(benchmark::kMillisecond);
BENCHMARK(Utilisation_sqlite)->Unit(benchmark::kMillisecond);

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
    const int fahrzeuge = std::max(20, static_cast<int>(10000 * scale));
    const int buchungen = std::max(400, static_cast<int>(200000 * scale));
    fillDispatch(f.path(), fahrzeuge, buchungen);
    std::printf("fleet: %d vehicles, %d bookings in %s\n", fahrzeuge, buchungen, f.base().c_str());
    f.Open();
    dbe::TSession session;
    RunBenchmarksWithRatios("layer", "ratio layer / SQLite, CPU time:");
    flotte = nullptr;
    return 0;
}
