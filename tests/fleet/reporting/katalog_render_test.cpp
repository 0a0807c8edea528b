// Every shipped report printed through the catalogue to PDF by the real engine, headless.
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcessEnvironment>

#include <QDate>

#include "ReportKatalog.h"
#include "StandardProjekte.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "engine_fixture.h"
#include "katalog_umgebung.h"
#include "regeln/FeldBezeichnungen.h"
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
    QString pdfDatei(int nr) const
    {
        return QDir(ausgabe()).filePath(QStringLiteral("report%1.pdf").arg(nr, 3, 10, QLatin1Char('0')));
    }
    QStringList drucken(int nr)
    {
        const int report = nr % 100;
        const QString pdf = pdfDatei(nr);
        QFile::remove(pdf);
        ui_->script.pdfFile = pdf;
        umgebung_->katalog().PrintReport(report, fleet::kDrucken);
        return pdfPages(pdf);
    }
    // Kept for looking at when KARVENFP_REPORT_AUSGABE names a directory.
    QString ausgabe() const
    {
        const QString ziel =
            QProcessEnvironment::systemEnvironment().value(QStringLiteral("KARVENFP_REPORT_AUSGABE"));
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
const char *const kWerte[reporting::kReportAnzahl] = {"Februar",
                                                      "März 2024",
                                                      "R-4711",
                                                      "Lieferung Großhandel Lübeck",
                                                      "Mercedes-Benz",
                                                      "M-ÖL 77",
                                                      "Fällige Termine",
                                                      "Tankwagen Süd",
                                                      "Gruppe Süd",
                                                      "Jürgen Müller",
                                                      "Januar",
                                                      "M-ÖL 77",
                                                      "Übergabe an Fahrer 1",
                                                      "B-XY 2024",
                                                      "",
                                                      "Urlaubsvertretung",
                                                      "Åsa Öberg",
                                                      "Åsa Öberg",
                                                      "Sprinter Kühlkoffer",
                                                      "März 2024",
                                                      "S-100",
                                                      "Mandant1",
                                                      "Mandant20",
                                                      "Bremsen prüfen",
                                                      "B-XY 2024"};

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

TEST_F(KatalogRender, ChartsOfTheFormsAppearWhereThereAreAnyAndLeaveAGapOtherwise)
{
    const std::pair<int, const char *> bilder[] = {
        {0, "MonUeb~.wmf"}, {1, "Monaus~.wmf"}, {8, "Fuhrpks~.wmf"}};
    for (const auto &[nr, datei] : bilder) {
        SCOPED_TRACE(nr);
        const QString pfad = QDir(projekte()).filePath(QString::fromLatin1(datei));
        QFile::remove(pfad);
        const QStringList ohne = drucken(nr);
        ASSERT_GE(ohne.size(), 1);
        EXPECT_FALSE(ohne.join(u'\n').contains(QStringLiteral("Diagramm Ölkosten")));
        QFile svg(pfad);
        ASSERT_TRUE(svg.open(QIODevice::WriteOnly));
        svg.write(R"(<svg xmlns="http://www.w3.org/2000/svg" width="400" height="200" viewBox="0 0 400 200">
<rect x="20" y="60" width="60" height="120" fill="#4472c4"/><rect x="120" y="100" width="60" height="80" fill="#ed7d31"/>
<text x="20" y="30" font-family="Liberation Sans" font-size="20">Diagramm Ölkosten</text></svg>)");
        svg.close();
        const QStringList mit = drucken(nr + 100);
        ASSERT_GE(mit.size(), 1);
        EXPECT_EQ(mit.size(), ohne.size());
        // The chart is painted, not written: the document grows by its shapes.
        EXPECT_GT(QFileInfo(pdfDatei(nr + 100)).size(), QFileInfo(pdfDatei(nr)).size() + 500);
        QFile::remove(pfad);
    }
}

TEST_F(KatalogRender, DueListWithTwoMarksPrintsExactlyThoseVehicles)
{
    umgebung_->termineGrid().markieren(QStringLiteral("KfzNr"), {"M-ÖL 77", "B-XY 2024"});
    const QString text = drucken(6).join(u'\n');
    EXPECT_TRUE(text.contains(QStringLiteral("M-ÖL 77")));
    EXPECT_TRUE(text.contains(QStringLiteral("B-XY 2024")));
    EXPECT_FALSE(text.contains(QStringLiteral("HH-KA 100")));
}

// The vehicle list's headers and the monthly costs' columns with long texts and large amounts: no
// caption or value is cut, and the fuel costs have their column.
TEST_F(KatalogRender, VehicleListAndMonthlyCostsShowEveryCaptionAndAmountWhole)
{
    dbe::TSession &s = umgebung_->session();
    kerntest::zeileAnfuegen(
        s, fleet::kAliasFuhrpark, "KfzStamm.db",
        {"KfzNr", "Info", "Gruppe", "Kostenstelle", "KfzMarke", "FahrerName", "KfzKmStand", "KfzTUEVTermin",
         "KfzASUTermin", "FreifeldDatum3", "KfzFreierTermin1"},
        {QStringLiteral("WÜ-KL 1234"), QStringLiteral("Großraumtransporter Kühlaufbau"),
         QStringLiteral("Fernverkehr Süd"), QStringLiteral("Niederlassung München-Süd"),
         QStringLiteral("Mercedes-Benz"), QStringLiteral("Hans-Jürgen Weißmüller"), 123456,
         QDate(2024, 12, 31), QDate(2024, 11, 30), QDate(2019, 4, 15), QDate(2025, 6, 30)});
    // The caption as a user may store it, all 21 characters.
    fleet::FeldBezeichnungen.setzen(QStringLiteral("NameKostenstelle"),
                                    QStringLiteral("Kostenstelle/Standort"));
    const QString liste = drucken(7).join(u'\n');
    for (const char *text : {"Kostenstelle/Standort", "Großraumtransporter", "Niederlassung", "Weißmüller",
                             "123.456", "31.12.2024", "30.11.2024", "15.04.2019", "30.06.2025"})
        EXPECT_TRUE(liste.contains(QString::fromUtf8(text))) << text << "\n" << liste.toStdString();

    kerntest::zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzMonat.DB",
                            {"KfzNr", "AuswJahr", "AuswMonatNum", "AuswMonatText", "VerbrauchKosten",
                             "ReparaturKosten", "WartungKosten", "Sonstige4Kosten", "GesamtKosten"},
                            {QStringLiteral("B-XY 2024"), QStringLiteral("2024"), 9,
                             QStringLiteral("September"), 11234.56, 22345.67, 3456.78, 4567.89, 98765.43});
    const QString kosten = drucken(10).join(u'\n');
    for (const char *text :
         {"Treibstoff", "September", "11.234,56", "22.345,67", "3.456,78", "4.567,89", "98.765,43"})
        EXPECT_TRUE(kosten.contains(QString::fromUtf8(text))) << text << "\n" << kosten.toStdString();
}

} // namespace
