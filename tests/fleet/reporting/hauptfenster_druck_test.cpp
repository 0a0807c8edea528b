// The main window's print buttons through the report catalogue in force to PDF by the real engine:
// each button's report reads the window's own controls by name and prints the fleet's values.
#include <QDir>
#include <QFile>
#include <QProcessEnvironment>
#include <QPushButton>

#include "ReportKatalogDienst.h"
#include "StandardProjekte.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/MandantDaten.h"
#include "dienste/Formularzugriff.h"
#include "engine_fixture.h"
#include "formulare/HauptFormular.h"
#include "formulare/seiten/MonatsauswertungSeite.h"
#include "formulare/seiten/MonatsuebersichtSeite.h"
#include "formulare/seiten/StammdatenSeite.h"
#include "kern_umgebung.h"
#include "temp_dir.h"
#include "ui/ComboBox.h"
#include "ui/PageControl.h"
#include "ui/RadioGroup.h"
#include "ui/testing/ScriptedMessages.h"

using namespace enginetest;

namespace {

class HauptfensterDruck : public ::testing::Test {
protected:
    void SetUp() override
    {
        alt_ = QDir::currentPath();
        auto ui = std::make_unique<tb::ScriptedEngineUi>();
        ui_ = ui.get();
        auto engine = std::make_unique<tb::Engine>(std::move(ui));
        engine->setNow(45383); // 01.04.2024
        vorher_ = tb::setEngine(std::move(engine));
        ui_->script.printer = tb::pdfPseudoPrinterName();

        umgebung_ = std::make_unique<kerntest::Umgebung>();
        datenAnlegen();
        ASSERT_TRUE(reporting::StandardProjekteKopieren(programm()).isEmpty());
        QDir::setCurrent(programm());
        fleet::DataModule1 = new fleet::TDataModule1(&umgebung_->session());
        fenster_ = new fleet::THauptFormular();
        fleet::HauptFormular = fenster_;
        // The client record as the client form keeps it (the window read the stored one).
        fleet::MandantDaten = {"Mandant1",
                               "Spedition Kühne & Söhne",
                               "GmbH & Co. KG",
                               "",
                               "Hafenstraße 5",
                               "D",
                               "20457",
                               "Hamburg",
                               "040 123456",
                               "040 123457",
                               "",
                               "www.kuehne-soehne.de",
                               "Hauptsitz",
                               "",
                               ""};
        katalog_ = std::make_unique<reporting::TReportKatalog>(fenster_);
        inKraft_ = std::make_unique<fleet::DienstInKraft<fleet::ReportDienste>>(*katalog_);
        fenster_->show();
    }
    void TearDown() override
    {
        EXPECT_TRUE(meldungen_.verifyDone());
        inKraft_.reset();
        katalog_.reset();
        fleet::HauptFormular = nullptr;
        delete fenster_;
        delete fleet::DataModule1;
        fleet::DataModule1 = nullptr;
        QDir::setCurrent(alt_);
        umgebung_.reset();
        tb::setEngine(std::move(vorher_));
    }
    QString programm() const { return QString::fromStdString(programm_.path().string()); }
    void zeile(const char *tabelle, const QStringList &felder, const QVariantList &werte)
    {
        kerntest::zeileAnfuegen(umgebung_->session(), fleet::kAliasFuhrpark, tabelle, felder, werte);
    }
    void datenAnlegen()
    {
        zeile("KfzStamm.db", {"KfzNr", "Info", "KfzMarke", "HaftpflNettoBetrag", "Steuer"},
              {"HH-KA 100", "Sprinter Kühlkoffer Großraum", "Mercedes-Benz", 1850.4, 1236});
        for (int i = 0; i < 4; ++i) {
            zeile("KfzTour.db",
                  {"KfzNr", "Datum", "Tour", "FahrerName", "AbfahrtKm", "AnkunftKm", "GefahrenKm", "Ertrag",
                   "Bemerkungen"},
                  {"HH-KA 100", QDate(2024, 3, 4 + i), QString("Lübeck-%1").arg(i + 1), "Jürgen Müller",
                   120000 + i * 310, 120310 + i * 310, 310, 1480.75 + i * 100, "Kühlware Großhandel"});
            zeile("KfzVar.db",
                  {"KfzNr", "BelegDatum", "BelegNummer", "Mwst", "Benzin/Liter", "Benzin/Preis",
                   "ReparaturKosten", "Bemerkungen"},
                  {"HH-KA 100", QDate(2024, 3, 5 + i * 7), QString("R-%1").arg(4711 + i), 120000 + i * 1240,
                   95.5, 1598.3 + i, i == 2 ? 2345.67 : 0.0, "Tankstelle Bad Oldesloe, Ölwechsel"});
        }
        for (int monat = 1; monat <= 3; ++monat)
            zeile("KfzMonat.DB",
                  {"KfzNr", "AuswJahr", "AuswMonatNum", "AuswMonatText", "GefKilometer", "GesamtKosten",
                   "VerbrauchKosten"},
                  {"HH-KA 100", 2024, monat, QStringList{"Januar", "Februar", "März"}[monat - 1],
                   4800 + monat, 6543.21 + monat, 3200.5});
    }
    // Clicks the button and returns the printed pages' text.
    QString drucken(const char *knopf)
    {
        const QString pdf = QDir(ausgabe()).filePath(QString::fromLatin1(knopf) + ".pdf");
        QFile::remove(pdf);
        ui_->script.pdfFile = pdf;
        auto *k =
            qobject_cast<QPushButton *>(fleet::KomponenteFinden("HauptFormular", QString::fromLatin1(knopf)));
        // On its page, as the user sees it: the catalogue came into force after the window.
        for (QWidget *w = k; w; w = w->parentWidget())
            if (auto *seite = qobject_cast<ui::TabSheet *>(w))
                fenster_->PageCtrlMain->setActivePage(seite);
        EXPECT_TRUE(k && k->isEnabled()) << knopf;
        if (k)
            k->click();
        return pdfPages(pdf).join('\n');
    }
    // Kept for looking at when KARVENFP_REPORT_AUSGABE names a directory.
    QString ausgabe() const
    {
        const QString ziel =
            QProcessEnvironment::systemEnvironment().value(QStringLiteral("KARVENFP_REPORT_AUSGABE"));
        return ziel.isEmpty() ? programm() : ziel;
    }

    testsupport::TempDir programm_;
    QString alt_;
    tb::ScriptedEngineUi *ui_ = nullptr;
    std::unique_ptr<tb::IEngine> vorher_;
    ui::testing::ScriptedMessages meldungen_{[](const QString &r) { ADD_FAILURE() << r.toStdString(); }};
    std::unique_ptr<kerntest::Umgebung> umgebung_;
    fleet::THauptFormular *fenster_ = nullptr;
    std::unique_ptr<reporting::TReportKatalog> katalog_;
    std::unique_ptr<fleet::DienstInKraft<fleet::ReportDienste>> inKraft_;
};

TEST_F(HauptfensterDruck, EachPrintButtonPrintsItsReportFromTheWindowsControls)
{
    fleet::MonatsauswertungSeite &auswertung = fenster_->Monatsauswertung();
    auswertung.CmbBoxMonatsauswertungJahr->setText("2024");
    auswertung.CmbBoxMonatsauswertungMonat->setItemIndex(2);
    auswertung.Berechnen();
    fleet::MonatsuebersichtSeite &uebersicht = fenster_->Monatsuebersicht();
    uebersicht.MonatsuebersichtAnzeigen();

    const struct {
        const char *knopf;
        std::function<void()> vorher;
        const char *titel, *wert;
    } faelle[] = {
        {"TBitBtnStammdatenDrucken", [&] { fenster_->Stammdaten().RadioGrpDrucken->setItemIndex(0); },
         "Stammdaten", "Sprinter Kühlkoffer Großraum"},
        {"TBitBtnStammdatenDrucken", [&] { fenster_->Stammdaten().RadioGrpDrucken->setItemIndex(1); },
         "Fahrzeugliste", "HH-KA 100"},
        {"TBitBtnTourenDrucken", {}, "Touren", "Lübeck-3"},
        {"TBitBtnVarKostenDrucken", {}, "Kosten", "R-4713"},
        {"TBitBtnMonatsauswertungDrucken", {}, "Monatsauswertung", "2.345,67"},
        {"TBitBtnMonatsuebersichtDrucken",
         [&] { uebersicht.RadioGrpMonatsuebersichtTabelle->setItemIndex(0); }, "Monats", "Februar"},
        {"TBitBtnMonatsuebersichtDrucken",
         [&] { uebersicht.RadioGrpMonatsuebersichtTabelle->setItemIndex(1); }, "Monats", "März"},
    };
    for (const auto &f : faelle) {
        SCOPED_TRACE(f.knopf);
        if (f.vorher)
            f.vorher();
        const QString text = drucken(f.knopf);
        EXPECT_TRUE(text.contains("Spedition Kühne & Söhne")) << text.toStdString();
        EXPECT_TRUE(text.contains(f.titel, Qt::CaseInsensitive)) << text.toStdString();
        EXPECT_TRUE(text.contains(f.wert)) << text.toStdString();
    }
    // The pie went into the picture the monthly evaluation report shows.
    QFile bild(QDir(programm()).filePath("Monaus~.wmf"));
    ASSERT_TRUE(bild.open(QIODevice::ReadOnly));
    EXPECT_TRUE(bild.readAll().contains("<svg"));
}

} // namespace
