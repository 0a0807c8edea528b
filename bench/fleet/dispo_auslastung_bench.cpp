// The dispatch utilisation for all vehicles in a month view against one plain
// SQLite query computing the same clipped sum of hours, on a generated fleet
// (10,000 vehicles, 200,000 bookings at full size) whose tables the fleet's
// catalogue made.
#include <cstdlib>
#include <string>
#include <vector>

#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>

#include <benchmark/benchmark.h>

#include "base/DateTime.h"
#include "daten/DataModule1.h"
#include "daten/ErsterStart.h"
#include "dbe/Session.h"
#include "fleet_generator.h"
#include "ratio_reporter.h"
#include "regeln/DispoAuslastung.h"
#include "temp_dir.h"

namespace {

struct Flotte {
    testsupport::TempDir dir;
    QString datenbank; // the directory of alias "Fuhrpark"
    sqlite3 *db = nullptr;
    int fahrzeuge = 0;
};
Flotte *flotte = nullptr;

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
    sqlite3_stmt *s = nullptr;
    sqlite3_prepare_v2(flotte->db,
                       "SELECT SUM(MAX(0, MIN(DatumBis + UhrzeitBis, ?2 + 1) - MAX(DatumVon + UhrzeitVon, ?1))) * 24,"
                       " (SELECT COUNT(*) FROM kfzstamm) FROM kfzdispo WHERE DatumVon <= ?2 AND DatumBis >= ?1",
                       -1, &s, nullptr);
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
    double scale = 1.0;
    std::vector<char *> args;
    for (int i = 0; i < argc; ++i) {
        const std::string a = argv[i];
        if (a.rfind("--scale=", 0) == 0)
            scale = std::stod(a.substr(8));
        else
            args.push_back(argv[i]);
    }
    int n = static_cast<int>(args.size());
    QCoreApplication app(n, args.data());
    benchmark::Initialize(&n, args.data());
    Flotte f;
    flotte = &f;
    const std::string basis = f.dir.str();
    setenv("XDG_DATA_HOME", (basis + "/daten").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (basis + "/config").c_str(), 1);
    setenv("KARVENFP_CONFIG_DIR", (basis + "/config/karvenfp").c_str(), 1);
    {
        dbe::TSession session;
        fleet::ErsterStartEinrichten(session);
    }
    f.datenbank = QString::fromStdString(basis) + QStringLiteral("/daten/karvenfp/Datenbk");
    f.fahrzeuge = std::max(20, static_cast<int>(10000 * scale));
    const int buchungen = std::max(400, static_cast<int>(200000 * scale));
    fillDispatch(f.datenbank, f.fahrzeuge, buchungen);
    std::printf("fleet: %d vehicles, %d bookings in %s\n", f.fahrzeuge, buchungen, basis.c_str());
    sqlite3_open(QDir(f.datenbank).filePath(QStringLiteral("dbe.sqlite")).toUtf8().constData(), &f.db);
    sqlite3_busy_timeout(f.db, 5000);
    dbe::TSession session;
    RatioReporter reporter("layer", "ratio layer / SQLite, CPU time:");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    sqlite3_close(f.db);
    flotte = nullptr;
    return 0;
}
