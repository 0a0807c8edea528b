// The monthly overview page through the main window over a real data module:
// totals, year filter, column sets, deleting, the jump to the costs and the
// chart with its printing, copying and pictures.
#include <memory>

#include <QAbstractSeries>
#include <QAreaSeries>
#include <QChart>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLegend>
#include <QLegendMarker>
#include <QLineSeries>
#include <QPainter>
#include <QPushButton>
#include <QSet>
#include <QSvgRenderer>
#include <QTest>
#include <QValueAxis>

#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/Einstellungswerte.h"
#include "dbe/Field.h"
#include "dbe/Table.h"
#include "formulare/HauptFormular.h"
#include "formulare/seiten/DiagrammBild.h"
#include "formulare/seiten/GanzzahlAchse.h"
#include "formulare/seiten/KostenSeite.h"
#include "formulare/seiten/MonatsauswertungSeite.h"
#include "formulare/seiten/MonatsuebersichtGrafik.h"
#include "formulare/seiten/MonatsuebersichtSeite.h"
#include "kern_umgebung.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DBGrid.h"
#include "ui/PageControl.h"
#include "ui/RadioGroup.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using fleet::MonatsuebersichtSeite;
using fleet::THauptFormular;

namespace {

const QStringList kMonatFelder = {"KfzNr",        "AuswJahr",     "AuswMonatNum",   "AuswMonatText",
                                  "GefKilometer", "GesamtKosten", "VerbrauchLiter", "VerbrauchKosten",
                                  "PflegeKosten", "Ertrag"};

} // namespace

class MonatsuebersichtTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<fleet::TDataModule1> dm;
    std::unique_ptr<THauptFormular> fenster;

    void zeile(const char *tabelle, const QStringList &felder, const QVariantList &werte)
    {
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, tabelle, felder, werte);
    }
    void monat(const char *kfz, const char *jahr, int num, const char *text, double km, double kosten,
               double liter, double ertrag = 0)
    {
        zeile("KfzMonat.DB", kMonatFelder,
              {kfz, jahr, num, text, km, kosten, liter, kosten / 2, kosten / 10, ertrag});
    }
    MonatsuebersichtSeite &seite() { return fenster->Monatsuebersicht(); }
    QString text(const char *label) { return seite().findChild<QLabel *>(label)->text(); }
    void starten()
    {
        dm = std::make_unique<fleet::TDataModule1>(&umgebung->session());
        fleet::DataModule1 = dm.get();
        fenster = std::make_unique<THauptFormular>();
        fleet::HauptFormular = fenster.get();
        fenster->PageCtrlMain->setActivePage(fenster->TabMonatsuebersicht);
        fenster->PageCtrlMainChange();
    }
    QString pfad(const QString &name) const
    {
        return QString::fromStdString(umgebung->verzeichnis().path().string()) + "/" + name;
    }

private slots:
    void init()
    {
        umgebung = std::make_unique<kerntest::Umgebung>();
        zeile("KfzStamm.db", {"KfzNr", "Schadstoff"}, {"A-1", 150.0});
        zeile("KfzStamm.db", {"KfzNr"}, {"B-2"});
        monat("A-1", "2005", 3, "März", 1000, 1200, 80, 900);
        monat("A-1", "2005", 4, "April", 500, 1500.5, 45, 1600);
        monat("A-1", "2006", 1, "Januar", 700, 900, 60);
        monat("B-2", "2005", 3, "März", 9999, 9999, 999);
        zeile("KfzStamm.db", {"KfzNr"}, {"C-3"});
    }
    void cleanup()
    {
        fleet::TourenModus = false;
        fleet::NurLesen = false;
        fleet::HauptFormular = nullptr;
        fenster.reset();
        fleet::DataModule1 = nullptr;
        dm.reset();
        umgebung.reset();
    }

    void totalsFollowTheYearFilter()
    {
        starten();
        QCOMPARE(text("TLblSummeGefKm"), QString("2200"));
        QCOMPARE(text("LblSummeSchadstoff"), QString("330000"));

        seite().RadioGrpSicht->setItemIndex(1);
        seite().ComboBoxJahr->setItemIndex(seite().ComboBoxJahr->findText("2005"));
        seite().ComboBoxJahrChange();
        QCOMPARE(dm->TTblMonatKosten.Filter(), QString("AuswJahr = 2005"));
        QVERIFY(dm->TTblMonatKosten.Filtered());
        QVERIFY(seite().ComboBoxJahr->isEnabled());
        QCOMPARE(text("TLblSummeGefKm"), QString("1500"));
        QCOMPARE(text("TLblSummeGesKosten"), QString("2700,50"));
        QCOMPARE(text("TLblDVerbrauchLiterPro100KmMonat"), QString("8,33"));
        QCOMPARE(text("LblSummeSchadstoff"), QString("225000"));

        seite().ComboBoxJahr->setItemIndex(seite().ComboBoxJahr->findText("1999"));
        seite().ComboBoxJahrChange();
        QCOMPARE(dm->TTblMonatKosten.RecordCount(), 0);
        for (const char *l : {"TLblSummeGefKm", "TLblDGefKmMonat"})
            QCOMPARE(text(l), QString("0"));
        for (const char *l : {"TLblSummeGesKosten", "TLblDGesKostenMonat", "TLBlDGesKostenProKmMonat",
                              "TLblDVerbrauchLiterPro100KmMonat", "TLBLSummeVerbrauchKosten"})
            QCOMPARE(text(l), QString("0,00"));

        seite().RadioGrpSicht->setItemIndex(0);
        QVERIFY(!dm->TTblMonatKosten.Filtered());
        QVERIFY(dm->TTblMonatKosten.Filter().isEmpty());
        QVERIFY(!seite().ComboBoxJahr->isEnabled());
        QCOMPARE(dm->TTblMonatKosten.RecordCount(), 3);

        // A vehicle without a pollutant value.
        dm->TTblMain.Last();
        seite().MonatsuebersichtAnzeigen();
        QCOMPARE(text("LblSummeSchadstoff"), QString("Fehler"));
    }

    void columnSets_data()
    {
        QTest::addColumn<int>("satz");
        QTest::addColumn<bool>("touren");
        QTest::addColumn<int>("breite");
        QTest::newRow("Standard") << 0 << false << 495;
        QTest::newRow("Standard, Touren") << 0 << true << 560;
        QTest::newRow("Kosten") << 1 << false << 975;
        QTest::newRow("Kosten, Touren") << 1 << true << 975;
    }
    void columnSets()
    {
        QFETCH(int, satz);
        QFETCH(bool, touren);
        QFETCH(int, breite);
        fleet::TourenModus = touren;
        starten();
        // Away and back, so that the click fires whatever the start state.
        seite().RadioGrpMonatsuebersichtTabelle->setItemIndex(1 - satz);
        seite().RadioGrpMonatsuebersichtTabelle->setItemIndex(satz);
        auto sichtbar = [this](const char *feld) {
            return dm->TTblMonatKosten.FieldByName(QString::fromLatin1(feld))->Visible();
        };
        const bool kosten = satz == 1;
        for (const char *f : {"GesamtKostenProKm", "VerbrauchLiter", "VerbrauchLiterPro100Km"})
            QCOMPARE(sichtbar(f), !kosten);
        for (const char *f : {"VerbrauchKosten", "ReparaturKosten", "PflegeKosten", "Sonstige4Kosten"})
            QCOMPARE(sichtbar(f), kosten);
        for (const char *f : {"AuswJahr", "AuswMonatText", "GefKilometer", "GesamtKosten"})
            QVERIFY(sichtbar(f));
        QVERIFY(!sichtbar("KfzNr"));
        QVERIFY(!sichtbar("AuswMonatNum"));
        const bool ertrag = !kosten && touren;
        QCOMPARE(sichtbar("Ertrag"), ertrag);
        QCOMPARE(seite().TLblSummeErtragMonat->isVisibleTo(&seite()), ertrag);
        QCOMPARE(seite().TLblErtragMonatsuebersichtUeberschrift->isVisibleTo(&seite()), ertrag);
        QCOMPARE(seite().PanMonatsuebersichtKosten->isVisibleTo(&seite()), kosten);
        QCOMPARE(seite().PanMonatsuebersichtStandard->isVisibleTo(&seite()), !kosten);
        QCOMPARE(seite().DBGridMonatsuebersicht->width(), breite);
    }

    void deletingAsksAndAlwaysRecomputes()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        const QString frage = "Möchten Sie die markierte Monatsauswertung wirklich löschen";
        dbe::TTable &monate = dm->TTblMonatKosten;
        QVERIFY(monate.Locate("AuswMonatText", "April", 0));

        // No deletes nothing but the totals are read again.
        monat("A-1", "2007", 5, "Mai", 300, 100, 10);
        monate.Refresh();
        meldungen.expectQuestion(frage, false);
        seite().TBtnLoeschen->click();
        QCOMPARE(monate.RecordCount(), 4);
        QCOMPARE(text("TLblSummeGefKm"), QString("2500"));

        // A refused deletion is told, and the row stays.
        QVERIFY(monate.Locate("AuswMonatText", "April", 0));
        auto vorher = monate.BeforeDelete;
        monate.BeforeDelete = [](dbe::TDataSet &) { throw std::runtime_error("gesperrt"); };
        meldungen.expectQuestion(frage, true).expectError("Löschen der Monatsauswertung nicht möglich");
        seite().TBtnLoeschen->click();
        monate.BeforeDelete = vorher;
        QCOMPARE(monate.RecordCount(), 4);

        // The totals walk ends on the last row: the grid marks that one now.
        QCOMPARE(monate.FieldByName("AuswMonatText")->AsString(), QString("Mai"));
        QVERIFY(monate.Locate("AuswMonatText", "April", 0));
        meldungen.expectQuestion(frage, true);
        seite().TBtnLoeschen->click();
        QCOMPARE(monate.RecordCount(), 3);
        QVERIFY(!monate.Locate("AuswMonatText", "April", 0));
        QCOMPARE(text("TLblSummeGefKm"), QString("2000"));

        // Nothing left to delete.
        dm->TTblMain.Last();
        QVERIFY(monate.IsEmpty());
        meldungen.expectQuestion(frage, true).expectError("Löschen der Monatsauswertung nicht möglich");
        seite().TBtnLoeschen->click();
        QVERIFY(meldungen.verifyDone());
    }

    void showCostsFiltersTheCostPage_data()
    {
        QTest::addColumn<QString>("jahr");
        QTest::addColumn<int>("jahrIndex");
        QTest::addColumn<QString>("filter");
        QTest::addColumn<int>("zeilen");
        QTest::newRow("2005") << "2005" << 15 << "(Jahr = '2005') and (Monat = 'März')" << 2;
        QTest::newRow("1985 not listed") << "1985" << -1 << "(Jahr = '') and (Monat = 'März')" << 0;
    }
    void showCostsFiltersTheCostPage()
    {
        QFETCH(QString, jahr);
        QFETCH(int, jahrIndex);
        QFETCH(QString, filter);
        QFETCH(int, zeilen);
        monat("A-1", "1985", 3, "März", 10, 10, 1);
        for (auto [tag, monatNr, beleg] : {std::tuple{5, 3, "1"}, {20, 3, "2"}, {5, 4, "3"}})
            for (int j : {1985, 2005})
                zeile("KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer", "Jahr", "Monat", "Benzin/Preis"},
                      {"A-1", base::encodeDate(j, monatNr, tag), QString(beleg) + QString::number(j),
                       QString::number(j), monatNr == 3 ? "März" : "April", 10.0});
        starten();
        ui::testing::ScriptedMessages meldungen;
        dbe::TTable &monate = dm->TTblMonatKosten;
        QVERIFY(monate.Locate("AuswJahr;AuswMonatNum", QVariantList{jahr, 3}, 0));
        seite().TBtnZeigMonatsauswertung->click();
        fleet::KostenSeite &kosten = fenster->Kosten();
        QCOMPARE(fenster->PageCtrlMain->activePage(), fenster->TabKosten);
        QCOMPARE(kosten.RadioGrpKostenSicht->itemIndex(), 1);
        QCOMPARE(kosten.CmbBoxKostenMonat->itemIndex(), 2);
        QCOMPARE(kosten.CmbBoxKostenJahr->itemIndex(), jahrIndex);
        QCOMPARE(dm->TTblVarKosten.Filter(), filter);
        QVERIFY(dm->TTblVarKosten.Filtered());
        QCOMPARE(dm->TTblVarKosten.RecordCount(), zeilen);
        QVERIFY(meldungen.verifyDone());
    }

    void showCostsWithoutSavedMonths()
    {
        starten();
        dm->TTblMain.Last();
        QVERIFY(dm->TTblMonatKosten.IsEmpty());
        ui::testing::ScriptedMessages meldungen;
        meldungen.expectInformation("Sie haben noch keine Monatsauswertung gespeichert");
        seite().TBtnZeigMonatsauswertung->click();
        QCOMPARE(fenster->PageCtrlMain->activePage(), fenster->TabMonatsuebersicht);
        QVERIFY(!dm->TTblVarKosten.Filtered());
        QVERIFY(meldungen.verifyDone());
    }

    // The value axes label whole numbers: small ranges get one mark per
    // number, so no label repeats ("0, 0, 1, 1, 1" on an empty chart).
    void valueAxesNeverRepeatALabel()
    {
        const struct {
            double von, bis;
        } faelle[] = {{0, 1}, {0, 0.3}, {-0.4, 1.2}, {0, 4.35}, {0, 3000}, {-250, 12345.6}};
        for (const auto &f : faelle) {
            QValueAxis achse;
            achse.setRange(f.von, f.bis);
            fleet::GanzzahligTeilen(achse);
            QVERIFY(achse.min() <= f.von && achse.max() >= f.bis);
            QStringList marken;
            const int n = achse.tickCount();
            for (int i = 0; i < n; ++i)
                marken << QString::number(achse.min() + i * (achse.max() - achse.min()) / (n - 1), 'f', 0);
            QCOMPARE(QSet<QString>(marken.begin(), marken.end()).size(), marken.size());
        }
    }

    void theChartShowsTheMonthsAndSwitchesSeries()
    {
        starten();
        fleet::MonatsuebersichtGrafik *grafik = seite().DBChartMonatsuebersicht;
        QVERIFY(!grafik->isVisibleTo(&seite()));
        dbe::TTable &monate = dm->TTblMonatKosten;
        QVERIFY(monate.Locate("AuswMonatText", "April", 0));
        seite().CheckBoxGrafik->setChecked(true);
        QVERIFY(grafik->isVisibleTo(&seite()));
        QVERIFY(seite().Panel4->isVisibleTo(&seite()));
        QVERIFY(!seite().TBtnLoeschen->isEnabled());
        QVERIFY(!seite().TBtnZeigMonatsauswertung->isEnabled());
        // Reading the chart's data leaves the grid on its row.
        QCOMPARE(monate.FieldByName("AuswMonatText")->AsString(), QString("April"));

        QCOMPARE(grafik->chart()->series().size(), 13);
        auto punkte = [grafik](const char *name) {
            QAbstractSeries *r = grafik->reihe(QString::fromLatin1(name));
            if (auto *f = qobject_cast<QAreaSeries *>(r))
                return f->upperSeries()->points();
            return qobject_cast<QLineSeries *>(r)->points();
        };
        // Cursor order: 2005 March, 2005 April, 2006 January.
        QCOMPARE(punkte("Series1"), (QList<QPointF>{QPointF(0, 1200), QPointF(1, 1500.5), QPointF(2, 900)}));
        QCOMPARE(punkte("Series14"), (QList<QPointF>{QPointF(0, 900), QPointF(1, 1600), QPointF(2, 0)}));
        for (const QPointF &p : punkte("Series5"))
            QCOMPARE(p.y(), 3600.5 / 3);
        QCOMPARE(grafik->chart()->series().at(1)->name(), QString("Mittelwert"));
        QVERIFY(!grafik->reihe("Series5")->isVisible());
        QVERIFY(!grafik->reihe("Series14")->isVisible());

        // The year filter reaches the chart.
        seite().RadioGrpSicht->setItemIndex(1);
        seite().ComboBoxJahr->setItemIndex(seite().ComboBoxJahr->findText("2006"));
        seite().ComboBoxJahrChange();
        QCOMPARE(punkte("Series1"), QList<QPointF>{QPointF(0, 900)});
        // Switched off, the chart follows no filter; switched on again it shows what the grid shows.
        seite().CheckBoxGrafik->setChecked(false);
        seite().RadioGrpSicht->setItemIndex(0);
        QCOMPARE(monate.RecordCount(), 3);
        seite().CheckBoxGrafik->setChecked(true);
        QCOMPARE(punkte("Series1"), (QList<QPointF>{QPointF(0, 1200), QPointF(1, 1500.5), QPointF(2, 900)}));

        // A click switches a series off and on, on the line or on its legend entry.
        QAbstractSeries *reparatur = grafik->reihe(4);
        const QList<QLegendMarker *> eintraege = grafik->chart()->legend()->markers(reparatur);
        QCOMPARE(eintraege.size(), 1);
        emit eintraege[0]->clicked();
        QVERIFY(!reparatur->isVisible());
        seite().DBChartMonatsuebersichtClickSeries(reparatur);
        QVERIFY(reparatur->isVisible());
        for (int i : {2, 3, 4, 12})
            seite().DBChartMonatsuebersichtClickSeries(grafik->reihe(i));
        QTest::mouseDClick(grafik->viewport(), Qt::LeftButton);
        for (QAbstractSeries *r : grafik->chart()->series())
            QVERIFY2(r->isVisible(), qPrintable(r->name()));

        seite().CheckBoxGrafik->setChecked(false);
        QVERIFY(!grafik->isVisibleTo(&seite()));
        QVERIFY(!seite().Panel4->isVisibleTo(&seite()));
        QVERIFY(seite().TBtnLoeschen->isEnabled());
        QVERIFY(seite().TBtnZeigMonatsauswertung->isEnabled());
    }

    // Until the chart gets data or shows, its series stand apart from it; the
    // settings still find them by name inside the chart, and what they switch
    // on then is drawn, legend entry and all, as if switched on afterwards.
    void seriesJoinTheChartWhenItFirstGetsData()
    {
        starten();
        fleet::MonatsuebersichtGrafik *grafik = seite().DBChartMonatsuebersicht;
        QVERIFY(grafik->chart()->series().isEmpty());
        auto *ertrag = grafik->chart()->findChild<QAbstractSeries *>(QStringLiteral("Series14"));
        QVERIFY(ertrag);
        QVERIFY(!ertrag->isVisible());
        ertrag->setProperty("visible", true);

        seite().GrafikAktualisieren();
        QCOMPARE(grafik->chart()->series().size(), 13);
        QCOMPARE(grafik->chart()->series().first(), ertrag);
        QCOMPARE(grafik->chart()->axes().size(), 3);
        const QImage davor = fleet::DiagrammBitmap(grafik, {600, 300});
        grafik->ReiheUmschalten(ertrag);
        QVERIFY(fleet::DiagrammBitmap(grafik, {600, 300}) != davor);
        grafik->ReiheUmschalten(ertrag);
        QCOMPARE(fleet::DiagrammBitmap(grafik, {600, 300}), davor);
        seite().GrafikAktualisieren(); // joined once
        QCOMPARE(grafik->chart()->series().size(), 13);
    }

    void hidingTheChartOnAReadOnlyWorkstationKeepsDeleteOff_data()
    {
        QTest::addColumn<bool>("nurLesen");
        QTest::addColumn<bool>("leseModus");
        QTest::newRow("Arbeitsplatz nur lesen") << true << false;
        QTest::newRow("Schalter auf Lesen") << false << true;
    }
    void hidingTheChartOnAReadOnlyWorkstationKeepsDeleteOff()
    {
        QFETCH(bool, nurLesen);
        QFETCH(bool, leseModus);
        starten();
        fleet::NurLesen = nurLesen;
        const bool vorher = fleet::LeseModus;
        fleet::LeseModus = leseModus;
        seite().CheckBoxGrafik->setChecked(true);
        seite().CheckBoxGrafik->setChecked(false);
        fleet::LeseModus = vorher;
        QVERIFY(!seite().TBtnLoeschen->isEnabled());
        QVERIFY(seite().TBtnZeigMonatsauswertung->isEnabled());
    }

    void printAndCopyAskFirst()
    {
        starten();
        seite().CheckBoxGrafik->setChecked(true);
        ui::testing::ScriptedMessages meldungen;
        ui::testing::FakePrinter drucker(pfad(""));
        ui::testing::FakeClipboard ablage;
        const QString drucken = "Möchten Sie die Grafik jetzt drucken?";
        const QString kopieren = "Möchten Sie die Grafik in die Zwischenablage kopieren?";
        meldungen.expectQuestion(drucken, false).expectQuestion(kopieren, false);
        seite().BitBtnMonatsuebersichtGrafikDrucken->click();
        seite().BitBtnMonatsuebersichtGrafikKopieren->click();
        QVERIFY(drucker.files.isEmpty());
        QVERIFY(ablage.image().isNull());

        meldungen.expectQuestion(drucken, true).expectQuestion(kopieren, true);
        seite().BitBtnMonatsuebersichtGrafikDrucken->click();
        seite().BitBtnMonatsuebersichtGrafikKopieren->click();
        QCOMPARE(drucker.files.size(), 1);
        QVERIFY(QFile(drucker.files[0]).size() > 1000);
        QCOMPARE(ablage.image().size(), fleet::MonatsuebersichtGrafik::bildGroesse());
        QVERIFY(meldungen.verifyDone());
    }

    void chartPicturesAreWrittenWhileHidden()
    {
        fleet::TourenModus = false;
        zeile("KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer", "Benzin/Preis", "WartungKosten"},
              {"A-1", base::encodeDate(2005, 3, 5), "1", 1200.0, 300.0});
        starten();
        fleet::MonatsauswertungSeite &auswertung = fenster->Monatsauswertung();
        auswertung.CmbBoxMonatsauswertungJahr->setItemIndex(
            auswertung.CmbBoxMonatsauswertungJahr->findText("2005"));
        auswertung.CmbBoxMonatsauswertungMonat->setItemIndex(2);
        ui::testing::ScriptedMessages meldungen;
        auswertung.MonatsauswertungBerechnen();
        seite().GrafikAktualisieren();
        const std::pair<QChartView *, QString> bilder[] = {{auswertung.ChartMonatsauswertung, "Monaus~.wmf"},
                                                           {seite().DBChartMonatsuebersicht, "MonUeb~.wmf"}};
        for (const auto &[ansicht, name] : bilder) {
            QVERIFY(!ansicht->isVisible());
            const QString datei = pfad(name);
            QVERIFY(fleet::DiagrammBildSchreiben(ansicht, datei, {800, 400}));
            QSvgRenderer svg(datei);
            QVERIFY2(svg.isValid(), qPrintable(name));
            QCOMPARE(svg.viewBox(), QRect(0, 0, 800, 400));
            // Drawn, not blank: the rendering has more than the background.
            QImage bild(200, 100, QImage::Format_ARGB32);
            bild.fill(Qt::white);
            QPainter maler(&bild);
            svg.render(&maler);
            maler.end();
            int farbig = 0;
            for (int y = 0; y < bild.height(); ++y)
                for (int x = 0; x < bild.width(); ++x)
                    farbig += bild.pixel(x, y) != qRgb(255, 255, 255);
            QVERIFY2(farbig > 200, qPrintable(name));
        }
        // A place that cannot take the file is reported, not thrown (a
        // directory of that name stops even a privileged user).
        QVERIFY(QDir().mkpath(pfad("Gesperrt~.wmf")));
        QVERIFY(
            !fleet::DiagrammBildSchreiben(seite().DBChartMonatsuebersicht, pfad("Gesperrt~.wmf"), {80, 40}));
    }
};

QTEST_MAIN(MonatsuebersichtTest)
#include "monatsuebersicht_test.moc"
