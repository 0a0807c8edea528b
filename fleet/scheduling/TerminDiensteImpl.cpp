#include "TerminDiensteImpl.h"

#include "formulare/DispositionEingabeFormular.h"
#include "formulare/KARVENTextFormular.h"
#include "formulare/TerminFormular.h"

namespace fleet {

void TerminDiensteImpl::TerminListeModalZeigen()
{
    if (TerminFormular)
        TerminFormular->showModal();
}

void TerminDiensteImpl::TerminListeZeigen()
{
    if (!TerminFormular)
        return;
    TerminFormular->show();
    TerminFormular->raise();
    TerminFormular->activateWindow();
}

bool TerminDiensteImpl::DispoZeitraumErfragen(DispoZeitraum &zeitraum)
{
    return DispositionEingabeFormular ? DispositionEingabeFormular->Erfragen(zeitraum) : true;
}

void TerminDiensteImpl::TourBearbeiten(int) {}
void TerminDiensteImpl::FahrzeugvergleichZeigen() {}
void TerminDiensteImpl::FuhrparkKostenZeigen() {}
void TerminDiensteImpl::TourAuswertungZeigen() {}
void TerminDiensteImpl::MonatsauswertungAlleFahrzeugeZeigen() {}
void TerminDiensteImpl::TankdatenImportZeigen() {}
void TerminDiensteImpl::GrafikZeigen() {}
void TerminDiensteImpl::GrafikSchliessen() {}
void TerminDiensteImpl::FreieFahrzeugeZeigen() {}
void TerminDiensteImpl::FreieFahrzeugeSchliessen() {}
void TerminDiensteImpl::TextFormularZeigen()
{
    fleet::TextFormularZeigen();
}

} // namespace fleet
