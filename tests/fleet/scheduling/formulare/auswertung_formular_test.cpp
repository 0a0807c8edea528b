// The fleet cost and the vehicle comparison forms offscreen, over a real data module.
#include <QAbstractBarSeries>
#include <QBarSet>
#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QSvgRenderer>
#include <QTest>
#include <QThread>

#include "AufzeichnendeDienste.h"
#include "FensterAttrappe.h"
#include "base/Abort.h"
#include "base/GermanFormat.h"
#include "daten/Aliase.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Field.h"
#include "formulare/AlleFahrzeugeFormular.h"
#include "formulare/AuswertungsBausteine.h"
#include "formulare/BalkenDiagramm.h"
#include "formulare/FuhrparkKostenFormular.h"
#include "formulare/HauptFormular.h"
#include "formulare/MonatsauswertungAlleFahrzeugeFormular.h"
#include "kern_umgebung.h"
#include "regeln/AuswertungFilter.h"
#include "regeln/FeldBezeichnungen.h"
#include "termin_umgebung.h"
#include "ui/DBGrid.h"
#include "ui/RadioGroup.h"
#include "ui/StartUp.h"
#include "ui/testing/ScriptedMessages.h"

namespace {

// The report catalogue as these forms see it: records the requests and
// whether the chart picture was there when report 8 was asked for.
class BerichtsAttrappe : public fleet::testing::AufzeichnendeReportDienste {
public:
    bool bildDa = false;
    void PrintReport(int nummer, int modus) override
    {
        bildDa = QSvgRenderer(QDir::current().filePath("Fuhrpks~.wmf")).isValid();
        AufzeichnendeReportDienste::PrintReport(nummer, modus);
    }
};

// The bars of every bar series of the chart: one per value of each of its sets.
int balkenAnzahl(fleet::TBalkenDiagramm &diagramm)
{
    int anzahl = 0;
    for (QAbstractSeries *reihe : diagramm.chart()->series())
        if (auto *balken = qobject_cast<QAbstractBarSeries *>(reihe))
            for (QBarSet *satz : balken->barSets())
                anzahl += satz->count();
    return anzahl;
}

} // namespace

class AuswertungFormularTest : public QObject {
    Q_OBJECT

    std::unique_ptr<termintest::TerminUmgebung> u;

    void fahrzeug(const QString &nr, const QString &gruppe, double schadstoff)
    {
        kerntest::zeileAnfuegen(u->session(), fleet::kAliasFuhrpark, "KfzStamm.db",
                                {"KfzNr", "Info", "Gruppe", "Kostenstelle", "Schadstoff"},
                                {nr, "Sprinter Kühltransport", gruppe, "Vertrieb Süd", schadstoff});
    }
    void monat(const QString &nr, int monat, double km, double reparatur, double verbrauch, double ertrag)
    {
        kerntest::zeileAnfuegen(u->session(), fleet::kAliasFuhrpark, "KfzMonat.DB",
                                {"KfzNr", "AuswJahr", "AuswMonatNum", "AuswMonatText", "GefKilometer",
                                 "GesamtKosten", "ReparaturKosten", "VerbrauchKosten", "VerbrauchLiter",
                                 "Ertrag"},
                                {nr, "2024", monat, base::de::monthName(monat), km,
                                 reparatur + verbrauch + 500, reparatur, verbrauch, verbrauch / 1.8, ertrag});
    }

private slots:
    void initTestCase() { ui::startGerman(); }
    void init()
    {
        u = std::make_unique<termintest::TerminUmgebung>();
        fleet::FeldBezeichnungen.setzen("NameSonstigeKosten", "Maut");
        fleet::FeldBezeichnungen.setzen("NameSonstige2Kosten", "Parken");
        fleet::FeldBezeichnungen.setzen("NameSonstige3Kosten", "Versicherung");
        fleet::FeldBezeichnungen.setzen("NameSonstige4Kosten", "Leasing");
        fleet::FeldBezeichnungen.setzen("NameSchadstoff", "CO2");
        fleet::HeuteJahrText = "2024";
        fleet::HeuteMonat = 3;
        const char *gruppen[] = {"Kühlung", "Pritsche", "Kühlung"};
        for (int i = 0; i < 12; ++i) {
            const QString nr = QStringLiteral("M-KV %1").arg(100 + i * 17);
            fahrzeug(nr, QString::fromUtf8(gruppen[i % 3]), 150 + i * 10);
            for (int m = 1; m <= 3; ++m)
                monat(nr, m, 1800 + i * 230 + m * 40, 120.5 * (i % 4), 410 + i * 35.25, 2500 + i * 100);
        }
        u->dm().TTblMain.Refresh();
    }
    void cleanup()
    {
        fleet::TourenModus = false;
        fleet::AuswertungFilterName.clear();
        fleet::AuswertungFilterWert.clear();
        u.reset();
    }

    void fleetCostsShowPeriodTotalsChartAndFilter()
    {
        ui::testing::ScriptedMessages meldungen;
        BerichtsAttrappe berichte;
        testsupport::TempDir programm;
        const QString vorher = QDir::currentPath();
        QDir::setCurrent(QString::fromStdString(programm.path().string()));
        fleet::TFuhrparkKostenFormular form;
        QVERIFY(!u->dm().TTblFuhrparkKosten.FieldByName("Ertrag")->Visible());
        fleet::AuswertungFilterName = "Gruppe";
        fleet::AuswertungFilterWert = "Kühlung";
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.LblFilter->text(), QString("Gruppe = Kühlung"));
        QCOMPARE(form.LblAuswertungszeitraum->text(), QString("Auswertungszeitraum: Alle Daten"));
        QVERIFY(!form.ComboBoxJahr->isEnabled() && !form.CmbBoxMonat->isEnabled());
        QCOMPARE(u->dm().TTblFuhrparkKosten.RecordCount(), 12);
        QCOMPARE(form.LblSummeFuhrparkErtrag->text(), QString("n. V.  "));
        QCOMPARE(form.LblFuhrparkSchadstoff->text(), QString("CO2/Gef.Km.(kg)"));
        QCOMPARE(form.LblSonstige4KostenName->text(), QString("Leasing"));
        QCOMPARE(form.DBChartFuhrpark->marken().size(), 12);
        QCOMPARE(balkenAnzahl(*form.DBChartFuhrpark), 12);
        QVERIFY(form.DBChartFuhrpark->marken()[0].startsWith("M-KV 100 "));
        QVERIFY(form.DBChartFuhrpark->marken()[0].endsWith(" %"));
        QCOMPARE(form.DBChartFuhrpark->titel(), QString("Gesamt"));
        // Totals as the rows add up: money with two decimals, km without.
        double km = 0;
        for (int i = 0; i < 12; ++i)
            km += 3 * (1800 + i * 230) + 240;
        QCOMPARE(form.LBLSummeFuhrparkGefKm->text(), base::de::formatFixed(km, 0));

        // The month March: one monthly row per vehicle.
        form.RadioGrpSicht->setItemIndex(2);
        QCOMPARE(form.LblAuswertungszeitraum->text(), QString("Auswertungszeitraum: Monat März 2024"));
        QVERIFY(form.ComboBoxJahr->isEnabled() && form.CmbBoxMonat->isEnabled());
        km = 0;
        for (int i = 0; i < 12; ++i)
            km += 1800 + i * 230 + 120;
        QCOMPARE(form.LBLSummeFuhrparkGefKm->text(), base::de::formatFixed(km, 0));
        QVERIFY(!u->dm().TTblMonatKosten.Filtered());

        // A column right of the cost centre feeds the chart; one left of it does not.
        form.DBGridFuhrpark->setSelectedIndex(2);
        QCOMPARE(form.DBChartFuhrpark->titel(), QString("Gesamt"));
        form.DBGridFuhrpark->setSelectedIndex(6);
        QCOMPARE(form.DBChartFuhrpark->titel(), QString("Reparatur"));
        if (qEnvironmentVariableIsSet("KARVENFP_BILDER")) {
            QTest::qWait(100);
            form.grab().save(qEnvironmentVariable("KARVENFP_BILDER") + "/fuhrpark_kosten.png");
        }

        form.TBitBtnDurchschnittVorschau->click();
        QCOMPARE(berichte.aufrufe, QStringList({"PrintReport(8,2)"}));
        QVERIFY(berichte.bildDa);
        QDir::setCurrent(vorher);
    }

    // Many more bars than the chart is wide: one bar each, and only as many
    // names and marks as fit side by side; zoomed in, every bar is named.
    void aChartOfManyBarsNamesOnlyWhatFits()
    {
        fleet::TBalkenDiagramm diagramm;
        diagramm.resize(500, 400);
        QStringList namen;
        QList<double> werte;
        for (int i = 0; i < 2000; ++i) {
            namen << QStringLiteral("K-%1").arg(i, 5, 10, QLatin1Char('0'));
            werte << 100 + i % 37;
        }
        diagramm.setDaten(namen, werte);
        diagramm.show();
        QVERIFY(QTest::qWaitForWindowExposed(&diagramm));
        QCOMPARE(balkenAnzahl(diagramm), 2000);
        QCOMPARE(diagramm.marken().size(), 2000);

        const double breite = diagramm.chart()->plotArea().width();
        const double zeile = QFontMetricsF(diagramm.chart()->font()).height();
        const QStringList namenGezeigt = diagramm.sichtbareNamen();
        QVERIFY(!namenGezeigt.isEmpty());
        QVERIFY2(namenGezeigt.size() * zeile <= breite + zeile,
                 qPrintable(QStringLiteral("%1 names in %2 px").arg(namenGezeigt.size()).arg(breite)));
        QCOMPARE(diagramm.sichtbareMarken().size(), namenGezeigt.size());
        // Evenly spaced from the first bar on.
        const int schritt = namenGezeigt.size() > 1 ? namen.indexOf(namenGezeigt[1]) : 1;
        QVERIFY(schritt > 1);
        for (int k = 0; k < namenGezeigt.size(); ++k)
            QCOMPARE(namenGezeigt[k], namen[k * schritt]);

        // Ten bars in view: each named and marked.
        QChart *chart = diagramm.chart();
        const QPointF von = chart->mapToPosition(QPointF(99.5, 0), chart->series().value(0));
        const QPointF bis = chart->mapToPosition(QPointF(109.5, 0), chart->series().value(0));
        chart->zoomIn(
            QRectF(von.x(), chart->plotArea().top(), bis.x() - von.x(), chart->plotArea().height()));
        QCOMPARE(diagramm.sichtbareNamen(), namen.mid(100, 10));
        QCOMPARE(diagramm.sichtbareMarken().size(), 10);
        if (qEnvironmentVariableIsSet("KARVENFP_BILDER"))
            diagramm.grab().save(qEnvironmentVariable("KARVENFP_BILDER") + "/balken_gezoomt.png");
        diagramm.zoomZuruecksetzen();
        QCOMPARE(diagramm.sichtbareNamen(), namenGezeigt);
        if (qEnvironmentVariableIsSet("KARVENFP_BILDER"))
            diagramm.grab().save(qEnvironmentVariable("KARVENFP_BILDER") + "/balken_alle.png");
    }

    // A run's step: a short run is not held up; once it has taken a while,
    // Escape waiting in the input ends it quietly, other keys do not.
    void aLongRunEndsQuietlyOnEscape()
    {
        QProgressBar balken;
        balken.setRange(0, 100);
        balken.setValue(0);
        balken.show();
        const std::function<void()> schritt = fleet::FortschrittSchritt(&balken);
        const auto taste = [&balken](Qt::Key k) {
            QCoreApplication::postEvent(&balken, new QKeyEvent(QEvent::KeyPress, k, Qt::NoModifier));
        };
        taste(Qt::Key_Escape);
        schritt();
        QCOMPARE(balken.value(), 1);
        QThread::msleep(300);
        QVERIFY_THROWS_EXCEPTION(base::SilentAbort, schritt());
        QCOMPARE(balken.value(), 2);
        taste(Qt::Key_A);
        QThread::msleep(150);
        schritt();
        QCOMPARE(balken.value(), 3);
    }

    void fleetCostsShowRevenueInToursMode()
    {
        ui::testing::ScriptedMessages meldungen;
        fleet::TourenModus = true;
        fleet::TFuhrparkKostenFormular form;
        QVERIFY(u->dm().TTblFuhrparkKosten.FieldByName("Ertrag")->Visible());
        form.FuhrparkKostenBerechnen();
        double ertrag = 0;
        for (int i = 0; i < 12; ++i)
            ertrag += 3 * (2500 + i * 100);
        QCOMPARE(form.LblSummeFuhrparkErtrag->text(), base::de::formatFixed(ertrag, 2));
    }

    void comparisonSortsPrintsAndNamesTheFilter()
    {
        ui::testing::ScriptedMessages meldungen;
        fleet::testing::AufzeichnendeReportDienste berichte;
        fleet::TAlleFahrzeugeFormular form;
        fleet::AuswertungFilterName = "Gruppe";
        fleet::AuswertungFilterWert = "Kühlung";
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QCOMPARE(form.StatusBarFahrzeugvergleich->currentMessage(), QString("Gruppe = Kühlung"));
        QCOMPARE(u->dm().TTblAlleFahrzeuge.RecordCount(), 12);
        QCOMPARE(form.TComboBoxSort->currentText(), QString("Kfz.-Nummer"));
        form.TComboBoxSort->setCurrentIndex(4);
        form.TComboBoxSortChange();
        QCOMPARE(u->dm().TTblAlleFahrzeuge.IndexFieldNames(), QString("DVerbrauchLiter"));
        if (qEnvironmentVariableIsSet("KARVENFP_BILDER"))
            form.grab().save(qEnvironmentVariable("KARVENFP_BILDER") + "/fahrzeugvergleich.png");
        form.TBitBtnAlleFahrzeugeAuswertungDrucken->click();
        QCOMPARE(berichte.aufrufe, QStringList({"PrintReport(5,1)"}));
    }

    // The bar counts the vehicles while the comparison is built and goes only
    // when the run ends, also when Escape ends it part way.
    void comparisonShowsItsProgressToTheEndAndEndsOnEscape()
    {
        ui::testing::ScriptedMessages meldungen;
        fleet::TAlleFahrzeugeFormular form;
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form)); // its own run at activation is over
        dbe::TTable &vergleich = u->dm().TTblAlleFahrzeuge;
        const int fahrzeuge = u->dm().TTblMain.RecordCount();
        QVERIFY(fahrzeuge > 5);
        QList<int> stand;
        int abbrechenBei = 0;
        vergleich.BeforePost = [&](dbe::TDataSet &) {
            QVERIFY(form.ProgBarFahrzeugvergleich->isVisible());
            QCOMPARE(form.ProgBarFahrzeugvergleich->maximum(), fahrzeuge);
            stand << form.ProgBarFahrzeugvergleich->value();
            if (stand.size() == abbrechenBei)
                throw base::SilentAbort();
        };
        form.FormActivate();
        QCOMPARE(stand.size(), fahrzeuge);
        QCOMPARE(stand.first(), 1);
        QCOMPARE(stand.last(), fahrzeuge);
        QVERIFY(!form.ProgBarFahrzeugvergleich->isVisible());

        stand.clear();
        abbrechenBei = 5;
        QVERIFY_THROWS_EXCEPTION(base::SilentAbort, form.FormActivate());
        vergleich.BeforePost = nullptr;
        QVERIFY(!form.ProgBarFahrzeugvergleich->isVisible());
        QVERIFY(vergleich.Active());
        QCOMPARE(vergleich.RecordCount(), 4); // the rows reached stay, as after a failure
    }

    void anEmptyOrUnbuildableComparisonStartsNoReport()
    {
        ui::testing::ScriptedMessages meldungen;
        fleet::testing::AufzeichnendeReportDienste berichte;
        fleet::TAlleFahrzeugeFormular form;
        u->dm().TTblMain.SetFilter("Gruppe = 'Keine'");
        u->dm().TTblMain.SetFiltered(true);
        form.FormActivate();
        QCOMPARE(form.StatusBarFahrzeugvergleich->currentMessage(), QString());
        const QString leer =
            "Es sind noch keine Fahrzeuge in der Tabelle - legen Sie zunächst Fahrzeuge an und "
            "speichern Sie deren Monatsauswertungen";
        meldungen.expectInformation(leer).expectInformation(leer);
        form.TBitBtnAlleFahrzeugeAuswertungDrucken->click();
        form.TBitBtnDurchschnittVorschau->click();
        QVERIFY(berichte.aufrufe.isEmpty());

        u->dm().TTblAlleFahrzeuge.Close();
        kerntest::ZweiterArbeitsplatz anderer("offen", fleet::kAliasFuhrparkPriv, "KfzVergl.db");
        QVERIFY(anderer.bereit());
        meldungen.expectError("Fehler beim Löschen der Fahrzeugvergleichs-Tabelle");
        form.FormActivate();
        QVERIFY(meldungen.verifyDone());
    }

    void allVehiclesOfAMonthWithoutCostsAreRedAndWarned()
    {
        ui::testing::ScriptedMessages meldungen;
        fleet::testing::AufzeichnendeReportDienste berichte;
        fleet::TMonatsauswertungAlleFahrzeugeFormular form;
        form.show();
        form.FormActivate();
        meldungen.expectInformation("Sie haben noch keine Monatsauswertungen ermittelt");
        form.TBitBtnMonatsauswertungAlleFahrzeugeVorschau->click();
        QVERIFY(berichte.aufrufe.isEmpty());
        QCOMPARE(form.LblAuswertungszeitraum->text(), QString("Auswertungszeitraum: ???"));

        form.CmbBoxMonatsauswertungAFJahr->setCurrentText("2024");
        form.CmbBoxMonatsauswertungAFMonat->setCurrentIndex(3);
        meldungen.expectWarning("Für diesen Monat konnten bei keinem Fahrzeug gefahrene Kilometer noch var. "
                                "Kosten ermittelt werden - bitte überprüfen und ändern Sie gegebenenfalls "
                                "Auswertungsmonat und Auswertungsjahr..");
        // The grid's columns while the rows are written: titled, the hidden ones hidden.
        QStringList spaltenWaehrenddessen;
        form.TblMonatsauswertungAF.BeforePost = [&](dbe::TDataSet &) {
            if (!spaltenWaehrenddessen.isEmpty())
                return;
            for (int i = 0; i < form.DBGridMonatsauswertungAF->columnCount(); ++i)
                spaltenWaehrenddessen << form.DBGridMonatsauswertungAF->columnTitle(i);
        };
        form.TBtnMonatsauswertungBerechnen->click();
        form.TblMonatsauswertungAF.BeforePost = nullptr;
        QVERIFY(meldungen.verifyDone());
        QCOMPARE(spaltenWaehrenddessen.value(0), QString("Kennzeichen"));
        QCOMPARE(spaltenWaehrenddessen.value(1), QString("Gef. Km."));
        for (const char *versteckt : {"AuswJahr", "AuswMonatNum", "AuswMonatText", "Ertrag"})
            QVERIFY2(!spaltenWaehrenddessen.contains(versteckt), versteckt);
        QCOMPARE(form.TblMonatsauswertungAF.RecordCount(), 12);
        QCOMPARE(form.LblAuswertungszeitraum->text(), QString("Auswertungszeitraum: April 2024"));
        QCOMPARE(form.LblKfzInfo->text(), QString("Info: Sprinter Kühltransport"));
        QCOMPARE(form.LblKfzGruppe->text(), QString("Gruppe: Kühlung"));
        QCOMPARE(form.LBLSummeGefKm->text(), QString("0"));
        for (int zeile = 1; zeile < 12; ++zeile) {
            ui::DBGrid::CellStyle zelle;
            zelle.row = zeile;
            zelle.column = 1;
            form.DBGridMonatsauswertungAF->styleCell(zelle);
            QCOMPARE(zelle.background, QColor(Qt::red));
        }
        QVERIFY(!form.DBGridMonatsauswertungAF->dataSource()->DataSet()->FieldByName("AuswJahr")->Visible());
        if (qEnvironmentVariableIsSet("KARVENFP_BILDER"))
            form.grab().save(qEnvironmentVariable("KARVENFP_BILDER") + "/monatsauswertung_alle.png");
        form.TBitBtnMonatsauswertungAlleFahrzeugeDrucken->click();
        QCOMPARE(berichte.aufrufe, QStringList({"PrintReport(19,1)"}));
    }

    void allVehiclesSaveAsksOnceAndRespectsAnotherWorkstationsLock()
    {
        ui::testing::ScriptedMessages meldungen;
        termintest::FensterAttrappe fenster;
        fleet::TMonatsauswertungAlleFahrzeugeFormular form;
        form.show();
        form.FormActivate();
        form.CmbBoxMonatsauswertungAFJahr->setCurrentText("2024");
        form.CmbBoxMonatsauswertungAFMonat->setCurrentIndex(2);
        meldungen.expectWarning("Für diesen Monat konnten bei keinem Fahrzeug gefahrene Kilometer noch var. "
                                "Kosten ermittelt werden - bitte überprüfen und ändern Sie gegebenenfalls "
                                "Auswertungsmonat und Auswertungsjahr..");
        form.TBtnMonatsauswertungBerechnen->click();

        const QString frage = "Möchten Sie die aktuellen Monatsauswertungen speichern";
        {
            kerntest::ZweiterArbeitsplatz anderer("sperren", fleet::kAliasFuhrpark, "KfzMonat.db");
            QVERIFY(anderer.bereit());
            meldungen.expectQuestion(frage, true)
                .expectError("Gewünschte Tabelle konnte nicht gesperrt werden - versuchen Sie es später noch "
                             "einmal");
            form.TBtnMonatsauswertungSpeichernClick();
            QVERIFY(meldungen.verifyDone());
        }
        QVERIFY(!u->dm().TTblVar1.Active());
        // Every March of the 12 vehicles is stored already (init): one question, No stops.
        const QString ueberschreiben =
            "Es sind schon Monatsauswertungen für den aktuellen Monat gespeichert - "
            "möchten Sie diese Auswertungen überschreiben";
        meldungen.expectQuestion(frage, true)
            .expectWarningQuestion(ueberschreiben, false)
            .expectInformation("Speichervorgang abgebrochen..");
        form.TBtnMonatsauswertungSpeichernClick();
        meldungen.expectQuestion(frage, true)
            .expectWarningQuestion(ueberschreiben, true)
            .expectInformation("Die Monatsauswertungen wurden gespeichert");
        form.TBtnMonatsauswertungSpeichernClick();
        QVERIFY(meldungen.verifyDone());
        QVERIFY(!u->dm().TTblVar1.Active());

        // The jump to the third row's vehicle and month.
        form.TblMonatsauswertungAF.First();
        form.TblMonatsauswertungAF.Next();
        form.TblMonatsauswertungAF.Next();
        form.TBtnFahrzeugZeigenClick();
        QVERIFY(!form.isVisible());
        QCOMPARE(u->dm().TTblMain.FieldByName("KfzNr")->AsString(), QString("M-KV 134"));
        QCOMPARE(fenster.aufrufe, QStringList({"KostenSichtSetzen(1)"}));
        QCOMPARE(u->dm().TTblVarKosten.Filter(), QString("(Jahr = '2024') and (Monat = 'März')"));
        QVERIFY(u->dm().TTblVarKosten.Filtered());
    }
};

QTEST_MAIN(AuswertungFormularTest)
#include "auswertung_formular_test.moc"
