#include "dbe/detail/Database.h"

#include <sqlite3.h>

#include <chrono>
#include <unistd.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "dbe/Errors.h"
#include "dbe/detail/StorageCheck.h"
#include "dbe/detail/TableDefJson.h"
#include "dbe/filter/SqlFilter.h"

namespace dbe::detail {

namespace {

const char *kFileName = "dbe.sqlite";

const char *sqlType(FieldType t)
{
    switch (t) {
    case FieldType::String:
    case FieldType::Memo:
        return "TEXT";
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc:
    case FieldType::Boolean:
        return "INTEGER";
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
        return "REAL";
    case FieldType::Graphic:
    case FieldType::Blob:
        return "BLOB";
    }
    return "";
}

bool writable(const QString &path)
{
    return ::access(QFile::encodeName(path).constData(), W_OK) == 0;
}

QString readOnlyMessage(const QString &table, const QString &directory)
{
    const QString tabelle = table.isEmpty() ? QString() : QStringLiteral("Tabelle %1: ").arg(table);
    return tabelle +
           QStringLiteral("Das Datenverzeichnis %1 ist schreibgeschützt; es kann nur gelesen werden")
               .arg(directory);
}

} // namespace

QString quoteIdent(const QString &name)
{
    QString q;
    q.reserve(name.size() + 2);
    q += QLatin1Char('"');
    if (name.contains(QLatin1Char('"')))
        q += QString(name).replace(QLatin1Char('"'), QStringLiteral("\"\""));
    else
        q += name;
    q += QLatin1Char('"');
    return q;
}

QString tableKeyOf(const QString &tableName)
{
    QString name = QFileInfo(tableName).fileName();
    const int dot = name.lastIndexOf(QLatin1Char('.'));
    if (dot > 0)
        name = name.left(dot);
    return name.toLower();
}

int TableInfo::fieldIndex(const QString &name) const
{
    for (int i = 0; i < def.fields.size(); ++i)
        if (sameName(def.fields[i].name, name))
            return i;
    return -1;
}

Database::Database(const QString &directory) : directory_(directory)
{
    QDir().mkpath(directory);
    const QString file = QDir(directory).filePath(QString::fromLatin1(kFileName));
    const QFileInfo info(file);
    const bool exists = info.exists();
    // Only a directory without a storage file gets a new one; an emptied file is no fresh start.
    if (exists && info.isFile() && info.size() == 0)
        engineError(
            ErrorCode::General,
            QStringLiteral("Die Datenbankdatei %1 ist leer und damit beschädigt; sie wird nicht verändert")
                .arg(file));
    // Without write access to the directory neither the journal nor lock files can be made there.
    readOnly_ = !writable(directory) || (exists && !writable(file));
    if (readOnly_ && !exists)
        engineError(ErrorCode::ReadOnly,
                    QStringLiteral("Das Datenverzeichnis %1 ist schreibgeschützt und enthält keine Datenbank")
                        .arg(directory));
    open(file, readOnly_ ? SQLITE_OPEN_READONLY
               : exists  ? SQLITE_OPEN_READWRITE
                         : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    try {
        // The storage falls back to reading by itself where the file denies writing.
        readOnly_ = readOnly_ || sqlite3_db_readonly(db_, "main") == 1;
        if (!readOnly_)
            marker_ = std::make_unique<UseMarker>(directory);
        if (exists)
            checkFile(file);
        if (readOnly_) {
            sqlite3_stmt *s = prepare(
                QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = '_dbe_tables'"));
            hasCatalogue_ = sqlite3_step(s) == SQLITE_ROW;
            sqlite3_reset(s);
            return;
        }
        exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
        exec(QStringLiteral("PRAGMA synchronous=NORMAL"));
        exec(QStringLiteral(
            "CREATE TABLE IF NOT EXISTS _dbe_tables (key TEXT PRIMARY KEY, def TEXT NOT NULL)"));
    } catch (...) {
        close();
        throw;
    }
}

void Database::open(const QString &file, int flags)
{
    if (sqlite3_open_v2(file.toUtf8().constData(), &db_, flags | SQLITE_OPEN_NOMUTEX, nullptr) != SQLITE_OK) {
        const int code = db_ ? sqlite3_errcode(db_) : SQLITE_CANTOPEN;
        if (db_)
            sqlite3_close(db_);
        db_ = nullptr;
        raiseStorageError(code, QString(), directory_);
    }
    sqlite3_busy_handler(db_, &Database::waitForTurn, this);
    filter::registerSqlFunctions(db_);
}

void Database::close()
{
    for (sqlite3_stmt *s : std::as_const(statements_))
        sqlite3_finalize(s);
    statements_.clear();
    for (sqlite3_stmt *&s : controls_) {
        sqlite3_finalize(s);
        s = nullptr;
    }
    sqlite3_close(db_);
    db_ = nullptr;
}

void Database::checkFile(const QString &file)
{
    // A file that is no database, or one of another program, gets nothing written into it.
    sqlite3_stmt *s = nullptr;
    int rc = sqlite3_prepare_v2(
        db_, "SELECT count(*), count(CASE WHEN name = '_dbe_tables' THEN 1 END) FROM sqlite_master", -1, &s,
        nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_step(s);
    const bool foreign = rc == SQLITE_ROW && sqlite3_column_int(s, 0) > 0 && sqlite3_column_int(s, 1) == 0;
    sqlite3_finalize(s);
    if ((rc & 0xff) == SQLITE_NOTADB || (rc & 0xff) == SQLITE_CORRUPT)
        engineError(
            ErrorCode::General,
            QStringLiteral("Die Datenbankdatei %1 ist beschädigt oder keine Datenbank; sie wird nicht "
                           "verändert")
                .arg(file));
    if (foreign)
        engineError(
            ErrorCode::General,
            QStringLiteral("Die Datei %1 ist keine Datenbank dieses Programms; sie wird nicht verändert")
                .arg(file));
    if (rc != SQLITE_ROW)
        raise(QString());
    // Damage inside: nothing more is written into it, what is still readable can be read.
    const bool full = marker_ && marker_->previousEndedUncleanly();
    if (!storageDamaged(db_, full ? CheckDepth::Full : CheckDepth::Quick,
                        full ? kFullCheckTime : kQuickCheckTime))
        return;
    damage_ = QStringLiteral("Die Datenbankdatei %1 ist beschädigt").arg(file);
    if (!readOnly_) {
        close();
        marker_.reset();
        readOnly_ = true;
        open(file, SQLITE_OPEN_READONLY);
    }
}

QString Database::damageNotice() const
{
    return damage_.isEmpty()
               ? QString()
               : damage_ + QStringLiteral("; sie wird nur zum Lesen geöffnet, damit nichts mehr "
                                          "hineingeschrieben wird.");
}

// Another workstation writes: wait in short random steps, so that a writer
// releasing and taking the lock again in a loop cannot keep this one out,
// for 30 seconds in all; then the storage reports busy.
int Database::waitForTurn(void *self, int attempt)
{
    auto *db = static_cast<Database *>(self);
    const auto now = std::chrono::steady_clock::now();
    if (attempt == 0)
        db->waitingSince_ = now;
    if (now - db->waitingSince_ >= kWriteWait)
        return 0;
    lock::waitRandomStep();
    return 1;
}

Database::~Database()
{
    endReads();
    if (explicitTx_)
        control(Control::Rollback);
    close();
}

QString Database::readOnlyText(const QString &table) const
{
    if (damage_.isEmpty())
        return readOnlyMessage(table, directory_);
    const QString tabelle = table.isEmpty() ? QString() : QStringLiteral("Tabelle %1: ").arg(table);
    return tabelle + damage_ + QStringLiteral("; es kann nur gelesen werden");
}

void Database::raise(const QString &table) const
{
    raiseStorageError(sqlite3_errcode(db_), table, directory_);
}

void raiseStorageError(int code, const QString &table, const QString &directory)
{
    // The storage's own texts are English: each failure gets a German one
    // naming the table (where known) and the data directory.
    const QString tabelle = table.isEmpty() ? QString() : QStringLiteral("Tabelle %1: ").arg(table);
    switch (code & 0xff) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        engineError(ErrorCode::Locked,
                    tabelle + QStringLiteral("Ein anderer Arbeitsplatz schreibt seit 30 Sekunden in das "
                                             "Datenverzeichnis %1; bitte versuchen Sie es später noch einmal")
                                  .arg(directory));
    case SQLITE_READONLY:
        engineError(ErrorCode::ReadOnly, readOnlyMessage(table, directory));
    case SQLITE_FULL:
        engineError(ErrorCode::General,
                    tabelle +
                        QStringLiteral("Der Datenträger des Datenverzeichnisses %1 ist voll").arg(directory));
    case SQLITE_IOERR:
        engineError(ErrorCode::General,
                    tabelle +
                        QStringLiteral("Lese- oder Schreibfehler im Datenverzeichnis %1").arg(directory));
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        engineError(ErrorCode::General,
                    tabelle +
                        QStringLiteral("Die Datenbank im Datenverzeichnis %1 ist beschädigt").arg(directory));
    case SQLITE_CANTOPEN:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        engineError(ErrorCode::General,
                    tabelle +
                        QStringLiteral("Die Datenbank im Datenverzeichnis %1 kann nicht geöffnet werden")
                            .arg(directory));
    default:
        engineError(ErrorCode::General,
                    tabelle +
                        QStringLiteral("Speicherfehler %1 im Datenverzeichnis %2").arg(code).arg(directory));
    }
}

sqlite3_stmt *Database::prepare(const QString &sql)
{
    if (auto it = statements_.constFind(sql); it != statements_.constEnd())
        return again(*it);
    if (readDepth_ > 0)
        renewReads();
    sqlite3_stmt *stmt = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v3(db_, utf8.constData(), static_cast<int>(utf8.size()), SQLITE_PREPARE_PERSISTENT,
                           &stmt, nullptr) != SQLITE_OK)
        raise(QString());
    statements_.insert(sql, stmt);
    return stmt;
}

sqlite3_stmt *Database::again(sqlite3_stmt *stmt)
{
    if (readDepth_ > 0)
        renewReads();
    sqlite3_reset(stmt);
    sqlite3_clear_bindings(stmt);
    return stmt;
}

void Database::exec(const QString &sql)
{
    char *err = nullptr;
    if (sqlite3_exec(db_, sql.toUtf8().constData(), nullptr, nullptr, &err) != SQLITE_OK) {
        sqlite3_free(err);
        raise(QString());
    }
}

void Database::checkExternalChanges()
{
    sqlite3_stmt *s = prepare(QStringLiteral("PRAGMA data_version"));
    if (sqlite3_step(s) == SQLITE_ROW) {
        const int v = sqlite3_column_int(s, 0);
        if (v != dataVersion_) {
            if (dataVersion_ != -1)
                ++changes_;
            dataVersion_ = v;
        }
    }
    sqlite3_reset(s);
}

qint64 Database::externalCommits()
{
    sqlite3_stmt *s = prepare(QStringLiteral("PRAGMA data_version"));
    const int rc = sqlite3_step(s);
    const qint64 v = rc == SQLITE_ROW ? sqlite3_column_int64(s, 0) : -1;
    sqlite3_reset(s);
    if (rc != SQLITE_ROW)
        raise(QString());
    return v;
}

std::shared_ptr<TableInfo> Database::table(const QString &tableName)
{
    const QString key = tableKeyOf(tableName);
    auto it = tables_.find(key);
    if (it != tables_.end())
        return *it;
    if (!hasCatalogue_)
        return nullptr;
    sqlite3_stmt *s = prepare(QStringLiteral("SELECT def FROM _dbe_tables WHERE key = ?"));
    const QByteArray k = key.toUtf8();
    sqlite3_bind_text(s, 1, k.constData(), static_cast<int>(k.size()), SQLITE_TRANSIENT);
    std::shared_ptr<TableInfo> info;
    const int found = sqlite3_step(s);
    if (found != SQLITE_ROW && found != SQLITE_DONE) {
        // A damaged catalogue is no missing table: nothing may be created over it.
        sqlite3_reset(s);
        raise(tableName);
    }
    if (found == SQLITE_ROW) {
        const QByteArray json(reinterpret_cast<const char *>(sqlite3_column_text(s, 0)),
                              sqlite3_column_bytes(s, 0));
        info = std::make_shared<TableInfo>();
        info->def = tableDefFromJson(json);
        info->key = key;
        info->sqlName = quoteIdent(key);
        info->quotedColumns.reserve(info->def.fields.size());
        for (const FieldDef &f : info->def.fields)
            info->quotedColumns << quoteIdent(f.name);
        info->selectList = QStringLiteral("rowid, ") + info->quotedColumns.join(QStringLiteral(", "));
    }
    sqlite3_reset(s);
    if (info)
        tables_.insert(key, info);
    return info;
}

void Database::createTable(const TableDef &def)
{
    const QString key = tableKeyOf(def.name);
    QStringList cols;
    for (const FieldDef &f : def.fields)
        cols << quoteIdent(f.name) + QLatin1Char(' ') + QLatin1String(sqlType(f.type));
    if (readOnly_)
        engineError(ErrorCode::ReadOnly, readOnlyText(def.name));
    beginWrite();
    try {
        exec(QStringLiteral("CREATE TABLE %1 (%2)").arg(quoteIdent(key), cols.join(QStringLiteral(", "))));
        auto indexColumns = [&](const QStringList &fields) {
            QStringList all = fields;
            for (const QString &p : def.primaryKey)
                if (!all.contains(p, Qt::CaseInsensitive))
                    all << p;
            return all;
        };
        int n = 0;
        if (!def.primaryKey.isEmpty())
            exec(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                     .arg(quoteIdent(key + QStringLiteral("$pk")), quoteIdent(key), [&] {
                         QStringList q;
                         for (const QString &c : def.primaryKey)
                             q << quoteIdent(c);
                         return q.join(QStringLiteral(", "));
                     }()));
        for (const IndexDef &ix : def.indexes) {
            QStringList q;
            for (const QString &c : indexColumns(ix.fields))
                q << quoteIdent(c);
            exec(QStringLiteral("CREATE INDEX %1 ON %2 (%3)")
                     .arg(quoteIdent(key + QStringLiteral("$") + QString::number(++n)), quoteIdent(key),
                          q.join(QStringLiteral(", "))));
        }
        sqlite3_stmt *s = prepare(QStringLiteral("INSERT INTO _dbe_tables (key, def) VALUES (?, ?)"));
        const QByteArray k = key.toUtf8();
        const QByteArray json = tableDefToJson(def);
        sqlite3_bind_text(s, 1, k.constData(), static_cast<int>(k.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(s, 2, json.constData(), static_cast<int>(json.size()), SQLITE_TRANSIENT);
        if (sqlite3_step(s) != SQLITE_DONE)
            raise(def.name);
        sqlite3_reset(s);
        endWrite(true);
    } catch (...) {
        endWrite(false);
        throw;
    }
    tables_.remove(key);
    ensuredIndexes_.clear();
    noteChange();
}

void Database::ensureIndex(const TableInfo &info, const QStringList &columns)
{
    // A read-only storage reads in the order asked for without an index.
    if (columns.isEmpty() || readOnly_)
        return;
    QStringList q;
    QString name = info.key + QStringLiteral("$o");
    for (const QString &c : columns) {
        q << quoteIdent(c);
        name += QLatin1Char('_') + c.toLower();
    }
    if (ensuredIndexes_.contains(name))
        return;
    ensuredIndexes_.insert(name);
    // The index list of SQLite tells whether an index with that column list exists.
    sqlite3_stmt *s = prepare(QStringLiteral("SELECT il.name FROM pragma_index_list(?) il"));
    const QByteArray k = info.key.toUtf8();
    sqlite3_bind_text(s, 1, k.constData(), static_cast<int>(k.size()), SQLITE_TRANSIENT);
    QStringList existing;
    while (sqlite3_step(s) == SQLITE_ROW)
        existing << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, 0)));
    sqlite3_reset(s);
    for (const QString &ix : existing) {
        sqlite3_stmt *c = prepare(QStringLiteral("SELECT name FROM pragma_index_info(?) ORDER BY seqno"));
        const QByteArray n = ix.toUtf8();
        sqlite3_bind_text(c, 1, n.constData(), static_cast<int>(n.size()), SQLITE_TRANSIENT);
        QStringList cols;
        while (sqlite3_step(c) == SQLITE_ROW)
            cols << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(c, 0)));
        sqlite3_reset(c);
        if (cols.size() >= columns.size()) {
            bool same = true;
            for (int i = 0; i < columns.size() && same; ++i)
                same = cols[i].compare(columns[i], Qt::CaseInsensitive) == 0;
            if (same)
                return;
        }
    }
    // A write like any other: it ends a shared read transaction rather than joining it.
    beginWrite(info.def.name);
    try {
        exec(QStringLiteral("CREATE INDEX IF NOT EXISTS %1 ON %2 (%3)")
                 .arg(quoteIdent(name), info.sqlName, q.join(QStringLiteral(", "))));
        endWrite(true, info.def.name);
    } catch (...) {
        endWrite(false);
        throw;
    }
}

void Database::dropAllRows(const TableInfo &info)
{
    if (readOnly_)
        engineError(ErrorCode::ReadOnly, readOnlyText(info.def.name));
    beginWrite();
    try {
        exec(QStringLiteral("DELETE FROM %1").arg(info.sqlName));
        endWrite(true);
    } catch (...) {
        endWrite(false);
        throw;
    }
    noteChange();
}

void Database::enterReads()
{
    if (readDepth_++ > 0 || explicitTx_ || writeDepth_ > 0)
        return;
    beginReads(std::chrono::steady_clock::now());
}

void Database::leaveReads()
{
    if (readDepth_ > 0 && --readDepth_ == 0)
        endReads();
}

void Database::beginReads(std::chrono::steady_clock::time_point now)
{
    // Deferred: the storage's lock is taken by the first read, not here.
    readTx_ = control(Control::Begin) == SQLITE_OK;
    readSince_ = now;
}

void Database::endReads()
{
    if (!std::exchange(readTx_, false))
        return;
    if (control(Control::Commit) != SQLITE_OK)
        control(Control::Rollback);
}

void Database::renewReads()
{
    if (explicitTx_ || writeDepth_ > 0)
        return;
    const auto now = std::chrono::steady_clock::now();
    if (readTx_ && now - readSince_ < kReadHold)
        return;
    if (readTx_) {
        // A statement still stepping keeps the lock whatever is committed: ended at a later one.
        if (statementStepping())
            return;
        endReads();
    }
    beginReads(now);
}

void Database::pauseReads()
{
    if (readTx_ && !statementStepping())
        endReads();
}

int Database::control(Control which)
{
    static const char *const texts[] = {"BEGIN", "BEGIN IMMEDIATE", "COMMIT", "ROLLBACK"};
    sqlite3_stmt *&s = controls_[static_cast<int>(which)];
    if (!s && sqlite3_prepare_v3(db_, texts[static_cast<int>(which)], -1, SQLITE_PREPARE_PERSISTENT, &s,
                                 nullptr) != SQLITE_OK) {
        s = nullptr;
        return sqlite3_errcode(db_);
    }
    const int rc = sqlite3_step(s);
    sqlite3_reset(s); // the storage's error code stays what the step left
    return rc == SQLITE_DONE ? SQLITE_OK : rc;
}

bool Database::statementStepping() const
{
    for (sqlite3_stmt *s = sqlite3_next_stmt(db_, nullptr); s; s = sqlite3_next_stmt(db_, s))
        if (sqlite3_stmt_busy(s))
            return true;
    return false;
}

void Database::beginWrite(const QString &table)
{
    if (readOnly_)
        engineError(ErrorCode::ReadOnly, readOnlyText(QString()));
    endReads();
    if (explicitTx_ || writeDepth_++ > 0)
        return;
    if (control(Control::BeginImmediate) != SQLITE_OK) {
        writeDepth_ = 0;
        raise(table);
    }
}

void Database::endWrite(bool commitIt, const QString &table)
{
    if (explicitTx_ || --writeDepth_ > 0)
        return;
    writeDepth_ = 0;
    if (commitIt) {
        if (control(Control::Commit) != SQLITE_OK) {
            // The commit's failure (a disk that fails or is full) is what the user is told,
            // not the rollback's.
            const int code = sqlite3_errcode(db_);
            control(Control::Rollback);
            raiseStorageError(code, table, directory_);
        }
    } else {
        control(Control::Rollback);
    }
}

std::shared_ptr<lock::TableLocks> Database::locks()
{
    if (!locks_)
        locks_ = readOnly_ ? lock::TableLocks::forReadOnlyDirectory(directory_, readOnlyText(QString()))
                           : lock::TableLocks::forDirectory(directory_);
    return locks_;
}

bool Database::holdsTransactionWrite(const QString &table) const
{
    return txWrites_.count(table) > 0;
}

void Database::keepTransactionWrite(const QString &table, lock::LockHandle handle)
{
    txWrites_[table] = std::move(handle);
}

bool Database::keepForTransaction(lock::LockHandle &handle)
{
    if (!explicitTx_)
        return false;
    txRecords_.push_back(std::move(handle));
    return true;
}

void Database::startTransaction()
{
    if (explicitTx_)
        engineError(ErrorCode::General, QStringLiteral("Transaktion ist bereits aktiv"));
    if (readOnly_)
        engineError(ErrorCode::ReadOnly, readOnlyText(QString()));
    endReads();
    if (control(Control::BeginImmediate) != SQLITE_OK)
        raise(QString());
    explicitTx_ = true;
}

void Database::commit()
{
    if (!explicitTx_)
        return;
    if (control(Control::Commit) != SQLITE_OK)
        raise(QString());
    explicitTx_ = false;
    txWrites_.clear();
    txRecords_.clear();
}

void Database::rollback()
{
    if (!explicitTx_)
        return;
    control(Control::Rollback);
    explicitTx_ = false;
    txWrites_.clear();
    txRecords_.clear();
    noteChange();
}

void bindValue(sqlite3_stmt *stmt, int index, const QVariant &value, FieldType type)
{
    if (!value.isValid() || value.isNull()) {
        sqlite3_bind_null(stmt, index);
        return;
    }
    switch (type) {
    case FieldType::String:
    case FieldType::Memo: {
        const QByteArray u = value.toString().toUtf8();
        sqlite3_bind_text(stmt, index, u.constData(), static_cast<int>(u.size()), SQLITE_TRANSIENT);
        return;
    }
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc:
        sqlite3_bind_int64(stmt, index, value.toLongLong());
        return;
    case FieldType::Boolean:
        sqlite3_bind_int(stmt, index, value.toBool() ? 1 : 0);
        return;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
        sqlite3_bind_double(stmt, index, value.toDouble());
        return;
    case FieldType::Graphic:
    case FieldType::Blob: {
        const QByteArray b = value.toByteArray();
        sqlite3_bind_blob(stmt, index, b.constData(), static_cast<int>(b.size()), SQLITE_TRANSIENT);
        return;
    }
    }
}

QVariant columnValue(sqlite3_stmt *stmt, int column, FieldType type)
{
    if (sqlite3_column_type(stmt, column) == SQLITE_NULL)
        return QVariant();
    switch (type) {
    case FieldType::String:
    case FieldType::Memo:
        return QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(stmt, column)),
                                 sqlite3_column_bytes(stmt, column));
    case FieldType::SmallInt:
    case FieldType::Integer:
    case FieldType::AutoInc:
        return sqlite3_column_int(stmt, column);
    case FieldType::Boolean:
        return sqlite3_column_int(stmt, column) != 0;
    case FieldType::Float:
    case FieldType::Currency:
    case FieldType::Date:
    case FieldType::Time:
    case FieldType::DateTime:
        return sqlite3_column_double(stmt, column);
    case FieldType::Graphic:
    case FieldType::Blob: {
        const void *p = sqlite3_column_blob(stmt, column);
        return QByteArray(static_cast<const char *>(p), sqlite3_column_bytes(stmt, column));
    }
    }
    return QVariant();
}

} // namespace dbe::detail
