// The dispatch chart form offscreen, over a real data module.
#include <QDir>
#include <QLabel>
#include <QTest>
#include <QTimer>

#include "FensterAttrappe.h"
#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "dbe/Field.h"
#include "formulare/GrafikFormular.h"
#include "kern_umgebung.h"
#include "termin_umgebung.h"
#include "ui/GanttChart.h"
#include "ui/StartUp.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using base::encodeDate;
using base::encodeTime;

class GrafikFormularTest : public QObject {
    Q_OBJECT

    std::unique_ptr<termintest::TerminUmgebung> u;
    std::unique_ptr<termintest::FensterAttrappe> fenster;

    void buchung(const QString &kfz, base::TDateTime tag, base::TDateTime von, int tage, base::TDateTime bis)
    {
        dbe::TTable t(&u->session());
        t.SetDatabaseName(fleet::kAliasFuhrpark);
        t.SetTableName("KfzDispo.DB");
        t.Open();
        t.Append();
        t.FieldByName("Kfznr")->SetAsString(kfz);
        t.FieldByName("DatumVon")->SetAsDateTime(tag);
        t.FieldByName("DatumBis")->SetAsDateTime(tag + tage);
        t.FieldByName("UhrzeitVon")->SetAsDateTime(von);
        t.FieldByName("UhrzeitBis")->SetAsDateTime(bis);
        t.FieldByName("DatumUhrzeitVon")->SetAsDateTime(tag + von);
        t.FieldByName("DatumUhrzeitBis")->SetAsDateTime(tag + tage + bis);
        t.FieldByName("FahrerName")->SetAsString("Jürgen Größ");
        t.Post();
    }

private slots:
    void initTestCase() { ui::startGerman(); }
    void init()
    {
        u = std::make_unique<termintest::TerminUmgebung>();
        fenster = std::make_unique<termintest::FensterAttrappe>();
        fenster->fahrzeugAuswahl = 1;
        for (int v = 0; v < 10; ++v)
            for (int b = 0; b < 3; ++b)
                buchung(QStringLiteral("M-KV %1").arg(100 + v), encodeDate(2024, 3, 1) + v * 2 + b * 9,
                        encodeTime(6 + b * 3, 30), b % 2 + 1, encodeTime(16 + b, 0));
        buchung("M-KV 999", encodeDate(2024, 3, 5), encodeTime(8, 5), 1, encodeTime(17, 30));
        kerntest::zeileAnfuegen(u->session(), fleet::kAliasFuhrpark, "KfzFahrer.DB", {"Name"},
                                {"Jürgen Größ"});
        u->dm().TTblFahrer.Refresh();
        u->dm().TTblDispo.SetMasterSource(nullptr);
        u->dm().TTblDispo.Refresh();
    }
    void cleanup()
    {
        fenster.reset();
        u.reset();
    }

    void fillsTheChartAndLocatesAClickedBooking()
    {
        ui::testing::ScriptedMessages meldungen;
        fleet::TGrafikFormular form;
        form.resize(1100, 700);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QVERIFY(form.DispoGrafikAufbauen());
        QCOMPARE(form.PanStatus->text(), QString("Fahrzeuge: 11   Dispositionen: 31"));
        QCOMPARE(form.windowTitle(), QString("Fuhrpark Fahrzeug-Disposition (Alle Fahrzeuge)"));
        QCOMPARE(form.DispoChart->title(), QString("Fahrzeug Disposition (Zoom aus)"));
        QVERIFY(!form.DispoChart->rowsAutomatic());
        QVERIFY(form.DispoChart->timeAutomatic());
        QVERIFY(!u->dm().TTblVar1.Active());
        if (qEnvironmentVariableIsSet("KARVENFP_BILDER"))
            form.grab().save(qEnvironmentVariable("KARVENFP_BILDER") + "/dispo_grafik.png");

        int balken = -1;
        for (int i = 0; i < form.DispoChart->bars().size(); ++i)
            if (form.DispoChart->bars()[i].label == "M-KV 999")
                balken = i;
        QVERIFY(balken >= 0);
        form.Series1Click(balken, Qt::RightButton);
        QVERIFY(form.PanMessages->text().isEmpty());
        form.Series1Click(balken, Qt::LeftButton);
        QCOMPARE(u->dm().TTblDispo.FieldByName("Kfznr")->AsString(), QString("M-KV 999"));
        QCOMPARE(u->dm().TTblDispo.FieldByName("FahrerName")->AsString(), QString("Jürgen Größ"));
        QCOMPARE(form.PanMessages->text(),
                 QString("Kennzeichen: M-KV 999, Datum von: 5.3.2024, 8:5 Uhr, Datum bis: "
                         "6.3.2024, 17:30 Uhr, Fahrer: Jürgen Größ * * * "));
        QCOMPARE(u->dm().TTblDispo.FieldByName("Kfznr")->AsString(), QString("M-KV 999"));

        // Ticker: on, one tick moves the first character to the end; off shows it whole.
        form.PanMessagesDblClick();
        QVERIFY(form.TimerGrafik->isActive());
        form.TimerGrafikTimer();
        QCOMPARE(form.PanMessages->text(), form.GrafikInfoZeile.mid(1) + form.GrafikInfoZeile.left(1));
        form.PanMessagesDblClick();
        QVERIFY(!form.TimerGrafik->isActive());
        QCOMPARE(form.PanMessages->text(), form.GrafikInfoZeile);

        // The view from-to: both time axes on the period plus one day.
        fenster->sicht = 1;
        QVERIFY(form.DispoGrafikAchsenSetzen());
    }

    void aBusyScratchTableAndAFailingOpenAreReported()
    {
        ui::testing::ScriptedMessages meldungen;
        fleet::TGrafikFormular form;
        u->dm().TTblVar1.SetTableName("KfzStamm.db");
        u->dm().TTblVar1.Open();
        meldungen.expectError(
            "Die Zugriffsmöglichkeiten auf die Datenbank sind zur Zeit erschöpft - Grafik kann "
            "nicht angezeigt werden");
        QVERIFY(!form.DispoGrafikAufbauen());
        QVERIFY(!u->dm().TTblVar1.Active());
    }

    void helpAndPrintLandscape()
    {
        ui::testing::ScriptedMessages meldungen;
        ui::testing::FakePrinter drucker(QDir::tempPath());
        fleet::TGrafikFormular form;
        form.DispoGrafikAufbauen();
        form.BitBtnDispoGrafikDruckenClick();
        QCOMPARE(drucker.jobNames, QStringList({"Dispositionsgrafik"}));
        QCOMPARE(drucker.files.size(), 1);
        ui::testing::ScriptedMessages hilfe([](const QString &) {});
        form.SpeedBtnHilfeClick();
        QCOMPARE(hilfe.shown().size(), 1);
        QCOMPARE(hilfe.shown().first().split("\r\r").size(), 5);
        QVERIFY(hilfe.shown().first().startsWith("Grafik scrollen:  den Mauscursor"));
    }
};

QTEST_MAIN(GrafikFormularTest)
#include "grafik_formular_test.moc"
