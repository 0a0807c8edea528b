// The main window's menu: every command is built from the table, every enabled
// one does what it says, every disabled one says why; the services the
// commands need are checked at start.
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>

#include <QApplication>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include "AufzeichnendeDienste.h"
#include "daten/DataModule1.h"
#include "dienste/Dienstvertraege.h"
#include "formulare/Copyright.h"
#include "formulare/HauptFormular.h"
#include "formulare/HauptMenue.h"
#include "formulare/HilfeFormular.h"
#include "formulare/MandantenFormular.h"
#include "kern_umgebung.h"
#include "regeln/NurLeseModus.h"
#include "ui/Application.h"
#include "ui/StartUp.h"
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
        fenster->show();
    }

    QAction *aktion(const QString &name) const { return fenster->findChild<QAction *>(name); }

private slots:
    void init() { umgebung = std::make_unique<kerntest::Umgebung>(); }
    void cleanup()
    {
        fenster.reset();
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

        // What each command with a handler visibly does.
        const QMap<QString, std::function<void(QAction *)>> wirkung{
            {"Mandanten1",
             [](QAction *a) {
                 ModalerBeobachter modal;
                 a->trigger();
                 QCOMPARE(modal.gesehen, fleet::MandantenFormular);
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
            {"TankdatenImport1",
             [&termine](QAction *a) {
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
        QVERIFY(befehle > ausgefuehrt);
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
        auto *berechnen = fenster->findChild<QWidget *>("TBtnMonatsauswertungBerechnen");
        QVERIFY(berechnen);
        QVERIFY(berechnen->isEnabled());
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
