#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <vector>

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVariant>

#include "dbe/Schema.h"
#include "dbe/lock/TableLocks.h"

struct sqlite3;
struct sqlite3_stmt;

namespace dbe::detail {

// The layout of one stored table: its definition and the names used in SQL.
struct TableInfo {
    TableDef def;
    QString sqlName;                           // quoted table name in the storage
    QString key;                               // lower-case name without extension
    QString selectList;                        // "rowid, \"A\", \"B\", ..."
    QStringList quotedColumns;                 // the quoted column of each field
    int fieldIndex(const QString &name) const; // 0-based, any case; -1 when none

    // A reading order as cursors use it: the fields asked for with the primary key's remaining
    // fields after them, and the ORDER BY lists both ways. Built once per layout and order (the
    // storage index it needs then exists); a new layout is a new TableInfo.
    struct Order {
        QStringList fields;          // the fields asked for, as the definition spells them
        std::vector<int> keyColumns; // 0-based fields of the full key
        QString asc, desc;           // ORDER BY lists, rowid last
    };
    mutable QHash<QString, std::shared_ptr<const Order>> orders; // by the fields asked for, lower case
};

class UseMarker;

// Canonical table key: lower-case file name without directory and extension.
QString tableKeyOf(const QString &tableName);

// One storage connection per directory: a SQLite database with a rollback
// journal (the directory may be shared by several workstations), a fair wait
// for other workstations' writes, cached statements, and a change counter that tells cursors of this
// process when to drop what they read ahead.
class Database {
public:
    explicit Database(const QString &directory);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    const QString &directory() const { return directory_; }
    sqlite3 *handle() const { return db_; }
    // A directory on a read-only mount, or a database file that cannot be written: opened for
    // reading only (no journal, no lock files); every write is refused in German.
    bool readOnly() const { return readOnly_; }
    // The German refusal of a write to `table` (may be empty) of a read-only directory.
    QString readOnlyText(const QString &table) const;
    // What the user is told when the storage file was found damaged at opening and opened for
    // reading only; empty when it was not.
    QString damageNotice() const;
    // How long the check at opening may take: after a clean end of the processes before (quick
    // check), and after one of them ended without closing (full check).
    static constexpr std::chrono::milliseconds kQuickCheckTime{300};
    static constexpr std::chrono::milliseconds kFullCheckTime{20000};

    // Table layout from the storage's catalogue; null when the table does not exist.
    std::shared_ptr<TableInfo> table(const QString &tableName);
    void createTable(const TableDef &def);
    void dropAllRows(const TableInfo &info);
    // An index over the given columns (created once when missing) so that an
    // order by those columns reads in index order.
    void ensureIndex(const TableInfo &info, const QStringList &columns);

    // A prepared statement from the cache, reset and with cleared bindings.
    sqlite3_stmt *prepare(const QString &sql);
    // A statement prepare gave before, made ready the same way without looking its text up (for
    // statements a cursor runs at every move of a master).
    sqlite3_stmt *again(sqlite3_stmt *stmt);
    void exec(const QString &sql);

    quint64 changeCount() const { return changes_; }
    // A number that changes whenever another connection (another workstation) commits to the
    // storage; asked of the storage each time.
    qint64 externalCommits();
    void noteChange() { ++changes_; }
    // Another process may have changed the storage since the last look.
    void checkExternalChanges();

    // Write scope: a post outside an explicit transaction commits at its end.
    // A failing start or commit is raised naming `table`.
    void beginWrite(const QString &table = QString());
    void endWrite(bool commit, const QString &table = QString());
    void startTransaction();
    void commit();
    void rollback();
    bool inTransaction() const { return explicitTx_; }
    // Reads between enterReads and leaveReads share one read transaction (one lock of the storage
    // instead of one per statement). Other workstations' commits wait for it, so it is held at most
    // kReadHold: the first statement after that ends it and begins a new one (unless a statement is
    // still stepping). A write in between ends it first; the reads after the write begin a new one.
    void enterReads();
    void leaveReads();
    static constexpr std::chrono::milliseconds kReadHold{25};
    // Ends the shared read transaction now (the process waits for input, say), unless a statement
    // is still stepping; the next statement inside enterReads/leaveReads begins a new one.
    void pauseReads();

    // Raises the storage's last failure as an engine error in German, naming
    // the table (when given) and the data directory.
    [[noreturn]] void raise(const QString &table) const;
    // How long a write waits for another workstation's write to end.
    static constexpr std::chrono::seconds kWriteWait{30};

    // The locks between processes of this directory.
    std::shared_ptr<lock::TableLocks> locks();
    // Inside an explicit transaction a table's write lock is taken once and
    // held until the transaction ends (other processes wait for the commit anyway).
    bool holdsTransactionWrite(const QString &table) const;
    void keepTransactionWrite(const QString &table, lock::LockHandle handle);
    // A record lock taken for a deletion: held to the end of the explicit transaction, if one is
    // open, so that no other workstation edits the row a rollback brings back.
    bool keepForTransaction(lock::LockHandle &handle);

private:
    void open(const QString &file, int flags);
    void close();
    // An existing storage file: refused when it is no database of this program; opened for
    // reading only when the storage's check finds damage in it.
    void checkFile(const QString &file);
    static int waitForTurn(void *self, int attempt);
    void beginReads(std::chrono::steady_clock::time_point now);
    void endReads();
    // Inside enterReads/leaveReads: a read transaction again after a write, a new one once the
    // current is older than kReadHold.
    void renewReads();
    bool statementStepping() const;
    // BEGIN, COMMIT and the like, each prepared once per connection: a master's move ends a read
    // transaction and begins one. Returns SQLITE_OK or the storage's failure.
    enum class Control { Begin, BeginImmediate, Commit, Rollback };
    int control(Control which);

    QString directory_;
    std::chrono::steady_clock::time_point waitingSince_;
    sqlite3 *db_ = nullptr;
    QHash<QString, sqlite3_stmt *> statements_;
    sqlite3_stmt *controls_[4] = {};
    QHash<QString, std::shared_ptr<TableInfo>> tables_;
    QSet<QString> ensuredIndexes_;
    quint64 changes_ = 1;
    int dataVersion_ = -1;
    bool explicitTx_ = false;
    bool readTx_ = false;
    int readDepth_ = 0;
    std::chrono::steady_clock::time_point readSince_;
    bool readOnly_ = false;
    QString damage_; // the storage file was found damaged at opening
    std::unique_ptr<UseMarker> marker_;
    bool hasCatalogue_ = true;
    std::shared_ptr<lock::TableLocks> locks_;
    std::map<QString, lock::LockHandle> txWrites_;
    std::vector<lock::LockHandle> txRecords_;
    int writeDepth_ = 0;
};

[[noreturn]] void raiseStorageError(int code, const QString &table, const QString &directory);

// Binding and reading values by field type.
void bindValue(sqlite3_stmt *stmt, int index, const QVariant &value, FieldType type);
QVariant columnValue(sqlite3_stmt *stmt, int column, FieldType type);
QString quoteIdent(const QString &name);

} // namespace dbe::detail
