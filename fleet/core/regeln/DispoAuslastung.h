#pragma once

#include <QString>

#include "base/DateTime.h"
#include "regeln/DispoSicht.h"

// The approximate utilisation of the dispatch page: the share of the visible
// period's hours that the visible bookings occupy.
namespace fleet {

// The last result: a whole percentage in digits, or "n.v.".
extern QString DispoAuslastungText;

// The visible period of a view mode: its first and last day and its length in
// hours; -1 hours when the mode has no bounded period ("Alle", "Ab heute") or
// the month cannot be read.
struct DispoPeriode {
    base::TDateTime von = 0, bis = 0;
    double stunden = -1;
};
DispoPeriode DispoZeitraum(const DispoSichtDaten &sicht);

// A booking's share of the period from the start of `von` to the end of
// `bis`, in days; never below 0.
double DispoAnteil(base::TDateTime beginn, base::TDateTime ende, base::TDateTime von, base::TDateTime bis);

// The percentage 100 / stunden × belegt, to the nearest whole number (a half
// to the even one).
QString DispoProzentText(double stunden, double belegt);

// The booked hours of the bookings the dispatch cursor shows (its master
// link, filter text and vehicle filter), clipped to the period; a pass of the
// scratch table TTblVar, which is reset afterwards. Engine errors go on.
double DispoBelegteStunden(base::TDateTime bis, base::TDateTime von);

// The page's state the utilisation depends on.
struct DispoAuslastungLage {
    DispoSichtDaten sicht;
    int fahrzeugAuswahl = 0;          // 0 current vehicle, 1 all, 2 filter
    bool fahrzeugFilterAktiv = false; // the vehicle filter of the main window
};
// Sets DispoAuslastungText; never raises.
void DispoAuslastungBerechnen(const DispoAuslastungLage &lage);

} // namespace fleet
