// Not a test: pictures of the scheduling forms with realistic data, for
// looking at the layout. Writes PNG files into the directory given.
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "FensterAttrappe.h"
#include "base/DateTime.h"
#include "base/GermanFormat.h"
#include "formulare/TerminFormular.h"
#include "formulare/TerminInfoDlg.h"
#include "termin_umgebung.h"
#include "ui/CheckBox.h"
#include "ui/StartUp.h"
#include "ui/testing/FakeServices.h"
#include "ui/testing/ScriptedMessages.h"

using base::encodeDate;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    ui::startGerman();
    const QString ziel = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp/termine_bilder");
    QDir().mkpath(ziel);
    ui::testing::ScriptedMessages meldungen([](const QString &) {});
    termintest::TerminUmgebung u;
    ui::testing::FakeClock uhr(encodeDate(2024, 3, 15) + 0.4);
    termintest::FensterAttrappe fenster;
    fenster.beschriftungen["LblInspektionTermin"] = "Inspektion";
    fenster.beschriftungen["LblFreierTermin1"] = "Tachoprüfung";
    fenster.beschriftungen["LblFreierTermin3"] = "Ölwechsel";
    u.schwellen(30, 1000, 10, 500);
    const char *infos[] = {"Kombi Außendienst Süd", "Sprinter Kühltransport", "Großraum-Transporter Nürnberg",
                           "Pritsche Bauhof", "Limousine Geschäftsführung"};
    for (int i = 0; i < 14; ++i) {
        const QString nr = QStringLiteral("M-KV %1").arg(1000 + i * 37);
        QMap<QString, QVariant> t{{"KfzTUEVTermin", encodeDate(2024, 2, 1) + i * 5},
                                  {"KfzASUTermin", encodeDate(2024, 3, 1) + i * 3},
                                  {"KfzKlInspektionTermin", 40000 + i * 1500}};
        if (i % 3 == 0)
            t["KfzFreierTermin1"] = encodeDate(2024, 3, 20) + i;
        if (i % 4 == 1)
            t["KfzFreierTermin3"] = 45000;
        u.fahrzeug(nr, 40200 + i * 800, t, QString::fromUtf8(infos[i % 5]));
        if (i % 4 == 0)
            u.notiz(nr, "TTblTermineTUEVTermin", base::de::formatDate(encodeDate(2024, 2, 1) + i * 5),
                    encodeDate(2024, 3, 17), "Werkstatt Müller, Hebebühne 2");
    }
    fleet::TerminInfoDlg = new fleet::TTerminInfoDlg();
    fleet::TTerminFormular form;
    fleet::TerminFormular = &form;
    form.show();
    (void)QTest::qWaitForWindowExposed(&form);
    form.FormActivate();
    form.FarbigeTerminfelder = true;
    form.FaelligeTermineEinlesen();
    form.ChkBoxTermineMarkieren->setChecked(true);
    QApplication::processEvents();
    form.grab().save(ziel + "/terminliste.png");

    form.BtnWelcheTermineZeigenClick();
    form.SpeedBtnKalenderClick();
    QApplication::processEvents();
    form.grab().save(ziel + "/terminliste_auswahl.png");

    u.dm().TTblTermine.First();
    for (int c = 0; c < form.DBGrid1->columnCount(); ++c)
        if (form.DBGrid1->columnField(c)->FieldName() == "TUEVTermin")
            form.DBGrid1->setSelectedIndex(c);
    QTimer::singleShot(0, [&] {
        QApplication::processEvents();
        fleet::TerminInfoDlg->grab().save(ziel + "/termininfo.png");
        fleet::TerminInfoDlg->BitBtnTerminInfoAbbruch->click();
    });
    form.Bemerkung1Click();
    delete fleet::TerminInfoDlg;
    return 0;
}
