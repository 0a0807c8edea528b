#include "TerminDiensteImpl.h"

#include "daten/DataModule1.h"
#include "daten/DataModuleImport.h"
#include "formulare/AlleFahrzeugeFormular.h"
#include "formulare/DispoFFFormular.h"
#include "formulare/DispositionEingabeFormular.h"
#include "formulare/FuhrparkKostenFormular.h"
#include "formulare/GrafikFormular.h"
#include "formulare/HauptFormular.h"
#include "formulare/ImportFormular.h"
#include "formulare/KARVENTextFormular.h"
#include "formulare/MonatsauswertungAlleFahrzeugeFormular.h"
#include "formulare/TerminFormular.h"
#include "formulare/TourAuswertungFormular.h"
#include "formulare/TourEditFormular.h"
#include "logik/DispoFFDaten.h"
#include "ui/FormBase.h"
#include "ui/RadioGroup.h"

namespace fleet {

void TerminDiensteImpl::TerminListeModalZeigen()
{
    if (TTerminFormular *form = TerminFormularBereitstellen())
        form->showModal();
}

void TerminDiensteImpl::TerminListeZeigen()
{
    TTerminFormular *form = TerminFormularBereitstellen();
    if (!form)
        return;
    form->show();
    form->raise();
    form->activateWindow();
}

void TerminDiensteImpl::TerminListeBereitstellen()
{
    if (TTerminFormular *form = TerminFormularBereitstellen())
        form->ListeBereitstellen();
}

bool TerminDiensteImpl::DispoZeitraumErfragen(DispoZeitraum &zeitraum)
{
    TDispositionEingabeFormular *form = DispositionEingabeFormularBereitstellen();
    return form ? form->Erfragen(zeitraum) : true;
}

void TerminDiensteImpl::TourBearbeiten(int pruefCode)
{
    TTourEditFormular *form = TourEditFormularBereitstellen();
    if (!form)
        return;
    if (pruefCode >= 0)
        form->FehlerCode = pruefCode;
    form->showModal();
}

void TerminDiensteImpl::FahrzeugvergleichZeigen()
{
    if (TAlleFahrzeugeFormular *form = AlleFahrzeugeFormularBereitstellen())
        form->showModal();
}

void TerminDiensteImpl::FuhrparkKostenZeigen()
{
    if (TFuhrparkKostenFormular *form = FuhrparkKostenFormularBereitstellen())
        form->showModal();
}

void TerminDiensteImpl::TourAuswertungZeigen()
{
    if (TTourAuswertungFormular *form = TourAuswertungFormularBereitstellen())
        form->showModal();
}

void TerminDiensteImpl::MonatsauswertungAlleFahrzeugeZeigen()
{
    MonatsauswertungAlleFahrzeugeFormular().showModal();
}
namespace {

// Forms made on first use; the core's created flags follow them.
ui::FormOnFirstUse<TGrafikFormular> grafik;
ui::FormOnFirstUse<TImportFormular> tankImport;
ui::FormOnFirstUse<TDispoFFFormular> freieFahrzeuge;

} // namespace

void TerminDiensteImpl::GrafikZeigen()
{
    TGrafikFormular &form = grafik.get();
    GrafikFormularErzeugt = true;
    form.show();
    form.raise();
    form.activateWindow();
}

void TerminDiensteImpl::TankdatenImportZeigen()
{
    TImportFormular &form = tankImport.get(DataModuleImportErzeugen(), *DataModule1);
    ImportFormularErzeugt = true;
    form.showModal();
}

void TerminDiensteImpl::Freigeben()
{
    MonatsauswertungAlleFahrzeugeFormularFreigeben();
    tankImport.destroy();
    ImportFormularErzeugt = false;
    grafik.destroy();
    GrafikFormularErzeugt = false;
    freieFahrzeuge.destroy();
    DispoFFFormularErzeugt = false;
}

void TerminDiensteImpl::GrafikSchliessen()
{
    if (grafik.created())
        grafik.instance()->close();
}

void TerminDiensteImpl::FreieFahrzeugeZeigen()
{
    TDispoFFFormular &form = freieFahrzeuge.get();
    DispoFFFormularErzeugt = true;
    form.show();
    form.raise();
    form.activateWindow();
    // Opened on the free vehicles, whichever list was shown last.
    form.RadioGrpFahrzeuge->setItemIndex(dispo::kFFFreie);
}

void TerminDiensteImpl::FreieFahrzeugeSchliessen()
{
    if (freieFahrzeuge.created())
        freieFahrzeuge.instance()->close();
}

void TerminDiensteImpl::TextFormularZeigen()
{
    fleet::TextFormularZeigen();
}

} // namespace fleet
