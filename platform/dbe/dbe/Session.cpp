#include "dbe/Session.h"

#include <algorithm>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTextStream>

#include "dbe/DataSet.h"
#include "dbe/Errors.h"
#include "dbe/detail/Database.h"

namespace dbe {

namespace {

QString paramKey(const QString &line)
{
    return line.section(QLatin1Char('='), 0, 0).trimmed().toUpper();
}

} // namespace

TSession::TSession(const QString &configFile)
    : configFile_(configFile.isEmpty() ? DefaultConfigFile() : configFile)
{
    load();
}

TSession::~TSession()
{
    // Datasets that outlive their session are closed and forget it (the
    // default session itself may be going away at program end).
    for (TDataSet *d : std::vector<TDataSet *>(dataSets_)) {
        try {
            d->Close();
        } catch (...) {
        }
        d->detachSession();
    }
}

TSession &TSession::Default()
{
    static TSession session;
    return session;
}

QString TSession::DefaultConfigFile()
{
    const QString dir = qEnvironmentVariable("KARVENFP_CONFIG_DIR");
    if (!dir.isEmpty())
        return QDir(dir).filePath(QStringLiteral("dbe.cfg"));
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::home().filePath(QStringLiteral(".config"));
    return QDir(base).filePath(QStringLiteral("karvenfp/dbe.cfg"));
}

void TSession::load()
{
    aliases_.clear();
    QFile f(configFile_);
    configFound_ = f.open(QIODevice::ReadOnly | QIODevice::Text);
    if (!configFound_)
        return;
    QTextStream in(&f);
    in.setEncoding(QStringConverter::Utf8);
    Alias *current = nullptr;
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char(';')) || line.startsWith(QLatin1Char('#')))
            continue;
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            aliases_.append(Alias{line.mid(1, line.size() - 2).trimmed(), {}});
            current = &aliases_.last();
        } else if (current && line.contains(QLatin1Char('='))) {
            current->params << paramKey(line) + QLatin1Char('=') + line.section(QLatin1Char('='), 1);
        }
    }
    for (Alias &a : aliases_) {
        // PATH first, as callers read it from the first line.
        std::stable_sort(a.params.begin(), a.params.end(), [](const QString &x, const QString &y) {
            return (paramKey(x) == QLatin1String("PATH")) > (paramKey(y) == QLatin1String("PATH"));
        });
    }
}

void TSession::SaveConfigFile()
{
    QDir().mkpath(QFileInfo(configFile_).absolutePath());
    QSaveFile f(configFile_);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Text))
        engineError(ErrorCode::General,
                    QStringLiteral("Konfigurationsdatei %1 kann nicht geschrieben werden").arg(configFile_));
    QTextStream out(&f);
    out.setEncoding(QStringConverter::Utf8);
    for (const Alias &a : std::as_const(aliases_)) {
        out << '[' << a.name << "]\n";
        for (const QString &p : a.params)
            out << p << '\n';
        out << '\n';
    }
    out.flush();
    if (!f.commit())
        engineError(ErrorCode::General,
                    QStringLiteral("Konfigurationsdatei %1 kann nicht geschrieben werden").arg(configFile_));
    configFound_ = true;
}

TSession::Alias *TSession::findAlias(const QString &name)
{
    for (Alias &a : aliases_)
        if (a.name.compare(name, Qt::CaseInsensitive) == 0)
            return &a;
    return nullptr;
}

const TSession::Alias *TSession::findAlias(const QString &name) const
{
    return const_cast<TSession *>(this)->findAlias(name);
}

bool TSession::IsAlias(const QString &name) const
{
    return findAlias(name) != nullptr;
}

QStringList TSession::GetAliasNames() const
{
    QStringList names;
    for (const Alias &a : aliases_)
        names << a.name;
    return names;
}

QStringList TSession::GetAliasParams(const QString &name) const
{
    const Alias *a = findAlias(name);
    return a ? a->params : QStringList();
}

void TSession::AddStandardAlias(const QString &name, const QString &path)
{
    byName_.clear();
    if (Alias *a = findAlias(name)) {
        a->params = {QStringLiteral("PATH=") + path};
        return;
    }
    aliases_.append(Alias{name, {QStringLiteral("PATH=") + path}});
}

void TSession::ModifyAlias(const QString &name, const QStringList &params)
{
    byName_.clear();
    Alias *a = findAlias(name);
    if (!a)
        engineError(ErrorCode::General, QStringLiteral("Alias %1 ist nicht vorhanden").arg(name));
    for (const QString &p : params) {
        const QString key = paramKey(p);
        const QString line = key + QLatin1Char('=') + p.section(QLatin1Char('='), 1);
        auto it = std::find_if(a->params.begin(), a->params.end(),
                               [&](const QString &x) { return paramKey(x) == key; });
        if (it != a->params.end())
            *it = line;
        else if (key == QLatin1String("PATH"))
            a->params.prepend(line);
        else
            a->params << line;
    }
}

void TSession::DeleteAlias(const QString &name)
{
    byName_.clear();
    aliases_.erase(
        std::remove_if(aliases_.begin(), aliases_.end(),
                       [&](const Alias &a) { return a.name.compare(name, Qt::CaseInsensitive) == 0; }),
        aliases_.end());
}

QString TSession::DirectoryOf(const QString &databaseName) const
{
    if (const Alias *a = findAlias(databaseName)) {
        for (const QString &p : a->params)
            if (paramKey(p) == QLatin1String("PATH"))
                return QDir::cleanPath(p.section(QLatin1Char('='), 1).trimmed());
    }
    if (databaseName.isEmpty())
        return QDir::currentPath();
    return QDir::cleanPath(QDir(databaseName).absolutePath());
}

void TSession::Open()
{
    active_ = true;
}

void TSession::Close()
{
    for (TDataSet *d : std::vector<TDataSet *>(dataSets_))
        if (d->Active())
            d->Close();
    byName_.clear();
    databases_.clear();
    active_ = false;
}

detail::Database &TSession::databaseFor(const QString &databaseName)
{
    active_ = true;
    // Resolving a name costs file system calls; names seen before are remembered
    // until an alias changes or the session closes.
    auto known = byName_.find(databaseName);
    if (known != byName_.end())
        return *known->second;
    QString dir = DirectoryOf(databaseName);
    if (!QFileInfo(dir).isDir())
        engineError(ErrorCode::TableNotFound, QStringLiteral("Verzeichnis %1 ist nicht vorhanden").arg(dir));
    dir = QFileInfo(dir).canonicalFilePath();
    auto it = databases_.find(dir);
    const bool opened = it == databases_.end();
    if (opened)
        it = databases_.emplace(dir, std::make_unique<detail::Database>(dir)).first;
    byName_[databaseName] = it->second.get();
    if (opened && OnStorageDamaged && !it->second->damageNotice().isEmpty())
        OnStorageDamaged(it->second->damageNotice());
    return *it->second;
}

void TSession::registerDataSet(TDataSet *dataSet)
{
    if (std::find(dataSets_.begin(), dataSets_.end(), dataSet) == dataSets_.end())
        dataSets_.push_back(dataSet);
}

void TSession::unregisterDataSet(TDataSet *dataSet)
{
    dataSets_.erase(std::remove(dataSets_.begin(), dataSets_.end(), dataSet), dataSets_.end());
}

void TSession::RegisterTables(const QList<TableDef> &tables)
{
    for (const TableDef &t : tables)
        RegisterTable(t);
}

void TSession::RegisterTable(const TableDef &table)
{
    const QString key = detail::tableKeyOf(table.name);
    catalogue_.erase(std::remove_if(catalogue_.begin(), catalogue_.end(),
                                    [&](const TableDef &t) {
                                        return detail::tableKeyOf(t.name) == key &&
                                               t.alias.compare(table.alias, Qt::CaseInsensitive) == 0;
                                    }),
                     catalogue_.end());
    catalogue_.append(table);
}

const TableDef *TSession::FindTableDef(const QString &databaseName, const QString &tableName) const
{
    const QString key = detail::tableKeyOf(tableName);
    const TableDef *any = nullptr;
    for (const TableDef &t : catalogue_) {
        if (detail::tableKeyOf(t.name) != key)
            continue;
        if (t.alias.isEmpty())
            any = &t;
        else if (t.alias.compare(databaseName, Qt::CaseInsensitive) == 0 ||
                 (IsAlias(t.alias) && DirectoryOf(t.alias) == DirectoryOf(databaseName)))
            return &t;
    }
    return any;
}

void TSession::StartTransaction(const QString &databaseName)
{
    databaseFor(databaseName).startTransaction();
}

void TSession::Commit(const QString &databaseName)
{
    databaseFor(databaseName).commit();
}

void TSession::Rollback(const QString &databaseName)
{
    databaseFor(databaseName).rollback();
}

bool TSession::InTransaction(const QString &databaseName)
{
    return databaseFor(databaseName).inTransaction();
}

TTransaction::TTransaction(TSession &session, const QString &databaseName)
    : session_(session), databaseName_(databaseName)
{
    session_.StartTransaction(databaseName_);
}

TTransaction::TTransaction(const QString &databaseName) : TTransaction(TSession::Default(), databaseName) {}

TTransaction::~TTransaction()
{
    if (open_) {
        try {
            session_.Rollback(databaseName_);
        } catch (...) {
        }
    }
}

void TTransaction::Commit()
{
    session_.Commit(databaseName_);
    open_ = false;
}

void TTransaction::Rollback()
{
    open_ = false;
    session_.Rollback(databaseName_);
}

} // namespace dbe
