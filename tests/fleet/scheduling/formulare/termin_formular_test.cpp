// The due list and the note dialog offscreen, over a real data module.
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "AufzeichnendeDienste.h"
#include "FensterAttrappe.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "dbe/Field.h"
#include "formulare/TerminFormular.h"
#include "formulare/TerminInfoDlg.h"
#include "kern_umgebung.h"
#include "termin_umgebung.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/RadioGroup.h"
#include "ui/StartUp.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using base::encodeDate;
using fleet::TTerminFormular;

class TerminFormularTest : public QObject {
    Q_OBJECT

    std::unique_ptr<termintest::TerminUmgebung> u;
    std::unique_ptr<ui::testing::FakeClock> uhr;
    std::unique_ptr<termintest::FensterAttrappe> fenster;
    std::unique_ptr<TTerminFormular> form;

    void starten()
    {
        form = std::make_unique<TTerminFormular>();
        fleet::TerminFormular = form.get();
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        form->FormActivate();
    }
    int spalte(const QString &feld)
    {
        for (int c = 0; c < form->DBGrid1->columnCount(); ++c)
            if (form->DBGrid1->columnField(c)->FieldName() == feld)
                return c;
        return -1;
    }
    void titelKlicken(int c)
    {
        QHeaderView *kopf = form->DBGrid1->horizontalHeader();
        QTest::mouseClick(kopf->viewport(), Qt::LeftButton, {},
                          QPoint(kopf->sectionViewportPosition(c) + 4, 4));
    }
    void zelleWaehlen(const QString &kfzNr, const QString &feld)
    {
        QVERIFY(u->dm().TTblTermine.Locate("KfzNr", kfzNr));
        form->DBGrid1->setSelectedIndex(spalte(feld));
    }
    // Runs `schritte` on the note dialog once it is up, then ends it with `knopf`
    // (null: the close box).
    void imDialog(std::function<void()> schritte, QPushButton *fleet::TTerminInfoDlg::*knopf)
    {
        QTimer::singleShot(0, [=] {
            schritte();
            if (knopf)
                (fleet::TerminInfoDlg->*knopf)->click();
            else
                fleet::TerminInfoDlg->close();
        });
    }

private slots:
    void initTestCase() { ui::startGerman(); }
    void init()
    {
        u = std::make_unique<termintest::TerminUmgebung>();
        uhr = std::make_unique<ui::testing::FakeClock>(encodeDate(2024, 3, 15) + 0.4);
        fenster = std::make_unique<termintest::FensterAttrappe>();
        fenster->beschriftungen["LblInspektionTermin"] = "Sicherheitsprüfung Anhänger";
        u->schwellen(30, 1000, 10, 500);
        u->fahrzeug("A-1", 10000, {{"KfzTUEVTermin", encodeDate(2024, 3, 1)}}, "Kombi");
        u->fahrzeug("B-2", 29500,
                    {{"KfzKlInspektionTermin", 30000}, {"KfzInspektTermin", encodeDate(2024, 4, 2)}});
        u->fahrzeug("C-3", 100, {{"KfzTUEVTermin", encodeDate(2026, 1, 1)}});
        fleet::TerminInfoDlg = new fleet::TTerminInfoDlg();
    }
    void cleanup()
    {
        form.reset();
        fleet::TerminFormular = nullptr;
        delete fleet::TerminInfoDlg;
        fleet::TerminInfoDlg = nullptr;
        fenster.reset();
        uhr.reset();
        u.reset();
    }

    void activationRebuildsWithCountThresholdsAndTitles()
    {
        ui::testing::ScriptedMessages meldungen;
        starten();
        QCOMPARE(form->TLblTerminAnzahl->text(), QString("Anzahl Fahrzeuge mit fälligen Terminen: 2"));
        QCOMPARE(form->LblVorwarnzeitTage->text(), QString("Terminvorwarnung/Tage: 30"));
        QCOMPARE(form->LblWarnzeitKm->text(), QString("Termin überzogen/Km.: 500"));
        QCOMPARE(form->TLblTerminart->text(), QString("Fällige Termine (Sicht: Alle Termine)"));
        const int insp = spalte("InspektionTermin");
        QVERIFY(insp > 0);
        QCOMPARE(form->DBGrid1->columnTitle(insp), QString("Sicherheitsprüfung Anhänger"));
        QCOMPARE(form->ChkBoxArten[2]->text(), QString("Sicherheitsprüf"));
        QCOMPARE(form->ChkBoxArten[0]->text(), QString("HU"));
        QVERIFY(!form->ProgBarTermine->isVisible());
        QVERIFY(form->DBGrid1->isVisible());
        // No settings form: no colours, the overdue labels hidden.
        QVERIFY(!form->FarbigeTerminfelder);
        QVERIFY(!form->LblWarnzeitTage->isVisible());
        // The commands below the list show their captions whole.
        for (QWidget *w : std::initializer_list<QWidget *>{
                 form->ChkBoxAlle, form->BtnWelcheTermineZeigen, form->BtnEinzelterminFortschreiben,
                 form->BtnMarkierteTermineFortschreiben, form->ChkBoxTermineMarkieren,
                 form->BtnTermineZeigeStammdaten, form->BtnTermineGehezuStammdaten, form->BtnTerminInfo})
            QVERIFY2(w->width() >= w->sizeHint().width(), qPrintable(w->objectName()));
    }

    void titleClicksSortByTheKindAndMarkOneTitle()
    {
        ui::testing::ScriptedMessages meldungen;
        starten();
        const int hu = spalte("TUEVTermin"), kl = spalte("KlInspektionTermin"), info = spalte("Info");
        titelKlicken(hu);
        QCOMPARE(u->dm().TTblTermine.IndexName(), QString("Tuev"));
        QCOMPARE(form->DBGrid1->columnTitle(hu), QString("* HU"));
        titelKlicken(kl);
        QCOMPARE(u->dm().TTblTermine.IndexName(), QString("KlInspek"));
        QCOMPARE(form->DBGrid1->columnTitle(hu), QString("HU"));
        QCOMPARE(form->DBGrid1->columnTitle(kl), QString("* Kl.Inspektion"));
        titelKlicken(info);
        QCOMPARE(u->dm().TTblTermine.IndexName(), QString("KlInspek"));
        QCOMPARE(form->DBGrid1->columnTitle(kl), QString("* Kl.Inspektion"));
        // A kind nobody is listed for sorts in the primary order.
        titelKlicken(spalte("GrInspektionTermin"));
        QCOMPARE(u->dm().TTblTermine.IndexName(), QString());
    }

    void uncheckingEveryKindWarnsAndWatchesAllAgainAskingOnce()
    {
        ui::testing::ScriptedMessages meldungen;
        starten();
        form->BtnWelcheTermineZeigen->click();
        QVERIFY(form->GrpBoxTermine->isVisible());
        for (ui::CheckBox *b : form->ChkBoxArten)
            b->setChecked(false);
        meldungen.expectWarning(
            "Sie haben alle Termine abgeschaltet - bitte aktivieren Sie mindestens einen Termin "
            "zur Überwachung und Anzeige. Es werden zunächst wieder alle Termine eingeschaltet");
        meldungen.expectQuestion("Möchten Sie diese Terminselektion dauerhaft speichern", false);
        form->BitBtnTerminSelektion->click();
        for (ui::CheckBox *b : form->ChkBoxArten)
            QVERIFY(b->isChecked());
        QVERIFY(form->ChkBoxAlle->isChecked());
        QVERIFY(!form->ChkBoxAlle->isEnabled());
        QVERIFY(!form->GrpBoxTermine->isVisible());
        QVERIFY(meldungen.verifyDone());

        // A partial selection, saved: HU alone.
        form->BtnWelcheTermineZeigen->click();
        for (ui::CheckBox *b : form->ChkBoxArten)
            b->setChecked(false);
        form->ChkBoxArten[0]->setChecked(true);
        meldungen.expectQuestion("Möchten Sie diese Terminselektion dauerhaft speichern", true);
        form->BitBtnTerminSelektion->click();
        QCOMPARE(form->TLblTerminart->text(), QString("Fällige Termine (Sicht: Selekt. Termine)"));
        QCOMPARE(form->TLblTerminAnzahl->text(), QString("Anzahl Fahrzeuge mit fälligen Terminen: 1"));
        QVERIFY(spalte("KlInspektionTermin") < 0);
        QVERIFY(!u->dm().TTblEinstellungenPriv.FieldByName("Freitermin3Zeigen")->AsBoolean());
        QVERIFY(u->dm().TTblEinstellungenPriv.FieldByName("TUEVTerminZeigen")->AsBoolean());
    }

    void colouredCellsAndTheirNotes()
    {
        ui::testing::ScriptedMessages meldungen;
        u->notiz("A-1", "TTblTermineTUEVTermin", "01.03.2024");
        starten();
        form->FarbigeTerminfelder = true;
        ui::DBGrid::CellStyle stil;
        u->dm().TTblTermine.First();
        stil.row = 0; // HU 01.03.2024, 14 days before the end of the period
        stil.column = spalte("TUEVTermin");
        stil.field = form->DBGrid1->columnField(stil.column);
        stil.text = "01.03.2024";
        form->DBGrid1->styleCell(stil);
        QCOMPARE(stil.background, QColor(Qt::yellow));
        QVERIFY(stil.underline);
        stil = {};
        stil.row = 1; // B-2: small inspection ahead of the reading
        stil.column = spalte("KlInspektionTermin");
        stil.field = form->DBGrid1->columnField(stil.column);
        stil.text = "30000";
        form->DBGrid1->styleCell(stil);
        QCOMPARE(stil.background, QColor(Qt::green));
        QVERIFY(!stil.underline);
        form->FarbigeTerminfelder = false;
        stil.background = QColor();
        form->DBGrid1->styleCell(stil);
        QVERIFY(!stil.background.isValid());
    }

    void aNewNoteWithThePresetFieldIsStoredAndAnEmptyOneIsNot()
    {
        ui::testing::ScriptedMessages meldungen;
        starten();
        zelleWaehlen("A-1", "TUEVTermin");
        imDialog([] {}, &fleet::TTerminInfoDlg::BitBtnTerminInfoOk);
        form->Bemerkung1Click();
        QCOMPARE(u->notizen(), 1);
        QCOMPARE(fleet::TerminInfoDlg->LblTerminInfo->text(),
                 QString("Fahrzeug: A-1   HU-Termin: 01.03.2024"));
        QCOMPARE(fleet::TerminInfoDlg->LblTerminInfo_Info->text(), QString("Kombi"));
        QCOMPARE(fleet::TerminInfoDlg->EditTerminInfoFreifeld1->text(), QString("HU-Termin"));
        QCOMPARE(u->dm().TTblTermine.FieldByName("TUEVTerminInfo")->AsBoolean(), true);

        zelleWaehlen("B-2", "KlInspektionTermin");
        imDialog([] { fleet::TerminInfoDlg->EditTerminInfoFreifeld1->clear(); },
                 &fleet::TTerminInfoDlg::BitBtnTerminInfoOk);
        form->Bemerkung1Click();
        QCOMPARE(u->notizen(), 1);
        QVERIFY(!u->dm().TTblVar1.Active());
    }

    void deleteStatusAbortAndCloseBox()
    {
        ui::testing::ScriptedMessages meldungen;
        u->notiz("A-1", "TTblTermineTUEVTermin", "01.03.2024", encodeDate(2024, 3, 18), "Reifen mitbringen");
        starten();
        // Workshop date three days ahead: the label goes red.
        QCOMPARE(form->Label4->palette().color(QPalette::Window), QColor(Qt::red));

        zelleWaehlen("A-1", "TUEVTermin");
        imDialog([] { fleet::TerminInfoDlg->MemoTerminInfo->setPlainText("geändert"); },
                 &fleet::TTerminInfoDlg::BitBtnTerminInfoAbbruch);
        form->Bemerkung1Click();
        QCOMPARE(fleet::TerminInfoDlg->MemoTerminInfo->toPlainText(), QString("geändert"));
        QCOMPARE(fleet::TerminInfoDlg->EditTerminInfoServiceTermin->text(), QString("18.03.2024"));
        QCOMPARE(u->notizen(), 1);

        // Status "Löschen" and the close box: the note goes.
        zelleWaehlen("A-1", "TUEVTermin");
        imDialog([] { fleet::TerminInfoDlg->RadioGrpTerminInfoStatus->setItemIndex(1); }, nullptr);
        form->Bemerkung1Click();
        QCOMPARE(u->notizen(), 0);
        QCOMPARE(u->dm().TTblTermine.FieldByName("TUEVTerminInfo")->AsBoolean(), false);

        // On a new note "Löschen" is ignored: stored with status 0.
        zelleWaehlen("A-1", "TUEVTermin");
        imDialog(
            [] {
                fleet::TerminInfoDlg->RadioGrpTerminInfoStatus->setItemIndex(1);
                fleet::TerminInfoDlg->CmbBoxTerminInfoUhrzeit->setCurrentIndex(3);
            },
            &fleet::TTerminInfoDlg::BitBtnTerminInfoOk);
        form->Bemerkung1Click();
        QCOMPARE(u->notizen(), 1);
        dbe::TTable n(&u->session());
        n.SetDatabaseName(fleet::kAliasFuhrpark);
        n.SetTableName("KfzTerminInfo.db");
        n.Open();
        QCOMPARE(n.FieldByName("TerminStatus")->AsInteger(), 0);
        QCOMPARE(n.FieldByName("UhrzeitVereinbart")->AsString(), QString("7:00"));
        QVERIFY(n.FieldByName("TerminVereinbart")->IsNull());
    }

    void aFailingStoreIsReported()
    {
        ui::testing::ScriptedMessages meldungen;
        starten();
        kerntest::ZweiterArbeitsplatz anderer("sperren", fleet::kAliasFuhrpark, "KfzTerminInfo.db");
        QVERIFY(anderer.bereit());
        zelleWaehlen("A-1", "TUEVTermin");
        imDialog([] {}, &fleet::TTerminInfoDlg::BitBtnTerminInfoOk);
        meldungen.expectError("Termin-Info konnte nicht gespeichert werden\r"
                              "Tabelle kfztermininfo ist von einem anderen Benutzer gesperrt");
        form->Bemerkung1Click();
        QCOMPARE(u->notizen(), 0);
        QVERIFY(!u->dm().TTblVar1.Active());
    }

    void noUsableCellGivesTheHint()
    {
        ui::testing::ScriptedMessages meldungen;
        starten();
        zelleWaehlen("A-1", "Info");
        meldungen.expectInformation(
            "Zur Zeit ist kein Termin markiert - klicken Sie bitte auf den gewünschten Termin");
        form->BtnTerminInfo->click();
        zelleWaehlen("A-1", "KlInspektionTermin"); // empty for A-1
        meldungen.expectInformation(
            "Zur Zeit ist kein Termin markiert - klicken Sie bitte auf den gewünschten Termin");
        form->BtnTerminInfo->click();
    }

    void showAndGoToAVehicleThatIsGoneKeepTheList()
    {
        ui::testing::ScriptedMessages meldungen;
        starten();
        // Deleted at another workstation after the list was read.
        dbe::TTable stamm(&u->session());
        stamm.SetDatabaseName(fleet::kAliasFuhrpark);
        stamm.SetTableName(QStringLiteral("KfzStamm.db"));
        stamm.Open();
        QVERIFY(stamm.Locate("KfzNr", QStringLiteral("A-1")));
        stamm.Delete();
        u->dm().TTblMain.Refresh();
        QVERIFY(u->dm().TTblMain.Locate("KfzNr", QStringLiteral("B-2")));
        zelleWaehlen("A-1", "TUEVTermin");
        meldungen.expectInformation("Das Fahrzeug A-1 wurde nicht gefunden");
        form->BtnTermineZeigeStammdaten->click();
        meldungen.expectInformation("Das Fahrzeug A-1 wurde nicht gefunden");
        form->BtnTermineGehezuStammdaten->click();
        QVERIFY(form->isVisible());
        QCOMPARE(u->dm().TTblMain.FieldByName("KfzNr")->AsString(), QString("B-2"));
        // A vehicle that is there: found, and GeheZu closes the list.
        zelleWaehlen("B-2", "KlInspektionTermin");
        QVERIFY(u->dm().TTblMain.Locate("KfzNr", QStringLiteral("C-3")));
        form->BtnTermineGehezuStammdaten->click();
        QCOMPARE(u->dm().TTblMain.FieldByName("KfzNr")->AsString(), QString("B-2"));
        QVERIFY(!form->isVisible());
    }

    void printCommandsAndMarking()
    {
        ui::testing::ScriptedMessages meldungen;
        starten();
        QVERIFY(!form->TBitBtnTermineDrucken->isEnabled());
        fleet::testing::AufzeichnendeReportDienste berichte;
        form->FormActivate();
        QVERIFY(form->TBitBtnTermineDrucken->isEnabled());
        form->TBitBtnTermineDrucken->click();
        form->TBitBtnTermineVorschau->click();
        form->BitBtnTermineWerkstatt->click();
        QCOMPARE(berichte.aufrufe,
                 QStringList({"PrintReport(6,1)", "PrintReport(6,2)", "PrintReport(24,2)"}));
        form->ChkBoxTermineMarkieren->setChecked(true);
        QVERIFY(!form->BtnEinzelterminFortschreiben->isEnabled());
        QVERIFY(form->DBGrid1->multiSelect());
        form->ChkBoxTermineMarkieren->setChecked(false);
        QVERIFY(form->BtnEinzelterminFortschreiben->isEnabled());

        // An empty list: the information texts instead.
        fleet::termine::TerminInfosBereinigen(u->dm());
        form->StichtagBis = encodeDate(2000, 1, 1);
        form->StichtagVon = encodeDate(1999, 1, 1);
        form->DBGrid1->setSelectedIndex(0);
        form->ChkBoxArten[5]->setChecked(false);
        form->ChkBoxArten[19]->setChecked(false);
        form->FaelligeTermineEinlesen();
        if (!u->dm().TTblTermine.IsEmpty())
            QSKIP("odometer kinds still listed");
        meldungen.expectInformation("Zur Zeit keine Termine zu drucken");
        form->TBitBtnTermineVorschau->click();
        meldungen.expectInformation("Zur Zeit sind keine Werkstatt-Termine zu drucken");
        form->BitBtnTermineWerkstatt->click();
        meldungen.expectInformation("Zur Zeit ist kein Fahrzeug markiert");
        form->BtnTermineZeigeStammdaten->click();
    }
};

QTEST_MAIN(TerminFormularTest)
#include "termin_formular_test.moc"
