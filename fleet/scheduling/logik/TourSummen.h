#pragma once

#include <functional>
#include <memory>
#include <optional>

#include <QString>

#include "dbe/Table.h"

namespace fleet {

// Number, driven kilometres, revenue and kilometre costs of tours.
struct TourSummen {
    int Anzahl = 0;
    double Km = 0;
    double Ertrag = 0;
    double Kosten = 0;
    bool KostenNichtVerfuegbar = false; // "n.v."
};

// Where the flat cost per driven kilometre of a vehicle comes from.
class KmSatzQuelle {
public:
    virtual ~KmSatzQuelle() = default;
    // The vehicle's rate; none when the vehicle is not in the master. Throws
    // when the master cannot be read.
    virtual std::optional<double> KmSatz(const QString &kfzNr) = 0;
};

// The rates as the vehicle master holds them (FreifeldWae1), read through a
// cursor of its own so that no borrowed table is touched.
class KfzStammKmSaetze : public KmSatzQuelle {
public:
    // Opens the vehicle master; throws when it cannot be opened.
    explicit KfzStammKmSaetze(dbe::TSession *session);
    std::optional<double> KmSatz(const QString &kfzNr) override;

private:
    dbe::TTable stamm_;
};

// Adds tour after tour. The rate is read once per change of vehicle; a tour
// whose vehicle is gone costs nothing and the next tour reads its rate again.
// A rate that cannot be read makes the costs unavailable; the other sums go on.
class TourSummierer {
public:
    // Without a rate source the costs are unavailable from the start.
    explicit TourSummierer(KmSatzQuelle *saetze);

    void TourAddieren(dbe::TDataSet &touren);
    const TourSummen &Summen() const { return summen_; }

private:
    KmSatzQuelle *saetze_;
    TourSummen summen_;
    std::optional<QString> letztesKfz_;
    double satz_ = 0;
};

// Every tour that passes the filter, in the table's order; afterwards back on
// the tour that was current (when it can be found). `schritt` runs per tour.
void TourSummenAlle(dbe::TDataSet &touren, TourSummierer &summierer, const std::function<void()> &schritt);

// The marked tours: `zurMarke(i)` moves the table to the i-th of `anzahl`
// marks. A mark that cannot be reached (deleted meanwhile) ends the walk with
// what was summed; the table stays on the last mark reached.
void TourSummenMarkiert(dbe::TDataSet &touren, int anzahl, const std::function<void(int)> &zurMarke,
                        TourSummierer &summierer, const std::function<void()> &schritt);

} // namespace fleet
