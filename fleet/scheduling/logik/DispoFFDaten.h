#pragma once

#include <functional>

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

namespace dbe {
class TDataSet;
class TTable;
} // namespace dbe

// Which vehicles are free in the period the dispatch page shows, free of
// windows: the rows of the free-vehicles list, its captions and its order.
namespace fleet::dispo {

// The list's modes: the free vehicles only, or every vehicle with a "Frei"
// column that holds "X" for the free ones.
constexpr int kFFFreie = 0;
constexpr int kFFAlle = 1;

QStringList FFSpaltenTitel(int modus);
QList<int> FFSpaltenBreiten(int modus);
QString FFTitel(int modus);
// "Freie Fahrzeuge: n" or "Fahrzeuge: n".
QString FFStatus(int modus, int anzahl);

// The vehicle numbers ("Kfznr") of every row of an open data set, as stored:
// "ab-1" and "AB-1" are two vehicles.
QSet<QString> GebuchteFahrzeuge(dbe::TDataSet &buchungen);

// One row per vehicle of the vehicle table, in its order and under its range
// and filters (the vehicle filter), read through a clone of its cursor: the
// table neither moves nor runs its rules. Columns: Kfznr, Info, Gruppe,
// Kostenstelle, KfzHerstellerKz, KfzMarke; in the all-vehicles mode a seventh,
// "X" for a free vehicle and " " for a booked one. The free mode lists only
// the free vehicles. `schritt` runs once per vehicle.
QList<QStringList> FFZeilen(dbe::TTable &fahrzeuge, const QSet<QString> &gebucht, int modus,
                            const std::function<void()> &schritt = {});

enum class FFStand {
    Fertig,
    Belegt,        // the scratch table was open: it is someone else's, left alone
    NichtGeoeffnet // the copy of the bookings could not be opened: no rows
};
struct FFErmittlung {
    FFStand stand = FFStand::Fertig;
    QList<QStringList> zeilen;
    QString fehler; // what went wrong when the copy did not open
};
struct FFFortschritt {
    std::function<void(int)> anfang; // the number of vehicles
    std::function<void()> schritt;   // once per vehicle
};

// The scan: `kopie` takes the database, the table name and (when it is
// filtered) the filter text of the dispatch table, neither its master link nor
// its record filter, so it holds the bookings of every vehicle in the visible
// period; then the rows as FFZeilen gives them. Unless it was found busy,
// `kopie` is put back to rest on every way out.
FFErmittlung FahrzeugeErmitteln(dbe::TTable &fahrzeuge, dbe::TTable &dispo, dbe::TTable &kopie, int modus,
                                const FFFortschritt &fortschritt = {});

// Sorts the rows by one column, case-insensitively under German collation;
// rows with equal keys by their whole text (the cells joined by line breaks).
void FFSortieren(QList<QStringList> &zeilen, int spalte);

} // namespace fleet::dispo
