// The tour items of the main window with the real scheduling part in force:
// "Tour kopieren" on an incomplete tour opens the tour dialog, and its OK on a
// completed tour frees "Tour einfügen" of the window's tour page.
#include <memory>

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "TerminDiensteImpl.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "dienste/TerminDienste.h"
#include "formulare/HauptFormular.h"
#include "formulare/TourEditFormular.h"
#include "formulare/seiten/TourenSeite.h"
#include "kern_umgebung.h"
#include "ui/Application.h"
#include "ui/StartUp.h"
#include "ui/testing/ScriptedMessages.h"

class TourMenueTest : public QObject {
    Q_OBJECT

private slots:
    void theDialogFreesTheWindowsPasteItem()
    {
        kerntest::Umgebung umgebung;
        auto &s = umgebung.session();
        kerntest::zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr"}, {"M-KÖ 1234"});
        kerntest::zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzFahrer.DB", {"Name"}, {"Jürgen Weiß"});
        // Driven kilometres missing: the copy is incomplete.
        kerntest::zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzTour.db",
                                {"KfzNr", "Datum", "Tour", "FahrerName"},
                                {"M-KÖ 1234", base::encodeDate(2024, 3, 4), "T-17", "Jürgen Weiß"});
        fleet::TDataModule1 dm(&s);
        fleet::DataModule1 = &dm;
        fleet::TerminDiensteImpl termine;
        fleet::DienstInKraft<fleet::TerminDienste> inKraft(termine);
        auto fenster = std::make_unique<fleet::THauptFormular>();
        fleet::TourEditFormular = new fleet::TTourEditFormular();
        fenster->show();
        ui::testing::ScriptedMessages meldungen;

        QAction *einfuegen = fenster->Touren().Toureinfgen1;
        QVERIFY(!einfuegen->isEnabled());
        bool gesehen = false;
        QTimer::singleShot(0, [&gesehen] {
            gesehen = QApplication::activeModalWidget() == fleet::TourEditFormular;
            fleet::TourEditFormular->EditTourGefahrenKm->setText("250");
            fleet::TourEditFormular->BitBtnTourEditOk->click();
        });
        fenster->Touren().Tourkopieren1->trigger();
        QVERIFY(gesehen);
        QVERIFY(einfuegen->isEnabled());
        QVERIFY(fenster->Touren().Tourndern1->isEnabled());
        QCOMPARE(fleet::TourZwischenablage.GefahrenKm, 250.0);
        QVERIFY(meldungen.verifyDone());

        delete fleet::TourEditFormular;
        fleet::TourEditFormular = nullptr;
        fenster.reset();
        fleet::DataModule1 = nullptr;
    }
};

int main(int argc, char **argv)
{
    ui::Application app(argc, argv);
    ui::startGerman();
    TourMenueTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "tour_menue_test.moc"
