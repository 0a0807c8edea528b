// The database layer against the plain SQLite statements that do the same
// work, on a generated fleet. Prints the ratio layer / SQLite per operation.
//   dbe_bench [--scale=F] [benchmark options]   (F = 1: 10,000 vehicles)
#include <malloc.h>
#include <map>
#include <memory>
#include <optional>
#include <random>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QDir>

#include "dbe/EngineCursor.h"
#include "dbe/ReadScope.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "fleet_generator.h"
#include "ratio_reporter.h"
#include "temp_dir.h"

namespace {

struct Fleet {
    testsupport::TempDir dir;
    QString path;
    FleetSize size;
    std::unique_ptr<dbe::TSession> session;
    sqlite3 *db = nullptr;
};
Fleet *fleet = nullptr;

std::unique_ptr<dbe::TTable> openTable(const char *name, const char *indexFields = "")
{
    auto t = std::make_unique<dbe::TTable>(fleet->session.get());
    t->SetDatabaseName(fleet->path);
    t->SetTableName(QString::fromLatin1(name));
    t->SetIndexFieldNames(QString::fromLatin1(indexFields));
    t->Open();
    return t;
}

sqlite3_stmt *prepare(const char *sql)
{
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(fleet->db, sql, -1, &s, nullptr) != SQLITE_OK)
        std::abort();
    return s;
}

// Reads every column of the current row, as a caller of SQLite would.
void readRow(sqlite3_stmt *s)
{
    const int n = sqlite3_column_count(s);
    for (int c = 0; c < n; ++c) {
        switch (sqlite3_column_type(s, c)) {
        case SQLITE_TEXT:
            benchmark::DoNotOptimize(QString::fromUtf8(
                reinterpret_cast<const char *>(sqlite3_column_text(s, c)), sqlite3_column_bytes(s, c)));
            break;
        case SQLITE_FLOAT:
            benchmark::DoNotOptimize(sqlite3_column_double(s, c));
            break;
        default:
            benchmark::DoNotOptimize(sqlite3_column_int64(s, c));
        }
    }
}

void bindText(sqlite3_stmt *s, int i, const QString &v)
{
    const QByteArray u = v.toUtf8();
    sqlite3_bind_text(s, i, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
}

// ---- opening a cursor on the largest table in index order

void OpenCursor_layer(benchmark::State &state)
{
    for (auto _ : state) {
        auto t = openTable("KfzVar.db", "KfzNr");
        benchmark::DoNotOptimize(t->FieldByName(QStringLiteral("KfzNr"))->AsString());
    }
}

void OpenCursor_sqlite(benchmark::State &state)
{
    for (auto _ : state) {
        sqlite3_stmt *s =
            prepare("SELECT rowid, * FROM kfzvar ORDER BY KfzNr, BelegDatum, BelegNummer, rowid");
        sqlite3_step(s);
        readRow(s);
        sqlite3_finalize(s);
    }
}

// ---- 10,000 rows with Next

constexpr int kSteps = 10000;

void Next10000_layer(benchmark::State &state)
{
    auto t = openTable("KfzVar.db", "KfzNr");
    for (auto _ : state) {
        t->First();
        for (int i = 0; i < kSteps; ++i) {
            t->Next();
            if (t->Eof())
                t->First();
        }
    }
}

void Next10000_sqlite(benchmark::State &state)
{
    sqlite3_stmt *s = prepare("SELECT rowid, * FROM kfzvar ORDER BY KfzNr, BelegDatum, BelegNummer, rowid");
    for (auto _ : state) {
        sqlite3_reset(s);
        for (int i = 0; i < kSteps; ++i) {
            if (sqlite3_step(s) != SQLITE_ROW)
                sqlite3_reset(s);
            else
                readRow(s);
        }
    }
    sqlite3_finalize(s);
}

// ---- FindKey on the primary key and on a secondary index

void FindKeyPrimary_layer(benchmark::State &state)
{
    auto t = openTable("KfzStamm.db");
    std::mt19937 rng(1);
    for (auto _ : state)
        benchmark::DoNotOptimize(t->FindKey({vehicleNumber(static_cast<int>(rng() % fleet->size.vehicles))}));
}

void FindKeyPrimary_sqlite(benchmark::State &state)
{
    sqlite3_stmt *s = prepare("SELECT rowid, * FROM kfzstamm WHERE KfzNr = ? ORDER BY KfzNr, rowid LIMIT 1");
    std::mt19937 rng(1);
    for (auto _ : state) {
        sqlite3_reset(s);
        bindText(s, 1, vehicleNumber(static_cast<int>(rng() % fleet->size.vehicles)));
        if (sqlite3_step(s) == SQLITE_ROW)
            readRow(s);
    }
    sqlite3_finalize(s);
}

void FindKeySecondary_layer(benchmark::State &state)
{
    auto t = std::make_unique<dbe::TTable>(fleet->session.get());
    t->SetDatabaseName(fleet->path);
    t->SetTableName(QStringLiteral("KfzVar.db"));
    t->SetIndexName(QStringLiteral("ByBeleg"));
    t->Open();
    std::mt19937 rng(2);
    for (auto _ : state)
        benchmark::DoNotOptimize(t->FindKey({QStringLiteral("B%1").arg(rng() % fleet->size.costs)}));
}

void FindKeySecondary_sqlite(benchmark::State &state)
{
    sqlite3_stmt *s = prepare("SELECT rowid, * FROM kfzvar WHERE BelegNummer = ? "
                              "ORDER BY BelegNummer, KfzNr, BelegDatum, rowid LIMIT 1");
    std::mt19937 rng(2);
    for (auto _ : state) {
        sqlite3_reset(s);
        bindText(s, 1, QStringLiteral("B%1").arg(rng() % fleet->size.costs));
        if (sqlite3_step(s) == SQLITE_ROW)
            readRow(s);
    }
    sqlite3_finalize(s);
}

// ---- 100,000 inserts in one transaction

int insertCount()
{
    return std::max(1000, static_cast<int>(fleet->size.costs / 10));
}

void emptyDetail8()
{
    sqlite3_exec(fleet->db, "DELETE FROM detail8 WHERE Info = 'neu'", nullptr, nullptr, nullptr);
}

void Insert100k_layer(benchmark::State &state)
{
    auto t = openTable("Detail8.db");
    dbe::TField *nr = t->FieldByName(QStringLiteral("KfzNr"));
    dbe::TField *datum = t->FieldByName(QStringLiteral("Datum"));
    dbe::TField *info = t->FieldByName(QStringLiteral("Info"));
    dbe::TField *betrag = t->FieldByName(QStringLiteral("Betrag"));
    const int n = insertCount();
    for (auto _ : state) {
        {
            dbe::TTransaction tx(*fleet->session, fleet->path);
            for (int i = 0; i < n; ++i) {
                t->Append();
                nr->SetAsString(QStringLiteral("N-%1").arg(i));
                datum->SetAsFloat(45000 + i % 300);
                info->SetAsString(QStringLiteral("neu"));
                betrag->SetAsFloat(i);
                t->Post();
            }
            tx.Commit();
        }
        state.PauseTiming();
        emptyDetail8();
        t->Refresh();
        state.ResumeTiming();
    }
}

void Insert100k_sqlite(benchmark::State &state)
{
    sqlite3_stmt *s = prepare("INSERT INTO detail8 (KfzNr, Datum, Info, Betrag) VALUES (?,?,?,?)");
    const int n = insertCount();
    for (auto _ : state) {
        sqlite3_exec(fleet->db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        for (int i = 0; i < n; ++i) {
            sqlite3_reset(s);
            bindText(s, 1, QStringLiteral("N-%1").arg(i));
            sqlite3_bind_double(s, 2, 45000 + i % 300);
            bindText(s, 3, QStringLiteral("neu"));
            sqlite3_bind_double(s, 4, i);
            sqlite3_step(s);
        }
        sqlite3_exec(fleet->db, "COMMIT", nullptr, nullptr, nullptr);
        state.PauseTiming();
        emptyDetail8();
        state.ResumeTiming();
    }
    sqlite3_finalize(s);
}

// ---- the main window scrolling: 1,000 vehicles with ten details linked

constexpr const char *kDetails[] = {"KfzVar.db",  "KfzTour.db", "Detail1.db", "Detail2.db", "Detail3.db",
                                    "Detail4.db", "Detail5.db", "Detail6.db", "Detail7.db", "Detail8.db"};

int scrollCount()
{
    return std::min(1000, fleet->size.vehicles);
}

// Steps the master with its ten details linked; as a walk of the program's own (an evaluation over
// every vehicle) when `walk` is set: then the reads share one bounded read transaction.
void masterDetailLayer(benchmark::State &state, bool walk)
{
    auto master = openTable("KfzStamm.db");
    dbe::TDataSource src(master.get());
    std::vector<std::unique_ptr<dbe::TTable>> details;
    for (const char *d : kDetails) {
        details.push_back(openTable(d, "KfzNr"));
        details.back()->SetMasterSource(&src);
        details.back()->SetMasterFields(QStringLiteral("KfzNr"));
    }
    for (auto _ : state) {
        std::optional<dbe::TReadScope> scope;
        if (walk)
            scope.emplace(*master);
        master->First();
        for (int i = 1; i < scrollCount(); ++i)
            master->Next();
    }
}

void MasterDetail1000_layer(benchmark::State &state)
{
    masterDetailLayer(state, false);
}

void MasterDetail1000Walk_layer(benchmark::State &state)
{
    masterDetailLayer(state, true);
}

// The same rows in the same order: the master in key order, and what each detail reads when the
// master moves, through the index of the layer's order, every column of every row read: its first
// row while nobody steps past it (as here), or a first page of up to 16 rows (what it read at every
// move before; the "page16" reference). One statement walks the master, so all moves share one read
// lock of the database.
std::vector<sqlite3_stmt *> prepareDetailReads(int detailRows)
{
    std::vector<sqlite3_stmt *> ds;
    for (const char *d : kDetails) {
        QString table = QString::fromLatin1(d).toLower();
        table.chop(3);
        const QString order = table == QLatin1String("kfzvar")
                                  ? QStringLiteral("KfzNr, BelegDatum, BelegNummer")
                              : table == QLatin1String("kfztour") ? QStringLiteral("KfzNr, Datum, Tour")
                                                                  : QStringLiteral("KfzNr, Datum");
        const QByteArray sql =
            QStringLiteral("SELECT rowid, * FROM %1 WHERE KfzNr = ? ORDER BY %2, rowid LIMIT %3")
                .arg(table, order)
                .arg(detailRows)
                .toUtf8();
        ds.push_back(prepare(sql.constData()));
    }
    return ds;
}

void readDetails(const std::vector<sqlite3_stmt *> &ds, const QString &nr)
{
    for (sqlite3_stmt *s : ds) {
        sqlite3_reset(s);
        bindText(s, 1, nr);
        while (sqlite3_step(s) == SQLITE_ROW)
            readRow(s);
    }
}

void masterDetailSqlite(benchmark::State &state, int detailRows)
{
    sqlite3_stmt *m = prepare("SELECT rowid, * FROM kfzstamm ORDER BY KfzNr, rowid");
    const std::vector<sqlite3_stmt *> ds = prepareDetailReads(detailRows);
    for (auto _ : state) {
        sqlite3_reset(m);
        for (int i = 0; i < scrollCount() && sqlite3_step(m) == SQLITE_ROW; ++i) {
            readRow(m);
            readDetails(ds, QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m, 1))));
        }
    }
    for (sqlite3_stmt *s : ds)
        sqlite3_finalize(s);
    sqlite3_finalize(m);
}

// The same reads as a program that, like a window, holds no read lock between two moves (the user
// may think for minutes while other workstations write): each move is a read transaction of its
// own, finding the master's next row by its key after the last one, then its details' first rows.
void MasterDetail1000_sqlite_permove(benchmark::State &state)
{
    sqlite3_stmt *begin = prepare("BEGIN");
    sqlite3_stmt *commit = prepare("COMMIT");
    sqlite3_stmt *first = prepare("SELECT rowid, * FROM kfzstamm ORDER BY KfzNr, rowid LIMIT 1");
    sqlite3_stmt *next =
        prepare("SELECT rowid, * FROM kfzstamm WHERE (KfzNr, rowid) > (?, ?) ORDER BY KfzNr, rowid LIMIT 1");
    const std::vector<sqlite3_stmt *> ds = prepareDetailReads(1);
    for (auto _ : state) {
        QString nr;
        sqlite3_int64 rowid = 0;
        for (int i = 0; i < scrollCount(); ++i) {
            sqlite3_step(begin);
            sqlite3_reset(begin);
            sqlite3_stmt *m = i == 0 ? first : next;
            if (i > 0) {
                bindText(m, 1, nr);
                sqlite3_bind_int64(m, 2, rowid);
            }
            if (sqlite3_step(m) == SQLITE_ROW) {
                readRow(m);
                rowid = sqlite3_column_int64(m, 0);
                nr = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m, 1)));
            }
            sqlite3_reset(m);
            readDetails(ds, nr);
            sqlite3_step(commit);
            sqlite3_reset(commit);
        }
    }
    for (sqlite3_stmt *s : ds)
        sqlite3_finalize(s);
    for (sqlite3_stmt *s : {begin, commit, first, next})
        sqlite3_finalize(s);
}

void MasterDetail1000_sqlite(benchmark::State &state)
{
    masterDetailSqlite(state, 1);
}

void MasterDetail1000_sqlite_page16(benchmark::State &state)
{
    masterDetailSqlite(state, 16);
}

void MasterDetail1000Walk_sqlite(benchmark::State &state)
{
    masterDetailSqlite(state, 1);
}

// ---- RecordCount under a filter text, and a filter tree, over the vehicles

void FilterTextCount_layer(benchmark::State &state)
{
    auto t = openTable("KfzStamm.db");
    t->SetFilter(QStringLiteral("(Gruppe = 'G3') and (KfzKmStand >= 0)"));
    t->SetFiltered(true);
    for (auto _ : state)
        benchmark::DoNotOptimize(t->Handle()->RecordCount()); // the engine's count, nothing remembered
}

// The count with the equivalent condition.
void FilterTextCount_sqlite(benchmark::State &state)
{
    sqlite3_stmt *s = prepare("SELECT count(*) FROM kfzstamm WHERE Gruppe = 'G3' AND KfzKmStand >= 0");
    for (auto _ : state) {
        sqlite3_reset(s);
        sqlite3_step(s);
        benchmark::DoNotOptimize(sqlite3_column_int(s, 0));
    }
    sqlite3_finalize(s);
}

// Reading every matching row in full (what counting cost before the filters were said in SQL).
void FilterTextCount_sqlite_rows(benchmark::State &state)
{
    sqlite3_stmt *s = prepare("SELECT rowid, * FROM kfzstamm WHERE Gruppe = 'G3' AND KfzKmStand >= 0");
    for (auto _ : state) {
        sqlite3_reset(s);
        int n = 0;
        while (sqlite3_step(s) == SQLITE_ROW) {
            readRow(s);
            ++n;
        }
        benchmark::DoNotOptimize(n);
    }
    sqlite3_finalize(s);
}

// A filter tree "Gruppe = 'G3'" as the navigation set writes it.
QByteArray groupTree()
{
    std::string buf(10 + 3 * 18, '\0');
    auto put16 = [&](size_t at, int v) {
        buf[at] = static_cast<char>(v & 0xFF);
        buf[at + 1] = static_cast<char>((v >> 8) & 0xFF);
    };
    auto put32 = [&](size_t at, int v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, (v >> 16) & 0xFFFF);
    };
    const std::string name = std::string("Gruppe") + '\0';
    const std::string value = std::string("G3") + '\0';
    put32(10, 2); // binary =
    put32(14, 3);
    put16(18, 18);
    put16(20, 36);
    put32(28, 4); // field 3 "Gruppe"
    put32(32, 13);
    put16(36, 3);
    put16(38, 0);
    put32(46, 5); // constant string "G3"
    put32(50, 14);
    put16(54, 1);
    put16(56, static_cast<int>(value.size()));
    put16(58, static_cast<int>(name.size()));
    buf += name + value;
    put16(0, 2);
    put16(2, static_cast<int>(buf.size()));
    put16(4, 3);
    put16(6, 10);
    put16(8, 10 + 3 * 18);
    return QByteArray(buf.data(), static_cast<qsizetype>(buf.size()));
}

void FilterTreeCount_layer(benchmark::State &state)
{
    auto t = openTable("KfzStamm.db");
    const int h = t->Handle()->AddFilter(groupTree());
    t->Handle()->ActivateFilter(h);
    for (auto _ : state)
        benchmark::DoNotOptimize(t->Handle()->RecordCount());
}

void FilterTreeCount_sqlite(benchmark::State &state)
{
    sqlite3_stmt *s = prepare("SELECT count(*) FROM kfzstamm WHERE Gruppe = 'G3'");
    for (auto _ : state) {
        sqlite3_reset(s);
        sqlite3_step(s);
        benchmark::DoNotOptimize(sqlite3_column_int(s, 0));
    }
    sqlite3_finalize(s);
}

void FilterTreeCount_sqlite_rows(benchmark::State &state)
{
    sqlite3_stmt *s = prepare("SELECT rowid, * FROM kfzstamm WHERE Gruppe = 'G3'");
    for (auto _ : state) {
        sqlite3_reset(s);
        int n = 0;
        while (sqlite3_step(s) == SQLITE_ROW) {
            readRow(s);
            ++n;
        }
        benchmark::DoNotOptimize(n);
    }
    sqlite3_finalize(s);
}

// ---- sums of two amounts: over all costs, and over one vehicle's costs in key order

const QStringList kAmounts{QStringLiteral("Benzin/Liter"), QStringLiteral("Benzin/Preis")};

void SumAllCosts_layer(benchmark::State &state)
{
    auto t = openTable("KfzVar.db");
    for (auto _ : state)
        benchmark::DoNotOptimize(t->SumFields(kAmounts, false));
}

void SumAllCosts_sqlite(benchmark::State &state)
{
    sqlite3_stmt *s = prepare("SELECT sum(\"Benzin/Liter\"), sum(\"Benzin/Preis\") FROM kfzvar");
    for (auto _ : state) {
        sqlite3_reset(s);
        sqlite3_step(s);
        benchmark::DoNotOptimize(sqlite3_column_double(s, 0) + sqlite3_column_double(s, 1));
    }
    sqlite3_finalize(s);
}

void SumVehicleCosts_layer(benchmark::State &state)
{
    auto t = openTable("KfzVar.db", "KfzNr");
    std::mt19937 rng(3);
    for (auto _ : state) {
        const QString nr = vehicleNumber(static_cast<int>(rng() % fleet->size.vehicles));
        t->SetRange({nr}, {nr});
        benchmark::DoNotOptimize(t->SumFields(kAmounts));
    }
}

void SumVehicleCosts_sqlite(benchmark::State &state)
{
    sqlite3_stmt *s =
        prepare("SELECT sum(\"Benzin/Liter\"), sum(\"Benzin/Preis\") FROM kfzvar WHERE KfzNr = ?");
    std::mt19937 rng(3);
    for (auto _ : state) {
        sqlite3_reset(s);
        bindText(s, 1, vehicleNumber(static_cast<int>(rng() % fleet->size.vehicles)));
        sqlite3_step(s);
        benchmark::DoNotOptimize(sqlite3_column_double(s, 0) + sqlite3_column_double(s, 1));
    }
    sqlite3_finalize(s);
}

// ---- memory of an open cursor: the same for a large and a small table

void OpenCursorMemory(benchmark::State &state)
{
    auto heapOf = [](const char *table) {
        const size_t before = mallinfo2().uordblks;
        auto t = openTable(table, "KfzNr");
        t->Next();
        const size_t after = mallinfo2().uordblks;
        return static_cast<double>(after > before ? after - before : 0);
    };
    heapOf("KfzVar.db"); // warm the statement cache
    heapOf("Detail1.db");
    double large = 0, small = 0;
    for (auto _ : state) {
        large = heapOf("KfzVar.db");
        small = heapOf("Detail1.db");
    }
    state.counters["heap_bytes_costs_table"] = large;
    state.counters["heap_bytes_small_table"] = small;
}

} // namespace

BENCHMARK(OpenCursor_layer)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenCursor_sqlite)->Unit(benchmark::kMicrosecond);
BENCHMARK(Next10000_layer)->Unit(benchmark::kMillisecond);
BENCHMARK(Next10000_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(FindKeyPrimary_layer)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindKeyPrimary_sqlite)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindKeySecondary_layer)->Unit(benchmark::kMicrosecond);
BENCHMARK(FindKeySecondary_sqlite)->Unit(benchmark::kMicrosecond);
BENCHMARK(Insert100k_layer)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(Insert100k_sqlite)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(MasterDetail1000_layer)->Unit(benchmark::kMillisecond);
BENCHMARK(MasterDetail1000_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(MasterDetail1000_sqlite_page16)
    ->Name("MasterDetail1000_sqlite-page16")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(MasterDetail1000_sqlite_permove)
    ->Name("MasterDetail1000_sqlite-permove")
    ->Unit(benchmark::kMillisecond);
BENCHMARK(MasterDetail1000Walk_layer)->Unit(benchmark::kMillisecond);
BENCHMARK(MasterDetail1000Walk_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(FilterTextCount_layer)->Unit(benchmark::kMillisecond);
BENCHMARK(FilterTextCount_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(FilterTextCount_sqlite_rows)->Name("FilterTextCount_sqlite-rows")->Unit(benchmark::kMillisecond);
BENCHMARK(FilterTreeCount_layer)->Unit(benchmark::kMillisecond);
BENCHMARK(FilterTreeCount_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(FilterTreeCount_sqlite_rows)->Name("FilterTreeCount_sqlite-rows")->Unit(benchmark::kMillisecond);
BENCHMARK(SumAllCosts_layer)->Unit(benchmark::kMillisecond);
BENCHMARK(SumAllCosts_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(SumVehicleCosts_layer)->Unit(benchmark::kMicrosecond);
BENCHMARK(SumVehicleCosts_sqlite)->Unit(benchmark::kMicrosecond);
BENCHMARK(OpenCursorMemory)->Iterations(1);

int main(int argc, char **argv)
{
    const double scale = TakeScaleArgument(argc, argv);
    benchmark::Initialize(&argc, argv);
    Fleet f;
    fleet = &f;
    f.path = QString::fromStdString(f.dir.str());
    f.size = FleetSize::scaled(scale);
    std::printf("fleet: %d vehicles, %d costs, %d tours in %s\n", f.size.vehicles, f.size.costs, f.size.tours,
                f.dir.str().c_str());
    generateFleet(f.path, f.size);
    f.session = std::make_unique<dbe::TSession>(QDir(f.path).filePath(QStringLiteral("dbe.cfg")));
    sqlite3_open(QDir(f.path).filePath(QStringLiteral("dbe.sqlite")).toUtf8().constData(), &f.db);
    sqlite3_busy_timeout(f.db, 5000);
    RatioReporter reporter("layer", "ratio layer / SQLite, CPU time (goal <= 2):");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    sqlite3_close(f.db);
    f.session.reset();
    fleet = nullptr;
    return 0;
}
