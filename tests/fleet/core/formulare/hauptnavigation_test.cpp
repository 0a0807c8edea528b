// The navigation set on the main window: the extender and its bar over a small client.
#include <memory>

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>

#include "base/Abort.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Table.h"
#include "formulare/HauptFormular.h"
#include "formulare/HauptNavigation.h"
#include "formulare/seiten/DispoSeite.h"
#include "formulare/seiten/StammdatenSeite.h"
#include "kern_umgebung.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/filter/FilterRecords.h"
#include "navigation/leiste/DBVNavigator.h"
#include "ui/DBEdit.h"
#include "ui/DBGrid.h"
#include "ui/DatePicker.h"
#include "ui/PageControl.h"
#include "ui/testing/ScriptedMessages.h"

using fleet::THauptFormular;

class HauptNavigationTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<fleet::TDataModule1> dm;
    std::unique_ptr<THauptFormular> fenster;
    QString ersterStatus; // as the window first showed it, before any move

    // Five vehicles, A-1 to E-5; the window shown and active on the first.
    void starten()
    {
        for (const char *nr : {"A-1", "B-2", "C-3", "D-4", "E-5"})
            kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr"},
                                    {QString::fromLatin1(nr)});
        dm = std::make_unique<fleet::TDataModule1>(&umgebung->session());
        fleet::DataModule1 = dm.get();
        fenster = std::make_unique<THauptFormular>();
        fenster->resize(900, 740);
        fenster->show();
        fenster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenster.get()));
        ersterStatus = fenster->TPanelStatus->text();
        dm->TTblMain.First();
    }
    nav::TDBVNavigator &leiste() { return *fenster->TDBVNavMain; }
    nav::TDBVexarion &extender() { return *fenster->TDBVexarionMain; }
    void klick(nav::TDBVNavigateBtn b)
    {
        QToolButton *knopf = leiste().Button(b);
        QVERIFY2(knopf && knopf->isVisible() && knopf->isEnabled(), qPrintable(nav::navigateBtnName(b)));
        knopf->click();
    }
    QString kfzNr() const { return dm->TTblMain.FieldByName("KfzNr")->AsString(); }
    void bearbeiten()
    {
        if (!fenster->Navigation().GlobalEdit())
            klick(nav::nbGlobalEdit);
        QVERIFY(fenster->Navigation().GlobalEdit());
    }

private slots:
    void init() { umgebung = std::make_unique<kerntest::Umgebung>(); }
    void cleanup()
    {
        fenster.reset();
        fleet::DataModule1 = nullptr;
        dm.reset();
        umgebung.reset();
        fleet::NurLesen = false;
    }

    void theBarShowsTheWindowsButtonsWithTheirHints()
    {
        starten();
        using namespace nav;
        for (int b = 0; b < kNavigateBtnCount; ++b) {
            const bool sichtbar =
                QList<int>{nbSearch, nbSearchInc, nbSearchNext, nbSetBookmark, nbGotoBookmark, nbTableView,
                           nbFirst,  nbPrior,     nbNext,       nbLast,        nbInsert,       nbDelete,
                           nbPost,   nbCancel,    nbDupRecord,  nbGlobalEdit}
                    .contains(b);
            QCOMPARE(leiste().Button(TDBVNavigateBtn(b))->isVisibleTo(&leiste()), sichtbar);
        }
        QCOMPARE(leiste().Button(nbFirst)->size(), QSize(33, 25));
        QVERIFY(leiste().Button(nbSearch)->toolTip().startsWith("Feldwert suchen ["));
        QCOMPARE(leiste().Hints().value(nbLast), QString("Letztes Fahrzeug zeigen"));
        QCOMPARE(leiste().Hints().value(nbDupRecord),
                 QString("Aktuelle Fahrzeugdaten in neues Fahrzeug kopieren"));
        QVERIFY(leiste().Hints().value(nbRefresh).isEmpty());
        // The table view of the vehicles browses and searches.
        TFormEventRec tabelle;
        tabelle.FormType = sfTableView;
        tabelle.VisBtnsRecord = 0x1F;
        fenster->TDBVexarionMainSpecialForm(tabelle);
        QCOMPARE(tabelle.VisBtnsSearch,
                 TSrchNavBtns(navBit(snbSearch) | navBit(snbSearchInc) | navBit(snbSearchNext) |
                              navBit(snbSetBookmark) | navBit(snbGotoBookmark) | navBit(snbActiveFilter) |
                              navBit(snbIndexSelect)));
        QCOMPARE(tabelle.VisBtnsMove,
                 TMoveNavBtns(navBit(mnbFirst) | navBit(mnbPrior) | navBit(mnbNext) | navBit(mnbLast)));
        QCOMPARE(tabelle.VisBtnsExtend, TExtNavBtns(navBit(enbMemoView)));
        QCOMPARE(tabelle.VisBtnsRecord, TRecordNavBtns(0x1F));
        TFormEventRec suche;
        suche.FormType = sfSearch;
        fenster->TDBVexarionMainSpecialForm(suche);
        QCOMPARE(suche.VisBtnsSearch, TSrchNavBtns(0));
        // Status without the table's caption, from the first showing on.
        QCOMPARE(ersterStatus, QString("1 von 5"));
        QCOMPARE(fenster->TPanelStatus->text(), QString("1 von 5"));
    }

    void commandsThroughTheBarActOnTheVehicles()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        klick(nav::nbLast);
        QCOMPARE(kfzNr(), QString("E-5"));
        klick(nav::nbPrior);
        QCOMPARE(kfzNr(), QString("D-4"));
        klick(nav::nbFirst);
        QCOMPARE(kfzNr(), QString("A-1"));
        klick(nav::nbNext);
        QCOMPARE(kfzNr(), QString("B-2"));
        // Read mode: no insert, no delete.
        QVERIFY(!fenster->Navigation().GlobalEdit());
        QVERIFY(!leiste().Button(nav::nbInsert)->isEnabled());
        QCOMPARE(fenster->TPaGlobalEdit->text(), QString("Lesen"));

        bearbeiten();
        QCOMPARE(fenster->TPaGlobalEdit->text(), QString("Ändern"));
        klick(nav::nbInsert);
        QCOMPARE(dm->TTblMain.State(), dbe::TDataSetState::dsInsert);
        QVERIFY(!fenster->Stammdaten().EditKfzNr->isReadOnly());
        klick(nav::nbCancel);
        QCOMPARE(dm->TTblMain.State(), dbe::TDataSetState::dsBrowse);
        QCOMPARE(dm->TTblMain.RecordCount(), 5);

        // Delete asks with OK and Cancel; Cancel keeps the vehicle.
        const QString frage = "Möchten Sie dieses Fahrzeug wirklich löschen.";
        meldungen.expectConfirm(frage, false);
        klick(nav::nbDelete);
        QCOMPARE(dm->TTblMain.RecordCount(), 5);
        meldungen.expectConfirm(frage, true);
        klick(nav::nbDelete);
        QCOMPARE(dm->TTblMain.RecordCount(), 4);
        QVERIFY(!dm->TTblMain.FindKey({QString("B-2")}));

        // A copy of the current vehicle waits for its new number.
        dm->TTblMain.First();
        meldungen.expectInformation("Bitte geben Sie anschließend das neue Kennzeichen ein!");
        klick(nav::nbDupRecord);
        QCOMPARE(dm->TTblMain.State(), dbe::TDataSetState::dsInsert);
        QVERIFY(fenster->Stammdaten().EditKfzNr->text().isEmpty());
        QTest::keyClicks(fenster->Stammdaten().EditKfzNr, "F-6");
        klick(nav::nbPost);
        QCOMPARE(dm->TTblMain.RecordCount(), 5);
        QVERIFY(dm->TTblMain.FindKey({QString("F-6")}));
        QVERIFY(meldungen.verifyDone());
    }

    void menuCommandsRunTheBeforeAndAfterEventsLikeClicks()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        fenster->Navigation().ClickNavButton(nav::nbLast);
        QCOMPARE(kfzNr(), QString("E-5"));
        fleet::NurLesen = true;
        meldungen.expectInformation("Sie haben nur Leserechte!");
        QVERIFY_THROWS_EXCEPTION(base::SilentAbort, fenster->Navigation().ClickNavButton(nav::nbGlobalEdit));
        QVERIFY(!fenster->Navigation().GlobalEdit());
        QCOMPARE(fenster->TPaGlobalEdit->text(), QString("Lesen"));
        QVERIFY(meldungen.verifyDone());
    }

    void globalEditLocksExactlyTheEditableControls()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        auto *marke = fenster->findChild<ui::DBEdit *>("EditKfzMarke");
        QVERIFY(marke);
        ui::DatePicker *von = fenster->Dispo().DateTimePckDisposition;
        ui::DatePicker *bis = fenster->Dispo().DateTimePckDispositionBis;
        // Read mode since the window was shown.
        QVERIFY(marke->isReadOnly());
        QVERIFY(!von->isReadOnly());
        QVERIFY(!bis->isReadOnly());
        QVERIFY(fenster->Stammdaten().EditKfzNr->isReadOnly());
        QVERIFY(fenster->DBEditKopfzeileKfznr->isReadOnly());

        bearbeiten();
        QVERIFY(!marke->isReadOnly());
        QVERIFY(!von->isReadOnly());
        // Still locked: the registration number of an existing vehicle and the header.
        QVERIFY(fenster->Stammdaten().EditKfzNr->isReadOnly());
        QVERIFY(fenster->DBEditKopfzeileKfznr->isReadOnly());

        // A round trip that starts during an insert: read mode posts first.
        klick(nav::nbInsert);
        QTest::keyClicks(fenster->Stammdaten().EditKfzNr, "G-7");
        klick(nav::nbGlobalEdit);
        QVERIFY(!fenster->Navigation().GlobalEdit());
        QVERIFY(dm->TTblMain.FindKey({QString("G-7")}) || kfzNr() == "G-7");
        QVERIFY(fenster->Stammdaten().EditKfzNr->isReadOnly());
        QVERIFY(!von->isReadOnly());
        bearbeiten();
        QVERIFY(fenster->Stammdaten().EditKfzNr->isReadOnly());
        QVERIFY(!marke->isReadOnly());
        QVERIFY(meldungen.verifyDone());
    }

    void aReopenedTableDropsItsDeadFilter()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        nav::TFilterDefinition def;
        def[0] = nav::TFilterZeile{QStringLiteral("KfzNr"), nav::opGt, QStringLiteral("C-3"), 0};
        extender().ApplyTableFilterDef(&dm->TTblMain, def, 1, true);
        QCOMPARE(extender().TableFilterState(&dm->TTblMain), nav::kFilterActive);
        QVERIFY(fenster->Navigation().FilterAktiv());
        QCOMPARE(dm->TTblMain.RecordCount(), 2);

        dm->TTblMain.Close();
        dm->TTblMain.Open();
        QCOMPARE(extender().TableFilterState(&dm->TTblMain), std::uint8_t(1));
        QVERIFY(!fenster->Navigation().FilterAktiv());
        QVERIFY(!extender().Possible()[nav::nbActiveFilter]);
        QCOMPARE(dm->TTblMain.RecordCount(), 5);
        // Switching off what is no longer there raises nothing.
        extender().SetTableFilterActive(&dm->TTblMain, 0);
        QCOMPARE(dm->TTblMain.RecordCount(), 5);
        QVERIFY(meldungen.verifyDone());
    }

    void keysOfTheWindowRunTheNavigatorsCommands()
    {
        for (int tour = 1; tour <= 60; ++tour)
            kerntest::zeileAnfuegen(
                umgebung->session(), fleet::kAliasFuhrpark, "KfzTour.db", {"KfzNr", "Datum", "Tour"},
                {QString("A-1"), base::encodeDate(2024, 1, 1) + tour, QString::number(tour)});
        starten();
        ui::testing::ScriptedMessages meldungen;
        auto *marke = fenster->findChild<ui::DBEdit *>("EditKfzMarke");
        QVERIFY(marke);
        marke->setFocus();

        // Ctrl+S opens the search dialog.
        QString gesehen;
        // Polls until the dialog is up, then cancels it.
        QTimer warten;
        warten.setInterval(20);
        QObject::connect(&warten, &QTimer::timeout, [&gesehen, &warten] {
            auto *f = qobject_cast<ui::FormBase *>(QApplication::activeModalWidget());
            if (!f)
                return;
            gesehen = QString::fromLatin1(f->metaObject()->className());
            warten.stop();
            f->setModalResult(ui::mrCancel);
        });
        warten.start();
        QTest::keyClick(marke, Qt::Key_S, Qt::ControlModifier);
        warten.stop();
        QCOMPARE(gesehen, QString("nav::TSrchForm"));
        fenster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenster.get()));
        marke->setFocus();

        // PgDn moves to the next vehicle; Ctrl+K 2 marks it, Ctrl+Q 2 returns to it.
        QTest::keyClick(marke, Qt::Key_PageDown);
        QCOMPARE(kfzNr(), QString("B-2"));
        QTest::keyClick(marke, Qt::Key_K, Qt::ControlModifier);
        QTest::keyClick(marke, Qt::Key_2, Qt::NoModifier);
        klick(nav::nbLast);
        QCOMPARE(kfzNr(), QString("E-5"));
        marke->setFocus();
        QTest::keyClick(marke, Qt::Key_Q, Qt::ControlModifier);
        QTest::keyClick(marke, Qt::Key_2, Qt::NoModifier);
        QCOMPARE(kfzNr(), QString("B-2"));

        // F9 switches global edit; a read-only workstation is told and stays in read mode.
        QTest::keyClick(marke, Qt::Key_F9);
        QVERIFY(fenster->Navigation().GlobalEdit());
        QCOMPARE(fenster->TPaGlobalEdit->text(), QString("Ändern"));
        QTest::keyClick(marke, Qt::Key_F9);
        QVERIFY(!fenster->Navigation().GlobalEdit());
        fleet::NurLesen = true;
        meldungen.expectInformation("Sie haben nur Leserechte!");
        QTest::keyClick(marke, Qt::Key_F9);
        QVERIFY(!fenster->Navigation().GlobalEdit());
        QCOMPARE(fenster->TPaGlobalEdit->text(), QString("Lesen"));
        fleet::NurLesen = false;

        // In a detail grid PgDn scrolls the grid and leaves the vehicle.
        klick(nav::nbFirst);
        fenster->PageCtrlMain->setActivePage(fenster->TabTouren);
        auto *raster = fenster->findChild<ui::DBGrid *>("TDBGridTouren");
        QVERIFY(raster);
        QVERIFY(dm->TTblTouren.RecordCount() == 60);
        raster->setFocus();
        dm->TTblTouren.First();
        QTest::keyClick(raster, Qt::Key_PageDown);
        QCOMPARE(kfzNr(), QString("A-1"));
        QVERIFY(dm->TTblTouren.FieldByName("Tour")->AsString() != QString("1"));
        QVERIFY(meldungen.verifyDone());
    }
};

QTEST_MAIN(HauptNavigationTest)
#include "hauptnavigation_test.moc"
