#pragma once

#include <functional>
#include <optional>

#include <QString>

#include "base/DateTime.h"

namespace fleet {

struct Terminart;

// A due date moved on by a number of months; the day is fitted to the target
// month (31.01. + 1 = 28.02.), a negative number moves back.
base::TDateTime TerminDatumWeiter(base::TDateTime datum, int monate);
// An odometer reading moved on by its interval; none when the sum leaves the
// 32-bit range.
std::optional<qint32> TerminKmWeiter(qint64 stand, qint64 intervall);

// The interval field of Kfzsyste.DB that NaechstesTerminDatum uses for a kind
// name ("TÜV" -> "TUEVTIntervall", exact and case-sensitive); empty for any
// other name.
QString TerminIntervallFeld(const QString &name);
// Moves `datum` on by the month interval of the settings that belongs to
// `name`; an unknown name or a missing interval leaves it as it is.
void NaechstesTerminDatum(base::TDateTime &datum, const QString &name);

// The texts of a roll-forward; `beschriftung` is the caption of the kind's
// label, used for the free kinds.
QString TerminFortschreibungFehlerText(const Terminart &art, const QString &beschriftung);
QString TerminFortschreibungErfolgText(const Terminart &art, const QString &beschriftung);

// What the roll-forward asks of the main window.
struct TerminFortschreibungUmfeld {
    bool nurLesen = false;     // read-only workstation or edit switch on read
    bool meldungZeigen = true; // success box wanted
    std::function<QString(const QString &label)> beschriftung;
};

// Rolls the current vehicle's appointment of the edit `edit` forward: reads
// the vehicle again, checks the rights, the due value and the interval,
// computes the new value, deletes the note of the old one and posts the new
// one. An edit that names no kind does nothing after the rights check. A
// refused post goes on to the caller and leaves the vehicle in edit.
void TerminFortschreibenAusfuehren(const QString &edit, const TerminFortschreibungUmfeld &umfeld);

} // namespace fleet
