// The list of the staged fuel-card lines, printed and previewed from the import form: over the
// recording engine (what is defined, which loop, the scratch table afterwards) and through the real
// engine to PDF.
#include <memory>
#include <stdexcept>

#include <QApplication>
#include <QDate>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QPushButton>

#include <gtest/gtest.h>

#include "FakeEngine.h"
#include "ReportGlobale.h"
#include "StandardProjekte.h"
#include "Tb6.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/DataModuleImport.h"
#include "engine_fixture.h"
#include "formulare/ImportFormular.h"
#include "katalog_umgebung.h"
#include "reportengine/EngineTypes.h"
#include "temp_dir.h"
#include "ui/Hourglass.h"
#include "ui/testing/ScriptedMessages.h"

// Readable failures.
void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

namespace {

::testing::Environment *const qt = ::testing::AddGlobalTestEnvironment(new enginetest::QtEnvironment);

const QStringList kStagingFelder = {"Kennzeichen",
                                    "Rechnungsdatum",
                                    "Belegnummer",
                                    "Personalnummer",
                                    "KmStand",
                                    "Warenbezeichnung",
                                    "Warengruppenschluessel",
                                    "Menge",
                                    "Netto",
                                    "Umsatzsteuerbetrag",
                                    "Brutto",
                                    "Bemerkungen",
                                    "Importdatum",
                                    "KennzNichtGefunden",
                                    "NichtZugeordnet",
                                    "Fehlerhaft",
                                    "Gebucht",
                                    "NichtBuchbar"};

// A staged line as the import leaves it.
struct Zeile {
    const char *kennzeichen;
    int km;
    QDate datum;
    const char *beleg, *ware, *gruppe;
    double menge, netto, ust, brutto;
    const char *bemerkung;
    bool fehlerhaft, gebucht;
};

const Zeile kZeilen[] = {
    {"MÜ-AB 77", 18700, QDate(2005, 2, 2), "4802", "Super Plus bleifrei 98 Oktan", "201", 60.1, 1036.21,
     196.88, 1233.09, "Tankstelle Großhesselohe, Fahrer Jörg Weißmüller", false, true},
    {"B-KL 456", 98600, QDate(2005, 2, 3), "4803", "Wäsche Premium", "400", 1, 8.62, 1.64, 10.26,
     "Fahrzeugpflege Süd", false, false},
    {"AB-CD12", 53000, QDate(1899, 1, 1), "4807", "Diesel", "200", 0, 3601.5, 684.29, 4285.79,
     "Rechnungsdatum unlesbar: 2005-02-08", true, false},
};

void zeilenStagen(dbe::TSession &session)
{
    for (const Zeile &z : kZeilen)
        kerntest::zeileAnfuegen(
            session, fleet::kAliasFuhrparkPriv, "TImport.db",
            {"Kennzeichen", "KmStand", "Rechnungsdatum", "Belegnummer", "Warenbezeichnung",
             "Warengruppenschluessel", "Menge", "Netto", "Umsatzsteuerbetrag", "Brutto", "Bemerkungen",
             "Importdatum", "KennzNichtGefunden", "NichtZugeordnet", "Fehlerhaft", "Gebucht", "NichtBuchbar"},
            {QString::fromUtf8(z.kennzeichen), z.km, z.datum, QString::fromUtf8(z.beleg),
             QString::fromUtf8(z.ware), QString::fromUtf8(z.gruppe), z.menge, z.netto, z.ust, z.brutto,
             QString::fromUtf8(z.bemerkung), QDateTime(QDate(2005, 3, 1), {9, 30}), false, false,
             z.fehlerhaft, z.gebucht, false});
}

bool inRuhe(const dbe::TTable &t)
{
    return !t.Active() && t.DatabaseName() == fleet::kAliasFuhrpark && t.Filter().isEmpty() &&
           !t.Filtered() && !t.MasterSource() && t.IndexFieldNames().isEmpty() && t.IndexName().isEmpty();
}

// The recording engine whose row definer can be made to fail: the used-field query is asked in row
// mode only.
class WerfendeEngine : public tb::testing::FakeEngine {
public:
    bool werfen = false;
    int TbPrintIsFieldUsedA(int job, const QString &name) override
    {
        if (werfen)
            throw std::runtime_error("Feld nicht lesbar");
        return FakeEngine::TbPrintIsFieldUsedA(job, name);
    }
};

// The import form over the catalogue's fleet and the main window's engine component.
class TankdatenDruck : public ::testing::Test {
protected:
    void SetUp() override
    {
        auto engine = std::make_unique<WerfendeEngine>();
        fake_ = engine.get();
        vorher_ = tb::setEngine(std::move(engine));
        umgebung_ = std::make_unique<katalogtest::KatalogUmgebung>();
        imp_ = std::make_unique<fleet::TDataModuleImport>(&umgebung_->session());
        form_ = std::make_unique<fleet::TImportFormular>(*imp_, *fleet::DataModule1);
        const int job = umgebung_->katalog().Tabul5_1()->hTbJob();
        fake_->printOptions[{job, tb::popt::LastPage}] = tb::TB_PAGE_OPEN;
        fake_->printOptions[{job, tb::popt::FirstPage}] = 1;
        fake_->onPrintOptionsDialog = [this](int) {
            sanduhr_ = ui::hourglassDepth();
            varOffen_ =
                var().Active() ? var().TableName() + QStringLiteral("@") + var().DatabaseName() : QString();
            fenster_ = reporting::ReportFenster;
            projekt_ = reporting::ProjektDatei;
        };
        fake_->usedNames = {"Kennzeichen", "Brutto", "Gebucht"};
    }
    void TearDown() override
    {
        EXPECT_TRUE(meldungen_.verifyDone());
        form_.reset();
        imp_.reset();
        umgebung_.reset();
        tb::setEngine(std::move(vorher_));
    }
    dbe::TTable &var() { return fleet::DataModule1->TTblVar; }
    QStringList aufrufe(const char *funktion) const
    {
        return fake_->callsStartingWith(QString::fromLatin1(funktion));
    }
    // Names a function defined, in order ("TbDefineFieldA(1, Name, Inhalt)" gives "Name").
    QStringList namen(const QStringList &calls) const
    {
        QStringList out;
        for (const QString &c : calls)
            out << c.section(QStringLiteral(", "), 1, 1);
        return out;
    }

    WerfendeEngine *fake_ = nullptr;
    std::unique_ptr<tb::IEngine> vorher_;
    ui::testing::ScriptedMessages meldungen_{[](const QString &r) { ADD_FAILURE() << r.toStdString(); }};
    std::unique_ptr<katalogtest::KatalogUmgebung> umgebung_;
    std::unique_ptr<fleet::TDataModuleImport> imp_;
    std::unique_ptr<fleet::TImportFormular> form_;
    int sanduhr_ = -1;
    QString varOffen_, projekt_;
    QWidget *fenster_ = nullptr;
};

TEST_F(TankdatenDruck, PrintDefinesTheClientAndEveryStagingColumnAndListsOneRowPerLine)
{
    zeilenStagen(umgebung_->session());
    form_->FormActivate();
    ASSERT_TRUE(form_->BitBtnImportDrucken->isEnabled());
    ASSERT_TRUE(form_->BitBtnImportVorschau->isEnabled());
    form_->BitBtnImportDrucken->click();

    // The list project on the printer, parented by the import form, over the staging table.
    EXPECT_EQ(aufrufe("TbPrintWithBoxStartA").value(0).section(QStringLiteral(", "), 1, 3),
              QStringLiteral("2, Tankdat.lst, 256"));
    EXPECT_EQ(projekt_, QStringLiteral("Tankdat.lst"));
    EXPECT_EQ(fenster_, form_.get());
    EXPECT_EQ(varOffen_, QStringLiteral("TImport.db@FuhrparkPriv"));
    EXPECT_GT(sanduhr_, 0);

    // Variables: cleared, then the client's; fields: cleared, then every column before the start.
    const auto erster = [this](const char *f) {
        for (size_t i = 0; i < fake_->calls.size(); ++i)
            if (fake_->calls[i].startsWith(QString::fromLatin1(f)))
                return int(i);
        return -1;
    };
    ASSERT_GE(erster("TbDefineVariableStart"), 0);
    EXPECT_LT(erster("TbDefineVariableStart"), erster("TbDefineVariableA"));
    EXPECT_LT(erster("TbDefineFieldStart"), erster("TbDefineFieldA"));
    EXPECT_LT(erster("TbDefineFieldA"), erster("TbPrintWithBoxStartA"));
    const QStringList variablen = namen(aufrufe("TbDefineVariableA"));
    EXPECT_EQ(variablen.size(), 15);
    EXPECT_EQ(variablen.value(0), QStringLiteral("AktuellerMandant"));
    EXPECT_TRUE(
        aufrufe("TbDefineVariableA")
            .contains(QStringLiteral("TbDefineVariableA(%1, AktMandantName1, Spedition Kühne & Söhne)")
                          .arg(umgebung_->katalog().Tabul5_1()->hTbJob())));

    // Definition mode names every column once; each row then only the used ones, with its values.
    QStringList felder = namen(aufrufe("TbDefineFieldA"));
    const QStringList definition = felder.mid(0, kStagingFelder.size());
    EXPECT_EQ(definition, kStagingFelder);
    const QStringList zeilen = felder.mid(kStagingFelder.size());
    EXPECT_EQ(zeilen, QStringList({"Kennzeichen", "Brutto", "Gebucht", "Kennzeichen", "Brutto", "Gebucht",
                                   "Kennzeichen", "Brutto", "Gebucht"}));
    const QStringList zeilenWerte = aufrufe("TbDefineFieldA").mid(kStagingFelder.size());
    EXPECT_TRUE(zeilenWerte[0].endsWith(QStringLiteral(", Kennzeichen, MÜ-AB 77)")));
    EXPECT_TRUE(zeilenWerte[1].endsWith(QStringLiteral(", Brutto, 1233,09)")))
        << zeilenWerte[1].toStdString();
    EXPECT_EQ(aufrufe("TbPrintFields(").size(), 3);
    EXPECT_EQ(aufrufe("TbPrintEnd").size(), 1);
    EXPECT_TRUE(aufrufe("TbPreviewDisplayA").isEmpty());

    EXPECT_TRUE(inRuhe(var()));
    EXPECT_EQ(ui::hourglassDepth(), 0);
}

TEST_F(TankdatenDruck, PreviewRunsOnAnEmptyStagingTablePrintRefuses)
{
    form_->FormActivate();
    meldungen_.expectInformation("Sie haben noch keine Tankdaten importiert");
    form_->BitBtnImportDrucken->click();
    EXPECT_TRUE(aufrufe("TbPrintWithBoxStartA").isEmpty());

    form_->BitBtnImportVorschau->click();
    EXPECT_EQ(aufrufe("TbPrintWithBoxStartA").value(0).section(QStringLiteral(", "), 1, 3),
              QStringLiteral("2, Tankdat.lst, 512"));
    EXPECT_TRUE(aufrufe("TbPrintFields(").isEmpty());
    EXPECT_EQ(aufrufe("TbPrintFieldsEnd").size(), 1);
    EXPECT_EQ(aufrufe("TbPreviewDisplayA").size(), 1);
    EXPECT_EQ(aufrufe("TbPreviewDeleteFilesA").size(), 1);
    EXPECT_TRUE(inRuhe(var()));
}

TEST_F(TankdatenDruck, AFailingRowEndsTheRunAndGivesTheScratchTableBack)
{
    zeilenStagen(umgebung_->session());
    form_->FormActivate();
    fake_->werfen = true;
    meldungen_.expectError("Feld nicht lesbar");
    form_->BitBtnImportDrucken->click();
    EXPECT_EQ(aufrufe("TbPrintEnd").size(), 1);
    EXPECT_TRUE(aufrufe("TbPreviewDisplayA").isEmpty());
    EXPECT_TRUE(inRuhe(var()));
    EXPECT_EQ(ui::hourglassDepth(), 0);

    // Any other report number only gives the table back.
    fake_->werfen = false;
    fake_->clearCalls();
    var().SetDatabaseName(fleet::kAliasFuhrparkPriv);
    var().SetTableName(QStringLiteral("TImport.db"));
    var().Open();
    form_->TankdatenDrucken(3, fleet::kDrucken);
    EXPECT_TRUE(fake_->calls.empty());
    EXPECT_TRUE(inRuhe(var()));
}

// The list rendered by the real engine into a PDF (and PNG pages when KARVENFP_REPORT_AUSGABE names a
// directory for looking at them).
TEST(TankdatenDruckPdf, TheListShowsEveryLineWithItsAmountsAndTheClient)
{
    const QString alt = QDir::currentPath();
    auto ui = std::make_unique<tb::ScriptedEngineUi>();
    tb::ScriptedEngineUi *skript = ui.get();
    auto engine = std::make_unique<tb::Engine>(std::move(ui));
    engine->setNow(45292); // 01.01.2024
    auto vorher = tb::setEngine(std::move(engine));
    testsupport::TempDir dir;
    const QString projekte = QString::fromStdString(dir.path().string());
    {
        ui::testing::ScriptedMessages meldungen{[](const QString &r) { ADD_FAILURE() << r.toStdString(); }};
        katalogtest::KatalogUmgebung umgebung;
        ASSERT_TRUE(reporting::StandardProjekteKopieren(projekte).isEmpty());
        QDir::setCurrent(projekte);
        zeilenStagen(umgebung.session());
        fleet::TDataModuleImport imp(&umgebung.session());
        fleet::TImportFormular form(imp, *fleet::DataModule1);
        const QString ziel = QProcessEnvironment::systemEnvironment().value(
            QStringLiteral("KARVENFP_REPORT_AUSGABE"), projekte);
        const QString pdf = QDir(ziel).filePath(QStringLiteral("tankdaten.pdf"));
        QFile::remove(pdf);
        skript->script.printer = tb::pdfPseudoPrinterName();
        skript->script.pdfFile = pdf;
        form.FormActivate();
        form.BitBtnImportDrucken->click();
        const QStringList seiten = enginetest::pdfPages(pdf);
        ASSERT_EQ(seiten.size(), 1);
        const QString text = seiten[0];
        for (const char *wert :
             {"Tankdaten-Import", "Spedition Kühne & Söhne", "MÜ-AB 77", "Super Plus bleifrei", "1.233,09",
              "60,10", "61,10", "1.036,21", "4.285,79", "gebucht", "fehlerhaft", "5.529,14"})
            EXPECT_TRUE(text.contains(QString::fromUtf8(wert))) << wert << "\n" << text.toStdString();
        if (ziel != projekte)
            QProcess::execute(QStringLiteral("pdftoppm"),
                              {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("110"), pdf,
                               QDir(ziel).filePath(QStringLiteral("tankdaten"))});
        QDir::setCurrent(alt);
        EXPECT_TRUE(meldungen.verifyDone());
    }
    tb::setEngine(std::move(vorher));
}

} // namespace
