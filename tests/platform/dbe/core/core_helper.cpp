// A second process for the tests: works on a table of a directory and reports
// on stdout.
//   count <dir> <table>          the number of rows
//   post <dir> <table> <KfzNr>   appends a row ("ok" or "error <code>")
//   lock <dir> <table>           holds the write lock ("locked"), until killed
//   exclusive <dir> <table>      holds an exclusive open ("open"), until killed
#include <cstdio>
#include <unistd.h>

#include <QDir>

#include "dbe/Session.h"
#include "dbe/Table.h"

int main(int argc, char **argv)
{
    if (argc < 4)
        return 2;
    const QString cmd = QString::fromLocal8Bit(argv[1]);
    const QString dir = QString::fromLocal8Bit(argv[2]);
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
