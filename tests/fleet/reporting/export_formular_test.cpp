// The data export form over the fleet fixture: its decisions, and exports through the real engine.
#include <QApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QXmlStreamReader>

#include "ExportEntscheidungen.h"
#include "ExportFormular.h"
#include "StandardProjekte.h"
#include "Tb14.h"
#include "daten/DataModule1.h"
#include "engine_fixture.h"
#include "formulare/HauptFormular.h"
#include "katalog_umgebung.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/leiste/DBVNavigator.h"
#include "temp_dir.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/RadioGroup.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using namespace enginetest;

void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

TEST(ExportEntscheidungen, DataFormatsTakeTheOneLinePerRecordProjectWhereThereIsOne)
{
    const char *const ziele[] = {"PDF", "XLS", "HTML", "MHTML", "RTF", "TXT", "XML"};
    const char *const erwartet[7][7] = {
        {"ExportDispo.lst", "ExportDispoGr.lst", "ExportDispo.lst", "ExportDispo.lst", "ExportDispo.lst",
         "ExportDispoGr.lst", "ExportDispoGr.lst"},
        {"ExportHisto.lst", "ExportHisto.lst", "ExportHisto.lst", "ExportHisto.lst", "ExportHisto.lst",
         "ExportHisto.lst", "ExportHisto.lst"},
        {"ExportMon_Ueb.lst", "ExportMon_UebGr.lst", "ExportMon_Ueb.lst", "ExportMon_Ueb.lst",
         "ExportMon_Ueb.lst", "ExportMon_UebGr.lst", "ExportMon_UebGr.lst"},
        {"ExportSchadensm.lst", "ExportSchadensm.lst", "ExportSchadensm.lst", "ExportSchadensm.lst",
         "ExportSchadensm.lst", "ExportSchadensm.lst", "ExportSchadensm.lst"},
        {"ExportStammLis.lst", "ExportStammLisGr.lst", "ExportStammLis.lst", "ExportStammLis.lst",
         "ExportStammLis.lst", "ExportStammLisGr.lst", "ExportStammLisGr.lst"},
        {"ExportTouren.lst", "ExportTourenGr.lst", "ExportTouren.lst", "ExportTouren.lst", "ExportTouren.lst",
         "ExportTourenGr.lst", "ExportTourenGr.lst"},
        {"ExportVarkost.lst", "ExportVarkostGr.lst", "ExportVarkost.lst", "ExportVarkost.lst",
         "ExportVarkost.lst", "ExportVarkostGr.lst", "ExportVarkostGr.lst"},
    };
    for (int daten = 0; daten < 7; ++daten)
        for (int format = 0; format < 7; ++format) {
            EXPECT_EQ(reporting::ExportZielZu(format), QString::fromLatin1(ziele[format]));
            EXPECT_EQ(reporting::ExportProjekt(daten, reporting::ExportZielZu(format)),
                      QString::fromLatin1(erwartet[daten][format]))
                << daten << " " << format;
        }
    EXPECT_EQ(reporting::ExportFahrzeugFilter(QStringLiteral("O'Brien 1")),
              QStringLiteral("KfzNr = 'O''Brien 1'"));
    const reporting::ExportParameter p =
        reporting::ExportParameterZu(QStringLiteral("/home/fp/Ausgabe/touren.xls"), true);
    EXPECT_EQ(p.pfad, QStringLiteral("/home/fp/Ausgabe"));
    EXPECT_EQ(p.datei, QStringLiteral("touren.xls"));
    EXPECT_EQ(p.still, QStringLiteral("1"));
    EXPECT_EQ(p.anzeigen, QStringLiteral("1"));
}

// The export form over the fleet, the projects in the program directory and the real engine
// writing files.
class ExportFormularTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        alt_ = QDir::currentPath();
        auto ui = std::make_unique<tb::ScriptedEngineUi>();
        ui_ = ui.get();
        vorher_ = tb::setEngine(std::make_unique<tb::Engine>(std::move(ui)));
        umgebung_ = std::make_unique<katalogtest::KatalogUmgebung>();
        ASSERT_TRUE(reporting::StandardProjekteKopieren(programm()).isEmpty());
        QDir::setCurrent(programm());
        fleet::ProgrammVerzeichnis = programm();
        form_ = std::make_unique<reporting::TExportFormular>();
        form_->show();
    }
    void TearDown() override
    {
        form_.reset();
        QDir::setCurrent(alt_);
        fleet::ProgrammVerzeichnis.clear();
        EXPECT_TRUE(meldungen_.verifyDone());
        umgebung_.reset();
        tb::setEngine(std::move(vorher_));
    }
    QString programm() const { return QString::fromStdString(dir_.path().string()); }
    void waehlen(int daten, int fahrzeuge, int format)
    {
        form_->RadioGrpDaten->setItemIndex(daten);
        form_->RadioGrpDatenClick();
        form_->RadioGrpFahrzeuge->setItemIndex(fahrzeuge);
        form_->RadioGrpFahrzeugeClick();
        form_->CmbBoxFormat->setItemIndex(format);
        form_->CmbBoxFormatChange();
    }
    QString exportieren()
    {
        meldungen_.expectQuestion(QStringLiteral("Möchten Sie die Daten jetzt exportieren"), true);
        form_->BtnExportieren->click();
        QFile f(form_->EditExportdateiName->text());
        return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
    }
    bool ohneEigenenFilter() const
    {
        return form_->TblExport.Filter().isEmpty() && !form_->TblExport.Filtered() &&
               !form_->TblExport.MasterSource();
    }

    testsupport::TempDir dir_;
    QString alt_;
    tb::ScriptedEngineUi *ui_ = nullptr;
    std::unique_ptr<tb::IEngine> vorher_;
    ui::testing::ScriptedMessages meldungen_{[](const QString &r) { ADD_FAILURE() << r.toStdString(); }};
    std::unique_ptr<katalogtest::KatalogUmgebung> umgebung_;
    std::unique_ptr<reporting::TExportFormular> form_;
};

TEST_F(ExportFormularTest, StartsOnTheMasterDataOfAllVehiclesAsPdfInTheProgramDirectory)
{
    EXPECT_EQ(form_->windowTitle(), QStringLiteral("Datenexport"));
    EXPECT_EQ(form_->RadioGrpDaten->itemIndex(), 4);
    EXPECT_EQ(form_->RadioGrpFahrzeuge->itemIndex(), 1);
    EXPECT_EQ(form_->CmbBoxFormat->currentText(), QStringLiteral("Adobe Reader  (pdf)"));
    EXPECT_EQ(form_->EditExportdateiName->text(), programm() + QStringLiteral("/export.pdf"));
    EXPECT_FALSE(form_->DBVNavExport->isEnabled());
    EXPECT_TRUE(form_->TblExport.Active());
    EXPECT_EQ(form_->TblExport.TableName(), QStringLiteral("KfzStamm.db"));
}

TEST_F(ExportFormularTest, AFormatChangeBringsBackTheDefaultFileAlsoAfterAChosenOne)
{
    ui::testing::FakeDialogs dialoge;
    dialoge.answerFile(QStringLiteral("/tmp/anders/touren.xls"));
    form_->BtnFileSelect->click();
    EXPECT_EQ(form_->EditExportdateiName->text(), QStringLiteral("/tmp/anders/touren.xls"));
    EXPECT_EQ(QDir::currentPath(), programm());
    form_->CmbBoxFormat->setItemIndex(5);
    form_->CmbBoxFormatChange();
    EXPECT_EQ(form_->EditExportdateiName->text(), programm() + QStringLiteral("/export.txt"));
}

TEST_F(ExportFormularTest, TextSpreadsheetAndXmlHoldOneRowPerRecord)
{
    waehlen(5, 1, 5);
    const QStringList zeilen = exportieren().split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(zeilen.size(), 7) << zeilen.join(u'\n').toStdString(); // header and six tours
    EXPECT_TRUE(zeilen.join(u'\n').contains(QStringLiteral("Lieferung Großhandel Lübeck")));
    EXPECT_TRUE(ohneEigenenFilter());

    waehlen(5, 1, 6);
    const QString xml = exportieren();
    QXmlStreamReader leser(xml);
    int elemente = 0;
    QString feld;
    while (!leser.atEnd()) {
        const auto token = leser.readNext();
        if (token == QXmlStreamReader::StartElement && leser.name() == QLatin1String("record"))
            ++elemente;
        else if (token == QXmlStreamReader::StartElement)
            feld = leser.name().toString();
        else if (token == QXmlStreamReader::Characters && !leser.isWhitespace()) {
            // Dates and numbers as a program reads them, not as German text.
            const QString text = leser.text().toString();
            if (feld == QLatin1String("Datum")) {
                EXPECT_TRUE(QDate::fromString(text, Qt::ISODate).isValid()) << text.toStdString();
            }
            if (feld == QLatin1String("GefahrenKm") || feld == QLatin1String("Ertrag")) {
                bool zahl = false;
                (void)text.toDouble(&zahl);
                EXPECT_TRUE(zahl) << text.toStdString();
            }
        }
    }
    EXPECT_FALSE(leser.hasError()) << leser.errorString().toStdString();
    EXPECT_EQ(elemente, 6);

    waehlen(5, 1, 1);
    exportieren();
    EXPECT_GT(QFileInfo(form_->EditExportdateiName->text()).size(), 0);

    waehlen(5, 1, 0);
    exportieren();
    EXPECT_GE(pdfPageCount(form_->EditExportdateiName->text()), 1);
}

// The progress box follows a run at most ten times a second, not at every record: the tours'
// spreadsheet run shows the first record's progress and the engine's own line of the writing.
TEST_F(ExportFormularTest, TheProgressBoxFollowsTheRunAtMostTenTimesASecond)
{
    waehlen(5, 1, 1);
    ui_->record.progressTexts.clear();
    QElapsedTimer uhr;
    uhr.start();
    exportieren();
    const qint64 ms = uhr.elapsed();
    EXPECT_GT(QFileInfo(form_->EditExportdateiName->text()).size(), 0);
    EXPECT_GE(ui_->record.progressTexts.size(), 2);
    EXPECT_LE(ui_->record.progressTexts.size(), 2 + ms / 100)
        << ui_->record.progressTexts.join(u'|').toStdString();
}

TEST_F(ExportFormularTest, CurrentVehicleExportsItsOwnRowOrToursAndLeavesNoFilterBehind)
{
    dbe::TTable &main = fleet::DataModule1->TTblMain;
    main.Append();
    main.FieldByName(QStringLiteral("KfzNr"))->SetAsString(QStringLiteral("O'Brien 1"));
    main.FieldByName(QStringLiteral("Info"))->SetAsString(QStringLiteral("Kleinbus Irland"));
    main.Post();
    ASSERT_TRUE(main.Locate(QStringLiteral("KfzNr"), QStringLiteral("O'Brien 1")));
    waehlen(4, 0, 5);
    QString text = exportieren();
    EXPECT_TRUE(text.contains(QStringLiteral("Kleinbus Irland"))) << text.toStdString();
    EXPECT_FALSE(text.contains(QStringLiteral("Tankwagen Süd")));
    EXPECT_TRUE(ohneEigenenFilter());

    // A vehicle without tours: nothing to export, and the link goes with the run.
    waehlen(5, 0, 5);
    meldungen_.expectQuestion(QStringLiteral("Möchten Sie die Daten jetzt exportieren"), true);
    meldungen_.expectInformation(
        QStringLiteral("Mit diesen Einstellungen sind zur Zeit keine Daten zu exportieren.."));
    form_->BtnExportieren->click();
    EXPECT_TRUE(ohneEigenenFilter());
    waehlen(5, 1, 5);
    EXPECT_EQ(exportieren().split(u'\n', Qt::SkipEmptyParts).size(), 7);

    ASSERT_TRUE(main.Locate(QStringLiteral("KfzNr"), QStringLiteral("HH-KA 100")));
    waehlen(5, 0, 5);
    text = exportieren();
    EXPECT_EQ(text.split(u'\n', Qt::SkipEmptyParts).size(), 3) << text.toStdString();
    EXPECT_TRUE(ohneEigenenFilter());
}

TEST_F(ExportFormularTest, AFailedExportIsToldAndTheDesignerOpensOnAnEmptyTable)
{
    waehlen(5, 1, 5);
    form_->EditExportdateiName->setText(QStringLiteral("/proc/kein/ort/export.txt"));
    meldungen_.expectQuestion(QStringLiteral("Möchten Sie die Daten jetzt exportieren"), true);
    meldungen_.expectError(QStringLiteral("Datenexport nicht erfolgreich, Fehler im Report.."));
    form_->BtnExportieren->click();
    EXPECT_TRUE(ohneEigenenFilter());

    meldungen_.expectQuestion(QStringLiteral("Möchten Sie die Daten jetzt exportieren"), false);
    form_->BtnExportieren->click();
}

TEST_F(ExportFormularTest, LeavingTheFilterScopeSwitchesTheUsersFilterOffAndTheNavigatorToo)
{
    waehlen(4, 2, 5);
    EXPECT_TRUE(form_->DBVNavExport->isEnabled());
    // On the first opening of the form already, the user's filter commands work.
    QCoreApplication::processEvents(); // the bar sets its buttons as the event loop turns
    for (const nav::TDBVNavigateBtn b : {nav::nbTblFilter, nav::nbTableView})
        EXPECT_TRUE(form_->DBVNavExport->Button(b)->isEnabled()) << nav::navigateBtnName(b).toStdString();
    nav::TFilterDefinition def;
    def[0] = nav::TFilterZeile{QStringLiteral("KfzNr"), nav::opEq, QStringLiteral("M-ÖL 77"), 0};
    form_->DBVexdExport->ApplyTableFilterDef(&form_->TblExport, def, 1, true);
    EXPECT_EQ(form_->TblExport.RecordCount(), 1);
    form_->RadioGrpFahrzeuge->setItemIndex(1);
    form_->RadioGrpFahrzeugeClick();
    EXPECT_FALSE(form_->DBVNavExport->isEnabled());
    EXPECT_EQ(form_->TblExport.RecordCount(), 3);
}

TEST_F(ExportFormularTest, TheTableViewAloneGetsItsOwnNavigatorButtons)
{
    for (const nav::TSpecialFormType art : {nav::sfTableView, nav::sfMemo}) {
        nav::TFormEventRec rec;
        rec.FormType = art;
        rec.VisBtnsSearch = 1;
        rec.VisBtnsMove = 1;
        rec.VisBtnsExtend = 1;
        form_->DBVexdExportSpecialForm(*form_->DBVexdExport, rec);
        const bool tabelle = art == nav::sfTableView;
        EXPECT_EQ(rec.VisBtnsSearch, tabelle ? 5 : 1);
        EXPECT_EQ(rec.VisBtnsMove, tabelle ? 45 : 1);
        EXPECT_EQ(rec.VisBtnsExtend, tabelle ? 2 : 1);
    }
}

TEST_F(ExportFormularTest, ScreenshotOfTheForm)
{
    form_->adjustSize();
    const QString ziel = qEnvironmentVariable("KARVENFP_BILD");
    if (!ziel.isEmpty())
        form_->grab().save(ziel);
    EXPECT_GT(form_->width(), 400);
}

// Every table's page layout to PDF: the records readable, each field under its own caption.
TEST_F(ExportFormularTest, EveryTablesPageLayoutPrintsItsRecords)
{
    const char *const werte[reporting::kExportTabellen] = {
        "B-XY 2024",     "Übergabe an Fahrer 1", "Januar", "S-100",
        "Tankwagen Süd", "Lieferung Großhandel", "R-4711"};
    const QString ziel = qEnvironmentVariable("KARVENFP_REPORT_AUSGABE");
    for (int daten = 0; daten < reporting::kExportTabellen; ++daten) {
        SCOPED_TRACE(daten);
        waehlen(daten, 1, 0);
        if (!ziel.isEmpty())
            form_->EditExportdateiName->setText(
                QDir(ziel).filePath(QStringLiteral("export%1.pdf").arg(daten)));
        exportieren();
        const QString text = pdfPages(form_->EditExportdateiName->text()).join(u'\n');
        EXPECT_TRUE(text.contains(QString::fromUtf8(werte[daten]))) << text.toStdString();
    }
}

} // namespace
