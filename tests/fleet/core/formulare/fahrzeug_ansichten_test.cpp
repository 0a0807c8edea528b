// The vehicles in the navigation set's own views, opened from the main window:
// the table view with the stored column order and the single-record view
// over every field of the vehicle master.
#include <memory>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPointer>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <QToolButton>
#include <functional>

#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "dbe/Field.h"
#include "formulare/HauptFormular.h"
#include "kern_umgebung.h"
#include "navigation/ansichten/SingleRecViewForm.h"
#include "navigation/ansichten/TableViewForm.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "navigation/erweiterung/TableDefs.h"
#include "navigation/leiste/DBVNavigator.h"
#include "ui/DBGrid.h"
#include "ui/testing/ScriptedMessages.h"

using fleet::THauptFormular;

class FahrzeugAnsichtenTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<fleet::TDataModule1> dm;
    std::unique_ptr<THauptFormular> fenster;

    void starten()
    {
        for (const char *nr : {"A-1", "B-2"})
            kerntest::zeileAnfuegen(
                umgebung->session(), fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr", "Info", "KfzMarke"},
                {QString::fromLatin1(nr), QStringLiteral("Kühlwagen"), QStringLiteral("Büssing")});
        dm = std::make_unique<fleet::TDataModule1>(&umgebung->session());
        fleet::DataModule1 = dm.get();
        fenster = std::make_unique<THauptFormular>();
        fleet::HauptFormular = fenster.get();
        fenster->resize(900, 740);
        fenster->show();
        fenster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenster.get()));
        dm->TTblMain.First();
    }
    nav::TTableDefs &defs() { return *fenster->TDBVexarionMain->TableDefsOf(&dm->TTblMain); }
    // Runs `pruefen` on the modal view of type T once it is up, then closes it;
    // false when none came.
    template <class T>
    bool imFenster(const std::function<void(T &)> &pruefen, const std::function<void()> &oeffnen)
    {
        bool gesehen = false;
        QTimer warten;
        warten.setInterval(10);
        QObject::connect(&warten, &QTimer::timeout, [&] {
            auto *f = qobject_cast<T *>(QApplication::activeModalWidget());
            if (!f || !f->isVisible())
                return;
            warten.stop();
            gesehen = true;
            settle();
            pruefen(*f);
            f->close();
        });
        warten.start();
        oeffnen();
        warten.stop();
        return gesehen;
    }
    static void settle()
    {
        for (int i = 0; i < 3; ++i) {
            QApplication::processEvents();
            QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

private slots:
    void init() { umgebung = std::make_unique<kerntest::Umgebung>(); }
    void cleanup()
    {
        fleet::HauptFormular = nullptr;
        fenster.reset();
        fleet::DataModule1 = nullptr;
        dm.reset();
        umgebung.reset();
        fleet::SpaltenpositionenGeladen.clear();
    }

    void theVehiclesTableViewShowsTheStoredColumnOrder()
    {
        // Stored on an earlier run: "Info" first, "KfzMarke" second.
        for (const auto &[feld, stelle] : {std::pair{"KfzMarke", 1}, std::pair{"Info", 0}})
            kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrparkPriv, "FeldPos.db",
                                    {"TabKz", "FeldName", "FeldPosNeu"},
                                    {"Main", QString::fromLatin1(feld), stelle});
        starten();
        ui::testing::ScriptedMessages meldungen;
        QToolButton *knopf = fenster->TDBVNavMain->Button(nav::nbTableView);
        QVERIFY(knopf && knopf->isVisible() && knopf->isEnabled());
        QStringList spalten;
        int anzahl = 0;
        QVERIFY(imFenster<nav::TTableViewForm>(
            [&](nav::TTableViewForm &ansicht) {
                ui::DBGrid *grid = ansicht.TblGrid;
                for (int c = 0; c < 3; ++c)
                    spalten << grid->columnField(c)->FieldName();
                anzahl = grid->columnCount();
                ansicht.grab().save(QDir::tempPath() + "/fahrzeuge_tabelle.png");
            },
            [&] { knopf->click(); }));
        QCOMPARE(spalten, QStringList({"Info", "KfzMarke", "KfzNr"}));
        QCOMPARE(anzahl, dm->TTblMain.FieldCount());
        QVERIFY(meldungen.verifyDone());
    }

    void theSingleRecordViewOfTheVehiclesShowsEveryField()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        const int felder = dm->TTblMain.FieldCount();
        QVERIFY(felder > 80);
        // Modeless on the main window: it stays open beside it.
        fenster->TDBVexarionMain->HandleNBBtn(nav::nbSingleRecView, 0, 0);
        settle();
        QPointer<nav::TSingleRecViewForm> ansicht = defs().SingleRecView();
        QVERIFY(ansicht && ansicht->isVisible());
        const QString titel = ansicht->windowTitle();
        QCOMPARE(ansicht->Controls.size(), felder);
        QCOMPARE(ansicht->Labels.size(), felder);
        QSet<QString> gebunden;
        for (QWidget *c : ansicht->Controls)
            gebunden.insert(c->property("dataField").toString());
        const int nr = static_cast<int>(ansicht->Fields.indexOf(dm->TTblMain.FieldByName("KfzNr")));
        const QString kfzNr = ansicht->Controls[nr]->property("text").toString();
        ansicht->resize(900, 600);
        settle();
        QStringList fehler; // what was wrong, per layout
        for (QAction *art :
             {ansicht->piHoriz, ansicht->piVertTop, ansicht->piVertLeftLeft, ansicht->piVertLeftRight}) {
            ansicht->LayoutItemClick(art);
            settle();
            // Every control shown, none on top of another, none outside the scrolled area.
            QList<QRect> plaetze;
            for (int i = 0; i < felder; ++i) {
                const QWidget *c = ansicht->Controls[i];
                const QRect g = c->geometry();
                const QString wo = art->text() + ": " + ansicht->Labels[i]->text();
                if (!c->isVisibleTo(ansicht) || g.isEmpty())
                    fehler << wo + " nicht sichtbar";
                if (g.right() > ansicht->ScrollContent->width() ||
                    g.bottom() > ansicht->ScrollContent->height())
                    fehler << wo + " ausserhalb";
                for (const QRect &r : std::as_const(plaetze))
                    if (r.intersects(g))
                        fehler << wo + " ueberdeckt";
                plaetze << g;
            }
            ansicht->grab().save(QDir::tempPath() + "/fahrzeuge_einzel_" + QString::number(plaetze.size()) +
                                 "_" + QString::number(static_cast<int>(ansicht->Options.Layout)) + ".png");
        }
        ansicht->close();
        settle();
        QCOMPARE(titel, QString("Einzeldatensatzansicht [Stammdaten]"));
        QCOMPARE(fehler, QStringList());
        QCOMPARE(gebunden.size(), felder);
        QVERIFY(gebunden.contains("KfzNr") && gebunden.contains("Memo") &&
                gebunden.contains("FreierTermin14"));
        QCOMPARE(kfzNr, QString("A-1"));
        QVERIFY(meldungen.verifyDone());
    }
};

QTEST_MAIN(FahrzeugAnsichtenTest)
#include "fahrzeug_ansichten_test.moc"
