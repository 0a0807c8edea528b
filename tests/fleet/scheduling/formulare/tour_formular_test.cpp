// The tour edit dialog and the tour evaluation offscreen, over a real data module.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "AufzeichnendeDienste.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "dbe/Field.h"
#include "formulare/TourAuswertungFormular.h"
#include "formulare/TourEditFormular.h"
#include "kern_umgebung.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "regeln/TourZwischenablage.h"
#include "termin_umgebung.h"
#include "ui/DBGrid.h"
#include "ui/DatePicker.h"
#include "ui/StartUp.h"
#include "ui/testing/ScriptedMessages.h"

using base::encodeDate;

namespace {

const QString kNumerisch = "Bitte geben Sie einen numerischen Wert ein";
const QString kFehlerhaft =
    "Diese Tour enthält noch fehlerhafte Datenfelder und kann so nicht eingefügt werden - bite rufen Sie "
    "dieses Formular noch einmal auf und beseitgen Sie die Fehler";

bool rot(QLabel *l)
{
    return l->palette().color(QPalette::Window) == QColor(Qt::red);
}

// The main window as far as the dialog touches it: the menu item "Tour einfügen".
struct HauptfensterAttrappe {
    QWidget fenster;
    QAction *einfuegen;
    HauptfensterAttrappe()
    {
        fenster.setObjectName("HauptFormular");
        einfuegen = new QAction("Tour einfügen", &fenster);
        einfuegen->setObjectName("Toureinfgen1");
        einfuegen->setEnabled(false);
    }
};

} // namespace

class TourFormularTest : public QObject {
    Q_OBJECT

    std::unique_ptr<termintest::TerminUmgebung> u;

    void fahrzeug(const QString &nr, double satz)
    {
        kerntest::zeileAnfuegen(u->session(), fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr", "FreifeldWae1"},
                                {nr, satz});
    }
    void tour(const QString &nr, int tag, double km, double ertrag)
    {
        kerntest::zeileAnfuegen(
            u->session(), fleet::kAliasFuhrpark, "KfzTour.db",
            {"KfzNr", "Datum", "Tour", "FahrerName", "Kostenstelle", "GefahrenKm", "Ertrag"},
            {nr, encodeDate(2024, 3, tag), QStringLiteral("Tour %1").arg(tag), "Meier", "Außendienst Süd", km,
             ertrag});
    }
    static void kopieren(double km)
    {
        fleet::TourZwischenablage = fleet::TTourZwischenablage();
        fleet::TourZwischenablage.Kfznr = "M-KV 100";
        fleet::TourZwischenablage.Datum = encodeDate(2024, 3, 5);
        fleet::TourZwischenablage.Tour = "Nord";
        fleet::TourZwischenablage.FahrerName = "meier";
        fleet::TourZwischenablage.GefahrenKm = km;
        fleet::TourZwischenablage.PalettenPlus = 3;
        fleet::TourZwischenablage.Ertrag = "1234,5";
    }
    static void markieren(ui::DBGrid *grid, int zeile)
    {
        const QRect r = grid->visualRect(grid->model()->index(zeile, 1));
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier, r.center());
    }

private slots:
    void initTestCase() { ui::startGerman(); }
    void init()
    {
        u = std::make_unique<termintest::TerminUmgebung>();
        for (const char *name : {"Meier", "Schulz"})
            kerntest::zeileAnfuegen(u->session(), fleet::kAliasFuhrpark, "KfzFahrer.DB", {"Name"},
                                    {QString::fromUtf8(name)});
    }
    void cleanup() { u.reset(); }

    void labelsFollowTheCheckCode_data()
    {
        QTest::addColumn<int>("code");
        QTest::newRow("0") << 0;
        QTest::newRow("1 Datum") << 1;
        QTest::newRow("2 Km") << 2;
        QTest::newRow("3 beide") << 3;
    }
    void labelsFollowTheCheckCode()
    {
        QFETCH(int, code);
        ui::testing::ScriptedMessages meldungen;
        kopieren(250);
        fleet::TTourEditFormular form;
        form.FehlerCode = code;
        form.show();
        QCOMPARE(rot(form.LblTourDatumVon), bool(code & 1));
        QCOMPARE(rot(form.LblGefahrenKm), bool(code & 2));
        if (code == 3 && qEnvironmentVariableIsSet("KARVENFP_BILDER"))
            form.grab().save(qEnvironmentVariable("KARVENFP_BILDER") + "/tour_bearbeiten.png");
        form.close();
        QVERIFY(!rot(form.LblTourDatumVon) && !rot(form.LblGefahrenKm));
    }

    void loadsTheClipboardAndRefusesLetters()
    {
        ui::testing::ScriptedMessages meldungen;
        kopieren(250);
        fleet::TTourEditFormular form;
        form.show();
        QCOMPARE(form.DateTimePckTourDatumBis->value(), encodeDate(2024, 3, 5));
        QCOMPARE(form.CmbBoxTourFahrerName->currentText(), QString("Meier"));
        QCOMPARE(form.CmbBoxTourFahrerName->count(), 3);
        QCOMPARE(form.EditTourGefahrenKm->text(), QString("250"));
        QCOMPARE(form.EditTourErtrag->text(), QString("1234,50"));
        QCOMPARE(form.EditTourTour->maxLength(), 10);
        QCOMPARE(form.EditTourKostenstelle->maxLength(), 30);
        QCOMPARE(form.EditTourBemerkungen->maxLength(), 255);
        QCOMPARE(form.EditTourBemerkung3->maxLength(), 50);
        for (QLineEdit *e : {form.EditTourAbfahrtKm, form.EditTourAnkunftKm, form.EditTourGefahrenKm,
                             form.EditTourPalettenPlus, form.EditTourPalettenMinus, form.EditTourErtrag}) {
            // German numbers are taken as they are typed, dot for thousands;
            // a wrong key is refused once and the text before it stays.
            e->clear();
            QTest::keyClicks(e, "1.234,5");
            QCOMPARE(e->text(), QString("1.234,5"));
            meldungen.expectError(kNumerisch);
            QTest::keyClicks(e, "x");
            QCOMPARE(e->text(), QString("1.234,5"));
            QVERIFY2(meldungen.verifyDone(), qPrintable(e->objectName()));
        }
    }

    void revenueAndDatesAreCorrectedWhenLeft()
    {
        ui::testing::ScriptedMessages meldungen;
        kopieren(250);
        fleet::TTourEditFormular form;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        form.EditTourErtrag->setFocus();
        form.EditTourErtrag->clear();
        QTest::keyClicks(form.EditTourErtrag, "12,5");
        form.EditTourBemerkungen->setFocus();
        QCOMPARE(form.EditTourErtrag->text(), QString("12,50"));
        form.EditTourErtrag->setFocus();
        form.EditTourErtrag->clear();
        QTest::keyClicks(form.EditTourErtrag, "34.500,5");
        form.EditTourBemerkungen->setFocus();
        QCOMPARE(form.EditTourErtrag->text(), QString("34500,50"));
        // Left unfinished: named once, kept for mending.
        form.EditTourErtrag->setFocus();
        form.EditTourErtrag->clear();
        QTest::keyClicks(form.EditTourErtrag, "1.");
        meldungen.expectError(kNumerisch);
        form.EditTourBemerkungen->setFocus();
        QCOMPARE(form.EditTourErtrag->text(), QString("1."));
        QVERIFY(meldungen.verifyDone());

        // A later start moves the end along without a word.
        form.DateTimePckTourDatumVon->setFocus();
        QTest::keyClick(form.DateTimePckTourDatumVon, Qt::Key_Up);
        QCOMPARE(form.DateTimePckTourDatumVon->value(), encodeDate(2024, 3, 6));
        QCOMPARE(form.DateTimePckTourDatumBis->value(), encodeDate(2024, 3, 6));
        // An end before the start is put right when it is left.
        form.DateTimePckTourDatumBis->setFocus();
        QTest::keyClick(form.DateTimePckTourDatumBis, Qt::Key_Down);
        QCOMPARE(form.DateTimePckTourDatumBis->value(), encodeDate(2024, 3, 5));
        meldungen.expectInformation("\"Datum/Bis\" kann nicht kleiner sein als \"Datum/Von\"");
        form.EditTourTour->setFocus();
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(form.DateTimePckTourDatumBis->value(), encodeDate(2024, 3, 6));
    }

    void okWithoutKilometresWarnsAndReddensNextTime()
    {
        ui::testing::ScriptedMessages meldungen;
        HauptfensterAttrappe haupt;
        kopieren(0);
        fleet::TTourEditFormular form;
        form.show();
        form.EditTourGefahrenKm->clear();
        meldungen.expectWarning(kFehlerhaft);
        form.BitBtnTourEditOk->click();
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(form.modalResult(), int(ui::mrOk));
        QCOMPARE(form.FehlerCode, 2);
        QVERIFY(!haupt.einfuegen->isEnabled());
        QCOMPARE(fleet::TourZwischenablage.GefahrenKm, 0.0);
        form.close();
        form.show();
        QVERIFY(rot(form.LblGefahrenKm));
        QVERIFY(!rot(form.LblTourDatumVon));

        // Kilometres typed: the tour may be pasted.
        QTest::keyClicks(form.EditTourGefahrenKm, "75");
        QTest::keyClicks(form.EditTourPalettenPlus, "12");
        QTest::keyClicks(form.EditTourPalettenMinus, "1,5");
        form.BitBtnTourEditOk->click();
        QCOMPARE(form.FehlerCode, 0);
        QVERIFY(haupt.einfuegen->isEnabled());
        QCOMPARE(fleet::TourZwischenablage.GefahrenKm, 75.0);
        QCOMPARE(fleet::TourZwischenablage.PalettenPlus, 12.0);
        QCOMPARE(fleet::TourZwischenablage.PalettenMinus, 0.0);
        QCOMPARE(fleet::TourZwischenablage.FahrerName, QString("Meier"));
    }

    void anUnknownDriverIsStoredEmptyAndAbortKeepsTheClipboard()
    {
        ui::testing::ScriptedMessages meldungen;
        kopieren(250);
        fleet::TourZwischenablage.FahrerName = "Weber";
        fleet::TTourEditFormular form;
        form.show();
        QCOMPARE(form.CmbBoxTourFahrerName->currentIndex(), -1);
        form.EditTourTour->setText("Süd");
        form.EditTourGefahrenKm->setText("99");
        form.BitBtnTourEditAbbruch->click();
        QCOMPARE(form.modalResult(), int(ui::mrCancel));
        QCOMPARE(fleet::TourZwischenablage.Tour, QString("Nord"));
        QCOMPARE(fleet::TourZwischenablage.GefahrenKm, 250.0);
        QCOMPARE(fleet::TourZwischenablage.FahrerName, QString("Weber"));

        form.close();
        form.show();
        QCOMPARE(form.EditTourTour->text(), QString("Nord"));
        form.BitBtnTourEditOk->click();
        QCOMPARE(fleet::TourZwischenablage.FahrerName, QString());
    }

    void evaluationSumsAllOrMarkedToursAndLeavesNoFilter()
    {
        ui::testing::ScriptedMessages meldungen;
        fleet::testing::AufzeichnendeReportDienste berichte;
        fahrzeug("A-1", 0.35);
        fahrzeug("C-3", 2);
        tour("A-1", 1, 100, 1500);
        tour("A-1", 2, 200, 2500.25);
        tour("B-2", 3, 40, 100); // vehicle deleted meanwhile
        tour("C-3", 4, 10, 0);
        dbe::TTable &touren = u->dm().TTblTouren;
        touren.SetMasterSource(nullptr);
        touren.SetMasterFields({});
        touren.FieldByName("KfzNr")->SetVisible(true); // as the menu item shows them
        touren.Refresh();
        // A borrower holds TTblVar; the evaluation leaves it as it is.
        u->dm().TTblVar.SetTableName("KfzFahrer.DB");
        u->dm().TTblVar.Open();

        fleet::TTourAuswertungFormular form;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.TLblSummeTouren->text(), QString("4"));
        QCOMPARE(form.TLblSummeTourenKm->text(), QString("350"));
        QCOMPARE(form.LblSummeErtraege->text(), QString("4100,25"));
        QCOMPARE(form.LblSummeKosten->text(), QString("125,00"));
        QVERIFY(u->dm().TTblVar.Active());
        QCOMPARE(u->dm().TTblVar.TableName(), QString("KfzFahrer.DB"));
        QVERIFY(!u->dm().TTblVar1.Active());

        // One mark counts as none; two marks sum only those.
        markieren(form.DBGridTourAuswertung, 0);
        form.BtnBerechnen->click();
        QCOMPARE(form.TLblSummeTouren->text(), QString("4"));
        markieren(form.DBGridTourAuswertung, 1);
        QCOMPARE(form.DBGridTourAuswertung->markedCount(), 2);
        form.BtnBerechnen->click();
        QCOMPARE(form.TLblSummeTouren->text(), QString("2"));
        QCOMPARE(form.LblSummeKosten->text(), QString("105,00"));
        if (qEnvironmentVariableIsSet("KARVENFP_BILDER"))
            form.grab().save(qEnvironmentVariable("KARVENFP_BILDER") + "/tour_auswertung.png");

        // Printing with marks sums first; the report reads the labels.
        form.TBitBtnDurchschnittVorschau->click();
        form.TBitBtnAlleFahrzeugeAuswertungDrucken->click();
        QCOMPARE(berichte.aufrufe, QStringList({"PrintReport(9,2)", "PrintReport(9,1)"}));

        meldungen.expectInformation("Alle bisherigen Tourmarkierungen wurden gelöscht");
        form.DBGridTourAuswertungDblClick();
        QCOMPARE(form.DBGridTourAuswertung->markedCount(), 0);

        // A navigator filter: marks gone, sums over the filtered tours.
        markieren(form.DBGridTourAuswertung, 0);
        markieren(form.DBGridTourAuswertung, 2);
        nav::TFilterDefinition def;
        def[0] = nav::TFilterZeile{"KfzNr", nav::opEq, "A-1", 0};
        form.DBVexdTourenAuswertung->ApplyTableFilterDef(&touren, def, 1, true);
        QCOMPARE(form.DBGridTourAuswertung->markedCount(), 0);
        QCOMPARE(touren.RecordCount(), 2);
        QCOMPARE(form.TLblSummeTouren->text(), QString("2"));
        QCOMPARE(form.TLblSummeTourenKm->text(), QString("300"));

        form.close();
        QCOMPARE(touren.RecordCount(), 4);
        QVERIFY(u->dm().TTblVar.Active());
    }

    void costsAreNotAvailableWithoutTheVehicleMaster()
    {
        ui::testing::ScriptedMessages meldungen;
        tour("A-1", 1, 100, 10);
        dbe::TTable &touren = u->dm().TTblTouren;
        touren.SetMasterSource(nullptr);
        touren.SetMasterFields({});
        touren.Refresh();
        u->dm().TTblMain.Close();
        kerntest::ZweiterArbeitsplatz anderer("exklusiv", fleet::kAliasFuhrpark, "KfzStamm.db");
        QVERIFY(anderer.bereit());
        fleet::TTourAuswertungFormular form;
        form.TourSummenBerechnen();
        QCOMPARE(form.LblSummeKosten->text(), QString("n.v."));
        QCOMPARE(form.TLblSummeTourenKm->text(), QString("100"));
        QCOMPARE(form.LblSummeErtraege->text(), QString("10,00"));
    }
};

QTEST_MAIN(TourFormularTest)
#include "tour_formular_test.moc"
