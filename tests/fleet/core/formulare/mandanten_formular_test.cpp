// The client form on the form kit, over a real data module in a fresh home.
#include <memory>

#include <QDir>
#include <QPushButton>
#include <QTest>

#include "AufzeichnendeDienste.h"
#include "base/Abort.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "formulare/HauptFormular.h"
#include "formulare/MandantenFormular.h"
#include "kern_umgebung.h"
#include "regeln/Mandant.h"
#include "ui/Application.h"
#include "ui/DBGrid.h"
#include "ui/RadioGroup.h"
#include "ui/StartUp.h"
#include "ui/testing/ScriptedMessages.h"

using fleet::TMandantenFormular;

namespace {

const QString kZaehlen = QStringLiteral("Möchten Sie jetzt die Fahrzeuge des aktuellen Mandanten zählen");
const QString kGezaehlt =
    QStringLiteral("Die Fahrzeuge dieses Mandanten wurden gezählt und in die Mandantentabelle eingetragen");

QVariant mandantenFeld(dbe::TSession &s, const QString &mandant, const QString &feld)
{
    dbe::TTable t(&s);
    t.SetDatabaseName(fleet::kAliasFuhrpkMand);
    t.SetTableName("Mandant.db");
    t.Open();
    return t.Locate("Mandant", mandant) ? t.FieldByName(feld)->Value() : QVariant();
}

} // namespace

class MandantenFormularTest : public QObject {
    Q_OBJECT

    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<TMandantenFormular> form;
    std::unique_ptr<fleet::testing::AufzeichnendeReportDienste> reports;
    std::unique_ptr<fleet::DienstInKraft<fleet::ReportDienste>> reportsInKraft;

    dbe::TSession &s() { return umgebung->session(); }
    dbe::TTable &mandanten() { return fleet::DataModule1->TblMandanten; }
    QString aktuellerMandant() { return mandanten().FieldByName("Mandant")->AsString(); }

private slots:
    void init()
    {
        umgebung = std::make_unique<kerntest::Umgebung>();
        for (const char *kfz : {"A-1", "B-2", "C-3"})
            kerntest::zeileAnfuegen(s(), fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr"}, {kfz});
        fleet::DataModule1 = new fleet::TDataModule1(&s());
        reports = std::make_unique<fleet::testing::AufzeichnendeReportDienste>();
        reportsInKraft = std::make_unique<fleet::DienstInKraft<fleet::ReportDienste>>(*reports);
        form = std::make_unique<TMandantenFormular>();
    }

    void cleanup()
    {
        form.reset();
        reportsInKraft.reset();
        reports.reset();
        delete fleet::DataModule1;
        fleet::DataModule1 = nullptr;
        umgebung.reset();
    }

    void activationStandsOnTheCurrentClientAndLocksItsColumns()
    {
        QCOMPARE(form->RadioGrpMandantDrucken->itemIndex(), 0);
        QVERIFY(fleet::MandantUmschalten(fleet::kAliasFuhrpark, "Mandant4"));
        form->FormActivate();
        QVERIFY(mandanten().Active());
        QCOMPARE(aktuellerMandant(), QString("Mandant4"));

        ui::DBGrid *grid = form->DBGridMandanten;
        QCOMPARE(grid->selectedIndex(), 0);
        const struct {
            int spalte;
            const char *titel;
            bool nurLesen;
        } spalten[] = {
            {1, "Fahrzeuge", true}, {2, "Name", false}, {0, "Mandant", true}, {3, "Name 2", false}};
        for (const auto &sp : spalten) {
            grid->setSelectedIndex(sp.spalte);
            QCOMPARE(grid->selectedField()->DisplayLabel(), QString(sp.titel));
            QCOMPARE(grid->readOnly(), sp.nurLesen);
        }
    }

    void noNewClientRows()
    {
        form->FormActivate();
        const int vorher = mandanten().RecordCount();
        QVERIFY_THROWS_EXCEPTION(base::SilentAbort, mandanten().Append());
        QCOMPARE(mandanten().State(), dbe::TDataSetState::dsBrowse);
        // Down on the last row of the grid adds nothing either.
        form->show();
        form->DBGridMandanten->setSelectedIndex(2);
        mandanten().Last();
        QTest::keyClick(form->DBGridMandanten, Qt::Key_Down);
        QCOMPARE(mandanten().State(), dbe::TDataSetState::dsBrowse);
        QCOMPARE(mandanten().RecordCount(), vorher);
    }

    void countingStoresAllVehiclesWhateverTheFilter()
    {
        dbe::TTable &main = fleet::DataModule1->TTblMain;
        main.SetFilter("KfzNr = 'A-1'");
        main.SetFiltered(true);
        QCOMPARE(main.RecordCount(), 1);

        ui::testing::ScriptedMessages meldungen;
        meldungen.expectQuestion(kZaehlen, false);
        form->BtnMandantZaehlen->click();
        QCOMPARE(mandantenFeld(s(), "Mandant1", "AnzahlFahrzeuge").toInt(), 0);

        meldungen.expectQuestion(kZaehlen, true).expectInformation(kGezaehlt);
        form->BtnMandantZaehlen->click();
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(mandantenFeld(s(), "Mandant1", "AnzahlFahrzeuge").toInt(), 3);
    }

    void printAndPreviewAskForTheClientReports()
    {
        form->BitBtnMandantDrucken->click();
        form->RadioGrpMandantDrucken->setItemIndex(1);
        form->BitBtnMandantPreview->click();
        form->BitBtnMandantDrucken->click();
        form->RadioGrpMandantDrucken->setItemIndex(0);
        form->BitBtnMandantPreview->click();
        QCOMPARE(reports->aufrufe, QStringList({"PrintReport(22,1)", "PrintReport(21,2)", "PrintReport(21,1)",
                                                "PrintReport(22,2)"}));
    }

    void switchingToTheChosenRowSetsTheCaptionAndCloses()
    {
        QWidget haupt;
        haupt.setObjectName("HauptFormular");
        fleet::BasisTitel = "KARVEN Fuhrpark";
        form->show();
        form->FormActivate();
        QVERIFY(mandanten().Locate("Mandant", "Mandant3"));
        mandanten().Edit();
        mandanten().FieldByName("Name1")->SetAsString("Spedition Kraus");
        form->BtnMandantWechseln->click();
        QCOMPARE(fleet::AliasPfad(s(), fleet::kAliasFuhrpark), umgebung->daten() + "/Datenbk3");
        QCOMPARE(haupt.windowTitle(), QString("KARVEN Fuhrpark / Mandant3 - Spedition Kraus"));
        QVERIFY(!form->isVisible());
        QVERIFY(fleet::DataModule1->TTblMain.Active());
    }

    void aRefusedSwitchKeepsTheFormOnTheCurrentClient()
    {
        QDir(umgebung->daten() + "/Datenbk5").removeRecursively();
        form->show();
        form->FormActivate();
        QVERIFY(mandanten().Locate("Mandant", "Mandant5"));
        ui::testing::ScriptedMessages meldungen;
        meldungen.expectError("Das zugehörige Datenbankverzeichnis existiert nicht - der gewünschte "
                              "Mandantenwechsel ist nicht möglich");
        form->BtnMandantWechseln->click();
        QVERIFY(form->isVisible());
        QCOMPARE(aktuellerMandant(), QString("Mandant1"));
        QCOMPARE(fleet::AliasPfad(s(), fleet::kAliasFuhrpark), umgebung->daten() + "/Datenbk");
    }

    void closingSavesAPendingEdit()
    {
        form->show();
        form->FormActivate();
        mandanten().Edit();
        mandanten().FieldByName("Name1")->SetAsString("Spedition O'Neill");
        form->close();
        QVERIFY(!mandanten().Active());
        QCOMPARE(mandantenFeld(s(), "Mandant1", "Name1").toString(), QString("Spedition O'Neill"));
    }

    void picture()
    {
        form->FormActivate();
        mandanten().Edit();
        mandanten().FieldByName("Name1")->SetAsString("Spedition Bauer");
        mandanten().FieldByName("Ort")->SetAsString("Kiel");
        mandanten().Post();
        form->show();
        QVERIFY(form->grab().save("/tmp/mandanten_formular.png"));
    }
};

int main(int argc, char **argv)
{
    ui::Application app(argc, argv);
    ui::startGerman();
    MandantenFormularTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "mandanten_formular_test.moc"
