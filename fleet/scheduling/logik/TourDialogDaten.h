#pragma once

#include <QString>
#include <QStringList>

#include "base/DateTime.h"
#include "regeln/TourZwischenablage.h"

namespace dbe {
class TSession;
}

namespace fleet {

// The tour dialog's controls as texts (and the two dates), apart from the
// widgets, so that loading and storing the clipboard is plain code.
struct TourDialogTexte {
    base::TDateTime DatumVon = 0;
    base::TDateTime DatumBis = 0;
    QString Tour;
    QString FahrerName;
    QString Kostenstelle;
    QString AbfahrtKm;
    QString AnkunftKm;
    QString GefahrenKm;
    QString PalettenPlus;
    QString PalettenMinus;
    QString Ertrag;
    QString Bemerkungen;
    QString Bemerkung2;
    QString Bemerkung3;
};

// What the dialog shows of the clipboard: "bis" falls back to the date when
// the clipboard has none, departure, arrival and pallets stay empty, the
// driven kilometres in their shortest form, the revenue with two decimals.
TourDialogTexte TourZwischenspeicherLaden(const TTourZwischenablage &ablage);

// Writes the dialog back: texts always, a number only from an edit that holds
// one (pallets only a whole number), "bis" only when set, the revenue only
// when not empty.
void TourZwischenspeicherSchreiben(const TourDialogTexte &texte, TTourZwischenablage &ablage);

// The driver pick list: an empty entry, then every driver's name in the
// driver table's order, read through a cursor of its own.
QStringList TourFahrerListe(dbe::TSession *session);

// The entry equal to the name ignoring case; -1 when there is none.
int TourFahrerIndex(const QStringList &liste, const QString &name);

// The revenue as the dialog shows it: two decimals, empty when no number.
QString TourErtragText(const QString &text);

} // namespace fleet
