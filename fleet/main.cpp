// The program body of the fleet program: the only place that knows every form.
#include "DataModule1.h"
#include "Formularzugriff.h"
#include "Programmkoerper.h"
#include "Programmstart.h"
#include "dbe/Session.h"
#include "ui/Application.h"
#include "ui/StartUp.h"

namespace fleet {

// The singletons in their fixed order; forms join here as they are built:
// TDataModule1, THauptFormular, TTerminFormular, TTerminInfoDlg,
// TEinstellungenFormular, TCopyright, TPasswordDlg, TAlleFahrzeugeFormular,
// THilfeFormular, TTourAuswertungFormular, TFuhrparkKostenFormular,
// TDispositionEingabeFormular, TMandantenFormular, TTourEditFormular.
void SingletonsEintragen(Programmkoerper &koerper, dbe::TSession &session)
{
    koerper.eintragen(
        QStringLiteral("TDataModule1"), [&session] { DataModule1 = new TDataModule1(&session); },
        [] {
            TDataModule1 *weg = DataModule1;
            DataModule1 = nullptr;
            delete weg;
        });
}

} // namespace fleet

#ifndef KARVENFP_OHNE_MAIN
int main(int argc, char *argv[])
{
    ui::Application app(argc, argv);
    ui::Application::setApplicationName(QStringLiteral("karvenfp"));
    ui::startGerman();

    dbe::TSession &session = dbe::TSession::Default();
    fleet::Programmkoerper koerper;
    fleet::SingletonsEintragen(koerper, session);
    // The message loop runs until the main window closes; without a main window
    // there is nothing to wait for.
    return fleet::ProgrammStarten(
        koerper,
        [] { return fleet::FormularFinden(QStringLiteral("HauptFormular")) ? ui::Application::exec() : 0; },
        session);
}
#endif
