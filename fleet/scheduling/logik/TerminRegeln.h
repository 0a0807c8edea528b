#pragma once

#include <optional>

#include <QString>

#include "base/DateTime.h"

// The rules of the due-appointment list, free of windows and tables.
namespace fleet::termine {

// The thresholds of the list, read once from the client settings; a value of
// 0 or less counts as 0.
struct Schwellen {
    int vorwarnTage = 0;
    int vorwarnKm = 0;
    int ueberzogenTage = 0;
    int ueberzogenKm = 0;
};
int SchwelleLesen(int wert);

// The odometer reading as a whole number of kilometres: rounded to the
// nearest, halves away from zero. One routine for the list's column and the
// colour comparison, so both agree.
long long KmGanzzahl(double km);

// A date appointment due at `faellig` is listed when
// stichtagVon <= faellig - vorwarnTage <= stichtagBis.
bool DatumFaellig(base::TDateTime faellig, base::TDateTime stichtagVon, base::TDateTime stichtagBis,
                  int vorwarnTage);
// An odometer appointment due at `faelligKm` is listed as soon as the reading
// reaches faelligKm - vorwarnKm, whatever the period.
bool KmFaellig(double faelligKm, double kmStand, int vorwarnKm);

enum class Zellzustand { Normal, Vorwarnzeit, Warnung };

// A date cell: after stichtagBis "Vorwarnzeit", more than ueberzogenTage
// before it "Warnung", else plain.
Zellzustand DatumZustand(base::TDateTime faellig, base::TDateTime stichtagBis, int ueberzogenTage);
// An odometer cell, compared in whole kilometres with the row's reading.
Zellzustand KmZustand(double faelligKm, double kmStand, int ueberzogenKm);

// The state's name as the list paints by it: "", "Vorwarnzeit", "Warnung",
// each with "MitInfo" appended when the cell has a note.
QString ZustandName(Zellzustand zustand, bool mitInfo);

// Title click: which index the list sorts by for the field shown in the
// clicked column. Nothing (no sorting) for "Info" and "KfzKmStand"; the
// primary order ("") for "KfzNr"; else the kind's slot as the last rebuild
// left it ("" when no vehicle was listed for the kind).
std::optional<QString> SortIndexFuerFeld(const QString &feld, const QString &slot);
// The column titles after the click: the mark "* " leaves the first title
// carrying it and goes onto the clicked one.
QString TitelOhneMarke(const QString &titel);
QString TitelMitMarke(const QString &titel);

// Closing the list cleans the notes: a note goes only when its vehicle's row
// lists the kind with a non-empty value that differs from the note's value.
// `gelisteterWert` is empty when the vehicle has no row.
bool NotizVeraltet(const std::optional<QString> &gelisteterWert, const QString &notizWert);

// An agreed workshop date counts as near from today up to today + 3 days.
bool WerkstattTerminNah(base::TDateTime vereinbart, base::TDateTime heute);

} // namespace fleet::termine
