#pragma once

#include <functional>
#include <optional>

#include <QList>
#include <QString>
#include <QStringList>

#include "base/DateTime.h"

namespace dbe {
class TDataSet;
}

// What the dispatch chart draws and says, free of windows.
namespace fleet::dispo {

constexpr int kGrafikHoechstzahl = 2000;

struct GrafikBalken {
    base::TDateTime von = 0;
    base::TDateTime bis = 0;
    int zeile = 0;
    QString kfzNr;
};

struct GrafikFuellung {
    QList<GrafikBalken> balken;
    QStringList fahrzeuge; // entry i: the vehicle of chart row i
    bool zuViele = false;  // more bookings than the chart takes; the first ones are in
    int zeilen() const { return int(fahrzeuge.size()); }
};

// Reads the bookings of an open data set in its order (a vehicle's bookings
// together): one row per vehicle, vehicles compared exactly, one bar per
// booking from "DatumUhrzeitVon" to "DatumUhrzeitBis", at most 2000 bars.
GrafikFuellung GrafikFuellen(dbe::TDataSet &buchungen, const std::function<void()> &schritt = {});

// The status line: "Fahrzeuge: n   Dispositionen: m".
QString GrafikStatus(int fahrzeuge, int buchungen);

// The time range of the chart for the dispatch page's view: nothing for
// automatic axes (view 0, and every failure, then `fehler` is set).
struct Zeitachse {
    base::TDateTime von = 0;
    base::TDateTime bis = 0;
};
struct AchsenVorgaben {
    int sicht = 0;
    base::TDateTime ersterTag = 0;
    base::TDateTime letzterTag = 0;
    QString monat; // "Januar" .. "Dezember"
    QString jahr;
    base::TDateTime heute = 0;
    base::TDateTime spaetestesEnde = 0; // of all bars
};
std::optional<Zeitachse> GrafikZeitachse(const AchsenVorgaben &v, bool &fehler);

// The information line of a clicked bar.
QString GrafikInfoZeile(const QString &kfzNr, base::TDateTime von, base::TDateTime bis,
                        const QString &fahrer);

// One tick of the scrolling information line: a text longer than 85
// characters moves its first character to the end.
QString TickerSchritt(const QString &text);

// The chart form's caption by the vehicle choice (0 current vehicle, 1 all,
// 2 vehicle filter) and the dispatch table's filter; nothing for choice 2
// without an active vehicle filter (the caption stays empty).
std::optional<QString> GrafikTitel(int auswahl, bool fahrzeugFilterAktiv, const QString &aktuellesKfz,
                                   bool dispoGefiltert, const QString &filterText);

} // namespace fleet::dispo
