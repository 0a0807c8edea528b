#pragma once

#include <optional>

#include <QString>

#include "base/DateTime.h"

// What the dispatch page's view mode shows: the filter text on the bookings,
// the label of the period and the range of the chart's time axes.
namespace fleet {

// The page's state as the view reads it. Modes: 0 "Alle", 1 "Zeitraum",
// 2 "Monat", 3 "Tag", 4 "Heute", 5 "Ab heute". `von` and `bis` are the two
// date pickers, `jahr` and `monat` the texts of the year and month lists.
struct DispoSichtDaten {
    int modus = 0;
    base::TDateTime von = 0, bis = 0, heute = 0;
    QString jahr, monat;
};

// The first and last day of the month the lists name; none when the month
// name or the year cannot be read.
struct DispoMonat {
    base::TDateTime ersterTag = 0, letzterTag = 0;
};
std::optional<DispoMonat> DispoMonatAus(const QString &jahr, const QString &monat);

// The filter text of a mode on KfzDispo.DB; empty for mode 0. Month mode
// keeps every booking that overlaps the month (also one spanning it).
QString DispoFilterText(const DispoSichtDaten &sicht);
// The label LblSichtFilter of a mode.
QString DispoSichtBeschriftung(const DispoSichtDaten &sicht);

// The range of the chart's time axes: automatic, or from min to max (days).
struct DispoAchse {
    bool automatisch = true;
    double min = 0, max = 0;
};
// `spaetesterBalken` is the largest start or end among the bars (mode 5).
DispoAchse DispoAchsenbereich(const DispoSichtDaten &sicht, double spaetesterBalken);

} // namespace fleet
