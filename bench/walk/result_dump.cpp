#include "result_dump.h"

#include <filesystem>

#include <sqlite3.h>

#include <QFile>
#include <QStringList>
#include <QTextStream>

namespace {

const char *const kResultTables[] = {"kfzvergl", "kfzfukst", "moausprv", "termine"};

long long dumpTable(sqlite3 *db, const char *table, QTextStream &out)
{
    sqlite3_stmt *columns = nullptr;
    const QByteArray probe = QByteArray("SELECT * FROM \"") + table + "\" LIMIT 0";
    if (sqlite3_prepare_v2(db, probe.constData(), -1, &columns, nullptr) != SQLITE_OK) {
        sqlite3_finalize(columns);
        return 0;
    }
    QStringList names, order;
    for (int c = 0; c < sqlite3_column_count(columns); ++c) {
        names << QString::fromUtf8(sqlite3_column_name(columns, c));
        order << QString::number(c + 1);
    }
    sqlite3_finalize(columns);
    out << "== " << table << " (" << names.join(QLatin1Char(';')) << ")\n";
    sqlite3_stmt *rows = nullptr;
    const QByteArray sql =
        QByteArray("SELECT * FROM \"") + table + "\" ORDER BY " + order.join(QLatin1Char(',')).toUtf8();
    if (sqlite3_prepare_v2(db, sql.constData(), -1, &rows, nullptr) != SQLITE_OK) {
        sqlite3_finalize(rows);
        return 0;
    }
    long long n = 0;
    while (sqlite3_step(rows) == SQLITE_ROW) {
        QStringList values;
        for (int c = 0; c < sqlite3_column_count(rows); ++c)
            values << QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(rows, c)));
        out << values.join(QLatin1Char(';')) << '\n';
        ++n;
    }
    sqlite3_finalize(rows);
    return n;
}

} // namespace

long long DumpResultTables(const QString &root, const QString &file)
{
    QFile target(file);
    if (!target.open(QIODevice::WriteOnly | QIODevice::Text))
        return -1;
    QTextStream out(&target);
    QStringList databases;
    for (const auto &entry : std::filesystem::recursive_directory_iterator(root.toStdString()))
        if (entry.is_regular_file() && entry.path().filename() == "dbe.sqlite")
            databases << QString::fromStdString(entry.path().string());
    databases.sort();
    long long rows = 0;
    for (const QString &path : databases) {
        sqlite3 *db = nullptr;
        if (sqlite3_open_v2(path.toUtf8().constData(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK) {
            out << "# " << QString(path).remove(0, root.size()) << '\n';
            for (const char *table : kResultTables)
                rows += dumpTable(db, table, out);
        }
        sqlite3_close(db);
    }
    return rows;
}
