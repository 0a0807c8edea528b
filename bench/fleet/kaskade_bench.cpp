// Deleting the current vehicle with about 1,000 detail rows through the
// program's delete (locks, the bookings' delete rule, the detail rows table by
// table, the vehicle row, one transaction, the client's vehicle count) against plain DELETE
// statements of the same rows in one transaction, on a generated client
// directory. The vehicle and its rows are written back between the rounds,
// outside the measurement, with the client's vehicle count as the program
// stores it once the vehicle is there.
// Then a vehicle with about 40,000 detail rows is deleted once while a second
// workstation (a process of its own on the same directory) keeps posting rows
// to a table of the same client: its longest wait for one post is printed,
// with the cascade's time against the plain DELETE statements of those rows.
//   kaskade_bench [--scale=F] [benchmark options]   (F = 1: 1,000 vehicles, 40,000 rows)
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <ctime>

#include <poll.h>
#include <unistd.h>

#include <sqlite3.h>

#include <QCoreApplication>
#include <QDir>
#include <QProcess>

#include <benchmark/benchmark.h>

#include "bench_fleet.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/ErsterStart.h"
#include "daten/schema/Katalog.h"
#include "dbe/Field.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "dbe/detail/Database.h"
#include "fleet_generator.h"
#include "regeln/FahrzeugRegeln.h"

namespace {

BenchFleet *flotte = nullptr;

// The vehicle's tables; every one names the vehicle in a column "KfzNr" (any case).
const char *const kTabellen[] = {"kfztour",  "kfzvar",  "kfzmonat", "kfzreif",       "kfzhisto",
                                 "kfzschad", "kfzbild", "kfzdispo", "kfztermininfo", "kfzstamm"};
const char *const kOpfer = "K-00000";
// The large vehicle: the detail rows of other vehicles, copied under its number.
const char *const kGrossesOpfer = "K-GROSS";

void ausfuehren(sqlite3 *db, const QByteArray &sql)
{
    char *fehler = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &fehler) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql.constData(), fehler);
        std::abort();
    }
}

void ausfuehren(const QByteArray &sql)
{
    ausfuehren(flotte->db(), sql);
}

// Copies of a vehicle's rows in temporary tables "<vorlage>_<table>", written back before each round.
// The copies and the writing back go through the connection given (the
// reference's by default).
void vorlagenAnlegen(const char *vorlage, const char *kfz, sqlite3 *db = nullptr)
{
    for (const char *t : kTabellen)
        ausfuehren(db ? db : flotte->db(), QByteArray("CREATE TEMP TABLE ") + vorlage + "_" + t +
                                               " AS SELECT * FROM main." + t + " WHERE KfzNr = '" + kfz +
                                               "'");
}

void zurueckschreiben(const char *vorlage, sqlite3 *db = nullptr)
{
    db = db ? db : flotte->db();
    ausfuehren(db, "BEGIN");
    for (const char *t : kTabellen)
        ausfuehren(db, QByteArray("INSERT INTO main.") + t + " SELECT * FROM " + vorlage + "_" + t);
    ausfuehren(db, "COMMIT");
}

long long zeilenVon(const char *kfz)
{
    long long n = 0;
    for (const char *t : kTabellen) {
        sqlite3_stmt *s =
            flotte->Prepare((QByteArray("SELECT COUNT(*) FROM main.") + t + " WHERE KfzNr = ?1").constData());
        sqlite3_bind_text(s, 1, kfz, -1, SQLITE_STATIC);
        sqlite3_step(s);
        n += sqlite3_column_int64(s, 0);
        sqlite3_finalize(s);
    }
    return n;
}

// The program's own storage connection to the client's directory (the data
// module's tables use the default session). The program's rounds write the
// rows back through it, as if the program had written them: its cache stays as
// warm as the reference's, which writes them back through its own (through
// another connection, the program would read every page again after each
// write-back).
dbe::detail::Database &programmSpeicher()
{
    return dbe::TSession::Default().databaseFor(fleet::kAliasFuhrpark);
}

// The vehicle made current, as the user picks it before deleting.
bool aufsuchen(fleet::TDataModule1 &dm, const char *kfz)
{
    dm.TTblMain.Refresh();
    return dm.TTblMain.Locate(QStringLiteral("KfzNr"), QString::fromLatin1(kfz));
}

bool programmLoescht(fleet::TDataModule1 &dm, const char *kfz)
{
    if (!aufsuchen(dm, kfz))
        return false;
    dm.TTblMain.Delete();
    return true;
}

void plainLoeschen(const std::vector<sqlite3_stmt *> &loeschen, const char *kfz)
{
    ausfuehren("BEGIN");
    for (sqlite3_stmt *s : loeschen) {
        sqlite3_bind_text(s, 1, kfz, -1, SQLITE_STATIC);
        sqlite3_step(s);
        sqlite3_reset(s);
    }
    ausfuehren("COMMIT");
}

std::vector<sqlite3_stmt *> loeschAnweisungen()
{
    std::vector<sqlite3_stmt *> loeschen;
    for (const char *t : kTabellen)
        loeschen.push_back(
            flotte->Prepare((QByteArray("DELETE FROM main.") + t + " WHERE KfzNr = ?1").constData()));
    return loeschen;
}

void Cascade_ours(benchmark::State &state)
{
    fleet::TDataModule1 dm;
    fleet::DataModule1 = &dm;
    dbe::detail::Database &programm = programmSpeicher();
    for (auto _ : state) {
        state.PauseTiming();
        zurueckschreiben("programm", programm.handle());
        programm.noteChange();
        const bool da = aufsuchen(dm, kOpfer);
        // The count as the program stores it once the vehicle is there.
        fleet::FahrzeugAnzahlSpeichern(dm);
        state.ResumeTiming();
        if (!da) {
            state.SkipWithError("the vehicle is not there");
            break;
        }
        dm.TTblMain.Delete();
    }
    fleet::DataModule1 = nullptr;
}

void Cascade_sqlite(benchmark::State &state)
{
    const std::vector<sqlite3_stmt *> loeschen = loeschAnweisungen();
    for (auto _ : state) {
        state.PauseTiming();
        zurueckschreiben("vorlage");
        state.ResumeTiming();
        plainLoeschen(loeschen, kOpfer);
    }
    for (sqlite3_stmt *s : loeschen)
        sqlite3_finalize(s);
}

// ---- the second workstation

const char *const kZweiterSchalter = "--zweiter-arbeitsplatz=";

bool zeileDa()
{
    pollfd p{STDIN_FILENO, POLLIN, 0};
    return poll(&p, 1, 0) > 0;
}

// A process of its own on the client directory: answers "bereit", starts
// posting rows to the group table at "los" (one every 2 ms), answers "laeuft"
// after its first post, and at the next line prints its longest wait for one
// post and the number of posts.
int zweiterArbeitsplatz(int argc, char **argv, const QString &verzeichnis)
{
    QCoreApplication app(argc, argv);
    dbe::TSession session;
    dbe::TTable gruppen(&session);
    gruppen.SetDatabaseName(verzeichnis);
    gruppen.SetTableName(QStringLiteral("KfzGruppe.db"));
    gruppen.Open();
    std::printf("bereit\n");
    std::fflush(stdout);
    char zeile[64];
    if (!std::fgets(zeile, sizeof zeile, stdin))
        return 1;
    double laengste = 0;
    int posts = 0;
    while (posts == 0 || !zeileDa()) {
        const auto start = std::chrono::steady_clock::now();
        gruppen.Append();
        gruppen.FieldByName(QStringLiteral("Gruppe"))
            ->SetAsString(QStringLiteral("Zweiter Platz %1").arg(posts));
        gruppen.Post();
        laengste = std::max(
            laengste,
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        if (++posts == 1) {
            std::printf("laeuft\n");
            std::fflush(stdout);
        }
        usleep(2000);
    }
    std::printf("%.1f %d\n", laengste, posts);
    std::fflush(stdout);
    return 0;
}

QByteArray zeileLesen(QProcess &p)
{
    while (!p.canReadLine())
        if (!p.waitForReadyRead(30000))
            return {};
    return p.readLine().trimmed();
}

double cpuMs()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec * 1e3 + t.tv_nsec / 1e6;
}

// Copies the detail rows of vehicles K-00001 onwards under the large
// vehicle's number until about `zeilen` rows are there, with a master row.
long long grossesOpferAnlegen(long long zeilen, long long jeFahrzeug, int fahrzeuge)
{
    const int kopien =
        std::clamp(static_cast<int>(std::ceil(static_cast<double>(zeilen) / std::max(1LL, jeFahrzeug))), 1,
                   fahrzeuge - 2);
    const QByteArray bis = vehicleNumber(kopien).toLatin1();
    ausfuehren("BEGIN");
    for (const char *t : kTabellen) {
        const QByteArray wo = std::strcmp(t, "kfzstamm") == 0
                                  ? QByteArray("KfzNr = '") + kOpfer + "'"
                                  : QByteArray("KfzNr BETWEEN 'K-00001' AND '") + bis + "'";
        ausfuehren(QByteArray("CREATE TEMP TABLE kopie AS SELECT * FROM main.") + t + " WHERE " + wo);
        ausfuehren(QByteArray("UPDATE kopie SET KfzNr = '") + kGrossesOpfer + "'");
        ausfuehren(QByteArray("INSERT INTO main.") + t + " SELECT * FROM kopie");
        ausfuehren("DROP TABLE kopie");
    }
    ausfuehren("COMMIT");
    return zeilenVon(kGrossesOpfer);
}

// The large vehicle deleted once through the program while the second
// workstation posts, then once with plain statements.
int zweiterSchreiberMessen(const char *programm, long long zeilen)
{
    QProcess zweiter;
    zweiter.start(QString::fromLocal8Bit(programm), {QLatin1String(kZweiterSchalter) + flotte->path()});
    if (!zweiter.waitForStarted(10000) || zeileLesen(zweiter) != "bereit") {
        std::fprintf(stderr, "the second workstation did not start\n");
        return 1;
    }
    zweiter.write("los\n");
    if (zeileLesen(zweiter) != "laeuft") {
        std::fprintf(stderr, "the second workstation cannot post\n");
        return 1;
    }
    double wand = 0, cpu = 0;
    bool geloescht = false;
    {
        fleet::TDataModule1 dm;
        fleet::DataModule1 = &dm;
        geloescht = aufsuchen(dm, kGrossesOpfer);
        const double cpu0 = cpuMs();
        const auto start = std::chrono::steady_clock::now();
        if (geloescht)
            dm.TTblMain.Delete();
        wand = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        cpu = cpuMs() - cpu0;
        fleet::DataModule1 = nullptr;
    }
    zweiter.write("halt\n");
    const QList<QByteArray> antwort = zeileLesen(zweiter).split(' ');
    zweiter.closeWriteChannel();
    zweiter.waitForFinished(10000);
    if (!geloescht || zeilenVon(kGrossesOpfer) != 0 || antwort.size() != 2) {
        std::fprintf(stderr, "the large cascade left %lld rows, or the second workstation failed\n",
                     zeilenVon(kGrossesOpfer));
        return 1;
    }

    zurueckschreiben("gross");
    const std::vector<sqlite3_stmt *> loeschen = loeschAnweisungen();
    const double cpu0 = cpuMs();
    plainLoeschen(loeschen, kGrossesOpfer);
    const double plain = cpuMs() - cpu0;
    for (sqlite3_stmt *s : loeschen)
        sqlite3_finalize(s);

    std::printf("\ncascade of a vehicle with %lld rows while a second workstation posts:\n", zeilen);
    std::printf("  second workstation, longest wait of one post: %s ms (%s posts during the run)\n",
                antwort[0].constData(), antwort[1].constData());
    std::printf("  cascade %.1f ms wall, %.2f ms CPU against %.2f ms CPU plain DELETE statements = %.2f\n",
                wand, cpu, plain, cpu / plain);
    return 0;
}

// The same work as the program's delete: the plain DELETE statements in one
// transaction, then the client's vehicle count written in the clients' table
// (a database of its own) with a commit of its own.
void Cascade_sqlite_count(benchmark::State &state)
{
    const std::vector<sqlite3_stmt *> loeschen = loeschAnweisungen();
    sqlite3 *mandanten = nullptr;
    {
        dbe::TSession session;
        const QString datei = QDir(session.DirectoryOf(fleet::kAliasFuhrpkMand)).filePath("dbe.sqlite");
        if (sqlite3_open(datei.toUtf8().constData(), &mandanten) != SQLITE_OK) {
            state.SkipWithError("the clients' table cannot be opened");
            return;
        }
    }
    sqlite3_stmt *zaehlen = flotte->Prepare("SELECT count(*) FROM kfzstamm");
    sqlite3_stmt *anzahl = nullptr;
    sqlite3_prepare_v2(mandanten, "UPDATE mandant SET AnzahlFahrzeuge = ?1 WHERE Mandant = ?2", -1, &anzahl,
                       nullptr);
    const auto anzahlSchreiben = [&] {
        sqlite3_step(zaehlen);
        sqlite3_bind_int(anzahl, 1, sqlite3_column_int(zaehlen, 0));
        sqlite3_reset(zaehlen);
        sqlite3_bind_text(anzahl, 2, "Mandant1", -1, SQLITE_STATIC);
        const bool begonnen =
            sqlite3_exec(mandanten, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr) == SQLITE_OK;
        const bool geschrieben = sqlite3_step(anzahl) == SQLITE_DONE && sqlite3_changes(mandanten) == 1;
        sqlite3_reset(anzahl);
        return sqlite3_exec(mandanten, "COMMIT", nullptr, nullptr, nullptr) == SQLITE_OK && begonnen &&
               geschrieben;
    };
    for (auto _ : state) {
        state.PauseTiming();
        zurueckschreiben("vorlage");
        // The count as the program stores it once the vehicle is there, so
        // that the measured write changes it as the program's does.
        const bool vorher = anzahlSchreiben();
        state.ResumeTiming();
        plainLoeschen(loeschen, kOpfer);
        if (!vorher || !anzahlSchreiben()) {
            state.SkipWithError("the client's row cannot be written");
            break;
        }
    }
    for (sqlite3_stmt *s : loeschen)
        sqlite3_finalize(s);
    sqlite3_finalize(zaehlen);
    sqlite3_finalize(anzahl);
    sqlite3_close(mandanten);
}

} // namespace

BENCHMARK(Cascade_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(Cascade_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(Cascade_sqlite_count)->Name("Cascade_sqlite-count")->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    if (argc == 2 && std::strncmp(argv[1], kZweiterSchalter, std::strlen(kZweiterSchalter)) == 0)
        return zweiterArbeitsplatz(argc, argv,
                                   QString::fromLocal8Bit(argv[1] + std::strlen(kZweiterSchalter)));
    const char *programm = argv[0];
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
    vorlagenAnlegen("vorlage", kOpfer);
    vorlagenAnlegen("programm", kOpfer, programmSpeicher().handle());
    const long long zeilen = zeilenVon(kOpfer);
    const long long grosseZeilen =
        grossesOpferAnlegen(std::max(500LL, static_cast<long long>(40000 * scale)), zeilen, size.vehicles);
    vorlagenAnlegen("gross", kGrossesOpfer);
    std::printf("fleet: %d vehicles; the deleted one has %lld rows with its own, the large one %lld, in %s\n",
                size.vehicles, zeilen, grosseZeilen, f.base().c_str());
    // The program's way must delete every row before its time means anything.
    {
        fleet::TDataModule1 dm;
        fleet::DataModule1 = &dm;
        const bool geloescht = programmLoescht(dm, kOpfer);
        fleet::DataModule1 = nullptr;
        if (!geloescht || zeilenVon(kOpfer) != 0) {
            std::fprintf(stderr, "the cascade left %lld rows\n", zeilenVon(kOpfer));
            return 1;
        }
    }
    RunBenchmarksWithRatios("ours", "ratio cascade / plain DELETE statements, CPU time:");
    const int rc = zweiterSchreiberMessen(programm, grosseZeilen);
    flotte = nullptr;
    return rc;
}
