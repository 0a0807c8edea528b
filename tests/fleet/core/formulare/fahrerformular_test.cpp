// The driver master data form over a small client: the tour views and their
// sums, the licence expiry filter, the refusals while something is entered,
// the warning time, the history buttons, printing and the lent tours table.
#include <memory>

#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "AufzeichnendeDienste.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/DataModuleFahrer.h"
#include "dbe/Table.h"
#include "formulare/FahrerStammdatenFormular.h"
#include "kern_umgebung.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DBMemo.h"
#include "ui/PageControl.h"
#include "ui/RadioGroup.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using fleet::TFahrerStammdatenFormular;

namespace {

const QString kTourenGrundFilter = "(FahrerName ='Meier')";

} // namespace

class FahrerFormularTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<fleet::TDataModule1> dm;
    std::unique_ptr<ui::testing::FakeClock> uhr;
    std::unique_ptr<fleet::testing::AufzeichnendeReportDienste> reports;
    TFahrerStammdatenFormular *form = nullptr;

    void tour(const char *fahrer, int jahr, int monat, int tag, double km, double ertrag)
    {
        static int nummer = 0;
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzTour.db",
                                {"KfzNr", "Datum", "Tour", "FahrerName", "GefahrenKm", "Ertrag"},
                                {QString("A-1"), base::encodeDate(jahr, monat, tag),
                                 QString::number(++nummer), QString::fromUtf8(fahrer), km, ertrag});
    }
    void starten()
    {
        const base::TDateTime heute = base::encodeDate(2024, 2, 15);
        uhr = std::make_unique<ui::testing::FakeClock>(heute);
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr"},
                                {"A-1"});
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzFahrer.DB",
                                {"Name", "GueltigBis1"}, {"Meier", heute + 10});
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzFahrer.DB", {"Name"},
                                {"D'Angelo"});
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzFahrer.DB",
                                {"Name", "GueltigBis2"}, {"Schulz", heute + 100});
        tour("Meier", 2024, 2, 10, 100, 1234.5);
        tour("Meier", 2024, 2, 29, 50, 10);
        tour("Meier", 2024, 3, 1, 7, 0);
        tour("Meier", 2023, 5, 5, 1000, 1);
        tour("D'Angelo", 2024, 2, 11, 20, 5);
        dm = std::make_unique<fleet::TDataModule1>(&umgebung->session());
        fleet::DataModule1 = dm.get();
        form = &fleet::FahrerStammdatenFormularErzeugen();
    }
    fleet::TDataModuleFahrer &fahrer() { return *fleet::DataModuleFahrer; }
    void zeigen(const QString &name)
    {
        QVERIFY(fahrer().TblFahrerStammdaten.Locate("Name", name));
        form->show();
    }
    void schliessen()
    {
        form->TBitBtnFahrerStammdatenOkClick();
        QVERIFY(!form->isVisible());
    }
    QString summen() const
    {
        return form->TLblSummeTourenKm->text() + " / " + form->TLblSummeTouren->text() + " / " +
               form->LblSummeErtraege->text();
    }
    void jahrWaehlen(const QString &jahr)
    {
        form->CmbBoxFahrerTourenJahr->setCurrentIndex(form->CmbBoxFahrerTourenJahr->findText(jahr));
        form->CmbBoxFahrerTourenJahrChange();
    }

private slots:
    void init() { umgebung = std::make_unique<kerntest::Umgebung>(); }
    void cleanup()
    {
        fleet::FahrerStammdatenFormularFreigeben();
        fleet::DataModuleFahrerFreigeben();
        fleet::DataModule1 = nullptr;
        dm.reset();
        reports.reset();
        uhr.reset();
        umgebung.reset();
        fleet::FahrerFilterBasis.clear();
        fleet::FahrerFilterZeitraum.clear();
    }

    void theToursFollowTheViewAndTheDriver()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        dbe::TTable &touren = dm->TTblTouren;
        zeigen("Meier");
        QCOMPARE(touren.MasterSource(), nullptr);
        QCOMPARE(touren.Filter(), kTourenGrundFilter);
        QVERIFY(touren.Filtered());
        QVERIFY(touren.FieldByName("KfzNr")->Visible());
        QCOMPARE(summen(), QString("1157 / 4 / 1245,50"));

        jahrWaehlen("2024");
        form->RadioGrpFahrerTourenSicht->setItemIndex(1);
        form->CmbBoxFahrerTourenMonat->setCurrentIndex(1); // Februar
        form->CmbBoxFahrerTourenMonatChange();
        QCOMPARE(touren.Filter(),
                 QString("(FahrerName ='Meier') and ((Datum >= '1.2.2024') and (Datum <= '29.2.2024'))"));
        QCOMPARE(summen(), QString("150 / 2 / 1244,50"));
        QVERIFY(form->CmbBoxFahrerTourenMonat->isEnabled());

        form->RadioGrpFahrerTourenSicht->setItemIndex(2);
        QCOMPARE(touren.Filter(),
                 QString("(FahrerName ='Meier') and ((Datum >= '1.1.2024') and (Datum <= '31.12.2024'))"));
        QCOMPARE(summen(), QString("157 / 3 / 1244,50"));
        QVERIFY(!form->CmbBoxFahrerTourenMonat->isEnabled());
        jahrWaehlen("2023");
        QCOMPARE(summen(), QString("1000 / 1 / 1,00"));

        form->RadioGrpFahrerTourenSicht->setItemIndex(0);
        QCOMPARE(touren.Filter(), kTourenGrundFilter);
        QCOMPARE(summen(), QString("1157 / 4 / 1245,50"));

        // A quote in the name stays inside the filter's literal.
        QVERIFY(fahrer().TblFahrerStammdaten.Locate("Name", QString("D'Angelo")));
        QCOMPARE(touren.RecordCount(), 1);
        QCOMPARE(summen(), QString("20 / 1 / 5,00"));
        QVERIFY(meldungen.verifyDone());

        // Closed, the tours belong to the main window's vehicle again.
        schliessen();
        QCOMPARE(touren.MasterSource(), &dm->TDataSrcMain);
        QCOMPARE(touren.MasterFields(), QString("KfzNr"));
        QVERIFY(!touren.Filtered());
        QVERIFY(touren.Filter().isEmpty());
        QVERIFY(!touren.FieldByName("KfzNr")->Visible());
        QCOMPARE(touren.RecordCount(), 5);
    }

    // Moving to another driver, the driver rules ask the form for its view and
    // have it sum again: the period of the view holds for the new driver.
    void anotherDriverKeepsTheViewOfTheForm_data()
    {
        QTest::addColumn<int>("sicht");
        QTest::addColumn<QString>("zeitraum");
        QTest::addColumn<QString>("summen");
        QTest::newRow("Alle") << 0 << ""
                              << "20 / 1 / 5,00";
        QTest::newRow("Monat Februar 2024") << 1 << " and ((Datum >= '1.2.2024') and (Datum <= '29.2.2024'))"
                                            << "20 / 1 / 5,00";
        QTest::newRow("Jahr 2023") << 2 << " and ((Datum >= '1.1.2023') and (Datum <= '31.12.2023'))"
                                   << "0 / 0 / 0,00";
    }
    void anotherDriverKeepsTheViewOfTheForm()
    {
        QFETCH(int, sicht);
        QFETCH(QString, zeitraum);
        QFETCH(QString, summen);
        starten();
        ui::testing::ScriptedMessages meldungen;
        QCOMPARE(fleet::FahrerFormular(), form);
        zeigen("Meier");
        jahrWaehlen(sicht == 2 ? "2023" : "2024");
        form->CmbBoxFahrerTourenMonat->setCurrentIndex(1); // Februar
        form->RadioGrpFahrerTourenSicht->setItemIndex(sicht);
        QCOMPARE(form->TourenSicht(), sicht);

        QVERIFY(fahrer().TblFahrerStammdaten.Locate("Name", QString("D'Angelo")));
        QCOMPARE(dm->TTblTouren.Filter(), "FahrerName ='D''Angelo'" + zeitraum);
        QCOMPARE(this->summen(), summen);
        schliessen();
        QVERIFY(meldungen.verifyDone());

        // Gone, the form is no longer asked.
        fleet::FahrerStammdatenFormularFreigeben();
        QCOMPARE(fleet::FahrerFormular(), nullptr);
    }

    void shownAgainTheChosenMonatHoldsForGridAndSums()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        zeigen("Meier");
        jahrWaehlen("2024");
        form->CmbBoxFahrerTourenMonat->setCurrentIndex(1);
        form->CmbBoxFahrerTourenMonatChange();
        form->RadioGrpFahrerTourenSicht->setItemIndex(1);
        schliessen();
        zeigen("Meier");
        QCOMPARE(form->RadioGrpFahrerTourenSicht->itemIndex(), 1);
        QCOMPARE(dm->TTblTouren.RecordCount(), 2);
        QCOMPARE(summen(), QString("150 / 2 / 1244,50"));
        schliessen();
        QVERIFY(meldungen.verifyDone());
    }

    void theExpiryFilterKeepsTheDriversWhoseLicenceRunsOut()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        zeigen("Meier");
        form->EditVorwarnzeit->setText("30");
        meldungen.expectInformation(
            "Achtung - ein Filter wurde eingeschaltet - Sie können ihn über einen erneuten Klick auf das "
            "Steuerelement \"Gültigkeitsprüfung Führerscheine..\" wieder ausschalten\r\rEs sind 1 Fahrer mit "
            "Führerscheinen gespeichert, deren Gültigkeit abläuft");
        form->ChkBoxFaelligeFuehrerscheine->setChecked(true);
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(fahrer().TblFahrerStammdaten.RecordCount(), 1);
        QCOMPARE(fahrer().TblFahrerStammdaten.FieldByName("Name")->AsString(), QString("Meier"));
        QCOMPARE(form->PanelFilter->text(), QString("Führerschein"));
        meldungen.expectInformation("Der Filter wurde ausgeschaltet");
        form->ChkBoxFaelligeFuehrerscheine->setChecked(false);
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(fahrer().TblFahrerStammdaten.RecordCount(), 3);

        // Nobody's licence runs out within 5 days: two messages, the box ends unchecked.
        form->EditVorwarnzeit->setText("5");
        meldungen.expectInformation(
            "Es sind keine Fahrer mit Führerscheinen gespeichert, deren Gültigkeit abläuft "
            "- der Filter wird gleich wieder ausgeschaltet");
        meldungen.expectInformation("Der Filter wurde ausgeschaltet");
        form->ChkBoxFaelligeFuehrerscheine->setChecked(true);
        QVERIFY(meldungen.verifyDone());
        QVERIFY(!form->ChkBoxFaelligeFuehrerscheine->isChecked());
        QCOMPARE(fahrer().TblFahrerStammdaten.RecordCount(), 3);
        QVERIFY(form->PanelFilter->text().isEmpty());
        schliessen();
    }

    void closeAndPageChangeAreRefusedWhileSomethingIsEntered()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        zeigen("Meier");
        const QString fahrerText =
            "Bitte speichern Sie erst die neuen oder geänderten Daten (Haken-Symboltaste) "
            "oder brechen Sie die Eingabe ab (X-Symboltaste), bevor Sie ";
        const QString historieText =
            "Bitte speichern Sie erst die neuen oder geänderten Historiendaten "
            "(Speichern-Knopf) oder brechen Sie die Eingabe ab (Löschen-Knopf), bevor Sie ";
        fahrer().TblFahrerHistorie.Append();
        fahrer().TblFahrerStammdaten.Edit();
        // The driver is checked first.
        meldungen.expectWarning(fahrerText + "das Formular schließen");
        form->TBitBtnFahrerStammdatenOkClick();
        bool erlaubt = true;
        meldungen.expectWarning(fahrerText + "die Formularseite wechseln");
        form->PageCtrlFahrerChanging(erlaubt);
        QVERIFY(!erlaubt);
        QVERIFY(form->isVisible());
        fahrer().TblFahrerStammdaten.Cancel();
        fahrer().TblFahrerHistorie.Append();
        meldungen.expectWarning(historieText + "das Formular schließen");
        form->TBitBtnFahrerStammdatenOkClick();
        erlaubt = true;
        meldungen.expectWarning(historieText + "die Formularseite wechseln");
        form->PageCtrlFahrerChanging(erlaubt);
        QVERIFY(!erlaubt);
        QVERIFY(meldungen.verifyDone());

        // "Löschen" on a new history record cancels it without a question.
        form->BtnHistorieFahrerLoeschenClick();
        QCOMPARE(fahrer().TblFahrerHistorie.State(), dbe::TDataSetState::dsBrowse);
        schliessen();
    }

    void theWarningTimeIsSavedAsTypedAndShownWithinItsRange()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        zeigen("Meier");
        QCOMPARE(form->EditVorwarnzeit->text(), QString("30"));
        meldungen.expectError(
            "Bitte geben Sie in dieses Feld einen ganzahligen numerischen Wert zwischen 1 und 99 ein");
        form->EditVorwarnzeit->clear();
        QVERIFY(meldungen.verifyDone());
        form->EditVorwarnzeit->setText("120");
        schliessen();
        dm->TTblEinstellungenAllgem.Refresh();
        QCOMPARE(dm->TTblEinstellungenAllgem.FieldByName("Numfeld3")->AsInteger(), 120);

        fleet::FahrerStammdatenFormularFreigeben();
        form = &fleet::FahrerStammdatenFormularErzeugen();
        QCOMPARE(form->EditVorwarnzeit->text(), QString("30"));
    }

    void printingAsksTheCatalogueForTheRightReport()
    {
        reports = std::make_unique<fleet::testing::AufzeichnendeReportDienste>();
        starten();
        ui::testing::ScriptedMessages meldungen;
        zeigen("D'Angelo");
        form->TBitBtnFahrerDruckenClick();
        form->RadioGrpFahrerDrucken->setItemIndex(1);
        form->TBitBtnFahrerPreviewClick();
        meldungen.expectInformation("Sie haben noch keine Historie für diesen Fahrer angelegt");
        form->BitBtnHistorieFahrerDruckenClick();
        form->BitBtnTourenFahrerDruckenClick();
        jahrWaehlen("2023");
        form->RadioGrpFahrerTourenSicht->setItemIndex(2);
        meldungen.expectInformation("Zur Zeit sind keine Touren zu drucken");
        form->BitBtnFahrerTourenVorschauClick();
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(reports->aufrufe,
                 (QStringList{"PrintReport(17,1)", "PrintReport(16,2)", "PrintReport(18,1)"}));
        schliessen();
    }

    void theMemoIndicatorShowsWrittenMemos()
    {
        starten();
        zeigen("Meier");
        QVERIFY(!form->TPanMemoLED->property("beschrieben").toBool());
        fahrer().TblFahrerStammdaten.Edit();
        fahrer().TblFahrerStammdaten.FieldByName("Memo")->SetAsString("Fährt nur Transporter");
        QCOMPARE(form->EditDBMemoFahrer->toPlainText(), QString("Fährt nur Transporter"));
        QVERIFY(form->TPanMemoLED->property("beschrieben").toBool());
        fahrer().TblFahrerStammdaten.Cancel();
        QVERIFY(!form->TPanMemoLED->property("beschrieben").toBool());
        schliessen();
    }
};

QTEST_MAIN(FahrerFormularTest)
#include "fahrerformular_test.moc"
