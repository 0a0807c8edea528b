#pragma once

#include <optional>

#include <QString>

#include "base/DateTime.h"
#include "dienste/Dienst.h"

namespace ui {
class DBGrid;
}

namespace fleet {

// What the rules of the detail tables and the dispatch bookings touch on the
// main window. The main window implements it; the rules reach it through
// Detailfenster(), which is null while the window does not exist (the rules
// then leave the window alone).
class DetailFensterZugriff {
public:
    virtual ~DetailFensterZugriff() = default;

    // A grid of the pages by its object name ("TDBGridTouren",
    // "TDBGridVarKosten", "DBGridHistorie", "DBGridSchadensmanagement",
    // "DBGridDispo"); null when there is none.
    virtual ui::DBGrid *Grid(const QString &name) = 0;

    // Cost page: the view RadioGrpKostenSicht (0 "Alle", 1 "Monat", 2 "Jahr")
    // and the text of the year box CmbBoxKostenJahr.
    virtual int KostenSicht() const = 0;
    virtual void KostenSichtSetzen(int sicht) = 0;
    virtual QString KostenJahr() const = 0;

    // The caption of a label by object name ("LblFreierTermin3").
    virtual QString Beschriftung(const QString &label) const = 0;
    // Sets the appointment popup's component to the named edit
    // ("EditTUEVTermin") and clicks its item "Termin fortschreiben".
    virtual void TerminFortschreiben(const QString &edit) = 0;
    // The typed text of a choice by object name ("DBLookupCmbAchse1ReifentypSo").
    virtual QString AuswahlText(const QString &auswahl) const = 0;

    // Dispatch page: the first and last day of the visible period, each only
    // while its picker is visible.
    virtual std::optional<base::TDateTime> DispoErsterTag() const = 0;
    virtual std::optional<base::TDateTime> DispoLetzterTag() const = 0;
    // RadioGrpDispoFahrzeuge and RadioGrpDispositionSicht; setting an item
    // runs the group's click handler.
    virtual int DispoFahrzeugAuswahl() const = 0;
    virtual void DispoFahrzeugAuswahlSetzen(int auswahl) = 0;
    virtual int DispoSicht() const = 0;
    virtual void DispoSichtSetzen(int sicht) = 0;
    // Enables or disables BtnDispoNeu and BtnDispoKopieren.
    virtual void DispoKnoepfeFreigeben(bool freigeben) = 0;
    // Computes the utilisation and shows it in LblAuslastung.
    virtual void DispoAuslastungAnzeigen() = 0;
    // Sets the time axes of the dispatch chart for the view.
    virtual void DispoGrafikZeitraumSetzen() = 0;
};

// The main window as these rules see it; null while it does not exist.
inline DetailFensterZugriff *Detailfenster()
{
    return Dienst<DetailFensterZugriff>::vorhanden() ? &Dienst<DetailFensterZugriff>::aktuell() : nullptr;
}
// Set by the main window when it is created and cleared (null) when it goes.
inline void DetailfensterSetzen(DetailFensterZugriff *fenster)
{
    Dienst<DetailFensterZugriff>::setzen(fenster);
}

} // namespace fleet
