// The tour sums of a generated fleet as the program computes them, against
// plain SQLite queries computing the same figures. Prints the ratio per pair.
//  - DriverYear: one driver's tours of a year as the driver form shows them:
//    the tours table without its vehicle link, under the form's filter text
//    (driver and year), walked for count, kilometres and revenue; against
//    COUNT and SUM with the same conditions.
//  - AllTours: the tour evaluation over every tour (TourSummenAlle with the
//    vehicles' kilometre rates read through its own cursor on the vehicle
//    master); against one query joining the tours with the rates.
//   tour_sums_bench [--scale=F] [benchmark options]   (F = 1: 10,000 vehicles, 200,000 tours)
#include <cmath>
#include <cstdio>
#include <memory>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDir>

#include "daten/Aliase.h"
#include "daten/schema/Katalog.h"
#include "dbe/Field.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "fleet_generator.h"
#include "logik/TourSummen.h"
#include "ratio_reporter.h"
#include "regeln/FahrerTourenFilter.h"
#include "temp_dir.h"

namespace {

const QString kFahrer = QStringLiteral("Fahrer 7");
const QString kJahr = QStringLiteral("2023");
// The year's bounds as day numbers (1.1.2023 and 31.12.2023).
constexpr double kJahrAnfang = 44927, kJahrEnde = 45291;

struct Fleet {
    testsupport::TempDir dir;
    QString path;
    std::unique_ptr<dbe::TSession> session;
    sqlite3 *db = nullptr;
};
Fleet *flotte = nullptr;

sqlite3_stmt *prepare(const char *sql)
{
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(flotte->db, sql, -1, &s, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(flotte->db));
        std::abort();
    }
    return s;
}

struct Summen {
    int anzahl = 0;
    double km = 0, ertrag = 0, kosten = 0;
};

// ---- the program's way

// The tours as the driver form borrows them: no vehicle link, filtered by
// driver and year with the form's filter text, walked once.
Summen fahrerJahrOurs()
{
    dbe::TTable touren(flotte->session.get());
    touren.SetDatabaseName(fleet::kAliasFuhrpark);
    touren.SetTableName(QStringLiteral("KfzTour.db"));
    touren.SetFilter(fleet::FahrerTourenFilterBasis(kFahrer) + fleet::JahresZeitraum(kJahr));
    touren.SetFiltered(true);
    touren.Open();
    Summen s;
    touren.DisableControls();
    for (touren.First(); !touren.Eof(); touren.Next()) {
        s.km += touren.FieldByName(QStringLiteral("GefahrenKm"))->AsFloat();
        s.ertrag += touren.FieldByName(QStringLiteral("Ertrag"))->AsFloat();
        ++s.anzahl;
    }
    touren.EnableControls();
    return s;
}

Summen alleTourenOurs()
{
    dbe::TTable touren(flotte->session.get());
    touren.SetDatabaseName(fleet::kAliasFuhrpark);
    touren.SetTableName(QStringLiteral("KfzTour.db"));
    touren.Open();
    fleet::KfzStammKmSaetze saetze(flotte->session.get());
    fleet::TourSummierer summierer(&saetze);
    fleet::TourSummenAlle(touren, summierer, {});
    const fleet::TourSummen &t = summierer.Summen();
    return {t.Anzahl, t.Km, t.Ertrag, t.Kosten};
}

// ---- plain SQLite

Summen fahrerJahrSqlite()
{
    sqlite3_stmt *q = prepare("SELECT COUNT(*), SUM(GefahrenKm), SUM(Ertrag) FROM kfztour "
                              "WHERE FahrerName = ?1 AND Datum >= ?2 AND Datum <= ?3");
    const QByteArray name = kFahrer.toUtf8();
    sqlite3_bind_text(q, 1, name.constData(), static_cast<int>(name.size()), SQLITE_TRANSIENT);
    sqlite3_bind_double(q, 2, kJahrAnfang);
    sqlite3_bind_double(q, 3, kJahrEnde);
    Summen s;
    if (sqlite3_step(q) == SQLITE_ROW)
        s = {sqlite3_column_int(q, 0), sqlite3_column_double(q, 1), sqlite3_column_double(q, 2), 0};
    sqlite3_finalize(q);
    return s;
}

Summen alleTourenSqlite()
{
    sqlite3_stmt *q = prepare("SELECT COUNT(*), SUM(t.GefahrenKm), SUM(t.Ertrag), "
                              "SUM(t.GefahrenKm * COALESCE(s.FreifeldWae1, 0)) "
                              "FROM kfztour t LEFT JOIN kfzstamm s ON s.KfzNr = t.KfzNr");
    Summen s;
    if (sqlite3_step(q) == SQLITE_ROW)
        s = {sqlite3_column_int(q, 0), sqlite3_column_double(q, 1), sqlite3_column_double(q, 2),
             sqlite3_column_double(q, 3)};
    sqlite3_finalize(q);
    return s;
}

void DriverYear_ours(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(fahrerJahrOurs().km);
}
void DriverYear_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(fahrerJahrSqlite().km);
}
void AllTours_ours(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(alleTourenOurs().kosten);
}
void AllTours_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(alleTourenSqlite().kosten);
}

bool gleich(const char *was, const Summen &a, const Summen &b)
{
    std::printf("%s: ours %d tours, %.0f km, %.2f revenue, %.2f costs; SQLite %d, %.0f, %.2f, %.2f\n", was,
                a.anzahl, a.km, a.ertrag, a.kosten, b.anzahl, b.km, b.ertrag, b.kosten);
    const auto nah = [](double x, double y) {
        return std::fabs(x - y) <= 1e-6 * std::max(1.0, std::fabs(y));
    };
    return a.anzahl == b.anzahl && a.anzahl > 0 && nah(a.km, b.km) && nah(a.ertrag, b.ertrag) &&
           nah(a.kosten, b.kosten);
}

} // namespace

BENCHMARK(DriverYear_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(DriverYear_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(AllTours_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(AllTours_sqlite)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    const double scale = TakeScaleArgument(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fleet f;
    flotte = &f;
    f.path = QString::fromStdString(f.dir.str());
    const FleetSize size = FleetSize::scaled(scale);
    std::printf("fleet: %d vehicles, %d tours in %s\n", size.vehicles, size.tours, f.dir.str().c_str());
    QList<dbe::TableDef> katalog;
    for (const char *t : {"KfzStamm.db", "KfzVar.db", "KfzTour.db"})
        katalog << *fleet::KatalogTabelle(QString::fromLatin1(t));
    generateFleet(f.path, size, katalog);
    f.session = std::make_unique<dbe::TSession>(QDir(f.path).filePath(QStringLiteral("dbe.cfg")));
    f.session->AddStandardAlias(fleet::kAliasFuhrpark, f.path);
    sqlite3_open(QDir(f.path).filePath(QStringLiteral("dbe.sqlite")).toUtf8().constData(), &f.db);
    sqlite3_busy_timeout(f.db, 5000);
    // Kilometre rates from 0,25 to 0,44; every 50th vehicle is gone from the
    // master, so its tours cost nothing on both sides.
    sqlite3_exec(f.db,
                 "UPDATE kfzstamm SET FreifeldWae1 = 0.25 + (rowid % 20) * 0.01; "
                 "DELETE FROM kfzstamm WHERE rowid % 50 = 0",
                 nullptr, nullptr, nullptr);

    // Both sides must compute the same figures, or the ratio means nothing.
    if (!gleich("driver's year", fahrerJahrOurs(), fahrerJahrSqlite()) ||
        !gleich("all tours", alleTourenOurs(), alleTourenSqlite()))
        return 1;
    RatioReporter reporter("ours", "ratio tour sums / SQLite, CPU time:");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    sqlite3_close(f.db);
    f.session.reset();
    flotte = nullptr;
    return 0;
}
