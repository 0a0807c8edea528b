#pragma once

#include <limits>
#include <optional>

#include <QList>
#include <QString>
#include <QVariantList>

#include "base/DateTime.h"
#include "regeln/DispoSicht.h"

namespace dbe {
class TTable;
}

// What the dispatch page's time line shows: the bookings of the page's view
// that touch a span of days, read by a cursor of their own over that span's
// rows only. Shown at once while they are few; beyond that the line shows a
// window of days, so that all vehicles' bookings are never read in one go.
namespace fleet {

// Whole days from `von` to `bis`, both included; an open end is infinite.
struct DispoTage {
    double von = -std::numeric_limits<double>::infinity();
    double bis = std::numeric_limits<double>::infinity();
    bool operator==(const DispoTage &) const = default;
};

// The days a view mode keeps the bookings to: modes 1 to 4 their period,
// mode 5 from today on, mode 0 all days (also a month that cannot be read).
DispoTage DispoSichtTage(const DispoSichtDaten &sicht);

// A booking as a bar: its key as stored (DispoSchluesselFelder), to find it
// again, its vehicle and its begin and end.
struct DispoBalken {
    QVariantList schluessel;
    QString kfzNr;
    double beginn = 0, ende = 0;
};
// The key fields of a booking: "Kfznr;DatumVon;DatumBis;UhrzeitVon;UhrzeitBis".
extern const QString DispoSchluesselFelder;

struct DispoBalkenLesung {
    QList<DispoBalken> balken;
    bool vollstaendig = true; // false: there were more than the limit
    int gelesen = 0;          // rows the cursor fetched
};

// The bookings `dispo` shows (its master link; while filtered its filter text
// and record filter) that touch the days, in `dispo`'s order; at most
// `hoechstens` of them (one more is read to tell that there are more). A
// closed `dispo` gives none. Engine errors go on.
DispoBalkenLesung DispoBalkenLesen(const dbe::TTable &dispo, const DispoTage &tage,
                                   int hoechstens = std::numeric_limits<int>::max());

// The days of the time line's window: `laenge` days within the view's days,
// kept while the marked booking lies in the window shown so far, else from
// the marked booking's first day on (without one, from the view's first day,
// or today when the view has none), never past the view's last day.
DispoTage DispoFenster(const DispoTage &sicht, const std::optional<DispoTage> &bisher,
                       const std::optional<DispoTage> &markiert, base::TDateTime heute, int laenge);

} // namespace fleet
