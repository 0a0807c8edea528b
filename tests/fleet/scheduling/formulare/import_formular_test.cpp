// The fuel-card import form offscreen: the staging view with its row colours
// and read-only columns, the configuration view and back, deleting; pictures
// of both views when KARVENFP_BILDER names a directory.
#include <map>
#include <memory>

#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include "daten/Aliase.h"
#include "daten/DataModuleImport.h"
#include "dbe/Field.h"
#include "formulare/ImportFormular.h"
#include "kern_umgebung.h"
#include "logik/TankdatenLesen.h"
#include "tank_dateien.h"
#include "termin_umgebung.h"
#include "ui/DBGrid.h"
#include "ui/StartUp.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using fleet::TImportFormular;

class ImportFormularTest : public QObject {
    Q_OBJECT

    std::unique_ptr<termintest::TerminUmgebung> u;
    std::unique_ptr<fleet::TDataModuleImport> imp;
    std::unique_ptr<TImportFormular> form;
    std::unique_ptr<testsupport::TempDir> ablage;

    void bild(const char *name)
    {
        const QByteArray ziel = qgetenv("KARVENFP_BILDER");
        if (ziel.isEmpty())
            return;
        form->show();
        QTest::qWait(30);
        form->grab().save(QString::fromLocal8Bit(ziel) + "/" + name + ".png");
    }
private slots:
    void initTestCase() { ui::startGerman(); }
    void init()
    {
        u = std::make_unique<termintest::TerminUmgebung>();
        u->fahrzeug("AB-CD12", 52000);
        u->fahrzeug("MÜ-AB 77", 18500);
        u->fahrzeug("B-KL 456", 98000);
        kerntest::zeileAnfuegen(u->session(), fleet::kAliasFuhrpark, "KfzVar.db",
                                {"KfzNr", "BelegDatum", "BelegNummer", "Benzin/Preis"},
                                {"AB-CD12", base::encodeDate(2005, 1, 12), "4724", 1.0});
        kerntest::zeileAnfuegen(u->session(), fleet::kAliasFuhrpark, "TKonfig.DB",
                                {"TankdateiTyp", "Satzart", "Datumsformat", "Warengruppe1", "Varkosten1",
                                 "Warengruppe2", "Varkosten2", "Warengruppe3", "Varkosten3", "Warengruppe4",
                                 "Varkosten4"},
                                {"TANKFIX", "20", "TTMMYY", "010", 1, "011", 1, "030", 3, "050", 6});
        imp = std::make_unique<fleet::TDataModuleImport>(&u->session());
        form = std::make_unique<TImportFormular>(*imp, u->dm());
        ablage = std::make_unique<testsupport::TempDir>();
        tanktest::tankfixSchreiben(*ablage);
        // A seventh line, posted once already: every colour in the list.
        QFile datei(QString::fromStdString((*ablage / "TANKFIX.txt").string()));
        QVERIFY(datei.open(QIODevice::Append));
        datei.write(QByteArray::fromStdString(
            tanktest::festeZeile("20", "AB CD 12", "120105", "4724", 52400, "010", 3000, 4500, 720, 5220)));
    }
    void cleanup()
    {
        form.reset();
        imp.reset();
        u.reset();
        ablage.reset();
    }

    void stagingViewShowsEveryColour()
    {
        ui::testing::ScriptedMessages m;
        ui::testing::FakeDialogs dialoge;
        form->FormActivate();
        QCOMPARE(form->LblTankdateiTyp->text(), QString("Keiner"));
        QCOMPARE(form->PanMessage->text(), fleet::tank::kFarbLegende);
        dialoge.answerFile(QString::fromStdString((*ablage / "TANKFIX.txt").string()));
        m.expectQuestion("Möchten Sie die Tankdaten jetzt importieren", true);
        m.expectInformation(fleet::tank::ImportMeldung(7, {1, 1, 1, 2}, 0));
        form->BtnImport->click();
        QCOMPARE(dialoge.fileRequests.size(), 1);
        QCOMPARE(dialoge.fileRequests[0].filter, QString("Textdateien (*.txt)|*.txt"));
        QCOMPARE(form->LblTankdateiTyp->text(), QString("TANKFIX"));

        m.expectInformation(fleet::tank::PruefMeldung({1, 1, 1, 2}));
        m.expectQuestion("Möchten Sie die Tankdaten jetzt buchen", true);
        m.expectInformation("2 Datensätze wurden gebucht");
        form->BtnBuchen->click();
        QVERIFY(m.verifyDone());

        // Every row's colour by its document number and product group.
        const std::map<QString, QColor> erwartet = {
            {"4711/010", QColor(Qt::green)},     {"4711/030", QColor(Qt::green)},
            {"4720/011", QColor(Qt::yellow)},    {"4721/010", QColor(Qt::red)},
            {"4722/099", QColor(128, 128, 128)}, {"4723/050", QColor(Qt::yellow)},
            {"4724/010", QColor(0, 128, 128)}};
        form->DBGridImport->setRowSelect(false);
        form->resize(1000, 600);
        imp->TTblImport.First();
        QCOMPARE(imp->TTblImport.RecordCount(), 7);
        for (int i = 0; i < 7; ++i) {
            ui::DBGrid *g = form->DBGridImport;
            const QString zeile = g->rowValue(i, "Belegnummer").toString() + "/" +
                                  g->rowValue(i, "Warengruppenschluessel").toString();
            ui::DBGrid::CellStyle s;
            s.row = i;
            s.column = 1;
            g->styleCell(s);
            QCOMPARE(s.background, erwartet.at(zeile));
        }
        bild("import_tankdaten");

        // Flag and date columns are not for typing into.
        for (auto [feld, nurLesen] : {std::pair{"Fehlerhaft", true},
                                      {"Importdatum", true},
                                      {"Kennzeichen", false},
                                      {"KmStand", false}}) {
            form->DBGridImport->setSelectedField(imp->TTblImport.FieldByName(feld));
            form->DBGridImportColEnter();
            QCOMPARE(form->DBGridImport->readOnly(), nurLesen);
        }
    }

    void configurationViewAndBack()
    {
        ui::testing::ScriptedMessages m;
        form->FormActivate();
        form->BtnKonfiguration->click();
        QVERIFY(form->KonfigurationSichtbar());
        QCOMPARE(form->LblTabelleUeberschrift->text(), QString("Konfigurations-Tabelle"));
        QCOMPARE(form->BtnKonfiguration->text(), QString("&Import"));
        QCOMPARE(form->PanMessage->text(), fleet::tank::kKategorieLegende);
        QVERIFY(!form->BtnImportKonfigNeu->isHidden());
        QVERIFY(form->BtnImport->isHidden());
        QVERIFY(form->BitBtnImportDrucken->isHidden());
        bild("import_konfiguration");

        // A new row is given up by "Löschen", a stored one asks first.
        form->BtnImportKonfigNeu->click();
        QCOMPARE(imp->TTblKonfig.State(), dbe::TDataSetState::dsInsert);
        form->BtnImportKonfigLoeschen->click();
        QCOMPARE(imp->TTblKonfig.RecordCount(), 1);
        m.expectQuestion("Möchten Sie den markierten Datensatz wirklich löschen", false);
        form->BtnImportKonfigLoeschen->click();
        QCOMPARE(imp->TTblKonfig.RecordCount(), 1);

        // Back: a pending edit is posted.
        imp->TTblKonfig.Edit();
        imp->TTblKonfig.FieldByName("Datumsformat")->SetAsString("TT.MM.YYYY");
        form->BtnKonfiguration->click();
        QVERIFY(!form->KonfigurationSichtbar());
        QCOMPARE(imp->TTblKonfig.State(), dbe::TDataSetState::dsBrowse);
        QCOMPARE(imp->TTblKonfig.FieldByName("Datumsformat")->AsString(), QString("TT.MM.YYYY"));
        QCOMPARE(form->LblTabelleUeberschrift->text(), QString("Import-Tabelle"));
        QCOMPARE(form->PanMessage->text(), fleet::tank::kFarbLegende);
        QVERIFY(form->BtnImportKonfigNeu->isHidden());
        QVERIFY(!form->BtnImport->isHidden());
        QVERIFY(m.verifyDone());
    }
};

QTEST_MAIN(ImportFormularTest)
#include "import_formular_test.moc"
