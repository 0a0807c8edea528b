#include "regeln/BearbeitenMenue.h"

namespace fleet {

BearbeitenMenueFreigabe BearbeitenMenueAktualisieren(const BearbeitenMenueZustand &z)
{
    // Only a data-aware edit or memo has a selection the menu acts on.
    const bool auswahl = z.datenEingabe && z.auswahl;
    BearbeitenMenueFreigabe f;
    f.kopieren = auswahl;
    f.ausschneiden = auswahl && z.globalEdit;
    f.einfuegen = z.zwischenablageText && z.globalEdit && z.datenEingabe;
    f.lesezeichenverwaltung = z.lesezeichenMoeglich;
    f.inkrSuchen = !z.monatsSeite && z.inkrSucheMoeglich;
    f.weitersuchen = z.weitersuchenMoeglich;
    f.filterAus = z.filterAktiv;
    return f;
}

} // namespace fleet
