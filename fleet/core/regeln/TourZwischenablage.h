#pragma once

#include <QString>

#include "base/DateTime.h"

namespace dbe {
class TDataSet;
}

namespace fleet {

// A tour taken from the tour page by "Tour kopieren" or "Tour verschieben",
// edited by the tour dialog and pasted to a vehicle by "Tour einfügen".
struct TTourZwischenablage {
    enum class Modus { Kopieren, Verschieben };

    QString Kfznr;
    base::TDateTime Datum = 0;
    base::TDateTime DatumBis = 0; // 0: none
    QString Tour;
    QString FahrerName;
    QString Kostenstelle;
    double AbfahrtKm = 0;
    double AnkunftKm = 0;
    double GefahrenKm = 0;
    double PalettenPlus = 0; // whole numbers
    double PalettenMinus = 0;
    QString Ertrag; // the text of a number
    QString Bemerkungen;
    QString Bemerkung2;
    QString Bemerkung3;
    Modus modus = Modus::Kopieren;
};

// The one tour clipboard of the program.
extern TTourZwischenablage TourZwischenablage;

// code := 1 when the clipboard has no date, + 2 when its driven kilometres
// are 0; true when the code is 0 (the tour may be pasted).
bool TourZwischenablagePruefen(int &code);

// Reads the tour on which `tour` stands into the clipboard (the mode stays);
// false when a field cannot be read (the fields read so far stay).
bool TourInZwischenablage(const dbe::TDataSet &tour);

// Pastes the clipboard into the current vehicle of the data module through
// the scratch table (the tour rules do not run): a copy inserts a new tour, a
// move hands the found tour to this vehicle. True after a successful post; the
// tours cursor then stands on the written tour. Refusals show their message
// and give false; an engine error goes on to the caller. Every path ends with
// the tours cursor's controls enabled and the scratch tables reset.
bool TourZwischenablageEinfuegen();

} // namespace fleet
