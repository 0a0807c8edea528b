// The print and preview buttons of the main window's pages and of the client
// form: what each requests, its precondition, the chart pictures, and their
// enabling by the report service.
#include <memory>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPushButton>
#include <QTest>

#include "AufzeichnendeDienste.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "dienste/Formularzugriff.h"
#include "formulare/HauptFormular.h"
#include "formulare/MandantenFormular.h"
#include "formulare/seiten/KostenSeite.h"
#include "formulare/seiten/MonatsauswertungSeite.h"
#include "formulare/seiten/MonatsuebersichtSeite.h"
#include "formulare/seiten/StammdatenSeite.h"
#include "formulare/seiten/TourenSeite.h"
#include "kern_umgebung.h"
#include "ui/PageControl.h"
#include "ui/RadioGroup.h"
#include "ui/testing/ScriptedMessages.h"

using fleet::THauptFormular;

namespace {

const char *const kDruckKnoepfe[] = {"TBitBtnStammdatenDrucken",       "TBitBtnStammdatenPreview",
                                     "TBitBtnTourenDrucken",           "TBitBtnTourenVorschau",
                                     "TBitBtnVarKostenDrucken",        "TBitBtnVarKostenVorschau",
                                     "TBitBtnMonatsauswertungDrucken", "TBitBtnMonatsauswertungVorschau",
                                     "TBitBtnMonatsuebersichtDrucken", "TBitBtnMonatsuebersichtVorschau"};

bool istSvg(const QString &datei)
{
    QFile f(datei);
    return f.open(QIODevice::ReadOnly) && f.readAll().contains("<svg");
}

} // namespace

class DruckKnoepfeTest : public QObject {
    Q_OBJECT

    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<fleet::TDataModule1> dm;
    std::unique_ptr<THauptFormular> fenster;
    QString altesVerzeichnis;

    void zeile(const char *tabelle, const QStringList &felder, const QVariantList &werte)
    {
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, tabelle, felder, werte);
    }
    void starten()
    {
        dm = std::make_unique<fleet::TDataModule1>(&umgebung->session());
        fleet::DataModule1 = dm.get();
        fenster = std::make_unique<THauptFormular>();
        fleet::HauptFormular = fenster.get();
    }
    QPushButton *knopf(const char *name)
    {
        return qobject_cast<QPushButton *>(
            fleet::KomponenteFinden("HauptFormular", QString::fromLatin1(name)));
    }
    // A click as the user makes it: only an enabled button answers.
    void klick(const char *name)
    {
        QPushButton *k = knopf(name);
        QVERIFY2(k, name);
        QVERIFY2(k->isEnabled(), name);
        k->click();
    }

private slots:
    void init()
    {
        umgebung = std::make_unique<kerntest::Umgebung>();
        // The pictures go into the current directory.
        altesVerzeichnis = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(umgebung->verzeichnis().str()));
        zeile("KfzStamm.db", {"KfzNr", "KfzMarke"}, {"A-1", "Mercedes-Benz"});
        zeile("KfzStamm.db", {"KfzNr"}, {"B-2"});
        zeile("KfzTour.db", {"KfzNr", "Datum", "Tour", "GefahrenKm"}, {"A-1", QDate(2024, 4, 3), "T1", 250});
        zeile("KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer", "ReparaturKosten"},
              {"A-1", QDate(2024, 4, 5), "R-1", 1234.5});
        zeile("KfzMonat.DB", {"KfzNr", "AuswJahr", "AuswMonatNum", "AuswMonatText"},
              {"A-1", 2024, 4, "April"});
    }
    void cleanup()
    {
        fleet::HauptFormular = nullptr;
        fenster.reset();
        fleet::DataModule1 = nullptr;
        dm.reset();
        QDir::setCurrent(altesVerzeichnis);
        umgebung.reset();
    }

    void eachButtonRequestsItsReportOrSaysWhyNot()
    {
        fleet::testing::AufzeichnendeReportDienste reports;
        starten();
        ui::testing::ScriptedMessages meldungen;
        fleet::StammdatenSeite &stamm = fenster->Stammdaten();
        fleet::MonatsuebersichtSeite &uebersicht = fenster->Monatsuebersicht();
        const struct Fall {
            const char *fahrzeug;
            const char *knopf;
            std::function<void()> vorher;
            const char *meldung; // nothing requested then
            const char *anfrage;
        } faelle[] = {
            {"A-1", "TBitBtnStammdatenDrucken", [&] { stamm.RadioGrpDrucken->setItemIndex(0); }, nullptr,
             "PrintReport(4,1)"},
            {"A-1", "TBitBtnStammdatenPreview", [&] { stamm.RadioGrpDrucken->setItemIndex(1); }, nullptr,
             "PrintReport(7,2)"},
            {"A-1", "TBitBtnTourenDrucken", {}, nullptr, "PrintReport(3,1)"},
            {"A-1", "TBitBtnVarKostenVorschau", {}, nullptr, "PrintReport(2,2)"},
            {"A-1", "TBitBtnMonatsauswertungDrucken", {}, nullptr, "PrintReport(1,1)"},
            {"A-1", "TBitBtnMonatsuebersichtVorschau",
             [&] { uebersicht.RadioGrpMonatsuebersichtTabelle->setItemIndex(0); }, nullptr,
             "PrintReport(0,2)"},
            {"A-1", "TBitBtnMonatsuebersichtDrucken",
             [&] { uebersicht.RadioGrpMonatsuebersichtTabelle->setItemIndex(1); }, nullptr,
             "PrintReport(10,1)"},
            // The second vehicle has no tours, costs or saved months.
            {"B-2",
             "TBitBtnTourenVorschau",
             {},
             "Sie haben noch keine Touren für dieses Fahrzeug eingegeben",
             nullptr},
            {"B-2",
             "TBitBtnVarKostenDrucken",
             {},
             "Sie haben noch keine var. Kosten für dieses Fahrzeug eingegeben",
             nullptr},
            {"B-2",
             "TBitBtnMonatsuebersichtDrucken",
             {},
             "Sie haben noch keine Monatsauswertung gespeichert",
             nullptr},
            {"B-2", "TBitBtnMonatsauswertungVorschau", {}, nullptr, "PrintReport(1,2)"},
            {"B-2", "TBitBtnStammdatenDrucken", [&] { stamm.RadioGrpDrucken->setItemIndex(0); }, nullptr,
             "PrintReport(4,1)"},
        };
        for (const Fall &f : faelle) {
            QVERIFY(dm->TTblMain.Locate("KfzNr", QString(f.fahrzeug), {}));
            if (f.vorher)
                f.vorher();
            reports.aufrufe.clear();
            if (f.meldung)
                meldungen.expectInformation(f.meldung);
            klick(f.knopf);
            QVERIFY2(meldungen.verifyDone(), f.knopf);
            QCOMPARE(reports.aufrufe, f.anfrage ? QStringList{f.anfrage} : QStringList{});
        }
    }

    void masterDataListIsRequestedEvenWithoutVehicles()
    {
        fleet::testing::AufzeichnendeReportDienste reports;
        dm = std::make_unique<fleet::TDataModule1>(&umgebung->session());
        fleet::DataModule1 = dm.get();
        dm->TTblMain.Open();
        while (!dm->TTblMain.IsEmpty())
            dm->TTblMain.Delete();
        fenster = std::make_unique<THauptFormular>();
        fleet::HauptFormular = fenster.get();
        fenster->Stammdaten().RadioGrpDrucken->setItemIndex(1);
        klick("TBitBtnStammdatenDrucken");
        QCOMPARE(reports.aufrufe, QStringList{"PrintReport(7,1)"});
    }

    void chartPicturesAreWrittenBeforeTheRequestAndAFailedWriteStopsNothing()
    {
        fleet::testing::AufzeichnendeReportDienste reports;
        starten();
        const QString auswertung = QDir::current().filePath("Monaus~.wmf");
        const QString uebersicht = QDir::current().filePath("MonUeb~.wmf");

        // The pie of the page, hidden or not, as an SVG picture.
        fenster->Monatsauswertung().MonatsauswertungDrucken(fleet::kDrucken);
        QVERIFY(istSvg(auswertung));

        // A picture that cannot be written (here a directory in its place) stops nothing.
        QVERIFY(QFile::remove(auswertung));
        QVERIFY(QDir::current().mkdir("Monaus~.wmf"));
        fenster->Monatsauswertung().MonatsauswertungDrucken(fleet::kVorschau);
        QVERIFY(QFileInfo(auswertung).isDir());

        // The overview's chart, hidden, goes into its picture.
        fenster->Monatsuebersicht().MonatsuebersichtDrucken(fleet::kDrucken);
        QVERIFY(istSvg(uebersicht));

        QCOMPARE(reports.aufrufe, QStringList({"PrintReport(1,1)", "PrintReport(1,2)", "PrintReport(0,1)"}));
    }

    void buttonsAreOffWithoutAReportServiceAndOnOnceItIsInForce()
    {
        starten();
        for (const char *name : kDruckKnoepfe) {
            QVERIFY2(knopf(name), name);
            QVERIFY2(!knopf(name)->isEnabled(), name);
        }
        TMandantenFormularPruefen(false);

        // The program puts the catalogue in force after the main window exists: the buttons
        // follow when they are shown.
        fleet::testing::AufzeichnendeReportDienste reports;
        fenster->show();
        QVERIFY(knopf("TBitBtnStammdatenDrucken")->isEnabled());
        QVERIFY(knopf("TBitBtnStammdatenPreview")->isEnabled());
        fenster->PageCtrlMain->setActivePage(fenster->TabTouren);
        QVERIFY(knopf("TBitBtnTourenDrucken")->isEnabled());
        fenster->PageCtrlMain->setActivePage(fenster->TabReifen);
        QVERIFY(knopf("BitBtnReifenVorschau")->isEnabled());
        TMandantenFormularPruefen(true);
    }

private:
    void TMandantenFormularPruefen(bool an)
    {
        fleet::TMandantenFormular form;
        form.show();
        QCOMPARE(form.BitBtnMandantDrucken->isEnabled(), an);
        QCOMPARE(form.BitBtnMandantPreview->isEnabled(), an);
    }
};

QTEST_MAIN(DruckKnoepfeTest)
#include "druck_knoepfe_test.moc"
