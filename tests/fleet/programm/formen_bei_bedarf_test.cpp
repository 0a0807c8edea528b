// The forms that nothing needs at start: the start leaves them out, their
// first use (the program's own command, or a lookup by name as the reports
// do) makes each once, and the end frees them in their place of the order,
// before the data module.
#include <functional>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "daten/DataModule1.h"
#include "daten/Programmkoerper.h"
#include "daten/Programmstart.h"
#include "dienste/Dienst.h"
#include "dienste/Formularzugriff.h"
#include "dienste/TerminDienste.h"
#include "formulare/AlleFahrzeugeFormular.h"
#include "formulare/Copyright.h"
#include "formulare/DispositionEingabeFormular.h"
#include "formulare/EinstellungenFormular.h"
#include "formulare/FuhrparkKostenFormular.h"
#include "formulare/HauptFormular.h"
#include "formulare/HilfeFormular.h"
#include "formulare/MandantenFormular.h"
#include "formulare/Passwort.h"
#include "formulare/TerminFormular.h"
#include "formulare/TerminInfoDlg.h"
#include "formulare/TourAuswertungFormular.h"
#include "formulare/TourEditFormular.h"
#include "kern_umgebung.h"
#include "regeln/AuswertungFilter.h"
#include "regeln/NurLeseModus.h"

namespace fleet {
void SingletonsEintragen(Programmkoerper &koerper, dbe::TSession &session);
}

namespace {

struct SpaeteForm {
    const char *klasse;
    const char *name;
    std::function<QWidget *()> global;
    // The command of the program that needs the form.
    std::function<void()> ersterGebrauch;
};

void menuebefehl(const char *name)
{
    auto *befehl = qobject_cast<QAction *>(
        fleet::KomponenteFinden(QStringLiteral("HauptFormular"), QString::fromLatin1(name)));
    QVERIFY2(befehl && befehl->isEnabled(), name);
    befehl->trigger();
}

const QList<SpaeteForm> &spaeteFormen()
{
    static const QList<SpaeteForm> formen{
        {"TTourAuswertungFormular", "TourAuswertungFormular", [] { return fleet::TourAuswertungFormular; },
         [] { fleet::terminDienste().TourAuswertungZeigen(); }},
        {"TFuhrparkKostenFormular", "FuhrparkKostenFormular", [] { return fleet::FuhrparkKostenFormular; },
         [] { fleet::terminDienste().FuhrparkKostenZeigen(); }},
        {"TDispositionEingabeFormular", "DispositionEingabeFormular",
         [] { return fleet::DispositionEingabeFormular; },
         [] {
             fleet::DispoZeitraum zeitraum;
             fleet::terminDienste().DispoZeitraumErfragen(zeitraum);
         }},
        {"TTourEditFormular", "TourEditFormular", [] { return fleet::TourEditFormular; },
         [] { fleet::terminDienste().TourBearbeiten(-1); }},
        {"TAlleFahrzeugeFormular", "AlleFahrzeugeFormular", [] { return fleet::AlleFahrzeugeFormular; },
         [] { fleet::terminDienste().FahrzeugvergleichZeigen(); }},
        {"TMandantenFormular", "MandantenFormular", [] { return fleet::MandantenFormular; },
         [] { menuebefehl("Mandanten1"); }},
        {"TCopyright", "Copyright", [] { return fleet::Copyright; }, [] { menuebefehl("Copyright1"); }},
        {"THilfeFormular", "HilfeFormular", [] { return fleet::HilfeFormular; },
         [] { menuebefehl("ErsteSchritte1"); }},
        // Asked for by the appointment notes and the settings' password button.
        {"TTerminInfoDlg", "TerminInfoDlg", [] { return fleet::TerminInfoDlg; },
         [] { fleet::TerminInfoDlgBereitstellen(); }},
        {"TPasswordDlg", "PasswordDlg", [] { return fleet::PasswordDlg; },
         [] { fleet::PasswordDlgBereitstellen(); }},
        // The appointment list, asked for by its commands and the reports.
        {"TTerminFormular", "TerminFormular", [] { return fleet::TerminFormular; },
         [] { fleet::terminDienste().TerminListeBereitstellen(); }},
    };
    return formen;
}

// Closes each modal form once it is active, as a user looking at it would.
class ModalSchliesser {
public:
    ModalSchliesser()
    {
        QObject::connect(&takt_, &QTimer::timeout, [] {
            if (QWidget *modal = QApplication::activeModalWidget(); modal && modal->isActiveWindow())
                modal->close();
        });
        takt_.start(5);
    }

private:
    QTimer takt_;
};

// Runs the program body on a fresh home; `waehrend` runs in place of the
// message loop. What the end freed comes back, in its order, each with
// whether the data module was still there.
struct Ende {
    QStringList freigegeben;
    bool vorDemDatenmodul = true;
};

Ende programmLaufen(const std::function<void(fleet::Programmkoerper &)> &waehrend)
{
    kerntest::Umgebung u;
    kerntest::MeldungsRekorder meldungen;
    ModalSchliesser schliesser;
    Ende ende;
    fleet::Programmkoerper k;
    fleet::SingletonsEintragen(k, u.session());
    const int code = fleet::ProgrammStarten(
        k,
        [&] {
            waehrend(k);
            for (QWidget *w : QApplication::topLevelWidgets()) {
                if (!qobject_cast<ui::FormBase *>(w))
                    continue;
                QObject::connect(w, &QObject::destroyed, [&ende, name = w->objectName()] {
                    ende.freigegeben << name;
                    ende.vorDemDatenmodul = ende.vorDemDatenmodul && fleet::DataModule1;
                });
            }
            return 0;
        },
        u.session());
    if (code != 0)
        qWarning() << "Start gescheitert:" << meldungen.texte;
    return ende;
}

// The order of the program body, reversed, of the forms in `freigegeben`
// (a form bears its class's name without the T).
QStringList erwarteteFreigabe(const QStringList &reihenfolge, const QStringList &freigegeben)
{
    QStringList erwartet;
    for (auto it = reihenfolge.crbegin(); it != reihenfolge.crend(); ++it)
        if (freigegeben.contains(it->mid(1)))
            erwartet << it->mid(1);
    return erwartet;
}

} // namespace

class FormenBeiBedarfTest : public QObject {
    Q_OBJECT
private slots:
    void cleanup()
    {
        fleet::AuswertungFilterName.clear();
        fleet::AuswertungFilterWert.clear();
    }

    void eachFormIsMadeOnceByItsFirstUseAndFreedInItsPlace()
    {
        QStringList reihenfolge;
        const Ende ende = programmLaufen([&reihenfolge](fleet::Programmkoerper &k) {
            reihenfolge = k.Reihenfolge();
            // What the start needs is there.
            for (QWidget *w : {static_cast<QWidget *>(fleet::HauptFormular),
                               static_cast<QWidget *>(fleet::EinstellungenFormular)})
                QVERIFY(w);
            QVERIFY(fleet::Dienst<fleet::TerminDienste>::vorhanden());
            for (const SpaeteForm &f : spaeteFormen())
                QVERIFY2(!f.global() && !k.erzeugt(f.klasse), f.klasse);
            for (const SpaeteForm &f : spaeteFormen()) {
                f.ersterGebrauch();
                QWidget *form = f.global();
                QVERIFY2(form && k.erzeugt(f.klasse), f.klasse);
                QCOMPARE(form->objectName(), QString::fromLatin1(f.name));
                f.ersterGebrauch();
                QCOMPARE(f.global(), form);
                QCOMPARE(fleet::FormularFinden(QString::fromLatin1(f.name)), form);
            }
        });
        for (const SpaeteForm &f : spaeteFormen()) {
            QVERIFY2(!f.global(), f.klasse);
            QVERIFY2(ende.freigegeben.contains(f.name), f.name);
        }
        QCOMPARE(ende.freigegeben, erwarteteFreigabe(reihenfolge, ende.freigegeben));
        QVERIFY(ende.freigegeben.contains("HauptFormular"));
        QVERIFY(ende.vorDemDatenmodul);
    }

    void aLookupByNameMakesTheFormAndAFormNeverUsedIsNotFreed()
    {
        QStringList gemacht;
        const Ende ende = programmLaufen([&gemacht](fleet::Programmkoerper &k) {
            // No other form is made by looking for a name that no form bears,
            // nor is the help made to be closed when the word processor opens
            // (its menu command is locked here; its handler is not).
            QCOMPARE(fleet::FormularFinden(QStringLiteral("KeinFormular")), nullptr);
            fleet::HauptFormular->Textverarbeitung1Click();
            for (const SpaeteForm &f : spaeteFormen())
                QVERIFY2(!k.erzeugt(f.klasse), f.klasse);
            // The reports read the components of the evaluations by name.
            const SpaeteForm &touren = spaeteFormen()[0];
            QObject *raster = fleet::KomponenteFinden(QString::fromLatin1(touren.name),
                                                      QStringLiteral("DBGridTourAuswertung"));
            QVERIFY(raster && touren.global());
            QCOMPARE(raster->parent(), touren.global());
            const SpaeteForm &kosten = spaeteFormen()[1];
            QWidget *form = fleet::FormularFinden(QString::fromLatin1(kosten.name));
            QVERIFY(form && form == kosten.global());
            QCOMPARE(fleet::FormularFinden(QString::fromLatin1(kosten.name)), form);
            for (const SpaeteForm &f : spaeteFormen())
                if (k.erzeugt(f.klasse))
                    gemacht << f.klasse;
        });
        QCOMPARE(gemacht, QStringList({"TTourAuswertungFormular", "TFuhrparkKostenFormular"}));
        for (const SpaeteForm &f : spaeteFormen()) {
            QVERIFY2(!f.global(), f.klasse);
            QCOMPARE(ende.freigegeben.contains(f.name), gemacht.contains(f.klasse));
        }
        QVERIFY(ende.vorDemDatenmodul);
    }

    // The appointment list made after the editing commands were switched off
    // starts with its own off, and follows the switch from then on.
    void theAppointmentListMadeLateTakesTheReadOnlySwitch()
    {
        for (const bool nurLesen : {true, false})
            programmLaufen([nurLesen](fleet::Programmkoerper &) {
                fleet::NurLeseModusSetzen(nurLesen);
                QVERIFY(!fleet::TerminFormular);
                fleet::terminDienste().TerminListeBereitstellen();
                QVERIFY(fleet::TerminFormular);
                QPushButton *alle = fleet::TerminFormular->BtnMarkierteTermineFortschreiben;
                QCOMPARE(alle->isEnabled(), !nurLesen);
                fleet::NurLeseModusSetzen(!nurLesen);
                QCOMPARE(alle->isEnabled(), nurLesen);
            });
    }

    void theFilterHandedOverStaysWhenItsCommandMakesTheCostForm()
    {
        QString gezeigt;
        programmLaufen([&gezeigt](fleet::Programmkoerper &) {
            fleet::AuswertungFilterName = QStringLiteral("Gruppe");
            fleet::AuswertungFilterWert = QStringLiteral("Süd");
            fleet::terminDienste().FuhrparkKostenZeigen();
            if (fleet::FuhrparkKostenFormular)
                gezeigt = fleet::FuhrparkKostenFormular->LblFilter->text();
        });
        QCOMPARE(fleet::AuswertungFilterName, QString("Gruppe"));
        QCOMPARE(gezeigt, QString("Gruppe = Süd"));
    }
};

QTEST_MAIN(FormenBeiBedarfTest)
#include "formen_bei_bedarf_test.moc"
