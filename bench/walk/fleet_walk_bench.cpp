// The fleet program walked at fleet size: a client of N vehicles made by the
// shipped generator (its detail counts per vehicle), then every menu command,
// page, page button and print preview the walk test takes, each in a process
// of its own started on the offscreen platform, timed from its trigger to the
// moment its window shows its result with the program idle (wall and CPU),
// with the process's peak memory. The steps that lead to a result inside an
// opened window follow it ("→ Berechnen", the dispatch page's "Alle
// Fahrzeuge"); a print preview is written as PDF by the engine after it. A
// step that takes longer than the timeout is stopped and shown as "> T s";
// one that holds more than 4 GB is stopped too (the time it had run in brackets).
// Beside each evaluation stands its floor: plain SQLite statements computing
// the same figures; beside each PDF the same pages drawn by QPdfWriter with
// plain drawText. One table.
//   fleet_walk_bench [--vehicles N] [--data DIR] [--work DIR] [--timeout S] [--only TEXT]
//     N = 10,000; --data keeps the generated client for later runs (made when
//     missing) and is left as it is: the walk runs on a copy, in --work when
//     given (kept, to compare the result tables of two runs), else in a
//     temporary directory; S = 60 seconds; TEXT limits the walk to steps
//     containing one of its comma-separated parts.
//   fleet_walk_bench --vehicles N --data DIR --prepare   only makes the client
//   --dump FILE   writes the evaluations' result tables after the walk, to
//                 compare the figures of two runs (diff)
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include "fleet_root.h"
#include "result_dump.h"
#include "sql_floors.h"
#include "temp_dir.h"
#include "walk_child.h"

namespace {

struct Row {
    QString step;
    QString wall, cpu; // seconds as printed, or "> T s"
    double cpuSeconds = -1;
    long peakKb = -1;
    QString windows;
    double floorCpu = -1;
    QString floorWhat;
};

struct Options {
    int vehicles = 10000;
    QString data, work, dump;
    int timeout = 60;
    QString only;
    bool prepareOnly = false;
};

// A figure of another process's status in kB ("VmRSS:" its resident memory
// now, "VmHWM:" its peak); -1 when it cannot be read.
long statusKb(qint64 pid, const char *key)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(key))
            return line.mid(qstrlen(key)).trimmed().split(' ').value(0).toLong();
    return -1;
}

// A step that holds more than this is stopped: the machine is shared.
constexpr long kMemoryLimitKb = 4L * 1024 * 1024;

QString seconds(double s)
{
    return QString::number(s, 'f', 3);
}

// Runs one child on `step` and adds what it reports; a step silent for longer
// than the timeout is stopped. Lines of the "liste" child go to `points`.
void runChild(const QString &self, const QProcessEnvironment &env, const QString &step, const QString &text,
              int timeout, QList<Row> &rows, QList<QPair<QString, QString>> *points, Row *start)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    p.start(self, {QStringLiteral("--step"), step, text});
    if (!p.waitForStarted()) {
        std::fprintf(stderr, "cannot start %s\n", qPrintable(self));
        return;
    }
    const qsizetype before = rows.size();
    QString running;
    QElapsedTimer since;
    since.start();
    QByteArray pending;
    // The start and the listing have ten minutes; each step its timeout.
    const auto limit = [&] { return running.isEmpty() ? 600000 : timeout * 1000; };
    const auto handle = [&](const QByteArray &line) {
        const QStringList f = QString::fromUtf8(line).split(QLatin1Char('\t'));
        if (f[0] == QLatin1String("beginne") && f.size() >= 2) {
            running = f[1];
            since.restart();
        } else if (f[0] == QLatin1String("ergebnis") && f.size() >= 6) {
            Row r;
            r.step = f[1];
            r.wall = seconds(f[2].toDouble());
            r.cpuSeconds = f[3].toDouble();
            r.cpu = seconds(r.cpuSeconds);
            r.peakKb = f[4].toLong();
            r.windows = f[5];
            rows << r;
            running.clear();
            since.restart();
        } else if (f[0] == QLatin1String("boden") && f.size() >= 4) {
            for (Row &r : rows)
                if (r.step == f[1]) {
                    r.floorCpu = f[2].toDouble();
                    r.floorWhat = f[3];
                }
        } else if (f[0] == QLatin1String("start") && f.size() >= 4 && start) {
            start->step = QStringLiteral("Start bis zum Hauptfenster");
            start->wall = seconds(f[1].toDouble());
            start->cpuSeconds = f[2].toDouble();
            start->cpu = seconds(start->cpuSeconds);
            start->peakKb = f[3].toLong();
        } else if (f[0] == QLatin1String("punkt") && f.size() >= 3 && points) {
            *points << qMakePair(f[1], f[2]);
        }
    };
    for (;;) {
        p.waitForReadyRead(100);
        pending += p.readAllStandardOutput();
        for (qsizetype nl; (nl = pending.indexOf('\n')) >= 0; pending.remove(0, nl + 1))
            handle(pending.left(nl));
        if (p.state() == QProcess::NotRunning)
            break;
        const long resident = statusKb(p.processId(), "VmRSS:");
        if (since.elapsed() > limit() || resident > kMemoryLimitKb) {
            const long peak = statusKb(p.processId(), "VmHWM:");
            const double after = since.elapsed() / 1000.0;
            p.kill();
            p.waitForFinished();
            Row r;
            r.step = running.isEmpty() ? (text.isEmpty() ? step : text) : running;
            r.wall = r.cpu = resident > kMemoryLimitKb ? QStringLiteral("(%1 s)").arg(after, 0, 'f', 1)
                                                       : QStringLiteral("> %1 s").arg(limit() / 1000);
            r.peakKb = peak;
            r.windows = resident > kMemoryLimitKb
                            ? QStringLiteral("(abgebrochen: über %1 MB)").arg(kMemoryLimitKb / 1024)
                            : QStringLiteral("(abgebrochen)");
            rows << r;
            return;
        }
    }
    // A step that began and did not end, or a child that reported nothing, failed.
    const bool silent = rows.size() == before;
    if (!running.isEmpty() ||
        (silent && !points && (p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0))) {
        Row r;
        r.step = running.isEmpty() ? (text.isEmpty() ? step : text) : running;
        r.wall = r.cpu = QStringLiteral("Fehler");
        r.windows = QStringLiteral("(Prozess endete mit %1)").arg(p.exitCode());
        rows << r;
    }
}

bool parse(int argc, char **argv, Options &o)
{
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool more = i + 1 < argc;
        if (a == "--vehicles" && more)
            o.vehicles = std::max(1, std::atoi(argv[++i]));
        else if (a == "--data" && more)
            o.data = QDir(QString::fromLocal8Bit(argv[++i])).absolutePath();
        else if (a == "--work" && more)
            o.work = QDir(QString::fromLocal8Bit(argv[++i])).absolutePath();
        else if (a == "--timeout" && more)
            o.timeout = std::max(1, std::atoi(argv[++i]));
        else if (a == "--dump" && more)
            o.dump = QString::fromLocal8Bit(argv[++i]);
        else if (a == "--prepare")
            o.prepareOnly = true;
        else if (a == "--only" && more)
            o.only = QString::fromLocal8Bit(argv[++i]);
        else
            return false;
    }
    return true;
}

// The client made by an earlier run on `root` (its database file), or a new one.
QString clientDatabase(const QString &root, int vehicles)
{
    QFile made(root + QStringLiteral("/fleet_walk_client"));
    if (made.open(QIODevice::ReadOnly)) {
        const QStringList f = QString::fromUtf8(made.readAll()).trimmed().split(QLatin1Char('\t'));
        if (f.size() == 2 && f[0].toInt() == vehicles)
            return f[1];
        std::fprintf(stderr, "%s holds a client of %s vehicles, not %d\n", qPrintable(root), qPrintable(f[0]),
                     vehicles);
        std::exit(2);
    }
    QElapsedTimer t;
    t.start();
    const QString database = QDir(prepareFleetRoot(root, vehicles)).filePath(QStringLiteral("dbe.sqlite"));
    std::printf("generated in %.1f s\n", t.elapsed() / 1000.0);
    if (made.open(QIODevice::WriteOnly))
        made.write(QStringLiteral("%1\t%2\n").arg(vehicles).arg(database).toUtf8());
    return database;
}

void printTable(const QList<Row> &rows, const Options &o)
{
    qsizetype width = 4;
    for (const Row &r : rows)
        width = std::max(width, r.step.size());
    // Padded as characters, not bytes: the steps are German.
    const auto line = [width](const QString &step, const QString &rest) {
        std::printf("%s %s\n", qPrintable(step.leftJustified(width)), qPrintable(rest));
    };
    std::printf("\nfleet walk, %d vehicles, offscreen, one process per step (seconds, MB)\n", o.vehicles);
    line(QStringLiteral("step"), QStringLiteral("%1 %2 %3 %4 %5  %6")
                                     .arg(QStringLiteral("wall"), 9)
                                     .arg(QStringLiteral("CPU"), 9)
                                     .arg(QStringLiteral("peak MB"), 8)
                                     .arg(QStringLiteral("floor CPU"), 9)
                                     .arg(QStringLiteral("ratio"), 7)
                                     .arg(QStringLiteral("windows")));
    for (const Row &r : rows) {
        const QString floor = r.floorCpu >= 0 ? seconds(r.floorCpu) : QString();
        const QString ratio = r.floorCpu > 0 && r.cpuSeconds >= 0
                                  ? QString::number(r.cpuSeconds / r.floorCpu, 'f', 1)
                                  : QString();
        line(r.step, QStringLiteral("%1 %2 %3 %4 %5  %6")
                         .arg(r.wall, 9)
                         .arg(r.cpu, 9)
                         .arg(r.peakKb >= 0 ? QString::number(r.peakKb / 1024) : QString(), 8)
                         .arg(floor, 9)
                         .arg(ratio, 7)
                         .arg(r.windows.left(50)));
    }
    std::printf("\nfloors:\n");
    for (const Row &r : rows)
        if (r.floorCpu >= 0)
            line(r.step, r.floorWhat);
}

} // namespace

int main(int argc, char **argv)
{
    if (argc >= 3 && std::string(argv[1]) == "--step")
        return WalkChildMain(1, argv, QString::fromLocal8Bit(argv[2]),
                             argc > 3 ? QString::fromUtf8(argv[3]) : QString());
    Options o;
    if (!parse(argc, argv, o)) {
        std::fprintf(stderr, "usage: %s [--vehicles N] [--data DIR] [--timeout S] [--only TEXT]\n", argv[0]);
        return 2;
    }
    QCoreApplication app(argc, argv);
    testsupport::TempDir temporary;
    const QString made =
        o.data.isEmpty() ? QString::fromStdString(temporary.str()) + QStringLiteral("/made") : o.data;
    QDir().mkpath(made);
    QString database = clientDatabase(made, o.vehicles);
    if (o.prepareOnly)
        return 0;
    // The steps change what they walk over (result tables, settings): they
    // walk over a copy, the made client stays as it was.
    const QString root =
        o.work.isEmpty() ? QString::fromStdString(temporary.str()) + QStringLiteral("/walk") : o.work;
    std::error_code error;
    std::filesystem::remove_all(root.toStdString(), error);
    std::filesystem::copy(made.toStdString(), root.toStdString(), std::filesystem::copy_options::recursive,
                          error);
    if (error) {
        std::fprintf(stderr, "cannot copy %s to %s: %s\n", qPrintable(made), qPrintable(root),
                     error.message().c_str());
        return 1;
    }
    database.replace(made, root);
    // The copy's configuration names its own directories.
    for (const auto &entry : std::filesystem::recursive_directory_iterator(root.toStdString() + "/config"))
        if (entry.is_regular_file()) {
            QFile file(QString::fromStdString(entry.path().string()));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            QByteArray text = file.readAll();
            file.close();
            if (text.contains(made.toUtf8()) && file.open(QIODevice::WriteOnly | QIODevice::Truncate))
                file.write(text.replace(made.toUtf8(), root.toUtf8()));
        }
    const QProcessEnvironment env = fleetRootEnvironment(root, QStringLiteral("offscreen"));
    const QString self = QFileInfo(QString::fromLocal8Bit(argv[0])).absoluteFilePath();

    QList<Row> rows, listed;
    QList<QPair<QString, QString>> points;
    Row start;
    runChild(self, env, QStringLiteral("liste"), QString(), o.timeout, listed, &points, &start);
    if (points.isEmpty()) {
        std::fprintf(stderr, "the walk found no steps\n");
        return 1;
    }
    rows << start;
    for (const auto &[id, text] : points) {
        const QStringList only = o.only.split(QLatin1Char(','), Qt::SkipEmptyParts);
        if (!only.isEmpty() &&
            std::none_of(only.begin(), only.end(), [&](const QString &t) { return text.contains(t); }))
            continue;
        std::fprintf(stderr, "%s\n", qPrintable(text));
        runChild(self, env, id, text, o.timeout, rows, nullptr, nullptr);
    }
    // Each floor stands beside the first step that reaches its figures.
    for (const SqlFloor &f : MeasureSqlFloors(database))
        for (Row &r : rows)
            if (r.step.contains(f.step) && r.floorCpu < 0) {
                r.floorCpu = f.cpu;
                r.floorWhat = QStringLiteral("%1 (%2 Zeilen)").arg(f.what).arg(f.rows);
                break;
            }
    // A page's print to a PDF file writes the pages its preview shows: the
    // preview's floor stands beside it too.
    for (Row &print : rows) {
        const qsizetype slash = print.step.indexOf(QStringLiteral(" / "));
        if (slash < 0 || !print.step.contains(QStringLiteral("Drucken")) ||
            !print.step.endsWith(QStringLiteral(" → OK")))
            continue;
        for (const Row &preview : rows)
            if (preview.step.startsWith(print.step.left(slash + 3)) &&
                preview.step.endsWith(QStringLiteral(" → PDF")) && preview.floorCpu >= 0) {
                print.floorCpu = preview.floorCpu;
                print.floorWhat = preview.floorWhat + QStringLiteral(" (die Seiten der Vorschau)");
            }
    }
    printTable(rows, o);
    if (!o.dump.isEmpty())
        std::printf("\n%lld rows of result tables written to %s\n", DumpResultTables(root, o.dump),
                    qPrintable(o.dump));
    int failed = 0;
    for (const Row &r : rows)
        failed += r.wall == QLatin1String("Fehler");
    return failed == 0 ? 0 : 1;
}
