// The main window's menu: every command is built from the table, every enabled
// one does what it says, every disabled one says why; the services the
// commands need are checked at start.
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include "AufzeichnendeDienste.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/DataModuleFahrer.h"
#include "dbe/Field.h"
#include "dbe/Table.h"
#include "dienste/Dienstvertraege.h"
#include "dienste/Formularzugriff.h"
#include "formulare/Copyright.h"
#include "formulare/EinstellungenFormular.h"
#include "formulare/FahrerStammdatenFormular.h"
#include "formulare/HauptFormular.h"
#include "formulare/HauptMenue.h"
#include "formulare/HauptNavigation.h"
#include "formulare/HilfeFormular.h"
#include "formulare/MandantenFormular.h"
#include "formulare/seiten/DispoSeite.h"
#include "formulare/seiten/TourenSeite.h"
#include "kern_umgebung.h"
#include "regeln/NurLeseModus.h"
#include "ui/Application.h"
#include "ui/DBEdit.h"
#include "ui/DBGrid.h"
#include "ui/StartUp.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using fleet::Menuebefehl;

namespace {

// The modal form that the next step of the event loop finds open; it is closed
// at once, so the command that opened it returns.
class ModalerBeobachter {
public:
    ModalerBeobachter()
    {
        QTimer::singleShot(0, [this] {
            gesehen = QApplication::activeModalWidget();
            if (auto *form = qobject_cast<ui::FormBase *>(gesehen))
                form->setModalResult(ui::mrCancel);
        });
    }
    QWidget *gesehen = nullptr;
};

// Records the navigator commands the window runs.
class NavigationsProtokoll : public fleet::HauptNavigation {
public:
    QList<nav::TDBVNavigateBtn> befehle;
    bool GlobalEdit() const override { return true; }
    bool FilterAktiv() const override { return false; }
    unsigned AllowKeys() const override { return 0; }
    void SetAllowKeys(unsigned) override {}
    void SetManageGlobalEdit(bool) override {}
    void SetTableIndex(dbe::TTable &, const QString &) override {}
    void ClickNavButton(nav::TDBVNavigateBtn b) override { befehle << b; }
    void NavigatorFreigeben(bool) override {}
    bool Moeglich(nav::TDBVNavigateBtn) const override { return true; }
    void FilterAnwenden(const nav::TFilterDefinition &, int) override {}
    void FilterLoeschen() override {}
    void SetStayOnMasterSource(nav::TStayOnMasterSource) override {}
    bool SuchenMoeglich() const override { return true; }
    void Suchen() override {}
};

} // namespace

class HauptMenueTest : public QObject {
    Q_OBJECT

    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<fleet::THauptFormular> fenster;

    void starten()
    {
        fleet::DataModule1 = new fleet::TDataModule1(&umgebung->session());
        fleet::Copyright = new fleet::TCopyright();
        fleet::HilfeFormular = new fleet::THilfeFormular();
        fleet::MandantenFormular = new fleet::TMandantenFormular();
        fenster = std::make_unique<fleet::THauptFormular>();
        fleet::EinstellungenFormular = new fleet::TEinstellungenFormular();
        fenster->show();
    }

    QAction *aktion(const QString &name) const { return fenster->findChild<QAction *>(name); }

private slots:
    void init() { umgebung = std::make_unique<kerntest::Umgebung>(); }
    void cleanup()
    {
        delete fleet::EinstellungenFormular;
        fleet::EinstellungenFormular = nullptr;
        fenster.reset();
        fleet::FahrerStammdatenFormularFreigeben();
        fleet::DataModuleFahrerFreigeben();
        delete fleet::MandantenFormular;
        fleet::MandantenFormular = nullptr;
        delete fleet::HilfeFormular;
        fleet::HilfeFormular = nullptr;
        delete fleet::Copyright;
        fleet::Copyright = nullptr;
        delete fleet::DataModule1;
        fleet::DataModule1 = nullptr;
        umgebung.reset();
    }

    // With every service in force: each enabled command is triggered and its
    // effect seen; each disabled one has a reason in the table.
    void everyMenuCommandRunsOrSaysWhyNot()
    {
        fleet::testing::AufzeichnendeTerminDienste termine;
        fleet::testing::AufzeichnendeReportDienste reports;
        starten();
        fleet::NurLeseModusSetzen(false);

        ui::testing::FakeClipboard ablage;
        ui::testing::FakeShell shell;
        // A data-aware edit without a field, as a place to type in.
        auto *marke = new ui::DBEdit(fenster.get());
        marke->show();
        // Cut, copy and paste act on the focused control of the active window
        // (the modal forms opened before have taken the activation).
        const auto fokus = [this, marke] {
            fenster->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(fenster.get()));
            marke->setFocus();
        };
        // A navigator command reaches the window's navigation.
        const auto navigiert = [this](nav::TDBVNavigateBtn erwartet) {
            return [this, erwartet](QAction *a) {
                NavigationsProtokoll protokoll;
                fenster->NavigationSetzen(&protokoll);
                a->trigger();
                fenster->NavigationSetzen(nullptr);
                QCOMPARE(protokoll.befehle, QList<nav::TDBVNavigateBtn>{erwartet});
            };
        };
        // A vehicle filter on an empty table reports that no vehicle is left.
        const auto gefiltert = [](const QString &bezeichnung) {
            return [bezeichnung](QAction *a) {
                ui::testing::ScriptedMessages meldungen;
                meldungen.expectInformation(bezeichnung + "- zur Zeit keine Fahrzeuge nach Filter.");
                a->trigger();
                QVERIFY(meldungen.verifyDone());
            };
        };
        const auto ruft = [&termine](const QString &aufruf) {
            return [&termine, aufruf](QAction *a) {
                termine.aufrufe.clear();
                a->trigger();
                QCOMPARE(termine.aufrufe, QStringList{aufruf});
            };
        };

        // What each command with a handler visibly does.
        const QMap<QString, std::function<void(QAction *)>> wirkung{
            {"Kopieren1",
             [&](QAction *a) {
                 fokus();
                 marke->setText("Kombi");
                 marke->selectAll();
                 a->trigger();
                 QCOMPARE(ablage.text(), QString("Kombi"));
             }},
            {"Ausschneiden1",
             [&](QAction *a) {
                 fokus();
                 marke->setReadOnly(false);
                 marke->setText("Bus");
                 marke->selectAll();
                 a->trigger();
                 QCOMPARE(ablage.text(), QString("Bus"));
                 QVERIFY(marke->text().isEmpty());
             }},
            {"Einfgen1",
             [&](QAction *a) {
                 // Into the make of a vehicle being entered, in edit mode.
                 fenster->Navigation().ClickNavButton(nav::nbGlobalEdit);
                 QVERIFY(fenster->Navigation().GlobalEdit());
                 fleet::DataModule1->TTblMain.Append();
                 fleet::DataModule1->TTblMain.FieldByName("KfzNr")->SetAsString("M-1");
                 auto *feld = fenster->findChild<ui::DBEdit *>("EditKfzMarke");
                 fenster->activateWindow();
                 QVERIFY(QTest::qWaitForWindowActive(fenster.get()));
                 feld->setFocus();
                 ablage.setText("Transit");
                 a->trigger();
                 QCOMPARE(feld->text(), QString("Transit"));
                 fleet::DataModule1->TTblMain.Cancel();
             }},
            {"Suchen1", navigiert(nav::nbSearch)},
            {"Weitersuchen1", navigiert(nav::nbSearchNext)},
            {"InkrSucheneinaus1", navigiert(nav::nbSearchInc)},
            {"Lesezeichensetzen1", navigiert(nav::nbSetBookmark)},
            {"Lesezeichenverwaltung1", navigiert(nav::nbGotoBookmark)},
            {"Filtereinaus1", navigiert(nav::nbActiveFilter)},
            {"Info1", gefiltert("Info")},
            {"Gruppe1", gefiltert("Gruppe")},
            {"KoststStandort1", gefiltert("KstSt./Standort")},
            {"AlleLeasingfahrzeuge1", gefiltert("Alle Leas.fahrzg.")},
            {"KeineLeasingfahrzeuge1", gefiltert("Keine Leas.fahrzg.")},
            {"Leasinggesellschaft1", gefiltert("Leasinggesellsch.")},
            {"Terminverwaltung1", ruft("TerminListeZeigen")},
            {"Fahrzeugvergleich1", ruft("FahrzeugvergleichZeigen")},
            {"FuhrparkKostenErtrag1", ruft("FuhrparkKostenZeigen")},
            {"Tourenauswertung2", ruft("TourAuswertungZeigen")},
            {"Handbuch1",
             [&shell](QAction *a) {
                 const QString vorher = QDir::currentPath();
                 QDir::setCurrent(QDir::tempPath());
                 QFile::remove(QDir::temp().filePath("KARVFHB7.pdf"));
                 ui::testing::ScriptedMessages meldungen;
                 meldungen.expectInformation(
                     "Das Handbuch wurde im KARVEN Fuhrpark Hauptverzeichnis nicht gefunden");
                 a->trigger();
                 QDir::setCurrent(vorher);
                 QVERIFY(meldungen.verifyDone());
                 QVERIFY(shell.opened.isEmpty());
             }},
            {"Mandanten1",
             [](QAction *a) {
                 ModalerBeobachter modal;
                 a->trigger();
                 QCOMPARE(modal.gesehen, fleet::MandantenFormular);
             }},
            {"Fahrer1",
             [](QAction *a) {
                 ModalerBeobachter modal;
                 a->trigger();
                 QVERIFY(fleet::FahrerStammdatenFormular);
                 QCOMPARE(modal.gesehen, fleet::FahrerStammdatenFormular);
                 QVERIFY(fleet::FahrerFormularErzeugt);
             }},
            {"Copyright1",
             [](QAction *a) {
                 ModalerBeobachter modal;
                 a->trigger();
                 QCOMPARE(modal.gesehen, fleet::Copyright);
             }},
            {"Beenden1",
             [this](QAction *a) {
                 ui::testing::ScriptedMessages meldungen;
                 meldungen.expectQuestion("Möchten Sie das Programm beenden", false);
                 a->trigger();
                 QVERIFY(meldungen.verifyDone());
                 QVERIFY(fenster->isVisible());
             }},
            {"ErsteSchritte1",
             [](QAction *a) {
                 fleet::HilfeThema = 0;
                 a->trigger();
                 QCOMPARE(fleet::HilfeThema, 1);
                 QVERIFY(fleet::HilfeFormular->isVisible());
                 fleet::HilfeFormular->hide();
             }},
            {"Einstellungen1",
             [](QAction *a) {
                 ModalerBeobachter modal;
                 a->trigger();
                 QCOMPARE(modal.gesehen, fleet::EinstellungenFormular);
             }},
            {"TankdatenImport1",
             [&termine](QAction *a) {
                 termine.aufrufe.clear();
                 a->trigger();
                 QCOMPARE(termine.aufrufe, QStringList{"TankdatenImportZeigen"});
             }},
            {"Datenexport1",
             [&reports](QAction *a) {
                 a->trigger();
                 QCOMPARE(reports.aufrufe, QStringList{"ExportFormularZeigen"});
             }},
            {"Textverarbeitung1",
             [&termine](QAction *a) {
                 // The help form is closed before the letter editor comes.
                 fleet::HilfeFormular->show();
                 termine.aufrufe.clear();
                 a->trigger();
                 QCOMPARE(termine.aufrufe, QStringList{"TextFormularZeigen"});
                 QVERIFY(!fleet::HilfeFormular->isVisible());
             }},
        };

        int befehle = 0, ausgefuehrt = 0;
        for (const Menuebefehl &b : fleet::HauptMenueBefehle()) {
            if (b.art != Menuebefehl::Befehl)
                continue;
            ++befehle;
            QAction *a = aktion(b.name);
            QVERIFY2(a, qPrintable("Menübefehl fehlt: " + b.name));
            // The settings rename two filter items.
            if (b.name != "Gruppe1" && b.name != "KoststStandort1")
                QCOMPARE(a->text(), b.text);
            QVERIFY2(!a->associatedObjects().isEmpty(), qPrintable("nicht im Menü: " + b.name));
            const QString grund = fenster->Sperrgrund(b.name);
            if (!b.ausfuehren) {
                QVERIFY2(!a->isEnabled(), qPrintable("ohne Handler, aber frei: " + b.name));
                QVERIFY2(!grund.isEmpty(), qPrintable("gesperrt ohne Grund: " + b.name));
                continue;
            }
            QVERIFY2(a->isEnabled(), qPrintable(b.name + " gesperrt: " + grund));
            QVERIFY(grund.isEmpty());
            QVERIFY2(wirkung.contains(b.name), qPrintable("keine Wirkung geprüft für " + b.name));
            wirkung[b.name](a);
            if (QTest::currentTestFailed())
                return;
            ++ausgefuehrt;
        }
        QCOMPARE(ausgefuehrt, int(wirkung.size()));
        // With every service in force, every command of the menu has run.
        QCOMPARE(ausgefuehrt, befehle);
        // The items whose captions the settings rename exist, and so do the
        // window's own pointers.
        QVERIFY(aktion("Gruppe1") && aktion("KoststStandort1"));
        QCOMPARE(fenster->Mandanten1, aktion("Mandanten1"));
    }

    // At start, each service contract is either in force or the commands that
    // need it are disabled with the missing part named; the trace says which.
    void startUpFindsEveryServiceOrDisablesItsCommands_data()
    {
        QTest::addColumn<bool>("termine");
        QTest::addColumn<bool>("reports");
        QTest::newRow("keine") << false << false;
        QTest::newRow("nur Termine") << true << false;
        QTest::newRow("beide") << true << true;
    }
    void startUpFindsEveryServiceOrDisablesItsCommands()
    {
        QFETCH(bool, termine);
        QFETCH(bool, reports);
        std::optional<fleet::testing::AufzeichnendeTerminDienste> t;
        std::optional<fleet::testing::AufzeichnendeReportDienste> r;
        if (termine)
            t.emplace();
        if (reports)
            r.emplace();
        starten();
        // Editing allowed: the read-only switch enables the editing commands,
        // but not one whose service is missing.
        fleet::NurLeseModusSetzen(false);

        QStringList erwartetFehlend;
        for (const fleet::Dienstvertrag *v : fleet::Dienstvertraege())
            if (!v->vorhanden()) {
                erwartetFehlend << v->name;
                QTest::ignoreMessage(QtWarningMsg, QRegularExpression(v->name));
            }
        QCOMPARE(fleet::DiensteBeimStartPruefen(), erwartetFehlend);
        QCOMPARE(erwartetFehlend.contains("TerminDienste"), !termine);
        QCOMPARE(erwartetFehlend.contains("ReportDienste"), !reports);

        int gebunden = 0;
        for (const Menuebefehl &b : fleet::HauptMenueBefehle()) {
            if (!b.braucht || !b.ausfuehren)
                continue;
            ++gebunden;
            QAction *a = aktion(b.name);
            QVERIFY(a);
            QCOMPARE(a->isEnabled(), b.braucht->vorhanden());
            const QString grund = fenster->Sperrgrund(b.name);
            if (b.braucht->vorhanden())
                QVERIFY(grund.isEmpty());
            else
                QVERIFY2(grund.contains(b.braucht->teil), qPrintable(grund));
        }
        QVERIFY(gebunden >= 2);
        // The evaluation computes in the window itself.
        auto *berechnen = qobject_cast<QWidget *>(
            fleet::KomponenteFinden("HauptFormular", "TBtnMonatsauswertungBerechnen"));
        QVERIFY(berechnen);
        QVERIFY(berechnen->isEnabled());
    }

    // The tours and bookings name their driver through the driver table: a
    // driver entered in the driver form shows in both grids once it closes.
    void theGridsNameTheDriverEnteredInTheDriverForm()
    {
        const QString fahrer = QStringLiteral("Ömer Şahin");
        auto &s = umgebung->session();
        kerntest::zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr"}, {"M-KÖ 1234"});
        kerntest::zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzTour.db",
                                {"KfzNr", "Datum", "Tour", "FahrerName"},
                                {"M-KÖ 1234", base::encodeDate(2024, 3, 4), "T-17", fahrer});
        kerntest::zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzDispo.DB",
                                {"Kfznr", "DatumVon", "DatumBis", "UhrzeitVon", "UhrzeitBis", "FahrerName"},
                                {"M-KÖ 1234", base::encodeDate(2024, 3, 4), base::encodeDate(2024, 3, 4),
                                 base::encodeTime(7, 0), base::encodeTime(15, 0), fahrer});
        fleet::testing::AufzeichnendeTerminDienste termine;
        fleet::testing::AufzeichnendeReportDienste reports;
        starten();
        ui::DBGrid *touren = fenster->Touren().Raster();
        ui::DBGrid *dispo = fenster->Dispo().DBGridDispo;
        const auto fahrerSpalte = [](ui::DBGrid *grid) {
            for (int c = 0; c < grid->columnCount(); ++c)
                if (grid->columnField(c)->FieldName() == "FahrerNameDummy")
                    return grid->model()->index(0, c).data().toString();
            return QStringLiteral("(keine Spalte)");
        };
        // Not a driver of the table yet: the column has nothing to show.
        QCOMPARE(fahrerSpalte(touren), QString());
        QCOMPARE(fahrerSpalte(dispo), QString());
        QCOMPARE(dispo->model()->rowCount(), 1);

        QTimer::singleShot(0, [fahrer] {
            dbe::TTable &t = fleet::DataModuleFahrer->TblFahrerStammdaten;
            t.Append();
            t.FieldByName("Name")->SetAsString(fahrer);
            t.Post();
            fleet::FahrerStammdatenFormular->TBitBtnFahrerStammdatenOkClick();
        });
        aktion("Fahrer1")->trigger();
        QVERIFY(!fleet::FahrerStammdatenFormular->isVisible());
        QCOMPARE(fahrerSpalte(touren), fahrer);
        QCOMPARE(fahrerSpalte(dispo), fahrer);
    }

    // A service that is missing all the same answers in German.
    void aMissingServiceSpeaksGerman()
    {
        try {
            fleet::Dienst<fleet::ReportDienste>::aktuell();
            QFAIL("kein Fehler");
        } catch (const std::logic_error &e) {
            QCOMPARE(QString::fromUtf8(e.what()),
                     QStringLiteral("Diese Funktion ist in diesem Programm nicht verfügbar."));
        }
    }
};

int main(int argc, char **argv)
{
    ui::Application app(argc, argv);
    ui::startGerman();
    HauptMenueTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "hauptmenue_test.moc"
