// Pictures of every page of the main window, for looking at the layout:
//   fleet_core_main_window_pictures <directory> [width height]
#include <QDir>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "formulare/Copyright.h"
#include "formulare/HauptFormular.h"
#include "formulare/HilfeFormular.h"
#include "formulare/Passwort.h"
#include "formulare/seiten/StammdatenSeite.h"
#include "formulare/seiten/TourenSeite.h"
#include "kern_umgebung.h"
#include "ui/Application.h"
#include "ui/PageControl.h"
#include "ui/PopupMenu.h"
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
                  {"KfzNr", "Info", "Gruppe", "Kostenstelle", "KfzMarke", "KfzKmStand"},
                  {"M-KV 100", "Kundendienst", "Transporter", "Lager Nord", "Transit", 48200.0});
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
    fleet::DataModule1 = nullptr;
    return 0;
}
