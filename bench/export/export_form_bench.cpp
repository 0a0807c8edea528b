// Every tour of a generated fleet exported the way the export form does it: "Alle Fahrzeuge" (no
// filter, no link), the tours' "…Gr.lst" project, the table's fields defined record by record by
// the form's own handler on the version-14 component over the real engine, through one read scope
// of the table, as XLS and as TXT. The
// reference is the plain SQLite query reading the same rows, every column as text. Each way runs in
// a process of its own; printed are CPU seconds, peak resident megabytes and the ratios to the query.
//   export_form_bench [--scale=F]          (F = 1: 200,000 tours of 10,000 vehicles)
//   export_form_bench --way=W --dir=D      one way on the fleet in D (what the parent starts)
#include <sys/resource.h>

#include <cstdio>
#include <memory>

#include <sqlite3.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "ExportDatensatz.h"
#include "Tb14.h"
#include "daten/schema/Katalog.h"
#include "dbe/ReadScope.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "fleet_generator.h"
#include "reportengine/Engine.h"
#include "reportengine/ScriptedEngineUi.h"
#include "temp_dir.h"

namespace {

double cpuSeconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
           double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

double peakMegabytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0;
}

// The plain query: every row of the tours, every column read as text.
long long readWithSqlite(const QString &directory)
{
    sqlite3 *db = nullptr;
    if (sqlite3_open_v2(QDir(directory).filePath(QStringLiteral("dbe.sqlite")).toUtf8().constData(), &db,
                        SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
        return -1;
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(db, "SELECT * FROM kfztour", -1, &s, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return -1;
    }
    long long rows = 0;
    const int columns = sqlite3_column_count(s);
    while (sqlite3_step(s) == SQLITE_ROW) {
        for (int c = 0; c < columns; ++c)
            sqlite3_column_text(s, c);
        ++rows;
    }
    sqlite3_finalize(s);
    sqlite3_close(db);
    return rows;
}

// The export form's run: the tours table of its own, the component's two events as the form sets
// them, the project beside the data as the program directory holds it.
long long exportTours(const QString &directory, const QString &target)
{
    const QString project = QDir(directory).filePath(QStringLiteral("ExportTourenGr.lst"));
    QFile::remove(project);
    if (!QFile::copy(QStringLiteral(KARVEN_REPORTS_DIR "/ExportTourenGr.lst"), project))
        return -1;
    dbe::TSession session(QDir(directory).filePath(QStringLiteral("dbe.cfg")));
    dbe::TTable table(&session);
    table.SetDatabaseName(directory);
    table.SetTableName(QStringLiteral("KfzTour.db"));
    table.Open();

    auto engine = std::make_unique<tb::Engine>(std::make_unique<tb::ScriptedEngineUi>());
    auto previous = tb::setEngine(std::move(engine));
    const QString file = QDir(directory).filePath(QStringLiteral("export.") + target.toLower());
    int result = 0;
    {
        reporting::TTb14_ tb;
        tb.SetSortVariables(reporting::TPropYesNo::Yes);
        tb.SetCompressStorage(reporting::TPropYesNo::Yes);
        tb.OnDefineFields = [&](QObject *, int, bool design, int &percent, bool &last, intptr_t &) {
            reporting::ExportDatensatzDefinieren(tb, table, design, percent, last);
        };
        tb.OnSetPrintOptions = [&](QObject *, int &) {
            tb.PrintSetOptionString(tb::TB_PRNOPTSTR_EXPORT_TARGET, target);
            tb.XSetParameter(1, target, QStringLiteral("Export.Path"), directory);
            tb.XSetParameter(1, target, QStringLiteral("Export.File"), QFileInfo(file).fileName());
            tb.XSetParameter(1, target, QStringLiteral("Export.Quiet"), QStringLiteral("1"));
            tb.XSetParameter(1, target, QStringLiteral("Export.ShowResult"), QStringLiteral("0"));
        };
        table.First();
        const dbe::TReadScope reads(table);
        result = tb.Print(0, tb::TB_OBJECT_LIST, project, false, tb::TB_PRINT_EXPORT, tb::TB_BOX_EXPORT,
                          nullptr, QStringLiteral("Exportiere..."), false, QString());
    }
    tb::setEngine(std::move(previous));
    const long long rows = table.RecordCount();
    return result == 0 && QFileInfo(file).size() > 0 ? rows : -1;
}

QString argument(const QStringList &args, const QString &name, const QString &fallback)
{
    for (const QString &a : args)
        if (a.startsWith(name + u'='))
            return a.mid(name.size() + 1);
    return fallback;
}

struct Figure {
    double seconds = 0, megabytes = 0;
    long long rows = 0;
    bool ok = false;
};

Figure measure(const QString &way, const QString &directory)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--way=") + way, QStringLiteral("--dir=") + directory});
    child.waitForFinished(-1);
    Figure f;
    f.ok = std::sscanf(child.readAllStandardOutput().constData(), "%lf %lf %lld", &f.seconds, &f.megabytes,
                       &f.rows) == 3 &&
           child.exitCode() == 0;
    return f;
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    const QString way = argument(args, QStringLiteral("--way"), QString());
    if (!way.isEmpty()) {
        const QString directory = argument(args, QStringLiteral("--dir"), QString());
        const double before = cpuSeconds();
        const long long rows = way == QLatin1String("sqlite") ? readWithSqlite(directory)
                                                              : exportTours(directory, way.toUpper());
        std::printf("%.3f %.1f %lld\n", cpuSeconds() - before, peakMegabytes(), rows);
        return rows >= 0 ? 0 : 1;
    }
    bool numeric = false;
    const double scale = argument(args, QStringLiteral("--scale"), QStringLiteral("1")).toDouble(&numeric);
    if (!numeric || scale <= 0 || scale > 10) {
        std::fprintf(stderr, "--scale: a factor above 0 and at most 10\n");
        return 2;
    }
    testsupport::TempDir dir;
    const QString directory = QString::fromStdString(dir.str());
    const FleetSize size = FleetSize::scaled(scale);
    QList<dbe::TableDef> katalog;
    for (const char *t : {"KfzStamm.db", "KfzVar.db", "KfzTour.db"})
        katalog << *fleet::KatalogTabelle(QString::fromLatin1(t));
    generateFleet(directory, size, katalog);
    std::printf("fleet: %d vehicles, %d tours; every tour exported, each way in a process of its own\n",
                size.vehicles, size.tours);
    std::printf("%-7s %8s %10s %10s %12s %14s\n", "way", "rows", "CPU s", "peak MB", "time/query",
                "memory/query");
    const Figure query = measure(QStringLiteral("sqlite"), directory);
    bool allOk = query.ok;
    for (const char *w : {"sqlite", "xls", "txt"}) {
        const Figure f =
            QLatin1String(w) == QLatin1String("sqlite") ? query : measure(QString::fromLatin1(w), directory);
        allOk = allOk && f.ok && f.rows == query.rows;
        std::printf("%-7s %8lld %10.2f %10.1f %12.2f %14.2f%s\n", w, f.rows, f.seconds, f.megabytes,
                    query.seconds > 0 ? f.seconds / query.seconds : 0.0,
                    query.megabytes > 0 ? f.megabytes / query.megabytes : 0.0, f.ok ? "" : "   (failed)");
    }
    return allOk ? 0 : 1;
}
