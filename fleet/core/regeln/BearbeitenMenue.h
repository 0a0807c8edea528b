#pragma once

namespace fleet {

// What the edit menu's items depend on when the menu opens.
struct BearbeitenMenueZustand {
    bool datenEingabe = false; // the focused control is a data-aware edit or memo
    bool auswahl = false;      // and its selected text is not empty
    bool globalEdit = false;   // the extender's edit mode is on
    bool zwischenablageText = false;
    bool monatsSeite = false; // "Monatsauswertg." or "Monatsübersicht" is shown
    bool inkrSucheMoeglich = false;
    bool weitersuchenMoeglich = false;
    bool lesezeichenMoeglich = false; // the bookmark manager
    bool filterAktiv = false;         // the vehicle table's filter is in force
};

// Which of the edit menu's items are enabled.
struct BearbeitenMenueFreigabe {
    bool ausschneiden = false;
    bool kopieren = false;
    bool einfuegen = false;
    bool lesezeichenverwaltung = false;
    bool inkrSuchen = false;
    bool weitersuchen = false;
    bool filterAus = false;
};

BearbeitenMenueFreigabe BearbeitenMenueAktualisieren(const BearbeitenMenueZustand &zustand);

} // namespace fleet
