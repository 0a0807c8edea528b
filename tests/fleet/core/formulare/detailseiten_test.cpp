// The tyre, history, damage and document pages and the cost page's copy into
// the history and search, through the main window over a real data module.
#include <functional>
#include <memory>

#include <QDir>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QTabBar>
#include <QTest>

#include "AufzeichnendeDienste.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "dbe/Table.h"
#include "formulare/HauptFormular.h"
#include "formulare/HauptNavigation.h"
#include "formulare/seiten/HistorieSeite.h"
#include "formulare/seiten/KostenSeite.h"
#include "formulare/seiten/MemoSeite.h"
#include "formulare/seiten/ReifenSeite.h"
#include "formulare/seiten/SchadenSeite.h"
#include "kern_umgebung.h"
#include "regeln/BildReihenfolge.h"
#include "regeln/DetailVerknuepfung.h"
#include "regeln/FahrzeugRegeln.h"
#include "ui/CheckBox.h"
#include "ui/DBGrid.h"
#include "ui/PageControl.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using fleet::THauptFormular;

namespace {

// The extender as the cost search sees it: the search runs a script.
class SuchNavigation : public fleet::HauptNavigation {
public:
    bool GlobalEdit() const override { return true; }
    bool FilterAktiv() const override { return false; }
    unsigned AllowKeys() const override { return 0x7FFF; }
    void SetAllowKeys(unsigned) override {}
    void SetManageGlobalEdit(bool) override {}
    void SetTableIndex(dbe::TTable &, const QString &) override {}
    void ClickNavButton(nav::TDBVNavigateBtn) override {}
    void NavigatorFreigeben(bool) override {}
    bool Moeglich(nav::TDBVNavigateBtn) const override { return false; }
    void FilterAnwenden(const nav::TFilterDefinition &, int) override {}
    void FilterLoeschen() override {}
    void SetStayOnMasterSource(nav::TStayOnMasterSource m) override { modi << static_cast<int>(m); }
    bool SuchenMoeglich() const override { return true; }
    void Suchen() override { suche(); }

    QList<int> modi;
    std::function<void()> suche = [] {};
};

QString reihenfolge(dbe::TTable &bilder)
{
    QStringList zeilen;
    bilder.First();
    while (!bilder.Eof()) {
        zeilen << bilder.FieldByName("Bemerkung")->AsString() + "=" +
                      bilder.FieldByName("Reihenfolge")->AsString();
        bilder.Next();
    }
    return zeilen.join(' ');
}

} // namespace

class DetailSeitenTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<kerntest::Umgebung> umgebung;
    std::unique_ptr<fleet::TDataModule1> dm;
    std::unique_ptr<THauptFormular> fenster;

    void zeile(const char *tabelle, const QStringList &felder, const QVariantList &werte)
    {
        kerntest::zeileAnfuegen(umgebung->session(), fleet::kAliasFuhrpark, tabelle, felder, werte);
    }
    void starten()
    {
        dm = std::make_unique<fleet::TDataModule1>(&umgebung->session());
        fleet::DataModule1 = dm.get();
        fenster = std::make_unique<THauptFormular>();
        fleet::HauptFormular = fenster.get();
    }
    void dokumentSeiteZeigen()
    {
        fleet::MemoSeite &memo = fenster->Memo();
        memo.PageCtrlMemoBild->tabBar()->setCurrentIndex(memo.PageCtrlMemoBild->indexOf(memo.TabMemoBild));
    }
    QString datei(const QString &name)
    {
        const QString pfad = QString::fromStdString(umgebung->verzeichnis().path().string()) + "/" + name;
        QImage bild(40, 30, QImage::Format_RGB32);
        bild.fill(Qt::darkGreen);
        bild.save(pfad, "JPG");
        if (!name.endsWith("jpg"))
            QFile(pfad).open(QIODevice::WriteOnly);
        return pfad;
    }

private slots:
    void init()
    {
        umgebung = std::make_unique<kerntest::Umgebung>();
        zeile("KfzStamm.db", {"KfzNr", "KfzKmStand"}, {"A-1", 52000.5});
        zeile("KfzStamm.db", {"KfzNr"}, {"B-2"});
    }
    void cleanup()
    {
        fleet::HauptFormular = nullptr;
        fenster.reset();
        fleet::DataModule1 = nullptr;
        dm.reset();
        umgebung.reset();
    }

    void picturesChangePlacesWithTheirNeighbour()
    {
        for (auto [name, wert] : {std::pair{"A", 5}, {"B", 9}, {"C", 14}})
            zeile("KfzBild.DB", {"Kfznr", "Bemerkung", "Reihenfolge"}, {"A-1", name, wert});
        zeile("KfzBild.DB", {"Kfznr", "Bemerkung", "Reihenfolge"}, {"B-2", "X", 1});
        starten();
        ui::testing::ScriptedMessages meldungen;
        dbe::TTable &bilder = dm->TblBild;
        bilder.Open();
        QCOMPARE(reihenfolge(bilder), QString("A=5 B=9 C=14"));

        bilder.First();
        bilder.Next(); // B towards the end
        QVERIFY(fleet::BildVerschieben("Ende", bilder));
        QCOMPARE(reihenfolge(bilder), QString("A=5 C=9 B=14"));
        QVERIFY(!dm->TTblVar.Active());

        bilder.First();
        meldungen.expectInformation("Tabellenanfang - kein Tausch möglich");
        QVERIFY(fleet::BildVerschieben("Anfang", bilder));
        bilder.Last();
        meldungen.expectInformation("Tabellenende - kein Tausch möglich");
        QVERIFY(fleet::BildVerschieben("Ende", bilder));
        QVERIFY(!fleet::BildVerschieben("Oben", bilder));
        QCOMPARE(reihenfolge(bilder), QString("A=5 C=9 B=14"));

        // A failure after the neighbour stepped aside changes nothing.
        bilder.First();
        auto vorher = bilder.BeforePost;
        bilder.BeforePost = [](dbe::TDataSet &) { throw std::runtime_error("Platte voll"); };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, fleet::BildVerschieben("Ende", bilder));
        bilder.BeforePost = vorher;
        QCOMPARE(reihenfolge(bilder), QString("A=5 C=9 B=14"));
        QVERIFY(!dm->TTblVar.Active());

        // One entry alone meets a boundary either way.
        dm->TTblMain.Last();
        bilder.First();
        meldungen.expectInformation("Tabellenanfang - kein Tausch möglich");
        meldungen.expectInformation("Tabellenende - kein Tausch möglich");
        fleet::BildVerschieben("Anfang", bilder);
        fleet::BildVerschieben("Ende", bilder);
        QVERIFY(meldungen.verifyDone());
    }

    void theDamageFilterQuotesTheProcessingNumber_data()
    {
        QTest::addColumn<QString>("nummer");
        QTest::addColumn<int>("zeilen");
        QTest::newRow("leer") << "" << -1;
        QTest::newRow("Bindestrich") << "A-12" << 2;
        QTest::newRow("Leerzeichen") << "Nr 5" << 1;
        QTest::newRow("Hochkomma") << "O'Brien" << 1;
    }
    void theDamageFilterQuotesTheProcessingNumber()
    {
        QFETCH(QString, nummer);
        QFETCH(int, zeilen);
        int tag = 45000;
        for (const QString &n :
             {QString("A-12"), QString("A-12"), QString("Nr 5"), QString("O'Brien"), QString("12/3")})
            zeile("KfzSchad.db", {"KfzNr", "Bearbeitungsnummer", "Datum"}, {"A-1", n, double(tag++)});
        zeile("KfzSchad.db", {"KfzNr", "Bearbeitungsnummer", "Datum"}, {"A-1", "", double(tag++)});
        starten();
        ui::testing::ScriptedMessages meldungen;
        dbe::TTable &schaeden = dm->TblSchadensmanagement;
        QVERIFY(schaeden.Locate("Bearbeitungsnummer", nummer, 0));
        ui::CheckBox *box = fenster->Schaden().ChkBoxSchadenFilter;
        if (zeilen < 0)
            meldungen.expectError("Die gewünschte Filterung ist nicht möglich - die gewählte "
                                  "Bearbeitungsnummer ist leer oder nicht zur Filterung geeignet");
        box->setChecked(true);
        QVERIFY(meldungen.verifyDone());
        if (zeilen < 0) {
            QVERIFY(!box->isChecked());
            QVERIFY(!schaeden.Filtered());
            QCOMPARE(schaeden.RecordCount(), 6);
            return;
        }
        QCOMPARE(schaeden.RecordCount(), zeilen);
        for (schaeden.First(); !schaeden.Eof(); schaeden.Next())
            QCOMPARE(schaeden.FieldByName("Bearbeitungsnummer")->AsString(), nummer);
        box->setChecked(false);
        QCOMPARE(schaeden.RecordCount(), 6);
        box->setChecked(true);
        dm->TTblMain.Next(); // a vehicle change clears the box and the filter
        dm->TTblMain.Prior();
        QVERIFY(!box->isChecked());
        QCOMPARE(schaeden.RecordCount(), 6);
    }

    void historyLinksAskBeforeReplacingByTheOldKind_data()
    {
        QTest::addColumn<QString>("alt");
        QTest::addColumn<QString>("frage");
        QTest::newRow("Bild")
            << "/alt/x.jpg"
            << "Dem markierten Historiendatensatz ist bereits ein Bild zugeordnet - möchten "
               "Sie das Bild wirklich ersetzten";
        QTest::newRow("Dokument")
            << "/alt/x.PDF"
            << "Dem markierten Historiendatensatz ist bereits ein Dokument zugeordnet - "
               "möchten Sie das Dokument wirklich ersetzten";
        QTest::newRow("Text")
            << "Ölwechsel bei 60.000 km"
            << "Dem markierten Historiendatensatz ist bereits ein Text zugeordnet - möchten "
               "Sie den Text wirklich ersetzten";
    }
    void historyLinksAskBeforeReplacingByTheOldKind()
    {
        QFETCH(QString, alt);
        QFETCH(QString, frage);
        zeile("KfzHisto.db", {"KfzNr", "Datum", "Info"}, {"A-1", 45000.0, alt});
        starten();
        fleet::ProgrammVerzeichnis = QDir::currentPath();
        ui::testing::ScriptedMessages meldungen;
        ui::testing::FakeDialogs dialoge;
        fleet::HistorieSeite &historie = fenster->Historie();
        dbe::TTable &t = dm->TTblHistorie;

        // No keeps the link; the program directory is current again.
        QDir::setCurrent(QString::fromStdString(umgebung->verzeichnis().path().string()));
        dialoge.answerFile("/neu/bild.jpg");
        meldungen.expectQuestion(frage, false);
        historie.BtnHistorieBildNeuClick();
        QCOMPARE(t.FieldByName("Info")->AsString(), alt);
        QCOMPARE(QDir::currentPath(), fleet::ProgrammVerzeichnis);
        QCOMPARE(dialoge.fileRequests.last().filter, QString("*.jpg|*.jpg"));

        dialoge.answerFile("/neu/brief.pdf");
        meldungen.expectQuestion(frage, true);
        historie.BtnHistorieDokumentNeuClick();
        QCOMPARE(t.FieldByName("Info")->AsString(), QString("/neu/brief.pdf"));
        QVERIFY(meldungen.verifyDone());

        // The damage page always asks its one question.
        QCOMPARE(
            fleet::VerknuepfungErsetzenFrage(fleet::VerknuepfungsSeite::Schaden, alt),
            QString("Dem markierten Schadensdatensatz ist bereits ein Bild/Dokument zugeordnet - möchten "
                    "Sie das Bild/Dokument wirklich ersetzten"));
    }

    void recordCommandsOfHistoryAndDamage()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        ui::testing::FakeDialogs dialoge;
        ui::testing::FakeShell shell;
        fleet::testing::AufzeichnendeReportDienste reports;
        fleet::HistorieSeite &historie = fenster->Historie();
        fleet::SchadenSeite &schaden = fenster->Schaden();

        // An empty table asks for a record first and prints nothing.
        meldungen.expectInformation(
            "Bitte legen Sie zunächst mit dem \"Neu\"-Knopf einen Historiendatensatz für "
            "dieses Fahrzeuge an, bevor Sie diesem ein Bild zuordnen");
        historie.BtnHistorieBildNeuClick();
        meldungen.expectInformation(
            "Bitte legen Sie zunächst mit dem \"Neu\"-Knopf einen Schadensdatensatz für "
            "dieses Fahrzeuge an, bevor Sie diesem ein Dokument zuordnen");
        schaden.BtnSchadenDokumentNeuClick();
        meldungen.expectInformation("Sie haben noch keine Historie für dieses Fahrzeug angelegt");
        historie.BitBtnHistorieDruckenClick();
        meldungen.expectInformation("Sie haben noch keine Schadensdatensätze für dieses Fahrzeug angelegt");
        schaden.BitBtnSchadenVorschauClick();
        QVERIFY(reports.aufrufe.isEmpty());

        // New, save, print.
        historie.BtnHistorieNeuClick();
        QCOMPARE(dm->TTblHistorie.State(), dbe::TDataSetState::dsInsert);
        QVERIFY(!dm->TTblHistorie.FieldByName("Datum")->IsNull());
        historie.BtnHistorieSpeichernClick();
        QCOMPARE(dm->TTblHistorie.RecordCount(), 1);
        historie.BitBtnHistorieVorschauClick();
        schaden.BtnSchadenNeuClick();
        dm->TblSchadensmanagement.FieldByName("Bearbeitungsnummer")->SetAsString("S-7");
        schaden.BtnSchadenSpeichernClick();
        schaden.BitBtnSchadenDruckenClick();
        QCOMPARE(reports.aufrufe, QStringList({"PrintReport(12,2)", "PrintReport(20,1)"}));

        // A second damage record equal in every key field is refused and dropped.
        schaden.BtnSchadenNeuClick();
        dm->TblSchadensmanagement.FieldByName("Bearbeitungsnummer")->SetAsString("S-7");
        meldungen.expectError(
            "Speichern des Schadensdatensatzes ist so nicht möglich -\res ist nicht möglich, "
            "zwei Schadensdatensätze mit gleichen Feldinhalten zu speichern");
        schaden.BtnSchadenSpeichernClick();
        QCOMPARE(dm->TblSchadensmanagement.State(), dbe::TDataSetState::dsBrowse);
        QCOMPARE(dm->TblSchadensmanagement.RecordCount(), 1);

        // "zeigen": a missing file is told, an existing one opened by the shell.
        dm->TTblHistorie.Edit();
        dm->TTblHistorie.FieldByName("Info")->SetAsString("/gibt/es/nicht.pdf");
        dm->TTblHistorie.Post();
        meldungen.expectInformation(
            "Dem markierten Historiendatensatz wurde kein Bild/Dokument zugeordnet bzw. "
            "das Bild/Dokument wurde nicht gefunden");
        historie.BtnHistorieDokumentOeffnenClick();
        const QString pdf = datei("rechnung.pdf");
        dialoge.answerFile(pdf);
        meldungen.expectQuestion("Dem markierten Historiendatensatz ist bereits ein Dokument zugeordnet - "
                                 "möchten Sie das Dokument wirklich ersetzten",
                                 true);
        historie.BtnHistorieDokumentNeuClick();
        historie.BtnHistorieDokumentOeffnenClick();
        QCOMPARE(shell.opened, QStringList{pdf});
        // No program can show it: named as a failure, not passed over.
        shell.opens = false;
        meldungen.expectError("Fehler beim Öffnen des Bild/Dokuments.");
        historie.BtnHistorieDokumentOeffnenClick();
        QCOMPARE(shell.opened.size(), 2);

        // Delete asks; an insert is only cancelled.
        meldungen.expectQuestion("Möchten Sie den markierten Historiendatensatz wirklich löschen", true);
        historie.BtnHistorieLoeschenClick();
        QCOMPARE(dm->TTblHistorie.RecordCount(), 0);
        schaden.BtnSchadenNeuClick();
        schaden.BtnSchadenLoeschenClick();
        QCOMPARE(dm->TblSchadensmanagement.RecordCount(), 1);
        QVERIFY(meldungen.verifyDone());
    }

    void tyresSaveCreatesTheRecordAndPrint11()
    {
        starten();
        ui::testing::ScriptedMessages meldungen;
        fleet::testing::AufzeichnendeReportDienste reports;
        fleet::ReifenSeite &reifen = fenster->Reifen();
        QVERIFY(dm->TTblReifen.IsEmpty());
        reifen.TBtnReifenSpeichernClick();
        QCOMPARE(dm->TTblReifen.RecordCount(), 1);
        QCOMPARE(dm->TTblReifen.FieldByName("KfzNr")->AsString(), QString("A-1"));
        reifen.BitBtnReifenDruckenClick();
        reifen.BitBtnReifenVorschauClick();
        QCOMPARE(reports.aufrufe, QStringList({"PrintReport(11,1)", "PrintReport(11,2)"}));
        QVERIFY(meldungen.verifyDone());
    }

    void theDocumentPageShowsPicturesAndHandsDocumentsToTheShell()
    {
        starten();
        fleet::ProgrammVerzeichnis = QDir::currentPath();
        ui::testing::ScriptedMessages meldungen;
        ui::testing::FakeDialogs dialoge;
        ui::testing::FakeShell shell;
        fleet::MemoSeite &memo = fenster->Memo();
        dbe::TTable &bilder = dm->TblBild;
        QVERIFY(!bilder.Active());
        dokumentSeiteZeigen();
        QVERIFY(bilder.Active());
        QVERIFY(memo.BtnBildTabelleLaden->isEnabled());

        meldungen.expectInformation("Für das aktuelle Fahrzeug sind noch keine Dok./Bildinformationen "
                                    "gespeichert, es kann also kein Dok./Bild geladen werden");
        memo.BtnBildTabelleLadenClick();

        const QString jpg = datei("Unfall vorne.jpg");
        dialoge.answerFile(jpg);
        memo.BtnBildNeuClick();
        QCOMPARE(bilder.RecordCount(), 1);
        QCOMPARE(bilder.FieldByName("Bemerkung")->AsString(), QString("Unfall vorne.jpg"));
        QCOMPARE(bilder.FieldByName("Bildpfad")->AsString(), jpg);
        QCOMPARE(memo.PanBild->text(), QString("Unfall vorne.jpg"));
        QCOMPARE(memo.ImgBild->pixmap().size(), QSize(40, 30));
        QCOMPARE(fleet::AktuellesBild, jpg);

        memo.BildLeeren();
        memo.BtnBildTabelleLadenClick();
        QCOMPARE(memo.ImgBild->pixmap().size(), QSize(40, 30));

        const QString pdf = datei("gutachten.pdf");
        dialoge.answerFile(pdf);
        memo.BtnBildDokumentNeuClick();
        dialoge.answerFile(std::nullopt);
        memo.BtnBildDokumentNeuClick();
        QVERIFY(fleet::AktuellesBild.isEmpty());
        QVERIFY(bilder.Locate("Bemerkung", "gutachten.pdf", 0));
        memo.BtnBildTabelleLadenClick();
        QCOMPARE(shell.opened, QStringList{pdf});

        // A file gone and a kind shown by nobody.
        bilder.Edit();
        bilder.FieldByName("Bildpfad")->SetAsString("/weg/fort.jpg");
        bilder.Post();
        meldungen.expectError(
            "Das gewünschte Bild konnte nicht geladen werden\r\rTIP: überprüfen Sie, ob das "
            "Bild versehentlich gelöscht wurde oder der Datenpfad sich geändert hat.");
        memo.BtnBildTabelleLadenClick();
        bilder.Edit();
        bilder.FieldByName("Bildpfad")->SetAsString(datei("skizze.png"));
        bilder.Post();
        memo.BtnBildTabelleLadenClick();
        QCOMPARE(shell.opened.size(), 1);

        meldungen.expectQuestion("Möchten Sie die markierten Dok./Bildinformationen wirklich löschen", true);
        memo.BtnBildTabelleLoeschenClick();
        QCOMPARE(bilder.RecordCount(), 1);
        QVERIFY(meldungen.verifyDone());

        // Leaving the inner page closes the list and its commands.
        memo.PageCtrlMemoBild->tabBar()->setCurrentIndex(0);
        QVERIFY(!bilder.Active());
        QVERIFY(!memo.DBGridBildinformationen->isEnabled());
        QVERIFY(!memo.BtnBildTabelleLaden->isEnabled());
        QVERIFY(!memo.BtnBildTabelleLoeschen->isEnabled());
    }

    void aCostRowIsCopiedIntoTheHistoryOnce()
    {
        zeile("KfzVar.db",
              {"KfzNr", "BelegDatum", "BelegNummer", "Mwst", "Bemerkungen", "Benzin/Preis", "ReparaturKosten",
               "PflegeKosten"},
              {"A-1", 45100.0, "R-1", 61234.0, "Inspektion", 1000.005, 250.10, 19.999});
        starten();
        ui::testing::ScriptedMessages meldungen;
        fleet::KostenSeite &kosten = fenster->Kosten();
        const QString frage = "Möchten Sie den markierten Kostendatensatz in die Fahrzeughistorie übernehmen";
        meldungen.expectQuestion(frage, true);
        kosten.BtnKosteninHistorieClick();
        dbe::TTable &h = dm->TTblHistorie;
        QCOMPARE(h.RecordCount(), 1);
        QCOMPARE(h.FieldByName("Kosten")->AsFloat(), 1270.10);
        QCOMPARE(h.FieldByName("Reserve4")->AsFloat(), 61234.0);
        QCOMPARE(h.FieldByName("Info")->AsString(), QString("Inspektion"));
        QCOMPARE(h.FieldByName("Datum")->AsFloat(), 45100.0);

        meldungen.expectQuestion(frage, true);
        meldungen.expectError("Der Kopiervorgang ist fehlgeschlagen - vermutlich ist dieser Kostendatensatz "
                              "in der Historie schon vorhanden");
        kosten.BtnKosteninHistorieClick();
        QCOMPARE(h.State(), dbe::TDataSetState::dsBrowse);
        QCOMPARE(h.RecordCount(), 1);

        // No costs, nothing to copy.
        dm->TTblMain.Last();
        meldungen.expectInformation("Sie haben noch keine var. Kosten für dieses Fahrzeug eingegeben");
        kosten.BtnKosteninHistorieClick();
        QVERIFY(meldungen.verifyDone());
    }

    void theSearchOverAllCostsShowsTheFoundVehicle()
    {
        zeile("KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer"}, {"A-1", 45100.0, "R-1"});
        zeile("KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer"}, {"B-2", 45200.0, "R-2"});
        zeile("KfzVar.db", {"KfzNr", "BelegDatum", "BelegNummer"}, {"B-2", 45300.0, "R-3"});
        starten();
        ui::testing::ScriptedMessages meldungen;
        SuchNavigation navigation;
        fenster->NavigationSetzen(&navigation);
        fenster->TPanelMessage->setText("");
        dbe::TTable &kosten = dm->TTblVarKosten;

        // Found in another vehicle: that vehicle with the row marked.
        navigation.suche = [&] {
            QCOMPARE(kosten.RecordCount(), 3); // every vehicle's costs
            QVERIFY(kosten.Locate("BelegNummer", "R-2", 0));
        };
        fenster->Kosten().BitBtnVarKostenSuchenClick();
        QCOMPARE(dm->TTblMain.FieldByName("KfzNr")->AsString(), QString("B-2"));
        QCOMPARE(kosten.FieldByName("BelegNummer")->AsString(), QString("R-2"));
        QCOMPARE(kosten.RecordCount(), 2);
        QCOMPARE(navigation.modi, QList<int>({1, 2}));

        // Cancelled: the vehicle stays.
        dm->TTblMain.First();
        navigation.suche = [&] {
            kosten.Last();
            fleet::SucheAbgebrochen = true;
        };
        fenster->Kosten().BitBtnVarKostenSuchenClick();
        QCOMPARE(dm->TTblMain.FieldByName("KfzNr")->AsString(), QString("A-1"));

        // A failure inside still ties the costs to the vehicle again.
        fenster->TPanelMessage->setText("Suche läuft");
        navigation.suche = [] { throw std::runtime_error("Suchfehler"); };
        QVERIFY_THROWS_EXCEPTION(std::runtime_error, fenster->Kosten().BitBtnVarKostenSuchenClick());
        QCOMPARE(kosten.RecordCount(), 1);
        QCOMPARE(dm->TTblMain.FieldByName("KfzNr")->AsString(), QString("A-1"));
        QCOMPARE(fenster->TPanelMessage->text(), QString("Suche läuft"));
        QCOMPARE(navigation.modi.last(), 2);
        QVERIFY(meldungen.verifyDone());
    }
};

QTEST_MAIN(DetailSeitenTest)
#include "detailseiten_test.moc"
