#pragma once

#include <QString>

namespace fleet {

// The lookup choices on the master-data page whose typed text lets their
// tables grow when a vehicle is saved.
enum class Nachschlagfeld { Gruppe, Standort, Leasinggesellschaft, Fahrer };

// What the vehicle rules touch on the main window. The main window implements
// it; the rules reach it through Hauptfenster(), which is null while the
// window does not exist.
class HauptFormularZugriff {
public:
    virtual ~HauptFormularZugriff() = default;

    // The vehicle filter of the window's extender is in force.
    virtual bool FahrzeugFilterAktiv() const = 0;
    // Switches the vehicle filter off ("Filter aus").
    virtual void Filtereinaus1Click() = 0;

    // EditKfzNr writable without hint (new vehicle) or read-only with hint.
    virtual void KfzNrEingabeFreigeben(bool freigeben) = 0;
    // Shows the master-data page and puts the focus into EditKfzNr.
    virtual void KfzNrEingabeZeigen() = 0;
    // The text the user typed into a lookup choice.
    virtual QString NachschlagText(Nachschlagfeld feld) const = 0;

    // Tyre page: the item of "Zur Zeit montiert.." (-1 none) and the inner tab
    // to show (0 summer, 1 winter); the run distances cleared and shown.
    virtual int MontierteReifen() const = 0;
    virtual void ReifenSeiteZeigen(int saison) = 0;
    virtual void ReifenLaufleistungLoeschen() = 0;
    virtual void ReifenLaufleistungAnzeigen() = 0;

    // Dispatch page: whether it is the active page; the utilisation computed
    // and shown; the view put back on the current vehicle and all periods.
    virtual bool DispoSeiteAktiv() const = 0;
    virtual void DispoAuslastungAnzeigen() = 0;
    virtual void DispoAufAktuellesFahrzeugAlleZeitraeume() = 0;

    // Picture page emptied (picture, its panel text); damage filter box cleared.
    virtual void BildLeeren() = 0;
    virtual void SchadenFilterAusschalten() = 0;

    // The lease-end odometer forecast label.
    virtual void LeasingPrognoseAnzeigen(const QString &text) = 0;
};

// The main window as the rules see it; null while it does not exist.
HauptFormularZugriff *Hauptfenster();
// Set by the main window when it is created and cleared when it goes.
void HauptfensterSetzen(HauptFormularZugriff *fenster);

} // namespace fleet
