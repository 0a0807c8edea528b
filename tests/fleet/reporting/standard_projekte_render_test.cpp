// Shipped projects rendered to PDF by the real engine, headless.
#include <QDir>
#include <QFile>

#include "StandardProjekte.h"
#include "engine_fixture.h"
#include "temp_dir.h"

using namespace enginetest;

namespace {

class ShippedProjectRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(reporting::StandardProjekteKopieren(dir()).isEmpty());
        auto ui = std::make_unique<tb::ScriptedEngineUi>();
        ui_ = ui.get();
        engine_ = std::make_unique<tb::Engine>(std::move(ui));
        engine_->setNow(45292); // 01.01.2024
        job_ = engine_->TbJobOpen(-1);
        ASSERT_GE(job_, 0);
        engine_->TbSetOption(job_, tb::opt::TranslateNames, 1);
        pdf_ = QDir(dir()).filePath(QStringLiteral("out.pdf"));
        ui_->script.printer = tb::pdfPseudoPrinterName();
        ui_->script.pdfFile = pdf_;
    }
    QString dir() const { return QString::fromStdString(dir_.path().string()); }
    QString projekt(const char *name) const { return QDir(dir()).filePath(QString::fromLatin1(name)); }
    void variable(const char *name, const QString &value)
    {
        engine_->TbDefineVariableA(job_, QString::fromUtf8(name), value);
    }
    void field(const char *name, const QString &value)
    {
        engine_->TbDefineFieldA(job_, QString::fromUtf8(name), value);
    }

    testsupport::TempDir dir_;
    tb::ScriptedEngineUi *ui_ = nullptr;
    std::unique_ptr<tb::Engine> engine_;
    int job_ = -1;
    QString pdf_;
};

TEST_F(ShippedProjectRender, TourListBreaksPagesWithHeadOnEveryPageAndSumsInTheFooter)
{
    variable("AktMandantName1", QStringLiteral("Spedition Muster"));
    for (const char *name : {"KfzNr", "Info", "KfzMarke"})
        variable(name, QString());
    variable("KfzNr", QStringLiteral("HH-AB 123"));
    variable("Info", QStringLiteral("Sprinter"));
    variable("KfzMarke", QStringLiteral("Transporter"));
    const int rows = 60;
    const auto r =
        runListLoop(*engine_, job_, projekt("Touren.lst"), tb::TB_PRINT_PRINTER, rows, [&](int row) {
            field("Datum", QStringLiteral("%1.03.2024").arg(row % 28 + 1, 2, 10, QLatin1Char('0')));
            field("DatumBis", QString());
            field("Tour", QStringLiteral("T%1").arg(row + 1));
            field("FahrerName", QStringLiteral("Meier"));
            field("Kostenstelle", QStringLiteral("Nord"));
            field("AbfahrtKm", QString::number(1000 + row * 100));
            field("AnkunftKm", QString::number(1100 + row * 100));
            field("GefahrenKm", QStringLiteral("100"));
            field("Ertrag", QStringLiteral("12,50"));
            field("Bemerkungen", QStringLiteral("Lieferung %1").arg(row + 1));
        });
    ASSERT_EQ(r.start, 0);
    EXPECT_EQ(r.end, 0);
    EXPECT_EQ(r.rowsPrinted, rows);
    const QStringList pages = pdfPages(pdf_);
    ASSERT_GE(pages.size(), 2);
    EXPECT_EQ(pdfPageCount(pdf_), pages.size());
    for (int i = 0; i < pages.size(); ++i) {
        SCOPED_TRACE(i + 1);
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Spedition Muster")));
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Touren")));
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Seite %1").arg(i + 1)));
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Sprinter")));
        EXPECT_TRUE(pages[i].contains(QStringLiteral("Gefahren Km")));
    }
    EXPECT_TRUE(pages.first().contains(QStringLiteral("01.01.2024")));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("Anzahl: 60")));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("6.000")));
    EXPECT_TRUE(pages.last().contains(QStringLiteral("750,00")));
}

TEST_F(ShippedProjectRender, ClientCardPrintsOnePageWithTheClientsValues)
{
    const std::pair<const char *, const char *> werte[] = {{"Mandant", "M01"},
                                                           {"Name1", "Spedition Muster"},
                                                           {"Name2", "GmbH & Co. KG"},
                                                           {"Name3", ""},
                                                           {"Strasse", "Hafenstraße 5"},
                                                           {"Land", "D"},
                                                           {"Plz", "20457"},
                                                           {"Ort", "Hamburg"},
                                                           {"Telefon", "040 123456"},
                                                           {"Fax", "040 123457"},
                                                           {"Mobil", ""},
                                                           {"Internet", "www.muster.de"},
                                                           {"Bemerkung1", "Hauptsitz"},
                                                           {"Bemerkung2", ""},
                                                           {"Bemerkung3", ""},
                                                           {"AnzahlFahrzeuge", "12"}};
    for (const auto &[name, wert] : werte)
        variable(name, QString::fromUtf8(wert));
    ASSERT_EQ(engine_->TbPrintWithBoxStartA(job_, tb::TB_OBJECT_CARD, projekt("Mandant.crd"),
                                            tb::TB_PRINT_PRINTER, 1, nullptr, QStringLiteral("Drucke...")),
              0);
    EXPECT_EQ(engine_->TbPrintOptionsDialogA(job_, nullptr, QStringLiteral("Drucke\nCa. 1 Seite(n)")), 0);
    EXPECT_EQ(engine_->TbPrint(job_), 0);
    EXPECT_EQ(engine_->TbPrintEnd(job_, 0), 0);
    const QStringList pages = pdfPages(pdf_);
    ASSERT_EQ(pages.size(), 1);
    for (const char *text : {"Mandant", "Spedition Muster", "GmbH & Co. KG", "Hafenstraße 5",
                             "D 20457 Hamburg", "www.muster.de", "Hauptsitz", "Fahrzeuge", "12", "Seite 1"})
        EXPECT_TRUE(pages[0].contains(QString::fromUtf8(text))) << text;
}

} // namespace
