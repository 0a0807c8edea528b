// The monthly evaluation page through the main window over a real data module:
// what the labels, the warning, the colours and the pie show for a month, and
// the month and year lists as the user picks them.
#include <memory>

#include <QChartView>
#include <QGroupBox>
#include <QLabel>
#include <QPieSeries>
#include <QTest>

#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "formulare/HauptFormular.h"
#include "formulare/seiten/MonatsauswertungSeite.h"
#include "kern_umgebung.h"
#include "ui/Colors.h"
#include "ui/ComboBox.h"
#include "ui/PageControl.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using fleet::MonatsauswertungSeite;
using fleet::THauptFormular;

namespace {

// The widget's background is the platform colour, system colours resolved by its palette.
bool gefaerbt(const QWidget *w, ui::TColor c)
{
    return w->palette().color(QPalette::Window) == ui::toQColor(c, w->palette());
}

} // namespace

class MonatsauswertungSeiteTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<ui::testing::FakeClock> uhr;
    std::unique_ptr<fleet::TDataModule1> dm;
    std::unique_ptr<THauptFormular> fenster;

    void kosten(const char *datum, double stand, double preis)
    {
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzVar.db",
                                {"KfzNr", "BelegDatum", "BelegNummer", "Mwst", "Benzin/Preis"},
                                {"A-1", QDate::fromString(QString::fromLatin1(datum), "dd.MM.yyyy"),
                                 QString::fromLatin1(datum), stand, preis});
    }
    void tour(const char *datum, double km, double ertrag)
    {
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzTour.db",
                                {"KfzNr", "Datum", "Tour", "GefahrenKm", "Ertrag"},
                                {"A-1", QDate::fromString(QString::fromLatin1(datum), "dd.MM.yyyy"),
                                 QString::fromLatin1(datum), km, ertrag});
    }
    MonatsauswertungSeite &seite() { return fenster->Monatsauswertung(); }
    void starten()
    {
        dm = std::make_unique<fleet::TDataModule1>(&umgebung->session());
        fleet::DataModule1 = dm.get();
        fenster = std::make_unique<THauptFormular>();
        fleet::HauptFormular = fenster.get();
        fenster->resize(900, 740);
        fenster->show();
        QVERIFY(QTest::qWaitForWindowExposed(fenster.get()));
        dm->TTblMain.First();
        fenster->PageCtrlMain->setActivePage(fenster->TabMonatsAuswertung);
        fenster->PageCtrlMainChange();
    }
    // The user opens a list and moves to the item with that text.
    void waehlen(ui::ComboBox *liste, const QString &text)
    {
        liste->setFocus();
        const int ziel = liste->findText(text);
        QVERIFY2(ziel >= 0, qPrintable(text));
        while (liste->itemIndex() != ziel)
            QTest::keyClick(liste, liste->itemIndex() < ziel ? Qt::Key_Down : Qt::Key_Up);
    }

private slots:
    void init()
    {
        umgebung = std::make_unique<kerntest::Umgebung>();
        uhr = std::make_unique<ui::testing::FakeClock>(base::encodeDate(2024, 4, 15) + 0.5);
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, "KfzStamm.db",
                                {"KfzNr", "HaftpflNettoBetrag"}, {"A-1", 1200.0});
        kosten("10.03.2024", 10200, 10);
        kosten("05.04.2024", 10500, 10);
        kosten("20.04.2024", 10350, 10);
        kosten("03.05.2024", 11000, 10);
        kosten("10.06.2024", 0, 5);
        tour("03.05.2024", 200, 50);
        tour("05.08.2024", 120, 0);
    }
    void cleanup()
    {
        fleet::TourenModus = false;
        fleet::HauptFormular = nullptr;
        fenster.reset();
        fleet::DataModule1 = nullptr;
        dm.reset();
        uhr.reset();
        umgebung.reset();
    }

    void theMonthShowsItsFiguresWarningAndColours_data()
    {
        QTest::addColumn<bool>("touren");
        QTest::addColumn<QString>("monat");
        QTest::addColumn<QString>("km");
        QTest::addColumn<QString>("verbrauch");
        QTest::addColumn<QString>("warnung"); // start of the warning label; "" hidden
        QTest::addColumn<bool>("panelRot");
        QTest::addColumn<bool>("kmRot");
        QTest::addColumn<bool>("grafik");
        QTest::newRow("Kosten im Monat") << false << "April"
                                         << "300"
                                         << "20,00"
                                         << "" << false << false << true;
        QTest::newRow("keine Kosten")
            << false << "Januar"
            << "0"
            << "0,00"
            << "ACHTUNG:\nFür den auszuwertenen Monat sind keine Var. Kosten (und " << true << true << false;
        QTest::newRow("Touren: Kosten ohne Tour")
            << true << "April"
            << "0"
            << "20,00"
            << "ACHTUNG:\nFür den auszuwertenen Monat sind keine Touren" << false << true << true;
        QTest::newRow("Touren: weder noch")
            << true << "Juli"
            << "0"
            << "0,00"
            << "ACHTUNG:\nFür den auszuwertenen Monat sind sowohl keine Touren" << true << true << false;
        QTest::newRow("Touren: Tour ohne Kosten")
            << true << "August"
            << "120"
            << "0,00"
            << "ACHTUNG:\nFür den auszuwertenen Monat sind keine Var. Kosten gespeichert." << true << false
            << false;
        QTest::newRow("Touren: Tour und Kosten") << true << "Mai"
                                                 << "200"
                                                 << "10,00"
                                                 << "" << false << false << true;
    }
    void theMonthShowsItsFiguresWarningAndColours()
    {
        QFETCH(bool, touren);
        QFETCH(QString, monat);
        QFETCH(QString, km);
        QFETCH(QString, verbrauch);
        QFETCH(QString, warnung);
        QFETCH(bool, panelRot);
        QFETCH(bool, kmRot);
        QFETCH(bool, grafik);
        fleet::TourenModus = touren;
        ui::testing::ScriptedMessages meldungen;
        starten();
        waehlen(seite().CmbBoxMonatsauswertungMonat, monat);

        QCOMPARE(seite().LblFormularMonatsauswertung->text(),
                 "Fahrzeug-Monatsauswertung: " + monat + " 2024");
        QCOMPARE(seite().TLblSummeGefKmMonat->text(), km);
        QCOMPARE(seite().TLblVerbrauchKostenMonat->text(), verbrauch);
        QCOMPARE(seite().TLblHaftpflichtMonat->text(), QString("100,00"));
        QCOMPARE(seite().LblWarnmeldung2->isHidden(), warnung.isEmpty());
        // The label breaks its lines where the text does, as a message box would.
        QVERIFY(!seite().LblWarnmeldung2->text().contains(QLatin1Char('\r')));
        if (!warnung.isEmpty())
            QVERIFY2(seite().LblWarnmeldung2->text().startsWith(warnung),
                     qPrintable(seite().LblWarnmeldung2->text()));
        QVERIFY(
            gefaerbt(seite().PanMonatsauswertungVarKosten, panelRot ? ui::color::Red : ui::color::BtnFace));
        QVERIFY(gefaerbt(seite().TLblSummeGefKmMonat, kmRot ? ui::color::Red : ui::color::Aqua));
        QCOMPARE(!seite().ChartMonatsauswertung->isHidden(), grafik);
        if (grafik)
            QVERIFY(seite().Series10->count() > 0);
        // Revenue and surplus only in tours mode.
        QCOMPARE(seite().PanMonatsauswertungErtrag->isVisible(), touren);
        QCOMPARE(seite().PanMonatsauswertungUeberschuss->isVisible(), touren);
        if (touren && monat == "Mai") {
            QCOMPARE(seite().LblSummeErtragMonat->text(), QString("50,00"));
            QVERIFY(gefaerbt(seite().LblSummeErtragMonat, ui::color::Red));
            QVERIFY(gefaerbt(seite().LblSummeUeberschussMonat, ui::color::Red));
        }
        QVERIFY(meldungen.verifyDone());
    }

    void pickingMonthAndYearComputesAgainAndClearsTheLastWarning()
    {
        ui::testing::ScriptedMessages meldungen;
        starten();
        // Entering the page computed the month of today.
        QCOMPARE(seite().CmbBoxMonatsauswertungMonat->text(), QString("April"));
        QCOMPARE(seite().CmbBoxMonatsauswertungJahr->text(), QString("2024"));
        QCOMPARE(seite().TLblSummeGefKmMonat->text(), QString("300"));

        waehlen(seite().CmbBoxMonatsauswertungJahr, "2023");
        QVERIFY(!seite().LblWarnmeldung2->isHidden());
        QVERIFY(seite().ChartMonatsauswertung->isHidden());
        QCOMPARE(seite().TLblSummeGefKmMonat->text(), QString("0"));

        waehlen(seite().CmbBoxMonatsauswertungJahr, "2024");
        QVERIFY(seite().LblWarnmeldung2->isHidden());
        QVERIFY(gefaerbt(seite().PanMonatsauswertungVarKosten, ui::color::BtnFace));
        QVERIFY(gefaerbt(seite().TLblSummeGefKmMonat, ui::color::Aqua));
        QVERIFY(!seite().ChartMonatsauswertung->isHidden());
        QCOMPARE(seite().TLblSummeGefKmMonat->text(), QString("300"));

        // A month with a cost row without odometer reading: the hint as a box, no label.
        meldungen.expectInformation(
            "Da in dem auszuwertenen Monat Var. Kosten ohne Km-Stand vorhanden sind, können die für den "
            "gewählten Monat errechneten gefahrenen Kilometer verfälscht oder nicht vorhanden "
            "sein.\r\rHINWEIS: "
            "Wenn Sie für dieses Fahrzeug kilometerbasierende Auswertungen erwarten, überprüfen Sie die Var. "
            "Kosten für den in diesem Formular gewählten Monat daraufhin, ob versehentlich Km-Stände nicht "
            "eingegeben wurden.");
        waehlen(seite().CmbBoxMonatsauswertungMonat, "Juni");
        QVERIFY(meldungen.verifyDone());
        QVERIFY(seite().LblWarnmeldung2->isHidden());
        QCOMPARE(seite().TLblVerbrauchKostenMonat->text(), QString("5,00"));
    }
};

QTEST_MAIN(MonatsauswertungSeiteTest)
#include "monatsauswertung_seite_test.moc"
