// The main window's navigation across a client switch, and its index key.
#include <memory>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QTest>
#include <QTimer>

#include "AufzeichnendeDienste.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "dbe/Field.h"
#include "dbe/Table.h"
#include "formulare/HauptFormular.h"
#include "formulare/HauptNavigation.h"
#include "formulare/MandantenFormular.h"
#include "kern_umgebung.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/filter/FilterRecords.h"
#include "navigation/leiste/DBVNavigator.h"
#include "ui/DBEdit.h"
#include "ui/testing/ScriptedMessages.h"

using fleet::THauptFormular;

class NavigationMandantTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<fleet::TDataModule1> dm;
    std::unique_ptr<THauptFormular> fenster;
    std::unique_ptr<fleet::testing::AufzeichnendeTerminDienste> termine;

    dbe::TSession &s() { return umgebung->session(); }
    nav::TDBVexarion &extender() { return *fenster->TDBVexarionMain; }
    QStringList kennzeichen()
    {
        QStringList nr;
        for (dm->TTblMain.First(); !dm->TTblMain.Eof(); dm->TTblMain.Next())
            nr << dm->TTblMain.FieldByName("KfzNr")->AsString();
        return nr;
    }
    void starten()
    {
        for (const char *nr : {"A-1", "B-2", "C-3", "D-4"})
            kerntest::zeileAnfuegen(
                s(), fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr", "Gruppe"},
                {QString::fromLatin1(nr), QString::fromLatin1(nr[0] < 'C' ? "PKW" : "LKW")});
        dm = std::make_unique<fleet::TDataModule1>(&s());
        fleet::DataModule1 = dm.get();
        fenster = std::make_unique<THauptFormular>();
        fenster->resize(900, 740);
        fenster->show();
        fenster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenster.get()));
        dm->TTblMain.First();
    }

private slots:
    void init()
    {
        umgebung = std::make_unique<kerntest::Umgebung>();
        termine = std::make_unique<fleet::testing::AufzeichnendeTerminDienste>();
    }
    void cleanup()
    {
        fenster.reset();
        fleet::DataModule1 = nullptr;
        dm.reset();
        termine.reset();
        umgebung.reset();
    }

    void aClientSwitchLeavesNoVehicleFilterBehind()
    {
        // The other client has two vehicles of its own.
        s().AddStandardAlias("Mandant3Daten", umgebung->daten() + "/Datenbk3");
        {
            dbe::TTable t(&s());
            t.SetDatabaseName("Mandant3Daten");
            t.SetTableName("KfzStamm.db");
            t.CreateTable(s().FindTableDef(fleet::kAliasFuhrpark, "KfzStamm.db"));
            t.Open();
            for (const char *nr : {"X-8", "Y-9"}) {
                t.Append();
                t.FieldByName("KfzNr")->SetAsString(QString::fromLatin1(nr));
                t.FieldByName("Gruppe")->SetAsString("PKW");
                t.Post();
            }
        }
        starten();
        ui::testing::ScriptedMessages meldungen;
        meldungen.expectInformation("Achtung - ein Filter wurde eingeschaltet - Sie können ihn über das Menü "
                                    "<Bearbeiten> <Filter aus> wieder ausschalten\r\r"
                                    "Anzahl Fahrzeuge mit entsprechender Gruppe: 2");
        fenster->findChild<QAction *>("Gruppe1")->trigger();
        QVERIFY(fenster->Navigation().FilterAktiv());
        QCOMPARE(kennzeichen(), QStringList({"A-1", "B-2"}));

        fleet::TMandantenFormular mandanten;
        mandanten.show();
        mandanten.FormActivate();
        QVERIFY(dm->TblMandanten.Locate("Mandant", "Mandant3"));
        mandanten.BtnMandantWechseln->click();
        QVERIFY(!mandanten.isVisible());

        QCOMPARE(extender().TableFilterState(&dm->TTblMain), std::uint8_t(1));
        QVERIFY(!fenster->Navigation().FilterAktiv());
        QVERIFY(!extender().Possible()[nav::nbActiveFilter]);
        QCOMPARE(fenster->TPanelFilter->text(), QString());
        QCOMPARE(kennzeichen(), QStringList({"X-8", "Y-9"}));
        // The bar goes on working on the new client.
        dm->TTblMain.First();
        fenster->TDBVNavMain->Button(nav::nbLast)->click();
        QCOMPARE(dm->TTblMain.FieldByName("KfzNr")->AsString(), QString("Y-9"));
        QCOMPARE(fenster->TPanelStatus->text(), QString("2 von 2"));

        // And back: all of the first client's vehicles, no filter.
        mandanten.show();
        mandanten.FormActivate();
        QVERIFY(dm->TblMandanten.Locate("Mandant", "Mandant1"));
        mandanten.BtnMandantWechseln->click();
        QCOMPARE(extender().TableFilterState(&dm->TTblMain), std::uint8_t(1));
        QCOMPARE(kennzeichen(), QStringList({"A-1", "B-2", "C-3", "D-4"}));
        QVERIFY(meldungen.verifyDone());
    }

    void theVehiclesHaveOneOrderSoTheIndexKeyOffersNoPopup()
    {
        // The vehicle master has its primary order only: a popup with one
        // entry would choose nothing.
        starten();
        ui::testing::ScriptedMessages meldungen;
        QVERIFY(!extender().Possible()[nav::nbIndexSelect]);
        auto *marke = fenster->findChild<ui::DBEdit *>("EditKfzMarke");
        QVERIFY(marke);
        marke->setFocus();
        bool popup = false;
        QTimer warten;
        warten.setInterval(10);
        QObject::connect(&warten, &QTimer::timeout, [&] {
            if (auto *menue = qobject_cast<QMenu *>(QApplication::activePopupWidget())) {
                popup = true;
                menue->close();
            }
        });
        warten.start();
        QTest::keyClick(marke, Qt::Key_X, Qt::ControlModifier);
        QTest::qWait(50);
        QVERIFY(!popup);
        QCOMPARE(dm->TTblMain.IndexName(), QString());
        QCOMPARE(kennzeichen(), QStringList({"A-1", "B-2", "C-3", "D-4"}));
        QVERIFY(meldungen.verifyDone());
    }
};

QTEST_MAIN(NavigationMandantTest)
#include "navigation_mandant_test.moc"
