#pragma once

#include <QString>

#include "base/DateTime.h"
#include "dienste/Dienst.h"

namespace fleet {

// The period of a new dispatch booking as the period dialog shows and returns it.
struct DispoZeitraum {
    base::TDateTime DatumVon = 0;
    base::TDateTime DatumBis = 0;
    base::TDateTime UhrzeitVon = 0;
    base::TDateTime UhrzeitBis = 0;
};

// What the core asks of the scheduling and evaluation forms. The forms live in
// their own part of the program; the core reaches them only through this.
class TerminDienste {
public:
    virtual ~TerminDienste() = default;

    // The due-appointment list: modally at start (the settings ask for it),
    // non-modally from the main menu.
    virtual void TerminListeModalZeigen() = 0;
    virtual void TerminListeZeigen() = 0;
    // Builds the due-appointment list (Termine.DB and the list form's
    // captions) if it has not been built since start, for a reader that
    // comes before the list is first shown.
    virtual void TerminListeBereitstellen() = 0;
    // The period dialog of a new booking, preset with `zeitraum`; false when the
    // user aborted it, else `zeitraum` holds the confirmed period.
    virtual bool DispoZeitraumErfragen(DispoZeitraum &zeitraum) = 0;
    // The tour edit dialog over the tour clipboard with the given check code;
    // a negative code keeps the dialog's last one ("Tour bearbeiten").
    virtual void TourBearbeiten(int pruefCode) = 0;
    // The modal evaluations of the menu.
    virtual void FahrzeugvergleichZeigen() = 0;
    virtual void FuhrparkKostenZeigen() = 0;
    virtual void TourAuswertungZeigen() = 0;
    virtual void MonatsauswertungAlleFahrzeugeZeigen() = 0;
    virtual void TankdatenImportZeigen() = 0;
    // The dispatch chart and the free vehicles, shown from and closed with the
    // dispatch page.
    virtual void GrafikZeigen() = 0;
    virtual void GrafikSchliessen() = 0;
    virtual void FreieFahrzeugeZeigen() = 0;
    virtual void FreieFahrzeugeSchliessen() = 0;
    // The letter editor, opened empty.
    virtual void TextFormularZeigen() = 0;
};

inline TerminDienste &terminDienste()
{
    return Dienst<TerminDienste>::aktuell();
}

} // namespace fleet
