#pragma once

#include <QString>

#include "base/DateTime.h"

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

} // namespace fleet
