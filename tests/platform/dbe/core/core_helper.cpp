// A second process for the tests: works on a table of a directory and reports
// on stdout.
//   count <dir> <table>          the number of rows
//   post <dir> <table> <KfzNr>   appends a row ("ok" or "error <code>")
//   lock <dir> <table>           holds the write lock ("locked"), until killed
//   exclusive <dir> <table>      holds an exclusive open ("open"), until killed
//   posts <dir> <table> <prefix> <n>  appends n rows <prefix>1 ... ("ok <n>" or
//                                "error <code> <message> after <posted>")
//   write <dir> <table>          posts a row inside a transaction held 6 s ("writing"),
//                                then commits and waits until killed
//   fill <dir> <file> <megabytes>     writes a file of that size, flushed to disk ("ok")
//   readonly <dir> <table>       reads, then tries each kind of write ("count <n> <first KfzNr>",
//                                then "<write> ok" or "<write> <code> <message>" per write)
//   edit <dir> <table> <KfzNr>   holds the vehicle's row in edit ("editing"), until killed
//   delete <dir> <table> <KfzNr> deletes the vehicle's row ("ok")
//   outside <dir> <table> <KfzNr> <Info>  sets Info of the row, or deletes the row when Info is
//                                "-", by plain SQL past the layer, as a program without record
//                                locks would ("ok")
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <string>
#include <unistd.h>

#include <sqlite3.h>

#include <QDir>

#include "dbe/Session.h"
#include "dbe/Table.h"

int main(int argc, char **argv)
{
    if (argc < 4)
        return 2;
    const QString cmd = QString::fromLocal8Bit(argv[1]);
    const QString dir = QString::fromLocal8Bit(argv[2]);
    if (cmd == QLatin1String("fill") && argc > 4) {
        // Keeps the disk busy: a large file written and flushed in steps.
        const QByteArray path = QDir(dir).filePath(QString::fromLocal8Bit(argv[3])).toLocal8Bit();
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        const std::string chunk(1 << 20, 'x');
        for (int i = 0; fd >= 0 && i < std::atoi(argv[4]); ++i) {
            if (::write(fd, chunk.data(), chunk.size()) < 0)
                break;
            if (i % 16 == 15)
                ::fdatasync(fd);
        }
        if (fd >= 0)
            ::close(fd);
        std::printf("ok\n");
        return 0;
    }
    if (cmd == QLatin1String("outside") && argc > 5) {
        sqlite3 *db = nullptr;
        sqlite3_open(QDir(dir).filePath(QStringLiteral("dbe.sqlite")).toUtf8().constData(), &db);
        sqlite3_busy_timeout(db, 10000);
        const QString table = QString::fromLocal8Bit(argv[3]).section(QLatin1Char('.'), 0, 0).toLower();
        const bool remove = std::string(argv[5]) == "-";
        const QString sql =
            remove ? QStringLiteral("DELETE FROM \"%1\" WHERE \"KfzNr\" = ?1").arg(table)
                   : QStringLiteral("UPDATE \"%1\" SET \"Info\" = ?2 WHERE \"KfzNr\" = ?1").arg(table);
        sqlite3_stmt *s = nullptr;
        sqlite3_prepare_v2(db, sql.toUtf8().constData(), -1, &s, nullptr);
        sqlite3_bind_text(s, 1, argv[4], -1, SQLITE_TRANSIENT);
        if (!remove)
            sqlite3_bind_text(s, 2, argv[5], -1, SQLITE_TRANSIENT);
        const int rc = sqlite3_step(s);
        sqlite3_finalize(s);
        sqlite3_close(db);
        std::printf(rc == SQLITE_DONE ? "ok\n" : "error %d\n", rc);
        return 0;
    }
    dbe::TSession session(QDir(dir).filePath(QStringLiteral("helper.cfg")));
    dbe::TTable t(&session);
    t.SetDatabaseName(dir);
    t.SetTableName(QString::fromLocal8Bit(argv[3]));
    try {
        if (cmd == QLatin1String("count")) {
            t.Open();
            std::printf("%d\n", t.RecordCount());
        } else if (cmd == QLatin1String("post")) {
            t.Open();
            t.Append();
            t.FieldByName(QStringLiteral("KfzNr"))
                ->SetAsString(QString::fromLocal8Bit(argc > 4 ? argv[4] : ""));
            t.Post();
            std::printf("ok\n");
        } else if (cmd == QLatin1String("posts") && argc > 5) {
            t.Open();
            const int n = std::atoi(argv[5]);
            int posted = 0;
            try {
                for (; posted < n; ++posted) {
                    t.Append();
                    t.FieldByName(QStringLiteral("KfzNr"))
                        ->SetAsString(QString::fromLocal8Bit(argv[4]) + QString::number(posted + 1));
                    t.Post();
                }
            } catch (const dbe::EDBEngineError &e) {
                std::printf("error %d %s after %d\n", e.ErrorCode(), e.what(), posted);
                return 0;
            }
            std::printf("ok %d\n", posted);
        } else if (cmd == QLatin1String("write")) {
            t.Open();
            dbe::TTransaction tx(session, dir);
            t.Append();
            t.FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("W"));
            t.Post();
            std::printf("writing\n");
            std::fflush(stdout);
            sleep(6);
            tx.Commit();
            for (;;)
                pause();
        } else if ((cmd == QLatin1String("edit") || cmd == QLatin1String("delete")) && argc > 4) {
            t.Open();
            if (!t.FindKey({QString::fromLocal8Bit(argv[4])})) {
                std::printf("missing\n");
                return 0;
            }
            if (cmd == QLatin1String("delete")) {
                t.Delete();
                std::printf("ok\n");
                return 0;
            }
            t.Edit();
            std::printf("editing\n");
            std::fflush(stdout);
            for (;;)
                pause();
        } else if (cmd == QLatin1String("readonly")) {
            // Reads, then tries every kind of write; one line each: "<what> <code> <message>".
            t.Open();
            std::printf("count %d %s\n", t.RecordCount(),
                        qPrintable(t.FieldByName(QStringLiteral("KfzNr"))->AsString()));
            const auto attempt = [](const char *what, const std::function<void()> &write) {
                try {
                    write();
                    std::printf("%s ok\n", what);
                } catch (const dbe::EDBEngineError &e) {
                    std::printf("%s %d %s\n", what, e.ErrorCode(), e.what());
                }
            };
            attempt("edit", [&] { t.Edit(); });
            attempt("append", [&] { t.Append(); });
            attempt("delete", [&] { t.Delete(); });
            attempt("lock", [&] { t.LockTable(); });
            attempt("transaction", [&] { session.StartTransaction(dir); });
            t.Close();
            attempt("empty", [&] { t.EmptyTable(); });
        } else if (cmd == QLatin1String("lock") || cmd == QLatin1String("exclusive")) {
            t.SetExclusive(cmd == QLatin1String("exclusive"));
            t.Open();
            if (cmd == QLatin1String("lock"))
                t.LockTable();
            std::printf(cmd == QLatin1String("lock") ? "locked\n" : "open\n");
            std::fflush(stdout);
            for (;;)
                pause();
        }
    } catch (const dbe::EDBEngineError &e) {
        std::printf("error %d %s\n", e.ErrorCode(), e.what());
    } catch (const dbe::EDatabaseError &e) {
        std::printf("error 0 %s\n", e.what());
    }
    return 0;
}
