#include "bench_fleet.h"

#include <sqlite3.h>

#include <cstdio>
#include <cstdlib>

#include <QDir>

#include <benchmark/benchmark.h>

#include "dbe/Session.h"
#include "dbe/Table.h"
#include "ratio_reporter.h"

BenchFleet::BenchFleet() : path_(QString::fromStdString(dir_.str())) {}

BenchFleet::~BenchFleet()
{
    if (db_)
        sqlite3_close(db_);
    session_.reset();
}

void BenchFleet::UseAsMachine()
{
    const std::string b = base();
    setenv("XDG_DATA_HOME", (b + "/daten").c_str(), 1);
    setenv("XDG_CONFIG_HOME", (b + "/config").c_str(), 1);
    setenv("KARVENFP_CONFIG_DIR", (b + "/config/karvenfp").c_str(), 1);
    path_ = QString::fromStdString(b) + QStringLiteral("/daten/karvenfp/Datenbk");
}

void BenchFleet::Open()
{
    session_ = std::make_unique<dbe::TSession>(QDir(path_).filePath(QStringLiteral("dbe.cfg")));
    if (sqlite3_open(QDir(path_).filePath(QStringLiteral("dbe.sqlite")).toUtf8().constData(), &db_) !=
        SQLITE_OK) {
        std::fprintf(stderr, "cannot open the fleet in %s\n", qPrintable(path_));
        std::abort();
    }
    sqlite3_busy_timeout(db_, 5000);
}

std::unique_ptr<dbe::TTable> BenchFleet::OpenTable(const char *name, const char *indexFields) const
{
    auto t = std::make_unique<dbe::TTable>(session_.get());
    t->SetDatabaseName(path_);
    t->SetTableName(QString::fromLatin1(name));
    t->SetIndexFieldNames(QString::fromLatin1(indexFields));
    t->Open();
    return t;
}

sqlite3_stmt *BenchFleet::Prepare(const char *sql) const
{
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(db_, sql, -1, &s, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(db_));
        std::abort();
    }
    return s;
}

double StartBenchmarks(int &argc, char **argv)
{
    const double scale = TakeScaleArgument(argc, argv);
    benchmark::Initialize(&argc, argv);
    return scale;
}

void RunBenchmarksWithRatios(const char *ours, const char *heading)
{
    RatioReporter reporter(ours, heading);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}
