// Reports 7 (vehicle list) and 11 (tyres) of a generated fleet, prepared by the report catalogue and
// run by its list loop, once into an engine that does nothing and once through the real engine into a
// PDF, each against plain SQLite queries reading the same rows as text. Prints the ratio per pair.
//   report_catalogue_bench [--scale=F] [benchmark options]   (F = 1: 10,000 vehicles)
// The engine that does nothing answers "used" for every name the project's file mentions, as the real
// engine does, so the program's definers do the work they do in a real run.
#include <memory>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QHash>
#include <QLabel>
#include <QRegularExpression>

#include "ReportKatalogDienst.h"
#include "StandardProjekte.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/MandantDaten.h"
#include "daten/schema/Katalog.h"
#include "fleet_generator.h"
#include "kern_umgebung.h"
#include "ratio_reporter.h"
#include "regeln/FeldBezeichnungen.h"
#include "reportengine/Engine.h"
#include "reportengine/EngineTypes.h"
#include "reportengine/ScriptedEngineUi.h"
#include "temp_dir.h"

namespace {

// An engine that keeps no job and draws nothing: what is left is the program's own work.
class NullEngine : public tb::IEngine {
public:
    int TbJobOpen(int) override { return 1; }
    int TbJobOpenCopy(int) override { return 2; }
    int TbJobClose(int) override { return 0; }
    int TbSetOption(int, int, intptr_t) override { return 0; }
    intptr_t TbGetOption(int, int) override { return 0; }
    int TbSetOptionStringA(int, int, const QString &) override { return 0; }
    int TbPrintSetOptionStringA(int, int, const QString &) override { return 0; }
    int TbSetDlgboxMode(int) override { return 0; }
    int TbSetDebug(int) override { return 0; }
    tb::NotificationCallback TbSetNotificationCallback(int, tb::NotificationCallback) override { return {}; }
    int TbDefineVariableStart(int) override { return 0; }
    int TbDefineFieldStart(int) override { return 0; }
    int TbDefineChartFieldStart(int) override { return 0; }
    int TbDefineVariableA(int, const QString &, const QString &) override { return 0; }
    int TbDefineFieldA(int, const QString &, const QString &contents) override
    {
        zeichen += contents.size();
        return 0;
    }
    int TbDefineFieldExtA(int, const QString &, const QString &, int, int) override { return 0; }
    int TbPrintIsFieldUsedA(int, const QString &name) override
    {
        auto it = benutzt_.constFind(name);
        if (it == benutzt_.cend())
            it =
                benutzt_.insert(name, projekt_.contains(QRegularExpression(
                                          QStringLiteral("\\b%1\\b").arg(QRegularExpression::escape(name)))));
        return *it ? 1 : 0;
    }
    int TbDefineLayoutA(int, QWidget *, const QString &, int, const QString &) override { return 0; }
    int TbSelectFileDlgTitleExA(int, QWidget *, const QString &, int, QString &, int, int) override
    {
        return 0;
    }
    int TbDesignerProhibitAction(int, int) override { return 0; }
    int TbDesignerProhibitFunctionA(int, const QString &) override { return 0; }
    int TbDesignerProhibitEditingObjectA(int, const QString &) override { return 0; }
    int TbDesignerAddActionA(int, int, int, const QString &, const QString &, const QString &,
                             const QString &) override
    {
        return 0;
    }
    int TbPrintWithBoxStartA(int, int, const QString &file, int, int, QWidget *, const QString &) override
    {
        QFile datei(file);
        if (!datei.open(QIODevice::ReadOnly))
            return tb::TB_ERR_BAD_PROJECT;
        projekt_ = QString::fromUtf8(datei.readAll());
        benutzt_.clear();
        return 0;
    }
    int TbPrintOptionsDialogA(int, QWidget *, const QString &) override { return 0; }
    int TbPrintGetOption(int, int option) override
    {
        return option == tb::popt::LastPage ? tb::TB_PAGE_OPEN : option == tb::popt::FirstPage ? 1 : 0;
    }
    int TbPrintSetOption(int, int, int) override { return 0; }
    int TbPrint(int) override { return 0; }
    int TbPrintFields(int) override
    {
        ++zeilen;
        return 0;
    }
    int TbPrintFieldsEnd(int) override { return 0; }
    int TbPrintSetBoxTextA(int, const QString &, int) override { return 0; }
    int TbPrintGetCurrentPage(int) override { return 1; }
    int TbPrintGetItemsPerPage(int) override { return 40; }
    int TbPrintGetItemsPerTable(int) override { return 40; }
    int TbPrintDidMatchFilter(int) override { return 1; }
    int TbPrintDeclareChartRow(int, int) override { return 0; }
    int TbPrintGetPrinterInfoA(int, QString &name, int, QString &port, int) override
    {
        name = QStringLiteral("Null");
        port.clear();
        return 0;
    }
    int TbPrintEnd(int, int) override { return 0; }
    int TbPreviewSetTempPathA(int, const QString &) override { return 0; }
    int TbPreviewDisplayA(int, const QString &, const QString &, QWidget *) override { return 0; }
    int TbPreviewDeleteFilesA(int, const QString &, const QString &) override { return 0; }
    int TbXSetParameterA(int, int, const QString &, const QString &, const QString &) override { return 0; }

    long long zeilen = 0, zeichen = 0;

private:
    QString projekt_;
    QHash<QString, bool> benutzt_;
};

struct Bench {
    std::unique_ptr<kerntest::Umgebung> umgebung;
    testsupport::TempDir projekte, ausgabe;
    sqlite3 *db = nullptr;
    int fahrzeuge = 0;
};
Bench *bench = nullptr;

// The catalogue on a stand-in main window over the given engine, for one benchmark: the engine's job
// is opened by the component made here and closed with the window.
class KatalogLauf {
public:
    explicit KatalogLauf(std::unique_ptr<tb::IEngine> engine) : vorher_(tb::setEngine(std::move(engine)))
    {
        haupt_ = std::make_unique<QWidget>();
        haupt_->setObjectName(QStringLiteral("HauptFormular"));
        for (int i = 1; i <= 3; ++i)
            (new QLabel(QStringLiteral("Freier Termin %1").arg(i), haupt_.get()))
                ->setObjectName(QStringLiteral("LblFreierTermin%1").arg(i));
        katalog_ = std::make_unique<reporting::TReportKatalog>(haupt_.get());
    }
    ~KatalogLauf()
    {
        katalog_.reset();
        haupt_.reset();
        tb::setEngine(std::move(vorher_));
    }
    reporting::TReportKatalog &katalog() { return *katalog_; }

private:
    std::unique_ptr<tb::IEngine> vorher_;
    std::unique_ptr<QWidget> haupt_;
    std::unique_ptr<reporting::TReportKatalog> katalog_;
};

void drucken(KatalogLauf &lauf, int report)
{
    lauf.katalog().PrintReport(report, 1);
}

void ueberNull(benchmark::State &state, int report)
{
    auto engine = std::make_unique<NullEngine>();
    NullEngine *null = engine.get();
    KatalogLauf lauf(std::move(engine));
    for (auto _ : state)
        drucken(lauf, report);
    state.counters["rows"] = double(null->zeilen) / double(state.iterations());
}

void alsPdf(benchmark::State &state, int report)
{
    auto ui = std::make_unique<tb::ScriptedEngineUi>();
    ui->script.printer = tb::pdfPseudoPrinterName();
    ui->script.pdfFile =
        QDir(QString::fromStdString(bench->ausgabe.str())).filePath(QStringLiteral("liste.pdf"));
    KatalogLauf lauf(std::make_unique<tb::Engine>(std::move(ui)));
    for (auto _ : state)
        drucken(lauf, report);
}

sqlite3_stmt *vorbereiten(const char *sql)
{
    sqlite3_stmt *s = nullptr;
    if (sqlite3_prepare_v2(bench->db, sql, -1, &s, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", sql, sqlite3_errmsg(bench->db));
        std::abort();
    }
    return s;
}

// Every column of the row as text, as the report's fields are text.
long long zeileLesen(sqlite3_stmt *s)
{
    long long n = 0;
    for (int c = 0, spalten = sqlite3_column_count(s); c < spalten; ++c) {
        const QString text = QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(s, c)),
                                               sqlite3_column_bytes(s, c));
        n += text.size();
    }
    return n;
}

// Report 7: every vehicle in key order.
long long fahrzeugListeSqlite()
{
    sqlite3_stmt *s = vorbereiten("SELECT * FROM kfzstamm ORDER BY KfzNr");
    long long n = 0;
    while (sqlite3_step(s) == SQLITE_ROW)
        n += zeileLesen(s);
    sqlite3_finalize(s);
    return n;
}

// Report 11: every vehicle with the first tyre record of its own.
long long reifenListeSqlite()
{
    sqlite3_stmt *s = vorbereiten("SELECT * FROM kfzstamm ORDER BY KfzNr");
    sqlite3_stmt *r = vorbereiten("SELECT * FROM kfzreif WHERE KfzNr = ?1 LIMIT 1");
    long long n = 0;
    while (sqlite3_step(s) == SQLITE_ROW) {
        n += zeileLesen(s);
        sqlite3_reset(r);
        sqlite3_bind_text(r, 1, reinterpret_cast<const char *>(sqlite3_column_text(s, 0)),
                          sqlite3_column_bytes(s, 0), SQLITE_TRANSIENT);
        if (sqlite3_step(r) == SQLITE_ROW)
            n += zeileLesen(r);
    }
    sqlite3_finalize(r);
    sqlite3_finalize(s);
    return n;
}

void VehicleListNull_ours(benchmark::State &state)
{
    ueberNull(state, 7);
}
void VehicleListNull_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(fahrzeugListeSqlite());
}
void VehicleListPdf_ours(benchmark::State &state)
{
    alsPdf(state, 7);
}
void VehicleListPdf_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(fahrzeugListeSqlite());
}
void TyreListNull_ours(benchmark::State &state)
{
    ueberNull(state, 11);
}
void TyreListNull_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(reifenListeSqlite());
}
void TyreListPdf_ours(benchmark::State &state)
{
    alsPdf(state, 11);
}
void TyreListPdf_sqlite(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(reifenListeSqlite());
}

// The generated fleet into the client's database: the generator writes a directory of its own, whose
// rows are copied into the tables the program's first start made from the same definitions.
void flotteAnlegen(int fahrzeuge)
{
    testsupport::TempDir erzeugt;
    const QString quelle = QString::fromStdString(erzeugt.str());
    QList<dbe::TableDef> katalog;
    for (const char *t : {"KfzStamm.db", "KfzVar.db", "KfzTour.db", "KfzReif.db"})
        katalog << *fleet::KatalogTabelle(QString::fromLatin1(t));
    // The two reports read vehicles and tyres only: costs and tours are kept small.
    FleetSize groesse;
    groesse.vehicles = fahrzeuge;
    groesse.costs = fahrzeuge;
    groesse.tours = fahrzeuge;
    generateFleet(quelle, groesse, katalog);
    const QString ziel = bench->umgebung->session().DirectoryOf(fleet::kAliasFuhrpark);
    sqlite3_open(QDir(ziel).filePath(QStringLiteral("dbe.sqlite")).toUtf8().constData(), &bench->db);
    sqlite3_busy_timeout(bench->db, 5000);
    const QByteArray anhaengen =
        "ATTACH DATABASE '" + QDir(quelle).filePath(QStringLiteral("dbe.sqlite")).toUtf8() + "' AS g";
    const QByteArray reifen =
        "INSERT INTO kfzreif (KfzNr, ZurZeitMontiert, Achse1ReifentypSo, Achse1ReifenProfilMMSo, "
        "Achse1ReifenKmSo, Achse1ReifentypWi, Reifengroesse, Reifenpreis) "
        "SELECT KfzNr, 'S', 'Conti EcoContact 6', 6.5, 12000, 'Conti WinterContact TS 870', '205/55 R16 "
        "91V', "
        "1234.5 FROM g.kfzstamm";
    for (const char *sql : {anhaengen.constData(), "BEGIN", "INSERT INTO kfzstamm SELECT * FROM g.kfzstamm",
                            reifen.constData(), "COMMIT", "DETACH DATABASE g"}) {
        char *fehler = nullptr;
        if (sqlite3_exec(bench->db, sql, nullptr, nullptr, &fehler) != SQLITE_OK) {
            std::fprintf(stderr, "%s: %s\n", sql, fehler);
            std::abort();
        }
    }
}

} // namespace

BENCHMARK(VehicleListNull_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(VehicleListNull_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(VehicleListPdf_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(VehicleListPdf_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(TyreListNull_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(TyreListNull_sqlite)->Unit(benchmark::kMillisecond);
BENCHMARK(TyreListPdf_ours)->Unit(benchmark::kMillisecond);
BENCHMARK(TyreListPdf_sqlite)->Unit(benchmark::kMillisecond);

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const double scale = TakeScaleArgument(argc, argv);
    benchmark::Initialize(&argc, argv);
    QApplication app(argc, argv);
    Bench b;
    bench = &b;
    b.fahrzeuge = std::max(20, static_cast<int>(10000 * scale));
    b.umgebung = std::make_unique<kerntest::Umgebung>();
    flotteAnlegen(b.fahrzeuge);
    fleet::DataModule1 = new fleet::TDataModule1(&b.umgebung->session());
    fleet::MandantDaten = {"Mandant1",
                           "Spedition Kühne & Söhne",
                           "GmbH & Co. KG",
                           "",
                           "Hafenstraße 5",
                           "D",
                           "20457",
                           "Hamburg",
                           "040 123456",
                           "",
                           "",
                           "",
                           "",
                           "",
                           ""};
    fleet::FeldBezeichnungen = fleet::FeldBezeichnungenLesen([](const QString &) { return QString(); });
    const QString projekte = QString::fromStdString(b.projekte.str());
    if (!reporting::StandardProjekteKopieren(projekte).isEmpty())
        return 1;
    QDir::setCurrent(projekte);

    // Both ways must read every vehicle before their times mean anything.
    {
        auto engine = std::make_unique<NullEngine>();
        NullEngine *null = engine.get();
        KatalogLauf lauf(std::move(engine));
        drucken(lauf, 7);
        const long long liste = null->zeilen;
        drucken(lauf, 11);
        const long long reifen = null->zeilen - liste;
        std::printf("fleet: %d vehicles; rows printed: list %lld, tyres %lld; SQLite text %lld / %lld\n",
                    b.fahrzeuge, liste, reifen, fahrzeugListeSqlite(), reifenListeSqlite());
        if (liste != b.fahrzeuge || reifen != b.fahrzeuge)
            return 1;
    }
    {
        // The PDF way must print too: a refused run would measure nothing.
        auto ui = std::make_unique<tb::ScriptedEngineUi>();
        ui->script.printer = tb::pdfPseudoPrinterName();
        const QString pdf =
            QDir(QString::fromStdString(b.ausgabe.str())).filePath(QStringLiteral("probe.pdf"));
        ui->script.pdfFile = pdf;
        KatalogLauf lauf(std::make_unique<tb::Engine>(std::move(ui)));
        drucken(lauf, 7);
        std::printf("PDF of the vehicle list: %lld bytes\n", static_cast<long long>(QFile(pdf).size()));
        if (QFile(pdf).size() < 1000)
            return 1;
    }
    RatioReporter reporter("ours", "ratio catalogue and list loop / SQLite rows as text, CPU time:");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    sqlite3_close(b.db);
    delete fleet::DataModule1;
    fleet::DataModule1 = nullptr;
    b.umgebung.reset();
    bench = nullptr;
    return 0;
}
