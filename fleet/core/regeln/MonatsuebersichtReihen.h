#pragma once

#include <array>
#include <vector>

#include <QString>

namespace dbe {
class TDataSet;
}

namespace fleet {

// The overview chart's data series, in the chart's order.
enum MonatsuebersichtReihe {
    ReiheErtrag,
    ReiheMittelwert,
    ReiheGesamt,
    ReiheVerbrauch,
    ReiheReparatur,
    ReiheWartung,
    ReiheUntersuchung,
    ReiheReifen,
    ReihePflege,
    ReiheSonstige,
    ReiheSonstige2,
    ReiheSonstige3,
    ReiheSonstige4,
    kMonatsuebersichtReihen
};

// One saved month as the chart draws it: the axis texts and one value per
// series ("Mittelwert" is filled in over all months).
struct MonatsuebersichtPunkt {
    QString AuswJahr;
    QString AuswMonatNum; // whole number as text
    QString AuswMonatText;
    std::array<double, kMonatsuebersichtReihen> Werte{};
};

// The rows the cursor presents (vehicle range and filter), in its order; the
// cursor is back on the row it stood on, its controls untouched meanwhile.
std::vector<MonatsuebersichtPunkt> MonatsuebersichtPunkteLesen(dbe::TDataSet &monate);

// Sets "Mittelwert" of every point to the mean of "Gesamt" (0 without points).
void MittelwertSetzen(std::vector<MonatsuebersichtPunkt> &punkte);

} // namespace fleet
