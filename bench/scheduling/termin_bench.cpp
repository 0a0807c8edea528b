// The rebuild of the due-appointment list (the rows written to Termine.DB,
// without painting) against the plain SQLite statement that selects the same
// due pairs and note flags from the vehicle master and the notes.
//   due_list_bench [--scale=F] [benchmark options]   (F = 1: 10,000 vehicles)
// Vehicles have HU and AU dates around today and a small inspection's
// odometer reading around their own; every tenth vehicle has notes on its
// HU and inspection values.
#include <memory>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QDir>

#include "base/DateTime.h"
#include "base/GermanFormat.h"
#include "daten/Aliase.h"
#include "dbe/Field.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "logik/FaelligeTermine.h"
#include "ratio_reporter.h"
#include "regeln/Terminarten.h"
#include "termin_umgebung.h"

namespace {

using fleet::termine::FaelligeTermine;
using fleet::termine::ListenVorgaben;

struct Bench {
    std::unique_ptr<termintest::TerminUmgebung> u;
    sqlite3 *db = nullptr;
    ListenVorgaben vorgaben;
    std::string sql;
};
Bench *bench = nullptr;

QString kfzNummer(int i)
{
    return QStringLiteral("K-%1").arg(i, 5, 10, QLatin1Char('0'));
}

void fuellen(int fahrzeuge, base::TDateTime heute)
{
    dbe::TSession &s = bench->u->session();
    dbe::TTable stamm(&s), notizen(&s);
    stamm.SetDatabaseName(fleet::kAliasFuhrpark);
    stamm.SetTableName(QStringLiteral("KfzStamm.db"));
    stamm.Open();
    notizen.SetDatabaseName(fleet::kAliasFuhrpark);
    notizen.SetTableName(QStringLiteral("KfzTerminInfo.db"));
    notizen.Open();
    dbe::TTransaction zusammen(s, fleet::kAliasFuhrpark);
    auto notiz = [&](const QString &kfzNr, const QString &name, const QString &wert) {
        notizen.Append();
        notizen.FieldByName(QStringLiteral("Kfznr"))->SetAsString(kfzNr);
        notizen.FieldByName(QStringLiteral("TerminName"))->SetAsString(name);
        notizen.FieldByName(QStringLiteral("TerminWert"))->SetAsString(wert);
        notizen.FieldByName(QStringLiteral("TerminInfo"))->SetAsString(QStringLiteral("Werkstatt anrufen"));
        notizen.Post();
    };
    for (int i = 0; i < fahrzeuge; ++i) {
        const QString nr = kfzNummer(i);
        const double km = 10000 + (i * 37) % 150000;
        stamm.Append();
        stamm.FieldByName(QStringLiteral("KfzNr"))->SetAsString(nr);
        stamm.FieldByName(QStringLiteral("KfzKmStand"))->SetAsFloat(km);
        stamm.FieldByName(QStringLiteral("Info"))->SetAsString(QStringLiteral("Fahrzeug %1").arg(i));
        stamm.FieldByName(QStringLiteral("KfzTUEVTermin"))->SetAsDateTime(heute + (i * 7919) % 600 - 200);
        stamm.FieldByName(QStringLiteral("KfzASUTermin"))->SetAsDateTime(heute + (i * 104729) % 500 - 100);
        stamm.FieldByName(QStringLiteral("KfzKlInspektionTermin"))->SetAsFloat(km + (i * 31) % 4000 - 1500);
        stamm.Post();
        if (i % 10 == 0) {
            notiz(nr, QStringLiteral("TTblTermineTUEVTermin"),
                  stamm.FieldByName(QStringLiteral("KfzTUEVTermin"))->AsString());
            notiz(nr, QStringLiteral("TTblTermineKlInspektionTermin"),
                  stamm.FieldByName(QStringLiteral("KfzKlInspektionTermin"))->AsString());
        }
    }
    zusammen.Commit();
}

// One SELECT: per kind the value when due and whether a note holds exactly
// that value's text; the rows of vehicles with at least one due kind. Dates
// are stored as days since 30.12.1899; odometer values are whole numbers.
std::string referenzSql(const ListenVorgaben &v)
{
    const QList<fleet::Terminart> &arten = fleet::Terminarten();
    QStringList spalten, faellig;
    for (const fleet::Terminart &a : arten) {
        const QString c = a.stammFeld;
        const QString bedingung = a.km ? QStringLiteral("(round(s.KfzKmStand) >= round(s.%1) - %2)")
                                             .arg(c)
                                             .arg(v.schwellen.vorwarnKm)
                                       : QStringLiteral("(CAST(s.%1 AS INTEGER) - %2 BETWEEN %3 AND %4)")
                                             .arg(c)
                                             .arg(v.schwellen.vorwarnTage)
                                             .arg(static_cast<long long>(v.stichtagVon))
                                             .arg(static_cast<long long>(v.stichtagBis));
        const QString text = a.km ? QStringLiteral("printf('%d', CAST(s.%1 AS INTEGER))").arg(c)
                                  : QStringLiteral("strftime('%d.%m.%Y', s.%1 + 2415018.5)").arg(c);
        faellig << QStringLiteral("(s.%1 IS NOT NULL AND %2)").arg(c, bedingung);
        spalten << QStringLiteral("CASE WHEN s.%1 IS NOT NULL AND %2 THEN s.%1 END").arg(c, bedingung)
                << QStringLiteral(
                       "CASE WHEN s.%1 IS NOT NULL AND %2 THEN EXISTS(SELECT 1 FROM kfztermininfo n "
                       "WHERE n.Kfznr = s.KfzNr AND n.TerminName = '%3' AND n.TerminWert = %4) END")
                       .arg(c, bedingung, a.terminName(), text);
    }
    return QStringLiteral(
               "SELECT s.KfzNr, s.Info, round(s.KfzKmStand), %1 FROM kfzstamm s WHERE %2 ORDER BY s.KfzNr")
        .arg(spalten.join(QStringLiteral(", ")), faellig.join(QStringLiteral(" OR ")))
        .toStdString();
}

int referenzZeilen(benchmark::State *state)
{
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(bench->db, bench->sql.c_str(), -1, &s, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s\n", sqlite3_errmsg(bench->db));
        std::abort();
    }
    int zeilen = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        ++zeilen;
        for (int c = 0; c < sqlite3_column_count(s); ++c)
            benchmark::DoNotOptimize(sqlite3_column_text(s, c));
    }
    sqlite3_finalize(s);
    (void)state;
    return zeilen;
}

void DueList_ours(benchmark::State &state)
{
    for (auto _ : state) {
        FaelligeTermine aufbau(bench->u->dm());
        benchmark::DoNotOptimize(aufbau.einlesen(bench->vorgaben).zeilen);
    }
}

void DueList_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(referenzZeilen(&state));
}

} // namespace

BENCHMARK(DueList_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(DueList_sqlite)->Unit(benchmark::kMillisecond);

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
    const base::TDateTime heute = base::encodeDate(2024, 3, 15);
    fuellen(fahrzeuge, heute);
    b.vorgaben.stichtagVon = heute - 365;
    b.vorgaben.stichtagBis = heute;
    b.vorgaben.schwellen = {30, 1000, 10, 500};
    b.vorgaben.beobachtet.fill(true);
    b.sql = referenzSql(b.vorgaben);
    const QString verzeichnis = b.u->session().DirectoryOf(fleet::kAliasFuhrpark);
    sqlite3_open(QDir(verzeichnis).filePath(QStringLiteral("dbe.sqlite")).toUtf8().constData(), &b.db);
    sqlite3_busy_timeout(b.db, 5000);
    // Both sides must list the same vehicles, or the ratio means nothing.
    FaelligeTermine probe(b.u->dm());
    const int unsere = probe.einlesen(b.vorgaben).zeilen;
    const int referenz = referenzZeilen(nullptr);
    std::printf("fleet: %d vehicles, due rows: ours %d, SQLite %d\n", fahrzeuge, unsere, referenz);
    if (unsere != referenz)
        return 1;
    RatioReporter reporter("ours", "ratio due-list rebuild / SQLite select, CPU time:");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    sqlite3_close(b.db);
    b.u.reset();
    bench = nullptr;
    return 0;
}
