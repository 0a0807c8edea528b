// When the due list rebuilds on activation and when it must not: the return
// from its own boxes and dialogs, shown with real windows and real boxes.
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "FensterAttrappe.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "dbe/Table.h"
#include "formulare/TerminFormular.h"
#include "formulare/TerminInfoDlg.h"
#include "kern_umgebung.h"
#include "termin_umgebung.h"
#include "ui/RadioGroup.h"
#include "ui/StartUp.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using base::encodeDate;
using fleet::TTerminFormular;

namespace {

const QString kAnzahl = QStringLiteral("Anzahl Fahrzeuge mit fälligen Terminen: %1");

// Closes every real message box as soon as it is up and keeps its text.
class BoxSchliesser {
public:
    BoxSchliesser()
    {
        QObject::connect(&takt_, &QTimer::timeout, [this] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                texte << box->text();
                box->done(QMessageBox::Ok);
            }
        });
        takt_.start(10);
    }
    QStringList texte;

private:
    QTimer takt_;
};

} // namespace

class TerminAktivierungTest : public QObject {
    Q_OBJECT

    std::unique_ptr<termintest::TerminUmgebung> u;
    std::unique_ptr<ui::testing::FakeClock> uhr;
    std::unique_ptr<termintest::FensterAttrappe> fenster;
    std::unique_ptr<TTerminFormular> form;
    std::unique_ptr<QWidget> anderes;

    // Shows the list the way the menu does and waits until it is the active window.
    void zeigen()
    {
        form->show();
        form->raise();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
    }
    // Another window of the program takes the activation.
    void woandersHin()
    {
        anderes->show();
        anderes->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(anderes.get()));
    }
    QString anzahl() const { return form->TLblTerminAnzahl->text(); }
    void faelligesFahrzeug(const QString &kfzNr)
    {
        u->fahrzeug(kfzNr, 100, {{"KfzTUEVTermin", encodeDate(2024, 3, 20)}});
    }
    void zelleWaehlen(const QString &kfzNr, const QString &feld)
    {
        QVERIFY(u->dm().TTblTermine.Locate("KfzNr", kfzNr));
        for (int c = 0; c < form->DBGrid1->columnCount(); ++c)
            if (form->DBGrid1->columnField(c)->FieldName() == feld)
                form->DBGrid1->setSelectedIndex(c);
    }

private slots:
    void initTestCase() { ui::startGerman(); }
    void init()
    {
        u = std::make_unique<termintest::TerminUmgebung>();
        uhr = std::make_unique<ui::testing::FakeClock>(encodeDate(2024, 3, 15) + 0.4);
        fenster = std::make_unique<termintest::FensterAttrappe>();
        u->schwellen(30, 1000, 10, 500);
        faelligesFahrzeug("A-1");
        fleet::TerminInfoDlg = new fleet::TTerminInfoDlg();
        form = std::make_unique<TTerminFormular>();
        fleet::TerminFormular = form.get();
        anderes = std::make_unique<QWidget>();
        anderes->setWindowTitle("Hauptfenster");
    }
    void cleanup()
    {
        anderes.reset();
        form.reset();
        fleet::TerminFormular = nullptr;
        delete fleet::TerminInfoDlg;
        fleet::TerminInfoDlg = nullptr;
        fenster.reset();
        uhr.reset();
        u.reset();
    }

    void comingBackFromItsOwnDialogKeepsTheListOtherActivationsRebuild()
    {
        ui::testing::ScriptedMessages meldungen;
        zeigen();
        QCOMPARE(anzahl(), kAnzahl.arg(1));
        faelligesFahrzeug("B-2"); // due now, not yet in the list

        // The note dialog, ended with "Abbrechen": nothing changed, no rebuild.
        zelleWaehlen("A-1", "TUEVTermin");
        bool dialogAktiv = false;
        QTimer::singleShot(0, [&] {
            dialogAktiv = QTest::qWaitForWindowActive(fleet::TerminInfoDlg);
            fleet::TerminInfoDlg->BitBtnTerminInfoAbbruch->click();
        });
        form->BtnTerminInfo->click();
        QVERIFY(dialogAktiv);
        // The window system gives the activation back to the list.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::qWait(20);
        QCOMPARE(anzahl(), kAnzahl.arg(1));
        QVERIFY(u->dm().TTblVar1.TableName().isEmpty() || !u->dm().TTblVar1.Active());

        // Back from another window: the list is read again.
        woandersHin();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(anzahl(), kAnzahl.arg(2));
        QVERIFY(meldungen.verifyDone());
    }

    void createdItLeavesTheListUntilItIsFirstShownThenBuildsItOnce()
    {
        ui::testing::ScriptedMessages meldungen;
        dbe::TTable &liste = u->dm().TTblTermine;
        QVERIFY(!liste.Active());
        QVERIFY(anzahl().isEmpty());
        int aufbauten = 0;
        // Each build empties the list, opening it exclusively for that.
        liste.AfterOpen = [&](dbe::TDataSet &) { aufbauten += liste.Exclusive() ? 1 : 0; };
        // Shown: built before the window is painted; the activation that
        // follows does not build it again.
        form->show();
        QCOMPARE(aufbauten, 1);
        QCOMPARE(anzahl(), kAnzahl.arg(1));
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::qWait(20);
        QCOMPARE(aufbauten, 1);
        // Every later activation reads the vehicles again.
        faelligesFahrzeug("B-2");
        woandersHin();
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QCOMPARE(aufbauten, 2);
        QCOMPARE(anzahl(), kAnzahl.arg(2));
        liste.AfterOpen = nullptr;
        QVERIFY(meldungen.verifyDone());
    }

    void aReaderBeforeTheFirstShowGetsTheBuiltListAndAnotherWindowFirstMeansARebuild()
    {
        ui::testing::ScriptedMessages meldungen;
        dbe::TTable &liste = u->dm().TTblTermine;
        int aufbauten = 0;
        // Each build empties the list, opening it exclusively for that.
        liste.AfterOpen = [&](dbe::TDataSet &) { aufbauten += liste.Exclusive() ? 1 : 0; };
        form->ListeBereitstellen();
        form->ListeBereitstellen();
        QCOMPARE(aufbauten, 1);
        QVERIFY(liste.Locate("KfzNr", "A-1"));
        QCOMPARE(anzahl(), kAnzahl.arg(1));
        QCOMPARE(form->TLblTerminart->text(), QString("Fällige Termine (Sicht: Alle Termine)"));
        // Built already, the list is read at the activation of its first show, as at every one.
        faelligesFahrzeug("B-2");
        zeigen();
        QCOMPARE(aufbauten, 2);
        QCOMPARE(anzahl(), kAnzahl.arg(2));
        liste.AfterOpen = nullptr;
        QVERIFY(meldungen.verifyDone());
    }

    void closedFromItsOwnHandlerAndOpenedAgainItRebuilds()
    {
        // "GeheZu" closes the list from inside its handler; the next time the
        // menu opens it, it is an activation like any other.
        ui::testing::ScriptedMessages meldungen;
        zeigen();
        QCOMPARE(anzahl(), kAnzahl.arg(1));
        zelleWaehlen("A-1", "TUEVTermin");
        form->BtnTermineGehezuStammdaten->click();
        QTRY_VERIFY(!form->isVisible());
        woandersHin();
        faelligesFahrzeug("B-2");
        zeigen();
        QCOMPARE(anzahl(), kAnzahl.arg(2));
        QVERIFY(meldungen.verifyDone());
    }

    void aFailingRebuildShowsItsBoxOnce()
    {
        // The notes table held exclusively by another workstation: the rebuild fails.
        kerntest::ZweiterArbeitsplatz anderer("exklusiv", fleet::kAliasFuhrpark, "KfzTerminInfo.db");
        QVERIFY(anderer.bereit());
        BoxSchliesser boxen;
        form->show();
        form->activateWindow();
        QTRY_COMPARE(boxen.texte.size(), 1);
        QCOMPARE(boxen.texte.first(), QString("Fehler beim Einlesen der Termine"));
        // The window system gives the activation back once the box is gone: no new attempt.
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::qWait(100);
        QCOMPARE(boxen.texte.size(), 1);
        // The next real activation tries again, once.
        woandersHin();
        form->activateWindow();
        QTRY_COMPARE(boxen.texte.size(), 2);
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form.get()));
        QTest::qWait(100);
        QCOMPARE(boxen.texte.size(), 2);
    }

    void aNoteThatCannotBeDeletedIsReportedAndKept()
    {
        u->notiz("A-1", "TTblTermineTUEVTermin", u->stammWert("A-1", "KfzTUEVTermin"));
        ui::testing::ScriptedMessages meldungen;
        zeigen();
        kerntest::ZweiterArbeitsplatz anderer("sperren", fleet::kAliasFuhrpark, "KfzTerminInfo.db");
        QVERIFY(anderer.bereit());
        faelligesFahrzeug("B-2");
        zelleWaehlen("A-1", "TUEVTermin");
        // Status "Löschen", then "S&chließen".
        QTimer::singleShot(0, [] {
            fleet::TerminInfoDlg->RadioGrpTerminInfoStatus->setItemIndex(1);
            fleet::TerminInfoDlg->BitBtnTerminInfoOk->click();
        });
        meldungen.expectError("Termin-Info konnte nicht gelöscht werden\r"
                              "Tabelle kfztermininfo ist von einem anderen Benutzer gesperrt");
        form->BtnTerminInfo->click();
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(u->notizen(), 1);
        QVERIFY(!u->dm().TTblVar1.Active());
        // Read again after the attempt: the new vehicle is there, the note still flagged.
        QCOMPARE(anzahl(), kAnzahl.arg(2));
        QVERIFY(u->dm().TTblTermine.Locate("KfzNr", "A-1"));
        QVERIFY(u->dm().TTblTermine.FieldByName("TUEVTerminInfo")->AsBoolean());
    }
};

QTEST_MAIN(TerminAktivierungTest)
#include "termin_aktivierung_test.moc"
