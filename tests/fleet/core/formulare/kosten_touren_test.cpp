// The cost, tour and memo pages' buttons, the cost page's period view, the
// tour clipboard and the roll-forward of appointments, through the main
// window over a real data module.
#include <memory>

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "AufzeichnendeDienste.h"
#include "base/Abort.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Table.h"
#include "formulare/HauptFormular.h"
#include "formulare/seiten/KostenSeite.h"
#include "formulare/seiten/MemoSeite.h"
#include "formulare/seiten/StammdatenSeite.h"
#include "formulare/seiten/TourenSeite.h"
#include "kern_umgebung.h"
#include "regeln/NurLeseModus.h"
#include "regeln/TourZwischenablage.h"
#include "ui/Colors.h"
#include "ui/ComboBox.h"
#include "ui/DBGrid.h"
#include "ui/DBMemo.h"
#include "ui/PopupMenu.h"
#include "ui/RadioGroup.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using base::encodeDate;
using fleet::THauptFormular;

namespace {

const base::TDateTime kHeute = encodeDate(2005, 6, 10);
const QString kHuErfolg = QStringLiteral("HU-Termin erfolgreich fortgeschrieben.");

QString fehlerText(const QString &wort)
{
    return QStringLiteral("Terminfortschreibung nicht möglich - Sie haben entweder keinen ") + wort +
           QStringLiteral(" eingetragen oder kein entsprechendes Terminintervall im Einstellungen-Formular "
                          "definiert.");
}

} // namespace

class KostenTourenTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<ui::testing::FakeClock> uhr;
    std::unique_ptr<fleet::TDataModule1> dm;
    std::unique_ptr<THauptFormular> fenster;

    void zeile(const char *tabelle, const QStringList &felder, const QVariantList &werte)
    {
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, tabelle, felder, werte);
    }
    void einstellung(const QString &feld, const QVariant &wert)
    {
        dbe::TTable t(&umgebung->session());
        t.SetDatabaseName(fleet::kAliasFuhrpkMand);
        t.SetTableName("Kfzsyste.DB");
        t.Open();
        t.Edit();
        t.FieldByName(feld)->SetValue(wert);
        t.Post();
    }
    void starten()
    {
        dm = std::make_unique<fleet::TDataModule1>(&umgebung->session());
        fleet::DataModule1 = dm.get();
        fenster = std::make_unique<THauptFormular>();
    }
    fleet::KostenSeite &kosten() { return fenster->Kosten(); }
    fleet::TourenSeite &touren() { return fenster->Touren(); }
    // The data module's cursor on the vehicle's rows of a table, counted afresh.
    int anzahl(const char *tabelle, const QString &kfzNr = {})
    {
        dbe::TTable t(&umgebung->session());
        t.SetDatabaseName(fleet::kAliasFuhrpark);
        t.SetTableName(tabelle);
        t.Open();
        int n = 0;
        for (t.First(); !t.Eof(); t.Next())
            n += kfzNr.isEmpty() || t.FieldByName("KfzNr")->AsString() == kfzNr;
        return n;
    }
    void fahrzeugWaehlen(const QString &kfzNr) { QVERIFY(dm->TTblMain.Locate("KfzNr", kfzNr)); }
    QStringList notizen()
    {
        dbe::TTable t(&umgebung->session());
        t.SetDatabaseName(fleet::kAliasFuhrpark);
        t.SetTableName("KfzTerminInfo.db");
        t.Open();
        QStringList n;
        for (t.First(); !t.Eof(); t.Next())
            n << t.FieldByName("Kfznr")->AsString() + "/" + t.FieldByName("TerminName")->AsString() + "/" +
                     t.FieldByName("TerminWert")->AsString();
        return n;
    }
    void notiz(const QString &kfzNr, const QString &name, const QString &wert)
    {
        zeile("KfzTerminInfo.db", {"Kfznr", "TerminName", "TerminWert"}, {kfzNr, name, wert});
    }
    QVariant stamm(const char *feld) { return dm->TTblMain.FieldByName(feld)->Value(); }
    void tour(const QString &kfzNr, const QString &name, const QVariantList &rest)
    {
        zeile("KfzTour.db",
              {"KfzNr", "Tour", "Datum", "DatumBis", "FahrerName", "Kostenstelle", "AbfahrtKm", "AnkunftKm",
               "GefahrenKm", "PalettenPlus", "PalettenMinus", "Bemerkungen"},
              QVariantList{kfzNr, name} + rest);
    }

private slots:
    void init()
    {
        umgebung = std::make_unique<kerntest::Umgebung>();
        uhr = std::make_unique<ui::testing::FakeClock>(kHeute + 0.5);
        fleet::NurLesen = false;
        fleet::TourenModus = true;
        fleet::TourZwischenablage = {};
        zeile("KfzStamm.db", {"KfzNr", "KfzTUEVTermin", "KfzKlInspektionTermin"},
              {"A-1", encodeDate(2005, 3, 15), 45000.0});
        zeile("KfzStamm.db", {"KfzNr"}, {"B-2"});
    }
    void cleanup()
    {
        fenster.reset();
        fleet::DataModule1 = nullptr;
        dm.reset();
        uhr.reset();
        umgebung.reset();
        fleet::LeseModus = false;
        fleet::NurLesen = false;
    }

    // ---- cost and tour pages

    void aNewCostRecordIsDatedLikeTheLastReceipt()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        kosten().TBtnVarKostenNeu->click();
        QCOMPARE(dm->TTblVarKosten.State(), dbe::TDataSetState::dsInsert);
        QCOMPARE(dm->TTblVarKosten.FieldByName("BelegDatum")->AsDateTime(), kHeute);
        QCOMPARE(dm->TTblVarKosten.FieldByName("KfzNr")->AsString(), QStringLiteral("A-1"));
        // "&Löschen" while entering drops the row without a question.
        kosten().TBtnVarKostenLoeschen->click();
        QCOMPARE(dm->TTblVarKosten.State(), dbe::TDataSetState::dsBrowse);
        QCOMPARE(anzahl("KfzVar.db"), 0);
        fenster.reset();
        dm.reset();

        // Inserted out of date order; B-2's later receipt does not count for A-1.
        zeile("KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer"}, {"A-1", encodeDate(2005, 3, 31), "R-1"});
        zeile("KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer"}, {"A-1", encodeDate(2005, 1, 15), "R-2"});
        zeile("KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer"}, {"B-2", encodeDate(2005, 5, 1), "R-3"});
        starten();
        dm->TTblVar.SetTableName("irgendwas.db"); // left by an earlier borrower
        kosten().TBtnVarKostenNeu->click();
        QCOMPARE(dm->TTblVarKosten.FieldByName("BelegDatum")->AsDateTime(), encodeDate(2005, 3, 31));
        QCOMPARE(kosten().Raster()->columnField(kosten().Raster()->selectedIndex())->FieldName(),
                 QStringLiteral("BelegDatum"));
        QVERIFY(!dm->TTblVar.Active());
        QVERIFY(dm->TTblVar.MasterSource() == nullptr);
        // Saved through the cost rules: an amount is still missing.
        meldungen.expectError("Bitte geben Sie noch die Kosten in die entsprechende Spalte ein.");
        kosten().TBtnVarKostenSpeichern->click();
        QCOMPARE(dm->TTblVarKosten.State(), dbe::TDataSetState::dsInsert);
        dm->TTblVarKosten.FieldByName("ReparaturKosten")->SetAsFloat(1234.5);
        kosten().TBtnVarKostenSpeichern->click();
        QCOMPARE(dm->TTblVarKosten.State(), dbe::TDataSetState::dsBrowse);
        QCOMPARE(anzahl("KfzVar.db", "A-1"), 3);
        QVERIFY(meldungen.verifyDone());
    }

    void aNewTourStartsWhereTheLastArrived()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        touren().BtnTourenNeu->click();
        QCOMPARE(dm->TTblTouren.FieldByName("AbfahrtKm")->AsFloat(), 0.0);
        QCOMPARE(dm->TTblTouren.FieldByName("Datum")->AsDateTime(), kHeute);
        touren().TBtnTourenLoeschen->click();
        fenster.reset();
        dm.reset();

        tour("A-1", "Nord",
             {encodeDate(2005, 2, 1), QVariant(), "Meier", "K1", 12000.0, 12200.0, 200.0, 0, 0, ""});
        tour("A-1", "Süd",
             {encodeDate(2005, 3, 1), QVariant(), "Meier", "K1", 12200.0, 12345.0, 145.0, 0, 0, ""});
        starten();
        touren().BtnTourenNeu->click();
        QCOMPARE(dm->TTblTouren.FieldByName("AbfahrtKm")->AsFloat(), 12345.0);
        QCOMPARE(dm->TTblTouren.FieldByName("Datum")->AsDateTime(), encodeDate(2005, 3, 1));
        QCOMPARE(touren().Raster()->columnField(touren().Raster()->selectedIndex())->FieldName(),
                 QStringLiteral("Datum"));
        touren().TBtnTourenLoeschen->click();
        QVERIFY(meldungen.verifyDone());
    }

    void deletingAsksAndReportsAFailure()
    {
        zeile("KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer", "ReparaturKosten"},
              {"A-1", encodeDate(2005, 3, 31), "R-1", 10.0});
        tour("A-1", "Nord", {encodeDate(2005, 2, 1), QVariant(), "Meier", "K1", 0.0, 0.0, 200.0, 0, 0, ""});
        starten();
        ui::testing::ScriptedMessages meldungen;
        const QString kostenFrage = "Möchten Sie den markierten Kostendatensatz wirklich löschen";
        const QString tourFrage = "Möchten Sie den markierten Tourendatensatz wirklich löschen";
        meldungen.expectQuestion(kostenFrage, false).expectQuestion(tourFrage, false);
        kosten().TBtnVarKostenLoeschen->click();
        touren().TBtnTourenLoeschen->click();
        QCOMPARE(anzahl("KfzVar.db") + anzahl("KfzTour.db"), 2);
        meldungen.expectQuestion(kostenFrage, true).expectQuestion(tourFrage, true);
        kosten().TBtnVarKostenLoeschen->click();
        touren().TBtnTourenLoeschen->click();
        QCOMPARE(anzahl("KfzVar.db") + anzahl("KfzTour.db"), 0);
        // Nothing left to delete: the engine refuses.
        meldungen.expectQuestion(kostenFrage, true)
            .expectError("Löschen des Kostendatensatzes nicht möglich");
        meldungen.expectQuestion(tourFrage, true).expectError("Löschen des Tourendatensatzes nicht möglich");
        kosten().TBtnVarKostenLoeschen->click();
        touren().TBtnTourenLoeschen->click();
        QVERIFY(meldungen.verifyDone());
    }

    void theCostPeriodViewFiltersByYearOrMonth()
    {
        for (auto [nummer, jahr, monat] :
             {std::tuple{"R-1", "2005", "März"}, {"R-2", "2005", "April"}, {"R-3", "2004", "März"}})
            zeile("KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer", "Jahr", "Monat"},
                  {"A-1", encodeDate(QString(jahr).toInt(), 3, 1), nummer, jahr, QString::fromUtf8(monat)});
        starten();
        dbe::TTable &k = dm->TTblVarKosten;
        kosten().CmbBoxKostenJahr->setCurrentText("2005");
        kosten().CmbBoxKostenMonat->setCurrentText("März");

        kosten().RadioGrpKostenSicht->setItemIndex(2); // runs the click
        QCOMPARE(k.Filter(), QStringLiteral("Jahr = 2005"));
        QVERIFY(k.Filtered());
        QCOMPARE(k.RecordCount(), 2);
        QVERIFY(kosten().CmbBoxKostenJahr->isEnabled());
        QVERIFY(!kosten().CmbBoxKostenMonat->isEnabled());
        // A month picked under "Jahr" changes nothing.
        kosten().CmbBoxKostenMonat->setCurrentText("April");
        kosten().CmbBoxKostenMonatChange();
        QCOMPARE(k.Filter(), QStringLiteral("Jahr = 2005"));

        kosten().CmbBoxKostenMonat->setCurrentText("März");
        kosten().RadioGrpKostenSicht->setItemIndex(1);
        QCOMPARE(k.Filter(), QStringLiteral("(Jahr = '2005') and (Monat = 'März')"));
        QCOMPARE(k.RecordCount(), 1);
        kosten().CmbBoxKostenJahr->setCurrentText("2004");
        kosten().CmbBoxKostenJahrChange();
        QCOMPARE(k.Filter(), QStringLiteral("(Jahr = '2004') and (Monat = 'März')"));
        QCOMPARE(k.FieldByName("BelegNummer")->AsString(), QStringLiteral("R-3"));
        // Run again (as the rules do by setting the group): the same state.
        kosten().RadioGrpKostenSichtClick();
        QCOMPARE(k.RecordCount(), 1);

        kosten().RadioGrpKostenSicht->setItemIndex(0);
        QVERIFY(k.Filter().isEmpty());
        QVERIFY(!k.Filtered());
        QCOMPARE(k.RecordCount(), 3);
        QVERIFY(!kosten().CmbBoxKostenJahr->isEnabled());
        kosten().CmbBoxKostenJahrChange();
        QVERIFY(!k.Filtered());
    }

    void theMemoIndicatorFollowsTheText()
    {
        zeile("KfzStamm.db", {"KfzNr", "Memo"}, {"C-3", "Zahnriemen prüfen"});
        starten();
        fleet::MemoSeite &memo = fenster->Memo();
        const auto farbe = [this] { return fenster->TPanMemoLED->palette().color(QPalette::Window); };
        const QColor rot = ui::toQColor(ui::color::Red), grau = ui::toQColor(ui::color::BtnFace);
        // Shown with the vehicle.
        fahrzeugWaehlen("C-3");
        QCOMPARE(farbe(), rot);
        fahrzeugWaehlen("A-1");
        QCOMPARE(farbe(), grau);
        // Typed and emptied.
        dm->TTblMain.Edit();
        memo.EditDBMemo->setPlainText("\n");
        QCOMPARE(farbe(), rot);
        memo.EditDBMemo->clear();
        QCOMPARE(farbe(), grau);

        // "&Speichern" posts the memo.
        memo.EditDBMemo->setPlainText("Öl nachfüllen");
        memo.BtnMemoSpeichern->click();
        QCOMPARE(dm->TTblMain.State(), dbe::TDataSetState::dsBrowse);
        dm->TTblMain.Refresh();
        QCOMPARE(dm->TTblMain.FieldByName("Memo")->AsString(), QStringLiteral("Öl nachfüllen"));
    }

    void readOnlyDisablesTheSixButtonsButNotTheMemosSave()
    {
        starten();
        fleet::NurLeseModusSetzen(true);
        for (QPushButton *k :
             {kosten().TBtnVarKostenNeu, kosten().TBtnVarKostenSpeichern, kosten().TBtnVarKostenLoeschen,
              touren().BtnTourenNeu, touren().BtnTourenSpeichern, touren().TBtnTourenLoeschen})
            QVERIFY2(!k->isEnabled(), qPrintable(k->objectName()));
        QVERIFY(fenster->Memo().BtnMemoSpeichern->isEnabled());
        fleet::NurLeseModusSetzen(false);
        QVERIFY(touren().BtnTourenNeu->isEnabled());
    }

    // ---- the tour clipboard

    void copyingAnIncompleteTourOpensTheEditDialog()
    {
        tour("A-1", "Nord",
             {encodeDate(2005, 2, 1), QVariant(), "Meier", "K1", 0.0, 0.0, QVariant(), 0, 0, ""});
        starten();
        fleet::testing::AufzeichnendeTerminDienste dienste;
        ui::testing::ScriptedMessages meldungen;
        QVERIFY(!touren().Toureinfgen1->isEnabled());
        QVERIFY(!touren().Tourndern1->isEnabled());
        touren().Tourkopieren1->trigger();
        QCOMPARE(dienste.aufrufe, QStringList{"TourBearbeiten(2)"});
        QVERIFY(!touren().Toureinfgen1->isEnabled());
        QVERIFY(touren().Tourndern1->isEnabled());

        // A vehicle without tours has nothing to copy or move.
        fahrzeugWaehlen("B-2");
        meldungen.expectInformation(
            "Es ist bei diesem Fahrzeug noch keine Tour gespeichert, die Sie kopieren könnten");
        meldungen.expectInformation(
            "Es ist bei diesem Fahrzeug noch keine Tour gespeichert, die Sie verschieben könnten");
        touren().Tourkopieren1->trigger();
        touren().Tourverschieben1->trigger();
        QVERIFY(meldungen.verifyDone());
    }

    void aCopyIsRefusedForTheSameKeyAndInsertedOnceChanged()
    {
        tour("A-1", "Nord",
             {encodeDate(2005, 2, 1), QVariant(), "Meier", "K1", 12000.0, 12200.0, 200.0, 7, 3, "Ladung"});
        tour("B-2", "Nord",
             {encodeDate(2005, 2, 1), QVariant(), "Meier", "K1", 500.0, 600.0, 100.0, 0, 0, ""});
        starten();
        fleet::testing::AufzeichnendeTerminDienste dienste;
        ui::testing::ScriptedMessages meldungen;
        touren().Tourkopieren1->trigger();
        QVERIFY(dienste.aufrufe.isEmpty());
        QVERIFY(touren().Toureinfgen1->isEnabled());
        QCOMPARE(fleet::TourZwischenablage.PalettenPlus, 7.0);

        fahrzeugWaehlen("B-2");
        meldungen.expectWarning(
            "Das Einfügen der Tour ist nicht möglich - die zu kopierende Tour ist bei diesem Fahrzeug schon "
            "vorhanden\r\rTIP:\rWenn das Speichern der Tour zu diesem Fahrzeug sinnvoll ist, ändern Sie "
            "mindestens eines der folgenden Datenfelder \"Datum/Von\",\"Datum/Bis\",\"Tour\",\"FahrerName\" "
            "oder \"Kostenstelle\", um die Tour bei diesem Fahrzeug zu speichern.");
        touren().Toureinfgen1->trigger();
        QCOMPARE(anzahl("KfzTour.db", "B-2"), 1);
        QVERIFY(touren().Toureinfgen1->isEnabled());

        fleet::TourZwischenablage.Tour = "Nord-2";
        meldungen.expectInformation("Bitte tragen Sie jetzt die Kilometerstände nach, wenn gewünscht");
        touren().Toureinfgen1->trigger();
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(anzahl("KfzTour.db", "B-2"), 2);
        QCOMPARE(anzahl("KfzTour.db", "A-1"), 1);
        dbe::TTable &t = dm->TTblTouren;
        QCOMPARE(t.FieldByName("Tour")->AsString(), QStringLiteral("Nord-2")); // positioned on it
        QCOMPARE(t.FieldByName("KfzNr")->AsString(), QStringLiteral("B-2"));
        QCOMPARE(t.FieldByName("AbfahrtKm")->AsFloat(), 0.0);
        QCOMPARE(t.FieldByName("AnkunftKm")->AsFloat(), 0.0);
        QCOMPARE(t.FieldByName("GefahrenKm")->AsFloat(), 200.0);
        QVERIFY(t.FieldByName("DatumBis")->IsNull());
        QCOMPARE(t.FieldByName("PalettenPlus")->AsFloat(), 7.0);
        QCOMPARE(t.FieldByName("PalettenMinus")->AsFloat(), 3.0);
        QCOMPARE(t.FieldByName("Bemerkungen")->AsString(), QStringLiteral("Ladung"));
        QVERIFY(!touren().Toureinfgen1->isEnabled());
        QVERIFY(!touren().Tourndern1->isEnabled());
        QVERIFY(!dm->TTblVar.Active());
    }

    void aMoveHandsTheTourToAnotherVehicle()
    {
        tour("A-1", "Nord",
             {encodeDate(2005, 2, 1), encodeDate(2005, 2, 3), "Meier", "K1", 12000.0, 12200.0, 200.0, 7, 3,
              "x"});
        starten();
        ui::testing::ScriptedMessages meldungen;
        touren().Tourverschieben1->trigger();
        QVERIFY(touren().Toureinfgen1->isEnabled());
        QVERIFY(!touren().Tourndern1->isEnabled());
        meldungen.expectInformation("Sie können eine Tour nur zu einem anderen Fahrzeug verschieben");
        touren().Toureinfgen1->trigger();
        QCOMPARE(anzahl("KfzTour.db", "A-1"), 1);

        fahrzeugWaehlen("B-2");
        touren().Toureinfgen1->trigger();
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(anzahl("KfzTour.db", "A-1"), 0);
        QCOMPARE(anzahl("KfzTour.db", "B-2"), 1);
        dbe::TTable &t = dm->TTblTouren;
        QCOMPARE(t.FieldByName("KfzNr")->AsString(), QStringLiteral("B-2"));
        QCOMPARE(t.FieldByName("AbfahrtKm")->AsFloat(), 0.0);
        QCOMPARE(t.FieldByName("AnkunftKm")->AsFloat(), 0.0);
        QCOMPARE(t.FieldByName("GefahrenKm")->AsFloat(), 200.0);
        QCOMPARE(t.FieldByName("DatumBis")->AsDateTime(), encodeDate(2005, 2, 3));
        QCOMPARE(t.FieldByName("PalettenPlus")->AsFloat(), 7.0);
        QVERIFY(!touren().Toureinfgen1->isEnabled());
    }

    void anEngineErrorDuringAPasteStillCleansUp()
    {
        tour("A-1", "Nord", {encodeDate(2005, 2, 1), QVariant(), "Meier", "K1", 0.0, 0.0, 200.0, 0, 0, ""});
        starten();
        ui::testing::ScriptedMessages meldungen;
        touren().Tourkopieren1->trigger();
        fahrzeugWaehlen("B-2");
        // The scratch table found open elsewhere: pointing it at the tours fails.
        dm->TTblVar.SetTableName("KfzStamm.db");
        dm->TTblVar.Open();
        QVERIFY_THROWS_EXCEPTION(dbe::EDatabaseError, fleet::TourZwischenablageEinfuegen());
        QVERIFY(!dm->TTblVar.Active());
        QVERIFY(!dm->TTblTouren.ControlsDisabled());
        QCOMPARE(anzahl("KfzTour.db", "B-2"), 0);
        // Through the menu the error reaches the error display.
        dm->TTblVar.SetTableName("KfzStamm.db");
        dm->TTblVar.Open();
        meldungen.expectError("Diese Operation ist bei einer geöffneten Datenmenge nicht zulässig");
        touren().Toureinfgen1->trigger();
        QVERIFY(meldungen.verifyDone());
        QVERIFY(touren().Toureinfgen1->isEnabled());
    }

    // ---- appointment roll-forward

    void aRollForwardMovesTheDateAndDeletesExactlyTheOldNote()
    {
        einstellung("TUEVTIntervall", 24.0);
        notiz("A-1", "TTblTermineTUEVTermin", "15.03.2005");
        notiz("A-1", "TTblTermineASUTermin", "15.03.2005");
        notiz("B-2", "TTblTermineTUEVTermin", "15.03.2005");
        starten();
        ui::testing::ScriptedMessages meldungen;
        meldungen.expectInformation(kHuErfolg);
        fenster->TerminFortschreiben("EditTUEVTermin");
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(stamm("KfzTUEVTermin").toDouble(), encodeDate(2007, 3, 15));
        QCOMPARE(notizen(), (QStringList{"A-1/TTblTermineASUTermin/15.03.2005",
                                         "B-2/TTblTermineTUEVTermin/15.03.2005"}));
        QCOMPARE(dm->TTblMain.State(), dbe::TDataSetState::dsBrowse);
    }

    void kilometreKindsAddTheirIntervalAndRefuseAnOverflow()
    {
        einstellung("KlInspektionTIntervall", 15000.0);
        notiz("A-1", "TTblTermineKlInspektionTermin", "45000");
        starten();
        ui::testing::ScriptedMessages meldungen;
        meldungen.expectInformation("Kl. Inspektionstermin erfolgreich fortgeschrieben.");
        fenster->TerminFortschreiben("EditKlInspektionTermin");
        QCOMPARE(stamm("KfzKlInspektionTermin").toDouble(), 60000.0);
        QVERIFY(notizen().isEmpty());

        dm->TTblMain.Edit();
        dm->TTblMain.FieldByName("KfzKlInspektionTermin")->SetAsFloat(2147480000.0);
        dm->TTblMain.Post();
        notiz("A-1", "TTblTermineKlInspektionTermin", "2147480000");
        einstellung("KlInspektionTIntervall", 10000.0);
        dm->TTblEinstellungenAllgem.Refresh();
        meldungen.expectError("Integer-Überlauf");
        fenster->TerminFortschreiben("EditKlInspektionTermin");
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(stamm("KfzKlInspektionTermin").toDouble(), 2147480000.0);
        QCOMPARE(notizen().size(), 1);
    }

    void aMissingValueOrIntervalWarnsAndKeepsTheNote()
    {
        notiz("A-1", "TTblTermineTUEVTermin", "15.03.2005");
        einstellung("FrTermin6TIntervall", 12.0);
        starten();
        ui::testing::ScriptedMessages meldungen;
        fenster->Stammdaten().findChild<QLabel *>("LblFreierTermin6")->setText("Ölwechsel");
        meldungen.expectWarning(fehlerText("HU-Termin")); // no interval
        meldungen.expectWarning(fehlerText("Ölwechsel")); // no due date
        meldungen.expectWarning(fehlerText("AU-Termin"));
        fenster->TerminFortschreiben("EditTUEVTermin");
        fenster->TerminFortschreiben("EditFreierTermin6");
        fleet::TerminMeldungZeigen = false; // warnings still come
        fenster->TerminFortschreiben("EditASUTermin");
        fleet::TerminMeldungZeigen = true;
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(notizen().size(), 1);
        QCOMPARE(stamm("KfzTUEVTermin").toDouble(), encodeDate(2005, 3, 15));
        // Not one of the appointment edits: nothing happens.
        fenster->TerminFortschreiben("EditKfzNr");
    }

    void readOnlyAndSilentModesAndARefusedPost()
    {
        einstellung("TUEVTIntervall", 0.0); // "0" counts as set
        notiz("A-1", "TTblTermineTUEVTermin", "15.03.2005");
        starten();
        ui::testing::ScriptedMessages meldungen;
        for (bool *schalter : {&fleet::NurLesen, &fleet::LeseModus}) {
            *schalter = true;
            meldungen.expectInformation("Sie haben nur Leserechte!");
            fenster->TerminFortschreiben("EditTUEVTermin");
            *schalter = false;
        }
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(notizen().size(), 1);

        fleet::TerminMeldungZeigen = false;
        fenster->TerminFortschreiben("EditTUEVTermin");
        fleet::TerminMeldungZeigen = true;
        QVERIFY(notizen().isEmpty());
        QCOMPARE(stamm("KfzTUEVTermin").toDouble(), encodeDate(2005, 3, 15));

        // A rule refuses the post: no success, the vehicle stays in edit with the new date.
        einstellung("TUEVTIntervall", 1.0);
        dm->TTblEinstellungenAllgem.Refresh();
        dm->TTblMainBeforePost = [](dbe::TDataSet &) { base::abortSilently(); };
        fenster->TerminFortschreiben("EditTUEVTermin");
        QCOMPARE(dm->TTblMain.State(), dbe::TDataSetState::dsEdit);
        QCOMPARE(stamm("KfzTUEVTermin").toDouble(), encodeDate(2005, 4, 15));
        dm->TTblMain.Cancel();
    }

    void aCostReceiptForTheInspectionRollsItForward()
    {
        einstellung("TUEVTIntervall", 24.0);
        starten();
        ui::testing::ScriptedMessages meldungen;
        dbe::TTable &k = dm->TTblVarKosten;
        k.Append();
        k.FieldByName("BelegDatum")->SetAsDateTime(encodeDate(2005, 3, 14));
        k.FieldByName("UntersuchungKosten")->SetAsFloat(1250.0);
        k.FieldByName("TerminKz")->SetAsString("TUV");
        meldungen.expectQuestion("Möchten Sie den HU-Termin fortschreiben", true)
            .expectInformation(kHuErfolg);
        k.Post();
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(stamm("KfzTUEVTermin").toDouble(), encodeDate(2007, 3, 15));
    }

    void thePopupSitsOnEveryAppointmentEdit()
    {
        starten();
        fleet::StammdatenSeite &s = fenster->Stammdaten();
        QCOMPARE(s.TPopupMenuTermin->actions().size(), 2);
        QCOMPARE(s.NchstenTermin1->text(), QStringLiteral("Termin fortschreiben"));
        QStringList ohne;
        for (const char *e :
             {"EditTUEVTermin", "EditASUTermin", "EditInspektionTermin", "EditKlInspektionTermin",
              "EditGrInspektionTermin", "EditVignetteTermin1", "EditVignetteTermin2"})
            if (s.findChild<QWidget *>(e)->contextMenuPolicy() != Qt::CustomContextMenu)
                ohne << e;
        for (int i = 1; i <= 14; ++i)
            if (s.findChild<QWidget *>(QStringLiteral("EditFreierTermin%1").arg(i))->contextMenuPolicy() !=
                Qt::CustomContextMenu)
                ohne << QString::number(i);
        QVERIFY2(ohne.isEmpty(), qPrintable(ohne.join(',')));
    }
};

QTEST_MAIN(KostenTourenTest)
#include "kosten_touren_test.moc"
