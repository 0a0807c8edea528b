#pragma once

#include <memory>
#include <string>

#include <QString>

#include "temp_dir.h"

struct sqlite3;
struct sqlite3_stmt;

namespace dbe {
class TSession;
class TTable;
} // namespace dbe

// The fleet a benchmark works on: a temporary directory with the generated
// tables, reached through the database layer (a session of its own) and
// through plain SQLite (one connection to the same file).
class BenchFleet {
public:
    BenchFleet();
    ~BenchFleet();
    BenchFleet(const BenchFleet &) = delete;
    BenchFleet &operator=(const BenchFleet &) = delete;

    // The temporary directory; removed with everything in it at the end.
    std::string base() const { return dir_.str(); }
    // The directory of the fleet's tables: the temporary directory itself, or
    // the client directory "Datenbk" after UseAsMachine().
    const QString &path() const { return path_; }

    // Points the program's data root and engine configuration into the
    // temporary directory (environment), so that the program's first start
    // sets up its machine there; path() becomes the first client's directory.
    void UseAsMachine();

    // Opens the session and the SQLite connection on path(), once the tables
    // are written.
    void Open();

    dbe::TSession &session() const { return *session_; }
    sqlite3 *db() const { return db_; }

    // A table of the fleet, opened, ordered by the index fields ("" for the primary index).
    std::unique_ptr<dbe::TTable> OpenTable(const char *name, const char *indexFields = "") const;
    // A prepared statement; a statement SQLite refuses ends the benchmark with its message.
    sqlite3_stmt *Prepare(const char *sql) const;

private:
    testsupport::TempDir dir_;
    QString path_;
    std::unique_ptr<dbe::TSession> session_;
    sqlite3 *db_ = nullptr;
};

// The start of a benchmark's main: "--scale=F" taken out of the arguments, the
// benchmark library initialised with the rest. Returns the scale (1 without it).
double StartBenchmarks(int &argc, char **argv);

// Runs the registered benchmarks and prints the ratio of each pair
// "<Name>_<ours>" / "<Name>_sqlite" under the heading.
void RunBenchmarksWithRatios(const char *ours, const char *heading);
