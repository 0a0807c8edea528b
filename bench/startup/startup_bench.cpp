// Start-up of the fleet program to its first shown main window, each start in
// a process of its own on the offscreen platform (or the one --platform names,
// xcb under a display, say), against a bare Qt main window (the floor):
//   empty   the first start on an empty machine (a fresh data root each time)
//   fleet   a start on a generated fleet of N vehicles with their details
//   bare    QApplication and an empty QMainWindow
//   text    the same window with a menu bar, a line of text and a status
//           line: the fonts any window with words loads (context, not a goal)
//   due     the fleet start, then the first opening of the due list
// The fleet's HU, AU and inspection dates lie from 100 days before the day of
// the run to 600 days after it, so the due list lists about three vehicles in
// ten (the count is printed). The start leaves the list to be built when it is
// first shown, so its first opening is measured on its own: from the main
// window's first paint to the list's first paint. A start ends when the main
// window's first paint is done; the process then reports its CPU time and
// leaves. Printed: the median of the runs, CPU and wall seconds, and the ratio
// of each start to the floor, measured in one run.
//   startup_bench [--vehicles=N] [--runs=R] [--platform=P]   (N = 10,000, R = 5, P = offscreen)
//   startup_bench --start=empty|fleet|due|bare|text   (what the parent starts)
//   startup_bench --prepare=DIR [--vehicles=N]   a fleet root to profile one start on:
//     XDG_DATA_HOME=DIR/daten XDG_CONFIG_HOME=DIR/config KARVENFP_CONFIG_DIR=DIR/config/karvenfp
//     startup_bench --start=fleet

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <sqlite3.h>

#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTimer>

#include "base/DateTime.h"
#include "daten/DataModule1.h"
#include "dienste/TerminDienste.h"
#include "fleet_root.h"
#include "formulare/HauptFormular.h"
#include "formulare/TerminFormular.h"
#include "process_usage.h"
#include "temp_dir.h"
#include "ui/Application.h"
#include "ui/StartUp.h"

namespace fleet {
// The program's own start (fleet/main.cpp).
int ProgrammAusfuehren(const std::function<int()> &mitHauptfenster);
} // namespace fleet

namespace {

// Runs `then` once the window's first paint is through (the backing store is
// painted in one go; the zero timer runs after it).
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget *window, std::function<void()> then) : window_(window), then_(std::move(then))
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == window_ && event->type() == QEvent::Paint && !seen_) {
            seen_ = true;
            QTimer::singleShot(0, then_);
        }
        return false;
    }

private:
    QWidget *window_;
    std::function<void()> then_;
    bool seen_ = false;
};

// The process ends without tearing anything down.
[[noreturn]] void leave()
{
    std::fflush(stdout);
    std::_Exit(0);
}

// The CPU time is printed first, then what the start found (outside the
// measurement).
void reportStart()
{
    std::printf("cpu=%.6f\n", testsupport::cpuSeconds());
    std::printf("vehicles=%d\n", fleet::DataModule1->TTblMain.RecordCount());
}

void reportDue()
{
    dbe::TTable &liste = fleet::DataModule1->TTblTermine;
    std::printf("due=%d\n", liste.Active() ? liste.RecordCount() : -1);
}

int startBare(int argc, char **argv, bool withText)
{
    QApplication app(argc, argv);
    QMainWindow window;
    window.resize(1024, 768);
    if (withText) {
        window.menuBar()->addMenu(QStringLiteral("&Datei"))->addAction(QStringLiteral("&Beenden"));
        window.setCentralWidget(new QLabel(QStringLiteral("Fahrzeug M-KV 1234, Kilometerstand 123.456")));
        window.statusBar()->showMessage(QStringLiteral("Bereit"));
    }
    FirstPaint done(&window, [] {
        std::printf("cpu=%.6f\n", testsupport::cpuSeconds());
        leave();
    });
    window.show();
    return QApplication::exec();
}

// The program body of fleet/main.cpp, with the first paint as its end; with
// `openDueList`, the due list is opened from the menu then, and its first
// paint ends the process.
int startFleet(int argc, char **argv, bool openDueList)
{
    ui::Application app(argc, argv);
    ui::Application::setApplicationName(QStringLiteral("karvenfp"));
    ui::startGerman();
    double opening = 0;
    std::unique_ptr<FirstPaint> dueListPainted;
    const int code = fleet::ProgrammAusfuehren([&] {
        if (!fleet::HauptFormular)
            return 1;
        FirstPaint done(fleet::HauptFormular, [&] {
            reportStart();
            if (!openDueList) {
                reportDue();
                leave();
            }
            // The list is made on first use: making it is part of its opening.
            opening = testsupport::cpuSeconds();
            fleet::TTerminFormular *liste = fleet::TerminFormularBereitstellen();
            if (!liste) {
                reportDue();
                leave();
            }
            dueListPainted = std::make_unique<FirstPaint>(liste, [&] {
                std::printf("opening=%.6f\n", testsupport::cpuSeconds() - opening);
                reportDue();
                leave();
            });
            fleet::terminDienste().TerminListeZeigen();
        });
        fleet::HauptFormular->show();
        return ui::Application::exec();
    });
    std::fprintf(stderr, "the program ended before its windows were painted (%d)\n", code);
    return 1;
}

// The window system the starts are measured on.
QString &platform()
{
    static QString name = QStringLiteral("offscreen");
    return name;
}

// Environment of a start whose data root and configuration lie in `root`.
QProcessEnvironment machine(const QString &root)
{
    return fleetRootEnvironment(root, platform());
}

struct Times {
    std::vector<double> cpu, wall;
    std::vector<double> opening; // CPU of the due list's first opening
    int due = -1;                // rows of the due list when it was first built
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v.size() % 2 ? v[v.size() / 2] : (v[v.size() / 2 - 1] + v[v.size() / 2]) / 2;
}

// One start in a process of its own; false when it did not reach its window.
// A fleet start must find the expected number of vehicles (-1: not checked).
bool measure(const QString &self, const char *kind, const QProcessEnvironment &env, Times &times,
             int vehicles = -1)
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QElapsedTimer wall;
    wall.start();
    p.start(self, {QStringLiteral("--start=") + QLatin1String(kind)});
    if (!p.waitForFinished(120000)) {
        p.kill();
        p.waitForFinished();
        std::fprintf(stderr, "%s: no window within two minutes\n", kind);
        return false;
    }
    const double seconds = wall.nsecsElapsed() / 1e9;
    const QByteArray out = p.readAllStandardOutput();
    const int at = out.indexOf("cpu=");
    if (p.exitCode() != 0 || at < 0) {
        std::fprintf(stderr, "%s: the start failed (exit %d)\n%s", kind, p.exitCode(), out.constData());
        return false;
    }
    // The value of "key=value" on its own line; empty when the key is missing.
    const auto value = [&out](const char *key) {
        const qsizetype at = out.indexOf(key);
        if (at < 0)
            return QByteArray();
        const qsizetype from = at + qstrlen(key);
        return out.mid(from, out.indexOf('\n', at) - from);
    };
    if (vehicles >= 0 && value("vehicles=").toInt() != vehicles) {
        std::fprintf(stderr, "%s: the main window did not find the %d vehicles\n%s", kind, vehicles,
                     out.constData());
        return false;
    }
    if (const QByteArray due = value("due="); !due.isEmpty())
        times.due = due.toInt();
    if (const QByteArray opening = value("opening="); !opening.isEmpty())
        times.opening.push_back(opening.toDouble());
    times.cpu.push_back(value("cpu=").toDouble());
    times.wall.push_back(seconds);
    return true;
}

// The generator writes appointment dates from a fixed day on; they move so
// that the earliest lies 100 days before today.
void moveAppointmentsToToday(const QString &client)
{
    sqlite3 *db = nullptr;
    sqlite3_open(QDir(client).filePath(QStringLiteral("dbe.sqlite")).toUtf8().constData(), &db);
    const QDate today = QDate::currentDate();
    const double now = base::encodeDate(today.year(), today.month(), today.day());
    const QByteArray sql = QStringLiteral("UPDATE kfzstamm SET KfzTUEVTermin = KfzTUEVTermin + %1 - m, "
                                          "KfzASUTermin = KfzASUTermin + %1 - m, "
                                          "KfzInspektTermin = KfzInspektTermin + %1 - m "
                                          "FROM (SELECT min(KfzTUEVTermin) AS m FROM kfzstamm)")
                               .arg(now - 100)
                               .toUtf8();
    char *error = nullptr;
    if (sqlite3_exec(db, sql.constData(), nullptr, nullptr, &error) != SQLITE_OK) {
        std::fprintf(stderr, "moving the appointments failed: %s\n", error);
        sqlite3_free(error);
        std::exit(1);
    }
    sqlite3_close(db);
}

// The first start on an empty root, then the fleet written into the first
// client's directory, its appointments moved to today.
void prepareFleet(const QString &root, int vehicles)
{
    moveAppointmentsToToday(prepareFleetRoot(root, vehicles));
}

} // namespace

int main(int argc, char **argv)
{
    int vehicles = 10000, runs = 5;
    QString prepareOnly;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--start=bare" || a == "--start=text")
            return startBare(argc, argv, a == "--start=text");
        if (a == "--start=empty" || a == "--start=fleet" || a == "--start=due")
            return startFleet(argc, argv, a == "--start=due");
        if (a.rfind("--vehicles=", 0) == 0)
            vehicles = std::max(1, std::atoi(a.c_str() + 11));
        else if (a.rfind("--prepare=", 0) == 0)
            prepareOnly = QString::fromLocal8Bit(a.c_str() + 10);
        else if (a.rfind("--runs=", 0) == 0)
            runs = std::max(1, std::atoi(a.c_str() + 7));
        else if (a.rfind("--platform=", 0) == 0 && a.size() > 11)
            platform() = QString::fromLocal8Bit(a.c_str() + 11);
        else {
            std::fprintf(stderr, "usage: %s [--vehicles=N] [--runs=R] [--platform=P]\n", argv[0]);
            return 2;
        }
    }
    if (!prepareOnly.isEmpty()) {
        prepareFleet(QDir(prepareOnly).absolutePath(), vehicles);
        return 0;
    }
    testsupport::TempDir dir;
    const QString base = QString::fromStdString(dir.str());
    const QString fleetRoot = base + QStringLiteral("/fleet");
    prepareFleet(fleetRoot, vehicles);
    const QString self = QString::fromLocal8Bit(argv[0]);
    // Warm the file cache and the fleet's first-start leftovers with one
    // unmeasured start of each, then interleave the measured ones.
    Times bare, text, empty, fleet, due, ignored;
    const auto emptyRoot = [&base](int n) { return base + QStringLiteral("/empty%1").arg(n); };
    bool ok = measure(self, "bare", machine(base), ignored) &&
              measure(self, "fleet", machine(fleetRoot), ignored) &&
              measure(self, "empty", machine(emptyRoot(0)), ignored);
    for (int r = 1; ok && r <= runs; ++r)
        ok = measure(self, "bare", machine(base), bare) && measure(self, "text", machine(base), text) &&
             measure(self, "empty", machine(emptyRoot(r)), empty) &&
             measure(self, "fleet", machine(fleetRoot), fleet, vehicles) &&
             measure(self, "due", machine(fleetRoot), due, vehicles);
    if (!ok)
        return 1;
    if (due.opening.size() != static_cast<size_t>(runs)) {
        std::fprintf(stderr, "the due list did not open in every run\n");
        return 1;
    }
    const double floorCpu = median(bare.cpu), floorWall = median(bare.wall);
    std::printf("\nstart-up to the first painted main window on %s, median of %d runs (seconds)\n",
                qPrintable(platform()), runs);
    std::printf("  %-28s %8s %8s %10s %10s\n", "start", "CPU", "wall", "CPU ratio", "wall ratio");
    const auto line = [&](const char *name, const Times &t) {
        std::printf("  %-28s %8.3f %8.3f %10.2f %10.2f\n", name, median(t.cpu), median(t.wall),
                    median(t.cpu) / floorCpu, median(t.wall) / floorWall);
    };
    line("bare Qt main window (floor)", bare);
    line("the same with text", text);
    line("first start, empty machine", empty);
    const std::string fleetName = "fleet of " + std::to_string(vehicles) + " vehicles";
    line(fleetName.c_str(), fleet);
    std::printf("  %-28s %8s %8s %10.2f %10.2f\n", "fleet against window w/ text", "", "",
                median(fleet.cpu) / median(text.cpu), median(fleet.wall) / median(text.wall));
    std::printf("\nthe due list, built when first shown, after the fleet's start (CPU seconds)\n");
    std::printf("  %-28s %8.3f   (%d vehicles listed)\n", "first opening", median(due.opening), due.due);
    std::vector<double> both;
    for (size_t i = 0; i < due.cpu.size() && i < due.opening.size(); ++i)
        both.push_back(due.cpu[i] + due.opening[i]);
    std::printf("  %-28s %8.3f   (one process)\n", "start + first opening", median(both));
    return 0;
}
