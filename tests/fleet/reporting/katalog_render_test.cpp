// Every shipped report printed through the catalogue to PDF by the real engine, headless.
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>

#include "DataModule1.h"
#include "ReportKatalog.h"
#include "StandardProjekte.h"
#include "engine_fixture.h"
#include "katalog_umgebung.h"
#include "temp_dir.h"
#include "ui/testing/ScriptedMessages.h"

using namespace enginetest;

namespace {

class KatalogRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        alt_ = QDir::currentPath();
        auto ui = std::make_unique<tb::ScriptedEngineUi>();
        ui_ = ui.get();
        auto engine = std::make_unique<tb::Engine>(std::move(ui));
        engine->setNow(45292); // 01.01.2024
        vorher_ = tb::setEngine(std::move(engine));
        umgebung_ = std::make_unique<katalogtest::KatalogUmgebung>();
        ASSERT_TRUE(reporting::StandardProjekteKopieren(projekte()).isEmpty());
        QDir::setCurrent(projekte());
        ui_->script.printer = tb::pdfPseudoPrinterName();
    }
    void TearDown() override
    {
        QDir::setCurrent(alt_);
        EXPECT_TRUE(meldungen_.verifyDone());
        umgebung_.reset();
        tb::setEngine(std::move(vorher_));
    }
    QString projekte() const { return QString::fromStdString(dir_.path().string()); }
    // Prints the report to a PDF of its own and returns its pages as text.
    QStringList drucken(int nr)
    {
        const QString pdf = QDir(ausgabe()).filePath(QStringLiteral("report%1.pdf").arg(nr, 2, 10, QLatin1Char('0')));
        QFile::remove(pdf);
        ui_->script.pdfFile = pdf;
        umgebung_->katalog().PrintReport(nr, fleet::kDrucken);
        return pdfPages(pdf);
    }
    // Kept for looking at when KARVENFP_REPORT_AUSGABE names a directory.
    QString ausgabe() const
    {
        const QString ziel = QProcessEnvironment::systemEnvironment().value(QStringLiteral("KARVENFP_REPORT_AUSGABE"));
        return ziel.isEmpty() ? projekte() : ziel;
    }

    testsupport::TempDir dir_;
    QString alt_;
    tb::ScriptedEngineUi *ui_ = nullptr;
    std::unique_ptr<tb::IEngine> vorher_;
    ui::testing::ScriptedMessages meldungen_{[](const QString &r) { ADD_FAILURE() << r.toStdString(); }};
    std::unique_ptr<katalogtest::KatalogUmgebung> umgebung_;
};

// A value of the fixture each report prints.
const char *const kWerte[reporting::kReportAnzahl] = {
    "Februar",       "März 2024",     "R-4711",        "Lieferung Großhandel Lübeck", "Mercedes-Benz",
    "M-ÖL 77",       "Fällige Termine", "Tankwagen Süd", "Gruppe Süd",                 "Jürgen Müller",
    "Januar",        "M-ÖL 77",       "Übergabe an Fahrer 1", "B-XY 2024",           "",
    "Urlaubsvertretung", "Åsa Öberg", "Åsa Öberg",    "Sprinter Kühlkoffer",         "März 2024",
    "S-100",         "Mandant1",      "Mandant20",      "Bremsen prüfen",             "B-XY 2024"};

TEST_F(KatalogRender, EveryShippedReportPrintsItsTitleAndTheFleetsValues)
{
    for (int nr = 0; nr < reporting::kReportAnzahl; ++nr) {
        if (nr == 14)
            continue; // printed by the fuel import
        SCOPED_TRACE(nr);
        const QStringList seiten = drucken(nr);
        ASSERT_GE(seiten.size(), 1);
        const QString text = seiten.join(QLatin1Char('\n'));
        // The client's name heads every report but the client list and card; each shows a value of
        // the fleet.
        if (nr != 21 && nr != 22) {
            EXPECT_TRUE(text.contains(QStringLiteral("Spedition Kühne & Söhne"))) << text.toStdString();
        }
        const QString wert = QString::fromUtf8(kWerte[nr]);
        EXPECT_TRUE(text.contains(wert)) << wert.toStdString() << "\n" << text.toStdString();
    }
}

} // namespace
