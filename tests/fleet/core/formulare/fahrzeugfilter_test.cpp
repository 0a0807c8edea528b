// The main window's menu on the real navigation set: the vehicle filters, the
// filter panel, the hand-over to the evaluations, the edit menu and the
// openers of other forms, over a small client.
#include <memory>
#include <stdexcept>

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>

#include "AufzeichnendeDienste.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "dbe/Session.h"
#include "dbe/Table.h"
#include "formulare/HauptFormular.h"
#include "formulare/HauptNavigation.h"
#include "formulare/seiten/DispoSeite.h"
#include "kern_umgebung.h"
#include "navigation/erweiterung/DBVexarion.h"
#include "regeln/AuswertungFilter.h"
#include "temp_dir.h"
#include "ui/DBEdit.h"
#include "ui/PageControl.h"
#include "ui/RadioGroup.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using fleet::THauptFormular;

namespace {

const QString kAchtung = "Achtung - ein Filter wurde eingeschaltet - Sie können ihn über das Menü "
                         "<Bearbeiten> <Filter aus> wieder ausschalten\r\r";

struct Fahrzeug {
    const char *nr, *info, *gruppe, *kostenstelle, *leasing;
};

} // namespace

class FahrzeugFilterTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<fleet::TDataModule1> dm;
    std::unique_ptr<THauptFormular> fenster;
    std::unique_ptr<fleet::testing::AufzeichnendeTerminDienste> termine;

    void starten(const QList<Fahrzeug> &fahrzeuge)
    {
        for (const Fahrzeug &f : fahrzeuge)
            kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzStamm.db",
                                    {"KfzNr", "Info", "Gruppe", "Kostenstelle", "NameLeasingges"},
                                    {QString::fromUtf8(f.nr), QString::fromUtf8(f.info),
                                     QString::fromUtf8(f.gruppe), QString::fromUtf8(f.kostenstelle),
                                     QString::fromUtf8(f.leasing)});
        dm = std::make_unique<fleet::TDataModule1>(&umgebung->session());
        fleet::DataModule1 = dm.get();
        fenster = std::make_unique<THauptFormular>();
        fenster->resize(900, 740);
        fenster->show();
        fenster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenster.get()));
    }
    // Five vehicles; "" is a blank field.
    void fuhrpark()
    {
        starten({{"A-1", "Reserve", "PKW", "100", ""},
                 {"B-2", "", "PKW", "200", "LeasCo"},
                 {"C-3", "Reserve", "LKW", "100", "LeasCo"},
                 {"D-4", "", "LKW", "100", ""},
                 {"E-5", "", "Bus", "", "Auto-Leas"}});
    }
    void aufFahrzeug(const QString &nr) { QVERIFY(dm->TTblMain.Locate("KfzNr", nr)); }
    QAction *aktion(const char *name) { return fenster->findChild<QAction *>(QString::fromLatin1(name)); }
    QStringList kennzeichen()
    {
        QStringList nr;
        for (dm->TTblMain.First(); !dm->TTblMain.Eof(); dm->TTblMain.Next())
            nr << dm->TTblMain.FieldByName("KfzNr")->AsString();
        return nr;
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

    void eachMenuFilterKeepsTheVehiclesThatShareTheValue_data()
    {
        QTest::addColumn<QString>("aktion");
        QTest::addColumn<QString>("aktuell");
        QTest::addColumn<QString>("feld");
        QTest::addColumn<int>("op");
        QTest::addColumn<QString>("wert");
        QTest::addColumn<QString>("bezeichnung");
        QTest::addColumn<QString>("zaehlText");
        QTest::addColumn<QStringList>("bleiben");
        QTest::newRow("Info") << "Info1"
                              << "A-1"
                              << "Info" << 3 << "Reserve"
                              << "Info"
                              << "Anzahl Fahrzeuge mit entsprechender Info: 2" << QStringList{"A-1", "C-3"};
        QTest::newRow("leere Info") << "Info1"
                                    << "B-2"
                                    << "Info" << 3 << ""
                                    << "Info"
                                    << "Anzahl Fahrzeuge mit entsprechender Info: 3"
                                    << QStringList{"B-2", "D-4", "E-5"};
        QTest::newRow("Gruppe") << "Gruppe1"
                                << "C-3"
                                << "Gruppe" << 3 << "LKW"
                                << "Gruppe"
                                << "Anzahl Fahrzeuge mit entsprechender Gruppe: 2"
                                << QStringList{"C-3", "D-4"};
        QTest::newRow("Kostenstelle") << "KoststStandort1"
                                      << "A-1"
                                      << "Kostenstelle" << 3 << "100"
                                      << "KstSt./Standort"
                                      << "Anzahl Fahrzeuge mit entsprechender Kostenstelle/Standort: 3"
                                      << QStringList{"A-1", "C-3", "D-4"};
        QTest::newRow("alle Leasing") << "AlleLeasingfahrzeuge1"
                                      << "A-1"
                                      << "NameLeasingges" << 2 << ""
                                      << "Alle Leas.fahrzg."
                                      << "Anzahl Leasing-Fahrzeuge: 3" << QStringList{"B-2", "C-3", "E-5"};
        QTest::newRow("keine Leasing") << "KeineLeasingfahrzeuge1"
                                       << "B-2"
                                       << "NameLeasingges" << 1 << ""
                                       << "Keine Leas.fahrzg."
                                       << "Anzahl eigene Fahrzeuge: 2" << QStringList{"A-1", "D-4"};
        QTest::newRow("Gesellschaft")
            << "Leasinggesellschaft1"
            << "B-2"
            << "NameLeasingges" << 3 << "LeasCo"
            << "Leasinggesellsch."
            << "Anzahl Fahrzeuge der Leasinggesellschaft LeasCo: 2" << QStringList{"B-2", "C-3"};
    }
    void eachMenuFilterKeepsTheVehiclesThatShareTheValue()
    {
        QFETCH(QString, aktion);
        QFETCH(QString, aktuell);
        QFETCH(QString, feld);
        QFETCH(int, op);
        QFETCH(QString, wert);
        QFETCH(QString, bezeichnung);
        QFETCH(QString, zaehlText);
        QFETCH(QStringList, bleiben);
        fuhrpark();
        ui::testing::ScriptedMessages meldungen;
        aufFahrzeug(aktuell);
        meldungen.expectInformation(kAchtung + zaehlText);
        this->aktion(qPrintable(aktion))->trigger();
        QVERIFY(meldungen.verifyDone());
        const nav::TFilterZeile &zeile = fenster->FilterBedingung[0];
        QCOMPARE(zeile.FeldName, feld);
        QCOMPARE(zeile.Operator, op);
        QCOMPARE(zeile.Wert, wert);
        QCOMPARE(zeile.Verknuepfung, 0);
        QCOMPARE(fenster->FilterBezeichnung, bezeichnung);
        QVERIFY(fenster->Navigation().FilterAktiv());
        QCOMPARE(fenster->TPanelFilter->text(), bezeichnung);
        QCOMPARE(kennzeichen(), bleiben);

        // A click on the panel switches the filter off.
        QTest::mouseClick(fenster->TPanelFilter, Qt::LeftButton);
        QVERIFY(!fenster->Navigation().FilterAktiv());
        QCOMPARE(fenster->TPanelFilter->text(), QString());
        QCOMPARE(dm->TTblMain.RecordCount(), 5);
    }

    void aFilterThatLeavesNoVehicleIsReportedAndRemoved()
    {
        starten({{"A-1", "", "PKW", "100", ""}, {"B-2", "x", "PKW", "100", ""}});
        ui::testing::ScriptedMessages meldungen;
        meldungen.expectInformation("Alle Leas.fahrzg.- zur Zeit keine Fahrzeuge nach Filter.");
        aktion("AlleLeasingfahrzeuge1")->trigger();
        QVERIFY(meldungen.verifyDone());
        QVERIFY(!fenster->Navigation().FilterAktiv());
        QCOMPARE(dm->TTblMain.RecordCount(), 2);
        QCOMPARE(fenster->TPanelFilter->text(), QString());
    }

    void theEvaluationsGetTheFilterOrSwitchItOff_data()
    {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<bool>("ausschalten");
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("wert");
        QTest::newRow("ohne Filter") << "" << false << ""
                                     << "";
        QTest::newRow("Ja schaltet aus") << "Gruppe1" << true << ""
                                         << "";
        QTest::newRow("Gruppe") << "Gruppe1" << false << "Gruppe"
                                << "LKW";
        QTest::newRow("Info") << "Info1" << false << "Info"
                              << "Reserve";
        QTest::newRow("Kostenstelle") << "KoststStandort1" << false << "KstSt./Standort"
                                      << "100";
        QTest::newRow("Gesellschaft") << "Leasinggesellschaft1" << false << "Leasinggesellsch."
                                      << "LeasCo";
        QTest::newRow("alle Leasing") << "AlleLeasingfahrzeuge1" << false << "Alle Leas.fahrzg."
                                      << "";
    }
    void theEvaluationsGetTheFilterOrSwitchItOff()
    {
        QFETCH(QString, filter);
        QFETCH(bool, ausschalten);
        QFETCH(QString, name);
        QFETCH(QString, wert);
        fuhrpark();
        kerntest::MeldungsRekorder alleOk;
        aufFahrzeug("C-3");
        if (!filter.isEmpty()) {
            aktion(qPrintable(filter))->trigger();
            QVERIFY(fenster->Navigation().FilterAktiv());
            aufFahrzeug("C-3");
        }
        ui::testing::ScriptedMessages meldungen;
        if (!filter.isEmpty())
            meldungen.expectWarningQuestion(
                "ACHTUNG - der eingeschaltete Filter beeinflußt die Daten im folgenden Formular.\rWenn "
                "dieses "
                "von Ihnen nicht beabsichtigt ist, sollte der Filter ausgeschaltet werden.\rMöchten Sie den "
                "Filter jetzt ausschalten?",
                ausschalten);
        fleet::AuswertungFilterName = fleet::AuswertungFilterWert = "alt";
        aktion("FuhrparkKostenErtrag1")->trigger();
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(fleet::AuswertungFilterName, name);
        QCOMPARE(fleet::AuswertungFilterWert, wert);
        QCOMPARE(fenster->Navigation().FilterAktiv(), !filter.isEmpty() && !ausschalten);
        QCOMPARE(termine->aufrufe, QStringList{"FuhrparkKostenZeigen"});
    }

    void aDialogFilterShowsTheLastMenuFiltersCaption()
    {
        fuhrpark();
        kerntest::MeldungsRekorder alleOk;
        nav::TFilterDefinition def;
        def[0] = nav::TFilterZeile{"KfzNr", nav::opGt, "B-2", 0};
        fenster->TDBVexarionMain->ApplyTableFilterDef(&dm->TTblMain, def, 1, true);
        QVERIFY(fenster->Navigation().FilterAktiv());
        QCOMPARE(fenster->TPanelFilter->text(), QString());
        aktion("Gruppe1")->trigger();
        aktion("Filtereinaus1")->trigger();
        QVERIFY(!fenster->Navigation().FilterAktiv());
        fenster->TDBVexarionMain->ApplyTableFilterDef(&dm->TTblMain, def, 1, true);
        QCOMPARE(fenster->TPanelFilter->text(), QString("Gruppe"));
    }

    void theDispatchChartOpensForAtMost2000Bookings()
    {
        fuhrpark();
        ui::testing::ScriptedMessages meldungen;
        fenster->Dispo().SichtSetzen(0);
        fenster->Dispo().FahrzeugAuswahlSetzen(1);
        dbe::TTable &dispo = dm->TTblDispo;
        dispo.Refresh();
        QVERIFY(dispo.IsEmpty());
        meldungen.expectInformation("Es werden zurzeit keine Dispositionen angezeigt");
        fenster->BtnExtGrafikClick();
        QVERIFY(meldungen.verifyDone());

        {
            dbe::TTable buchungen(&umgebung->session());
            buchungen.SetDatabaseName(fleet::kAliasFuhrpark);
            buchungen.SetTableName("KfzDispo.DB");
            buchungen.Open();
            dbe::TTransaction t(umgebung->session(), fleet::kAliasFuhrpark);
            for (int i = 0; i < 2001; ++i) {
                buchungen.Append();
                buchungen.FieldByName("Kfznr")->SetAsString("A-1");
                buchungen.FieldByName("DatumVon")->SetAsDateTime(base::encodeDate(2020, 1, 1) + i);
                buchungen.FieldByName("DatumBis")->SetAsDateTime(base::encodeDate(2020, 1, 1) + i);
                buchungen.Post();
            }
            t.Commit();
        }
        dispo.Refresh();
        QCOMPARE(dispo.RecordCount(), 2001);
        meldungen.expectError(
            "Fehler bei der Initialisierung der Grafik - zu viele Fahrzeug-Dispositionen.\rBitte schränken "
            "Sie die Anzahl der sichbaren Fahrzeug-Dispositionen ein, um die externe Grafik aufzurufen.\r\r"
            "TIP: Löschen Sie, wenn möglich, alte oder überflüssige Fahrzeug-Dispositionen. Schränken Sie "
            "die "
            "Anzahl der sichtbaren Dispositionen (weiter) ein, indem Sie über das Schaltfeld \"Sicht\" einen "
            "kleineren Zeitraum definieren.");
        fenster->BtnExtGrafikClick();
        QVERIFY(meldungen.verifyDone());
        QVERIFY(termine->aufrufe.isEmpty());

        dispo.Last();
        dispo.Delete();
        QCOMPARE(dispo.RecordCount(), 2000);
        fenster->BtnExtGrafikClick();
        QCOMPARE(termine->aufrufe, QStringList{"GrafikZeigen"});
        QVERIFY(fleet::GrafikFormularErzeugt);

        // A failing chart is swallowed; the vehicle choice is usable again.
        termine->beimAufruf = [](const QString &) { throw std::runtime_error("kaputt"); };
        fenster->Dispo().RadioGrpDispoFahrzeuge->setEnabled(false);
        fenster->BtnExtGrafikClick();
        QVERIFY(fenster->Dispo().RadioGrpDispoFahrzeuge->isEnabled());
    }

    void theTourEvaluationLendsTheToursAndGivesThemBack()
    {
        fuhrpark();
        dbe::TTable &touren = dm->TTblTouren;
        bool geloest = false, sichtbar = false;
        termine->beimAufruf = [&](const QString &) {
            geloest = touren.MasterSource() == nullptr && touren.MasterFields().isEmpty();
            sichtbar = touren.FieldByName("KfzNr")->Visible();
            throw std::runtime_error("Formular kaputt");
        };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, fenster->Tourenauswertung2Click());
        QVERIFY(geloest);
        QVERIFY(sichtbar);
        QCOMPARE(touren.MasterSource(), &dm->TDataSrcMain);
        QCOMPARE(touren.MasterFields(), QString("KfzNr"));
        QVERIFY(!touren.FieldByName("KfzNr")->Visible());
    }

    void theAppointmentListSwitchesTheFilterOff()
    {
        fuhrpark();
        kerntest::MeldungsRekorder alleOk;
        aktion("Gruppe1")->trigger();
        QVERIFY(fenster->Navigation().FilterAktiv());
        alleOk.texte.clear();
        aktion("Terminverwaltung1")->trigger();
        QCOMPARE(alleOk.texte, QStringList{"Der Filter wird zum Aufruf der Terminverwaltung ausgeschaltet."});
        QVERIFY(!fenster->Navigation().FilterAktiv());
        QCOMPARE(termine->aufrufe, QStringList{"TerminListeZeigen"});
        // On the menu bar itself.
        QVERIFY(fenster->MainMenu->actions().contains(aktion("Terminverwaltung1")));
    }

    void theManualIsLookedForWhereTheProgramRunsNow()
    {
        fuhrpark();
        ui::testing::FakeShell shell;
        ui::testing::ScriptedMessages meldungen;
        const QString vorher = QDir::currentPath();
        testsupport::TempDir tmp;
        const QString ordner = QString::fromStdString(tmp.path().string());
        QDir::setCurrent(ordner);
        meldungen.expectInformation("Das Handbuch wurde im KARVEN Fuhrpark Hauptverzeichnis nicht gefunden");
        aktion("Handbuch1")->trigger();
        QVERIFY(meldungen.verifyDone());
        QVERIFY(shell.opened.isEmpty());
        QFile pdf(QDir(ordner).filePath("KARVFHB7.pdf"));
        QVERIFY(pdf.open(QIODevice::WriteOnly));
        pdf.close();
        aktion("Handbuch1")->trigger();
        QDir::setCurrent(vorher);
        QCOMPARE(shell.opened, QStringList{QDir(ordner).filePath("KARVFHB7.pdf")});
    }

    void theEditMenuFollowsTheFocusAndTheEditMode()
    {
        fuhrpark();
        ui::testing::FakeClipboard ablage;
        ablage.setText("Kombi");
        auto *marke = fenster->findChild<ui::DBEdit *>("EditKfzMarke");
        marke->setFocus();
        QMenu *bearbeiten = nullptr;
        for (QAction *a : fenster->MainMenu->actions())
            if (a->text() == "&Bearbeiten")
                bearbeiten = a->menu();
        QVERIFY(bearbeiten);
        const auto oeffnen = [&] { emit bearbeiten->aboutToShow(); };

        // Read mode: nothing to paste into, nothing selected.
        oeffnen();
        QVERIFY(!aktion("Einfgen1")->isEnabled());
        QVERIFY(!aktion("Kopieren1")->isEnabled());
        QVERIFY(!aktion("Filtereinaus1")->isEnabled());

        fenster->Navigation().ClickNavButton(nav::nbGlobalEdit);
        marke->setFocus();
        oeffnen();
        QVERIFY(aktion("Einfgen1")->isEnabled());
        aktion("Einfgen1")->trigger();
        QCOMPARE(marke->text(), QString("Kombi"));
        marke->selectAll();
        oeffnen();
        QVERIFY(aktion("Ausschneiden1")->isEnabled());
        QVERIFY(aktion("Kopieren1")->isEnabled());
        ablage.setText(QString());
        aktion("Ausschneiden1")->trigger();
        QCOMPARE(ablage.text(), QString("Kombi"));
        QVERIFY(marke->text().isEmpty());

        // The monthly pages have no incremental search.
        fenster->PageCtrlMain->setActivePage(fenster->TabMonatsAuswertung);
        oeffnen();
        QVERIFY(!aktion("InkrSucheneinaus1")->isEnabled());
    }
};

QTEST_MAIN(FahrzeugFilterTest)
#include "fahrzeugfilter_test.moc"
