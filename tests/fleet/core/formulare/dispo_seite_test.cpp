// The dispatch page: view modes and vehicle choice through the layer, the
// chart, the commands, through the main window over a real data module.
#include <functional>
#include <memory>
#include <stdexcept>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "AufzeichnendeDienste.h"
#include "base/Abort.h"
#include "base/DateTime.h"
#include "base/GermanFormat.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Table.h"
#include "formulare/HauptFormular.h"
#include "formulare/HauptNavigation.h"
#include "formulare/seiten/DispoSeite.h"
#include "kern_umgebung.h"
#include "regeln/DispoRegeln.h"
#include "regeln/NurLeseModus.h"
#include "ui/ComboBox.h"
#include "ui/DBGrid.h"
#include "ui/DatePicker.h"
#include "ui/GanttChart.h"
#include "ui/PageControl.h"
#include "ui/RadioGroup.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using base::encodeDate;
using base::encodeTime;
using fleet::THauptFormular;

namespace {

const base::TDateTime kHeute = encodeDate(2024, 2, 10);

// The program's trace of swallowed failures while it lives.
class Spur {
public:
    Spur()
    {
        zeilen.clear();
        vorher_ = qInstallMessageHandler(&Spur::aufnehmen);
    }
    ~Spur() { qInstallMessageHandler(vorher_); }
    static inline QStringList zeilen;

private:
    static void aufnehmen(QtMsgType, const QMessageLogContext &kontext, const QString &text)
    {
        if (QByteArray(kontext.category) == "karvenfp.fleet")
            zeilen << text;
    }
    QtMessageHandler vorher_;
};

class Navigation : public fleet::HauptNavigation {
public:
    bool filter = false;
    bool GlobalEdit() const override { return true; }
    bool FilterAktiv() const override { return filter; }
    unsigned AllowKeys() const override { return 0x7FFF; }
    void SetAllowKeys(unsigned) override {}
    void SetManageGlobalEdit(bool) override {}
    void SetTableIndex(dbe::TTable &, const QString &) override {}
    void ClickNavButton(nav::TDBVNavigateBtn) override {}
    void NavigatorFreigeben(bool) override {}
    bool Moeglich(nav::TDBVNavigateBtn) const override { return false; }
    void FilterAnwenden(const nav::TFilterDefinition &, int) override {}
    void FilterLoeschen() override {}
    void SetStayOnMasterSource(nav::TStayOnMasterSource) override {}
    bool SuchenMoeglich() const override { return false; }
    void Suchen() override {}
};

} // namespace

class DispoSeiteTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<ui::testing::FakeClock> uhr;
    std::unique_ptr<fleet::TDataModule1> dm;
    std::unique_ptr<THauptFormular> fenster;
    Navigation navigation;

    fleet::DispoSeite &seite() { return fenster->Dispo(); }
    dbe::TTable &dispo() { return dm->TTblDispo; }

    void buchung(const QString &kfz, base::TDateTime von, base::TDateTime bis, const QString &tour,
                 base::TDateTime uhrVon = encodeTime(8, 0), base::TDateTime uhrBis = encodeTime(16, 0))
    {
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzDispo.DB",
                                {"Kfznr", "DatumVon", "DatumBis", "UhrzeitVon", "UhrzeitBis", "Tour",
                                 "FahrerName", "Bemerkung1", "DatumUhrzeitVon", "DatumUhrzeitBis",
                                 "KfzIndex=0"},
                                {kfz, von, bis, uhrVon, uhrBis, tour, "Jürgen Weiß", "Kühlware " + tour,
                                 von + uhrVon, bis + uhrBis, 0});
    }
    void starten()
    {
        dm = std::make_unique<fleet::TDataModule1>(&umgebung->session());
        fleet::DataModule1 = dm.get();
        fenster = std::make_unique<THauptFormular>();
        fenster->NavigationSetzen(&navigation);
        fenster->PageCtrlMain->setActivePage(fenster->TabDispo);
        seite().betreten();
    }
    // Bookings on every day from `ab` on, for each vehicle, in one transaction.
    void jedenTag(const QStringList &fahrzeuge, base::TDateTime ab, int tage)
    {
        dbe::TTable t(&umgebung->session());
        t.SetDatabaseName(fleet::kAliasFuhrpark);
        t.SetTableName("KfzDispo.DB");
        t.Open();
        dbe::TTransaction transaktion(umgebung->session(), fleet::kAliasFuhrpark);
        for (const QString &kfz : fahrzeuge)
            for (int i = 0; i < tage; ++i) {
                t.Append();
                const QVariantList werte{
                    kfz, ab + i, ab + i, encodeTime(8, 0), encodeTime(16, 0), "T" + QString::number(i)};
                const char *felder[] = {"Kfznr", "DatumVon", "DatumBis", "UhrzeitVon", "UhrzeitBis", "Tour"};
                for (int f = 0; f < werte.size(); ++f)
                    t.FieldByName(felder[f])->SetValue(werte[f]);
                t.Post();
            }
        transaktion.Commit();
    }
    // The time line's window of days, "dd.MM.yyyy-dd.MM.yyyy", or "" without one.
    QString fensterTage()
    {
        const std::optional<fleet::DispoTage> f = seite().ZeitleistenFenster();
        return f ? base::de::formatDate(f->von) + "-" + base::de::formatDate(f->bis) : QString();
    }
    // The first days of the bars on the chart, as "vehicle dd.MM."
    QStringList balkenTage()
    {
        QStringList tage;
        for (const ui::GanttChart::Bar &b : seite().DBChart1->bars())
            tage << b.label + " " + base::toQDate(b.start).toString("dd.MM.");
        return tage;
    }
    // The tours of the bookings the page shows, in order.
    QStringList sichtbar()
    {
        QStringList touren;
        for (dispo().First(); !dispo().Eof(); dispo().Next())
            touren << dispo().FieldByName("Tour")->AsString();
        dispo().First();
        return touren;
    }

private slots:
    void init()
    {
        umgebung = std::make_unique<kerntest::Umgebung>();
        uhr = std::make_unique<ui::testing::FakeClock>(kHeute + 0.4);
        fleet::NurLesen = false;
        fleet::LeseModus = false;
        fleet::TourenModus = true;
        fleet::DispoFortschreiben = false;
        fleet::KollisionsPruefung = QLatin1Char('D');
        navigation.filter = false;
        for (const char *kfz : {"A-1", "B-2"})
            kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr"},
                                    {kfz});
    }
    void cleanup()
    {
        fenster.reset();
        fleet::DataModule1 = nullptr;
        dm.reset();
        uhr.reset();
        umgebung.reset();
    }

    // The chart reads its bookings when its page is entered, not while the
    // window starts on another page.
    void theChartIsFilledWhenThePageIsEntered()
    {
        buchung("A-1", encodeDate(2024, 2, 10), encodeDate(2024, 2, 12), "innen");
        buchung("A-1", encodeDate(2024, 3, 5), encodeDate(2024, 3, 5), "maerz");
        dm = std::make_unique<fleet::TDataModule1>(&umgebung->session());
        fleet::DataModule1 = dm.get();
        fenster = std::make_unique<THauptFormular>();
        fenster->NavigationSetzen(&navigation);
        QVERIFY(seite().DBChart1->bars().isEmpty());
        seite().RadioGrpDispositionSicht->setItemIndex(5); // from today on, still not shown
        QVERIFY(seite().DBChart1->bars().isEmpty());
        seite().RadioGrpDispositionSicht->setItemIndex(0);
        fenster->PageCtrlMain->setActivePage(fenster->TabDispo);
        fenster->PageCtrlMainChange();
        QCOMPARE(seite().DBChart1->bars().size(), 2);
        QCOMPARE(seite().DBChart1->bars().at(1).label, QStringLiteral("A-1"));
    }

    void eachViewModeKeepsItsBookings()
    {
        buchung("A-1", encodeDate(2024, 1, 31), encodeDate(2024, 2, 1), "erster");
        buchung("A-1", encodeDate(2024, 2, 10), encodeDate(2024, 2, 12), "innen");
        buchung("A-1", encodeDate(2024, 1, 1), encodeDate(2024, 3, 31), "quartal");
        buchung("A-1", encodeDate(2024, 2, 29), encodeDate(2024, 2, 29), "schalttag");
        buchung("A-1", encodeDate(2024, 3, 5), encodeDate(2024, 3, 5), "maerz");
        buchung("B-2", encodeDate(2024, 2, 10), encodeDate(2024, 2, 10), "anderes");
        starten();
        ui::testing::ScriptedMessages meldungen;
        QCOMPARE(sichtbar().size(), 5);
        seite().DateTimePckDisposition->setValue(encodeDate(2024, 2, 1));
        seite().DateTimePckDispositionBis->setValue(encodeDate(2024, 2, 29));
        seite().CmbBoxDispositionJahr->setCurrentText("2024");
        seite().CmbBoxDispositionMonat->setCurrentText("Februar");

        struct Fall {
            int modus;
            QStringList touren;
            QString beschriftung;
        };
        const Fall faelle[] = {
            {1,
             {"quartal", "erster", "innen", "schalttag"},
             "Sichtbarer Zeitraum: 01.02.2024 bis 29.02.2024"},
            {2, {"quartal", "erster", "innen", "schalttag"}, "Sichtbarer Zeitraum: Februar 2024"},
            {3, {"quartal", "erster"}, "Sichtbarer Zeitraum: 01.02.2024"},
            {4, {"quartal", "innen"}, "Sichtbarer Zeitraum: Heute (10.02.2024)"},
            {5, {"innen", "schalttag", "maerz"}, "Sichtbarer Zeitraum: ab Heute (10.02.2024 bis ..)"},
            {0,
             {"quartal", "erster", "innen", "schalttag", "maerz"},
             "Sichtbarer Zeitraum: ohne Einschränkung"},
        };
        for (const Fall &f : faelle) {
            seite().RadioGrpDispositionSicht->setItemIndex(f.modus);
            QCOMPARE(sichtbar(), f.touren);
            QCOMPARE(seite().LblSichtFilter->text(), f.beschriftung);
            QCOMPARE(seite().DBChart1->bars().size(), f.touren.size());
            if (f.modus == 2) {
                QCOMPARE(seite().DBChart1->timeMinimum(), encodeDate(2024, 2, 1));
                QCOMPARE(seite().DBChart1->timeMaximum(), encodeDate(2024, 3, 1));
                QVERIFY(seite().CmbBoxDispositionMonat->isEnabled());
                QVERIFY(!seite().DateTimePckDisposition->isEnabled());
            }
        }
        QVERIFY(seite().DBChart1->timeAutomatic());
        QVERIFY(!dispo().Filtered());

        // All vehicles, month view.
        seite().RadioGrpDispositionSicht->setItemIndex(2);
        seite().RadioGrpDispoFahrzeuge->setItemIndex(1);
        QCOMPARE(sichtbar().size(), 5);
        QVERIFY(sichtbar().contains("anderes"));
        QVERIFY(dispo().FieldByName("Kfznr")->Visible());
        QCOMPARE(seite().LblDispositionWelcheFahrzeuge->text(),
                 QStringLiteral("Fahrzeug-Disposition: Alle Fahrzeuge"));
        QVERIFY(!fenster->PanKopfzeile->isVisibleTo(fenster.get()));
        QVERIFY(!seite().BtnDispoKopieren->isEnabled());
        seite().RadioGrpDispositionSicht->setItemIndex(0);
        QVERIFY(!dispo().Filtered());

        // "Filter" without a vehicle filter goes back to the current vehicle.
        meldungen.expectInformation(
            "Es ist kein Fahrzeug-Filter aktiv (Menü <Bearbeiten> <Filter>) - daher wird "
            "die Fahrzeugwahl wieder auf \"Aktuelles\" gestellt");
        seite().RadioGrpDispoFahrzeuge->setItemIndex(2);
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(seite().FahrzeugAuswahl(), 0);
        QCOMPARE(sichtbar().size(), 5);
        QVERIFY(!sichtbar().contains("anderes"));
        QVERIFY(!dispo().FieldByName("Kfznr")->Visible());
        QCOMPARE(seite().LblDispositionWelcheFahrzeuge->text(), QStringLiteral("Fahrzeug-Disposition: A-1"));
        QVERIFY(seite().BtnDispoKopieren->isEnabled());

        // With a vehicle filter, view "Alle" stays filtered.
        navigation.filter = true;
        seite().RadioGrpDispoFahrzeuge->setItemIndex(2);
        QCOMPARE(seite().LblDispositionWelcheFahrzeuge->text(),
                 QStringLiteral("Fahrzeug-Disposition: Filter"));
        seite().RadioGrpDispositionSicht->setItemIndex(3);
        seite().RadioGrpDispositionSicht->setItemIndex(0);
        QVERIFY(dispo().Filtered());
        QVERIFY(dispo().Filter().isEmpty());
    }

    // All vehicles' bookings are more than the time line shows at once: it
    // reads the days of its window only, and again when the window moves.
    void theTimeLineReadsOnlyTheDaysItShows()
    {
        const base::TDateTime ab = encodeDate(2023, 1, 1);
        jedenTag({"A-1", "B-2"}, ab, 600);
        starten();
        // One vehicle's 600 bookings: all on the line, as the view shows them.
        QCOMPARE(seite().DBChart1->bars().size(), 600);
        QCOMPARE(fensterTage(), QString());
        QVERIFY(seite().DBChart1->timeAutomatic());

        seite().RadioGrpDispoFahrzeuge->setItemIndex(1);
        QCOMPARE(dispo().RecordCount(), 1200);
        // The day of the marked booking, both vehicles.
        QCOMPARE(fensterTage(), QStringLiteral("01.01.2023-01.01.2023"));
        QCOMPARE(seite().DBChart1->timeMinimum(), ab);
        QCOMPARE(seite().DBChart1->timeMaximum(), ab + 1);
        QCOMPARE(balkenTage(), (QStringList{"A-1 01.01.", "B-2 01.01."}));
        QVERIFY2(seite().ZeitleisteGelesen() <= 1001 + 2,
                 qPrintable(QString::number(seite().ZeitleisteGelesen())));

        // Scrolled by a day: the days now shown are read.
        seite().Button2Click();
        QCOMPARE(fensterTage(), QStringLiteral("02.01.2023-02.01.2023"));
        QCOMPARE(seite().ZeitleisteGelesen(), 2);
        QCOMPARE(balkenTage(), (QStringList{"A-1 02.01.", "B-2 02.01."}));

        // A booking marked outside the window brings the window to it.
        dispo().Last();
        QCOMPARE(fensterTage(), base::de::formatDate(ab + 599) + "-" + base::de::formatDate(ab + 599));
        const QString letzter = base::toQDate(ab + 599).toString("dd.MM.");
        QCOMPARE(balkenTage(), (QStringList{"A-1 " + letzter, "B-2 " + letzter}));

        // A month of both: shown at once, on the month's axis.
        seite().CmbBoxDispositionJahr->setCurrentText("2023");
        seite().CmbBoxDispositionMonat->setCurrentText("Februar");
        seite().RadioGrpDispositionSicht->setItemIndex(2);
        QCOMPARE(fensterTage(), QString());
        QCOMPARE(seite().DBChart1->bars().size(), 56);
        QCOMPARE(seite().DBChart1->timeMinimum(), encodeDate(2023, 2, 1));

        // Back to all days: the record filter does not see every booking on the way.
        int gefiltert = 0;
        dm->TTblDispoFilterRecord = [&gefiltert](dbe::TDataSet &, bool &annehmen) {
            ++gefiltert;
            annehmen = true;
        };
        seite().RadioGrpDispositionSicht->setItemIndex(0);
        QCOMPARE(dispo().RecordCount(), 1200);
        QCOMPARE(gefiltert, 0);
    }

    // The time line shows a booking as soon as it is saved and drops it as
    // soon as it is deleted.
    void aSavedOrDeletedBookingIsOnTheTimeLineAtOnce()
    {
        buchung("A-1", kHeute, kHeute, "eins");
        starten();
        QCOMPARE(balkenTage(), QStringList{"A-1 10.02."});
        fleet::testing::AufzeichnendeTerminDienste termine;
        termine.zeitraumAntwort = {kHeute + 2, kHeute + 2, encodeTime(9, 0), encodeTime(11, 0)};
        ui::testing::ScriptedMessages meldungen;
        seite().BtnDispoNeu->click();
        QCOMPARE(dispo().State(), dbe::TDataSetState::dsInsert);
        dispo().FieldByName("Tour")->SetAsString("zwei");
        seite().BtnDispoSpeichern->click();
        QCOMPARE(dispo().State(), dbe::TDataSetState::dsBrowse);
        QCOMPARE(balkenTage(), (QStringList{"A-1 10.02.", "A-1 12.02."}));

        meldungen.expectQuestion("Möchten Sie den markierten Dispositionsdatensatz wirklich löschen", true);
        QVERIFY(dispo().Locate("Tour", "eins"));
        seite().BtnDispoLoeschen->click();
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(balkenTage(), QStringList{"A-1 12.02."});
    }

    // "Fahrzeug-Disposition: ..." names the vehicle whose bookings are listed.
    void theLabelNamesTheVehicleShown()
    {
        buchung("B-2", kHeute, kHeute, "b");
        starten();
        QLabel *beschriftung = seite().LblDispositionWelcheFahrzeuge;
        QCOMPARE(beschriftung->text(), QStringLiteral("Fahrzeug-Disposition: A-1"));
        dm->TTblMain.Next();
        QCOMPARE(sichtbar(), QStringList{"b"});
        QCOMPARE(beschriftung->text(), QStringLiteral("Fahrzeug-Disposition: B-2"));

        // Moved while another page is shown, then the page entered again.
        fenster->PageCtrlMain->setActivePage(fenster->TabStammDaten);
        fenster->PageCtrlMainChange();
        dm->TTblMain.First();
        fenster->PageCtrlMain->setActivePage(fenster->TabDispo);
        fenster->PageCtrlMainChange();
        QCOMPARE(beschriftung->text(), QStringLiteral("Fahrzeug-Disposition: A-1"));
    }

    // A new booking refused or ended by its rules is no fault: nothing is
    // traced; a real failure still is.
    void anAbortIsNoFaultToTrace()
    {
        buchung("A-1", kHeute, kHeute, "eins");
        starten();
        fleet::testing::AufzeichnendeTerminDienste termine;
        termine.zeitraumAntwort = {kHeute + 2, kHeute + 2, encodeTime(9, 0), encodeTime(11, 0)};
        ui::testing::ScriptedMessages meldungen;
        Spur spur;
        struct Fall {
            const char *was;
            std::function<void()> vorher;
            QPushButton *knopf;
            QString spur;
        };
        const Fall faelle[] = {
            {"period dialog aborted", [&] { termine.zeitraumBestaetigen = false; }, seite().BtnDispoNeu, ""},
            {"new booking in insert", [&] { termine.zeitraumBestaetigen = true; }, seite().BtnDispoNeu, ""},
            {"save refused by the rules",
             [&] { dm->TTblDispoBeforePost = [](dbe::TDataSet &) { base::abortSilently(); }; },
             seite().BtnDispoSpeichern, ""},
            {"a failure",
             [&] {
                 dispo().Cancel();
                 dm->TTblDispoBeforeInsert = [](dbe::TDataSet &) { throw std::runtime_error("Platte voll"); };
             },
             seite().BtnDispoNeu, "übergangen: Platte voll"},
        };
        for (const Fall &f : faelle) {
            Spur::zeilen.clear();
            f.vorher();
            f.knopf->click();
            QVERIFY2(f.spur.isEmpty() ? Spur::zeilen.isEmpty() : Spur::zeilen.join("\n").contains(f.spur),
                     qPrintable(QString(f.was) + ": " + Spur::zeilen.join("\n")));
        }
        QCOMPARE(dispo().State(), dbe::TDataSetState::dsBrowse);
    }

    void theLastDayFollowsTheFirst()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        seite().RadioGrpDispositionSicht->setItemIndex(1);
        seite().DateTimePckDisposition->setValue(encodeDate(2024, 2, 20));
        seite().DateTimePckDispositionChange(); // as the user's change
        QCOMPARE(std::floor(seite().DateTimePckDispositionBis->value()), encodeDate(2024, 2, 20));
        QVERIFY(dispo().Filter().contains("(DatumBis <=  '20.02.2024') and (DatumVon >= '20.02.2024')"));

        seite().DateTimePckDispositionBis->setValue(encodeDate(2024, 2, 18));
        meldungen.expectInformation("\"Tag Bis\" kann nicht kleiner sein als \"Tag Von\"");
        seite().DateTimePckDispositionBisCloseUp();
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(std::floor(seite().DateTimePckDispositionBis->value()), encodeDate(2024, 2, 20));
        seite().DateTimePckDispositionBisCloseUp(); // in order now: silent
    }

    void theUtilisationLabel()
    {
        buchung("A-1", kHeute, kHeute, "tag", encodeTime(8, 0), encodeTime(16, 0));
        starten();
        QCOMPARE(seite().LblAuslastung->text(), QStringLiteral("Auslastung (ca.): n.v.%"));
        seite().RadioGrpDispositionSicht->setItemIndex(4);
        QCOMPARE(seite().LblAuslastung->text(), QStringLiteral("Auslastung (ca.): 33%"));
    }

    void carryForwardAndNew()
    {
        starten();
        fleet::testing::AufzeichnendeTerminDienste termine;
        termine.zeitraumAntwort = {encodeDate(2024, 2, 12), encodeDate(2024, 2, 12), encodeTime(9, 0),
                                   encodeTime(11, 0)};
        ui::testing::ScriptedMessages meldungen;
        seite().BtnDispoKopieren->click();
        QVERIFY(termine.aufrufe.isEmpty());
        QCOMPARE(dispo().State(), dbe::TDataSetState::dsBrowse);
        fenster.reset();
        dm.reset();

        buchung("A-1", kHeute, kHeute, "Nord-7");
        starten();
        seite().BtnDispoKopieren->click();
        QCOMPARE(termine.aufrufe, QStringList{"DispoZeitraumErfragen"});
        QCOMPARE(termine.letzteVorgabe.DatumVon, kHeute);
        QCOMPARE(dispo().State(), dbe::TDataSetState::dsInsert);
        QCOMPARE(dispo().FieldByName("Tour")->AsString(), QStringLiteral("Nord-7"));
        QCOMPARE(dispo().FieldByName("Bemerkung1")->AsString(), QStringLiteral("Kühlware Nord-7"));
        QCOMPARE(dispo().FieldByName("FahrerName")->AsString(), QStringLiteral("Jürgen Weiß"));
        QVERIFY(fleet::DispoFortschreiben);
        // "&Löschen" while entering drops it without a question.
        seite().BtnDispoLoeschen->click();
        QCOMPARE(dispo().State(), dbe::TDataSetState::dsBrowse);

        seite().BtnDispoNeu->click();
        QVERIFY(!fleet::DispoFortschreiben);
        QCOMPARE(dispo().FieldByName("Tour")->AsString(), QString());
        seite().BtnDispoLoeschen->click();
    }

    void aBookingBecomesATour()
    {
        buchung("A-1", kHeute, kHeute + 1, "Nord-7");
        starten();
        ui::testing::ScriptedMessages meldungen;
        Spur spur;
        QVERIFY(!seite().BtnInTourenKopieren->isHidden());
        const QString frage =
            "Möchten Sie den markierten Dispositionsdatensatz in die Fahrzeugtouren übernehmen";
        meldungen.expectQuestion(frage, true);
        meldungen.expectInformation(
            "Bitte vergessen Sie nicht, die Abfahrts- und Ankunftskilometerstände in den neuen "
            "Tourendatensätzen nachzutragen, da ansonsten keine kilometerbasierenden Auswertungen in der "
            "Monatsauswertung möglich sind. \rBei diesem Kopiervorgang werden die entsprechenden Felder in "
            "dem "
            "Tourendatensatz auf Null gesetzt");
        seite().BtnInTourenKopieren->click();
        QVERIFY(meldungen.verifyDone());
        dbe::TTable &t = dm->TTblTouren;
        QCOMPARE(t.RecordCount(), 1);
        QCOMPARE(t.FieldByName("Tour")->AsString(), QStringLiteral("Nord-7"));
        QCOMPARE(t.FieldByName("Datum")->AsDateTime(), kHeute);
        QCOMPARE(t.FieldByName("DatumBis")->AsDateTime(), kHeute + 1);
        QCOMPARE(t.FieldByName("Bemerkungen")->AsString(), QStringLiteral("Kühlware Nord-7"));
        QCOMPARE(t.FieldByName("AbfahrtKm")->AsFloat(), 0.0);
        QCOMPARE(t.FieldByName("GefahrenKm")->AsFloat(), 0.0);
        QVERIFY(t.FieldByName("Ertrag")->IsNull());

        // Again: the tour is there already; no reminder a second time.
        meldungen.expectQuestion(frage, true);
        meldungen.expectError(
            "Ein Tourendatensatz mit den gleichen Schlüsseldaten ist schon vorhanden - Sie können nicht bei "
            "einem "
            "Fahrzeug zwei Touren mit gleichem DatumVon, DatumBis, Tour, FahrerName und Kostenstelle "
            "speichern - "
            "bitte ändern Sie eines der Felder, um die beiden Touren für das Programm zu unterscheiden oder "
            "klicken Sie auf die Löschen-Taste, um diesen Tourendatensatz zu verwerfen.");
        meldungen.expectInformation(
            "Der Kopiervorgang ist fehlgeschlagen, vermutlich ist dieser Dispositionsdatensatz schon in der "
            "Tourentabelle vorhanden oder die Tourentabelle wurde gerade von einem anderen Anwender "
            "gesperrt");
        seite().BtnInTourenKopieren->click();
        QCOMPARE(t.State(), dbe::TDataSetState::dsBrowse);
        dispo().Edit();
        dispo().FieldByName("Tour")->SetAsString("Süd-1");
        dispo().Post();
        meldungen.expectQuestion(frage, true);
        seite().BtnInTourenKopieren->click();
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(t.RecordCount(), 2);
        // The refusal by the tour rules was answered with messages; it is no fault to trace.
        QVERIFY2(Spur::zeilen.isEmpty(), qPrintable(Spur::zeilen.join('\n')));
    }

    void printingAndTheButtonsState()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        // Without the report part the print buttons stay off.
        QVERIFY(!seite().BitBtnDispoDrucken->isEnabled());
        fleet::testing::AufzeichnendeReportDienste reports;
        seite().betreten();
        meldungen.expectInformation("Zur Zeit sind keine Dispositionsdatensätze zu drucken");
        meldungen.expectInformation(
            "Zur Zeit sind keine Dispostionsdatensätze für die Druckvorschau verfügbar");
        seite().BitBtnDispoDrucken->click();
        seite().BitBtnDispoVorschau->click();
        QVERIFY(meldungen.verifyDone());
        buchung("A-1", kHeute, kHeute, "x");
        dispo().Refresh();
        seite().BitBtnDispoDrucken->click();
        seite().BitBtnDispoVorschau->click();
        QCOMPARE(reports.aufrufe, (QStringList{"PrintReport(13,1)", "PrintReport(13,2)"}));

        fleet::NurLeseModusSetzen(true);
        for (QPushButton *k : {seite().BtnDispoNeu, seite().BtnDispoSpeichern, seite().BtnDispoLoeschen,
                               seite().BtnDispoKopieren, seite().BtnInTourenKopieren})
            QVERIFY2(!k->isEnabled(), qPrintable(k->objectName()));
        fleet::NurLeseModusSetzen(false);
        QVERIFY(seite().BtnDispoKopieren->isEnabled());
        seite().KnoepfeFreigeben(false);
        QVERIFY(!seite().BtnDispoNeu->isEnabled() && !seite().BtnDispoKopieren->isEnabled());
        seite().KnoepfeFreigeben(true);
        QVERIFY(seite().BtnDispoNeu->isEnabled());
    }

    void aBarClickSelectsItsBookingAndAFailedPostKeepsTheRow()
    {
        buchung("A-1", kHeute, kHeute, "früh", encodeTime(6, 0), encodeTime(8, 0));
        buchung("A-1", kHeute, kHeute, "spät", encodeTime(14, 30), encodeTime(18, 0));
        starten();
        QCOMPARE(dispo().FieldByName("Tour")->AsString(), QStringLiteral("früh"));
        const QList<ui::GanttChart::Bar> &balken = seite().DBChart1->bars();
        QCOMPARE(balken.size(), 2);
        QCOMPARE(balken.at(1).label, QStringLiteral("A-1"));
        emit seite().DBChart1->barClicked(1, Qt::LeftButton);
        QCOMPARE(dispo().FieldByName("Tour")->AsString(), QStringLiteral("spät"));
        emit seite().DBChart1->barClicked(0, Qt::RightButton);
        QCOMPARE(dispo().FieldByName("Tour")->AsString(), QStringLiteral("spät"));

        // All vehicles: a bar of another vehicle at the same times marks that vehicle's booking.
        buchung("B-2", kHeute, kHeute, "anderes", encodeTime(6, 0), encodeTime(8, 0));
        seite().RadioGrpDispoFahrzeuge->setItemIndex(1);
        QCOMPARE(seite().DBChart1->bars().at(2).label, QStringLiteral("B-2"));
        emit seite().DBChart1->barClicked(2, Qt::LeftButton);
        QCOMPARE(dispo().FieldByName("Tour")->AsString(), QStringLiteral("anderes"));
        seite().RadioGrpDispoFahrzeuge->setItemIndex(0);

        // Up with a post that fails: the key is swallowed.
        dispo().Edit();
        dm->TTblDispoBeforePost = [](dbe::TDataSet &) { base::abortSilently(); };
        int taste = Qt::Key_Up;
        seite().DBGridDispoKeyDown(taste);
        QCOMPARE(taste, 0);
        QCOMPARE(dispo().State(), dbe::TDataSetState::dsEdit);
        taste = Qt::Key_Left;
        seite().DBGridDispoKeyDown(taste);
        QCOMPARE(taste, int(Qt::Key_Left));
        dispo().Cancel();

        // The key and the creator of a stored booking are not typed in the grid.
        const auto spalte = [this](const char *feld) {
            ui::DBGrid *g = seite().DBGridDispo;
            for (int i = 0; i < g->columnCount(); ++i)
                if (g->columnField(i) && g->columnField(i)->FieldName() == feld)
                    g->setSelectedIndex(i);
            return g->readOnly();
        };
        QVERIFY(spalte("DatumVon"));
        QVERIFY(spalte("AngelegtVon"));
        QVERIFY(!spalte("Tour"));
        QVERIFY(spalte("DatumBis"));
    }
};

QTEST_MAIN(DispoSeiteTest)
#include "dispo_seite_test.moc"
