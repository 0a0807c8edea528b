// The dispatch forms offscreen, opened from the main window's dispatch page
// over a real data module with its booking rules and the scheduling part's
// services in force: the free-vehicles list and the period of a new booking.
#include <memory>

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include "TerminDiensteImpl.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "dbe/Field.h"
#include "dbe/Table.h"
#include "dienste/Formularzugriff.h"
#include "formulare/DispoFFFormular.h"
#include "formulare/DispositionEingabeFormular.h"
#include "formulare/HauptFormular.h"
#include "formulare/HauptNavigation.h"
#include "formulare/seiten/DispoSeite.h"
#include "kern_umgebung.h"
#include "ui/ComboBox.h"
#include "ui/DatePicker.h"
#include "ui/PageControl.h"
#include "ui/RadioGroup.h"
#include "ui/StartUp.h"
#include "ui/testing/ScriptedMessages.h"

using base::encodeDate;
using fleet::TDispoFFFormular;
using fleet::THauptFormular;

namespace {

const QString kFilterFrage =
    "ACHTUNG - der eingeschaltete Filter in den Fahrzeug-Stammdaten beeinflußt die Daten "
    "im folgenden Formular.\rWenn dieses von Ihnen nicht beabsichtigt ist, sollte der "
    "Filter ausgeschaltet werden.\rMöchten Sie den Filter jetzt ausschalten?";
const QString kLokalisieren = "Fehler beim Lokalisieren des markierten Fahrzeugs - Formular wird geschlossen";

} // namespace

class DispoFormulareTest : public QObject {
    Q_OBJECT

    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<fleet::TerminDiensteImpl> dienste;
    std::unique_ptr<fleet::DienstInKraft<fleet::TerminDienste>> inKraft;
    std::unique_ptr<fleet::TDataModule1> dm;
    std::unique_ptr<THauptFormular> fenster;

    void fahrzeug(const QString &kfz, const QString &info, const QString &gruppe, const QString &ort,
                  const QString &hersteller, const QString &marke)
    {
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzStamm.db",
                                {"KfzNr", "Info", "Gruppe", "Kostenstelle", "KfzHerstellerKz", "KfzMarke"},
                                {kfz, info, gruppe, ort, hersteller, marke});
    }
    void buchung(const QString &kfz, base::TDateTime von, base::TDateTime bis)
    {
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzDispo.DB",
                                {"Kfznr", "DatumVon", "DatumBis", "UhrzeitVon", "UhrzeitBis",
                                 "DatumUhrzeitVon", "DatumUhrzeitBis", "FahrerName"},
                                {kfz, von, bis, 0.25, 0.75, von + 0.25, bis + 0.75, "Jürgen Weiß"});
    }
    fleet::DispoSeite &seite() { return fenster->Dispo(); }
    TDispoFFFormular *form()
    {
        return dynamic_cast<TDispoFFFormular *>(fleet::FormularFinden(QStringLiteral("DispoFFFormular")));
    }
    QStringList spalte(int c)
    {
        QStringList werte;
        QTableWidget *g = form()->StrGridFreieFahrzeuge;
        for (int r = 0; r < g->rowCount(); ++r)
            werte << (g->item(r, c) ? g->item(r, c)->text() : QString());
        return werte;
    }
    void zeileWaehlen(const QString &kfz)
    {
        const int r = int(spalte(0).indexOf(kfz));
        QVERIFY(r >= 0);
        form()->StrGridFreieFahrzeuge->selectRow(r);
    }
    // The page change as the user makes it, by the tab.
    void seiteWechseln(QWidget *nach)
    {
        QTabBar *reiter = fenster->PageCtrlMain->tabBar();
        for (int i = 0; i < reiter->count(); ++i)
            if (fenster->PageCtrlMain->page(i) == nach)
                QTest::mouseClick(reiter, Qt::LeftButton, {}, reiter->tabRect(i).center());
    }
    void bild(const char *name)
    {
        if (qEnvironmentVariableIsSet("KARVENFP_BILDER"))
            form()->grab().save(qEnvironmentVariable("KARVENFP_BILDER") + "/" + name);
    }

private slots:
    void initTestCase() { ui::startGerman(); }
    void init()
    {
        umgebung = std::make_unique<kerntest::Umgebung>();
        dienste = std::make_unique<fleet::TerminDiensteImpl>();
        inKraft = std::make_unique<fleet::DienstInKraft<fleet::TerminDienste>>(*dienste);
        fahrzeug("B-ÄR 1040", "Kühltransporter Süd", "Kühlung", "München-Nord", "MB", "Sprinter 316");
        fahrzeug("HH-GÖ 77", "Pritsche mit Plane", "Stückgut", "Hamburg Hafen", "MAN", "TGL 8.190");
        fahrzeug("KÖ-ÜL 7", "Ersatzfahrzeug für Außendienst und Werkstattfahrten", "kühlung", "Köln-Süd",
                 "VW", "Crafter");
        fahrzeug("M-ZÖ 310", "Großraum", "Personen", "München-Nord", "Ford", "Transit Kombi");
        fahrzeug("S-WÄ 99", "Wechselbrücke", "Stückgut", "Stuttgart", "Iveco", "Daily");
        buchung("B-ÄR 1040", encodeDate(2024, 3, 4), encodeDate(2024, 3, 8));
        buchung("M-ZÖ 310", encodeDate(2024, 2, 20), encodeDate(2024, 3, 1)); // into March
        buchung("S-WÄ 99", encodeDate(2024, 4, 2), encodeDate(2024, 4, 3));   // after it
        dm = std::make_unique<fleet::TDataModule1>(&umgebung->session());
        fleet::DataModule1 = dm.get();
        fenster = std::make_unique<THauptFormular>();
        fleet::DispositionEingabeFormular = new fleet::TDispositionEingabeFormular();
        fenster->resize(900, 740);
        fenster->show();
        fenster->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fenster.get()));
        seiteWechseln(fenster->TabDispo);
        QCOMPARE(fenster->PageCtrlMain->activePage(), fenster->TabDispo);
        // The month view of March 2024.
        seite().CmbBoxDispositionJahr->setCurrentText("2024");
        seite().CmbBoxDispositionMonat->setCurrentText("März");
        seite().SichtSetzen(2);
        QVERIFY(dm->TTblDispo.Filtered());
    }
    void cleanup()
    {
        dienste->Freigeben();
        delete fleet::DispositionEingabeFormular;
        fleet::DispositionEingabeFormular = nullptr;
        fenster.reset();
        fleet::DataModule1 = nullptr;
        dm.reset();
        inKraft.reset();
        dienste.reset();
        umgebung.reset();
    }

    void opensFromTheDispatchPageInBothModesAndJumpsToAVehicle()
    {
        ui::testing::ScriptedMessages meldungen;
        QVERIFY(fenster->BtnFreieFahrzeuge->isEnabled());
        QTest::mouseClick(fenster->BtnFreieFahrzeuge, Qt::LeftButton);
        QVERIFY(fleet::DispoFFFormularErzeugt);
        QVERIFY(form() && form()->isVisible());
        QTRY_COMPARE(form()->TPanelStatus->text(), QString("Freie Fahrzeuge: 3"));
        QCOMPARE(form()->windowTitle(), QString("Fuhrpark Fahrzeuge-Disposition (Freie Fahrzeuge - Fahrzeuge "
                                                "ohne Reservierungen in dem sichtbaren Zeitraum)"));
        QCOMPARE(spalte(0), QStringList({"HH-GÖ 77", "KÖ-ÜL 7", "S-WÄ 99"}));
        QCOMPARE(form()->StrGridFreieFahrzeuge->columnCount(), 6);
        QVERIFY(form()->BtnZeigen->isEnabled());
        QVERIFY(!dm->TTblVar1.Active());
        form()->resize(1180, 300);
        bild("freie_fahrzeuge.png");

        // All vehicles; the sort box's column is applied on the change.
        form()->CmbBoxSort->setItemIndex(2);
        form()->RadioGrpFahrzeuge->setItemIndex(1);
        QCOMPARE(form()->TPanelStatus->text(), QString("Fahrzeuge: 5"));
        QCOMPARE(spalte(2), QStringList({"Kühlung", "kühlung", "Personen", "Stückgut", "Stückgut"}));
        QCOMPARE(spalte(0), QStringList({"B-ÄR 1040", "KÖ-ÜL 7", "M-ZÖ 310", "HH-GÖ 77", "S-WÄ 99"}));
        QCOMPARE(spalte(6), QStringList({" ", "X", " ", "X", "X"}));
        QCOMPARE(form()->StrGridFreieFahrzeuge->item(1, 3)->background().color(), QColor(0, 255, 0));
        QCOMPARE(form()->StrGridFreieFahrzeuge->item(0, 3)->background().style(), Qt::NoBrush);
        bild("alle_fahrzeuge.png");

        // The jump: the main window stands on the vehicle, its dispatch view on it.
        seite().FahrzeugAuswahlSetzen(1);
        zeileWaehlen("KÖ-ÜL 7");
        QTest::mouseClick(form()->BtnZeigen, Qt::LeftButton);
        QCOMPARE(dm->TTblMain.FieldByName("KfzNr")->AsString(), QString("KÖ-ÜL 7"));
        QCOMPARE(seite().FahrzeugAuswahl(), 0);
        QVERIFY(form()->isVisible());

        // A vehicle deleted meanwhile: the error, and the list goes.
        {
            dbe::TTable stamm(&umgebung->session());
            stamm.SetDatabaseName(fleet::kAliasFuhrpark);
            stamm.SetTableName("KfzStamm.db");
            stamm.Open();
            QVERIFY(stamm.Locate("KfzNr", QString("HH-GÖ 77")));
            stamm.Delete();
        }
        dm->TTblMain.Refresh();
        zeileWaehlen("HH-GÖ 77");
        meldungen.expectError(kLokalisieren);
        form()->StrGridFreieFahrzeugeDblClick();
        QVERIFY(meldungen.verifyDone());
        QVERIFY(!form()->isVisible());
        QCOMPARE(dm->TTblMain.FieldByName("KfzNr")->AsString(), QString("KÖ-ÜL 7"));

        // Opened again it starts on the free vehicles; leaving the page closes it.
        QTest::mouseClick(fenster->BtnFreieFahrzeuge, Qt::LeftButton);
        QVERIFY(form()->isVisible());
        QCOMPARE(form()->RadioGrpFahrzeuge->itemIndex(), 0);
        QTRY_COMPARE(form()->TPanelStatus->text(), QString("Freie Fahrzeuge: 2"));
        seiteWechseln(fenster->PageCtrlMain->page(0));
        QVERIFY(fenster->PageCtrlMain->activePage() != fenster->TabDispo);
        QVERIFY(!form()->isVisible());
    }

    void anEmptyResultKeepsOneEmptyRowAndLeadsNowhere()
    {
        ui::testing::ScriptedMessages meldungen;
        for (const char *kfz : {"HH-GÖ 77", "KÖ-ÜL 7", "S-WÄ 99"})
            buchung(kfz, encodeDate(2024, 3, 31), encodeDate(2024, 3, 31));
        dm->TTblDispo.Refresh();
        QTest::mouseClick(fenster->BtnFreieFahrzeuge, Qt::LeftButton);
        QTRY_COMPARE(form()->TPanelStatus->text(), QString("Freie Fahrzeuge: 0"));
        QCOMPARE(form()->StrGridFreieFahrzeuge->rowCount(), 1);
        QCOMPARE(spalte(0), QStringList({""}));
        QVERIFY(!form()->BtnZeigen->isEnabled());
        form()->StrGridFreieFahrzeuge->setCurrentCell(0, 0);
        form()->StrGridFreieFahrzeugeDblClick();
        QVERIFY(form()->isVisible());

        // A busy scratch table: the message, the list as it was.
        dm->TTblVar1.SetTableName("KfzStamm.db");
        dm->TTblVar1.Open();
        meldungen.expectError("Die Zugriffsmöglichkeiten auf die Datenbank sind zur Zeit erschöpft - Bitte "
                              "beenden Sie das Programm und starten Sie es erneut");
        form()->RadioGrpFahrzeuge->setItemIndex(1);
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(form()->TPanelStatus->text(), QString("Freie Fahrzeuge: 0"));
        QCOMPARE(form()->StrGridFreieFahrzeuge->columnCount(), 6);
        QVERIFY(dm->TTblVar1.Active());
        QVERIFY(form()->StrGridFreieFahrzeuge->isVisibleTo(form()));
    }

    void theVehicleFilterQuestionComesFirst()
    {
        kerntest::MeldungsRekorder alleOk;
        QVERIFY(dm->TTblMain.Locate("KfzNr", QString("HH-GÖ 77")));
        fenster->findChild<QAction *>("Gruppe1")->trigger(); // "Stückgut"
        QVERIFY(fenster->Navigation().FilterAktiv());
        for (const bool ausschalten : {false, true}) {
            ui::testing::ScriptedMessages meldungen;
            meldungen.expectWarningQuestion(kFilterFrage, ausschalten);
            QTest::mouseClick(fenster->BtnFreieFahrzeuge, Qt::LeftButton);
            QVERIFY(meldungen.verifyDone());
            QCOMPARE(fenster->Navigation().FilterAktiv(), !ausschalten);
            form()->SteuerungInit();
            QCOMPARE(spalte(0), ausschalten ? QStringList({"HH-GÖ 77", "KÖ-ÜL 7", "S-WÄ 99"})
                                            : QStringList({"HH-GÖ 77", "S-WÄ 99"}));
        }
    }
    // The new booking's period: OK shows the period on the page and asks
    // while bookings are in it; Abort cancels the insert, the close box not.
    void thePeriodDialogDecidesTheNewBooking()
    {
        ui::testing::ScriptedMessages meldungen;
        fleet::TDispositionEingabeFormular *dialog = fleet::DispositionEingabeFormular;
        dbe::TTable &dispo = dm->TTblDispo;
        seite().SichtSetzen(0);
        QVERIFY(dm->TTblMain.Locate("KfzNr", QString("B-ÄR 1040")));
        const QString frage = "Für diesen Zeitraum liegen schon Fahrzeugdispositionen vor - beachten Sie die "
                              "Tabelle im HauptFormular - möchten Sie diese Disposition trotzdem anlegen";

        bool offenNachNein = false;
        QTimer::singleShot(0, [&] {
            dialog->DateTimePckDatumVon->setValue(encodeDate(2024, 3, 5));
            dialog->DateTimePckDatumBis->setValue(encodeDate(2024, 3, 6));
            dialog->DateTimePckUhrzeitAnfang->setValue(base::encodeTime(7, 30));
            dialog->DateTimePckUhrzeitEnde->setValue(base::encodeTime(18, 15));
            if (qEnvironmentVariableIsSet("KARVENFP_BILDER"))
                dialog->grab().save(qEnvironmentVariable("KARVENFP_BILDER") + "/dispo_zeitraum.png");
            meldungen.expectWarningQuestion(frage, false);
            dialog->BitBtnOk->click();
            offenNachNein = dialog->isVisible();
            meldungen.expectWarningQuestion(frage, true);
            dialog->BitBtnOk->click();
        });
        seite().BtnDispoNeuClick();
        QVERIFY(meldungen.verifyDone());
        QVERIFY(offenNachNein);
        QVERIFY(!dialog->isVisible());
        QCOMPARE(seite().Sicht(), 1);
        QCOMPARE(*seite().ErsterTag(), encodeDate(2024, 3, 5));
        QCOMPARE(*seite().LetzterTag(), encodeDate(2024, 3, 6));
        QCOMPARE(dispo.State(), dbe::TDataSetState::dsInsert);
        QCOMPARE(dispo.FieldByName("Kfznr")->AsString(), QString("B-ÄR 1040"));
        QCOMPARE(dispo.FieldByName("DatumVon")->AsDateTime(), encodeDate(2024, 3, 5));
        QCOMPARE(dispo.FieldByName("DatumBis")->AsDateTime(), encodeDate(2024, 3, 6));
        QCOMPARE(dispo.FieldByName("UhrzeitBis")->AsDateTime(), base::encodeTime(18, 15));
        dispo.Cancel();

        // Abort: no insert, no message.
        seite().SichtSetzen(0);
        QTimer::singleShot(0, [&] { dialog->BitBtnAbbruch->click(); });
        seite().BtnDispoNeuClick();
        QCOMPARE(dispo.State(), dbe::TDataSetState::dsBrowse);

        // The close box: the insert goes on with the pickers as they stand,
        // the page's view untouched.
        seite().SichtSetzen(0);
        QTimer::singleShot(0, [&] {
            dialog->DateTimePckDatumVon->setValue(encodeDate(2024, 4, 10));
            dialog->DateTimePckDatumBis->setValue(encodeDate(2024, 4, 9));
            dialog->close();
        });
        seite().BtnDispoNeuClick();
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(seite().Sicht(), 0);
        QCOMPARE(dispo.State(), dbe::TDataSetState::dsInsert);
        QCOMPARE(dispo.FieldByName("DatumVon")->AsDateTime(), encodeDate(2024, 4, 10));
        QCOMPARE(dispo.FieldByName("DatumBis")->AsDateTime(), encodeDate(2024, 4, 9));
        dispo.Cancel();
    }
    // What the user types is corrected in place; values set in code are not.
    void thePeriodDialogCorrectsWhatTheUserTypes()
    {
        ui::testing::ScriptedMessages meldungen;
        fleet::TDispositionEingabeFormular &d = *fleet::DispositionEingabeFormular;
        d.show();
        QVERIFY(QTest::qWaitForWindowExposed(&d));
        const QString gleicherTag = "\"Uhzeit/Anfangsdatum\" kann für einen Tag nicht größer oder gleich "
                                    "\"Uhrzeit/Enddatum\" sein";
        struct Fall {
            const char *name;
            base::TDateTime von, bis, uhrVon, uhrBis;
            bool meldung;
            base::TDateTime endeDatum, endeUhr;
        };
        const base::TDateTime tag = encodeDate(2024, 3, 10);
        const Fall faelle[] = {
            {"same day", tag, tag, base::encodeTime(10, 0), base::encodeTime(9, 0), true, tag,
             base::encodeTime(11, 0)},
            {"past midnight", tag, tag, base::encodeTime(23, 30), base::encodeTime(22, 30), true, tag + 1,
             base::encodeTime(0, 30)},
            {"other days", tag, tag + 1, base::encodeTime(10, 0), base::encodeTime(8, 0), false, tag + 1,
             base::encodeTime(9, 0)},
        };
        for (const Fall &f : faelle) {
            d.DateTimePckDatumVon->setValue(f.von);
            d.DateTimePckDatumBis->setValue(f.bis);
            d.DateTimePckUhrzeitAnfang->setValue(f.uhrVon);
            d.DateTimePckUhrzeitEnde->setValue(f.uhrBis);
            if (f.meldung)
                meldungen.expectInformation(gleicherTag);
            // The user turns the end's hour up by one, onto the start or past it.
            d.DateTimePckUhrzeitEnde->setFocus();
            d.DateTimePckUhrzeitEnde->setCurrentSection(QDateTimeEdit::HourSection);
            QTest::keyClick(d.DateTimePckUhrzeitEnde, Qt::Key_Up);
            QVERIFY2(meldungen.verifyDone(), f.name);
            QCOMPARE(d.DateTimePckDatumBis->value(), f.endeDatum);
            QCOMPARE(d.DateTimePckUhrzeitEnde->value(), f.endeUhr);
        }

        // OK with the end before the start: the message, the end on the
        // start, and the dialog goes on (no bookings in that period).
        d.DateTimePckDatumVon->setValue(encodeDate(2024, 5, 10));
        d.DateTimePckDatumBis->setValue(encodeDate(2024, 5, 9));
        meldungen.expectInformation("\"Datum Bis\" kann nicht kleiner sein als \"Datum Von\"");
        d.BitBtnOk->click();
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(d.DateTimePckDatumBis->value(), encodeDate(2024, 5, 10));
        QCOMPARE(d.modalResult(), int(ui::mrOk));
    }
};

QTEST_MAIN(DispoFormulareTest)
#include "dispo_formulare_test.moc"
