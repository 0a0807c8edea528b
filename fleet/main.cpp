// The program body of the fleet program: the only place that knows every form.
#include <functional>
#include <memory>

#include <QCoreApplication>
#include <QPointer>

#include "TerminDiensteImpl.h"
#include "daten/DataModule1.h"
#include "daten/DataModuleFahrer.h"
#include "daten/DataModuleImport.h"
#include "daten/ErsterStart.h"
#include "daten/Programmkoerper.h"
#include "daten/Programmstart.h"
#include "dbe/Session.h"
#include "dienste/Formularzugriff.h"
#include "formulare/AlleFahrzeugeFormular.h"
#include "formulare/Copyright.h"
#include "formulare/DispositionEingabeFormular.h"
#include "formulare/EinstellungenFormular.h"
#include "formulare/FahrerStammdatenFormular.h"
#include "formulare/FuhrparkKostenFormular.h"
#include "formulare/HauptFormular.h"
#include "formulare/HilfeFormular.h"
#include "formulare/MandantenFormular.h"
#include "formulare/Passwort.h"
#include "formulare/TerminFormular.h"
#include "formulare/TerminInfoDlg.h"
#include "formulare/TourAuswertungFormular.h"
#include "formulare/TourEditFormular.h"
#include "ui/Application.h"
#include "ui/StartUp.h"

#include "ReportKatalogDienst.h"
#include "StandardProjekte.h"

namespace fleet {

namespace {
std::unique_ptr<reporting::TReportKatalog> reportKatalog;
} // namespace

// The singletons in their fixed order; forms join here as they are built:
// TDataModule1, THauptFormular, the scheduling service, TTerminFormular, TTerminInfoDlg,
// TEinstellungenFormular, TCopyright, TPasswordDlg, TAlleFahrzeugeFormular,
// THilfeFormular, TTourAuswertungFormular, TFuhrparkKostenFormular,
// TDispositionEingabeFormular, TMandantenFormular, TTourEditFormular.
// The start makes the data module, the main window and the settings, whose
// start steps the program needs; the other forms are made on first use and
// freed in their place.
namespace {

TerminDiensteImpl &termineDienste()
{
    static TerminDiensteImpl dienste;
    return dienste;
}

} // namespace

void SingletonsEintragen(Programmkoerper &koerper, dbe::TSession &session)
{
    koerper.eintragen(
        QStringLiteral("TDataModule1"), [&session] { DataModule1 = new TDataModule1(&session); },
        [] {
            // The modules made on first use go with the central one.
            DataModuleImportFreigeben();
            FahrerStammdatenFormularFreigeben();
            DataModuleFahrerFreigeben();
            TDataModule1 *weg = DataModule1;
            DataModule1 = nullptr;
            delete weg;
        });
    // Forms need the application object; without one (tests of the data
    // module alone) they are not made.
    const auto erzeugen = [](auto *&global) {
        return [&global] {
            if (QCoreApplication::instance())
                global = new std::remove_reference_t<decltype(*global)>();
        };
    };
    const auto freigeben = [](auto *&global) {
        return [&global] {
            auto *weg = global;
            global = nullptr;
            delete weg;
        };
    };
    const auto form = [&](const QString &klasse, auto *&global) {
        koerper.eintragen(klasse, erzeugen(global), freigeben(global));
    };
    // A form that nothing needs at start, made on first use by its object name.
    const auto beiBedarf = [&](const QString &klasse, const QString &formular, auto *&global) {
        koerper.eintragenBeiBedarf(klasse, formular, erzeugen(global), freigeben(global));
    };
    // The report catalogue comes into force with the main window, the owner of its engine
    // component, and goes before it.
    koerper.eintragen(
        QStringLiteral("THauptFormular"),
        [] {
            if (!QCoreApplication::instance())
                return;
            HauptFormular = new THauptFormular();
            reportKatalog = std::make_unique<reporting::TReportKatalog>(HauptFormular);
            Dienst<ReportDienste>::setzen(reportKatalog.get());
        },
        [] {
            if (reportKatalog) {
                Dienst<ReportDienste>::setzen(nullptr);
                reportKatalog.reset();
            }
            THauptFormular *weg = HauptFormular;
            HauptFormular = nullptr;
            delete weg;
        });
    // The scheduling service comes into force in the place of its first form,
    // the appointment list, which is made on first use; it goes after it.
    koerper.eintragen(
        QStringLiteral("TerminDienste"), [] { Dienst<TerminDienste>::setzen(&termineDienste()); },
        [] {
            termineDienste().Freigeben();
            Dienst<TerminDienste>::setzen(nullptr);
        });
    beiBedarf(QStringLiteral("TTerminFormular"), QStringLiteral("TerminFormular"), TerminFormular);
    beiBedarf(QStringLiteral("TTerminInfoDlg"), QStringLiteral("TerminInfoDlg"), TerminInfoDlg);
    form(QStringLiteral("TEinstellungenFormular"), EinstellungenFormular);
    beiBedarf(QStringLiteral("TCopyright"), QStringLiteral("Copyright"), Copyright);
    beiBedarf(QStringLiteral("TPasswordDlg"), QStringLiteral("PasswordDlg"), PasswordDlg);
    beiBedarf(QStringLiteral("TAlleFahrzeugeFormular"), QStringLiteral("AlleFahrzeugeFormular"),
              AlleFahrzeugeFormular);
    beiBedarf(QStringLiteral("THilfeFormular"), QStringLiteral("HilfeFormular"), HilfeFormular);
    beiBedarf(QStringLiteral("TTourAuswertungFormular"), QStringLiteral("TourAuswertungFormular"),
              TourAuswertungFormular);
    beiBedarf(QStringLiteral("TFuhrparkKostenFormular"), QStringLiteral("FuhrparkKostenFormular"),
              FuhrparkKostenFormular);
    beiBedarf(QStringLiteral("TDispositionEingabeFormular"), QStringLiteral("DispositionEingabeFormular"),
              DispositionEingabeFormular);
    beiBedarf(QStringLiteral("TMandantenFormular"), QStringLiteral("MandantenFormular"), MandantenFormular);
    beiBedarf(QStringLiteral("TTourEditFormular"), QStringLiteral("TourEditFormular"), TourEditFormular);
}

// Closing the main window ends the program. The end is queued, so that the
// close runs to its end first, and comes only when the window did close (a
// close handler may keep it open).
void SchliessenBeendetProgramm(ui::FormBase &fenster)
{
    QObject::connect(&fenster, &ui::FormBase::formClose, &fenster, [&fenster] {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [zu = QPointer<ui::FormBase>(&fenster)] {
                if (!zu || !zu->isVisible())
                    QCoreApplication::quit();
            },
            Qt::QueuedConnection);
    });
}

// The program once its application object stands: the shipped report
// projects in place, the program body's singletons registered, the start run;
// `mitHauptfenster` follows a successful start and gives the exit code.
int ProgrammAusfuehren(const std::function<int()> &mitHauptfenster)
{
    // The shipped report projects go into the program directory where the
    // engine and the designer find them; projects already there are kept.
    reporting::StandardProjekteKopieren(ProgrammVerzeichnisPfad());
    dbe::TSession &session = dbe::TSession::Default();
    Programmkoerper koerper;
    SingletonsEintragen(koerper, session);
    return ProgrammStarten(koerper, mitHauptfenster, session);
}

} // namespace fleet

#ifndef KARVENFP_OHNE_MAIN
int main(int argc, char *argv[])
{
    ui::Application app(argc, argv);
    ui::Application::setApplicationName(QStringLiteral("karvenfp"));
    ui::startGerman();
    // The message loop runs until the main window closes; without a main window
    // there is nothing to wait for.
    return fleet::ProgrammAusfuehren([] {
        if (!fleet::HauptFormular)
            return 0;
        fleet::SchliessenBeendetProgramm(*fleet::HauptFormular);
        fleet::HauptFormular->show();
        return ui::Application::exec();
    });
}
#endif
