// Pictures of every page of the main window, for looking at the layout:
//   fleet_core_main_window_pictures <directory> [width height]
#include <QDate>
#include <QDir>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QSvgRenderer>
#include <QTest>

#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "daten/DataModuleFahrer.h"
#include "formulare/Copyright.h"
#include "formulare/FahrerStammdatenFormular.h"
#include "formulare/HauptFormular.h"
#include "formulare/HilfeFormular.h"
#include "formulare/Passwort.h"
#include "formulare/seiten/DiagrammBild.h"
#include "formulare/seiten/DispoSeite.h"
#include "formulare/seiten/MonatsauswertungSeite.h"
#include "formulare/seiten/MonatsuebersichtGrafik.h"
#include "formulare/seiten/MonatsuebersichtSeite.h"
#include "formulare/seiten/StammdatenSeite.h"
#include "formulare/seiten/TourenSeite.h"
#include "kern_umgebung.h"
#include "ui/Application.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/PageControl.h"
#include "ui/PopupMenu.h"
#include "ui/RadioGroup.h"
#include "ui/StartUp.h"

int main(int argc, char **argv)
{
    ui::Application app(argc, argv);
    ui::startGerman();
    const QString ziel = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/karvenfp_bilder");
    const QSize groesse = argc > 3 ? QSize(atoi(argv[2]), atoi(argv[3])) : QSize(1280, 800);
    QDir().mkpath(ziel);
    kerntest::Umgebung umgebung;
    auto &s = umgebung.session();
    using kerntest::zeileAnfuegen;
    zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzStamm.db",
                  {"KfzNr", "Info", "Gruppe", "Kostenstelle", "KfzMarke", "KfzKmStand", "HaftpflNettoBetrag",
                   "KaskoNettoBetrag", "Steuer", "AFA", "Schadstoff"},
                  {"M-KV 100", "Kundendienst", "Transporter", "Lager Nord", "Transit", 48200.0, 1850.0,
                   2400.0, 480.0, 9600.0, 158.0});
    for (int i = 0; i < 6; ++i)
        zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzTour.db",
                      {"KfzNr", "Datum", "Tour", "FahrerName", "Kostenstelle", "AbfahrtKm", "AnkunftKm",
                       "GefahrenKm", "Bemerkungen"},
                      {"M-KV 100", base::encodeDate(2024, 3, 4 + i), QStringLiteral("T-%1").arg(17 + i),
                       QStringLiteral("Jürgen Müller-Lüdenscheidt"), "Lager Nord", 48000.0 + 230 * i,
                       48230.0 + 230 * i, 230.0,
                       QStringLiteral("Anlieferung Großmarkt Köln-Süd, Rampe %1").arg(i)});
    for (int i = 0; i < 5; ++i)
        zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzVar.db",
                      {"KfzNr", "BelegDatum", "BelegNummer", "Benzin/Liter", "Benzin/Preis",
                       "ReparaturKosten", "Jahr", "Monat", "Bemerkungen"},
                      {"M-KV 100", base::encodeDate(2024, 3, 5 + 3 * i), QStringLiteral("47%1").arg(11 + i),
                       45.0 + i, 78.5 + i, 1234.56 * (i + 1), "2024", QStringLiteral("März"),
                       QStringLiteral("Bremsbeläge vorn erneuert, Prüfung Ölstand")});
    // A month of several kinds of cost for the evaluation (today's month), and
    // a year of saved months for the overview and its chart.
    const QDate heute = QDate::currentDate();
    const std::tuple<const char *, double, double> kosten[] = {
        {"Benzin/Preis", 1234.56, 20000}, {"ReparaturKosten", 2480.00, 21000},
        {"WartungKosten", 389.90, 21500}, {"ReifenKosten", 1120.00, 22000},
        {"PflegeKosten", 74.50, 22400},   {"SonstigeKosten", 310.00, 22900}};
    int beleg = 100;
    for (const auto &[feld, betrag, km] : kosten) {
        ++beleg;
        zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzVar.db",
                      {"KfzNr", "BelegDatum", "BelegNummer", "Mwst", "Benzin/Liter", feld},
                      {"M-KV 100", base::encodeDate(heute.year(), heute.month(), 1 + beleg % 25),
                       QString::number(beleg), km, beleg == 101 ? 812.4 : 0.0, betrag});
    }
    for (int m = 1; m <= 12; ++m, ++beleg) {
        const double gesamt = 3000 + 400 * ((m * 7) % 5);
        zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzMonat.DB",
                      {"KfzNr", "AuswJahr", "AuswMonatNum", "AuswMonatText", "GefKilometer", "GesamtKosten",
                       "GesamtKostenProKm", "VerbrauchLiter", "VerbrauchKosten", "VerbrauchLiterPro100Km",
                       "ReparaturKosten", "WartungKosten", "ReifenKosten", "PflegeKosten", "SonstigeKosten",
                       "Ertrag"},
                      {"M-KV 100", QString::number(heute.year() - 1), m,
                       QLocale(QLocale::German).monthName(m), 2500.0 + 100 * m, gesamt,
                       gesamt / (2500 + 100 * m), 230.0, 1100.0 + 20 * m, 8.5, m % 4 == 0 ? 1450.0 : 0.0,
                       m % 3 == 0 ? 389.9 : 0.0, m == 10 ? 980.0 : 0.0, 74.5, 150.0, 4200.0 + 90 * m});
    }
    zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzStamm.db", {"KfzNr", "Info"}, {"S-LW 2040", "Kühlwagen"});
    // Bookings of March 2024 for both vehicles, some over several days.
    const struct {
        const char *kfz;
        int tagVon, stundeVon, tagBis, stundeBis;
        const char *tour;
    } buchungen[] = {{"M-KV 100", 4, 7, 4, 15, "T-17"},    {"M-KV 100", 6, 6, 8, 18, "T-18"},
                     {"M-KV 100", 12, 8, 12, 12, "T-19"},  {"M-KV 100", 18, 5, 21, 20, "T-20"},
                     {"M-KV 100", 26, 9, 26, 17, "T-21"},  {"S-LW 2040", 1, 8, 3, 16, "K-01"},
                     {"S-LW 2040", 11, 6, 15, 14, "K-02"}, {"S-LW 2040", 28, 7, 31, 22, "K-03"}};
    for (const auto &b : buchungen) {
        const double von = base::encodeDate(2024, 3, b.tagVon), bis = base::encodeDate(2024, 3, b.tagBis);
        const double uhrVon = base::encodeTime(b.stundeVon, 0), uhrBis = base::encodeTime(b.stundeBis, 0);
        zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzDispo.DB",
                      {"Kfznr", "DatumVon", "DatumBis", "UhrzeitVon", "UhrzeitBis", "Tour", "FahrerName",
                       "Bemerkung1", "DatumUhrzeitVon", "DatumUhrzeitBis", "KfzIndex=0"},
                      {b.kfz, von, bis, uhrVon, uhrBis, b.tour, QStringLiteral("Jürgen Weiß"),
                       QStringLiteral("Großmarkt Köln-Süd"), von + uhrVon, bis + uhrBis, 0});
    }
    // The drivers of the tours and bookings, so that their grids show the names.
    zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzFahrer.DB",
                  {"Name",
                   "Vorname",
                   "Nummer",
                   "Kennzeichen",
                   "Strasse",
                   "Plz",
                   "Ort",
                   "Geburtsdatum",
                   "Telefon",
                   "Mobil",
                   "FscheinKlassenAllgemein",
                   "FscheinKlassen1",
                   "GueltigBis1",
                   "Beschraenkungen1",
                   "FscheinKlassen2",
                   "GueltigBis2",
                   "FscheinNummer",
                   "FscheinBehoerde",
                   "FscheinDatum",
                   "FscheinVorlage",
                   "Freifeld11",
                   "Freifeld12",
                   "Memo"},
                  {"Jürgen Müller-Lüdenscheidt",
                   "Jürgen",
                   "P-1047",
                   "M-KV 100",
                   "Äußere Wiener Straße 112",
                   "81667",
                   "München",
                   base::encodeDate(1968, 7, 23),
                   "089 4471 2290",
                   "0171 5523 918",
                   "B, BE, C1, C1E, C, CE",
                   "C, CE",
                   base::encodeDate(2026, 12, 31),
                   "Brille (01.01)",
                   "D1",
                   base::encodeDate(2025, 9, 30),
                   "B072XK4411",
                   "Landratsamt München",
                   base::encodeDate(1987, 3, 12),
                   base::encodeDate(2024, 1, 15),
                   "Ladekran",
                   "ADR-Schein",
                   QStringLiteral("Fährt bevorzugt die Nachtrouten Köln–München; Gabelstapler-Schein "
                                  "bis Ende 2025 gültig.")});
    zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzFahrer.DB", {"Name"}, {QStringLiteral("Jürgen Weiß")});
    for (int i = 0; i < 3; ++i)
        zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzFaHis.db",
                      {"Name", "DatumVon", "DatumBis", "Betrag", "Info"},
                      {"Jürgen Müller-Lüdenscheidt", base::encodeDate(2023, 2 + 4 * i, 1),
                       base::encodeDate(2023, 2 + 4 * i, 14), 1250.0 + 480.5 * i,
                       QStringList{"Schulung Ladungssicherung, Teilnahmegebühr", "Strafzettel Überladung A9",
                                   "Fahrerkarte erneuert (Gebühren übernommen)"}[i]});
    zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzGruppe.db", {"Gruppe"}, {"Transporter"});
    zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzStort.db", {"Standort"}, {"Lager Nord"});
    fleet::TDataModule1 dm(&s);
    fleet::DataModule1 = &dm;
    {
        fleet::THauptFormular fenster;
        fenster.setWindowState(Qt::WindowNoState);
        fenster.resize(groesse);
        fenster.show();
        QTest::qWait(50);
        // A page with one of its popup menus open, the menu painted where it stands.
        const auto mitMenue = [&](QMenu *menue, const QString &name) {
            QTest::qWait(20);
            QImage bild = fenster.grab().toImage();
            QPainter maler(&bild);
            maler.drawPixmap(fenster.mapFromGlobal(menue->pos()), menue->grab());
            maler.end();
            bild.save(QStringLiteral("%1/%2.png").arg(ziel, name));
            menue->hide();
        };
        // The dispatch page in month view, for the current vehicle and for all.
        fenster.PageCtrlMain->setActivePage(fenster.TabDispo);
        fleet::DispoSeite &dispo = fenster.Dispo();
        dispo.betreten();
        dispo.CmbBoxDispositionJahr->setCurrentText(QStringLiteral("2024"));
        dispo.CmbBoxDispositionMonat->setCurrentText(QStringLiteral("März"));
        dispo.RadioGrpDispositionSicht->setItemIndex(2);
        QTest::qWait(20);
        fenster.grab().save(QStringLiteral("%1/dispo_aktuelles.png").arg(ziel));
        dispo.RadioGrpDispoFahrzeuge->setItemIndex(1);
        QTest::qWait(20);
        fenster.grab().save(QStringLiteral("%1/dispo_alle.png").arg(ziel));
        dispo.RadioGrpDispoFahrzeuge->setItemIndex(0);
        dispo.RadioGrpDispositionSicht->setItemIndex(0);

        fenster.PageCtrlMain->setActivePage(fenster.TabTouren);
        fenster.Touren().BtnTourenAendernClick();
        mitMenue(fenster.Touren().PopupMenuTouren, QStringLiteral("touren_menue"));
        fenster.PageCtrlMain->setActivePage(fenster.TabStammDaten);
        auto *tuev = fenster.findChild<QWidget *>(QStringLiteral("EditTUEVTermin"));
        fenster.Stammdaten().TPopupMenuTermin->popupAt(tuev->mapToGlobal(QPoint(10, tuev->height())));
        mitMenue(fenster.Stammdaten().TPopupMenuTermin, QStringLiteral("termin_menue"));
        for (int i = 0; i < fenster.PageCtrlMain->pageCount(); ++i) {
            fenster.PageCtrlMain->setActivePageIndex(i);
            QTest::qWait(20);
            fenster.grab().save(QStringLiteral("%1/%2_%3.png")
                                    .arg(ziel)
                                    .arg(i)
                                    .arg(fenster.PageCtrlMain->page(i)->objectName()));
        }
        // The overview's chart shown, at the smallest window size.
        fenster.resize(fenster.minimumSize());
        fenster.PageCtrlMain->setActivePage(fenster.TabMonatsuebersicht);
        fenster.Monatsuebersicht().CheckBoxGrafik->setChecked(true);
        QTest::qWait(50);
        fenster.grab().save(QStringLiteral("%1/monatsuebersicht_grafik_min.png").arg(ziel));
        fenster.PageCtrlMain->setActivePage(fenster.TabMonatsAuswertung);
        fenster.PageCtrlMainChange();
        QTest::qWait(50);
        fenster.grab().save(QStringLiteral("%1/monatsauswertung_min.png").arg(ziel));
        // The chart pictures the reports read, drawn back from their SVG.
        const std::pair<QChartView *, const char *> diagramme[] = {
            {fenster.Monatsauswertung().ChartMonatsauswertung, "Monaus"},
            {fenster.Monatsuebersicht().DBChartMonatsuebersicht, "MonUeb"}};
        for (const auto &[ansicht, name] : diagramme) {
            const QString svg = QStringLiteral("%1/%2.svg").arg(ziel, QString::fromLatin1(name));
            fleet::DiagrammBildSchreiben(ansicht, svg, fleet::MonatsuebersichtGrafik::bildGroesse());
            QSvgRenderer leser(svg);
            QImage bild(fleet::MonatsuebersichtGrafik::bildGroesse(), QImage::Format_ARGB32);
            bild.fill(Qt::white);
            QPainter maler(&bild);
            leser.render(&maler);
            maler.end();
            bild.save(QStringLiteral("%1/%2_svg.png").arg(ziel, QString::fromLatin1(name)));
        }
    }
    // The small forms.
    fleet::TCopyright copyright;
    fleet::TPasswordDlg passwort;
    fleet::THilfeFormular hilfe;
    for (ui::FormBase *form : {static_cast<ui::FormBase *>(&copyright),
                               static_cast<ui::FormBase *>(&passwort), static_cast<ui::FormBase *>(&hilfe)}) {
        form->show();
        QTest::qWait(20);
        form->grab().save(QStringLiteral("%1/%2.png").arg(ziel, form->objectName()));
        form->hide();
    }
    // The driver form, each page, over the driver with his tours.
    {
        fleet::TFahrerStammdatenFormular &fahrer = fleet::FahrerStammdatenFormularErzeugen();
        fleet::DataModuleFahrer->TblFahrerStammdaten.First();
        fahrer.resize(groesse.width() * 3 / 4, groesse.height() * 3 / 4);
        fahrer.show();
        for (int i = 0; i < fahrer.PageCtrlFahrer->pageCount(); ++i) {
            fahrer.PageCtrlFahrer->setActivePageIndex(i);
            QTest::qWait(20);
            fahrer.grab().save(QStringLiteral("%1/fahrer_%2.png").arg(ziel).arg(i));
        }
        fahrer.TBitBtnFahrerStammdatenOkClick();
        fleet::FahrerStammdatenFormularFreigeben();
        fleet::DataModuleFahrerFreigeben();
    }
    fleet::DataModule1 = nullptr;
    return 0;
}
