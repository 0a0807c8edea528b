#pragma once

#include <functional>
#include <map>
#include <memory>
#include <vector>

#include <QList>
#include <QString>
#include <QStringList>

#include "dbe/Schema.h"

namespace dbe {

class TDataSet;
namespace detail {
class Database;
}

// The engine session: named aliases (each a directory), the engine
// configuration file they are kept in, the schema catalogue the program hands
// over, and one storage connection per directory shared by the session's
// datasets.
class TSession {
public:
    // configFile empty: DefaultConfigFile().
    explicit TSession(const QString &configFile = QString());
    ~TSession();
    TSession(const TSession &) = delete;
    TSession &operator=(const TSession &) = delete;

    // The one session every dataset uses unless it is given another.
    static TSession &Default();
    // $KARVENFP_CONFIG_DIR/dbe.cfg when that variable is set, else
    // $XDG_CONFIG_HOME/karvenfp/dbe.cfg (~/.config when XDG_CONFIG_HOME is unset).
    static QString DefaultConfigFile();
    QString ConfigFile() const { return configFile_; }
    // True when the configuration file existed when the session read it.
    bool ConfigFileFound() const { return configFound_; }

    // Close closes every dataset of the session and the storage connections;
    // Open opens it again (datasets opened meanwhile open it themselves).
    void Open();
    void Close();
    bool Active() const { return active_; }

    // Aliases; names are matched without regard to case.
    bool IsAlias(const QString &name) const;
    QStringList GetAliasNames() const;
    // The alias's parameters, "PATH=<directory>" first; empty for an unknown alias.
    QStringList GetAliasParams(const QString &name) const;
    // Adds an alias with the parameter "PATH=<path>" (replaces an existing one).
    void AddStandardAlias(const QString &name, const QString &path);
    // Replaces the parameters given ("NAME=value" lines); others are kept.
    void ModifyAlias(const QString &name, const QStringList &params);
    void DeleteAlias(const QString &name);
    // Writes the aliases to the configuration file (its directory is created).
    void SaveConfigFile();

    // Directory of an alias, or the name itself taken as a directory path.
    QString DirectoryOf(const QString &databaseName) const;

    // The schema catalogue: tables that are created when first opened.
    void RegisterTables(const QList<TableDef> &tables);
    void RegisterTable(const TableDef &table);
    // The catalogue entry for a table name (any case, with or without
    // extension) in the given database (alias or directory); null when none.
    const TableDef *FindTableDef(const QString &databaseName, const QString &tableName) const;

    // Explicit transactions on the storage of one database (alias or directory):
    // every post between start and commit is committed or rolled back together.
    void StartTransaction(const QString &databaseName);
    void Commit(const QString &databaseName);
    void Rollback(const QString &databaseName);
    bool InTransaction(const QString &databaseName);

    // Told, in German, when a storage file is found damaged as it is opened (it is then opened for
    // reading only); unset, nobody is told.
    std::function<void(const QString &message)> OnStorageDamaged;

    // Internal: storage connection for a directory and the datasets' registry.
    detail::Database &databaseFor(const QString &databaseName);
    void registerDataSet(TDataSet *dataSet);
    void unregisterDataSet(TDataSet *dataSet);

private:
    void load();
    struct Alias {
        QString name;
        QStringList params;
    };
    Alias *findAlias(const QString &name);
    const Alias *findAlias(const QString &name) const;

    QString configFile_;
    bool configFound_ = false;
    bool active_ = true;
    QList<Alias> aliases_;
    QList<TableDef> catalogue_;
    std::map<QString, std::unique_ptr<detail::Database>> databases_; // by canonical directory
    std::map<QString, detail::Database *> byName_;                   // alias or path as given
    std::vector<TDataSet *> dataSets_;
};

// All-or-nothing work on one database: rolled back on destruction unless committed.
class TTransaction {
public:
    TTransaction(TSession &session, const QString &databaseName);
    explicit TTransaction(const QString &databaseName);
    ~TTransaction();
    TTransaction(const TTransaction &) = delete;
    TTransaction &operator=(const TTransaction &) = delete;
    void Commit();
    void Rollback();

private:
    TSession &session_;
    QString databaseName_;
    bool open_ = true;
};

} // namespace dbe
