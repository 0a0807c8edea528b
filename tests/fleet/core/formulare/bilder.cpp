// Pictures of every page of the main window, for looking at the layout:
//   fleet_core_main_window_pictures <directory> [width height]
#include <QDir>
#include <QTest>

#include "base/DateTime.h"
#include "daten/Aliase.h"
#include "daten/DataModule1.h"
#include "formulare/Copyright.h"
#include "formulare/HauptFormular.h"
#include "formulare/HilfeFormular.h"
#include "formulare/Passwort.h"
#include "kern_umgebung.h"
#include "ui/Application.h"
#include "ui/PageControl.h"
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
    zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzTour.db",
                  {"KfzNr", "Datum", "Tour", "AbfahrtKm", "AnkunftKm", "GefahrenKm"},
                  {"M-KV 100", base::encodeDate(2024, 3, 4), "T-17", 48000.0, 48200.0, 200.0});
    zeileAnfuegen(s, fleet::kAliasFuhrpark, "KfzVar.db",
                  {"KfzNr", "BelegDatum", "BelegNummer", "Benzin/Liter", "Benzin/Preis"},
                  {"M-KV 100", base::encodeDate(2024, 3, 5), "4711", 45.0, 78.5});
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
